#pragma once

#include "hierarchy/forest.h"
#include "tree/tree_edits.h"

#include <optional>

namespace varnoke {

// Where a drop point lies on the row of the node under it.
enum DropRegion {
    drOnNode, // on the node's label or icon
    drIndent, // in the space to the left of the node
    drOther, // on the expand button or right of the label
};

// TreeView1DragOver's decision: whether the dragged node may be dropped on the target.
// Both must be level nodes (leading number above 0) or both not (leading number 0).
// The source must be a tree view and the dragged node is the selected one; the target
// may be that node itself.
bool CanDropOn(const TreeWindow& window, bool sourceIsTreeView, const Node* target);

// What a drop of the selected node on the target would do, decided before it is made.
struct DropPlan {
    bool edit = false; // the drop counts as an edit, also when it moves nothing
    std::optional<MoveDestination> destination; // none: nothing moves
    bool renumber = false; // the dropped level node and its subtree get their new levels
};

// Any drop on another node counts as an edit. A node goes before a non-level target; a
// level node becomes the last child of a level target dropped on, or its previous
// sibling when dropped on the indent, and is then renumbered with its subtree (to level
// 1 at the top level); right of the label it moves nothing. Assumes CanDropOn accepted.
DropPlan PlanDrop(const TreeWindow& window, Node* target, DropRegion region);

// What the tree shows while a node is dragged over a target: where the drop plan puts it.
enum DropMark {
    dmNone, // the drop would move nothing
    dmBefore, // it goes before the target
    dmLastChild, // it becomes the target's last child
};
DropMark MarkOf(const DropPlan& plan, const Node* target);

// TreeView1EndDrag: the drop of the selected node on the target, once CanDropOn
// accepted it, as PlanDrop plans it. The moved node stays selected.
void DropOn(TreeWindow& window, Node* target, DropRegion region);

} // namespace varnoke
