#pragma once

// What the tests of the tree view share: the sample figure open in the tree, drops as a
// real drag delivers them, points on a node's row, and dialogs answered as a user would.
#include "app/hierarchy_tree_view.h"
#include "window_fixture.h"

#include <QAbstractItemModelTester>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>

namespace tree_view_fixture {

using Modal = std::function<int(QDialog&)>;

// Fills the dialog's fields as a user would, then presses OK or Cancel.
template <typename Form> Modal Answer(std::function<void(Form&)> fill, bool ok = true)
{
    return [fill, ok](QDialog& dialog) {
        Form& form = dynamic_cast<Form&>(dialog);
        fill(form);
        Control<QPushButton>(form, ok ? u"OKButton"_s : u"CancelButton"_s)->click();
        return dialog.result();
    };
}

// Where on a node's row a drop lands: its icon (Icon in its middle, Label at the label's
// start), its text (the last pixel of it: TextEnd),
// right of it (near the right edge of a wide window: FarRight), its expand button or its
// indent.
enum class Spot { Icon, Label, TextEnd, Right, FarRight, Button, Indent };

} // namespace tree_view_fixture

using namespace tree_view_fixture;

Q_DECLARE_METATYPE(Spot)
Q_DECLARE_METATYPE(Modal)

class TreeViewFixture : public WindowFixture {
    Q_OBJECT

protected:
    // Opens the sample figure, which tests clean and shows the tree.
    void OpenFigure()
    {
        QVERIFY(Start());
        // Every edit of the tests below reaches the views through a model that keeps the rules.
        new QAbstractItemModelTester(&w->Doc().TreeModel(), QAbstractItemModelTester::FailureReportingMode::Warning, w);
        QTest::failOnWarning(QRegularExpression(u"FAIL!"_s));
        Open(Figure());
        QVERIFY(!w->FTextMode());
        TreeView1()->SetOwnDragTest([](const QDropEvent&) { return true; });
    }
    void Select(const QString& text) { TreeView1()->setCurrentIndex(Node(text)); }
    // The width of the icons beside the labels, and of a label's text.
    int Icon() const { return TreeView1()->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, TreeView1()); }
    int TextWidth(const QModelIndex& index) const
    {
        return TreeView1()->fontMetrics().horizontalAdvance(index.data().toString());
    }
    QPoint SpotOf(const QModelIndex& index, Spot spot) const
    {
        const QRect label = TreeView1()->visualRect(index);
        const int indent = TreeView1()->indentation();
        switch (spot) {
        case Spot::Icon:
            return { label.left() + Icon() / 2, label.center().y() };
        case Spot::Label:
            return { label.left() + 3, label.center().y() };
        case Spot::TextEnd:
            return { label.left() + Icon() + TextWidth(index), label.center().y() };
        case Spot::Right:
            return { label.left() + Icon() + TextWidth(index) + 25, label.center().y() };
        case Spot::FarRight:
            return { TreeView1()->viewport()->width() - 10, label.center().y() };
        case Spot::Button:
            return { label.left() - indent / 2, label.center().y() };
        case Spot::Indent:
            // An ancestor's column, or for a top-level node the strip left of its button.
            return { label.left() > indent ? label.left() - indent - 3 : 1, label.center().y() };
        }
        return {};
    }
    // Far right of every label in sight, the column being fitted to them.
    void WidenForFarRight(Spot spot)
    {
        if (spot != Spot::FarRight)
            return;
        w->resize(1000, 700);
        QCOMPARE_LT(TreeView1()->columnWidth(0), TreeView1()->viewport()->width() - 100);
    }
    // The selected node dragged over the target's spot as a real drag moves it, without a
    // drop; whether the view takes it there.
    bool DragOver(const QString& target, Spot spot)
    {
        const QPoint point = SpotOf(Node(target), spot);
        QMimeData mime;
        QWidget* viewport = TreeView1()->viewport();
        QDragEnterEvent enter(point, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(point, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        return move.isAccepted();
    }
    // A drop as a real drag delivers it to the view, the dragged node being the selected one.
    bool DropOn(const QString& target, Spot spot)
    {
        const bool accepted = DragOver(target, spot);
        const QPoint point = SpotOf(Node(target), spot);
        QMimeData mime;
        QDropEvent drop(QPointF(point), Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(TreeView1()->viewport(), &drop);
        return accepted;
    }
    // The text the tree writes back, as the Text button shows it.
    QStringList TreeText()
    {
        Control<QToolButton>(*w, u"TextButton"_s)->click();
        return Lines();
    }
    bool MenuItemEnabled(QAction* item)
    {
        emit Control<QMenu>(*w, u"Tree1"_s)->aboutToShow();
        return item->isEnabled();
    }
};
