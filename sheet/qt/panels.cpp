#include "sheet/qt/panels.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "circuit/messages.h"
#include "sheet/window_texts.h"
#include "text/quoted.h"

namespace idrovela::sheet::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

QLabel* Problem(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromUtf8(name));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #a00000"));
    label->setAccessibleName(QStringLiteral("Messaggio"));
    label->hide();
    return label;
}

void SetText(QLineEdit& edit, const std::string& text) {
    const QString shown = FromUtf8(text);
    if (edit.text() != shown) {
        const QSignalBlocker blocker(&edit);
        edit.setText(shown);
    }
    edit.setModified(false);
}

}  // namespace

// ---- SettingsPanel ----

SettingsPanel::SettingsPanel(Commit commit)
    : QGroupBox(QStringLiteral("Circuito")), commit_(std::move(commit)) {
    setObjectName(QStringLiteral("Impostazioni"));
    setToolTip(QStringLiteral("Le impostazioni di tutto il circuito"));
    auto* grid = new QGridLayout;
    name_ = Field(*grid, 0, 0, "&Nome", "Nome", "Il nome del progetto");
    author_ = Field(*grid, 0, 1, "A&utore", "Autore", "Chi ha fatto il calcolo");
    notes_ = Field(*grid, 0, 2, "N&ote", "Note", "Note sul progetto");
    fluid_ = new QComboBox;
    fluid_->setObjectName(QStringLiteral("Fluido"));
    fluid_->addItems({QStringLiteral("acqua"), QStringLiteral("glicole etilenico"),
                      QStringLiteral("glicole propilenico")});
    fluid_->setToolTip(QStringLiteral("Il fluido del circuito"));
    fluid_->setAccessibleName(QStringLiteral("Fluido"));
    auto* fluidLabel = new QLabel(QStringLiteral("Flu&ido"));
    fluidLabel->setBuddy(fluid_);
    grid->addWidget(fluidLabel, 1, 0);
    grid->addWidget(fluid_, 1, 1);
    connect(fluid_, &QComboBox::activated, this, [this] { Send(); });
    percent_ = Field(*grid, 1, 1, "&Glicole [%]", "Percentuale",
                     "La percentuale di glicole in volume, da 10 a 60; 0 per l'acqua");
    supply_ = Field(*grid, 1, 2, "Man&data [°C]", "Mandata", "La temperatura di mandata");
    return_ = Field(*grid, 1, 3, "&Ritorno [°C]", "Ritorno", "La temperatura di ritorno");
    pascalPerMetre_ = Field(*grid, 2, 0, "&Limite R [Pa/m]", "LimitePerdita",
                            "Il tubo automatico è il primo della serie con R entro questo limite");
    velocity_ = Field(*grid, 2, 1, "Limite &w [m/s]", "LimiteVelocita",
                      "Il tubo automatico è il primo della serie con w entro questo limite");
    flowMargin_ = Field(*grid, 2, 2, "Margine &portata [%]", "MarginePortata",
                        "Il margine sulla portata della pompa, da 0 a 100 %");
    headMargin_ = Field(*grid, 2, 3, "Margine preval&enza [%]", "MarginePrevalenza",
                        "Il margine sulla prevalenza della pompa, da 0 a 100 %");
    message_ = Problem("MessaggioImpostazioni");
    grid->addWidget(message_, 3, 0, 1, 8);
    for (int column = 1; column < 8; column += 2) {
        grid->setColumnStretch(column, 1);
    }
    setLayout(grid);
}

QLineEdit* SettingsPanel::Field(QGridLayout& grid, int row, int column, const char* caption,
                                const char* name, const char* tip) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromUtf8(name));
    edit->setToolTip(QString::fromUtf8(tip));
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setBuddy(edit);
    edit->setAccessibleName(label->text().remove('&'));
    grid.addWidget(label, row, 2 * column);
    grid.addWidget(edit, row, 2 * column + 1, 1, row == 0 && column == 2 ? 3 : 1);
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        if (edit->isModified()) {
            Send();
        }
    });
    return edit;
}

