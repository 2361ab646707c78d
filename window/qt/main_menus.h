#pragma once

#include <QPointer>
#include <functional>
#include <optional>
#include <string>

class QDialog;
class QMenu;

namespace idrovela::window::qt {

class MainWindow;

// The main window's menu bar: File (copy the figures, quit; the circuit windows add their
// entries above), Strumenti (which the tool windows fill) and ? (help and about; the circuit
// windows add their guide).
class MainMenus {
  public:
    explicit MainMenus(MainWindow& window);

    [[nodiscard]] QMenu& File() const { return *file_; }
    [[nodiscard]] QMenu& Tools() const { return *tools_; }
    [[nodiscard]] QMenu& Help() const { return *helpMenu_; }
    // Says what the fluid "Altro" is, for "Copia i valori"; the tool windows know it.
    void DescribeOtherFluid(std::function<std::optional<std::string>()> describe) {
        describeOtherFluid_ = std::move(describe);
    }

    // What the menu items do.
    void CopyValues();
    void ShowHelp();
    void ShowAbout();

  private:
    MainWindow& window_;
    QMenu* file_;
    QMenu* tools_;
    QMenu* helpMenu_ = nullptr;
    QPointer<QDialog> help_;
    std::function<std::optional<std::string>()> describeOtherFluid_;
};

}  // namespace idrovela::window::qt
