// The keys a user reaches for: the file keys, the diagnostics list by keyboard, and where
// the focus goes.
#include "ui/diagnostics_model.h"
#include "window_fixture.h"

#include <QAction>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>

class KeyboardTest : public WindowFixture {
    Q_OBJECT

    // What the window asked, kind and text, from the call numbered first on.
    QStringList CallsFrom(qsizetype first) const
    {
        QStringList calls;
        for (qsizetype i = first; i < prompts_->calls.size(); ++i)
            calls << prompts_->calls[i].kind + u'|' + prompts_->calls[i].text;
        return calls;
    }
    // Answers whatever a file command asks with Cancel.
    void CancelEverything()
    {
        prompts_->confirms.push_back(Prompts::Answer::Cancel);
        prompts_->files.push_back(std::nullopt);
    }
    void ForgetAnswers()
    {
        prompts_->confirms.clear();
        prompts_->files.clear();
    }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    // Each file key runs its File menu item, asking exactly what the item asks; during
    // another command's long work it is dropped like every other key.
    void fileKeys_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("item");
        QTest::newRow("Ctrl+N") << (Qt::CTRL | Qt::Key_N) << u"New1"_s;
        QTest::newRow("Ctrl+O") << (Qt::CTRL | Qt::Key_O) << u"Load1"_s;
        QTest::newRow("Ctrl+S") << (Qt::CTRL | Qt::Key_S) << u"Save1"_s;
        QTest::newRow("Ctrl+Shift+S") << (Qt::CTRL | Qt::SHIFT | Qt::Key_S) << u"SaveAs1"_s;
    }
    void fileKeys()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, item);
        QVERIFY(Start());
        QTest::keyClicks(TextMemo(), u"#typed"_s);
        auto* action = Control<QAction>(*w, item);
        QSignalSpy triggered(action, &QAction::triggered);

        CancelEverything();
        qsizetype first = prompts_->calls.size();
        action->trigger();
        const QStringList byMenu = CallsFrom(first);
        QVERIFY(!byMenu.isEmpty());
        ForgetAnswers();

        CancelEverything();
        first = prompts_->calls.size();
        QTest::keyClick(w, key.key(), key.keyboardModifiers());
        QCOMPARE(CallsFrom(first), byMenu);
        QCOMPARE(triggered.count(), 2);
        ForgetAnswers();

        first = prompts_->calls.size();
        w->RunCommand([&] {
            QTimer::singleShot(0, this, [&] { QTest::keyClick(w, key.key(), key.keyboardModifiers()); });
            for (int report = 0; report < 3; ++report) {
                QTest::qSleep(60);
                QVERIFY(w->Doc().Listener()->Report(varnoke::Progress::Step::TestingLines, "slow", report, 3));
            }
        });
        QCOMPARE(CallsFrom(first), QStringList());
    }

    // Return, Enter and a double click on an entry go to its line as a click does; the
    // arrows only move the highlight.
    void diagnosticsListByKeyboard_data()
    {
        QTest::addColumn<int>("how"); // 0 Return, 1 Enter, 2 double click, 3 Down
        QTest::newRow("Return") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("double click") << 2;
        QTest::newRow("Down") << 3;
    }
    void diagnosticsListByKeyboard()
    {
        QFETCH(int, how);
        QVERIFY(Start());
        TextMemo()->setPlainText(u"#c\n1 hip xyz\n2 chest abc\n2 neck abc\n"_s);
        QTest::keyClick(w, Qt::Key_F10);
        QListView* list = WarningsList();
        const int entryLine = list->model()->index(1, 0).data(DiagnosticsModel::LineRole).toInt();
        QVERIFY(entryLine > 1);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(1, 0));
        Caret(0, 0);
        list->setFocus();
        const QPoint entry = list->visualRect(list->currentIndex()).center();
        switch (how) {
        case 0:
            QTest::keyClick(list, Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(list, Qt::Key_Enter);
            break;
        case 2: {
            // As a window system delivers it: a click, then a press that makes it double.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, entry);
            QMouseEvent twice(QEvent::MouseButtonDblClick, entry, list->viewport()->mapToGlobal(entry), Qt::LeftButton,
                              Qt::LeftButton, {});
            QCoreApplication::sendEvent(list->viewport(), &twice);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, entry);
            break;
        }
        default:
            QTest::keyClick(list, Qt::Key_Up);
        }
        const int lineShown = TextMemo()->document()->findBlock(TextMemo()->textCursor().position()).blockNumber();
        QCOMPARE(lineShown, how == 3 ? 0 : entryLine - 1);
        QCOMPARE(TextMemo()->textCursor().hasSelection(), how != 3);
        QCOMPARE(list->currentIndex().row(), how == 3 ? 0 : 1);
    }

    // The editor has the keyboard at start; Ctrl+Tab and Ctrl+Shift+Tab move between the
    // view shown and the list; Tab passes over the tool buttons; a menu left by Escape,
    // also after another opened from it, gives the keyboard back.
    void focus()
    {
        QVERIFY(Start());
        QCOMPARE(QApplication::focusWidget(), TextMemo());
        QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), WarningsList());
        QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), TextMemo());
        Open(Figure());
        QCOMPARE(QApplication::focusWidget(), TreeView1());
        QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), WarningsList());
        QTest::keyClick(w, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), TreeView1());
        // Tab goes from the tree to the list and back, never to a tool button.
        for (QWidget* next : { static_cast<QWidget*>(WarningsList()), static_cast<QWidget*>(TreeView1()) }) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }

        QMenuBar* bar = w->menuBar();
        bar->setFocus(Qt::MenuBarFocusReason); // the menu bar in its keyboard mode, as Alt leaves it
        QCOMPARE(QApplication::focusWidget(), bar);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), TreeView1());
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
