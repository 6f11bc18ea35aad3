// The main window driven offscreen through its buttons, menus, keys and drops, with
// every question and dialog answered by a script.
#include "app/help_window.h"
#include "hierarchy/help_context.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

class WindowTest : public WindowFixture {
    Q_OBJECT

private slots:
    void startUp_data()
    {
        QTest::addColumn<QString>("exeName");
        QTest::addColumn<bool>("warned");
        QTest::newRow("no poser.exe") << QString() << true;
        QTest::newRow("poser.exe") << u"poser.exe"_s << false;
        QTest::newRow("POSER.EXE") << u"POSER.EXE"_s << false;
        QTest::newRow("Poser.Exe") << u"Poser.Exe"_s << false;
        QTest::newRow("poser.exe.bak only") << u"poser.exe.bak"_s << true;
    }
    void startUp()
    {
        QFETCH(QString, exeName);
        QFETCH(bool, warned);
        QVERIFY(Start(exeName));
        QCOMPARE(prompts_->Texts(u"Message"_s),
                 warned ? QStringList { u"This application must be run from wherever your POSER.EXE is installed!\n"
                                        u"Choose your Poser folder with Options > Poser Folder..."_s }
                        : QStringList {});
        if (warned)
            QVERIFY(!prompts_->calls.constFirst().parentShown); // before the window was first shown
        QCOMPARE(prompts_->calls.size(), warned ? 1 : 0);
        QCOMPARE(w->windowTitle(), u"Varnoke V2.0"_s);
        QVERIFY(!Control<QToolButton>(*w, u"LoadButton"_s)->icon().pixmap(QSize(16, 16)).isNull());
        QVERIFY(TextMemo()->isVisible() && !TreeView1()->isVisible());
        QVERIFY(Control<QToolButton>(*w, u"IncButton"_s)->isVisible()
                && Control<QToolButton>(*w, u"DecButton"_s)->isVisible());
        QVERIFY(!Control<QToolButton>(*w, u"TextButton"_s)->isChecked()
                && !Control<QToolButton>(*w, u"HierButton"_s)->isChecked());
        QVERIFY(w->FTextMode() && !w->Doc().FModified() && w->Doc().Lines().Count() == 0);
        QCOMPARE(w->Doc().FErrorCount(), 0);
        QCOMPARE(Diagnostics().size(), 0);
        Control<QAction>(*w, u"About1"_s)->trigger();
        QCOMPARE(prompts_->Texts(u"ShowModal"_s), QStringList { u"About Varnoke"_s });
    }