void SettingsPanel::Send() {
    if (mirroring_) {
        return;
    }
    SettingsForm form;
    form.name = ToUtf8(name_->text());
    form.author = ToUtf8(author_->text());
    form.notes = ToUtf8(notes_->text());
    form.fluid = static_cast<circuit::FluidType>(fluid_->currentIndex());
    form.percentText = ToUtf8(percent_->text());
    form.supplyText = ToUtf8(supply_->text());
    form.returnText = ToUtf8(return_->text());
    form.pascalPerMetreText = ToUtf8(pascalPerMetre_->text());
    form.velocityText = ToUtf8(velocity_->text());
    form.flowMarginText = ToUtf8(flowMargin_->text());
    form.headMarginText = ToUtf8(headMargin_->text());
    message_->hide();
    commit_(form);
}

void SettingsPanel::Mirror(const circuit::Circuit& circuit) {
    mirroring_ = true;
    const SettingsForm form = SettingsFormOf(circuit);
    // Notes on several lines keep their line breaks unless the user edits them here.
    SetText(*name_, form.name);
    SetText(*author_, form.author);
    SetText(*notes_, form.notes);
    {
        const QSignalBlocker blocker(fluid_);
        fluid_->setCurrentIndex(static_cast<int>(form.fluid));
    }
    SetText(*percent_, form.percentText);
    SetText(*supply_, form.supplyText);
    SetText(*return_, form.returnText);
    SetText(*pascalPerMetre_, form.pascalPerMetreText);
    SetText(*velocity_, form.velocityText);
    SetText(*flowMargin_, form.flowMarginText);
    SetText(*headMargin_, form.headMarginText);
    mirroring_ = false;
}

void SettingsPanel::ShowProblem(const QString& problem) {
    message_->setText(problem);
    message_->setVisible(!problem.isEmpty());
}

// ---- DetailPane ----

DetailPane::DetailPane(Commit commit, QAction& fittings, QAction& move)
    : commit_(std::move(commit)),
      title_(new QLabel),
      upstream_(new QLabel),
      present_(new QCheckBox(QStringLiteral("&Terminale alla fine del tratto"))),
      description_(new QLineEdit),
      load_(new QComboBox),
      loadValue_(new QLineEdit),
      device_(new QComboBox),
      deviceValue_(new QLineEdit),
      message_(Problem("MessaggioTerminale")),
      figures_(new QFormLayout),
      terminal_(new QWidget) {
    setObjectName(QStringLiteral("Dettaglio"));
    title_->setObjectName(QStringLiteral("TrattoSelezionato"));
    upstream_->setObjectName(QStringLiteral("AMonte"));
    upstream_->setWordWrap(true);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    present_->setObjectName(QStringLiteral("Terminale"));
    present_->setToolTip(
        QStringLiteral("Un radiatore o un'altra utenza alla fine del tratto, con il suo carico"));
    description_->setObjectName(QStringLiteral("DescrizioneTerminale"));
    description_->setToolTip(QStringLiteral("Che cosa è il terminale"));
    description_->setAccessibleName(QStringLiteral("Descrizione del terminale"));
    load_->setObjectName(QStringLiteral("TipoCarico"));
    load_->addItems({QStringLiteral("Potenza [W]"), QStringLiteral("Portata [l/h]")});
    load_->setToolTip(QStringLiteral("Il carico del terminale: come potenza o come portata"));
    load_->setAccessibleName(QStringLiteral("Tipo di carico"));
    loadValue_->setObjectName(QStringLiteral("Carico"));
    loadValue_->setToolTip(QStringLiteral("La potenza in W o la portata in l/h"));
    loadValue_->setAccessibleName(QStringLiteral("Carico del terminale"));
    device_->setObjectName(QStringLiteral("TipoApparecchio"));
    device_->addItems({QStringLiteral("Nessuna perdita"), QStringLiteral("Δp [Pa]"),
                       QStringLiteral("Kv [m³/h]")});
    device_->setToolTip(QStringLiteral("La perdita propria dell'apparecchio: un Δp o un Kv"));
    device_->setAccessibleName(QStringLiteral("Perdita dell'apparecchio"));
    deviceValue_->setObjectName(QStringLiteral("Apparecchio"));
    deviceValue_->setToolTip(QStringLiteral("Il Δp in Pa o il Kv in m³/h dell'apparecchio"));
    deviceValue_->setAccessibleName(QStringLiteral("Valore della perdita dell'apparecchio"));

    auto* fittingsButton = new QToolButton;
    fittingsButton->setDefaultAction(&fittings);
    fittingsButton->setObjectName(QStringLiteral("PulsanteAccidenti"));
    auto* moveButton = new QToolButton;
    moveButton->setDefaultAction(&move);
    moveButton->setObjectName(QStringLiteral("PulsanteSposta"));
    fittingsButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    moveButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(fittingsButton, 0, Qt::AlignLeft);
    buttons->addWidget(moveButton, 0, Qt::AlignLeft);

    auto* form = new QFormLayout(terminal_);
    form->setContentsMargins(0, 0, 0, 0);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    figures_->setRowWrapPolicy(QFormLayout::WrapLongRows);
    const auto row = [form](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row("De&scrizione", description_);
    row("C&arico", load_);
    row("&Valore", loadValue_);
    row("Apparecc&hio", device_);
    row("Valore (Δp o &Kv)", deviceValue_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(upstream_);
    layout->addLayout(buttons);
    layout->addWidget(present_);
    layout->addWidget(terminal_);
    layout->addWidget(message_);
    layout->addLayout(figures_);
    layout->addStretch();

    connect(present_, &QCheckBox::clicked, this, [this] { Send(); });
    connect(load_, &QComboBox::activated, this, [this] { Send(); });
    connect(device_, &QComboBox::activated, this, [this] { Send(); });
    for (QLineEdit* edit : {description_, loadValue_, deviceValue_}) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (edit->isModified()) {
                Send();
            }
        });
    }
    Show({}, nullptr, std::nullopt);
}

