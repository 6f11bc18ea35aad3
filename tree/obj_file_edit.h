#pragma once

#include "hierarchy/forest.h"
#include "tree/tree_edits.h"

#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The path that the objFile dialog shows for an objFile node.
std::string ObjFileDialogPath(const Node& node);

// The objFile dialog's OK check: the message to show, or none when it may close.
std::optional<std::string> ObjFileDialogCheck(std::string_view objEdit);

// A confirmed path (none after Cancel) is written as "objFile <path>".
void EditObjFileDone(TreeWindow& window, Node& node, const std::optional<std::string>& confirmedPath);

} // namespace varnoke
