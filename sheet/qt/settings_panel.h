#pragma once

#include <QGroupBox>
#include <functional>

#include "circuit/circuit.h"
#include "sheet/input.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace idrovela::sheet::qt {

// The circuit-wide settings above the sheet: project name, author and notes; fluid, percentage,
// supply and return; the automatic tube's limits; the pump's margins; the emitters' salto minimo,
// the water beyond the pipes and emitters, and the expansion vessel to size. A field the user
// leaves (or Enter, or a new fluid) hands the whole form to `commit`; the window mirrors the
// circuit back, and shows beside the fields why a value was refused.
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
    QLineEdit* minimumDrop_ = nullptr;
    QLineEdit* generator_ = nullptr;
    QLineEdit* other_ = nullptr;
    QLineEdit* staticHeight_ = nullptr;
    QLineEdit* reliefValve_ = nullptr;
    QLineEdit* maximum_ = nullptr;
    QLabel* message_ = nullptr;
    bool mirroring_ = false;
};

}  // namespace idrovela::sheet::qt
