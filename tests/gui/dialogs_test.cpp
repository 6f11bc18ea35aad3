// The three edit dialogs on their own: OK checks, closing, Browse and the IK chain trees.
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"
#include "scripted_prompts.h"
#include "ui/file_dialog.h"
#include "ui/poser_folder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using varnoke::IKChainDialog;
using varnoke::LevelDialogValues;
using varnoke::Node;

namespace {

const QString kFolder = QStringLiteral("/p/Poser");

// hip > (lThigh > lShin > lFoot, rThigh > rShin), with hip's subtree first in TopTV.
void FillChain(IKChainDialog& chain, const QString& name, bool seeding)
{
    chain.Clear();
    chain.name = name.toStdString();
    varnoke::Forest& top = chain.topTree;
    Node* hip = top.AddLastChild(nullptr, "hip");
    top.AddLastChild(top.AddLastChild(top.AddLastChild(hip, "lThigh"), "lShin"), "lFoot");
    top.AddLastChild(top.AddLastChild(hip, "rThigh"), "rShin");
    chain.TopSelected = hip;
    chain.FSeeding = seeding;
    chain.ShowTopSelection();
    chain.FSeeding = false;
}

QModelIndex Find(QTreeView* view, const QString& text)
{
    const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                                       Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.front();
}

QString Selected(QTreeView* view)
{
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.front().data().toString();
}

void Click(QTreeView* view, const QString& text)
{
    const QModelIndex index = Find(view, text);
    QVERIFY2(index.isValid(), qPrintable(text));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Every node of the view, in absolute order, "!" marking one that is collapsed.
QStringList Shown(QTreeView* view, const QModelIndex& parent = {})
{
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(parent); ++row) {
        const QModelIndex index = view->model()->index(row, 0, parent);
        const bool closed = view->model()->hasChildren(index) && !view->isExpanded(index);
        texts << index.data().toString() + (closed ? QStringLiteral("!") : QString()) << Shown(view, index);
    }
    return texts;
}

// The colour a view fills its selected row with, right of the row's label.
QColor SelectionColour(QTreeView* view)
{
    const QRect row = view->visualRect(view->selectionModel()->selectedIndexes().value(0));
    return view->viewport()->grab().toImage().pixelColor(view->viewport()->width() - 4, row.center().y());
}

double Distance(const QColor& a, const QColor& b)
{
    return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPrompts> prompts;
    const PoserFolder poserFolder { kFolder + u"/varnoke"_s };
    std::unique_ptr<TEditLevelForm> level;
    std::unique_ptr<TEditOBJForm> obj;
    std::unique_ptr<TEditIKForm> ik;

    QTreeView* TopTV() const { return Control<QTreeView>(*ik, u"TopTV"_s); }
    QTreeView* BottomTV() const { return Control<QTreeView>(*ik, u"BottomTV"_s); }
    QDialog* Dialog(const QString& kind)
    {
        if (kind == QLatin1String("level"))
            return level.get();
        if (kind == QLatin1String("obj"))
            return obj.get();
        return ik.get();
    }
    // Shows a dialog filled so that OK would pass.
    QDialog* Open(const QString& kind)
    {
        level->SetValues({ "Chest", 2, true, ":Runtime:Geometries:a.obj" });
        obj->SetPath(":Runtime:Geometries:a.obj");
        ik->Fill([](IKChainDialog& chain) { FillChain(chain, QStringLiteral("leftLeg"), false); });
        QDialog* dialog = Dialog(kind);
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("the dialog did not become active");
        return dialog;
    }

private slots:
    void init()
    {
        prompts = std::make_unique<ScriptedPrompts>();
        level = std::make_unique<TEditLevelForm>(*prompts, poserFolder);
        obj = std::make_unique<TEditOBJForm>(*prompts, poserFolder);
        ik = std::make_unique<TEditIKForm>(*prompts);
    }
    void cleanup() { QVERIFY2(prompts->unexpected.isEmpty(), qPrintable(prompts->unexpected.join(u'\n'))); }

    void levelOkChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message"); // empty: any message but the rotation one
        const QString rotation = u"You must select one of the rotation orders."_s;
        QTest::newRow("empty name") << u""_s << 3 << false << u""_s;
        QTest::newRow("empty name before no rotation") << u""_s << -1 << false << u""_s;
        QTest::newRow("no rotation") << u"lHand"_s << -1 << false << rotation;
        QTest::newRow("no rotation before a blank in the name") << u"l Hand"_s << -1 << false << rotation;
        QTest::newRow("blank name passes") << u"   "_s << 0 << true << u""_s;
        QTest::newRow("last rotation") << u"lHand"_s << 5 << true << u""_s;
    }
    void levelOkChecks()
    {
        QFETCH(QString, name);
        QFETCH(int, rotation);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        const LevelDialogValues values { name.toStdString(), rotation, true, "x:\xe9.obj" };
        level->SetValues(values);
        level->show();
        QTest::mouseClick(Control<QPushButton>(*level, u"OKButton"_s), Qt::LeftButton);
        QCOMPARE(level->isVisible(), !accepted);
        QCOMPARE(level->result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        const QStringList messages = prompts->Texts(QStringLiteral("Message"));
        QCOMPARE(messages.size(), accepted ? 0 : 1);
        if (!accepted && !message.isEmpty())
            QCOMPARE(messages.front(), message);
        if (!accepted && message.isEmpty())
            QVERIFY(!messages.front().contains(QStringLiteral("rotation")));
        const LevelDialogValues after = level->Values();
        QCOMPARE(after.name, values.name);
        QCOMPARE(after.rotation, values.rotation);
        QCOMPARE(after.curved, values.curved);
        QCOMPARE(after.objPath, values.objPath);
    }

    void objOkChecks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << u""_s << u"You must supply an OBJ file first."_s;
        QTest::newRow("blank") << u" "_s << u""_s;
        QTest::newRow("no Poser path") << u"C:\\x.obj"_s << u""_s;
    }
    void objOkChecks()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        obj->SetPath(path.toStdString());
        obj->show();
        QTest::mouseClick(Control<QPushButton>(*obj, u"OKButton"_s), Qt::LeftButton);
        QCOMPARE(obj->isVisible(), !message.isEmpty());
        QCOMPARE(prompts->Texts(QStringLiteral("Message")),
                 message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(QString::fromStdString(obj->Path()), path);
    }

