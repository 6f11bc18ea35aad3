#pragma once

#include "hierarchy/forest.h"
#include "tree/tree_edits.h"

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

// TreeView1EndDrag: the drop of the selected node on the target, once CanDropOn
// accepted it. Any drop on another node counts as an edit, also one that moves
// nothing. A node goes before a non-level target; a level node becomes the last child
// of a level target dropped on, or its previous sibling when dropped on the indent,
// and is then renumbered with its subtree (to level 1 at the top level). The moved
// node stays selected.
void DropOn(TreeWindow& window, Node* target, DropRegion region);

} // namespace varnoke
