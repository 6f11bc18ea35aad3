// Editing the hierarchy in the main window's tree view: drops on the view's real
// geometry, the Tree menu, comments, IK chains and Delete, and the text that follows.
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "tree_view_fixture.h"

#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

// How a key of the tree view reaches it; Menu: the context-menu key, as the display server tells it.
enum class Key { Delete, Return, ShiftF10, Menu, RightClick };

} // namespace

Q_DECLARE_METATYPE(Key)

class TreeEditingTest : public TreeViewFixture {
    Q_OBJECT

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
        QTest::newRow("far right of a short label")
            << u"5 head"_s << u"2 lThigh"_s << Spot::FarRight << true << true << QStringList {};
        QTest::newRow("on an expand button")
            << u"3 lShin"_s << u"2 rThigh"_s << Spot::Button << true << true << QStringList {};
        QTest::newRow("on the indent of a thigh") << u"4 lFoot"_s << u"2 rThigh"_s << Spot::Indent << true << true
                                                  << QStringList { u"\t\t\t4 lFoot zxy=>\t2 lFoot zxy"_s };
        QTest::newRow("on the indent of the top") << u"7 lHand"_s << u"1 hip"_s << Spot::Indent << true << true
                                                  << QStringList { u"\t\t\t\t\t\t7 lHand xyz=>1 lHand xyz"_s };
        QTest::newRow("left of a part without children")
            << u"3 lShin"_s << u"7 lHand"_s << Spot::Button << true << true
            << QStringList { u"\t\t3 lShin yzx=>\t\t\t\t\t\t7 lShin yzx"_s,
                             u"\t\t\t4 lFoot zxy=>\t\t\t\t\t\t\t8 lFoot zxy"_s };
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
        WidenForFarRight(spot);
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
        using Answers = QList<std::optional<QString>>;
        QTest::addColumn<QString>("node"); // empty: Add Comment
        QTest::addColumn<Answers>("answers"); // one for each showing of the box; none: Cancel
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("first"); // the first line afterwards
        QTest::addColumn<int>("modified"); // -1: not looked at
        QTest::addColumn<int>("errors");
        const QString top = figure_.value(0);
        const QString edit = u"Edit Comment|Comment|Mannikin: a small sample figure for Varnoke"_s;
        const QString add = u"Add comment|Comment|"_s;
        const QString beyond = u"caf\u00e9 \u0100 \u0101!"_s;
        QTest::newRow("edit, OK") << u"#Mannikin"_s << Answers { u" renamed"_s } << QStringList { edit }
                                  << u"# renamed"_s << 1 << 0;
        QTest::newRow("edit, Cancel") << u"#Mannikin"_s << Answers { std::nullopt } << QStringList { edit } << top << 1
                                      << 0;
        QTest::newRow("add") << QString() << Answers { u"abc"_s } << QStringList { add } << u"#abc"_s << 1 << 0;
        QTest::newRow("add nothing") << QString() << Answers { QString() } << QStringList { add } << top << 0 << 0;
        QTest::newRow("add, Cancel") << QString() << Answers { std::nullopt } << QStringList { add } << top << 0 << 0;
        // Refused text comes back, as typed, until it is mended or the box cancelled.
        QTest::newRow("add beyond a byte, mended")
            << QString() << Answers { beyond, u"caf\u00e9 \u0100 a!"_s, u"caf\u00e9 A a!"_s }
            << QStringList { add, add + beyond, add + u"caf\u00e9 \u0100 a!"_s } << u"#caf\u00e9 A a!"_s << 1 << 2;
        QTest::newRow("add beyond a byte, Cancel")
            << QString() << Answers { beyond, std::nullopt } << QStringList { add, add + beyond } << top << 0 << 1;
        QTest::newRow("edit beyond a byte, Cancel")
            << u"#Mannikin"_s << Answers { beyond, std::nullopt }
            << QStringList { edit, u"Edit Comment|Comment|"_s + beyond } << top << 1 << 1;
    }

    void comments()
    {
        QFETCH(QString, node);
        QFETCH(QList<std::optional<QString>>, answers);
        QFETCH(QStringList, shown);
        QFETCH(QString, first);
        QFETCH(int, modified);
        QFETCH(int, errors);
        OpenFigure();
        Select(node.isEmpty() ? u"2 lThigh"_s : node);
        const varnoke::Node* selected = w->SelectedNode();
        for (const std::optional<QString>& answer : answers)
            prompts_->inputs.push_back(answer);
        QTest::keyClick(w, node.isEmpty() ? Qt::Key_F8 : Qt::Key_F7);
        QCOMPARE(prompts_->Texts(u"InputBox"_s), shown);
        QCOMPARE(prompts_->Texts(u"Error"_s),
                 QStringList(errors, u"The text holds characters that cannot be saved as single bytes."_s));
        // A box shown again selects what it refused: from the first such character to the last.
        for (const ScriptedPrompts::Call& call : prompts_->calls) {
            if (call.kind != u"InputBox"_s || call.text == shown.constFirst())
                continue;
            const QString text = call.text.section(u'|', 2);
            QVERIFY(call.selection);
            const QString picked = text.mid(call.selection->first, call.selection->second);
            QVERIFY2(picked.front().unicode() > 0xFF && picked.back().unicode() > 0xFF, qPrintable(picked));
            QVERIFY(!text.left(call.selection->first).contains(QChar(0x100)));
            QVERIFY(!text.mid(call.selection->first + call.selection->second).contains(QChar(0x101)));
        }
        if (modified >= 0)
            QCOMPARE(w->Doc().FModified(), modified == 1);
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

    // A tree edit alone is a change: each way of leaving the document asks, and Yes
    // writes the tree's text; after a save from the tree there is nothing to ask about.
    void questionAfterTreeEdit_data()
    {
        QTest::addColumn<int>("command");
        const char* commands[] = { "New", "Open", "drop", "Exit", "Save, then New" };
        for (int command = 0; command < 5; ++command)
            QTest::addRow("%s", commands[command]) << command;
    }
    void questionAfterTreeEdit()
    {
        QFETCH(int, command);
        OpenFigure();
        Select(u"#Mannikin"_s);
        prompts_->inputs.push_back(u" renamed"_s);
        QTest::keyClick(w, Qt::Key_F7);
        QVERIFY(w->Doc().FModified() && !w->Doc().Lines().Modified());
        QStringList saved = figure_;
        saved[0] = u"# renamed"_s;
        const QByteArray savedBytes = (saved.join(u"\r\n"_s) + u"\r\n"_s).toLatin1();
        const QByteArray original = ReadAll(Figure());
        const QString other = WriteFile(Path(u"other.phi"_s), "#other\r\n");
        if (command == 4) {
            Control<QToolButton>(*w, u"SaveButton"_s)->click();
            QCOMPARE(ReadAll(Figure()), savedBytes);
        } else {
            prompts_->confirms.push_back(Prompts::Answer::Yes);
            QCOMPARE(ReadAll(Figure()), original);
        }
        if (command == 1)
            prompts_->files.push_back(FileDialogAnswer { other, u"All Files (*.*)"_s });
        if (command == 1)
            Control<QAction>(*w, u"Load1"_s)->trigger();
        else if (command == 2)
            Drop({ other });
        else if (command == 3)
            Control<QAction>(*w, u"Exit1"_s)->trigger();
        else
            Control<QAction>(*w, u"New1"_s)->trigger();
        QCOMPARE(prompts_->Texts(u"Confirm"_s), command == 4 ? QStringList {} : QStringList { u"Save Changes?"_s });
        QCOMPARE(ReadAll(Figure()), savedBytes);
        QCOMPARE(w->isVisible(), command != 3);
        if (command == 1 || command == 2)
            QCOMPARE(Lines(), QStringList { u"#other"_s });
    }

    // A double click edits the node; it neither folds nor unfolds it. Its first click
    // selects the node, also right of a short label.
    void doubleClickEdits_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("folded");
        QTest::addColumn<Spot>("spot");
        QTest::newRow("unfolded") << u"1 hip"_s << false << Spot::Label;
        QTest::newRow("folded") << u"2 lThigh"_s << true << Spot::Label;
        QTest::newRow("far right of a short label") << u"2 lThigh"_s << false << Spot::FarRight;
    }
    void doubleClickEdits()
    {
        QFETCH(QString, node);
        QFETCH(bool, folded);
        QFETCH(Spot, spot);
        OpenFigure();
        WidenForFarRight(spot);
        Select(u"#Mannikin"_s);
        const QModelIndex index = Node(node);
        TreeView1()->setExpanded(index, !folded);
        // Rows with icons are taller: the node may lie below the small window's view.
        TreeView1()->scrollTo(index);
        prompts_->modals.push_back([](QDialog&) { return int(QDialog::Rejected); });
        // As a window system delivers it: a click, then a press that makes it double.
        QWidget* viewport = TreeView1()->viewport();
        const QPoint point = SpotOf(index, spot);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
        QCOMPARE(TreeView1()->currentIndex(), index);
        QTest::mousePress(viewport, Qt::LeftButton, {}, point);
        QMouseEvent twice(QEvent::MouseButtonDblClick, point, viewport->mapToGlobal(point), Qt::LeftButton,
                          Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &twice);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
        QCOMPARE(prompts_->Texts(u"ShowModal"_s).size(), 1);
        QVERIFY(prompts_->modals.empty());
        QCOMPARE(TreeView1()->isExpanded(index), !folded);
        QCOMPARE(w->SelectedNode(), w->Doc().TreeModel().NodeOf(index));
        QVERIFY(!w->Doc().FModified());
    }

    // Editing a level node reads its line again: what that finds is listed while the
    // dialog is open; a sound line adds nothing.
    void levelEditListsWhatItFinds()
    {
        OpenFigure();
        Select(u"3 lShin"_s);
        const QStringList before = Diagnostics();
        QStringList shownClean, shownDefect;
        prompts_->modals.push_back(Answer<TEditLevelForm>([&](TEditLevelForm& form) {
            shownClean = Diagnostics();
            Control<QLineEdit>(form, u"NameEdit"_s)->setText(u"lShank"_s);
            Control<QLineEdit>(form, u"OBJEdit"_s)->setText(u"legs.obj"_s);
        }));
        QTest::keyClick(w, Qt::Key_F7);
        QCOMPARE(shownClean, before);
        prompts_->modals.push_back([&](QDialog&) {
            shownDefect = Diagnostics();
            return int(QDialog::Rejected);
        });
        QTest::keyClick(w, Qt::Key_F7);
        // "3 lShank yzx legs.obj": a part that no OBJ file holds, and a fourth field that is
        // neither "curve" nor a path.
        const QStringList found { u"1 Error: Part 'lShank' was not found in an OBJ file"_s,
                                  u"1 Error: Illegal 4th argument, must be 'curve'"_s };
        QCOMPARE(shownDefect, before + found);
    }

    // The tree view's own keys: each runs its command while the tree has the focus, as
    // gated by the Tree menu, and nothing while the list or the editor has it.
    void treeKeys_data()
    {
        QTest::addColumn<QString>("selected"); // empty: none
        QTest::addColumn<Key>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("ran"); // Delete, Edit, a menu with Delete on or off, or nothing
        const QString tree = u"TreeView1"_s, list = u"WarningsList"_s, text = u"TextMemo"_s;
        QTest::newRow("Delete, comment") << u"#Mannikin"_s << Key::Delete << tree << u"Delete"_s;
        QTest::newRow("Delete, level node") << u"1 hip"_s << Key::Delete << tree << QString();
        QTest::newRow("Delete, nothing selected") << QString() << Key::Delete << tree << QString();
        QTest::newRow("Return, comment") << u"#Mannikin"_s << Key::Return << tree << u"Edit"_s;
        QTest::newRow("Return, nothing selected") << QString() << Key::Return << tree << QString();
        QTest::newRow("Shift+F10, comment") << u"#Mannikin"_s << Key::ShiftF10 << tree << u"menu, Delete on"_s;
        QTest::newRow("Shift+F10, level node") << u"2 lThigh"_s << Key::ShiftF10 << tree << u"menu, Delete off"_s;
        QTest::newRow("Menu, last node") << u"ikChain rightLeg"_s << Key::Menu << tree << u"menu, Delete on"_s;
        QTest::newRow("Menu, nothing selected") << QString() << Key::Menu << tree << u"menu, Delete off"_s;
        QTest::newRow("right click, comment") << u"#The legs"_s << Key::RightClick << tree << u"menu, Delete on"_s;
        QTest::newRow("right click, level node") << u"1 hip"_s << Key::RightClick << tree << u"menu, Delete off"_s;
        for (const QString& focus : { list, text }) {
            QTest::addRow("Delete in %s", qPrintable(focus)) << u"#Mannikin"_s << Key::Delete << focus << QString();
            QTest::addRow("Return in %s", qPrintable(focus)) << u"#Mannikin"_s << Key::Return << focus << QString();
            QTest::addRow("Shift+F10 in %s", qPrintable(focus))
                << u"#Mannikin"_s << Key::ShiftF10 << focus << QString();
        }
    }
    void treeKeys()
    {
        QFETCH(QString, selected);
        QFETCH(Key, key);
        QFETCH(QString, focus);
        QFETCH(QString, ran);
        OpenFigure();
        w->resize(580, 300);
        TreeView1()->clearSelection();
        if (!selected.isEmpty())
            Select(selected);
        if (focus == u"TextMemo"_s)
            Control<QToolButton>(*w, u"TextButton"_s)->click();
        Control<QWidget>(*w, focus)->setFocus();
        QWidget* target = QApplication::focusWidget();
        QCOMPARE(target->objectName(), focus);
        if (ran == u"Edit"_s)
            prompts_->inputs.push_back(std::nullopt);
        const int nodes = w->Doc().Tree().NodeCount();
        const QModelIndex index = TreeView1()->currentIndex();
        QWidget* viewport = TreeView1()->viewport();
        QPoint clicked;
        if (key == Key::RightClick) {
            // A right press selects the node; the window system then asks for a context menu.
            TreeView1()->clearSelection();
            clicked = SpotOf(index, Spot::Label);
            QTest::mousePress(viewport, Qt::RightButton, {}, clicked);
            QContextMenuEvent click(QContextMenuEvent::Mouse, clicked, viewport->mapToGlobal(clicked));
            QCoreApplication::sendEvent(viewport, &click);
        } else if (key == Key::Menu) {
            TreeView1()->scrollToTop(); // the menu shows the selected node
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, target->mapToGlobal(QPoint()));
            QCoreApplication::sendEvent(target, &menuKey);
        } else {
            TreeView1()->scrollToTop();
            const QKeyCombination keys[] = { Qt::Key_Delete, Qt::Key_Return, Qt::SHIFT | Qt::Key_F10 };
            QTest::keyClick(target, keys[int(key)].key(), keys[int(key)].keyboardModifiers());
        }
        QString seen;
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            QCOMPARE(menu->objectName(), u"TreePopupMenu"_s);
            QCOMPARE(menu->actions(), Control<QMenu>(*w, u"Tree1"_s)->actions());
            seen = Control<QAction>(*w, u"Delete2"_s)->isEnabled() ? u"menu, Delete on"_s : u"menu, Delete off"_s;
            const QRect row = TreeView1()->visualRect(index);
            QVERIFY(selected.isEmpty() || viewport->rect().contains(row));
            const QPoint at = key == Key::RightClick ? clicked : selected.isEmpty() ? QPoint() : row.bottomLeft();
            QCOMPARE(menu->pos(), viewport->mapToGlobal(at));
            QCOMPARE(w->SelectedNode(), w->Doc().TreeModel().NodeOf(index));
            menu->close();
            // Closed, the menu leaves the items to answer their keys again.
            QVERIFY(Control<QAction>(*w, u"Delete2"_s)->isEnabled());
        } else if (!prompts_->Texts(u"InputBox"_s).isEmpty()) {
            seen = u"Edit"_s;
        } else if (w->Doc().Tree().NodeCount() == nodes - 1) {
            seen = u"Delete"_s;
        }
        QCOMPARE(seen, ran);
        QCOMPARE(w->Doc().Tree().NodeCount(), nodes - (ran == u"Delete"_s ? 1 : 0));
        QCOMPARE(w->Doc().FModified(), ran == u"Delete"_s || ran == u"Edit"_s);
    }

    // A hierarchy of any depth opens, its text whole: the tree is expanded as deep as
    // figures go, never by a recursion as deep as the file.
    void deepHierarchyOpens()
    {
        QVERIFY(Start());
        constexpr int kLevels = 30'000;
        QByteArray text = "objFile :Runtime:Geometries:Deep:deep.obj\r\n";
        QByteArray geometry = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
        for (int level = 1; level <= kLevels; ++level) {
            text += QByteArray::number(level) + " p" + QByteArray::number(level) + " xyz\r\n";
            geometry += "g p" + QByteArray::number(level) + "\nf 1 2 3\n";
        }
        WriteFile(Path(u"Runtime/Geometries/Deep/deep.obj"_s), geometry);
        Open(WriteFile(Path(u"deep.phi"_s), text));
        QVERIFY(!w->FTextMode());
        QCOMPARE(w->Doc().Tree().NodeCount(), kLevels + 1);
        const HierarchyModel& model = w->Doc().TreeModel();
        QVERIFY(TreeView1()->isExpanded(model.IndexOf(w->Doc().Tree().NodeAt(1))));
        QVERIFY(TreeView1()->isExpanded(model.IndexOf(w->Doc().Tree().NodeAt(1000))));
        QVERIFY(!TreeView1()->isExpanded(model.IndexOf(w->Doc().Tree().NodeAt(1001))));
        QVERIFY(TreeView1()->visualRect(model.IndexOf(w->Doc().Tree().NodeAt(1001))).height() > 0); // laid out
        QTest::keyClick(w, Qt::Key_F4);
        QCOMPARE(w->Doc().Lines().Count(), kLevels + 1);
        QCOMPARE(w->Doc().Lines().Line(kLevels), "30000 p30000 xyz");
    }

    // Leaving the tree for the text puts the caret at the start of the selected node's
    // line, in sight; at the start of the text when no node is selected.
    void caretAfterTreeView_data()
    {
        QTest::addColumn<QString>("selected"); // empty: none
        QTest::addColumn<bool>("byKey"); // F4, else the Text button
        QTest::newRow("nothing selected") << QString() << true;
        QTest::newRow("first node") << u"#Mannikin"_s << false;
        QTest::newRow("a deep node") << u"7 rHand"_s << true;
        QTest::newRow("last node") << u"ikChain rightLeg"_s << false;
    }
    void caretAfterTreeView()
    {
        QFETCH(QString, selected);
        QFETCH(bool, byKey);
        OpenFigure();
        w->resize(580, 300);
        TreeView1()->clearSelection();
        int line = 0;
        if (!selected.isEmpty()) {
            Select(selected);
            line = figure_.indexOf(figure_.filter(selected).value(0));
        }
        // The text was left scrolled to its far end from the line, with the caret there.
        QTest::keyClick(w, Qt::Key_F4);
        TextMemo()->moveCursor(line < figure_.size() / 2 ? QTextCursor::End : QTextCursor::Start);
        QTest::keyClick(w, Qt::Key_F5);
        QVERIFY(!w->FTextMode());
        if (!selected.isEmpty())
            Select(selected);
        if (byKey)
            QTest::keyClick(w, Qt::Key_F4);
        else
            Control<QToolButton>(*w, u"TextButton"_s)->click();
        QVERIFY(w->FTextMode());
        const QTextCursor caret = TextMemo()->textCursor();
        QVERIFY(!caret.hasSelection());
        QCOMPARE(caret.blockNumber(), line);
        QCOMPARE(caret.positionInBlock(), 0);
        QVERIFY(TextMemo()->viewport()->rect().contains(TextMemo()->cursorRect()));
        QCOMPARE(QApplication::focusWidget(), TextMemo());
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
