#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace idrovela::sheet::qt {

// Edits the sheet's cells in place: the tube from a list of the catalogue's series and tubes,
// every other cell as text. What the user types reaches the model as text, unread: the window
// reads it, and refuses it with a message beside the cell (the model's setData is then false).
class CellDelegate final : public QStyledItemDelegate {
  public:
    CellDelegate(QStringList tubes, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // Whether the text the last editor gave was refused (its reason shows beside the cell).
    [[nodiscard]] bool Refused() const { return refused_; }

  private:
    QStringList tubes_;
    mutable bool refused_ = false;
};

}  // namespace idrovela::sheet::qt
