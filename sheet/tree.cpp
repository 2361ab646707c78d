#include "sheet/tree.h"

#include <string_view>
#include <unordered_map>

namespace idrovela::sheet {

SegmentTree::SegmentTree(const circuit::Circuit& circuit) {
    const std::size_t count = circuit.segments.size();
    std::unordered_map<std::string_view, std::size_t> byId;
    byId.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        byId.emplace(circuit.segments[i].id, i);
    }
    parent_.assign(count, std::nullopt);
    row_.assign(count, 0);
    firstChild_.assign(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::string>& upstream = circuit.segments[i].upstream;
        if (!upstream) {
            continue;
        }
        const auto found = byId.find(*upstream);
        if (found != byId.end() && found->second != i) {
            parent_[i] = found->second;
            ++firstChild_[found->second + 1];
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        firstChild_[i + 1] += firstChild_[i];
    }
    std::vector<std::size_t> next(firstChild_.begin(), firstChild_.end() - 1);
    children_.resize(firstChild_[count]);
    for (std::size_t i = 0; i < count; ++i) {
        if (parent_[i]) {
            const std::size_t at = next[*parent_[i]]++;
            children_[at] = i;
            row_[i] = at - firstChild_[*parent_[i]];
        } else {
            row_[i] = roots_.size();
            roots_.push_back(i);
        }
    }
}

std::span<const std::size_t> SegmentTree::Children(std::size_t segment) const {
    return std::span(children_).subspan(firstChild_[segment],
                                        firstChild_[segment + 1] - firstChild_[segment]);
}

std::vector<std::size_t> SegmentTree::Subtree(std::size_t segment) const {
    std::vector<std::size_t> subtree{segment};
    // Breadth first; a loop of upstream ids, which a checked circuit never has, ends the walk.
    for (std::size_t next = 0; next < subtree.size() && subtree.size() <= Size(); ++next) {
        for (const std::size_t child : Children(subtree[next])) {
            subtree.push_back(child);
        }
    }
    return subtree;
}

bool SegmentTree::IsDownstreamOf(std::size_t segment, std::size_t ancestor) const {
    std::size_t steps = 0;
    for (std::optional<std::size_t> at = parent_[segment]; at && steps <= Size();
         at = parent_[*at], ++steps) {
        if (*at == ancestor) {
            return true;
        }
    }
    return false;
}

}  // namespace idrovela::sheet
