#pragma once

#include <QGroupBox>
#include <QWidget>
#include <functional>
#include <optional>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "sheet/input.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace idrovela::sheet::qt {

// The circuit-wide settings above the sheet: project name, author and notes; fluid, percentage,
// supply and return; the automatic tube's limits; the pump's margins. A field the user leaves
// (or Enter, or a new fluid) hands the whole form to `commit`; the window mirrors the circuit
// back, and shows beside the fields why a value was refused.
class SettingsPanel final : public QGroupBox {
  public:
    using Commit = std::function<void(const SettingsForm&)>;
    explicit SettingsPanel(Commit commit);

    void Mirror(const circuit::Circuit& circuit);
    void ShowProblem(const QString& problem);

  private:
    QLineEdit* Field(QGridLayout& grid, int row, int column, const char* caption, const char* name,
                     const char* tip);
    void Send();

    Commit commit_;
    QLineEdit* name_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLineEdit* notes_ = nullptr;
    QComboBox* fluid_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLineEdit* supply_ = nullptr;
    QLineEdit* return_ = nullptr;
    QLineEdit* pascalPerMetre_ = nullptr;
    QLineEdit* velocity_ = nullptr;
    QLineEdit* flowMargin_ = nullptr;
    QLineEdit* headMargin_ = nullptr;
    QLabel* message_ = nullptr;
    bool mirroring_ = false;
};

// Beside the sheet: the selected segment, its upstream segment, its fittings and valves, and its
// terminal, which is edited here (load as heat or flow, the device's loss as Δp or Kv), with the
// terminal's figures below: load and flow, device Δp, total, excess and balancing Kv.
class DetailPane final : public QWidget {
  public:
    using Commit = std::function<void(const TerminalForm&)>;
    DetailPane(Commit commit, QAction& fittings, QAction& move);

    // Shows a segment, or nothing selected.
    void Show(const circuit::Circuit& circuit, const circuit::Solution* solution,
              std::optional<std::size_t> segment);
    void ShowProblem(const QString& problem);

  private:
    [[nodiscard]] TerminalForm Form() const;
    void Send();
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
    bool mirroring_ = false;
};

}  // namespace idrovela::sheet::qt
