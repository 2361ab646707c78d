#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "catalogues/catalogue.h"
#include "sheet/qt/circuit_help.h"
#include "sheet/qt/circuit_window.h"
#include "sheet/qt/dialogs.h"

class QMenu;

namespace idrovela::window::qt {
class MainWindow;
}

namespace idrovela::tools::qt {
class ToolWindows;
}

namespace idrovela::sheet::qt {

// Where the main window's frame goes so that a window that needs `neededWidth` and takes at
// least `minimumWidth` fits beside it on `screen`: the screen's left edge, at the same height;
// none when a side has the needed room already, or when the room right of the main window at
// the left edge would be no more than a side has now or less than the minimum.
[[nodiscard]] std::optional<QPoint> PlaceForRoom(const QRect& screen, const QRect& mainFrame,
                                                 int neededWidth, int minimumWidth);

// The program's circuit windows: "Nuovo circuito", "Apri circuito…" and "Circuiti recenti" (the
// last eight, kept in the main window's settings) at the top of the main window's File menu; each
// circuit in a window of its own beside the main one; at start-up the recovery copies a crash
// left, offered back; and on quitting, each window with unsaved changes asked about them first.
// Linked to the tool windows, "Tubi commerciali" adds its tubes to the active circuit (the circuit
// window last active), and a circuit's segment opens in the main window. The circuit guide opens
// from every circuit window's F1 and from the main window's «?» menu.
class CircuitWindowManager final : public QObject {
  public:
    // `dialogs` stands in for the message boxes and file dialogs in tests; `getenv` as std::getenv
    // (the catalogues' and the recovery copies' folders).
    explicit CircuitWindowManager(window::qt::MainWindow& main, Dialogs* dialogs = nullptr,
                                  std::function<const char*(const char*)> getenv = nullptr);
    ~CircuitWindowManager() override;
    CircuitWindowManager(const CircuitWindowManager&) = delete;
    CircuitWindowManager& operator=(const CircuitWindowManager&) = delete;

    // Each circuit window opens beside the main window, in front and active. Where the main
    // window leaves no side as wide as the circuit window needs, and the screen has more room
    // once the main window is at its left edge, the main window first moves there.
    CircuitWindow* NewCircuit();
    // Asks for a file and opens it; the dialog and any message open over `over` (by default the
    // main window).
    CircuitWindow* OpenCircuit(QWidget* over = nullptr);
    // Opens a circuit file in a window of its own (the window that has it already, if one has);
    // null, with the engine's message shown, when it cannot be loaded.
    CircuitWindow* Open(const std::filesystem::path& file);
    // Opens the files the program was started with (`idrovela FILE…`).
    void OpenAtStart(const std::vector<std::filesystem::path>& files);
    // Offers back, one by one, the recovery copies that no running program holds.
    void OfferRecoveries();
    // The circuit guide, which every circuit window's F1 and the main window's «?» menu show.
    [[nodiscard]] CircuitGuide& Guide() { return guide_; }

    [[nodiscard]] std::vector<CircuitWindow*> Windows() const;
    // The circuit window last active, or the one opened last; null with none open.
    [[nodiscard]] CircuitWindow* Active() const;
    // Links the circuit windows and the tool windows both ways; `tools` must outlive this.
    void LinkTools(tools::qt::ToolWindows& tools);
    [[nodiscard]] QStringList Recent() const;
    // How soon after a change the windows write their recovery copies (30 s by default).
    void SetAutosaveInterval(int milliseconds) { services_.autosaveMilliseconds = milliseconds; }
    [[nodiscard]] const std::optional<std::filesystem::path>& RecoveryDir() const {
        return services_.recoveryDir;
    }
    // Asks every window with unsaved changes; true when all may close (then they have closed).
    bool CloseAll();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::shared_ptr<const catalogues::Catalogue> Catalogue();
    CircuitWindow* Open(const std::filesystem::path& file, QWidget& over);
    CircuitWindow* Show(std::unique_ptr<Document> document,
                        std::unique_ptr<RecoveryFile> recovery = nullptr);
    void Remember(const std::filesystem::path& file);
    void FillRecent(QMenu& menu);

    window::qt::MainWindow& main_;
    std::unique_ptr<Dialogs> ownDialogs_;
    std::function<const char*(const char*)> getenv_;
    CircuitWindowServices services_;
    CircuitGuide guide_;
    std::shared_ptr<const catalogues::Catalogue> catalogue_;
    std::vector<QPointer<CircuitWindow>> windows_;
    QPointer<CircuitWindow> active_;
    tools::qt::ToolWindows* tools_ = nullptr;
    QStringList recent_;  // without settings (tests)
};

}  // namespace idrovela::sheet::qt
