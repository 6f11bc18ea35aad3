#include "tree/input_box_edits.h"

namespace varnoke {

namespace {

std::string CommentText(std::string_view entered)
{
    std::string text = "#";
    text += entered;
    return text;
}

} // namespace

InputBoxRequest EditCommentBox(const Node& node)
{
    const std::string& text = node.Text();
    return { "Edit Comment", "Comment", text.empty() ? std::string() : text.substr(1) };
}

void EditCommentDone(TreeWindow& window, Node& node, std::string_view entered)
{
    window.tree.SetText(node, CommentText(entered));
    window.Edited();
}

InputBoxRequest EditIllegalBox(const Node& node)
{
    return { "Illegal command, please fix", "Command", node.Text() };
}

void EditIllegalDone(TreeWindow& window, Node& node, std::string entered)
{
    window.tree.SetText(node, std::move(entered));
    window.Edited();
}

InputBoxRequest AddCommentBox()
{
    return { "Add comment", "Comment", {} };
}

void AddCommentNode(TreeWindow& window, std::string_view entered)
{
    if (entered.empty())
        return;
    window.Edited();
    window.tree.AddFirstTopLevel(CommentText(entered));
}

} // namespace varnoke
