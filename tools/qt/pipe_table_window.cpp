#include "tools/qt/pipe_table_window.h"

#include <QBuffer>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPageSize>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "text/path_text.h"
#include "tools/qt/number_box.h"
#include "tools/qt/remembered_choices.h"
#include "tools/qt/wrapping_tool_tip.h"
#include "tools/tool_memory.h"
#include "tools/window_y.h"
#include "window/qt/main_window.h"
#include "window/qt/qt_italian.h"
#include "window/qt/wheel_focus.h"

namespace idrovela::tools::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int ColumnCount() {
    return static_cast<int>(TableColumns().size());
}

}  // namespace

PipeTableWindow::PipeTableWindow(window::qt::MainWindow& main, ToolMemory& memory,
                                 catalogues::Catalogue catalogue)
    : QWidget(&main, Qt::Tool),
      main_(main),
      memory_(memory),
      catalogue_(std::move(catalogue)),
      series_(new QComboBox),
      maxLoss_(CommaNumberBox(0, 100000, limits_.pascalPerMetre, 1, QStringLiteral(" Pa/m"))),
      maxVelocity_(CommaNumberBox(0, 100, limits_.velocityMs, 2, QStringLiteral(" m/s"))),
      rows_(new QTableWidget(0, ColumnCount())),
      source_(new QPlainTextEdit),
      notes_(new QLabel),
      problems_(new QListWidget),
      add_(new QPushButton(QStringLiteral("A&ggiungi al circuito"))) {
    setObjectName(QStringLiteral("TubiCommerciali"));
    window::qt::WheelOnlyWithFocus(*this);
    setWindowTitle(QStringLiteral("Tubi commerciali"));
    series_->setObjectName(QStringLiteral("Serie"));
    // Long series titles must not widen the window past what a small screen has beside the
    // main window; the open list shows them whole.
    series_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    series_->setMinimumContentsLength(16);
    maxLoss_->setObjectName(QStringLiteral("LimitePerdita"));
    maxVelocity_->setObjectName(QStringLiteral("LimiteVelocita"));
    rows_->setObjectName(QStringLiteral("Tubi"));
    notes_->setObjectName(QStringLiteral("Note"));
    problems_->setObjectName(QStringLiteral("Problemi"));
    FillSeries();

    QStringList columns;
    for (const std::string& column : TableColumns()) {
        columns << FromUtf8(column);
    }
    rows_->setHorizontalHeaderLabels(columns);
    for (int c = 0; c < ColumnCount(); ++c) {
        rows_->horizontalHeaderItem(c)->setToolTip(
            WrappingToolTip(ToolTipFor(TableColumns()[static_cast<std::size_t>(c)])));
    }
    rows_->verticalHeader()->hide();
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    rows_->installEventFilter(this);
    rows_->setAccessibleName(QStringLiteral("Tubi della serie"));
    source_->setObjectName(QStringLiteral("Fonte"));
    source_->setReadOnly(true);
    source_->setAccessibleName(QStringLiteral("Fonte della serie"));
    notes_->setWordWrap(true);
    // The table takes the room; the source and the problems show a few lines and scroll.
    const int line = fontMetrics().lineSpacing();
    source_->setFixedHeight(3 * line + 12);
    problems_->setFixedHeight(3 * line + 12);

    auto* inputs = new QFormLayout;
    inputs->addRow(QStringLiteral("&Serie"), series_);
    inputs->addRow(QStringLiteral("Limite di &perdita"), maxLoss_);
    inputs->addRow(QStringLiteral("Limite di &velocità"), maxVelocity_);
    auto* csv = new QPushButton(QStringLiteral("Esporta &CSV…"));
    auto* pdf = new QPushButton(QStringLiteral("Salva P&DF…"));
    auto* print = new QPushButton(QStringLiteral("S&tampa…"));
    add_->setObjectName(QStringLiteral("AggiungiAlCircuito"));
    add_->setToolTip(QStringLiteral(
        "Un nuovo tratto nel circuito attivo, sotto il tratto selezionato: il tubo della riga "
        "selezionata, lunghezza 0, e un terminale con la portata G della finestra principale"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(csv);
    buttons->addWidget(pdf);
    buttons->addWidget(print);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(new QLabel(QStringLiteral("Fonte:")));
    layout->addWidget(source_);
    layout->addWidget(rows_, 1);
    // Beside the table it acts on; the row of exports below stays narrow.
    auto* linked = new QHBoxLayout;
    linked->addWidget(add_);
    linked->addStretch();
    layout->addLayout(linked);
    layout->addWidget(notes_);
    layout->addWidget(new QLabel(QStringLiteral("Problemi nei cataloghi:")));
    layout->addWidget(problems_);
    layout->addLayout(buttons);
    resize(700, 560);

    connect(series_, &QComboBox::activated, this, [this] {
        choice_.Pick(series_->currentData().toString().toStdString());
        Refresh();
    });
    connect(maxLoss_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        limits_.pascalPerMetre = value;
        Refresh();
    });
    connect(maxVelocity_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        limits_.velocityMs = value;
        Refresh();
    });
    connect(rows_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { ChooseRow(row); });
    connect(csv, &QPushButton::clicked, this, [this] {
        const QString path =
            window::qt::SaveFileName(this, QStringLiteral("Esporta la tabella"),
                                     QStringLiteral("tubi.csv"), QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty()) {
            ExportCsv(path);
        }
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path =
            window::qt::SaveFileName(this, QStringLiteral("Salva la tabella come PDF"),
                                     QStringLiteral("tubi.pdf"), QStringLiteral("PDF (*.pdf)"));
        if (!path.isEmpty()) {
            SavePdf(path);
        }
    });
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(add_, &QPushButton::clicked, this, [this] { AddSelectedTube(); });
    connect(rows_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateAddButton(); });
    Refresh();
}

