#pragma once

#include "hierarchy/text_blocks.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

namespace varnoke {

// FindPartNode for the tree a test is building, answered from an index of the nodes'
// part names instead of a walk, and without the tree itself: a test that builds no tree
// checks its chains the same way. A lookup gives the node FindPartNode would give, the
// first in absolute order, as a number.
class PartIndex {
public:
    void Clear();
    // A level node with its parent's number (-1 at the top level) and the row of the
    // top-level node it descends from (its own when it is one). Gives the node's number.
    int AddLevelNode(std::string_view text, int parent, int topRow);
    // A comment, objFile, ikChain or empty line, always at the top level.
    void AddTopLevelNode(std::string_view text, int row);

    // The number of the first node with the part name, letter case counting, or -1.
    int Find(std::string_view name) const;
    // The part name of the node's parent: none at the top level or for a parent without one.
    std::optional<std::string_view> ParentName(int node) const;

private:
    struct Node {
        std::uint64_t name; // its part name, packed in names_
        // A level node's parent; a top-level line's row, which a later level node may precede.
        std::int32_t parentOrRow;
        bool named;
        bool isLevel;
    };
    std::optional<std::string_view> NameOf(const Node& node) const;
    int Add(std::string_view text, int parent, int topRow, bool isLevel);
    std::size_t SlotOf(std::string_view name) const;
    void Grow();

    TextBlocks names_;
    std::deque<Node> nodes_;
    // Open addressing over the first node of each name: its number plus one, 0 for none.
    std::vector<std::uint32_t> slots_;
    std::size_t indexed_ = 0;
};

} // namespace varnoke
