#pragma once

#include <QPointer>

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
// and the fluid dialog's choice are kept there between runs.
class ToolWindows {
  public:
    explicit ToolWindows(window::qt::MainWindow& main);
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    void ShowPhysicsPanel();
    void ShowFluidDialog();
    void ShowPipeTable();

  private:
    window::qt::MainWindow& main_;
    ToolMemory memory_;
    QPointer<PhysicsPanelWindow> physics_;
    QPointer<FluidDialog> fluid_;
    QPointer<PipeTableWindow> pipes_;
};

}  // namespace idrovela::tools::qt
