// Undo and Redo of the tree's edits: every tree command back to the exact tree before it
// and forward again, the items' hints and enabling, and what stays as the edit left it.
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "tree_view_fixture.h"

#include <QLineEdit>

namespace {

// Every node in order with its depth and text, and the node itself: equal only for the
// same nodes in the same places.
using Snapshot = QList<std::tuple<const varnoke::Node*, int, QString>>;

Snapshot Snap(const varnoke::Forest& tree)
{
    Snapshot snapshot;
    for (const varnoke::Node* node = tree.First(); node; node = tree.Next(node)) {
        int depth = 0;
        for (const varnoke::Node* up = node->Parent(); up; up = up->Parent())
            ++depth;
        snapshot.append({ node, depth, QString::fromLatin1(node->Text()) });
    }
    return snapshot;
}

const QString kUndoHint = u"Undo the last change to the tree"_s;
const QString kRedoHint = u"Redo the last undone change to the tree"_s;

} // namespace

class TreeUndoTest : public TreeViewFixture {
    Q_OBJECT

    QAction* Item(const QString& name) const { return Control<QAction>(*w, name); }
    QString SelectedText() const
    {
        const varnoke::Node* node = w->SelectedNode();
        return node ? QString::fromLatin1(node->Text()) : QString();
    }
    // The Undo and Redo items as the Tree menu shows them: enabled, and their hints.
    void ExpectItems(const QString& undoStep, const QString& redoStep)
    {
        QCOMPARE(MenuItemEnabled(Item(u"Undo1"_s)), !undoStep.isEmpty());
        QCOMPARE(Item(u"Redo1"_s)->isEnabled(), !redoStep.isEmpty());
        QCOMPARE(Item(u"Undo1"_s)->statusTip(), undoStep.isEmpty() ? kUndoHint : kUndoHint + u": "_s + undoStep);
        QCOMPARE(Item(u"Redo1"_s)->statusTip(), redoStep.isEmpty() ? kRedoHint : kRedoHint + u": "_s + redoStep);
        emit Control<QMenu>(*w, u"Tree1"_s)->aboutToHide();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) { QTest::keyClick(w, key, modifiers); }
    void EditComment()
    {
        Select(u"#Mannikin"_s);
        prompts_->inputs.push_back(u" renamed"_s);
        Key(Qt::Key_F7, {});
    }

private slots:
    void undoRedo_data()
    {
        using Command = std::function<void(TreeUndoTest&)>;
        QTest::addColumn<QString>("selected");
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("afterUndo"); // the node then selected; empty: none
        QTest::addColumn<QString>("afterRedo");
        const auto drop = [](const QString& target, Spot spot) {
            return Command([target, spot](TreeUndoTest& test) { QVERIFY(test.DropOn(target, spot)); });
        };
        const auto dialog = [](Qt::Key key, Modal modal) {
            return Command([key, modal](TreeUndoTest& test) {
                test.prompts_->modals.push_back(modal);
                test.Key(key, {});
            });
        };
        const auto name = [](const QString& text) {
            return [text](auto& form) { Control<QLineEdit>(form, u"NameEdit"_s)->setText(text); };
        };
        const QString obj = u"objFile :Runtime:Geometries:Mannikin:mannikin.obj"_s;
        const QString top = u"#Mannikin: a small sample figure for Varnoke"_s;
        const QString chain = u"ikChain leftLeg lThigh lShin lFoot"_s;
        QTest::newRow("drop under") << u"3 lShin"_s << drop(u"1 hip"_s, Spot::Label) << u"Move lShin under hip"_s
                                    << u"3 lShin yzx"_s << u"2 lShin yzx"_s;
        QTest::newRow("drop before") << u"4 lFoot"_s << drop(u"2 rThigh"_s, Spot::Indent)
                                     << u"Move lFoot before rThigh"_s << u"4 lFoot zxy"_s << u"2 lFoot zxy"_s;
        QTest::newRow("drop of a non-level node")
            << u"objFile"_s << drop(u"#Mannikin"_s, Spot::Right)
            << u"Move objFile :Runtime:Geometries:Mannikin:... before #Mannikin: a small sample figure for ..."_s << obj
            << obj;
        QTest::newRow("edit a comment") << u"#Mannikin"_s << Command([](TreeUndoTest& test) {
            test.prompts_->inputs.push_back(u" renamed"_s);
            test.Key(Qt::Key_F7, {});
        }) << u"Edit #Mannikin: a small sample figure for ..."_s
                                        << top << u"# renamed"_s;
        QTest::newRow("edit a level") << u"2 abdomen"_s << dialog(Qt::Key_F7, Answer<TEditLevelForm>(name(u"belly"_s)))
                                      << u"Edit abdomen"_s << u"2 abdomen yzx curve"_s << u"2 belly yzx curve"_s;
        QTest::newRow("edit an objFile")
            << u"objFile"_s
            << dialog(Qt::Key_F7, Answer<TEditOBJForm>([](auto& form) {
                          Control<QLineEdit>(form, u"OBJEdit"_s)->setText(u":Runtime:Geometries:other.obj"_s);
                      }))
            << u"Edit objFile :Runtime:Geometries:Mannikin:..."_s << obj << u"objFile :Runtime:Geometries:other.obj"_s;
        QTest::newRow("edit an ikChain") << u"ikChain leftLeg"_s
                                         << dialog(Qt::Key_F7, Answer<TEditIKForm>(name(u"lLeg"_s)))
                                         << u"Edit "_s + chain << chain << u"ikChain lLeg lThigh lShin lFoot"_s;
        QTest::newRow("add a comment") << u"2 lThigh"_s << Command([](TreeUndoTest& test) {
            test.prompts_->inputs.push_back(u"abc"_s);
            test.Key(Qt::Key_F8, {});
        }) << u"Add comment"_s << QString()
                                       << u"#abc"_s;
        QTest::newRow("add an IK chain") << u"2 lThigh"_s << dialog(Qt::Key_F9, Answer<TEditIKForm>(name(u"thigh"_s)))
                                         << u"Add IK chain thigh"_s << QString()
                                         << u"ikChain thigh lThigh lShin lFoot"_s;
        QTest::newRow("delete") << u"ikChain leftLeg"_s
                                << Command([](TreeUndoTest& test) { test.Key(Qt::Key_Delete, {}); })
                                << u"Delete "_s + chain << chain << QString();
    }
    void undoRedo()
    {
        QFETCH(QString, selected);
        QFETCH(std::function<void(TreeUndoTest&)>, command);
        QFETCH(QString, step);
        QFETCH(QString, afterUndo);
        QFETCH(QString, afterRedo);
        OpenFigure();
        ExpectItems({}, {});
        Select(selected);
        TreeView1()->setFocus();
        const Snapshot before = Snap(w->Doc().Tree());
        command(*this);
        QVERIFY(prompts_->modals.empty() && prompts_->inputs.empty());
        const Snapshot after = Snap(w->Doc().Tree());
        QVERIFY(after != before);
        ExpectItems(step, {});
        // Back and forth twice, by every key, the same nodes in the same places each time.
        for (const auto& redoKey : { QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
                                     QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) }) {
            Key(Qt::Key_Z);
            QCOMPARE(Snap(w->Doc().Tree()), before);
            QCOMPARE(SelectedText(), afterUndo);
            QVERIFY(w->Doc().FModified() && w->Doc().ChangedSinceTest());
            ExpectItems({}, step);
            Key(redoKey.key(), redoKey.keyboardModifiers());
            QCOMPARE(Snap(w->Doc().Tree()), after);
            QCOMPARE(SelectedText(), afterRedo);
            ExpectItems(step, {});
        }
        // Undo restores the tree only: the test's diagnostics stay as they were.
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
    }

    // Commands that change nothing make no step, though some count as edits.
    void noStepForNoChange()
    {
        OpenFigure();
        Select(u"3 lShin"_s);
        QVERIFY(DropOn(u"2 rThigh"_s, Spot::Button));
        QVERIFY(w->Doc().FModified());
        Select(u"#Mannikin"_s);
        prompts_->inputs.push_back(std::nullopt);
        Key(Qt::Key_F7, {});
        ExpectItems({}, {});
        Key(Qt::Key_Z);
        QCOMPARE(TreeText(), figure_);
    }

    // An undo after a save is a change again, offered for saving; the history stays.
    void undoAfterSave()
    {
        OpenFigure();
        EditComment();
        Key(Qt::Key_S);
        QVERIFY(!w->Doc().IsModified());
        QCOMPARE(ReadAll(Figure()).left(10), "# renamed\r");
        Key(Qt::Key_Z);
        QVERIFY(w->Doc().FModified() && w->Doc().IsModified());
        QCOMPARE(SelectedText(), figure_.value(0));
        Key(Qt::Key_Y);
        QVERIFY(w->Doc().FModified());
        QCOMPARE(SelectedText(), u"# renamed"_s);
    }

    // A test, Open and New rebuild the tree, and the history with it.
    void rebuildsClearTheHistory_data()
    {
        QTest::addColumn<int>("rebuild");
        QTest::newRow("test") << 0;
        QTest::newRow("open") << 1;
        QTest::newRow("new") << 2;
    }
    void rebuildsClearTheHistory()
    {
        QFETCH(int, rebuild);
        OpenFigure();
        EditComment();
        if (rebuild == 0) {
            Key(Qt::Key_F10, {});
        } else {
            prompts_->confirms.push_back(Prompts::Answer::No);
            if (rebuild == 1)
                Open(Figure());
            else
                Item(u"New1"_s)->trigger();
        }
        QVERIFY(!w->FTextMode());
        ExpectItems({}, {});
        const QStringList text = TreeText();
        Key(Qt::Key_F5, {});
        ExpectItems({}, {});
        QCOMPARE(TreeText(), text);
    }

    // In the text view the keys are the editor's: Ctrl+Z and Ctrl+Y undo and redo typing,
    // and the tree's steps wait, out of reach, for the next stay in the tree view.
    void textViewKeepsItsOwnKeys()
    {
        OpenFigure();
        EditComment();
        Key(Qt::Key_F4, {});
        QVERIFY(w->FTextMode());
        QVERIFY(!MenuItemEnabled(Item(u"Undo1"_s)) && !Item(u"Redo1"_s)->isEnabled());
        emit Control<QMenu>(*w, u"Tree1"_s)->aboutToHide();
        Caret(0, 0);
        QTest::keyClicks(TextMemo(), u"xy"_s);
        QCOMPARE(Lines().value(0), u"xy# renamed"_s);
        QTest::keyClick(TextMemo(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Lines().value(0), u"# renamed"_s);
        QTest::keyClick(TextMemo(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Lines().value(0), u"xy# renamed"_s);
        QCOMPARE(w->Doc().History().Count(), 1);
    }

    // The tree's context menu offers Undo and Redo, gated as the Tree menu's.
    void contextMenuHoldsUndo()
    {
        OpenFigure();
        EditComment();
        auto* popup = Control<QMenu>(*w, u"TreePopupMenu"_s);
        QVERIFY(popup->actions().contains(Item(u"Undo1"_s)) && popup->actions().contains(Item(u"Redo1"_s)));
        emit popup->aboutToShow();
        QVERIFY(Item(u"Undo1"_s)->isEnabled() && !Item(u"Redo1"_s)->isEnabled());
        emit popup->aboutToHide();
        Item(u"Undo1"_s)->trigger();
        QCOMPARE(TreeText(), figure_);
    }
};

QTEST_MAIN(TreeUndoTest)
#include "tree_undo_test.moc"
