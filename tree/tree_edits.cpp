#include "tree/tree_edits.h"

namespace varnoke {

bool ForestEdits::SetText(Node& node, std::string text)
{
    return forest_.SetText(node, std::move(text));
}

Node* ForestEdits::AddFirstTopLevel(std::string text)
{
    return forest_.AddFirstTopLevel(std::move(text));
}

Node* ForestEdits::AddLastTopLevel(std::string text)
{
    return forest_.AddLastChild(nullptr, std::move(text));
}

bool ForestEdits::MoveTo(Node& node, MoveDestination destination)
{
    return forest_.MoveTo(node, destination);
}

Subtree ForestEdits::Take(Node& node)
{
    return forest_.Take(node);
}

Node* ForestEdits::Insert(Node* parent, int row, Subtree subtree)
{
    return forest_.Insert(parent, row, std::move(subtree));
}

} // namespace varnoke
