#include "sheet/qt/segment_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStyle>
#include <algorithm>
#include <map>

#include "sheet/input.h"
#include "sheet/window_texts.h"

namespace idrovela::sheet::qt {

namespace {

constexpr std::uint8_t kOnIndexPath = 1;
constexpr std::uint8_t kWarned = 2;
// The index path's rows: a light amber behind the dark text of every theme's base.
const QColor kIndexPathColour(255, 226, 170);

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

columns::SegmentColumn ColumnOf(const QModelIndex& index) {
    return static_cast<columns::SegmentColumn>(index.column());
}

}  // namespace

SegmentModel::SegmentModel(Document& document, QObject* parent)
    : QAbstractItemModel(parent),
      document_(document),
      warningIcon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)) {
    MarkSegments();
    document_.SetListener(this);
}

SegmentModel::~SegmentModel() {
    document_.SetListener(nullptr);
}

QModelIndex SegmentModel::IndexOf(std::size_t segment, int column) const {
    return createIndex(static_cast<int>(document_.Tree().Row(segment)), column,
                       static_cast<quintptr>(document_.KeyOf(segment)));
}

std::optional<std::size_t> SegmentModel::SegmentAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return std::nullopt;
    }
    return document_.SegmentOf(static_cast<std::uint64_t>(index.internalId()));
}

QModelIndex SegmentModel::ParentIndex(std::optional<std::size_t> parent) const {
    return parent ? IndexOf(*parent) : QModelIndex();
}

QModelIndex SegmentModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= static_cast<int>(columns::kSegmentColumns) ||
        (parent.isValid() && parent.column() != 0)) {
        return {};
    }
    std::optional<std::size_t> parentSegment;
    if (parent.isValid()) {
        parentSegment = SegmentAt(parent);
        if (!parentSegment) {
            return {};
        }
    }
    const auto children = document_.Tree().ChildrenOf(parentSegment);
    if (static_cast<std::size_t>(row) >= children.size()) {
        return {};
    }
    return IndexOf(children[static_cast<std::size_t>(row)], column);
}

QModelIndex SegmentModel::parent(const QModelIndex& child) const {
    const std::optional<std::size_t> segment = SegmentAt(child);
    if (!segment) {
        return {};
    }
    return ParentIndex(document_.Tree().Parent(*segment));
}

int SegmentModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return static_cast<int>(document_.Tree().Roots().size());
    }
    if (parent.column() != 0) {
        return 0;
    }
    const std::optional<std::size_t> segment = SegmentAt(parent);
    return segment ? static_cast<int>(document_.Tree().Children(*segment).size()) : 0;
}

int SegmentModel::columnCount(const QModelIndex&) const {
    return static_cast<int>(columns::kSegmentColumns);
}

QVariant SegmentModel::data(const QModelIndex& index, int role) const {
    const std::optional<std::size_t> segment = SegmentAt(index);
    if (!segment) {
        return {};
    }
    const columns::SegmentColumn column = ColumnOf(index);
    const bool figure = columns::Info(column).decimals >= 0;
    const circuit::Solution* solution = document_.Solution();
    const std::uint8_t marks = *segment < marks_.size() ? marks_[*segment] : 0;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: {
            if (solution == nullptr) {
                // Between the steps of an edit: the figures follow once it is worked out.
                return column == columns::SegmentColumn::Id
                           ? FromUtf8(document_.Circuit().segments[*segment].id)
                           : QVariant();
            }
            // The tube's series by its catalogue title, as the editor offers it.
            QString text = FromUtf8(
                column == columns::SegmentColumn::Tubo
                    ? TubeCellText(document_.Catalogue(), document_.Circuit().segments[*segment],
                                   solution->segments[*segment])
                    : columns::SegmentCell(document_.Circuit(), *solution, *segment, column));
            if (column == columns::SegmentColumn::Id && (marks & kOnIndexPath) != 0) {
                text.prepend(QString::fromUtf8(kIndexPathMark));
            }
            return text;
        }
        case Qt::EditRole:
            return FromUtf8(
                EditorText(document_.Catalogue(), document_.Circuit().segments[*segment], column));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(figure ? Qt::AlignRight | Qt::AlignVCenter
                                              : Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return (marks & kOnIndexPath) != 0 ? QVariant(QBrush(kIndexPathColour)) : QVariant();
        case Qt::ForegroundRole:
            return (marks & kOnIndexPath) != 0 ? QVariant(QBrush(Qt::black)) : QVariant();
        case Qt::DecorationRole:
            return column == columns::SegmentColumn::Id && (marks & kWarned) != 0
                       ? QVariant(warningIcon_)
                       : QVariant();
        case Qt::ToolTipRole: {
            if (column != columns::SegmentColumn::Id || solution == nullptr) {
                return {};
            }
            QStringList lines;
            if ((marks & kOnIndexPath) != 0) {
                lines << QStringLiteral("Sul circuito indice.");
            }
            const auto first = std::lower_bound(
                solution->warnings.begin(), solution->warnings.end(), *segment,
                [](const circuit::Warning& warning, std::size_t s) { return warning.segment < s; });
            for (auto at = first; at != solution->warnings.end() && at->segment == *segment; ++at) {
                lines << QStringLiteral("Avviso: ") + FromUtf8(at->text);
            }
            return lines.isEmpty() ? QVariant() : QVariant(lines.join('\n'));
        }
        default:
            break;
    }
    return {};
}

