#pragma once

// The segments of a circuit as the sheet shows them: each under its upstream segment, siblings in
// file order. Built from the ids alone, without checking anything else, so that the sheet can
// follow every step of an edit.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "circuit/circuit.h"

namespace idrovela::sheet {

class SegmentTree {
  public:
    SegmentTree() = default;
    // A segment whose upstream id names no segment is taken as leaving the source.
    explicit SegmentTree(const circuit::Circuit& circuit);

    [[nodiscard]] std::size_t Size() const { return parent_.size(); }
    [[nodiscard]] std::optional<std::size_t> Parent(std::size_t segment) const {
        return parent_[segment];
    }
    // The segments leaving the source, or those `segment` feeds, in file order.
    [[nodiscard]] std::span<const std::size_t> Roots() const { return roots_; }
    [[nodiscard]] std::span<const std::size_t> Children(std::size_t segment) const;
    [[nodiscard]] std::span<const std::size_t> ChildrenOf(std::optional<std::size_t> parent) const {
        return parent ? Children(*parent) : Roots();
    }
    // Where the segment stands among its siblings, from 0.
    [[nodiscard]] std::size_t Row(std::size_t segment) const { return row_[segment]; }

    // The segment and every segment downstream of it, the segment first, without recursion.
    [[nodiscard]] std::vector<std::size_t> Subtree(std::size_t segment) const;
    // Whether `segment` lies downstream of `ancestor` (a segment is not its own descendant).
    [[nodiscard]] bool IsDownstreamOf(std::size_t segment, std::size_t ancestor) const;

  private:
    std::vector<std::optional<std::size_t>> parent_;
    std::vector<std::size_t> roots_;
    std::vector<std::size_t> children_;    // every segment's children, one after the other
    std::vector<std::size_t> firstChild_;  // where each segment's start; one more than them
    std::vector<std::size_t> row_;
};

}  // namespace idrovela::sheet