void PipeTableWindow::RememberIn(QSettings& settings) {
    if (const auto limits = RememberedLimits(settings)) {
        maxLoss_->setValue(limits->pascalPerMetre);
        maxVelocity_->setValue(limits->velocityMs);
    }
    if (const auto series = RememberedSeries(settings);
        series && catalogue_.Find(*series) != nullptr) {
        // As if the user picked it now: a change of material still selects that material's own.
        static_cast<void>(choice_.Current(main_.Model()));
        choice_.Pick(*series);
        Refresh();
    }
    const auto rememberLimits = [this, &settings] { RememberLimits(settings, limits_); };
    connect(maxLoss_, &QDoubleSpinBox::valueChanged, this, rememberLimits);
    connect(maxVelocity_, &QDoubleSpinBox::valueChanged, this, rememberLimits);
    connect(series_, &QComboBox::activated, this, [this, &settings] {
        RememberSeries(settings, series_->currentData().toString().toStdString());
    });
}

void PipeTableWindow::FillSeries() {
    for (const catalogues::Series& series : catalogue_.series) {
        series_->addItem(FromUtf8(series.title), FromUtf8(series.name));
    }
    problems_->clear();
    for (const catalogues::Problem& problem : catalogue_.problems) {
        std::string where = problem.file;
        if (problem.line > 0) {
            where += ':';
            where += std::to_string(problem.line);
        }
        problems_->addItem(FromUtf8(where + ": " + problem.message));
    }
    if (catalogue_.problems.empty()) {
        problems_->addItem(QStringLiteral("nessuno"));
    }
}

const catalogues::Series* PipeTableWindow::CurrentSeries() const {
    return catalogue_.Find(series_->currentData().toString().toStdString());
}