QVariant SegmentModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns::kSegmentColumns)) {
        return {};
    }
    const auto column = static_cast<columns::SegmentColumn>(section);
    switch (role) {
        case Qt::DisplayRole:
            return FromUtf8(std::string(columns::Info(column).caption));
        case Qt::ToolTipRole:
            return FromUtf8(std::string(columns::Help(column))) +
                   (Editable(column) ? QStringLiteral("; si modifica con F2 o un doppio clic.")
                                     : QStringLiteral("; calcolato."));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(columns::Info(column).decimals >= 0 ? Qt::AlignRight
                                                                           : Qt::AlignLeft);
        default:
            break;
    }
    return {};
}

Qt::ItemFlags SegmentModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (Editable(ColumnOf(index))) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool SegmentModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const std::optional<std::size_t> segment = SegmentAt(index);
    if (role != Qt::EditRole || !segment || !editor_) {
        return false;
    }
    return editor_(*segment, ColumnOf(index), value.toString().toStdString());
}

void SegmentModel::BeforeInsert(std::optional<std::size_t> parent, std::size_t row) {
    beginInsertRows(ParentIndex(parent), static_cast<int>(row), static_cast<int>(row));
}

void SegmentModel::AfterInsert() {
    endInsertRows();
}

void SegmentModel::BeforeRemove(std::optional<std::size_t> parent, std::size_t row) {
    beginRemoveRows(ParentIndex(parent), static_cast<int>(row), static_cast<int>(row));
}

void SegmentModel::AfterRemove() {
    endRemoveRows();
}

void SegmentModel::BeforeMove(std::optional<std::size_t> from, std::size_t fromRow,
                              std::optional<std::size_t> to, std::size_t toRow) {
    const auto row = static_cast<int>(fromRow);
    beginMoveRows(ParentIndex(from), row, row, ParentIndex(to), static_cast<int>(toRow));
}

void SegmentModel::AfterMove() {
    endMoveRows();
}

void SegmentModel::MarkSegments() {
    const circuit::Solution* solution = document_.Solution();
    marks_.assign(document_.Circuit().segments.size(), 0);
    if (solution == nullptr) {
        return;
    }
    for (const std::size_t segment : solution->indexPath) {
        marks_[segment] |= kOnIndexPath;
    }
    for (const circuit::Warning& warning : solution->warnings) {
        marks_[warning.segment] |= kWarned;
    }
}

// One signal for each parent whose rows changed, over the rows from the first changed to the
// last, across the columns.
void SegmentModel::Recalculated(const std::vector<std::size_t>& changed) {
    MarkSegments();
    const SegmentTree& tree = document_.Tree();
    std::map<std::size_t, std::pair<std::size_t, std::size_t>> spans;  // parent+1 → rows
    for (const std::size_t segment : changed) {
        const std::optional<std::size_t> parent = tree.Parent(segment);
        const std::size_t key = parent ? *parent + 1 : 0;
        const std::size_t row = tree.Row(segment);
        const auto [at, added] = spans.try_emplace(key, row, row);
        if (!added) {
            at->second.first = std::min(at->second.first, row);
            at->second.second = std::max(at->second.second, row);
        }
    }
    const int lastColumn = static_cast<int>(columns::kSegmentColumns) - 1;
    for (const auto& [key, rows] : spans) {
        const std::optional<std::size_t> parent =
            key == 0 ? std::nullopt : std::optional<std::size_t>(key - 1);
        const QModelIndex parentIndex = ParentIndex(parent);
        Q_EMIT dataChanged(index(static_cast<int>(rows.first), 0, parentIndex),
                           index(static_cast<int>(rows.second), lastColumn, parentIndex));
    }
    if (recalculated_) {
        recalculated_(changed);
    }
}

}  // namespace idrovela::sheet::qt
