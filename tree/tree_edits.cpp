#include "tree/tree_edits.h"

namespace varnoke {

Node* ForestEdits::AddFirstTopLevel(std::string text)
{
    return forest_.AddFirstTopLevel(std::move(text));
}

Node* ForestEdits::AddLastTopLevel(std::string text)
{
    return forest_.AddLastChild(nullptr, std::move(text));
}

void ForestEdits::Move(Node& node, Node& target, AttachMode mode)
{
    forest_.Move(&node, &target, mode);
}

void ForestEdits::Delete(Node& node)
{
    forest_.Delete(&node);
}

} // namespace varnoke
