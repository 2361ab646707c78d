#include "sheet/qt/fittings_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <map>

#include "circuit/fittings.h"
#include "circuit/messages.h"
#include "columns/columns.h"
#include "sheet/input.h"
#include "sheet/window_texts.h"
#include "text/quoted.h"

namespace idrovela::sheet::qt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidget* Table(const QStringList& columns, const char* name, const char* accessible) {
    auto* table = new QTableWidget(0, static_cast<int>(columns.size()));
    table->setObjectName(QString::fromUtf8(name));
    table->setAccessibleName(QString::fromUtf8(accessible));
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 10);
    return table;
}

QPushButton* Button(const char* text, const char* name, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setAutoDefault(false);
    return button;
}

std::string CellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item == nullptr ? std::string() : item->text().trimmed().toStdString();
}

}  // namespace

FittingsDialog::FittingsDialog(const Document& document, std::size_t segment, QWidget* parent)
    : QDialog(parent),
      document_(document),
      segment_(segment),
      library_(Table({QStringLiteral("Accidente"), QStringLiteral("ζ"), QStringLiteral("Numero"),
                      QStringLiteral("Fonte")},
                     "Libreria", "Accidenti della libreria")),
      custom_(Table({QStringLiteral("ζ"), QStringLiteral("Numero"), QStringLiteral("Descrizione")},
                    "AltriZeta", "Altri coefficienti ζ")),
      valves_(Table({QStringLiteral("Kv [m³/h]"), QStringLiteral("Descrizione")}, "Valvole",
                    "Valvole")),
      sums_(new QLabel),
      message_(new QLabel) {
    const circuit::Segment& given = document.Circuit().segments[segment];
    setObjectName(QStringLiteral("AccidentiValvole"));
    setWindowTitle(QStringLiteral("Accidenti e valvole di ") + FromUtf8(text::Quoted(given.id)));
    sums_->setObjectName(QStringLiteral("Somme"));
    sums_->setAccessibleName(QStringLiteral("Somme"));
    message_->setObjectName(QStringLiteral("Messaggio"));
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #a00000"));
    library_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    library_->setToolTip(QStringLiteral(
        "Gli accidenti della libreria, ciascuno con il suo ζ e la fonte: quanti ne ha il tratto"));
    custom_->setToolTip(
        QStringLiteral("Altri accidenti, ciascuno con il suo ζ, il numero e una descrizione"));
    valves_->setToolTip(QStringLiteral("Le valvole del tratto, ciascuna con il suo Kv"));

    for (const circuit::FittingType& type : circuit::FittingLibrary()) {
        const int row = library_->rowCount();
        AddRow(*library_, {FromUtf8(type.name), FromUtf8(columns::FixedFigure(type.zeta, 2)),
                           QString(), FromUtf8(type.source)});
        library_->item(row, 0)->setToolTip(FromUtf8(type.key));
        library_->item(row, 3)->setToolTip(FromUtf8(type.source));
        auto* count = new QSpinBox;
        count->setRange(0, 999);
        count->setAccessibleName(QStringLiteral("Numero di ") + FromUtf8(type.name));
        count->setToolTip(QStringLiteral("Quanti accidenti «") + FromUtf8(type.name) +
                          QStringLiteral("» ha il tratto"));
        library_->setCellWidget(row, 2, count);
        connect(count, &QSpinBox::valueChanged, this, [this] { Update(); });
    }
    library_->resizeColumnsToContents();
    library_->setColumnWidth(3, 200);  // the source in full in its tooltip
    Fill(given);

    auto* addZeta = Button("Aggiungi &ζ", "AggiungiZeta", "Aggiunge una riga di ζ");
    auto* removeZeta = Button("Togli ζ", "TogliZeta", "Toglie la riga di ζ selezionata");
    auto* addValve = Button("Aggiungi &valvola", "AggiungiValvola", "Aggiunge una valvola");
    auto* removeValve = Button("Togli valvola", "TogliValvola", "Toglie la valvola selezionata");
    connect(addZeta, &QPushButton::clicked, this, [this] {
        AddRow(*custom_, {QString(), QStringLiteral("1"), QString()});
        custom_->setCurrentCell(custom_->rowCount() - 1, 0);
        custom_->setFocus();
    });
    connect(removeZeta, &QPushButton::clicked, this, [this] {
        if (custom_->currentRow() >= 0) {
            custom_->removeRow(custom_->currentRow());
            Update();
        }
    });
    connect(addValve, &QPushButton::clicked, this, [this] {
        AddRow(*valves_, {QString(), QString()});
        valves_->setCurrentCell(valves_->rowCount() - 1, 0);
        valves_->setFocus();
    });
    connect(removeValve, &QPushButton::clicked, this, [this] {
        if (valves_->currentRow() >= 0) {
            valves_->removeRow(valves_->currentRow());
            Update();
        }
    });
    connect(custom_, &QTableWidget::itemChanged, this, [this] { Update(); });
    connect(valves_, &QTableWidget::itemChanged, this, [this] { Update(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setToolTip(QStringLiteral("Tiene accidenti e valvole"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setToolTip(QStringLiteral("Lascia il tratto com'era"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* zetaButtons = new QHBoxLayout;
    zetaButtons->addWidget(addZeta);
    zetaButtons->addWidget(removeZeta);
    zetaButtons->addStretch();
    auto* valveButtons = new QHBoxLayout;
    valveButtons->addWidget(addValve);
    valveButtons->addWidget(removeValve);
    valveButtons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Accidenti della libreria:")));
    layout->addWidget(library_, 3);
    layout->addWidget(new QLabel(QStringLiteral("Altri ζ:")));
    layout->addWidget(custom_, 1);
    layout->addLayout(zetaButtons);
    layout->addWidget(new QLabel(QStringLiteral("Valvole:")));
    layout->addWidget(valves_, 1);
    layout->addLayout(valveButtons);
    layout->addWidget(sums_);
    layout->addWidget(message_);
    layout->addWidget(buttons);
    resize(640, 620);
    Update();
}

void FittingsDialog::AddRow(QTableWidget& table, const QStringList& texts) {
    const QSignalBlocker blocker(&table);
    const int row = table.rowCount();
    table.insertRow(row);
    for (int column = 0; column < texts.size(); ++column) {
        table.setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

void FittingsDialog::Fill(const circuit::Segment& segment) {
    std::map<std::string, std::int64_t, std::less<>> counts;
    for (const circuit::Fitting& fitting : segment.fittings) {
        if (!fitting.key.empty()) {
            counts[fitting.key] += fitting.count;
        } else {
            AddRow(*custom_, {FromUtf8(NumberText(fitting.zeta)), QString::number(fitting.count),
                              FromUtf8(fitting.description)});
        }
    }
    const auto library = circuit::FittingLibrary();
    for (std::size_t row = 0; row < library.size(); ++row) {
        const auto found = counts.find(library[row].key);
        auto* box = static_cast<QSpinBox*>(library_->cellWidget(static_cast<int>(row), 2));
        const QSignalBlocker blocker(box);
        box->setValue(found == counts.end() ? 0 : static_cast<int>(found->second));
    }
    for (const circuit::Valve& valve : segment.valves) {
        AddRow(*valves_, {FromUtf8(NumberText(valve.kv)), FromUtf8(valve.description)});
    }
}

std::optional<FittingsDialog::Contents> FittingsDialog::Read() {
    Contents contents;
    const auto library = circuit::FittingLibrary();
    for (std::size_t row = 0; row < library.size(); ++row) {
        const auto* box = static_cast<QSpinBox*>(library_->cellWidget(static_cast<int>(row), 2));
        if (box->value() > 0) {
            contents.fittings.push_back({std::string(library[row].key), 0.0, box->value(), ""});
        }
    }
    const auto fail = [this](const std::string& problem) {
        message_->setText(FromUtf8(problem));
        return std::nullopt;
    };
    for (int row = 0; row < custom_->rowCount(); ++row) {
        const std::string line = "Riga " + std::to_string(row + 1) + " degli altri ζ, ";
        const auto zeta = ReadNumber(CellText(*custom_, row, 0), line + "ζ");
        if (const auto* problem = std::get_if<std::string>(&zeta)) {
            return fail(*problem);
        }
        const auto count = ReadNumber(CellText(*custom_, row, 1), line + "numero");
        if (const auto* problem = std::get_if<std::string>(&count)) {
            return fail(*problem);
        }
        const double n = std::get<double>(count);
        if (!(n >= 1.0 && n <= 1e9 && n == std::floor(n))) {
            return fail(line + "numero: deve essere un numero intero, almeno 1.");
        }
        contents.fittings.push_back(
            {"", std::get<double>(zeta), static_cast<std::int64_t>(n), CellText(*custom_, row, 2)});
    }
    for (int row = 0; row < valves_->rowCount(); ++row) {
        const auto kv =
            ReadScaledNumber(CellText(*valves_, row, 0),
                             "Valvola " + std::to_string(row + 1) + ", Kv", circuit::kKvScale);
        if (const auto* problem = std::get_if<std::string>(&kv)) {
            return fail(*problem);
        }
        contents.valves.push_back({std::get<double>(kv), CellText(*valves_, row, 1)});
    }
    message_->clear();
    return contents;
}

void FittingsDialog::Update() {
    const circuit::Solution* solution = document_.Solution();
    const std::optional<Contents> contents = Read();
    if (!contents || solution == nullptr) {
        sums_->setText(QStringLiteral("Σζ –   Z –   valvole –"));
        return;
    }
    const circuit::LocalLosses losses =
        LocalLossesOf(*solution, segment_, contents->fittings, contents->valves);
    sums_->setText(FromUtf8("Σζ " + columns::FixedFigure(losses.zeta, 2) + "   Z " +
                            columns::FixedFigure(losses.localPa, 0) + " Pa   valvole " +
                            columns::FixedFigure(losses.valvesPa, 0) + " Pa"));
}

void FittingsDialog::accept() {
    if (Read()) {
        QDialog::accept();
    }
}

}  // namespace idrovela::sheet::qt
