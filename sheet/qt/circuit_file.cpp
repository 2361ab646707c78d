#include "sheet/qt/circuit_file.h"

#include <QMainWindow>
#include <QStatusBar>
#include <optional>
#include <string>

#include "sheet/qt/dialogs.h"
#include "sheet/qt/form_fields.h"
#include "sheet/recent_and_recovery.h"
#include "sheet/window_texts.h"

namespace idrovela::sheet::qt {

CircuitFile::CircuitFile(Document& document, const CircuitWindowServices& services,
                         QMainWindow& window, std::unique_ptr<RecoveryFile> recovery,
                         std::function<void()> saved)
    : document_(document),
      services_(services),
      window_(window),
      recovery_(std::move(recovery)),
      saved_(std::move(saved)) {
    autosave_.setSingleShot(true);
    autosave_.setInterval(services_.autosaveMilliseconds);
    connect(&autosave_, &QTimer::timeout, this, [this] { AutosaveNow(); });
}

CircuitFile::~CircuitFile() = default;

bool CircuitFile::Save() {
    if (!document_.File()) {
        return SaveAs();
    }
    return SaveTo(*document_.File());
}

bool CircuitFile::SaveAs() {
    const QString suggested = document_.File()
                                  ? FromPath(*document_.File())
                                  : FromUtf8(SuggestedFileName(document_.Circuit().project.name));
    const std::optional<QString> chosen = services_.dialogs->SavePath(&window_, suggested);
    if (!chosen) {
        return false;
    }
    return SaveTo(WithExtension(ToPath(*chosen)));
}

bool CircuitFile::SaveTo(const std::filesystem::path& file) {
    if (const std::optional<std::string> failed = document_.SaveAs(file)) {
        services_.dialogs->ShowError(&window_, FromUtf8(*failed));
        return false;
    }
    if (services_.saved) {
        services_.saved(file);
    }
    saved_();
    window_.statusBar()->showMessage(QStringLiteral("Salvato in ") + FromPath(file), 5000);
    return true;
}

bool CircuitFile::AgreeToClose() {
    if (agreed_ || !document_.Modified()) {
        return true;
    }
    window_.raise();
    window_.activateWindow();
    switch (services_.dialogs->AskToSave(&window_, FromUtf8(SaveQuestion(document_.File())))) {
        case Dialogs::Answer::Save:
            return Save();
        case Dialogs::Answer::Discard:
            return true;
        case Dialogs::Answer::Cancel:
            break;
    }
    return false;
}

void CircuitFile::Closed() {
    agreed_ = true;
    autosave_.stop();
    RemoveRecovery();
}

void CircuitFile::Changed() {
    if (document_.Modified()) {
        if (!autosave_.isActive()) {
            autosave_.start();
        }
    } else {
        RemoveRecovery();  // back to what the file holds: nothing to recover
    }
}

void CircuitFile::RemoveRecovery() {
    if (recovery_ != nullptr) {
        recovery_->Remove();
        recovery_.reset();
    }
}

void CircuitFile::AutosaveNow() {
    autosave_.stop();
    if (!document_.Modified()) {
        RemoveRecovery();
        return;
    }
    if (recovery_ == nullptr && services_.recoveryDir) {
        recovery_ = RecoveryFile::Create(*services_.recoveryDir);
    }
    if (recovery_ == nullptr) {
        window_.statusBar()->showMessage(
            QStringLiteral("Impossibile scrivere la copia di recupero: la cartella ") +
            (services_.recoveryDir ? FromPath(*services_.recoveryDir) : QString()) +
            QStringLiteral(" non si può usare."));
        return;
    }
    if (const std::optional<std::string> failed =
            recovery_->Write(RecoveryText(document_.Circuit(), document_.File()))) {
        window_.statusBar()->showMessage(QStringLiteral("Copia di recupero non scritta: ") +
                                         FromUtf8(*failed));
    }
}

}  // namespace idrovela::sheet::qt
