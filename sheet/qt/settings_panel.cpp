#include "sheet/qt/settings_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "sheet/qt/form_fields.h"

namespace idrovela::sheet::qt {

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
    minimumDrop_ = Field(*grid, 3, 0, "Salto min. [K]", "SaltoMinimo",
                         "Il raffreddamento minimo di ogni emettitore per la mandata minima, da 1 "
                         "a 50 K; vuoto: il Δθ del circuito");
    generator_ = Field(*grid, 3, 1, "Generatore [l]", "VolumeGeneratore",
                       "L'acqua contenuta nel generatore, in litri");
    other_ = Field(*grid, 3, 2, "Altri volumi [l]", "AltriVolumi",
                   "Altra acqua dell'impianto (accumuli, collettori), in litri");
    staticHeight_ = Field(*grid, 4, 0, "Altez&za [m]", "AltezzaStatica",
                          "L'altezza statica dell'impianto sopra il vaso di espansione");
    reliefValve_ = Field(*grid, 4, 1, "Sicurezza [&bar]", "ValvolaSicurezza",
                         "La taratura della valvola di sicurezza del vaso; vuota: nessun vaso da "
                         "dimensionare");
    maximum_ =
        Field(*grid, 4, 2, "θ massima [°C]", "TemperaturaMassima",
              "La temperatura più alta del fluido, per il vaso; vuota: la mandata (riscaldamento)");
    message_ = ProblemLabel("MessaggioImpostazioni");
    grid->addWidget(message_, 5, 0, 1, 8);
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
    form.minimumDropText = ToUtf8(minimumDrop_->text());
    form.generatorText = ToUtf8(generator_->text());
    form.otherText = ToUtf8(other_->text());
    form.staticHeightText = ToUtf8(staticHeight_->text());
    form.reliefValveText = ToUtf8(reliefValve_->text());
    form.maximumText = ToUtf8(maximum_->text());
    if (form.reliefValveText.empty() &&
        (!form.staticHeightText.empty() || !form.maximumText.empty())) {
        // A vessel just begun waits for its relief valve.
        reliefValve_->setFocus();
        return;
    }
    message_->hide();
    commit_(form);
}

void SettingsPanel::Mirror(const circuit::Circuit& circuit) {
    mirroring_ = true;
    const SettingsForm form = SettingsFormOf(circuit);
    // Notes on several lines keep their line breaks unless the user edits them here.
    SetFieldText(*name_, form.name);
    SetFieldText(*author_, form.author);
    SetFieldText(*notes_, form.notes);
    {
        const QSignalBlocker blocker(fluid_);
        fluid_->setCurrentIndex(static_cast<int>(form.fluid));
    }
    SetFieldText(*percent_, form.percentText);
    SetFieldText(*supply_, form.supplyText);
    SetFieldText(*return_, form.returnText);
    SetFieldText(*pascalPerMetre_, form.pascalPerMetreText);
    SetFieldText(*velocity_, form.velocityText);
    SetFieldText(*flowMargin_, form.flowMarginText);
    SetFieldText(*headMargin_, form.headMarginText);
    SetFieldText(*minimumDrop_, form.minimumDropText);
    SetFieldText(*generator_, form.generatorText);
    SetFieldText(*other_, form.otherText);
    SetFieldText(*staticHeight_, form.staticHeightText);
    SetFieldText(*reliefValve_, form.reliefValveText);
    SetFieldText(*maximum_, form.maximumText);
    mirroring_ = false;
}

void SettingsPanel::ShowProblem(const QString& problem) {
    message_->setText(problem);
    message_->setVisible(!problem.isEmpty());
}

}  // namespace idrovela::sheet::qt
