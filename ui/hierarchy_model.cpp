#include "ui/hierarchy_model.h"

#include "ui/text_conversions.h"

#include <algorithm>
#include <utility>

using varnoke::Node;

HierarchyModel::HierarchyModel(varnoke::Forest& forest, QObject* parent)
    : QAbstractItemModel(parent)
    , forest_(forest)
{
}

const Node* HierarchyModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<const Node*>(index.internalPointer()) : nullptr;
}

Node* HierarchyModel::NodeOf(const QModelIndex& index)
{
    // The model owns the forest it was given: its nodes are the model's to change.
    return const_cast<Node*>(std::as_const(*this).NodeOf(index));
}

bool HierarchyModel::SetText(Node& node, std::string text)
{
    if (!forest_.SetText(node, std::move(text)))
        return false;
    const QModelIndex index = IndexOf(&node);
    emit dataChanged(index, index, { Qt::DisplayRole });
    return true;
}

Node* HierarchyModel::AddFirstTopLevel(std::string text)
{
    beginInsertRows({}, 0, 0);
    Node* node = forest_.AddFirstTopLevel(std::move(text));
    endInsertRows();
    return node;
}

Node* HierarchyModel::AddLastTopLevel(std::string text)
{
    const int row = forest_.TopLevelCount();
    beginInsertRows({}, row, row);
    Node* node = forest_.AddLastChild(nullptr, std::move(text));
    endInsertRows();
    return node;
}

bool HierarchyModel::Move(Node& node, Node& target, varnoke::AttachMode mode)
{
    // A move into the node's own subtree, or onto its own place, is no move at all.
    const std::optional<varnoke::MoveDestination> destination = forest_.Destination(node, target, mode);
    if (!destination
        || !beginMoveRows(IndexOf(node.Parent()), node.Row(), node.Row(), IndexOf(destination->parent),
                          destination->row))
        return false;
    const bool moved = forest_.MoveTo(node, *destination);
    endMoveRows();
    return moved;
}

varnoke::Subtree HierarchyModel::Take(Node& node)
{
    beginRemoveRows(IndexOf(node.Parent()), node.Row(), node.Row());
    varnoke::Subtree taken = forest_.Take(node);
    endRemoveRows();
    return taken;
}

Node* HierarchyModel::Insert(Node* parent, int row, varnoke::Subtree subtree)
{
    if (!subtree)
        return nullptr;
    // Where the forest puts it: last, for a row past the end.
    row = std::clamp(row, 0, parent ? parent->ChildCount() : forest_.TopLevelCount());
    beginInsertRows(IndexOf(parent), row, row);
    Node* inserted = forest_.Insert(parent, row, std::move(subtree));
    endInsertRows();
    return inserted;
}

QModelIndex HierarchyModel::IndexOf(const Node* node) const
{
    return node ? createIndex(node->Row(), 0, const_cast<Node*>(node)) : QModelIndex();
}

QModelIndex HierarchyModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    const Node* node = parent.isValid() ? NodeOf(parent)->Child(row) : forest_.TopLevel(row);
    return IndexOf(node);
}

QModelIndex HierarchyModel::parent(const QModelIndex& child) const
{
    const Node* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int HierarchyModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return parent.isValid() ? NodeOf(parent)->ChildCount() : forest_.TopLevelCount();
}

int HierarchyModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool HierarchyModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant HierarchyModel::data(const QModelIndex& index, int role) const
{
    const Node* node = NodeOf(index);
    if (!node || role != Qt::DisplayRole)
        return {};
    return ui::FromLatin1(node->Text());
}

Qt::ItemFlags HierarchyModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}
