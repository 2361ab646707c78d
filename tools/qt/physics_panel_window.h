#pragma once

#include <QWidget>
#include <vector>

class QGridLayout;
class QLabel;

namespace idrovela::window::qt {
class MainWindow;
}

namespace idrovela::tools {
class ToolMemory;
}

namespace idrovela::tools::qt {

// "Verifica fisica": a tool window beside the main one that shows, after every action of the
// user, the textbook figures for the window's pipe (CheckPhysics), at the chosen tube's bore
// while the window's diameter is the one it wrote, and the notes that go with them. A text that
// does not convert shows a short message here; no error box opens.
class PhysicsPanelWindow final : public QWidget {
  public:
    PhysicsPanelWindow(window::qt::MainWindow& main, const ToolMemory& memory);

    void Refresh();

  private:
    window::qt::MainWindow& main_;
    const ToolMemory& memory_;
    QGridLayout* figures_;
    QLabel* notes_;
    std::vector<QLabel*> labels_;
};

}  // namespace idrovela::tools::qt
