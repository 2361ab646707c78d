#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sheet/input.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace idrovela::sheet::qt {

// The emitter of the terminal in the detail pane: whether it has one, a catalogue model and its
// sections (with the proposed number beside them) or the figures typed: Φn, n, the room's
// temperature and the water it holds. Every change the user makes is sent at once.
class EmitterFields final : public QWidget {
  public:
    explicit EmitterFields(std::function<void()> changed);

    [[nodiscard]] EmitterForm Form() const;
    // The emitter as the file has it, the catalogue's models, and the proposed sections of the
    // model shown (none: no model, or no number gives the load).
    void Show(const EmitterForm& form, const std::vector<std::string>& models,
              std::optional<std::int64_t> proposed);
    // Puts the caret in Φn: an emitter just added waits for it.
    void AskForNominal();

  private:
    void EnableFields();

    std::function<void()> changed_;
    QCheckBox* present_;
    QWidget* fields_;
    QComboBox* model_;
    QLineEdit* sections_;
    QLabel* proposed_;
    QLineEdit* nominal_;
    QLineEdit* exponent_;
    QLineEdit* room_;
    QLineEdit* content_;
};

}  // namespace idrovela::sheet::qt
