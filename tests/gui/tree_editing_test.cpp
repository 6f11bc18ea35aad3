// Editing the hierarchy in the main window's tree view: drops on the view's real
// geometry, the Tree menu, comments, IK chains and Delete, and the text that follows.
#include "app/hierarchy_tree_view.h"
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "window_fixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

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

// Where on a node's row a drop lands.
enum class Spot { Label, Right, Button, Indent };

} // namespace

Q_DECLARE_METATYPE(Spot)
Q_DECLARE_METATYPE(Modal)

class TreeEditingTest : public WindowFixture {
    Q_OBJECT

    // Opens the sample figure, which tests clean and shows the tree.
    void OpenFigure()
    {
        QVERIFY(Start());
        Open(Figure());
        QVERIFY(!w->FTextMode());
        TreeView1()->SetOwnDragTest([](const QDropEvent&) { return true; });
    }
    void Select(const QString& text) { TreeView1()->setCurrentIndex(Node(text)); }
    QPoint SpotOf(const QModelIndex& index, Spot spot) const
    {
        const QRect label = TreeView1()->visualRect(index);
        const int indent = TreeView1()->indentation();
        switch (spot) {
        case Spot::Label:
            return { label.left() + 3, label.center().y() };
        case Spot::Right:
            return { label.left() + TreeView1()->fontMetrics().horizontalAdvance(index.data().toString()) + 20,
                     label.center().y() };
        case Spot::Button:
            return { label.left() - indent / 2, label.center().y() };
        case Spot::Indent:
            // An ancestor's column, or for a top-level node the strip left of its button.
            return { label.left() > indent ? label.left() - indent - 3 : 1, label.center().y() };
        }
        return {};
    }
    // A drop as a real drag delivers it to the view, the dragged node being the selected one.
    bool DropOn(const QString& target, Spot spot)
    {
        const QPoint point = SpotOf(Node(target), spot);
        QMimeData mime;
        QWidget* viewport = TreeView1()->viewport();
        QDragEnterEvent enter(point, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(point, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        const bool accepted = move.isAccepted();
        QDropEvent drop(QPointF(point), Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &drop);
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

private slots:
    void drop_data()
    {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<Spot>("spot");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QStringList>("changes"); // lines of the figure replaced, "old=>new"
        QTest::newRow("leg on the hip's label")
            << u"3 lShin"_s << u"1 hip"_s << Spot::Label << true << true
            << QStringList { u"\t\t3 lShin yzx=>\t2 lShin yzx"_s, u"\t\t\t4 lFoot zxy=>\t\t3 lFoot zxy"_s };
        QTest::newRow("on its own label")
            << u"3 lShin"_s << u"3 lShin"_s << Spot::Label << true << false << QStringList {};
        QTest::newRow("on its own child")
            << u"3 lShin"_s << u"4 lFoot"_s << Spot::Label << true << true << QStringList {};
        QTest::newRow("right of a label")
            << u"3 lShin"_s << u"1 hip"_s << Spot::Right << true << true << QStringList {};
        QTest::newRow("on an expand button")
            << u"3 lShin"_s << u"2 rThigh"_s << Spot::Button << true << true << QStringList {};
        QTest::newRow("on the indent of a thigh") << u"4 lFoot"_s << u"2 rThigh"_s << Spot::Indent << true << true
                                                  << QStringList { u"\t\t\t4 lFoot zxy=>\t2 lFoot zxy"_s };
        QTest::newRow("on the indent of the top") << u"7 lHand"_s << u"1 hip"_s << Spot::Indent << true << true
                                                  << QStringList { u"\t\t\t\t\t\t7 lHand xyz=>1 lHand xyz"_s };
        QTest::newRow("comment on a level node")
            << u"#Mannikin"_s << u"1 hip"_s << Spot::Label << false << false << QStringList {};
        QTest::newRow("level node on a comment")
            << u"2 lThigh"_s << u"#The legs"_s << Spot::Label << false << false << QStringList {};
        QTest::newRow("objFile before a comment")
            << u"objFile"_s << u"#Mannikin"_s << Spot::Right << true << true << QStringList {};
    }
    void drop()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        QFETCH(Spot, spot);
        QFETCH(bool, accepted);
        QFETCH(bool, modified);
        QFETCH(QStringList, changes);
        OpenFigure();
        Select(dragged);
        const varnoke::Node* node = w->SelectedNode();
        QCOMPARE(DropOn(target, spot), accepted);
        QCOMPARE(w->Doc().FModified(), modified);
        QCOMPARE(w->SelectedNode(), node); // the moved node stays selected
        if (node->Parent())
            QVERIFY(TreeView1()->isExpanded(TreeView1()->currentIndex().parent()));
        const QStringList text = TreeText();
        QStringList expected = figure_;
        for (const QString& change : changes) {
            const QStringList parts = change.split(u"=>"_s);
            expected.removeOne(parts[0]);
        }
        if (dragged == u"objFile"_s && accepted) // moved to the very top
            expected.move(2, 0);
        for (const QString& change : changes) {
            const QString now = change.split(u"=>"_s)[1];
            QVERIFY2(text.contains(now), qPrintable(now));
            expected.insert(text.indexOf(now), now);
        }
        QCOMPARE(text, expected);
    }

    void treeMenu_data()
    {
        QTest::addColumn<QString>("selected"); // empty: none
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("remove");
        QTest::newRow("nothing") << QString() << false << false;
        QTest::newRow("level") << u"1 hip"_s << true << false;
        QTest::newRow("objFile") << u"objFile"_s << true << false;
        QTest::newRow("comment") << u"#Mannikin"_s << true << true;
        QTest::newRow("ikChain") << u"ikChain leftLeg"_s << true << true;
    }
    void treeMenu()
    {
        QFETCH(QString, selected);
        QFETCH(bool, edit);
        QFETCH(bool, remove);
        OpenFigure();
        TreeView1()->clearSelection();
        if (!selected.isEmpty())
            Select(selected);
        QCOMPARE(MenuItemEnabled(Control<QAction>(*w, u"Edit1"_s)), edit);
        QCOMPARE(MenuItemEnabled(Control<QAction>(*w, u"Delete2"_s)), remove);
        QVERIFY(MenuItemEnabled(Control<QAction>(*w, u"AddComment1"_s))
                && MenuItemEnabled(Control<QAction>(*w, u"AddIKChain2"_s)));
        emit Control<QMenu>(*w, u"Tree1"_s)->aboutToHide();
        Control<QAction>(*w, u"Delete2"_s)->trigger();
        QCOMPARE(w->Doc().FModified(), remove);
        QCOMPARE(TreeText().size(), figure_.size() - (remove ? 1 : 0));
        // In the text view every item is off, and its key does nothing.
        QVERIFY(!MenuItemEnabled(Control<QAction>(*w, u"AddComment1"_s))
                && !MenuItemEnabled(Control<QAction>(*w, u"Edit1"_s)));
        emit Control<QMenu>(*w, u"Tree1"_s)->aboutToHide();
        QTest::keyClick(w, Qt::Key_F8);
        QVERIFY(prompts_->Texts(u"InputBox"_s).isEmpty());
    }

    // A key pressed while its item is off must not leave the item off for later.
    void keysWorkAfterTheirItemWasOff()
    {
        OpenFigure();
        QTest::keyClick(w, Qt::Key_F2); // off in the tree view
        Control<QToolButton>(*w, u"TextButton"_s)->click();
        QTest::keyClick(w, Qt::Key_F7); // off in the text view
        Caret(3, 0);
        QTest::keyClick(w, Qt::Key_F2);
        QCOMPARE(Lines().value(3), u"\t2 hip yzx"_s);
        QTest::keyClick(w, Qt::Key_F3);
        QTest::keyClick(w, Qt::Key_F5);
        QVERIFY(!w->FTextMode());
        Select(u"#Mannikin"_s);
        prompts_->inputs.push_back(u"seen"_s);
        QTest::keyClick(w, Qt::Key_F7);
        QCOMPARE(prompts_->Texts(u"InputBox"_s).size(), 1);
    }

    void comments_data()
    {
        QTest::addColumn<QString>("node"); // empty: Add Comment
        QTest::addColumn<std::optional<QString>>("entered");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("first"); // the first line afterwards
        QTest::addColumn<bool>("modified");
        const QString top = figure_.value(0);
        QTest::newRow("edit, OK") << u"#Mannikin"_s << std::optional(u" renamed"_s)
                                  << u"Edit Comment|Comment|Mannikin: a small sample figure for Varnoke"_s
                                  << u"# renamed"_s << true;
        QTest::newRow("edit, Cancel") << u"#Mannikin"_s << std::optional<QString>()
                                      << u"Edit Comment|Comment|Mannikin: a small sample figure for Varnoke"_s << top
                                      << true;
        QTest::newRow("add") << QString() << std::optional(u"abc"_s) << u"Add comment|Comment|"_s << u"#abc"_s << true;
        QTest::newRow("add nothing") << QString() << std::optional(QString()) << u"Add comment|Comment|"_s << top
                                     << false;
        QTest::newRow("add, Cancel") << QString() << std::optional<QString>() << u"Add comment|Comment|"_s << top
                                     << false;
    }
    void comments()
    {
        QFETCH(QString, node);
        QFETCH(std::optional<QString>, entered);
        QFETCH(QString, shown);
        QFETCH(QString, first);
        QFETCH(bool, modified);
        OpenFigure();
        Select(node.isEmpty() ? u"2 lThigh"_s : node);
        const varnoke::Node* selected = w->SelectedNode();
        prompts_->inputs.push_back(entered);
        QTest::keyClick(w, node.isEmpty() ? Qt::Key_F8 : Qt::Key_F7);
        QCOMPARE(prompts_->Texts(u"InputBox"_s), QStringList { shown });
        QCOMPARE(w->Doc().FModified(), modified);
        QCOMPARE(w->SelectedNode(), selected);
        QCOMPARE(TreeText().value(0), first);
    }

    void ikChainMessages_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("message");
        QTest::newRow("a part without children")
            << u"7 lHand"_s << u"Please select the topmost part to make an IK chain"_s;
        QTest::newRow("an empty tree") << QString() << u"You must have a hierarchy built before adding an IK chain"_s;
    }
    void ikChainMessages()
    {
        QFETCH(QString, selected);
        QFETCH(QString, message);
        OpenFigure();
        if (selected.isEmpty()) {
            Control<QAction>(*w, u"New1"_s)->trigger();
            QVERIFY(!w->FTextMode() && w->Doc().Tree().NodeCount() == 0);
        } else {
            Select(selected);
        }
        QTest::keyClick(w, Qt::Key_F9);
        QCOMPARE(prompts_->Texts(u"Message"_s), QStringList { message });
        QVERIFY(!w->Doc().FModified());
    }

    void dialogEdits_data()
    {
        QTest::addColumn<QString>("node"); // empty: Add IK Chain with lThigh selected
        QTest::addColumn<Modal>("modal");
        QTest::addColumn<QString>("line"); // the line that stands for the node afterwards
        QTest::addColumn<bool>("modified");
        const auto level = [](std::function<void(TEditLevelForm&)> fill, bool ok = true) {
            return Answer<TEditLevelForm>(std::move(fill), ok);
        };
        QTest::newRow("level unchanged") << u"2 abdomen"_s << level([](TEditLevelForm&) {})
                                         << u"\t2 abdomen yzx curve"_s << true;
        QTest::newRow("level changed") << u"3 lShin"_s << level([](TEditLevelForm& form) {
            Control<QLineEdit>(form, u"NameEdit"_s)->setText(u"lCalf"_s);
            Control<QRadioButton>(form, u"xzy"_s)->click();
            Control<QCheckBox>(form, u"CurvedCheckBox"_s)->setChecked(true);
            Control<QLineEdit>(form, u"OBJEdit"_s)->setText(u":Runtime:Geometries:legs.obj"_s);
        }) << u"\t\t3 lCalf xzy curve :Runtime:Geometries:legs.obj"_s
                                       << true;
        QTest::newRow("level cancelled")
            << u"3 lShin"_s
            << level([](TEditLevelForm& form) { Control<QLineEdit>(form, u"NameEdit"_s)->setText(u"x"_s); }, false)
            << u"\t\t3 lShin yzx"_s << false;
        QTest::newRow("objFile") << u"objFile"_s << Answer<TEditOBJForm>([](TEditOBJForm& form) {
            Control<QLineEdit>(form, u"OBJEdit"_s)->setText(u":Runtime:Geometries:other.obj"_s);
        }) << u"objFile :Runtime:Geometries:other.obj"_s
                                 << true;
        QTest::newRow("ikChain renamed") << u"ikChain leftLeg"_s << Answer<TEditIKForm>([](TEditIKForm& form) {
            Control<QLineEdit>(form, u"NameEdit"_s)->setText(u"lLeg"_s);
        }) << u"ikChain lLeg lThigh lShin lFoot"_s
                                         << true;
        QTest::newRow("ikChain added") << QString() << Answer<TEditIKForm>([](TEditIKForm& form) {
            Control<QLineEdit>(form, u"NameEdit"_s)->setText(u"thigh"_s);
        }) << u"ikChain thigh lThigh lShin lFoot"_s
                                       << true;
        QTest::newRow("ikChain not added")
            << QString() << Answer<TEditIKForm>([](TEditIKForm&) {}, false) << QString() << false;
    }
    void dialogEdits()
    {
        QFETCH(QString, node);
        QFETCH(Modal, modal);
        QFETCH(QString, line);
        QFETCH(bool, modified);
        OpenFigure();
        Select(node.isEmpty() ? u"2 lThigh"_s : node);
        const int row = node.isEmpty() ? figure_.size() : Lines().indexOf(figure_.filter(node).value(0));
        prompts_->modals.push_back(modal);
        QTest::keyClick(w, node.isEmpty() ? Qt::Key_F9 : Qt::Key_F7);
        QVERIFY(prompts_->modals.empty());
        QCOMPARE(w->Doc().FModified(), modified);
        const QStringList text = TreeText();
        QCOMPARE(text.value(row), line);
        QCOMPARE(text.size(), figure_.size() + (node.isEmpty() && modified ? 1 : 0));
    }

    // A chain whose first part a comment names too is seeded from the part itself.
    void chainNamedInAComment()
    {
        OpenFigure();
        Select(u"2 rThigh"_s);
        prompts_->inputs.push_back(u" lThigh is the left thigh"_s);
        QTest::keyClick(w, Qt::Key_F8);
        Select(u"ikChain leftLeg"_s);
        prompts_->modals.push_back(Answer<TEditIKForm>([](TEditIKForm&) {}));
        QTest::keyClick(w, Qt::Key_F7);
        QCOMPARE(prompts_->Texts(u"Message"_s), QStringList {});
        QVERIFY(TreeText().contains(u"ikChain leftLeg lThigh lShin lFoot"_s));
        Control<QToolButton>(*w, u"TestButton"_s)->click();
        QCOMPARE(w->Doc().FErrorCount(), 0);
    }

    // A real drag with the mouse needs a display: run with QT_QPA_PLATFORM=xcb under Xvfb.
    void realDrag()
    {
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs a real display (xcb)");
        OpenFigure();
        TreeView1()->SetOwnDragTest([this](const QDropEvent& event) { return event.source() == TreeView1(); });
        QCursor::setPos(w->mapToGlobal(QPoint(-200, -200)));
        QWidget* viewport = TreeView1()->viewport();
        const QPoint from = SpotOf(Node(u"4 neck"_s), Spot::Label);
        const QPoint to = SpotOf(Node(u"1 hip"_s), Spot::Label);
        QTimer::singleShot(300, viewport, [viewport, to] {
            QTest::mouseMove(viewport, to);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        });
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, from + QPoint(0, 15));
        QTest::mouseMove(viewport, from + QPoint(0, 30));
        QTRY_VERIFY(w->Doc().FModified());
        QVERIFY(TreeText().contains(u"\t2 neck yzx"_s));
    }
};

QTEST_MAIN(TreeEditingTest)
#include "tree_editing_test.moc"
