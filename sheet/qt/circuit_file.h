#pragma once

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "sheet/document.h"
#include "sheet/qt/circuit_context.h"
#include "sheet/qt/recovery_file.h"

class QMainWindow;

namespace idrovela::sheet::qt {

// A circuit window's file: "Salva" and "Salva con nome…", the recovery copy written within the
// autosave interval of a change while the circuit is unsaved (and removed once nothing is), and
// the question on closing with unsaved changes.
class CircuitFile final : public QObject {
  public:
    // `saved`: after a save, for the window to show it (the title loses its "*").
    CircuitFile(Document& document, const CircuitWindowServices& services, QMainWindow& window,
                std::unique_ptr<RecoveryFile> recovery, std::function<void()> saved);
    ~CircuitFile() override;
    CircuitFile(const CircuitFile&) = delete;
    CircuitFile& operator=(const CircuitFile&) = delete;

    // Saves to the circuit's file, or asks for one; false when it was not saved (and the user
    // was told why).
    bool Save();
    bool SaveAs();
    // Whether the window may close: nothing unsaved, or saved now, or the user lets the changes
    // go. "Annulla" keeps it open. Once agreed, never asked again.
    bool AgreeToClose();
    // The user has agreed to close: not asked again.
    void Agree() { agreed_ = true; }
    // The window closes, its changes saved or let go: the recovery copy has nothing left to keep.
    void Closed();

    // After every change: unsaved, the autosave runs within its interval; back to what the file
    // holds, the recovery copy goes.
    void Changed();
    // Writes the recovery copy now, as the autosave timer does (or removes it when nothing is
    // unsaved).
    void AutosaveNow();
    [[nodiscard]] const RecoveryFile* Recovery() const { return recovery_.get(); }
    [[nodiscard]] bool AutosavePending() const { return autosave_.isActive(); }

  private:
    // Saves to `file`: the document, the recent files; false after telling the user why not.
    bool SaveTo(const std::filesystem::path& file);
    void RemoveRecovery();

    Document& document_;
    const CircuitWindowServices& services_;
    QMainWindow& window_;
    std::unique_ptr<RecoveryFile> recovery_;
    std::function<void()> saved_;
    QTimer autosave_;
    bool agreed_ = false;
};

}  // namespace idrovela::sheet::qt
