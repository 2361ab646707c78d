#include "sheet/qt/warnings_model.h"

#include <QApplication>
#include <QStyle>

#include "sheet/qt/form_fields.h"
#include "sheet/window_texts.h"

namespace idrovela::sheet::qt {

WarningsModel::WarningsModel(const Document& document, QObject* parent)
    : QAbstractListModel(parent),
      document_(document),
      icon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)) {}

void WarningsModel::Reset() {
    beginResetModel();
    endResetModel();
}

std::optional<std::size_t> WarningsModel::SegmentAt(const QModelIndex& index) const {
    const circuit::Solution* solution = document_.Solution();
    if (solution == nullptr || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= solution->warnings.size()) {
        return std::nullopt;
    }
    return solution->warnings[static_cast<std::size_t>(index.row())].segment;
}

int WarningsModel::rowCount(const QModelIndex& parent) const {
    const circuit::Solution* solution = document_.Solution();
    return parent.isValid() || solution == nullptr ? 0
                                                   : static_cast<int>(solution->warnings.size());
}

QVariant WarningsModel::data(const QModelIndex& index, int role) const {
    const circuit::Solution* solution = document_.Solution();
    if (solution == nullptr || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const circuit::Warning& warning = solution->warnings[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return FromUtf8(WarningLine(document_.Circuit(), warning));
        case Qt::DecorationRole:
            return icon_;
        default:
            break;
    }
    return {};
}

}  // namespace idrovela::sheet::qt
