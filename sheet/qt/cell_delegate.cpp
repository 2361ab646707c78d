#include "sheet/qt/cell_delegate.h"

#include <QComboBox>
#include <QLineEdit>

#include "columns/columns.h"

namespace idrovela::sheet::qt {

namespace {

bool IsTube(const QModelIndex& index) {
    return index.column() == static_cast<int>(columns::SegmentColumn::Tubo);
}

QString Caption(const QModelIndex& index) {
    return QString::fromUtf8(
        std::string(columns::Info(static_cast<columns::SegmentColumn>(index.column())).caption)
            .c_str());
}

}  // namespace

CellDelegate::CellDelegate(QStringList tubes, QObject* parent)
    : QStyledItemDelegate(parent), tubes_(std::move(tubes)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    refused_ = false;
    if (IsTube(index)) {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("EditorTubo"));
        box->addItems(tubes_);
        box->setMaxVisibleItems(20);
        box->setAccessibleName(QStringLiteral("Tubo del tratto"));
        box->setToolTip(
            QStringLiteral("La serie e il tubo, o «automatico»: Invio conferma, Esc "
                           "annulla"));
        return box;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("EditorCella"));
    edit->setFrame(false);
    edit->setAccessibleName(Caption(index));
    edit->setToolTip(Caption(index) + QStringLiteral(": Invio conferma, Esc annulla"));
    if (columns::Info(static_cast<columns::SegmentColumn>(index.column())).decimals >= 0) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return edit;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const int at = box->findText(text);
        if (at < 0) {
            // A fixed tube no longer in the catalogue: kept as it is unless another is chosen.
            box->insertItem(0, text);
            box->setCurrentIndex(0);
        } else {
            box->setCurrentIndex(at);
        }
        return;
    }
    static_cast<QLineEdit*>(editor)->setText(text);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    const QString text = qobject_cast<QComboBox*>(editor) != nullptr
                             ? static_cast<QComboBox*>(editor)->currentText()
                             : static_cast<QLineEdit*>(editor)->text();
    refused_ = !model->setData(index, text, Qt::EditRole);
}

}  // namespace idrovela::sheet::qt
