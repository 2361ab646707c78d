#pragma once

#include <QTreeView>

#include "catalogues/catalogue.h"

namespace idrovela::sheet::qt {

class SegmentModel;

// The segment sheet edited as a spreadsheet: Tab and Shift+Tab commit the cell and move to the
// next or previous editable cell of the row, in the order the columns stand, then on to the row
// below or above; Enter commits and moves down a row; Escape leaves the cell as it was. A text
// the window refuses keeps the cell where it is, its reason beside it.
class SheetView final : public QTreeView {
  public:
    SheetView() = default;

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    // The editable cell after (or before) `cell`, across the row and then the rows.
    [[nodiscard]] QModelIndex EditableBeside(const QModelIndex& cell, bool forward) const;
};

// The segment sheet as the circuit window shows it: a tree over `model`, several rows selectable
// for "Copia", cells edited in place (the tube from every tube of `catalogue`), each column as
// wide as its caption or its widest usual figure.
[[nodiscard]] QTreeView* NewSheetView(SegmentModel& model, const catalogues::Catalogue& catalogue);

}  // namespace idrovela::sheet::qt
