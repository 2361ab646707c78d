#include "tools/qt/fluid_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "physics/glycol.h"
#include "text/figures.h"
#include "tools/fluid_tool.h"
#include "tools/qt/number_box.h"
#include "tools/qt/remembered_choices.h"
#include "tools/tool_memory.h"
#include "window/qt/main_window.h"
#include "window/qt/wheel_focus.h"

namespace idrovela::tools::qt {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The room kept for the messages, in the font's average characters and lines: the longest the
// dialog gives (a state beyond the temperatures the data hold together with no freezing point
// above 57,8 % of ethylene glycol) wraps into it.
constexpr int kMessageColumns = 52;
constexpr int kMessageLines = 6;

}  // namespace

FluidDialog::FluidDialog(window::qt::MainWindow& main, ToolMemory& memory)
    : QDialog(&main),
      main_(main),
      memory_(memory),
      kind_(new QComboBox),
      percent_(CommaNumberBox(physics::kGlycolMinVolumePercent, physics::kGlycolMaxVolumePercent,
                              30, 1, QStringLiteral(" % in volume"))),
      celsius_(CommaNumberBox(-50, 150, 20, 1, QStringLiteral(" °C"))),
      density_(new QLabel),
      viscosity_(new QLabel),
      specificHeat_(new QLabel),
      freezing_(new QLabel),
      message_(new QLabel),
      apply_(new QPushButton(QStringLiteral("&Applica"))) {
    setObjectName(QStringLiteral("ProprietaFluido"));
    window::qt::WheelOnlyWithFocus(*this);
    setWindowTitle(QStringLiteral("Proprietà del fluido"));
    setModal(false);
    kind_->setObjectName(QStringLiteral("Fluido"));
    kind_->addItem(QStringLiteral("Acqua"), static_cast<int>(FluidKind::Acqua));
    kind_->addItem(QStringLiteral("Glicole etilenico"), static_cast<int>(FluidKind::Etilenico));
    kind_->addItem(QStringLiteral("Glicole propilenico"), static_cast<int>(FluidKind::Propilenico));
    percent_->setObjectName(QStringLiteral("Concentrazione"));
    celsius_->setObjectName(QStringLiteral("Temperatura"));
    density_->setObjectName(QStringLiteral("Densita"));
    viscosity_->setObjectName(QStringLiteral("Viscosita"));
    specificHeat_->setObjectName(QStringLiteral("CaloreSpecifico"));
    freezing_->setObjectName(QStringLiteral("Congelamento"));
    message_->setObjectName(QStringLiteral("Messaggio"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // As wide as the dialog, at least the width kept for it; its height never changes.
    message_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    message_->setMinimumWidth(message_->fontMetrics().averageCharWidth() * kMessageColumns);
    message_->setFixedHeight(message_->fontMetrics().lineSpacing() * kMessageLines);
    apply_->setObjectName(QStringLiteral("Applica"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Fluido"), kind_);
    form->addRow(QStringLiteral("&Concentrazione"), percent_);
    form->addRow(QStringLiteral("&Temperatura"), celsius_);
    form->addRow(QStringLiteral("Densità"), density_);
    form->addRow(QStringLiteral("Viscosità"), viscosity_);
    form->addRow(QStringLiteral("Calore specifico"), specificHeat_);
    form->addRow(QStringLiteral("Punto di congelamento"), freezing_);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(apply_, QDialogButtonBox::ApplyRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(QStringLiteral("Chiudi"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(message_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { Evaluate(); });
    connect(percent_, &QDoubleSpinBox::valueChanged, this, [this] { Evaluate(); });
    connect(celsius_, &QDoubleSpinBox::valueChanged, this, [this] { Evaluate(); });
    connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    Evaluate();
}

void FluidDialog::Evaluate() {
    const auto kind = static_cast<FluidKind>(kind_->currentData().toInt());
    percent_->setEnabled(kind != FluidKind::Acqua);
    const FluidEvaluation evaluation = EvaluateFluid({kind, percent_->value(), celsius_->value()});
    if (evaluation.properties) {
        density_->setText(FromUtf8(evaluation.densityText + " kg/m³"));
        viscosity_->setText(FromUtf8(evaluation.viscosityText + " mPa·s"));
        specificHeat_->setText(FromUtf8(evaluation.specificHeatText + " kJ/(kg·K)"));
    } else {
        density_->setText(QStringLiteral("—"));
        viscosity_->setText(QStringLiteral("—"));
        specificHeat_->setText(QStringLiteral("—"));
    }
    freezing_->setText(evaluation.freezingPointC
                           ? FromUtf8(text::Shown(*evaluation.freezingPointC, 1) + " °C")
                           : QStringLiteral("—"));
    QStringList messages;
    if (!evaluation.error.empty()) {
        messages << FromUtf8(evaluation.error);
    }
    if (!evaluation.freezingError.empty()) {
        messages << FromUtf8(evaluation.freezingError);
    }
    message_->setText(messages.join('\n'));
    apply_->setEnabled(evaluation.properties.has_value());
}

void FluidDialog::Apply() {
    const FluidChoice choice{static_cast<FluidKind>(kind_->currentData().toInt()),
                             percent_->value(), celsius_->value()};
    main_.Act([this, &choice](window::Form_Principale& form) {
        static_cast<void>(memory_.ApplyFluid(form, choice));
    });
}

void FluidDialog::RememberIn(QSettings& settings) {
    if (const auto choice = RememberedFluid(settings)) {
        kind_->setCurrentIndex(std::max(0, kind_->findData(static_cast<int>(choice->kind))));
        percent_->setValue(choice->volumePercent);
        celsius_->setValue(choice->celsius);
    }
    const auto remember = [this, &settings] {
        RememberFluid(settings, {static_cast<FluidKind>(kind_->currentData().toInt()),
                                 percent_->value(), celsius_->value()});
    };
    connect(kind_, &QComboBox::currentIndexChanged, this, remember);
    connect(percent_, &QDoubleSpinBox::valueChanged, this, remember);
    connect(celsius_, &QDoubleSpinBox::valueChanged, this, remember);
}

}  // namespace idrovela::tools::qt
