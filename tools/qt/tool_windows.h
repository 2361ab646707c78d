#pragma once

#include <QPointer>
#include <optional>
#include <string>

#include "tools/calculator_setup.h"
#include "tools/qt/circuit_link.h"
#include "tools/tool_memory.h"

namespace idrovela::window::qt {
class MainWindow;
}

namespace idrovela::tools::qt {

class FluidDialog;
class PhysicsPanelWindow;
class PipeTableWindow;

// The tool windows beside the main window: their entries in its "Strumenti" menu, each opening
// one non-modal window (the same one again when it is open), placed beside the main window, kept
// up to date after every action of the user, and closed by Escape. They share one ToolMemory,
// which follows every action and tells "Copia i valori" what an applied fluid is. With the main
// window's settings (MainWindow::Settings), their places and sizes, the table's limits and series
// and the fluid dialog's choice are kept there between runs. Linked to the circuit windows, the
// table adds its tubes to a circuit, and a circuit's segment sets the main window up.
class ToolWindows {
  public:
    explicit ToolWindows(window::qt::MainWindow& main);
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    void ShowPhysicsPanel();
    void ShowFluidDialog();
    void ShowPipeTable();

    // The circuit windows' side of "Aggiungi al circuito" (an empty link: none).
    void LinkCircuits(CircuitLink link);
    // After a circuit window opened, closed or became the active one.
    void CircuitsChanged();
    // The tube of the row selected in "Tubi commerciali", while it is open.
    [[nodiscard]] std::optional<ChosenTube> SelectedTube() const;
    // "Apri nel calcolatore": sets the main window up for a pipe as the user would
    // (SetUpCalculator) and brings it forward; why not, when it stopped.
    std::optional<std::string> OpenInCalculator(const CalculatorSetUp& setUp);
    [[nodiscard]] const ToolMemory& Memory() const { return memory_; }

  private:
    window::qt::MainWindow& main_;
    ToolMemory memory_;
    QPointer<PhysicsPanelWindow> physics_;
    QPointer<FluidDialog> fluid_;
    QPointer<PipeTableWindow> pipes_;
    CircuitLink circuits_;
};

}  // namespace idrovela::tools::qt
