#pragma once

#include <cstddef>
#include <optional>

#include "sheet/qt/circuit_context.h"

class QAction;
class QTabWidget;

namespace idrovela::report::qt {
class SchematicView;
class SystemCurveWidget;
}  // namespace idrovela::report::qt

namespace idrovela::sheet::qt {

class SegmentModel;

// The circuit window's drawings, in tabs beside the sheet: "Schema", the circuit drawn, and
// "Curva dell'impianto". The schematic and the sheet select alike: a click on a segment's line
// selects its row, and the schematic marks the row the sheet selects. After an edit the
// schematic changes what the document names as changed, in place; only a change of the tree's
// shape draws it afresh. While its tab is hidden it waits, and catches up on all the edits at
// once when shown, so that an edit costs the sheet nothing for a drawing no one sees.
class CircuitDrawings {
  public:
    // Adds the two tabs to `views`; `copy` ("Copia") works on the schematic too.
    CircuitDrawings(CircuitContext context, SegmentModel& model, QTabWidget& views, QAction& copy);

    [[nodiscard]] report::qt::SchematicView& Schematic() { return *schematic_; }
    [[nodiscard]] report::qt::SystemCurveWidget& Curve() { return *curve_; }

    // The sheet selects `segment`, or nothing.
    void Follow(std::optional<std::size_t> segment);
    // After every change, with the rest of the window: the selection may stand at another index
    // now, and the pump's duty may have moved.
    void Changed();

  private:
    CircuitContext context_;
    report::qt::SchematicView* schematic_;
    report::qt::SystemCurveWidget* curve_;
    bool behind_ = false;  // edits the schematic has not drawn, while hidden
};

}  // namespace idrovela::sheet::qt
