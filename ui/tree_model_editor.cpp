#include "ui/tree_model_editor.h"

#include <algorithm>
#include <utility>

using varnoke::Node;

TreeModelEditor::TreeModelEditor(varnoke::Forest& forest, HierarchyModel& model)
    : forest_(forest)
    , model_(model)
{
}

bool TreeModelEditor::SetText(Node& node, std::string text)
{
    if (!forest_.SetText(node, std::move(text)))
        return false;
    const QModelIndex index = model_.IndexOf(&node);
    emit model_.dataChanged(index, index, { Qt::DisplayRole });
    return true;
}

Node* TreeModelEditor::AddFirstTopLevel(std::string text)
{
    model_.beginInsertRows({}, 0, 0);
    Node* node = forest_.AddFirstTopLevel(std::move(text));
    model_.endInsertRows();
    return node;
}

Node* TreeModelEditor::AddLastTopLevel(std::string text)
{
    const int row = forest_.TopLevelCount();
    model_.beginInsertRows({}, row, row);
    Node* node = forest_.AddLastChild(nullptr, std::move(text));
    model_.endInsertRows();
    return node;
}

bool TreeModelEditor::MoveTo(Node& node, varnoke::MoveDestination destination)
{
    // The forest's own check first: a refused move announces nothing.
    const int count = destination.parent ? destination.parent->ChildCount() : forest_.TopLevelCount();
    if (varnoke::Forest::IsInSubtree(destination.parent, &node) || destination.row < 0 || destination.row > count
        || !model_.beginMoveRows(model_.IndexOf(node.Parent()), node.Row(), node.Row(),
                                 model_.IndexOf(destination.parent), destination.row))
        return false;
    const bool moved = forest_.MoveTo(node, destination);
    model_.endMoveRows();
    return moved;
}

varnoke::Subtree TreeModelEditor::Take(Node& node)
{
    model_.beginRemoveRows(model_.IndexOf(node.Parent()), node.Row(), node.Row());
    varnoke::Subtree taken = forest_.Take(node);
    model_.endRemoveRows();
    return taken;
}

Node* TreeModelEditor::Insert(Node* parent, int row, varnoke::Subtree subtree)
{
    if (!subtree)
        return nullptr;
    // Where the forest puts it: last, for a row past the end.
    row = std::clamp(row, 0, parent ? parent->ChildCount() : forest_.TopLevelCount());
    model_.beginInsertRows(model_.IndexOf(parent), row, row);
    Node* inserted = forest_.Insert(parent, row, std::move(subtree));
    model_.endInsertRows();
    return inserted;
}
