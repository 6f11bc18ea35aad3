#pragma once

#include "hierarchy/forest.h"
#include "tree/tree_edits.h"

#include <string>
#include <string_view>

namespace varnoke {

// An input box to show. On Cancel the box gives back the initial text unchanged.
struct InputBoxRequest {
    std::string caption;
    std::string prompt;
    std::string initialText;
};

// Editing a comment node: its text after the "#", written back behind a "#". The
// node is written and the tree edited also after Cancel.
InputBoxRequest EditCommentBox(const Node& node);
void EditCommentDone(TreeWindow& window, Node& node, std::string_view entered);

// Editing an illegal node: its whole text, written back as entered (also after Cancel).
InputBoxRequest EditIllegalBox(const Node& node);
void EditIllegalDone(TreeWindow& window, Node& node, std::string entered);

// Add Comment (InsertCommentClick): an entry becomes the first node, so it heads the
// text; an empty one (also after Cancel) adds nothing. The selection stays.
InputBoxRequest AddCommentBox();
void AddCommentNode(TreeWindow& window, std::string_view entered);

} // namespace varnoke