TerminalForm DetailPane::Form() const {
    TerminalForm form;
    form.present = present_->isChecked();
    form.description = ToUtf8(description_->text());
    form.load = static_cast<circuit::Terminal::Load>(load_->currentIndex());
    form.loadText = ToUtf8(loadValue_->text());
    form.device = static_cast<circuit::Terminal::Device>(device_->currentIndex());
    form.deviceText = ToUtf8(deviceValue_->text());
    return form;
}

void DetailPane::Send() {
    if (mirroring_) {
        return;
    }
    TerminalForm form = Form();
    if (form.present && form.loadText.empty()) {
        form.loadText.assign(1, '0');  // a terminal just added: no load yet
    }
    if (form.device != circuit::Terminal::Device::None && form.deviceText.empty()) {
        // A device just chosen waits for its value.
        EnableFields();
        deviceValue_->setFocus();
        return;
    }
    message_->hide();
    commit_(form);
}

void DetailPane::EnableFields() {
    const bool present = present_->isChecked();
    terminal_->setEnabled(present);
    deviceValue_->setEnabled(present && device_->currentIndex() != 0);
}

void DetailPane::Show(const circuit::Circuit& circuit, const circuit::Solution* solution,
                      std::optional<std::size_t> segment) {
    mirroring_ = true;
    while (figures_->rowCount() > 0) {
        figures_->removeRow(0);
    }
    setEnabled(segment.has_value());
    if (!segment) {
        title_->setText(QStringLiteral("Nessun tratto selezionato"));
        upstream_->clear();
        present_->setChecked(false);
        EnableFields();
        mirroring_ = false;
        return;
    }
    const circuit::Segment& given = circuit.segments[*segment];
    title_->setText(QStringLiteral("Tratto ") + FromUtf8(text::Quoted(given.id)));
    upstream_->setText(given.upstream
                           ? QStringLiteral("A monte: ") + FromUtf8(text::Quoted(*given.upstream))
                           : QStringLiteral("A monte: la sorgente"));
    const TerminalForm form = TerminalFormOf(given);
    present_->setChecked(form.present);
    SetText(*description_, form.description);
    {
        const QSignalBlocker loadBlocker(load_);
        const QSignalBlocker deviceBlocker(device_);
        load_->setCurrentIndex(static_cast<int>(form.load));
        device_->setCurrentIndex(static_cast<int>(form.device));
    }
    SetText(*loadValue_, form.loadText);
    SetText(*deviceValue_, form.deviceText);
    EnableFields();
    if (solution != nullptr) {
        for (const Line& line : TerminalLines(circuit, *solution, *segment)) {
            auto* value = new QLabel(FromUtf8(line.value));
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            value->setAccessibleName(FromUtf8(line.label));
            figures_->addRow(FromUtf8(line.label + ":"), value);
        }
    }
    mirroring_ = false;
}

void DetailPane::ShowProblem(const QString& problem) {
    message_->setText(problem);
    message_->setVisible(!problem.isEmpty());
}

}  // namespace idrovela::sheet::qt
