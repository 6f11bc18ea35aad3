#pragma once

#include "tree/tree_edits.h"

namespace varnoke {

// Which items of the Tree menu are enabled.
struct TreeMenuState {
    bool Edit1 = false;
    bool AddComment1 = false;
    bool AddIKChain2 = false;
    bool Delete2 = false;
};

// Everything needs the tree view shown; Edit a selected node; Delete a selected node
// that is neither a level nor an objFile line, so parts and geometry stay.
TreeMenuState Tree1Click(const TreeWindow& window);

// Deletes the selected node with its subtree; nothing without a selection.
void Delete1Click(TreeWindow& window);

} // namespace varnoke
