#pragma once

#include "tree/tree_edits.h"

namespace varnoke {

// Which items of the Tree menu are enabled.
struct TreeMenuState {
    bool edit = false;
    bool addComment = false;
    bool addIKChain = false;
    bool remove = false;
};

// Tree1Click's enabling: everything needs the tree view shown; Edit a selected node;
// Delete a selected node that is neither a level nor an objFile line, so parts and
// geometry stay.
TreeMenuState TreeMenuStateFor(const TreeWindow& window);

// Delete1Click: deletes the selected node with its subtree and leaves nothing selected;
// nothing without a selection.
void DeleteSelectedNode(TreeWindow& window);

} // namespace varnoke
