#pragma once

#include <QFrame>
#include <functional>

#include "circuit/circuit.h"
#include "circuit/solve.h"

class QGridLayout;
class QPushButton;

namespace idrovela::sheet::qt {

// Below the sheet, always in sight: the pump's duty (flow and head of the index circuit, the
// index path) and each margin on a line of its own, then the plant (the lowest supply
// temperature, the water volume, the vessel), one label and one value a line. Where the circuit
// has a lowest supply temperature, a button sets the supply to it through `setLowestSupply`.
class PumpPanel final : public QFrame {
  public:
    explicit PumpPanel(std::function<void()> setLowestSupply);

    // The lines of `solution`, or none without one.
    void Show(const circuit::Circuit& circuit, const circuit::Solution* solution);

  private:
    QGridLayout* lines_;
    QPushButton* lowestSupply_;
};

}  // namespace idrovela::sheet::qt