    // Text, Tree and Test from each view, by tool button and by key.
    void views_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("treeAfter");
        QTest::addColumn<int>("pressed"); // 0 neither, 1 Text, 2 Tree, -1 not looked at
        QTest::addColumn<bool>("rebuilt");
        const struct {
            const char* from;
            int command; // 0 Text, 1 Tree, 2 Test
            bool treeAfter;
            int pressed;
            bool rebuilt;
        } rows[] = { { "clean text", 0, false, -1, false }, { "clean text", 1, true, 2, false },
                     { "clean text", 2, false, -1, false }, { "broken text", 0, false, 1, false },
                     { "broken text", 1, false, 1, false }, { "broken text", 2, false, 1, false },
                     { "tree", 0, false, 1, true },         { "tree", 1, true, 2, false },
                     { "tree", 2, true, 2, true } };
        for (const auto& row : rows) {
            for (const bool byKey : { false, true }) {
                QTest::addRow("%s, %s by %s", row.from, std::array { "Text", "Tree", "Test" }[row.command],
                              byKey ? "key" : "button")
                    << QString::fromLatin1(row.from) << row.command << byKey << row.treeAfter << row.pressed
                    << row.rebuilt;
            }
        }
    }
    void views()
    {
        QFETCH(QString, from);
        QFETCH(int, command);
        QFETCH(bool, byKey);
        QFETCH(bool, treeAfter);
        QFETCH(int, pressed);
        QFETCH(bool, rebuilt);
        QVERIFY(Start());
        QStringList broken = figure_;
        broken.insert(5, u"bogus"_s);
        if (from == u"clean text"_s)
            TextMemo()->setPlainText(figure_.join(u'\n'));
        else if (from == u"broken text"_s)
            Open(WriteFile(Path(u"broken.phi"_s), broken.join(u"\r\n"_s).toLatin1()));
        else
            Open(Figure());
        QCOMPARE(TreeView1()->isVisible(), from == u"tree"_s);
        const QStringList before = from == u"tree"_s ? QStringList { u"#stale"_s } : Lines();
        if (from == u"tree"_s)
            TextMemo()->setPlainText(before.constFirst()); // shows whether the text is rebuilt
        if (from == u"tree"_s)
            QVERIFY(!TreeView1()->currentIndex().isValid()); // no row is current until one is picked
        WarningsList()->setFocus();
        if (byKey)
            QTest::keyClick(w, std::array { Qt::Key_F4, Qt::Key_F5, Qt::Key_F10 }[command]);
        else
            std::array { Control<QToolButton>(*w, u"TextButton"_s), Control<QToolButton>(*w, u"HierButton"_s),
                         Control<QToolButton>(*w, u"TestButton"_s) }[command]
                ->click();
        QCOMPARE(TreeView1()->isVisible(), treeAfter);
        QCOMPARE(TextMemo()->isVisible(), !treeAfter);
        QCOMPARE(w->FTextMode(), !treeAfter);
        QCOMPARE(Control<QToolButton>(*w, u"IncButton"_s)->isVisible(), !treeAfter);
        if (pressed >= 0) {
            QCOMPARE(Control<QToolButton>(*w, u"TextButton"_s)->isChecked(), pressed == 1);
            QCOMPARE(Control<QToolButton>(*w, u"HierButton"_s)->isChecked(), pressed == 2);
        }
        QCOMPARE(Lines(), rebuilt ? figure_ : before);
        // A view that is shown takes the focus; a command that shows none leaves it.
        const bool shown = (command == 1 || from == u"tree"_s) || (command == 2 && from == u"broken text"_s);
        QCOMPARE(QApplication::focusWidget(),
                 shown ? (treeAfter ? static_cast<QWidget*>(TreeView1()) : TextMemo())
                       : static_cast<QWidget*>(WarningsList()));
        if (from == u"broken text"_s) {
            QVERIFY(Diagnostics().constFirst().startsWith(u"6 "_s));
            QCOMPARE(TextMemo()->textCursor().selectedText(), u"bogus"_s);
        } else if (command == 2 || from == u"clean text"_s) {
            QCOMPARE(Diagnostics(), command == 0 ? QStringList {} : QStringList { u"Looks good!"_s });
        }
    }

    // Check marks and enabled items come from the menus' opening handlers; the keys
    // F2 and F3 go the same road whichever menu state was left behind.
    void menusFollowTheView()
    {
        QVERIFY(Start());
        const auto shown = [this](QMenu* menu) {
            menu->popup(w->mapToGlobal(QPoint(10, 10)));
            return menu->isVisible();
        };
        QVERIFY(shown(Control<QMenu>(*w, u"Options2"_s)));
        QVERIFY(Control<QAction>(*w, u"EditAsText1"_s)->isChecked()
                && !Control<QAction>(*w, u"EditAsTree1"_s)->isChecked());
        Control<QMenu>(*w, u"Options2"_s)->hide();
        QVERIFY(shown(Control<QMenu>(*w, u"Options1"_s))); // opened last in the text view
        QVERIFY(Control<QAction>(*w, u"IncreaseLevel1"_s)->isEnabled()
                && Control<QAction>(*w, u"DecreaseLevel1"_s)->isEnabled());
        Control<QMenu>(*w, u"Options1"_s)->hide();

        Open(Figure());
        QVERIFY(!w->FTextMode());
        Caret(3, 0); // "1 hip yzx" in the hidden editor
        const QString text = TextMemo()->toPlainText();
        for (const Qt::Key key : { Qt::Key_F2, Qt::Key_F3 })
            QTest::keyClick(w, key);
        QCOMPARE(TextMemo()->toPlainText(), text);
        QVERIFY(!w->Doc().Lines().Modified());
        QVERIFY(shown(Control<QMenu>(*w, u"Options2"_s)));
        QVERIFY(!Control<QAction>(*w, u"EditAsText1"_s)->isChecked()
                && Control<QAction>(*w, u"EditAsTree1"_s)->isChecked());
        Control<QMenu>(*w, u"Options2"_s)->hide();
        QVERIFY(shown(Control<QMenu>(*w, u"Options1"_s))); // opened last in the tree view
        QVERIFY(!Control<QAction>(*w, u"IncreaseLevel1"_s)->isEnabled()
                && !Control<QAction>(*w, u"DecreaseLevel1"_s)->isEnabled());
        Control<QMenu>(*w, u"Options1"_s)->hide();

        QTest::keyClick(w, Qt::Key_F4);
        QVERIFY(w->FTextMode());
        Caret(3, 2);
        QTest::keyClick(w, Qt::Key_F2);
        QCOMPARE(Lines().at(3), u"\t2 hip yzx"_s);
        QTest::keyClick(w, Qt::Key_F3);
        QTest::keyClick(w, Qt::Key_F3);
        QCOMPARE(Lines().at(3), u"1 hip yzx"_s); // level 1 is the lowest
        QVERIFY(shown(Control<QMenu>(*w, u"Options2"_s)));
        QVERIFY(Control<QAction>(*w, u"EditAsText1"_s)->isChecked()
                && !Control<QAction>(*w, u"EditAsTree1"_s)->isChecked());
        Control<QMenu>(*w, u"Options2"_s)->hide();
    }

    void toolHints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Open") << u"LoadButton"_s << u"Open a new PHI file"_s;
        QTest::newRow("Save") << u"SaveButton"_s << u"Save changes to your PHI file"_s;
        QTest::newRow("OBJ") << u"OBJButton"_s << u"Add an OBJ to your PHI file"_s;
        QTest::newRow("Test") << u"TestButton"_s << u"Test your PHI file for errors"_s;
        QTest::newRow("Text") << u"TextButton"_s << u"Edit your PHI file as text"_s;
        QTest::newRow("Tree") << u"HierButton"_s << u"Edit your PHI file as a tree"_s;
        QTest::newRow("Lvl up") << u"IncButton"_s << u"Increase the level of the currently selected lines"_s;
        QTest::newRow("Lvl down") << u"DecButton"_s << u"Decrease the level of the currently selected lines"_s;
        QTest::newRow("list") << u"WarningsList"_s
                              << u"Warnings and errors will show up here, after you've tested your PHI file."_s;
    }
    void toolHints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        QVERIFY(Start());
        auto* widget = w->findChild<QWidget*>(control);
        QVERIFY(widget);
        QTest::mouseMove(widget);
        QTRY_COMPARE(Control<QStatusBar>(*w, u"StatusBar1"_s)->currentMessage(), hint);
        QTest::mouseMove(TextMemo());
        QTRY_COMPARE(Control<QStatusBar>(*w, u"StatusBar1"_s)->currentMessage(), QString());
    }

    void menuHints_data()
    {
        QTest::addColumn<int>("menuKey");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("hint");
        QTest::newRow("New") << int(Qt::Key_F) << u"&New"_s << u"Create a New PHI file"_s;
        QTest::newRow("Save As") << int(Qt::Key_F) << u"Save &As..."_s << u"Save changes to a different file"_s;
        QTest::newRow("Edit As Tree") << int(Qt::Key_O) << u"Edit As Tree"_s << u"Edit your PHI file as a tree"_s;
        QTest::newRow("About") << int(Qt::Key_H) << u"&About..."_s << u"Display the About Box"_s;
    }
    void menuHints()
    {
        QFETCH(int, menuKey);
        QFETCH(QString, item);
        QFETCH(QString, hint);
        QVERIFY(Start());
        QTest::keyClick(w, Qt::Key(menuKey), Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (int i = 0; i < 8 && (!menu->activeAction() || menu->activeAction()->text() != item); ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QVERIFY(menu->activeAction() && menu->activeAction()->text() == item);
        QTRY_COMPARE(Control<QStatusBar>(*w, u"StatusBar1"_s)->currentMessage(), hint);
        // The widgets under the pointer, left or entered as the menu opens, keep their hints to themselves.
        for (QWidget* widget : std::initializer_list<QWidget*> { TreeView1(), WarningsList() }) {
            for (const QString& tip : { QString(), widget->statusTip() }) {
                QStatusTipEvent event(tip);
                QCoreApplication::sendEvent(widget, &event);
                QCOMPARE(Control<QStatusBar>(*w, u"StatusBar1"_s)->currentMessage(), hint);
            }
        }
        QTest::keyClick(menu, Qt::Key_Escape);
    }

    // New, Open, a drop of three files and Exit, with each answer to the question.
    void question_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer");
        const char* commands[] = { "New", "Open", "Drop", "Exit" };
        const char* answers[] = { "unchanged", "Yes, saved", "Yes, save cancelled", "No", "Cancel" };
        for (int command = 0; command < 4; ++command) {
            for (int answer = 0; answer < 5; ++answer)
                QTest::addRow("%s, %s", commands[command], answers[answer]) << command << answer;
        }
    }
    void question()
    {
        QFETCH(int, command);
        QFETCH(int, answer);
        QVERIFY(Start());
        const QString other = WriteFile(Path(u"other.phi"_s), "#other\n");
        const QString saved = Path(u"saved.PHI"_s);
        if (answer > 0) {
            QTest::keyClicks(TextMemo(), u"#typed"_s);
            prompts_->confirms.push_back(std::array { Prompts::Answer::Yes, Prompts::Answer::Yes, Prompts::Answer::No,
                                                      Prompts::Answer::Cancel }[answer - 1]);
        }
        if (answer == 1)
            prompts_->files.push_back(FileDialogAnswer { saved, u"Poser Hierarchy (*.PHI)"_s });
        if (answer == 2)
            prompts_->files.push_back(std::nullopt);
        const bool kept = answer == 2 || answer == 4;
        if (command == 1 && !kept)
            prompts_->files.push_back(FileDialogAnswer { other, u"All Files (*.*)"_s });
        switch (command) {
        case 0:
            Control<QAction>(*w, u"New1"_s)->trigger();
            break;
        case 1:
            Control<QAction>(*w, u"Load1"_s)->trigger();
            break;
        case 2:
            Drop({ other, Path(u"second.phi"_s), Figure() });
            break;
        default:
            Control<QAction>(*w, u"Exit1"_s)->trigger();
            break;
        }
        QCOMPARE(prompts_->Texts(u"Confirm"_s), answer > 0 ? QStringList { u"Save Changes?"_s } : QStringList {});
        QCOMPARE(ReadAll(saved), answer == 1 ? QByteArray("#typed") : QByteArray("<unreadable>"));
        QCOMPARE(w->isVisible(), kept || command != 3);
        if (kept) {
            QCOMPARE(Lines(), QStringList { u"#typed"_s });
            QVERIFY(w->Doc().Lines().Modified());
        } else if (command == 0) {
            QCOMPARE(Lines(), QStringList {});
            QVERIFY(!w->Doc().Lines().Modified() && w->Doc().SavePath().isEmpty());
        } else if (command != 3) {
            QCOMPARE(Lines(), QStringList { u"#other"_s });
            // A drop gives the native separators (\ on Windows).
            QCOMPARE(QDir::fromNativeSeparators(w->Doc().Path()), other);
            QCOMPARE(QDir::fromNativeSeparators(w->Doc().SavePath()), other);
            QVERIFY(!w->Doc().Lines().Modified() && !w->Doc().FModified());
        }
        QVERIFY(prompts_->Texts(u"Error"_s).isEmpty());
    }

    // LF, lone CR and CR LF load as the same lines and are saved as CR LF; the final
    // line end is kept as found in the text view and always written from the tree.
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<bool>("finalEnd");
        QTest::addColumn<bool>("fromTree");
        for (const char* end : { "\n", "\r", "\r\n" }) {
            for (const bool finalEnd : { false, true }) {
                for (const bool fromTree : { false, true })
                    QTest::addRow("%s%s, %s", QByteArray(end).toPercentEncoding().constData(),
                                  finalEnd ? " at the end" : "", fromTree ? "tree" : "text")
                        << QByteArray(end) << finalEnd << fromTree;
            }
        }
    }
    void lineEnds()
    {
        QFETCH(QByteArray, end);
        QFETCH(bool, finalEnd);
        QFETCH(bool, fromTree);
        QVERIFY(Start());
        // A line that is no comment keeps the text view open.
        const QStringList lines { u"#one"_s, u""_s, fromTree ? u"#three"_s : u"three"_s };
        const QString path = WriteFile(
            Path(u"ends.phi"_s), lines.join(u'\n').toLatin1().replace("\n", end) + (finalEnd ? end : QByteArray()));
        Open(path);
        QCOMPARE(Lines(), lines);
        QCOMPARE(TreeView1()->isVisible(), fromTree);
        Control<QToolButton>(*w, u"SaveButton"_s)->click();
        QCOMPARE(ReadAll(path), lines.join(u"\r\n"_s).toLatin1() + (finalEnd || fromTree ? "\r\n" : ""));
        QVERIFY(prompts_->Texts(u"Error"_s).isEmpty());
    }

    // Every byte but CR and LF passes Open, Test and Save unchanged, from both views.
    void everyByteSurvives()
    {
        QVERIFY(Start());
        QByteArray bytes = "#";
        for (int byte = 0; byte < 256; ++byte) {
            if (byte != '\r' && byte != '\n')
                bytes += char(byte);
        }
        bytes += "\r\n#end\r\n";
        const QString path = WriteFile(Path(u"bytes.phi"_s), bytes);
        Open(path);
        QVERIFY(TreeView1()->isVisible());
        Control<QToolButton>(*w, u"TestButton"_s)->click();
        Control<QToolButton>(*w, u"SaveButton"_s)->click();
        QCOMPARE(ReadAll(path), bytes);
        QTest::keyClick(w, Qt::Key_F4);
        Control<QToolButton>(*w, u"TestButton"_s)->click();
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        Control<QToolButton>(*w, u"SaveButton"_s)->click();
        QCOMPARE(ReadAll(path), bytes);
        QVERIFY(prompts_->Texts(u"Error"_s).isEmpty());
    }

    // A save that cannot be written leaves the old file whole and the document changed.
    void failedSave_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("reason");
        QTest::newRow("a folder") << u"folder.PHI"_s << EISDIR;
        QTest::newRow("in a missing folder") << u"none/new.PHI"_s << ENOENT;
        // Windows says a path below a file is not found.
        QTest::newRow("below a file") << u"doc.phi/new.PHI"_s << (QDir::separator() == u'\\' ? ENOENT : ENOTDIR);
    }
    void failedSave()
    {
        QFETCH(QString, target);
        QFETCH(int, reason);
        QVERIFY(Start());
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#old\r\n");
        const QString inside = WriteFile(Path(u"folder.PHI/keep.txt"_s), "keep");
        Open(doc);
        QTest::keyClick(w, Qt::Key_F4);
        QTest::keyClicks(TextMemo(), u"#new"_s);
        prompts_->files.push_back(FileDialogAnswer { Path(target), u"Poser Hierarchy (*.PHI)"_s });
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();
        // The system's reason on a line of its own.
        QCOMPARE(prompts_->Texts(u"Error"_s),
                 QStringList { u"Cannot create file "_s + QDir::toNativeSeparators(Path(target)) + u".\n"_s
                               + QString::fromLocal8Bit(std::strerror(reason)) + u'.' });
        QCOMPARE(ReadAll(doc), QByteArray("#old\r\n"));
        QCOMPARE(ReadAll(inside), QByteArray("keep"));
        QVERIFY(w->Doc().Lines().Modified());
    }

    // The real save dialog adds the extension to a name typed without one.
    void saveAsAddsExtension()
    {
        QVERIFY(Start());
        ScreenPrompts screen;
        prompts_->saveDialog = &screen;
        QTest::keyClicks(TextMemo(), u"#x"_s);
        const QString typed = Path(u"plain"_s);
        QTimer timer; // types the name once the dialog is up
        connect(&timer, &QTimer::timeout, this, [&] {
            if (auto* name = QApplication::activeModalWidget()
                    ? QApplication::activeModalWidget()->findChild<QLineEdit*>(u"fileNameEdit"_s)
                    : nullptr;
                name && name->isVisible()) {
                timer.stop();
                name->setText(typed);
                QTest::keyClick(name, Qt::Key_Return);
            }
        });
        timer.start(10);
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();
        const FileDialogRequest request = prompts_->calls.constLast().request;
        QCOMPARE(request.title, u"Save Poser Hierarchy"_s);
        QCOMPARE(request.filters, QStringList { u"Poser Hierarchy (*.PHI)"_s });
        QCOMPARE(ReadAll(typed + u".PHI"_s), QByteArray("#x"));
        QCOMPARE(w->Doc().SavePath(), typed + u".PHI"_s);
        QVERIFY(!w->Doc().Lines().Modified());
    }

    // A failed Open keeps the document and its names; New then makes it untitled.
    void failedOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << u"missing.phi"_s;
        QTest::newRow("a folder") << u"Runtime"_s;
    }
    void failedOpen()
    {
        QFETCH(QString, name);
        QVERIFY(Start());
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        Open(doc);
        Open(Path(name));
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
        QVERIFY(prompts_->Texts(u"Error"_s)
                    .constFirst()
                    .startsWith(u"Cannot open file "_s + QDir::toNativeSeparators(Path(name)) + u".\n"_s));
        QCOMPARE(Lines(), QStringList { u"#doc"_s });
        QVERIFY(TreeView1()->isVisible() && !w->Doc().Lines().Modified());
        QCOMPARE(w->Doc().Path(), doc);
        QCOMPARE(w->Doc().SavePath(), doc);
        Open(doc); // the open dialog starts from the document's file
        QCOMPARE(prompts_->calls.constLast().request.fileName, u"doc.phi"_s);

        Control<QAction>(*w, u"New1"_s)->trigger();
        QVERIFY(w->Doc().Path().isEmpty() && w->Doc().SavePath().isEmpty());
        QVERIFY(TreeView1()->isVisible() && Lines().isEmpty());
        prompts_->files.push_back(std::nullopt);
        Control<QToolButton>(*w, u"SaveButton"_s)->click(); // asks for a name rather than emptying doc.phi
        QCOMPARE(prompts_->calls.constLast().kind, u"SaveFile"_s);
        QCOMPARE(ReadAll(doc), QByteArray("#doc\r\n"));
    }

    // The lines that the selection touches, by key and by tool button.
    void levelShift_data()
    {
        QTest::addColumn<QList<int>>("selection"); // line, column, to line, to column
        QTest::addColumn<int>("how"); // 0 F2, 1 F3, 2 IncButton, 3 DecButton
        QTest::addColumn<QString>("expected");
        const QString all = u"#c\n1 hip xyz\n2 abdomen xyz\n3 chest xyz\n4 neck xyz\n"_s;
        QTest::newRow("caret in line 3, up")
            << QList { 2, 4, -1, 0 } << 0 << QString(all).replace(u"2 a"_s, u"\t\t3 a"_s);
        QTest::newRow("caret in line 3, down")
            << QList { 2, 0, -1, 0 } << 3 << QString(all).replace(u"2 a"_s, u"1 a"_s);
        const QString three = u"#c\n\t2 hip xyz\n\t\t3 abdomen xyz\n\t\t\t4 chest xyz\n4 neck xyz\n"_s;
        QTest::newRow("line 2 to end of line 4") << QList { 1, 0, 3, 11 } << 2 << three;
        QTest::newRow("line 2 to start of line 5") << QList { 1, 0, 4, 0 } << 0 << three;
        QTest::newRow("column 5 of line 2 to column 3 of line 3")
            << QList { 1, 5, 2, 3 } << 0 << QString(all).replace(u"1 hip"_s, u"\t2 hip"_s);
        const QString two = QString(all).replace(u"1 hip"_s, u"\t2 hip"_s).replace(u"2 a"_s, u"\t\t3 a"_s);
        QTest::newRow("line 2 to column 2 of line 3") << QList { 1, 0, 2, 2 } << 0 << two;
        QTest::newRow("column 1 of line 2 to column 3 of line 3") << QList { 1, 1, 2, 3 } << 0 << two;
        QTest::newRow("after the final line end") << QList { 5, 0, -1, 0 } << 0 << all;
        QTest::newRow("comment") << QList { 0, 1, -1, 0 } << 1 << all;
    }
    void levelShift()
    {
        QFETCH(QList<int>, selection);
        QFETCH(int, how);
        QFETCH(QString, expected);
        QVERIFY(Start());
        const QString all = u"#c\n1 hip xyz\n2 abdomen xyz\n3 chest xyz\n4 neck xyz\n"_s;
        TextMemo()->setPlainText(all);
        Caret(selection[0], selection[1], selection[2], selection[3]);
        const std::pair before { TextMemo()->textCursor().anchor(), TextMemo()->textCursor().position() };
        if (how < 2)
            QTest::keyClick(w, how == 0 ? Qt::Key_F2 : Qt::Key_F3);
        else
            (how == 2 ? Control<QToolButton>(*w, u"IncButton"_s) : Control<QToolButton>(*w, u"DecButton"_s))->click();
        QCOMPARE(TextMemo()->toPlainText(), expected);
        QCOMPARE(w->Doc().Lines().Modified(), expected != all);
        QVERIFY(Diagnostics().isEmpty() && w->FTextMode());
        // The editor's own undo brings the lines back, and the caret or selection too.
        if (expected != all) {
            QTest::keyClick(TextMemo(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(TextMemo()->toPlainText(), all);
            QTRY_COMPARE(std::pair(TextMemo()->textCursor().anchor(), TextMemo()->textCursor().position()), before);
        }
    }

    // Shifted lines stay selected from the start of the first, so the key shifts them again.
    void levelShiftKeepsTheLines()
    {
        QVERIFY(Start());
        TextMemo()->setPlainText(u"#c\n1 hip xyz\n2 abdomen xyz\n3 chest xyz\n4 neck xyz\n"_s);
        Caret(2, 0, 3, 5);
        QTest::keyClick(w, Qt::Key_F2);
        QCOMPARE(TextMemo()->textCursor().selectedText(), u"\t\t3 abdomen xyz\u2029\t\t\t4 chest xyz"_s);
        QTest::keyClick(w, Qt::Key_F2);
        QCOMPARE(Lines(),
                 (QStringList { u"#c"_s, u"1 hip xyz"_s, u"\t\t\t4 abdomen xyz"_s, u"\t\t\t\t5 chest xyz"_s,
                                u"4 neck xyz"_s }));
    }

    // A line number selects its whole line; none, or one past the end, selects nothing.
    void selectLine_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("line"); // where the caret or selection starts; -1: the end of the text
        QTest::addColumn<QString>("selected");
        QTest::newRow("line 12") << 12 << 11 << u"#line12"_s;
        QTest::newRow("line 1") << 1 << 0 << u"#line1"_s;
        QTest::newRow("no line") << 0 << 0 << QString();
        QTest::newRow("beyond the end") << 99 << -1 << QString();
    }
    void selectLine()
    {
        QFETCH(int, number);
        QFETCH(int, line);
        QFETCH(QString, selected);
        QVERIFY(Start());
        QStringList lines;
        for (int i = 1; i <= 14; ++i)
            lines << u"#line%1"_s.arg(i);
        TextMemo()->setPlainText(lines.join(u"\r\n"_s));
        Control<QToolButton>(*w, u"LoadButton"_s)->setFocus();
        w->SelectLine(number);
        const QTextCursor cursor = TextMemo()->textCursor();
        QCOMPARE(cursor.selectedText(), selected);
        QCOMPARE(cursor.selectionStart(),
                 line < 0 ? TextMemo()->document()->characterCount() - 1
                          : TextMemo()->document()->findBlockByNumber(line).position());
        QCOMPARE(QApplication::focusWidget(), TextMemo());
    }

    // A click on an entry goes to the line it names; a plain entry names none.
    void diagnosticClick()
    {
        QVERIFY(Start());
        QStringList lines;
        for (int i = 1; i <= 14; ++i)
            lines << (i == 12 ? u"bogus"_s : u"#line%1"_s.arg(i));
        TextMemo()->setPlainText(lines.join(u"\n"_s));
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(Diagnostics().size(), 1);
        QVERIFY(Diagnostics().constFirst().startsWith(u"12 Error: "_s));
        Caret(2, 1);
        Control<QToolButton>(*w, u"LoadButton"_s)->setFocus();
        ClickDiagnostic(0);
        QCOMPARE(TextMemo()->textCursor().selectedText(), u"bogus"_s);
        QCOMPARE(QApplication::focusWidget(), TextMemo());

        TextMemo()->textCursor().insertText(u"#fixed"_s);
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        Caret(2, 1);
        ClickDiagnostic(0);
        QVERIFY(!TextMemo()->textCursor().hasSelection());
        QCOMPARE(TextMemo()->textCursor().position(), 0);
    }

    // From the tree view a click shows the text view, rebuilt only when the tree was edited;
    // in the text view a click never rebuilds it, whatever the tree went through before.
    void diagnosticClickFromTree_data()
    {
        QTest::addColumn<int>("edit"); // 0 none, 1 the tree, 2 the tree and then the text
        QTest::newRow("tree as tested") << 0;
        QTest::newRow("tree edited") << 1;
        QTest::newRow("tree edited, then text typed") << 2;
    }
    void diagnosticClickFromTree()
    {
        QFETCH(int, edit);
        QVERIFY(Start());
        Open(Figure());
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        TextMemo()->setPlainText(u"#held"_s);
        if (edit > 0) // as a tree edit leaves it
            w->Doc().EditTree([] { return u"edit"_s; }, nullptr, [](varnoke::TreeWindow& window) { window.Edited(); });
        QStringList expected = edit == 1 ? figure_ : QStringList { u"#held"_s };
        if (edit == 2) {
            QTest::keyClick(w, Qt::Key_F4);
            QCOMPARE(Lines(), figure_);
            TextMemo()->moveCursor(QTextCursor::End);
            QTest::keyClicks(TextMemo(), u"#typed"_s);
            expected = figure_ + QStringList { u"#typed"_s };
            QCOMPARE(Lines(), expected);
        }
        ClickDiagnostic(0);
        QVERIFY(w->FTextMode() && TextMemo()->isVisible() && Control<QToolButton>(*w, u"TextButton"_s)->isChecked());
        QCOMPARE(Lines(), expected);
    }

    // The document hears where the views stand: once per node selected, once per line
    // the caret moves to, not per key.
    void currentNodeAndLineFollowTheViews()
    {
        QVERIFY(Start());
        Open(Figure());
        QSignalSpy nodes(&w->Doc(), &Document::currentNodeChanged);
        QSignalSpy lines(&w->Doc(), &Document::currentLineChanged);
        for (const QString& text : { u"abdomen"_s, u"abdomen"_s, u"chest"_s }) {
            const QRect row = TreeView1()->visualRect(Node(text));
            QTest::mouseClick(TreeView1()->viewport(), Qt::LeftButton, {}, { row.left() + 3, row.center().y() });
        }
        QCOMPARE(nodes.count(), 2);
        QCOMPARE(w->Doc().CurrentNode(), w->SelectedNode());
        QCOMPARE(w->Doc().CurrentNode()->Text(), "3 chest yzx curve");
        QTest::keyClick(w, Qt::Key_F4);
        Caret(3, 0);
        lines.clear();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(TextMemo(), Qt::Key_Right);
        QTest::keyClick(TextMemo(), Qt::Key_Down);
        QTest::keyClick(TextMemo(), Qt::Key_Down);
        QCOMPARE(lines.count(), 2);
        QCOMPARE(w->Doc().CurrentLine(), 5);
    }

    // Geometry missing under the program's folder is looked for in the runtime the open
    // document lives in: the nearest folder above it holding a Runtime folder.
    void geometryInTheDocumentsRuntime_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("found");
        QTest::newRow("below the other runtime") << u"Other/Runtime/Libraries/Character/extra.phi"_s << true;
        QTest::newRow("beside the other Runtime folder") << u"Other/extra.phi"_s << true;
        QTest::newRow("in no runtime") << u"Loose/extra.phi"_s << false;
    }
    void geometryInTheDocumentsRuntime()
    {
        QFETCH(QString, document);
        QFETCH(bool, found);
        QVERIFY(Start());
        WriteFile(Path(u"Other/Runtime/Geometries/Extra/extra.obj"_s), "g hip\nf 1 2 3\ng chest\nf 1 2 3\n");
        Open(WriteFile(Path(document), "objFile :Runtime:Geometries:Extra:extra.obj\r\n1 hip xyz\r\n2 chest xyz\r\n"));
        if (found) {
            QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
            QVERIFY(TreeView1()->isVisible());
        } else {
            QVERIFY(w->Doc().FErrorCount() > 0);
            QVERIFY(Diagnostics().constFirst().startsWith(u"1 Error: "_s));
            QVERIFY(TextMemo()->isVisible());
        }
    }

    // A node too deep for the view's width is scrolled to sideways, wherever it lies in a
    // long tree: here below thousands of shallow ones.
    void deepNodesScrollSideways()
    {
        QVERIFY(Start());
        constexpr int kShallow = 3000;
        constexpr int kDeep = 90;
        QByteArray obj = "g hip\nf 1 2 3\n";
        QByteArray text = "objFile :Runtime:Geometries:Deep:deep.obj\r\n1 hip xyz\r\n";
        for (int i = 0; i < kShallow; ++i) {
            obj += "g shallow" + QByteArray::number(i) + "\nf 1 2 3\n";
            text += "2 shallow" + QByteArray::number(i) + " xyz\r\n";
        }
        for (int i = 0; i < kDeep; ++i) {
            obj += "g deep" + QByteArray::number(i) + "\nf 1 2 3\n";
            text += QByteArray::number(i + 2) + " deep" + QByteArray::number(i) + " xyz\r\n";
        }
        WriteFile(dir_->path() + u"/Runtime/Geometries/Deep/deep.obj"_s, obj);
        Open(WriteFile(Path(u"deep.phi"_s), text));
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        QTreeView* tree = TreeView1();
        QVERIFY(tree->isVisible());
        const QModelIndexList hip = tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, u"1 hip xyz"_s);
        QCOMPARE(hip.size(), 1);
        QModelIndex deepest = tree->model()->index(kShallow, 0, hip.constFirst());
        while (tree->model()->rowCount(deepest) > 0)
            deepest = tree->model()->index(0, 0, deepest);
        QCOMPARE(deepest.data().toString(), u"%1 deep%2 xyz"_s.arg(kDeep + 1).arg(kDeep - 1));

        tree->verticalScrollBar()->setValue(tree->verticalScrollBar()->maximum()); // the last rows, as the user scrolls
        QCoreApplication::processEvents();
        QScrollBar* sideways = tree->horizontalScrollBar();
        QVERIFY(sideways->maximum() > 0);
        sideways->setValue(sideways->maximum());
        const QRect label = tree->visualRect(deepest);
        QVERIFY(label.left() >= 0);
        QVERIFY(label.left() + tree->sizeHintForIndex(deepest).width() <= tree->viewport()->width());
    }

    // An OBJ file opens as text without a test; once New forgets its name, tests run again.
    void openObjFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("figure.obj") << u"figure.obj"_s;
        QTest::newRow("FIGURE.Obj") << u"FIGURE.Obj"_s;
    }
    void openObjFile()
    {
        QFETCH(QString, name);
        QVERIFY(Start());
        Open(WriteFile(Path(name), "g hip\r\nv 0 0 0\r\n"));
        QCOMPARE(Lines(), (QStringList { u"g hip"_s, u"v 0 0 0"_s }));
        QCOMPARE(Diagnostics(), QStringList { u"OBJ file not tested"_s });
        QVERIFY(w->FTextMode() && TextMemo()->isVisible());
        QCOMPARE(w->Doc().FErrorCount(), 0);
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(Diagnostics(), QStringList { u"OBJ file not tested"_s });

        Control<QAction>(*w, u"New1"_s)->trigger();
        QTest::keyClicks(TextMemo(), u"#c"_s);
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
    }

    // A file dropped on either view opens as the document; nothing of it goes into the text.
    void dropOntoAView_data()
    {
        QTest::addColumn<bool>("tree");
        QTest::newRow("editor") << false;
        QTest::newRow("tree view") << true;
    }
    void dropOntoAView()
    {
        QFETCH(bool, tree);
        QVERIFY(Start());
        const QString other = WriteFile(Path(u"other.phi"_s), "#other\r\n");
        Open(tree ? Figure() : WriteFile(Path(u"broken.phi"_s), "#one\r\nbogus\r\n"));
        QWidget* view = tree ? static_cast<QWidget*>(TreeView1()) : TextMemo();
        QVERIFY(view->isVisible());
        // Delivered as the window system delivers a drag from outside: to the widget under
        // the point that takes drops, or the nearest of its parents that does.
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(other) });
        mime.setText(QUrl::fromLocalFile(other).toString());
        const QPoint inWindow = view->mapTo(w, view->rect().center());
        QWidget* target = w->childAt(inWindow);
        while (target && !target->isWindow() && !target->acceptDrops())
            target = target->parentWidget();
        QVERIFY(target && target->acceptDrops());
        const QPoint point = target->mapFrom(w, inWindow);
        QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, {});
        move.setAccepted(enter.isAccepted());
        QCoreApplication::sendEvent(target, &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
        QCOMPARE(Lines(), QStringList { u"#other"_s });
        QCOMPARE(QDir::fromNativeSeparators(w->Doc().Path()), other); // a drop's separators are native
        QVERIFY(!w->Doc().IsModified());
    }

    // The first placement: the outer frame at 215,291 and 580 by 369 (offscreen, and on a
    // display without a window manager, there is no frame: the window itself).
    void firstPlacement()
    {
        QVERIFY(Start());
        QCOMPARE(w->frameGeometry(), QRect(215, 291, 580, 369));
    }

    void help_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line"); // caret line; -1 the tree, -2 the diagnostics list
        QTest::addColumn<int>("context");
        QTest::newRow("comment") << u"#c\n1 hip xyz\n"_s << 0 << 6;
        QTest::newRow("indented comment") << u"\t#c\n"_s << 0 << 5;
        QTest::newRow("level line") << u"#c\n\t1 hip xyz\n"_s << 1 << 3;
        QTest::newRow("objFile") << u"objFile :a:b.obj\n"_s << 0 << 2;
        QTest::newRow("ikChain") << u"#c\nikChain leg a b\n"_s << 1 << 4;
        QTest::newRow("after the final line end") << u"#c\n"_s << 1 << 5;
        QTest::newRow("empty text") << QString() << 0 << 5;
        QTest::newRow("tree, level node") << u"hip yzx"_s << -1 << 3;
        QTest::newRow("tree, comment node") << u"#Mannikin"_s << -1 << 6;
        QTest::newRow("tree, no node") << QString() << -1 << 5;
        QTest::newRow("list") << QString() << -2 << 0;
    }
    void help()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, context);
        QVERIFY(Start());
        if (line >= 0) {
            TextMemo()->setPlainText(text);
            Caret(line, 0);
        } else if (line == -1) {
            Open(Figure());
            TreeView1()->setFocus();
            TreeView1()->selectionModel()->clearSelection();
            if (!text.isEmpty())
                TreeView1()->selectionModel()->select(Node(text), QItemSelectionModel::ClearAndSelect);
        } else {
            WarningsList()->setFocus();
        }
        QTest::keyClick(w, Qt::Key_F1);
        QVERIFY(w->Help());
        QCOMPARE(w->Help()->Context(), context);
        QVERIFY(!w->Help()->Browser()->toPlainText().isEmpty());
    }

    // The help opens beside the window where the screen has room, and Escape closes it.
    void helpBesideTheWindow_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<bool>("right"); // of the window; else left of it
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("room on the right") << QRect(screen.topLeft(), QSize(200, 200)) << true;
        QTest::newRow("room on the left only") << QRect(screen.right() - 199, screen.top() + 10, 200, 200) << false;
    }
    void helpBesideTheWindow()
    {
        QFETCH(QRect, window);
        QFETCH(bool, right);
        QVERIFY(Start());
        w->setGeometry(window);
        QTest::keyClick(w, Qt::Key_F1);
        HelpWindow* help = w->Help();
        QVERIFY(help && help->isVisible());
        // The test screen is small: a smaller help shows where it goes.
        help->resize(250, 300);
        help->PlaceBeside(*w);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(!help->frameGeometry().intersects(w->frameGeometry()));
        QVERIFY(screen.contains(help->frameGeometry()));
        QCOMPARE(help->frameGeometry().left() > w->frameGeometry().left(), right);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    // No explanation of any page needs a sideways scroll at the help's first size.
    void helpPagesFit_data()
    {
        QTest::addColumn<int>("context");
        for (const int context : { varnoke::kHelpOverview, varnoke::kHelpObjFile, varnoke::kHelpLevel,
                                   varnoke::kHelpIKChain, varnoke::kHelpNoLine, varnoke::kHelpComment })
            QTest::addRow("context %d", context) << context;
    }
    void helpPagesFit()
    {
        QFETCH(int, context);
        HelpWindow help;
        help.ShowContext(context);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QTextBrowser* browser = help.Browser();
        QVERIFY(!browser->toPlainText().isEmpty());
        QCOMPARE(browser->horizontalScrollBar()->maximum(), 0);
    }

    // Generation into an empty document, then an OBJ file that cannot be read.
    void objCommand()
    {
        QVERIFY(Start());
        QByteArray obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
        for (const char* group : { "hip", "abdomen", "chest", "lThigh", "rThigh", "lShin", "rShin" })
            obj += QByteArray("g ") + group + "\nf 1 2 3\n";
        const QString path = WriteFile(dir_->path() + u"/Runtime/Geometries/Figure/figure.obj"_s, obj);
        prompts_->files.push_back(FileDialogAnswer { path, u"Wavefront (*.OBJ)"_s });
        Control<QToolButton>(*w, u"OBJButton"_s)->click();
        const FileDialogRequest request = prompts_->calls.constLast().request;
        QCOMPARE(request.filters, QStringList { u"Wavefront (*.OBJ)"_s });
        QVERIFY(request.mustExist);
        // Windows finds the folder in any letter case, and names it as asked.
        QCOMPARE(QDir(request.directory)
                     .canonicalPath()
                     .compare(QDir(dir_->path() + u"/Runtime/Geometries"_s).canonicalPath(),
                              QDir::separator() == u'\\' ? Qt::CaseInsensitive : Qt::CaseSensitive),
                 0);
        const QStringList generated { u"#This file generated by Varnoke V2.0"_s,
                                      u"objFile :Runtime:Geometries:Figure:figure.obj"_s,
                                      u"1 hip yxz"_s,
                                      u"\t2 abdomen yxz"_s,
                                      u"\t\t3 chest xyz"_s,
                                      u"\t2 lShin xyz"_s,
                                      u"\t\t3 lThigh xyz"_s,
                                      u"\t2 rShin xyz"_s,
                                      u"\t\t3 rThigh xyz"_s };
        QCOMPARE(Lines(), generated);
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        QVERIFY(TreeView1()->isVisible() && Control<QToolButton>(*w, u"HierButton"_s)->isChecked());

        const QString missing = Path(u"Runtime/Geometries/missing.obj"_s);
        prompts_->files.push_back(FileDialogAnswer { missing, u"Wavefront (*.OBJ)"_s });
        QTest::keyClick(w, Qt::Key_F6);
        QCOMPARE(Diagnostics(), (QStringList { u"Looks good!"_s, u"1 Error: Couldn't open file:"_s + missing }));
        QCOMPARE(w->Doc().FErrorCount(), 1);
        QVERIFY(TreeView1()->isVisible());
        QCOMPARE(Lines(), generated);

        // Outside any Runtime folder a file is refused at once: nothing is read or inserted.
        const QString outside = WriteFile(Path(u"loose/figure.obj"_s), obj);
        prompts_->files.push_back(FileDialogAnswer { outside, u"Wavefront (*.OBJ)"_s });
        QTest::keyClick(w, Qt::Key_F6);
        QCOMPARE(prompts_->Texts(u"Message"_s),
                 QStringList { u"Poser finds geometry only under a Runtime folder: "_s
                               + QDir::toNativeSeparators(outside) });
        QCOMPARE(Diagnostics(), (QStringList { u"Looks good!"_s, u"1 Error: Couldn't open file:"_s + missing }));
        QCOMPARE(Lines(), generated);
    }

    // A character that no byte holds is refused by the test and by the save.
    void beyondLatin1_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Test") << u"TestButton"_s;
        QTest::newRow("Save") << u"SaveButton"_s;
        QTest::newRow("Tree") << u"HierButton"_s;
    }
    void beyondLatin1()
    {
        QFETCH(QString, button);
        QVERIFY(Start());
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#one\r\n#two\r\n");
        Open(doc);
        QTest::keyClick(w, Qt::Key_F4);
        Caret(1, 4);
        TextMemo()->textCursor().insertText(u"\u0100"_s);
        w->findChild<QToolButton*>(button)->click();
        QVERIFY(w->FTextMode() && Control<QToolButton>(*w, u"TextButton"_s)->isChecked()
                && !Control<QToolButton>(*w, u"HierButton"_s)->isChecked());
        QCOMPARE(prompts_->Texts(u"Error"_s),
                 QStringList { u"Line 2 holds characters that cannot be saved as single bytes."_s });
        QCOMPARE(ReadAll(doc), QByteArray("#one\r\n#two\r\n"));
        QCOMPARE(TextMemo()->toPlainText(), u"#one\n#two\u0100\n"_s);
        QVERIFY(w->Doc().Lines().Modified());
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
