#pragma once

#include <QAction>
#include <QDialog>
#include <QPointer>
#include <functional>

class QMainWindow;
class QWidget;

namespace idrovela::window::qt {
class MainWindow;
}

namespace idrovela::sheet::qt {

// The circuit guide, one window for the whole program, owned by the main window, whose «?» menu
// gains «Guida ai circuiti» after «Guida». The first time in a run the guide goes where the
// settings remember it, else beside the window it was asked from; after that it stays where the
// user puts it, and asking again brings it forward.
class CircuitGuide {
  public:
    explicit CircuitGuide(window::qt::MainWindow& main);
    // Takes its entry out of the main window's menu, which may outlive it.
    ~CircuitGuide();
    CircuitGuide(const CircuitGuide&) = delete;
    CircuitGuide& operator=(const CircuitGuide&) = delete;

    void ShowBeside(QWidget& beside);
    // The guide's window while it is open; null otherwise.
    [[nodiscard]] QDialog* Window() const { return window_.data(); }

  private:
    window::qt::MainWindow& main_;
    QPointer<QAction> entry_;
    QPointer<QDialog> window_;
};

// A circuit window's «?» menu: «Guida ai circuiti» (F1), which runs `showGuide`, and
// «Informazioni su Idrovela».
void AddHelpMenu(QMainWindow& circuit, std::function<void()> showGuide);

}  // namespace idrovela::sheet::qt
