#pragma once

#include "tree/drag_drop.h"

#include <QTreeView>

#include <functional>

// The main window's tree view: a node dragged with the mouse is dropped on another
// node, the window deciding whether and how through the two callbacks.
class HierarchyTreeView final : public QTreeView {
    Q_OBJECT

public:
    explicit HierarchyTreeView(QWidget* parent = nullptr);

    // A row reaches the view's right edge, beyond the column fitted to the labels in sight.
    QModelIndex indexAt(const QPoint& point) const override;
    // Expands every node of a new tree, but none deeper than any hierarchy a figure can
    // have: the toolkit lays out expanded rows by a recursion as deep as they go.
    void ExpandAll();

    // The node's label as drawn: its icon and its text.
    QRect LabelRect(const QModelIndex& index) const;
    // Where a point of the viewport lies on the row of the node at index: on its label or icon,
    // in its indent (left of the node, but for a node with children the expand button
    // in the column just left of the label), or elsewhere (the expand button, right of
    // the label). A top-level node's indent is the narrow strip either side of its button.
    varnoke::DropRegion RegionAt(const QPoint& point, const QModelIndex& index) const;

    using DragOver = std::function<bool(const QModelIndex& target)>;
    using MarkAt = std::function<varnoke::DropMark(const QModelIndex& target, varnoke::DropRegion region)>;
    using EndDrag = std::function<void(const QModelIndex& target, varnoke::DropRegion region)>;
    using OwnDragTest = std::function<bool(const QDropEvent& event)>;

    // Whether a drop of the selected node on the target would be taken, and the drop on
    // the target in the region of the drop point.
    void SetDropHandlers(DragOver dragOver, EndDrag endDrag);
    // Where a drop on the target's region would put the dragged node, shown while it is dragged.
    void SetDropMarker(MarkAt markAt) { markAt_ = std::move(markAt); }
    // What the view shows of the drop in progress, and on which node; none without a drag.
    varnoke::DropMark ShownDropMark() const { return mark_; }
    // Whether a drag came from this view: its source, on a real drag. Tests without a
    // real drag, which have no source, replace it.
    void SetOwnDragTest(OwnDragTest isOwnDrag);

signals:
    void DoubleClicked();
    // A context menu is asked for at a point of the viewport: where a node was
    // right-clicked or, by a key, at the selected node's row.
    void ContextMenuAsked(const QPoint& point);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool Accepts(const QDropEvent& event) const;
    void AskContextMenuAtSelection();
    void ShowDropMark(varnoke::DropMark mark, const QModelIndex& target);

    DragOver dragOver_;
    EndDrag endDrag_;
    OwnDragTest isOwnDrag_;
    MarkAt markAt_;
    varnoke::DropMark mark_ = varnoke::dmNone;
    QPersistentModelIndex markTarget_;
};
