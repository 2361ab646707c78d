#include "sheet/qt/sheet_view.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "columns/columns.h"
#include "sheet/input.h"
#include "sheet/qt/cell_delegate.h"
#include "sheet/qt/form_fields.h"
#include "sheet/qt/segment_model.h"

namespace idrovela::sheet::qt {

namespace {

// Each column as wide as its caption or its widest usual figure; the id's with room for the
// tree's indentation, the texts' for a few words.
void SizeColumns(QTreeView& sheet) {
    sheet.header()->setStretchLastSection(false);
    const QFontMetrics metrics = sheet.fontMetrics();
    for (std::size_t column = 0; column < columns::kSegmentColumns; ++column) {
        const columns::ColumnInfo& info = columns::SegmentColumns()[column];
        int width = std::max(metrics.horizontalAdvance(FromUtf8(info.caption)),
                             metrics.horizontalAdvance(QStringLiteral("000000,00")));
        switch (static_cast<columns::SegmentColumn>(column)) {
            case columns::SegmentColumn::Id:
                width = metrics.horizontalAdvance(QStringLiteral("▶ T0000")) + 4 * 20;
                break;
            case columns::SegmentColumn::Descrizione:
                width = metrics.horizontalAdvance(QStringLiteral("collettore piano"));
                break;
            case columns::SegmentColumn::Tubo:
                width =
                    metrics.horizontalAdvance(QStringLiteral("Rame EN 1057 28×1,5 (automatico)"));
                break;
            default:
                break;
        }
        sheet.setColumnWidth(static_cast<int>(column), width + 16);
    }
}

}  // namespace

QModelIndex SheetView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action != MoveNext && action != MovePrevious) {
        return QTreeView::moveCursor(action, modifiers);
    }
    return EditableBeside(currentIndex(), action == MoveNext);
}

QModelIndex SheetView::EditableBeside(const QModelIndex& cell, bool forward) const {
    if (!cell.isValid()) {
        return {};
    }
    const QHeaderView& columns = *header();
    QModelIndex row = cell.siblingAtColumn(0);
    int visual = columns.visualIndex(cell.column());
    for (;;) {
        visual += forward ? 1 : -1;
        if (visual < 0 || visual >= columns.count()) {
            row = forward ? indexBelow(row) : indexAbove(row);
            if (!row.isValid()) {
                return {};
            }
            visual = forward ? 0 : columns.count() - 1;
        }
        const int logical = columns.logicalIndex(visual);
        const QModelIndex next = row.siblingAtColumn(logical);
        if (!isColumnHidden(logical) && next.flags().testFlag(Qt::ItemIsEditable)) {
            return next;
        }
    }
}

void SheetView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QPersistentModelIndex cell = currentIndex();
    const auto& cells = static_cast<const CellDelegate&>(*itemDelegate());
    if (cells.Refused()) {
        // The reason shows beside the cell, which stays where it is.
        QTreeView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
    QTreeView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache && cell.isValid()) {
        // Enter: down a row, in the same column.
        const QModelIndex below = indexBelow(cell);
        if (below.isValid()) {
            selectionModel()->setCurrentIndex(below, QItemSelectionModel::ClearAndSelect);
            scrollTo(below);
        }
    }
}

QTreeView* NewSheetView(SegmentModel& model, const catalogues::Catalogue& catalogue) {
    auto* sheet = new SheetView;
    sheet->setObjectName(QStringLiteral("Foglio"));
    sheet->setAccessibleName(QStringLiteral("Foglio dei tratti"));
    sheet->setToolTip(QStringLiteral(
        "I tratti del circuito, ciascuno sotto il suo tratto a monte; ▶ e il colore segnano il "
        "circuito indice. F2 o un doppio clic modifica una cella; Ins aggiunge un tratto, Canc lo "
        "toglie."));
    sheet->setModel(&model);
    sheet->setUniformRowHeights(true);
    sheet->setAlternatingRowColors(true);
    // Several rows for "Copia"; the edits act on the current one.
    sheet->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sheet->setSelectionBehavior(QAbstractItemView::SelectItems);
    sheet->setAllColumnsShowFocus(false);
    sheet->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    QStringList tubes;
    for (const TubeOption& option : TubeOptions(catalogue)) {
        tubes << FromUtf8(option.text);
    }
    sheet->setItemDelegate(new CellDelegate(tubes, sheet));
    SizeColumns(*sheet);
    return sheet;
}

}  // namespace idrovela::sheet::qt
