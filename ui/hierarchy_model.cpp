#include "ui/hierarchy_model.h"

#include "ui/text_conversions.h"

#include <utility>

using varnoke::Node;

HierarchyModel::HierarchyModel(const varnoke::Forest& forest, QObject* parent)
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
    // The nodes are the owner's, who changes them through the editor alone.
    return const_cast<Node*>(std::as_const(*this).NodeOf(index));
}

QModelIndex HierarchyModel::IndexOf(const Node* node) const
{
    return node ? createIndex(node->Row(), 0, const_cast<Node*>(node)) : QModelIndex();
}

void HierarchyModel::ShowKindIcons(KindIcons icons)
{
    icons_ = std::move(icons);
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
    if (!node)
        return {};
    if (role == Qt::DisplayRole)
        return ui::FromLatin1(node->Text());
    if (role == Qt::DecorationRole && icons_)
        return (*icons_)[static_cast<std::size_t>(varnoke::KindOfNode(node->Text()))];
    return {};
}

Qt::ItemFlags HierarchyModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}
