#pragma once

#include "hierarchy/forest.h"
#include "tree/ik_chain_dialog.h"
#include "tree/tree_edits.h"

#include <optional>
#include <string>

namespace varnoke {

// Add IK Chain (AddIKChain1Click): fills the dialog from the selected level node, or
// from the first level node when the selection is no level node, and proposes the end
// of its last branch as the last part. Gives instead the message to show when a
// childless node is selected or the tree holds no level node.
std::optional<std::string> StartAddIKChain(const TreeWindow& window, IKChainDialog& dialog);

// A confirmed dialog appends its chain line after every other top-level node.
void AddIKChainDone(TreeWindow& window, const IKChainDialog& dialog, bool confirmed);

// Editing an ikChain node: the dialog gets the chain's name and the subtree of its
// first part (the second and third words, each cut to 39 characters with the rest
// running on into the next), and as last part the part named by the line's last
// space-separated word. A first part no longer in the tree is replaced as Add IK Chain
// would choose it; gives the message to show when there is then no level node.
std::optional<std::string> FillIKChainDialog(const TreeWindow& window, const Node& node, IKChainDialog& dialog);

// A confirmed dialog rewrites the node as its chain line.
void EditIKChainDone(TreeWindow& window, Node& node, const IKChainDialog& dialog, bool confirmed);

} // namespace varnoke
