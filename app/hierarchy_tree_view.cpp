#include "app/hierarchy_tree_view.h"

#include "ui/hierarchy_model.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

namespace {

const QString kNodeMimeType = QStringLiteral("application/x-varnoke-node");
// Half the width of the expand button drawn in the middle of its column.
constexpr int kButtonHalfWidth = 5;
// Far deeper than the deepest level line a test re-indents, far less than a stack holds
// of the toolkit's layout.
constexpr int kDeepestExpanded = 1000;

} // namespace

HierarchyTreeView::HierarchyTreeView(QWidget* parent)
    : QTreeView(parent)
    , isOwnDrag_([this](const QDropEvent& event) { return event.source() == this; })
{
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    // A double click edits the node; it does not fold it.
    setExpandsOnDoubleClick(false);
    // Deep nodes are scrolled to sideways, not drawn past the right edge. The column is as
    // wide as the rows in sight need, measured again as they scroll: the toolkit's own
    // measure, of a thousand rows at every change of the tree, missed deep nodes further
    // down and cost more than the rest of opening a figure of thousands of parts.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    header()->setResizeContentsPrecision(0);
}

QModelIndex HierarchyTreeView::indexAt(const QPoint& point) const
{
    // Right of the column fitted to the labels in sight, a point still lies on its row.
    const int columnEnd = columnViewportPosition(0) + columnWidth(0);
    return QTreeView::indexAt({ std::min(point.x(), columnEnd - 1), point.y() });
}

void HierarchyTreeView::ExpandAll()
{
    // With a layout pending, expanding only marks a node; the one layout that follows lays
    // out every marked node, as the toolkit's own expandAll does, but no deeper.
    scheduleDelayedItemsLayout();
    const auto& tree = static_cast<const HierarchyModel&>(*model());
    int depth = 0;
    for (const varnoke::Node* node = tree.Tree().First(); node;) {
        if (node->HasChildren() && depth < kDeepestExpanded)
            expand(tree.IndexOf(node));
        const varnoke::Node* next = tree.Tree().Next(node);
        if (next && next->Parent() == node)
            ++depth;
        else if (next) {
            for (const varnoke::Node* up = node->Parent(); up != next->Parent(); up = up->Parent())
                --depth;
        }
        node = next;
    }
}

void HierarchyTreeView::SetDropHandlers(DragOver dragOver, EndDrag endDrag)
{
    dragOver_ = std::move(dragOver);
    endDrag_ = std::move(endDrag);
}

void HierarchyTreeView::SetOwnDragTest(OwnDragTest isOwnDrag)
{
    isOwnDrag_ = std::move(isOwnDrag);
}

QRect HierarchyTreeView::LabelRect(const QModelIndex& index) const
{
    // Where the style draws the icon and the text, measured as the delegate lays them out.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.index = index;
    option.text = index.data().toString();
    option.features |= QStyleOptionViewItem::HasDisplay;
    if (const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>(); !icon.isNull()) {
        option.icon = icon;
        option.features |= QStyleOptionViewItem::HasDecoration;
    }
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int right = text.left() + fontMetrics().horizontalAdvance(option.text) + 2 * margin;
    return { QPoint(option.rect.left(), option.rect.top()), QPoint(right - 1, option.rect.bottom()) };
}

varnoke::DropRegion HierarchyTreeView::RegionAt(const QPoint& point, const QModelIndex& index) const
{
    const QRect label = LabelRect(index);
    if (point.x() >= label.left())
        return point.x() <= label.right() ? varnoke::drOnNode : varnoke::drOther;
    const int buttonCentre = label.left() - indentation() / 2;
    if (model()->hasChildren(index) && std::abs(point.x() - buttonCentre) <= kButtonHalfWidth)
        return varnoke::drOther;
    return varnoke::drIndent;
}

void HierarchyTreeView::startDrag(Qt::DropActions)
{
    if (!currentIndex().isValid())
        return;
    auto* mimeData = new QMimeData;
    mimeData->setData(kNodeMimeType, {});
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData);
    drag->exec(Qt::MoveAction);
}

bool HierarchyTreeView::Accepts(const QDropEvent& event) const
{
    const QModelIndex target = indexAt(event.position().toPoint());
    return isOwnDrag_(event) && target.isValid() && dragOver_ && dragOver_(target);
}

void HierarchyTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    // Anything else, such as files from the file manager, goes on to the window.
    if (isOwnDrag_(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void HierarchyTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeView::dragMoveEvent(event); // scrolls at the edges
    if (!Accepts(*event)) {
        event->ignore();
        ShowDropMark(varnoke::dmNone, {});
        return;
    }
    event->acceptProposedAction();
    const QPoint point = event->position().toPoint();
    const QModelIndex target = indexAt(point);
    ShowDropMark(markAt_ ? markAt_(target, RegionAt(point, target)) : varnoke::dmNone, target);
}

void HierarchyTreeView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QTreeView::dragLeaveEvent(event);
    ShowDropMark(varnoke::dmNone, {});
}

void HierarchyTreeView::ShowDropMark(varnoke::DropMark mark, const QModelIndex& target)
{
    if (mark == mark_ && target == markTarget_)
        return;
    mark_ = mark;
    markTarget_ = target;
    viewport()->update();
}

void HierarchyTreeView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (mark_ == varnoke::dmNone || !markTarget_.isValid())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    const QRect label = LabelRect(markTarget_);
    if (mark_ == varnoke::dmLastChild) {
        painter.drawRect(label.adjusted(1, 1, -1, -1));
        return;
    }
    // Between the target's row and the one above, from where the node would stand.
    const int y = label.top() + 1;
    painter.drawLine(label.left(), y, viewport()->width(), y);
    painter.drawLine(label.left(), y - 3, label.left(), y + 3);
}

void HierarchyTreeView::dropEvent(QDropEvent* event)
{
    ShowDropMark(varnoke::dmNone, {});
    const QPoint point = event->position().toPoint();
    const QModelIndex target = indexAt(point);
    if (!Accepts(*event) || !endDrag_) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    endDrag_(target, RegionAt(point, target));
}

void HierarchyTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}

void HierarchyTreeView::keyPressEvent(QKeyEvent* event)
{
    // Shift+F10 asks for a context menu. X tells it as a key only; Windows, with no
    // shortcut taking it, asks for the menu itself and never sends this key.
    if (event->keyCombination() == QKeyCombination(Qt::ShiftModifier, Qt::Key_F10))
        AskContextMenuAtSelection();
    else
        QTreeView::keyPressEvent(event);
}

void HierarchyTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse)
        AskContextMenuAtSelection();
    else if (indexAt(event->pos()).isValid())
        emit ContextMenuAsked(event->pos());
}

void HierarchyTreeView::AskContextMenuAtSelection()
{
    // Just below the selected node's label, which the menu leaves in sight.
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        emit ContextMenuAsked({});
        return;
    }
    scrollTo(selected.constFirst());
    emit ContextMenuAsked(visualRect(selected.constFirst()).bottomLeft());
}

void HierarchyTreeView::focusInEvent(QFocusEvent* event)
{
    // Taking the focus makes no row current: none is until the user picks one.
    const bool hadCurrent = currentIndex().isValid();
    QTreeView::focusInEvent(event);
    if (!hadCurrent && !selectionModel()->hasSelection())
        selectionModel()->clearCurrentIndex();
}
