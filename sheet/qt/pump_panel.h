#pragma once

#include <QFrame>

#include "circuit/circuit.h"
#include "circuit/solve.h"

class QGridLayout;

namespace idrovela::sheet::qt {

// Below the sheet, always in sight: the pump's duty (flow and head of the index circuit, the
// index path) and each margin on a line of its own, one label and one value a line.
class PumpPanel final : public QFrame {
  public:
    PumpPanel();

    // The lines of `solution`, or none without one.
    void Show(const circuit::Circuit& circuit, const circuit::Solution* solution);

  private:
    QGridLayout* lines_;
};

}  // namespace idrovela::sheet::qt
