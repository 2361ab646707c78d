#pragma once

#include <cstddef>
#include <optional>

#include "sheet/qt/circuit_context.h"

namespace idrovela::sheet::qt {

// The structure, as the Modifica menu changes it, on the selected segment: each change one edit
// through the window (so through the engine and onto the undo stack), the segment it leaves
// selected, and why it was refused in the status bar.
class StructureEdits {
  public:
    StructureEdits(CircuitContext context, TakeEdit take);

    // "Aggiungi tratto a valle": a new segment under the selected one (leaving the source when
    // none is selected).
    void AddDownstream();
    // "Aggiungi tratto dopo": a new segment under the selected one's upstream segment.
    void AddAfter();
    void RemoveWithDownstream();
    void RemoveOnly();
    // The selected segment under `upstream`; none: at the source.
    void MoveUnder(std::optional<std::size_t> upstream);
    // "Sposta sotto…": asks where, among the segments but the selected one and those downstream
    // of it, or the source.
    void AskUpstream();
    // "Accidenti e valvole…" on the selected segment.
    void EditFittings();

  private:
    // Takes `proposal`, saying in the status bar why not; true when taken.
    bool Take(Proposal proposal);

    CircuitContext context_;
    TakeEdit take_;
};

}  // namespace idrovela::sheet::qt