void PipeTableWindow::Refresh() {
    const std::string& name = choice_.Current(main_.Model());
    {
        const QSignalBlocker blocker(series_);
        const int index = series_->findData(FromUtf8(name));
        if (index >= 0) {
            series_->setCurrentIndex(index);
        }
    }
    const catalogues::Series* series = CurrentSeries();
    if (series == nullptr) {
        rows_->setRowCount(0);
        return;
    }
    table_ = ComputePipeTable(main_.Model(), *series, limits_);
    QStringList sourceLines;
    for (const std::string& note : series->notes) {
        sourceLines << FromUtf8(note);
    }
    source_->setPlainText(sourceLines.join('\n'));

    rows_->setRowCount(static_cast<int>(table_.rows.size()));
    const QColor dimmed = palette().color(QPalette::Disabled, QPalette::Text);
    for (std::size_t r = 0; r < table_.rows.size(); ++r) {
        const PipeRow& row = table_.rows[r];
        const std::vector<std::string> cells = TableCells(row);
        for (int c = 0; c < ColumnCount(); ++c) {
            auto* item = new QTableWidgetItem(FromUtf8(cells[static_cast<std::size_t>(c)]));
            if (IsNumberColumn(static_cast<std::size_t>(c))) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            if (row.mark == PipeMark::Scelto) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            } else if (row.mark == PipeMark::Fuori) {
                item->setForeground(dimmed);
            }
            rows_->setItem(static_cast<int>(r), c, item);
        }
    }
    rows_->resizeColumnsToContents();
    if (table_.chosen) {
        rows_->scrollToItem(rows_->item(static_cast<int>(*table_.chosen), 0),
                            QAbstractItemView::PositionAtCenter);
    }
    QStringList notes;
    if (!table_.message.empty()) {
        notes << FromUtf8(table_.message);
    }
    for (const std::string& note : table_.notes) {
        notes << FromUtf8(note);
    }
    notes_->setText(notes.join('\n'));
    UpdateAddButton();
}

void PipeTableWindow::ChooseRow(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table_.rows.size()) {
        return;
    }
    const catalogues::Series* series = CurrentSeries();
    if (series == nullptr) {
        return;
    }
    const catalogues::Series chosenFrom = *series;
    const PipeRow row = table_.rows[static_cast<std::size_t>(index)];
    main_.Act([this, &chosenFrom, &row](window::Form_Principale& form) {
        if (memory_.ChooseTube(form, chosenFrom, row)) {
            choice_.Chose(chosenFrom.name, form);
        }
    });
}

std::optional<ChosenTube> PipeTableWindow::SelectedTube() const {
    const catalogues::Series* series = CurrentSeries();
    const QList<QTableWidgetItem*> selected = rows_->selectedItems();
    if (series == nullptr || selected.isEmpty()) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(selected.front()->row());
    if (row >= table_.rows.size()) {
        return std::nullopt;
    }
    return ChosenTube{series->name, series->title, table_.rows[row].tube};
}

void PipeTableWindow::LinkCircuits(CircuitLink link) {
    link_ = std::move(link);
    UpdateAddButton();
}

void PipeTableWindow::UpdateAddButton() {
    add_->setEnabled(link_.circuitOpen && link_.addTube && link_.circuitOpen() &&
                     SelectedTube().has_value());
}

void PipeTableWindow::AddSelectedTube() {
    const std::optional<ChosenTube> tube = SelectedTube();
    if (!tube || !link_.addTube) {
        return;
    }
    if (const std::optional<std::string> problem = link_.addTube(*tube)) {
        QMessageBox::warning(this, windowTitle(), FromUtf8(*problem));
    }
}

bool PipeTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rows_ && event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            ChooseRow(rows_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString PipeTableWindow::Html() const {
    const catalogues::Series* series = CurrentSeries();
    return series == nullptr ? QString() : FromUtf8(PipeTableHtml(table_, *series, limits_));
}

void PipeTableWindow::ExportCsv(const QString& path) {
    const catalogues::Series* series = CurrentSeries();
    if (series == nullptr) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Impossibile scrivere %1: %2").arg(path, QFile(path).errorString()));
        return;
    }
    WriteWhole(path, PipeTableCsv(table_, *series, limits_));
}

void PipeTableWindow::SavePdf(const QString& path) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(QStringLiteral("Tubi commerciali"));
        writer.setCreator(QStringLiteral("Idrovela"));
        QTextDocument document;
        document.setHtml(Html());
        document.print(&writer);
    }
    WriteWhole(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Written whole or not at all, as every file of the program: a failed export leaves the old
// file as it was, and says why in the program's words.
void PipeTableWindow::WriteWhole(const QString& path, std::string_view bytes) {
    try {
        circuit::WriteWholeFile(text::PathFromUtf8(path.toStdString()), bytes);
    } catch (const circuit::FileError& error) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Impossibile scrivere %1: %2")
                                 .arg(path, QString::fromUtf8(error.what())));
    }
}

void PipeTableWindow::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        QTextDocument document;
        document.setHtml(Html());
        document.print(&printer);
    }
}

}  // namespace idrovela::tools::qt
