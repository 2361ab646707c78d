#include "sheet/qt/detail_pane.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "circuit/messages.h"
#include "sheet/qt/emitter_fields.h"
#include "sheet/qt/form_fields.h"
#include "sheet/window_texts.h"
#include "text/quoted.h"

namespace idrovela::sheet::qt {

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
      message_(ProblemLabel("MessaggioTerminale")),
      figures_(new QFormLayout),
      terminal_(new QWidget),
      emitter_(new EmitterFields([this] { Send(); })) {
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
    form->addRow(emitter_);

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
    ShowNothing();
}

TerminalForm DetailPane::Form() const {
    TerminalForm form;
    form.present = present_->isChecked();
    form.description = ToUtf8(description_->text());
    form.load = static_cast<circuit::Terminal::Load>(load_->currentIndex());
    form.loadText = ToUtf8(loadValue_->text());
    form.device = static_cast<circuit::Terminal::Device>(device_->currentIndex());
    form.deviceText = ToUtf8(deviceValue_->text());
    form.emitter = emitter_->Form();
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
    if (form.emitter.present && form.emitter.model.empty() && form.emitter.nominalText.empty()) {
        // An emitter just added waits for its Φn.
        emitter_->AskForNominal();
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

void DetailPane::ShowNothing() {
    mirroring_ = true;
    while (figures_->rowCount() > 0) {
        figures_->removeRow(0);
    }
    setEnabled(false);
    title_->setText(QStringLiteral("Nessun tratto selezionato"));
    upstream_->clear();
    present_->setChecked(false);
    emitter_->Show({}, {}, std::nullopt);
    EnableFields();
    mirroring_ = false;
}

void DetailPane::Show(const Document& document, std::optional<std::size_t> segment) {
    if (!segment) {
        ShowNothing();
        return;
    }
    mirroring_ = true;
    while (figures_->rowCount() > 0) {
        figures_->removeRow(0);
    }
    setEnabled(true);
    const circuit::Circuit& circuit = document.Circuit();
    const circuit::Solution* solution = document.Solution();
    const circuit::Segment& given = circuit.segments[*segment];
    title_->setText(QStringLiteral("Tratto ") + FromUtf8(text::Quoted(given.id)));
    upstream_->setText(given.upstream
                           ? QStringLiteral("A monte: ") + FromUtf8(text::Quoted(*given.upstream))
                           : QStringLiteral("A monte: la sorgente"));
    const TerminalForm form = TerminalFormOf(given);
    present_->setChecked(form.present);
    SetFieldText(*description_, form.description);
    {
        const QSignalBlocker loadBlocker(load_);
        const QSignalBlocker deviceBlocker(device_);
        load_->setCurrentIndex(static_cast<int>(form.load));
        device_->setCurrentIndex(static_cast<int>(form.device));
    }
    SetFieldText(*loadValue_, form.loadText);
    SetFieldText(*deviceValue_, form.deviceText);
    std::vector<std::string> models;
    for (const catalogues::EmitterModel& model : document.Catalogue().emitters) {
        models.push_back(model.name);
    }
    std::optional<std::int64_t> proposed;
    if (!form.emitter.model.empty()) {
        proposed = ProposedSectionsAt(document, *segment, form.emitter.model,
                                      given.terminal->emitter->roomC);
    }
    emitter_->Show(form.emitter, models, proposed);
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
