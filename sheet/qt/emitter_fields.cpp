#include "sheet/qt/emitter_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "sheet/qt/form_fields.h"

namespace idrovela::sheet::qt {

namespace {

QLineEdit* Field(const char* name, const char* tip, const char* accessible) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromUtf8(name));
    field->setToolTip(QString::fromUtf8(tip));
    field->setAccessibleName(QString::fromUtf8(accessible));
    return field;
}

}  // namespace

EmitterFields::EmitterFields(std::function<void()> changed)
    : changed_(std::move(changed)),
      present_(new QCheckBox(QStringLiteral("Emettitore del terminale"))),
      fields_(new QWidget),
      model_(new QComboBox),
      sections_(Field("Elementi", "Il numero di elementi del modello; vuoto: quello proposto",
                      "Numero di elementi")),
      proposed_(new QLabel),
      nominal_(Field("PotenzaNominale", "La potenza a 75/65/20 °C, in W",
                     "Potenza nominale dell'emettitore")),
      exponent_(Field("Esponente", "L'esponente della caratteristica, da 1,0 a 2,0; vuoto: 1,3",
                      "Esponente dell'emettitore")),
      room_(
          Field("Ambiente", "La temperatura del locale, in °C; vuoto: 20", "Temperatura ambiente")),
      content_(Field("Contenuto", "L'acqua contenuta, in litri; vuoto: 0",
                     "Contenuto d'acqua dell'emettitore")) {
    present_->setObjectName(QStringLiteral("Emettitore"));
    present_->setToolTip(
        QStringLiteral("Un radiatore o un convettore: la portata del terminale segue da esso"));
    model_->setObjectName(QStringLiteral("ModelloEmettitore"));
    model_->setToolTip(
        QStringLiteral("Un modello del catalogo degli emettitori, o i valori "
                       "scritti a mano"));
    model_->setAccessibleName(QStringLiteral("Modello dell'emettitore"));
    proposed_->setObjectName(QStringLiteral("ElementiProposti"));
    proposed_->setWordWrap(true);

    auto* form = new QFormLayout(fields_);
    form->setContentsMargins(0, 0, 0, 0);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    const auto row = [form](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row("Modello", model_);
    row("Elementi", sections_);
    form->addRow(proposed_);
    row("Φn a 75/65/20 [W]", nominal_);
    row("Esponente n", exponent_);
    row("Ambiente [°C]", room_);
    row("Contenuto [l]", content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(present_);
    layout->addWidget(fields_);

    connect(present_, &QCheckBox::clicked, this, [this] {
        EnableFields();
        changed_();
    });
    connect(model_, &QComboBox::activated, this, [this] {
        // A model just chosen takes the proposed number of sections.
        SetFieldText(*sections_, {});
        EnableFields();
        changed_();
    });
    for (QLineEdit* edit : {sections_, nominal_, exponent_, room_, content_}) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (edit->isModified()) {
                changed_();
            }
        });
    }
    Show({}, {}, std::nullopt);
}

EmitterForm EmitterFields::Form() const {
    EmitterForm form;
    form.present = present_->isChecked();
    if (!form.present) {
        return form;
    }
    form.model = model_->currentIndex() > 0 ? ToUtf8(model_->currentText()) : std::string();
    form.sectionsText = ToUtf8(sections_->text());
    form.nominalText = ToUtf8(nominal_->text());
    form.exponentText = ToUtf8(exponent_->text());
    form.roomText = ToUtf8(room_->text());
    form.contentText = ToUtf8(content_->text());
    return form;
}

void EmitterFields::Show(const EmitterForm& form, const std::vector<std::string>& models,
                         std::optional<std::int64_t> proposed) {
    present_->setChecked(form.present);
    {
        const QSignalBlocker blocker(model_);
        model_->clear();
        model_->addItem(QStringLiteral("Valori scritti"));
        for (const std::string& model : models) {
            model_->addItem(FromUtf8(model));
        }
        int current = 0;
        if (!form.model.empty()) {
            current = model_->findText(FromUtf8(form.model), Qt::MatchExactly);
            if (current < 0) {
                // A model this catalogue lacks: its figures stay as the file has them.
                model_->addItem(FromUtf8(form.model));
                current = model_->count() - 1;
            }
        }
        model_->setCurrentIndex(current);
    }
    SetFieldText(*sections_, form.sectionsText);
    SetFieldText(*nominal_, form.nominalText);
    SetFieldText(*exponent_, form.exponentText);
    SetFieldText(*room_, form.roomText);
    SetFieldText(*content_, form.contentText);
    if (form.model.empty()) {
        proposed_->clear();
    } else if (proposed) {
        proposed_->setText(QStringLiteral("Elementi proposti: %1").arg(*proposed));
    } else {
        proposed_->setText(QStringLiteral("Nessun numero di elementi dà il carico"));
    }
    proposed_->setVisible(!form.model.empty());
    EnableFields();
}

void EmitterFields::AskForNominal() {
    EnableFields();
    nominal_->setFocus();
}

void EmitterFields::EnableFields() {
    const bool present = present_->isChecked();
    fields_->setEnabled(present);
    const bool model = model_->currentIndex() > 0;
    sections_->setEnabled(model);
    // A model's figures follow from its sections.
    nominal_->setReadOnly(model);
    exponent_->setReadOnly(model);
    content_->setReadOnly(model);
}

}  // namespace idrovela::sheet::qt