    void ikOkChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("first"); // clicked in TopTV; empty: none selected
        QTest::addColumn<QString>("last"); // clicked in BottomTV; empty: none selected
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << u""_s << u""_s << u""_s << u"You must supply an name for the IK chain first."_s;
        QTest::newRow("blank name, no first")
            << u" "_s << u""_s << u""_s << u"You must select the first part of the IK chain."_s;
        QTest::newRow("no last") << u"leg"_s << u"lThigh"_s << u""_s
                                 << u"You must select the last part of the IK chain."_s;
        QTest::newRow("last is first") << u"leg"_s << u"lThigh"_s << u"lThigh"_s
                                       << u"The IK chain is too short to be valid"_s;
        QTest::newRow("two parts") << u"leg"_s << u"lThigh"_s << u"lShin"_s << u""_s;
    }
    void ikOkChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, message);
        ik->Fill([](IKChainDialog& chain) { FillChain(chain, QString(), false); });
        ik->show();
        Control<QLineEdit>(*ik, u"NameEdit"_s)->setText(name);
        TopTV()->selectionModel()->clear();
        if (!first.isEmpty())
            Click(TopTV(), first);
        BottomTV()->selectionModel()->clear();
        if (!last.isEmpty())
            Click(BottomTV(), last);
        QTest::mouseClick(Control<QPushButton>(*ik, u"OKButton"_s), Qt::LeftButton);
        QCOMPARE(ik->isVisible(), !message.isEmpty());
        QCOMPARE(prompts->Texts(QStringLiteral("Message")),
                 message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(Control<QLineEdit>(*ik, u"NameEdit"_s)->text(), name);
        QCOMPARE(Selected(TopTV()), first);
        QCOMPARE(Selected(BottomTV()), last);
        QCOMPARE(QString::fromStdString(ik->Chain().name), name);
        QCOMPARE(ik->Chain().BottomSelected ? QString::fromStdString(ik->Chain().BottomSelected->Text()) : QString(),
                 last);
    }

    // A refused OK leaves the dialog open, every field as typed, and the focus in the field
    // the message is about; text a byte cannot hold is refused after the other checks.
    void refusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field"); // emptied, given the text, or for a tree left without selection
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString beyond = u" holds characters that cannot be saved as single bytes."_s;
        QTest::newRow("level name") << u"level"_s << u"NameEdit"_s << u""_s
                                    << u"You must supply a name for the part first."_s;
        QTest::newRow("level rotation") << u"level"_s << u"RotationGroup"_s << u""_s
                                        << u"You must select one of the rotation orders."_s;
        QTest::newRow("level name beyond")
            << u"level"_s << u"NameEdit"_s << u"B\u00e4uch\u20ac"_s << u"The Part Name"_s + beyond;
        QTest::newRow("level OBJ beyond")
            << u"level"_s << u"OBJEdit"_s << u":Runtime:Geometries:\u0416.obj"_s << u"The OBJ File"_s + beyond;
        QTest::newRow("obj empty") << u"obj"_s << u"OBJEdit"_s << u""_s << u"You must supply an OBJ file first."_s;
        QTest::newRow("obj beyond") << u"obj"_s << u"OBJEdit"_s << u":Runtime:\u20ac.obj"_s
                                    << u"The OBJ Filename"_s + beyond;
        QTest::newRow("ik name") << u"ik"_s << u"NameEdit"_s << u""_s
                                 << u"You must supply an name for the IK chain first."_s;
        QTest::newRow("ik first") << u"ik"_s << u"TopTV"_s << u""_s
                                  << u"You must select the first part of the IK chain."_s;
        QTest::newRow("ik last") << u"ik"_s << u"BottomTV"_s << u""_s
                                 << u"You must select the last part of the IK chain."_s;
        QTest::newRow("ik name beyond") << u"ik"_s << u"NameEdit"_s << u"Bein\u20ac"_s
                                        << u"The IK Chain Name"_s + beyond;
    }
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QDialog* dialog = Open(kind);
        if (field == u"RotationGroup"_s)
            level->SetValues({ "Chest", -1, true, "" });
        else if (auto* tree = dialog->findChild<QTreeView*>(field))
            tree->selectionModel()->clear();
        else
            Control<QLineEdit>(*dialog, field)->setText(text);
        Control<QPushButton>(*dialog, u"OKButton"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QCOMPARE(prompts->Texts(u"Message"_s), QStringList { message });
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        QCOMPARE(focused->objectName() == field ? field : focused->parentWidget()->objectName(), field);
        if (auto* edit = qobject_cast<QLineEdit*>(focused))
            QCOMPARE(edit->text(), text);
    }

    // A name, or the path of a part's own OBJ file, is one word of its line: a blank or a tab
    // in it is refused like text beyond single bytes; one of blanks only passes as before.
    void blanksAndTabs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label"); // the field's words in the message; empty: accepted
        QTest::newRow("part name") << u"level"_s << u"NameEdit"_s << u"my belly"_s << u"Part Name"_s;
        QTest::newRow("part name, tab") << u"level"_s << u"NameEdit"_s << u"my\tbelly"_s << u"Part Name"_s;
        QTest::newRow("part name, leading blank") << u"level"_s << u"NameEdit"_s << u" belly"_s << u"Part Name"_s;
        QTest::newRow("part name of blanks") << u"level"_s << u"NameEdit"_s << u"   "_s << u""_s;
        QTest::newRow("part OBJ file") << u"level"_s << u"OBJEdit"_s << u":Runtime:Geometries:my legs.obj"_s
                                       << u"OBJ File"_s;
        QTest::newRow("part without OBJ file") << u"level"_s << u"OBJEdit"_s << u""_s << u""_s;
        QTest::newRow("objFile path") << u"obj"_s << u"OBJEdit"_s << u":Runtime:Geometries:my legs.obj"_s << u""_s;
        QTest::newRow("chain name") << u"ik"_s << u"NameEdit"_s << u"left leg"_s << u"IK Chain Name"_s;
        QTest::newRow("chain name, tab") << u"ik"_s << u"NameEdit"_s << u"leftLeg\t"_s << u"IK Chain Name"_s;
        QTest::newRow("chain name of blanks") << u"ik"_s << u"NameEdit"_s << u"  "_s << u""_s;
    }
    void blanksAndTabs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, label);
        QDialog* dialog = Open(kind);
        auto* edit = Control<QLineEdit>(*dialog, field);
        edit->setText(text);
        Control<QPushButton>(*dialog, u"OKButton"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const bool refused = !label.isEmpty();
        QCOMPARE(dialog->isVisible(), refused);
        QCOMPARE(dialog->result(), refused ? QDialog::Rejected : QDialog::Accepted);
        QCOMPARE(prompts->Texts(u"Message"_s),
                 refused ? QStringList { u"The "_s + label + u" cannot hold blanks or tabs."_s } : QStringList {});
        QCOMPARE(edit->text(), text);
        if (refused)
            QCOMPARE(QApplication::focusWidget(), edit);
    }

    // Every label, group and button has an Alt letter of its own (the rotation orders none);
    // a label's, group's or check box's letter takes the focus to its field.
    void mnemonics_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focused");
        QTest::newRow("level, part name") << u"level"_s << int(Qt::Key_P) << u"NameEdit"_s;
        QTest::newRow("level, rotation order") << u"level"_s << int(Qt::Key_R) << u"yxz"_s;
        QTest::newRow("level, curved joint") << u"level"_s << int(Qt::Key_U) << u"CurvedCheckBox"_s;
        QTest::newRow("level, OBJ file") << u"level"_s << int(Qt::Key_F) << u"OBJEdit"_s;
        QTest::newRow("obj, OBJ filename") << u"obj"_s << int(Qt::Key_F) << u"OBJEdit"_s;
        QTest::newRow("ik, chain name") << u"ik"_s << int(Qt::Key_I) << u"NameEdit"_s;
        QTest::newRow("ik, first node") << u"ik"_s << int(Qt::Key_F) << u"TopTV"_s;
        QTest::newRow("ik, last node") << u"ik"_s << int(Qt::Key_L) << u"BottomTV"_s;
    }
    void mnemonics()
    {
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(QString, focused);
        QDialog* dialog = Open(kind);
        QStringList letters;
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            QString text;
            if (auto* label = qobject_cast<QLabel*>(control)) {
                QVERIFY2(label->buddy(), qPrintable(label->text()));
                text = label->text();
            } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
                text = group->title();
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                text = button->text();
            } else {
                continue;
            }
            const QKeySequence letter = QKeySequence::mnemonic(text);
            QVERIFY2(letter.isEmpty() == (qobject_cast<QRadioButton*>(control) != nullptr), qPrintable(text));
            if (!letter.isEmpty())
                letters << letter.toString();
        }
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());

        // The group's letter goes to its selected order, also after another order had the focus.
        if (auto* order = dialog->findChild<QRadioButton*>(u"xyz"_s))
            order->setFocus();
        Control<QPushButton>(*dialog, u"CancelButton"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QVERIFY(dialog->isVisible());
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    }

    // The tree with the focus draws its selection in the highlight; the other in a colour
    // of its own, well off both the highlight and the background.
    void selectionWithoutTheFocus()
    {
        Open(u"ik"_s);
        for (QTreeView* tree : { TopTV(), BottomTV() }) {
            tree->setFocus();
            QTreeView* other = tree == TopTV() ? BottomTV() : TopTV();
            const QPalette& colours = other->palette();
            const QColor highlight = colours.color(QPalette::Active, QPalette::Highlight);
            const QColor base = colours.color(QPalette::Active, QPalette::Base);
            const double apart = Distance(highlight, base);
            // The style may shade the highlight a little.
            QVERIFY2(Distance(SelectionColour(tree), highlight) < apart / 8, qPrintable(SelectionColour(tree).name()));
            const QColor faded = SelectionColour(other);
            QVERIFY2(Distance(faded, highlight) > apart / 4 && Distance(faded, base) > apart / 4,
                     qPrintable(faded.name()));
            QVERIFY(Distance(colours.color(QPalette::Inactive, QPalette::HighlightedText), faded) > apart / 4);
        }
    }

    void closing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("way");
        for (const char* kind : { "level", "obj", "ik" })
            for (const char* way : { "Return", "CancelButton", "Escape", "close box" })
                QTest::addRow("%s %s", kind, way) << QString::fromLatin1(kind) << QString::fromLatin1(way);
    }
    void closing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, way);
        QDialog* dialog = Open(kind);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        if (way == QLatin1String("Return"))
            QTest::keyClick(focused, Qt::Key_Return);
        else if (way == QLatin1String("Escape"))
            QTest::keyClick(focused, Qt::Key_Escape);
        else if (way == QLatin1String("close box"))
            QVERIFY(dialog->close());
        else
            QTest::mouseClick(dialog->findChild<QPushButton*>(way), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), way == QLatin1String("Return") ? QDialog::Accepted : QDialog::Rejected);
        QVERIFY(prompts->calls.isEmpty());
    }

    void focusAndTabOrder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("order"); // from the control focused on opening
        QTest::newRow("level") << u"level"_s
                               << QStringList { u"NameEdit"_s, u"RotationGroup"_s, u"CurvedCheckBox"_s, u"OBJEdit"_s,
                                                u"Button1"_s,  u"OKButton"_s,      u"CancelButton"_s,   u"NameEdit"_s };
        QTest::newRow("obj") << u"obj"_s
                             << QStringList { u"OKButton"_s, u"CancelButton"_s, u"OBJEdit"_s, u"Button1"_s,
                                              u"OKButton"_s };
        QTest::newRow("ik") << u"ik"_s << QStringList { u"NameEdit"_s, u"TopTV"_s,        u"BottomTV"_s,
                                                        u"OKButton"_s, u"CancelButton"_s, u"NameEdit"_s };
    }
    void focusAndTabOrder()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, order);
        QDialog* dialog = Open(kind);
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("OKButton"));
        QVERIFY(ok->isDefault());
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
        QStringList seen;
        for (qsizetype i = 0; i < order.size(); ++i) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            // The selected rotation order stands for its group.
            const bool rotation = focused->parentWidget()->objectName() == QLatin1String("RotationGroup");
            if (rotation)
                QVERIFY(qobject_cast<QAbstractButton*>(focused)->isChecked());
            seen << (rotation ? focused->parentWidget()->objectName() : focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(seen, order);
        // Back in a field after the round, Enter still means OK.
        dialog->findChild<QLineEdit*>()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog->result(), QDialog::Accepted);
    }

    void browse_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("chosen"); // empty: Cancel
        QTest::addColumn<QString>("after");
        const QString geometries = kFolder + u"/Runtime/Geometries/"_s;
        for (const char* kind : { "level", "obj" }) {
            QTest::addRow("%s from a Poser path", kind)
                << QString::fromLatin1(kind) << u":Runtime:Geometries:Foo:bar.obj"_s << geometries + u"Foo/"_s
                << u"bar.obj"_s << geometries + u"Foo/x.obj"_s << u":Runtime:Geometries:Foo:x.obj"_s;
            QTest::addRow("%s from an empty field", kind)
                << QString::fromLatin1(kind) << u""_s << geometries << u""_s
                << u"C:\\Poser3\\Runtime\\Geometries\\Foo\\x.obj"_s << u":Runtime:Geometries:Foo:x.obj"_s;
            QTest::addRow("%s cancelled", kind) << QString::fromLatin1(kind) << u":Runtime:Geometries:a.obj"_s
                                                << geometries << u"a.obj"_s << u""_s << u":Runtime:Geometries:a.obj"_s;
            QTest::addRow("%s outside any Runtime", kind)
                << QString::fromLatin1(kind) << u":Runtime:Geometries:a.obj"_s << geometries << u"a.obj"_s
                << u"/tmp/x/out.obj"_s << u":Runtime:Geometries:a.obj"_s;
        }
    }
    void browse()
    {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(QString, directory);
        QFETCH(QString, fileName);
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        QDialog* dialog = Dialog(kind);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("OBJEdit"));
        edit->setText(field);
        dialog->show();
        prompts->files.push_back(chosen.isEmpty() ? std::nullopt : std::optional(FileDialogAnswer { chosen, {} }));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        const bool outside = !chosen.isEmpty() && !chosen.contains(u"Runtime"_s);
        QCOMPARE(prompts->Texts(u"Message"_s),
                 outside ? QStringList { u"Poser finds geometry only under a Runtime folder: "_s
                                         + QDir::toNativeSeparators(chosen) }
                         : QStringList {});
        QCOMPARE(prompts->calls.size(), outside ? 2 : 1);
        const FileDialogRequest& request = prompts->calls.front().request;
        QCOMPARE(QDir::fromNativeSeparators(request.directory), directory); // \ on Windows
        QCOMPARE(request.fileName, fileName);
        QCOMPARE(request.filters, QStringList { u"Wavefront (*.OBJ)"_s });
        QCOMPARE(request.defaultSuffix, QStringLiteral("OBJ"));
        QCOMPARE(request.mustExist, kind == QLatin1String("level"));
        QCOMPARE(edit->text(), after);
        QVERIFY(dialog->isVisible());
    }

    // Opening, a name typed without an extension finds the file of the default extension
    // in any letter case; saving, the extension is added as it stands.
    void fileDialogExtension_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("lower case") << true << u"fig.obj"_s << u"fig"_s << u"fig.obj"_s;
        QTest::newRow("upper case") << true << u"fig.OBJ"_s << u"fig"_s << u"fig.OBJ"_s;
        QTest::newRow("name in another case") << true << u"fig.obj"_s << u"FIG"_s << u"fig.obj"_s;
        QTest::newRow("none there") << true << u"other.obj"_s << u"fig"_s << u"fig.OBJ"_s;
        QTest::newRow("saving") << false << u"fig.obj"_s << u"fig"_s << u"fig.OBJ"_s;
        QTest::newRow("typed with its folder") << true << u"sub/fig.obj"_s << u"*/sub/fig"_s << u"sub/fig.obj"_s;
    }
    void fileDialogExtension()
    {
        QFETCH(bool, open);
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        if (!open && QDir::separator() == u'\\')
            QSKIP("Windows takes fig.OBJ for the fig.obj that is there: the dialog asks to replace it");
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(u"sub"_s));
        typed.replace(u"*"_s, folder.path());
        QFile file(folder.filePath(existing));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // Shown in another folder than the one a name may be typed with.
        FileDialog dialog(nullptr, QString(), QDir::isAbsolutePath(typed) ? QDir::tempPath() : folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(u"OBJ"_s);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* name = Control<QLineEdit>(dialog, u"fileNameEdit"_s);
        name->setFocus(); // as when typed into
        name->setText(typed);
        dialog.accept();
        QCOMPARE(dialog.result(), QDialog::Accepted);
        // Windows opens the file by a name in any letter case.
        const Qt::CaseSensitivity names = QDir::separator() == u'\\' ? Qt::CaseInsensitive : Qt::CaseSensitive;
        QCOMPARE(dialog.selectedFiles().size(), 1);
        QCOMPARE(dialog.selectedFiles().constFirst().compare(QDir(folder.path()).filePath(chosen), names), 0);
    }

    void topTVClick()
    {
        ik->Fill([](IKChainDialog& chain) { FillChain(chain, QStringLiteral("leg"), false); });
        ik->show();
        QCOMPARE(Shown(BottomTV()),
                 (QStringList { u"hip"_s, u"lThigh"_s, u"lShin"_s, u"lFoot"_s, u"rThigh"_s, u"rShin"_s }));
        QCOMPARE(Selected(BottomTV()), QStringLiteral("rShin"));

        Click(TopTV(), QStringLiteral("lThigh"));
        QCOMPARE(Shown(BottomTV()), (QStringList { u"lThigh"_s, u"lShin"_s, u"lFoot"_s }));
        QCOMPARE(Selected(BottomTV()), QStringLiteral("lFoot"));
        QCOMPARE(QString::fromStdString(ik->Chain().TopSelected->Text()), QStringLiteral("lThigh"));

        // Empty space keeps the first part and proposes the last part again.
        Click(BottomTV(), QStringLiteral("lShin"));
        const QRect last = TopTV()->visualRect(Find(TopTV(), QStringLiteral("rShin")));
        QVERIFY(TopTV()->viewport()->rect().bottom() > last.bottom() + 10);
        QTest::mouseClick(TopTV()->viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 3 * last.height()));
        QCOMPARE(Selected(TopTV()), QStringLiteral("lThigh"));
        QCOMPARE(Shown(BottomTV()), (QStringList { u"lThigh"_s, u"lShin"_s, u"lFoot"_s }));
        QCOMPARE(Selected(BottomTV()), QStringLiteral("lFoot"));

        // The keyboard moves the first part's selection but leaves BottomTV alone.
        Click(BottomTV(), QStringLiteral("lShin"));
        TopTV()->setFocus();
        QTest::keyClick(TopTV(), Qt::Key_Down);
        QCOMPARE(Selected(TopTV()), QStringLiteral("lShin"));
        QCOMPARE(Shown(BottomTV()), (QStringList { u"lThigh"_s, u"lShin"_s, u"lFoot"_s }));
        QCOMPARE(Selected(BottomTV()), QStringLiteral("lShin"));
        // A right click is no TopTVClick either.
        const QRect hip = TopTV()->visualRect(Find(TopTV(), QStringLiteral("hip")));
        QTest::mouseClick(TopTV()->viewport(), Qt::RightButton, {}, hip.center());
        QCOMPARE(Shown(BottomTV()), (QStringList { u"lThigh"_s, u"lShin"_s, u"lFoot"_s }));
    }

    void seedingKeepsTheLastPartUnselected()
    {
        ik->Fill([](IKChainDialog& chain) { FillChain(chain, QStringLiteral("leg"), true); });
        QCOMPARE(Selected(TopTV()), QStringLiteral("hip"));
        QCOMPARE(Shown(TopTV()),
                 (QStringList { u"hip"_s, u"lThigh"_s, u"lShin"_s, u"lFoot"_s, u"rThigh"_s, u"rShin"_s }));
        QCOMPARE(Selected(BottomTV()), QString());
        QCOMPARE(Control<QLineEdit>(*ik, u"NameEdit"_s)->text(), QStringLiteral("leg"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
