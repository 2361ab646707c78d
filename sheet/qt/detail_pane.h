#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "sheet/document.h"
#include "sheet/input.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace idrovela::sheet::qt {

class EmitterFields;

// Beside the sheet: the selected segment, its upstream segment, its fittings and valves, and its
// terminal, which is edited here (load as heat or flow, the device's loss as Δp or Kv, its
// emitter), with the terminal's figures below: load and flow, device Δp, total, excess and
// balancing Kv.
class DetailPane final : public QWidget {
  public:
    using Commit = std::function<void(const TerminalForm&)>;
    DetailPane(Commit commit, QAction& fittings, QAction& move);

    // Shows a segment of the document, or nothing selected.
    void Show(const Document& document, std::optional<std::size_t> segment);
    void ShowProblem(const QString& problem);

  private:
    [[nodiscard]] TerminalForm Form() const;
    void Send();
    void ShowNothing();
    void EnableFields();

    Commit commit_;
    QLabel* title_;
    QLabel* upstream_;
    QCheckBox* present_;
    QLineEdit* description_;
    QComboBox* load_;
    QLineEdit* loadValue_;
    QComboBox* device_;
    QLineEdit* deviceValue_;
    QLabel* message_;
    QFormLayout* figures_;
    QWidget* terminal_;
    EmitterFields* emitter_;
    bool mirroring_ = false;
};

}  // namespace idrovela::sheet::qt
