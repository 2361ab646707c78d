#pragma once

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSettings;

namespace idrovela::window::qt {
class MainWindow;
}

namespace idrovela::tools {
class ToolMemory;
}

namespace idrovela::tools::qt {

// "Proprietà del fluido": the user picks water, ethylene glycol or propylene glycol, the
// concentration by volume (glycols only, 10–60 %) and the temperature; the dialog shows the
// density, the viscosity, the specific heat and the freezing point as they change, and "Applica"
// puts the fluid into the main window as the user would by hand (ApplyFluid). Non-modal: the main
// window stays usable. Its size is fixed: a message wraps in the room kept for it below the
// figures, and no control ever shrinks.
class FluidDialog final : public QDialog {
  public:
    FluidDialog(window::qt::MainWindow& main, ToolMemory& memory);

    void Apply();
    // Starts from the choice `settings` keeps, if any, and keeps there each choice the user makes.
    // `settings` must outlive the dialog.
    void RememberIn(QSettings& settings);

  private:
    void Evaluate();

    window::qt::MainWindow& main_;
    ToolMemory& memory_;
    QComboBox* kind_;
    QDoubleSpinBox* percent_;
    QDoubleSpinBox* celsius_;
    QLabel* density_;
    QLabel* viscosity_;
    QLabel* specificHeat_;
    QLabel* freezing_;
    QLabel* message_;
    QPushButton* apply_;
};

}  // namespace idrovela::tools::qt
