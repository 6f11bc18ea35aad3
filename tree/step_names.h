#pragma once

#include "hierarchy/forest.h"

#include <string>

namespace varnoke {

// The names under which tree edits are kept for undo, as the Undo and Redo hints show
// them. A node goes by its part name when it is a level node, otherwise by its text,
// either cut short.
std::string NodeLabel(const Node& node);
// A drop of node on target: it becomes target's last child (under) or goes before it.
std::string MoveStepName(const Node& node, const Node& target, bool under);
std::string EditStepName(const Node& node);
std::string DeleteStepName(const Node& node);
std::string AddCommentStepName();
std::string AddIKChainStepName(const std::string& chainName);

} // namespace varnoke
