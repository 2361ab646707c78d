#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace idrovela::sheet::qt {

// Edits the sheet's cells in place: the tube from a list of the catalogue's series and tubes,
// every other cell as text. What the user types reaches the model as text, unread: the window
// reads it, and refuses it with a message beside the cell.
class CellDelegate final : public QStyledItemDelegate {
  public:
    CellDelegate(QStringList tubes, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    QStringList tubes_;
};

}  // namespace idrovela::sheet::qt
