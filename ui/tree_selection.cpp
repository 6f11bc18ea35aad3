#include "ui/tree_selection.h"

#include "ui/hierarchy_model.h"

#include <QAbstractItemView>

namespace ui {

varnoke::Node* SelectedNode(const QAbstractItemView& view, HierarchyModel& model)
{
    const QModelIndexList selected = view.selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : model.NodeOf(selected.constFirst());
}

void SelectNode(QAbstractItemView& view, const HierarchyModel& model, const varnoke::Node* node)
{
    if (!node) {
        view.selectionModel()->clear();
        return;
    }
    const QModelIndex index = model.IndexOf(node);
    view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view.scrollTo(index);
}

} // namespace ui
