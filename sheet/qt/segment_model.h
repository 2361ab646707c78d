#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "columns/columns.h"
#include "sheet/document.h"

namespace idrovela::sheet::qt {

// The segment sheet as a tree for a QTreeView: each segment a row under its upstream segment, one
// column per sheet column. It reads every cell from the document when asked and keeps no figure
// of its own; it follows the document's changes as rows inserted, removed and moved, and after a
// recalculation as the changed rows' cells. An index's internal id is the segment's key, which
// stays while the segment does.
class SegmentModel final : public QAbstractItemModel, public DocumentListener {
  public:
    // What typing into a cell does: the segment, the column and the text; false when refused
    // (true when taken, or when the text leaves the cell as it was).
    using CellEditor = std::function<bool(std::size_t, columns::SegmentColumn, const std::string&)>;

    SegmentModel(Document& document, QObject* parent);
    ~SegmentModel() override;
    SegmentModel(const SegmentModel&) = delete;
    SegmentModel& operator=(const SegmentModel&) = delete;

    void SetCellEditor(CellEditor editor) { editor_ = std::move(editor); }
    // Called once the sheet follows a recalculation, with the segments the document named as
    // changed (their indices in the circuit as it is now), for another view to follow alike.
    void WhenRecalculated(std::function<void(const std::vector<std::size_t>&)> follow) {
        recalculated_ = std::move(follow);
    }

    [[nodiscard]] QModelIndex IndexOf(std::size_t segment, int column = 0) const;
    [[nodiscard]] std::optional<std::size_t> SegmentAt(const QModelIndex& index) const;

    // QAbstractItemModel
    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // DocumentListener
    void BeforeInsert(std::optional<std::size_t> parent, std::size_t row) override;
    void AfterInsert() override;
    void BeforeRemove(std::optional<std::size_t> parent, std::size_t row) override;
    void AfterRemove() override;
    void BeforeMove(std::optional<std::size_t> from, std::size_t fromRow,
                    std::optional<std::size_t> to, std::size_t toRow) override;
    void AfterMove() override;
    void Recalculated(const std::vector<std::size_t>& changed) override;

  private:
    [[nodiscard]] QModelIndex ParentIndex(std::optional<std::size_t> parent) const;
    void MarkSegments();

    Document& document_;
    CellEditor editor_;
    std::function<void(const std::vector<std::size_t>&)> recalculated_;
    QIcon warningIcon_;
    // Each segment's marks, as the solution gives them: on the index path, with warnings.
    std::vector<std::uint8_t> marks_;
};

// The symbol that marks the index path's rows beside their colour.
inline constexpr const char* kIndexPathMark = "▶ ";

}  // namespace idrovela::sheet::qt
