#pragma once

#include "catalogues/catalogue.h"

class QTreeView;

namespace idrovela::sheet::qt {

class SegmentModel;

// The segment sheet as the circuit window shows it: a tree over `model`, several rows selectable
// for "Copia", cells edited in place (the tube from every tube of `catalogue`), each column as
// wide as its caption or its widest usual figure.
[[nodiscard]] QTreeView* NewSheetView(SegmentModel& model, const catalogues::Catalogue& catalogue);

}  // namespace idrovela::sheet::qt
