#pragma once

class HierarchyModel;
class QAbstractItemView;

namespace varnoke {
class Node;
}

namespace ui {

// The node selected in a view of the model; none when nothing is.
varnoke::Node* SelectedNode(const QAbstractItemView& view, HierarchyModel& model);
// Selects the node, made current and scrolled to; none clears the selection.
void SelectNode(QAbstractItemView& view, const HierarchyModel& model, const varnoke::Node* node);

} // namespace ui
