// The window while a command does long work: it paints, takes nothing else meanwhile, and
// shows how far the work has come, with a way out.
#include "window_fixture.h"

#include "app/long_work.h"
#include "app/start_up.h"
#include "ui/progress_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

class LongWorkTest : public WindowFixture {
    Q_OBJECT

    // A key pressed for a command, as the keyboard sends it when the window gets to it.
    void PostKey(QWidget* target, Qt::Key key)
    {
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    }

    // A file of the given size that takes no disk: zeros all through.
    QString SparseFile(const QString& path, qint64 size)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
            qWarning("cannot make %s", qPrintable(path));
        return path;
    }
    // Stops the work the first time its progress shows, by Cancel or by Escape, and
    // keeps what the dialog said.
    struct Canceller {
        QTimer timer;
        QString shown;
        int cancels = 0;
        int most = std::numeric_limits<int>::max();
        int linesShown = 0; // in the editor at the last cancel
    };
    void CancelWhenShown(Canceller& canceller, bool byEscape)
    {
        canceller.timer.setInterval(0);
        connect(&canceller.timer, &QTimer::timeout, this, [this, &canceller, byEscape] {
            auto* dialog = w->findChild<ProgressDialog*>(u"ProgressDialog"_s);
            if (!dialog || !dialog->isVisible() || dialog->CancelAsked() || canceller.cancels == canceller.most)
                return;
            canceller.shown = dialog->findChild<QLabel*>()->text();
            canceller.linesShown = TextMemo()->document()->blockCount();
            ++canceller.cancels;
            if (byEscape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(u"CancelButton"_s), Qt::LeftButton);
        });
        canceller.timer.start();
    }
    bool ProgressShown() const
    {
        const auto* dialog = w->findChild<ProgressDialog*>(u"ProgressDialog"_s);
        return dialog && dialog->isVisible();
    }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    // While a command works, a command asked for again by its key, its menu item or its
    // button is dropped, and so are typing, a drop and closing the window; afterwards the
    // key works again.
    void commandsAskedForMeanwhileAreDropped()
    {
        QVERIFY(Start());
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        Open(Figure());
        QTest::keyClick(w, Qt::Key_F4);
        const QStringList before = Lines();
        int tests = 0;
        connect(&w->Doc(), &Document::tested, this, [&] { ++tests; });
        bool askedMeanwhile = false;
        // A slow command reporting its progress as a long test does.
        w->RunCommand([&] {
            QTimer::singleShot(0, this, [&] {
                askedMeanwhile = true;
                for (int i = 0; i < 20; ++i)
                    QTest::keyClick(w, Qt::Key_F10);
                Control<QAction>(*w, u"Test2"_s)->trigger();
                Control<QToolButton>(*w, u"TestButton"_s)->click();
                Caret(0, 0);
                QTest::keyClicks(TextMemo(), u"typed"_s);
                Drop({ doc });
                w->close();
            });
            for (int report = 0; report < 5; ++report) {
                QTest::qSleep(60); // long enough that each report lets the window handle its events
                QVERIFY(w->Doc().Listener()->Report(varnoke::Progress::Step::TestingLines, "slow", report, 5));
            }
            // Pressed after the last report, still during the command.
            for (int i = 0; i < 20; ++i)
                PostKey(TextMemo(), Qt::Key_F10);
        });
        QCoreApplication::processEvents();
        QVERIFY(askedMeanwhile);
        QCOMPARE(tests, 0);
        QCOMPARE(Lines(), before);
        QCOMPARE(w->Doc().Path(), Figure());
        QVERIFY(w->isVisible());

        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(tests, 1);
        PostKey(TextMemo(), Qt::Key_F10);
        QCoreApplication::processEvents();
        QCOMPARE(tests, 2);
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
    }

    // Every command that may take long shows the busy pointer from its start to its end,
    // the views' updates included; a box or dialog it opens meanwhile shows the normal one.
    void busyCursorCoversWholeCommands()
    {
        QVERIFY(Start());
        QString step;
        QMap<QString, int> busy, idle; // moments of work seen under each pointer, by command
        const auto seen = [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            ++(cursor && cursor->shape() == Qt::WaitCursor ? busy : idle)[step];
        };
        Document& doc = w->Doc();
        // Opening a file brings a text document of its own.
        QMetaObject::Connection typing = connect(&doc.Text(), &QTextDocument::contentsChange, this, seen);
        connect(&doc, &Document::textReplaced, this, [&](QTextDocument* text) {
            disconnect(typing);
            typing = connect(text, &QTextDocument::contentsChange, this, seen);
        });
        connect(&doc.TreeModel(), &QAbstractItemModel::modelReset, this, seen);
        connect(&doc, &Document::tested, this, seen);
        connect(&doc, &Document::modifiedChanged, this, seen);
        connect(&doc, &Document::diagnosticsChanged, this, seen);
        const QString obj = dir_->path() + kFigureFolder + u"/mannikin.obj"_s;
        const QList<std::pair<QString, std::function<void()>>> commands {
            { u"open"_s, [&] { Open(Figure()); } },
            { u"F4"_s, [&] { QTest::keyClick(w, Qt::Key_F4); } },
            { u"F5"_s, [&] { QTest::keyClick(w, Qt::Key_F5); } },
            { u"F10 in the tree"_s, [&] { QTest::keyClick(w, Qt::Key_F10); } },
            { u"generation"_s,
              [&] {
                  prompts_->files.push_back(FileDialogAnswer { obj, u"Wavefront (*.OBJ)"_s });
                  QTest::keyClick(w, Qt::Key_F6);
              } },
            { u"save"_s,
              [&] {
                  prompts_->files.push_back(FileDialogAnswer { Path(u"saved.phi"_s), u"Poser Hierarchy (*.PHI)"_s });
                  Control<QAction>(*w, u"SaveAs1"_s)->trigger();
              } },
            { u"drop"_s,
              [&] {
                  QTest::keyClick(w, Qt::Key_F4);
                  QTest::keyClicks(TextMemo(), u"#edited"_s);
                  prompts_->confirms.push_back(Prompts::Answer::No);
                  Drop({ Figure() });
              } },
        };
        for (const auto& [name, command] : commands) {
            step = name;
            command();
            QVERIFY2(busy.value(name) > 0, qPrintable(name));
            QVERIFY2(!QApplication::overrideCursor(), qPrintable(name));
        }
        QCOMPARE(idle.keys(), QStringList { u"drop"_s }); // the typing before it
        QCOMPARE(ReadAll(Path(u"saved.phi"_s)).isEmpty(), false);
        QStringList asked;
        for (const ScriptedPrompts::Call& call : prompts_->calls) {
            if (call.busyCursor)
                asked << call.kind;
        }
        QCOMPARE(asked, QStringList {});
        QCOMPARE(prompts_->Texts(u"Confirm"_s).size(), 1);
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
    }

    // A test stopped half-way leaves the text as it was, shows it, and says so alone in
    // the list: the test of an opened file as well as a test asked for.
    void cancelledTest_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::addColumn<bool>("atStartUp");
        QTest::newRow("Cancel") << false << false;
        QTest::newRow("Escape") << true << false;
        QTest::newRow("Cancel, the file named on the command line") << false << true;
    }
    void cancelledTest()
    {
        QFETCH(bool, byEscape);
        QFETCH(bool, atStartUp);
        QVERIFY(Start());
        Open(Figure());
        QVERIFY(!w->FTextMode());
        // Reading it takes minutes: only Cancel ends the test in time.
        const QString big = SparseFile(dir_->path() + u"/Runtime/Geometries/big/big.obj"_s, qint64(64) << 30);
        const QStringList text { u"   #indented"_s, u"objFile :Runtime:Geometries:big:big.obj"_s, u"  1 hip yzx"_s };
        const QString doc = WriteFile(Path(u"doc.phi"_s), text.join(u"\r\n"_s).toLatin1() + "\r\n");
        Canceller canceller;
        CancelWhenShown(canceller, byEscape);
        if (atStartUp)
            OpenStartFile(*w, *prompts_, dir_->path(), doc);
        else
            Open(doc);
        QCOMPARE(canceller.cancels, 1);
        QVERIFY(QDir::fromNativeSeparators(canceller.shown).contains(big)); // \ on Windows
        QVERIFY(!ProgressShown());
        QCOMPARE(Lines(), text);
        QVERIFY(w->FTextMode());
        QCOMPARE(Diagnostics(), QStringList { u"Test cancelled"_s });
        QCOMPARE(w->Doc().FErrorCount(), 0);
        QCOMPARE(w->Doc().FWarningCount(), 0);
        QCOMPARE(w->Doc().Tree().NodeCount(), 0);
        QCOMPARE(w->Doc().Path(), doc);
        QVERIFY(!w->Doc().IsModified());

        // Asked for again.
        Control<QToolButton>(*w, u"TestButton"_s)->click();
        QCOMPARE(canceller.cancels, 2);
        QCOMPARE(Lines(), text);
        QCOMPARE(Diagnostics(), QStringList { u"Test cancelled"_s });

        // Run to its end, the same test tidies the lines.
        canceller.timer.stop();
        SparseFile(big, 0);
        Control<QToolButton>(*w, u"TestButton"_s)->click();
        QCOMPARE(Lines().constFirst(), u"#indented"_s);
        QVERIFY(!Diagnostics().contains(u"Test cancelled"_s));
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
    }

    // A large text whose test is stopped still opens, as it was read, and it may be
    // stopped again while the editor takes it: the document is then as it was, where the
    // user stood in it and what Undo would take back included.
    void cancelledFill_data()
    {
        QTest::addColumn<int>("cancels");
        QTest::newRow("test stopped") << 1;
        QTest::newRow("test and filling stopped") << 2;
    }
    void cancelledFill()
    {
        QFETCH(int, cancels);
        QVERIFY(Start());
        w->findChild<LongWork*>(u"LongWork"_s)->ShowAfter(0);
        Open(Figure());
        QTest::keyClick(w, Qt::Key_F4);
        QTest::keyClicks(TextMemo(), u"#typed "_s);
        const QStringList lines = Lines();
        const int caret = TextMemo()->textCursor().position();
        QVERIFY(w->Doc().Text().isUndoAvailable());

        // Its test waits on an OBJ file that takes minutes to read.
        SparseFile(dir_->path() + u"/Runtime/Geometries/big/big.obj"_s, qint64(64) << 30);
        QStringList text { u"objFile :Runtime:Geometries:big:big.obj"_s };
        for (int i = 0; i < 40000; ++i)
            text << u"  # a comment long enough for the text to fill the editor in many pieces %1"_s.arg(i);
        const QString large = WriteFile(Path(u"large.phi"_s), text.join(u"\r\n"_s).toLatin1());
        prompts_->confirms.push_back(Prompts::Answer::No); // keep the typing unsaved
        Canceller canceller;
        canceller.most = cancels;
        CancelWhenShown(canceller, false);
        Open(large);
        QCOMPARE(canceller.cancels, cancels);
        QVERIFY(!ProgressShown());
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
        if (cancels == 1) {
            QCOMPARE(Lines(), text);
            QCOMPARE(Diagnostics(), QStringList { u"Test cancelled"_s });
            QCOMPARE(w->Doc().Path(), large);
            QVERIFY(!w->Doc().IsModified());
            return;
        }
        // Stopped half-way, with the text shown coming in.
        QVERIFY(canceller.linesShown > 1 && canceller.linesShown < text.size());
        QCOMPARE(Lines(), lines);
        QCOMPARE(w->Doc().Path(), Figure());
        QCOMPARE(TextMemo()->textCursor().position(), caret);
        QVERIFY(w->Doc().IsModified());
        TextMemo()->undo();
        QVERIFY(Lines() != lines);
        QCOMPARE(Lines().join(u""_s), lines.join(u""_s).remove(u"#typed "_s));
    }

    // After long work that showed its progress, the window is active again, the focus
    // where it was or where the command put it (an Open that shows the tree goes there),
    // and the keys work. The window system may still activate the dialog late, after the
    // work (X does for a dialog shown and hidden in a moment): that changes nothing.
    void activeAgainAfterProgress_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("focus kept") << false;
        QTest::newRow("focus moved by an Open") << true;
    }
    void activeAgainAfterProgress()
    {
        QFETCH(bool, opens);
        QVERIFY(Start());
        Open(Figure());
        WarningsList()->setFocus();
        w->findChild<LongWork*>(u"LongWork"_s)->ShowAfter(0);
        QPointer<ProgressDialog> dialog;
        bool shown = false;
        QTimer watch;
        watch.setInterval(0);
        connect(&watch, &QTimer::timeout, this, [&] {
            if (ProgressShown()) {
                dialog = w->findChild<ProgressDialog*>(u"ProgressDialog"_s);
                shown = true;
            }
        });
        watch.start();
        if (opens) {
            // Long enough to report while its tree is built, and it passes its test.
            QByteArray text = "objFile :Runtime:Geometries:many:many.obj\r\n", obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
            for (int part = 1; part <= 5000; ++part) {
                text += "1 p" + QByteArray::number(part) + " xyz\r\n";
                obj += "g p" + QByteArray::number(part) + "\nf 1 2 3\n";
            }
            WriteFile(dir_->path() + u"/Runtime/Geometries/many/many.obj"_s, obj);
            Open(WriteFile(Path(u"many.phi"_s), text));
        } else {
            w->RunCommand([&] {
                for (int report = 0; report < 3; ++report)
                    w->Doc().Listener()->Report(varnoke::Progress::Step::TestingLines, "slow", report, 3);
            });
        }
        watch.stop();
        QVERIFY(shown);
        if (dialog)
            QApplication::setActiveWindow(dialog);
        QCOMPARE(QApplication::activeWindow(), w);
        QCOMPARE(QApplication::focusWidget(), opens ? static_cast<QWidget*>(TreeView1()) : WarningsList());
        QVERIFY(!w->FTextMode());
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_F4);
        QVERIFY(w->FTextMode());
    }

    // A large file whose reading is stopped leaves the document as it was.
    void cancelledOpen()
    {
        QVERIFY(Start());
        w->findChild<LongWork*>(u"LongWork"_s)->ShowAfter(0);
        Open(Figure());
        const QStringList lines = Lines();
        const QStringList diagnostics = Diagnostics();
        const QString large = SparseFile(Path(u"large.phi"_s), qint64(40) << 20);
        prompts_->yesNos.push_back(true);
        Canceller canceller;
        CancelWhenShown(canceller, false);
        Open(large);
        QCOMPARE(canceller.cancels, 1);
        QVERIFY(canceller.shown.contains(QDir::toNativeSeparators(large)));
        QVERIFY(!ProgressShown());
        QCOMPARE(Lines(), lines);
        QCOMPARE(Diagnostics(), diagnostics);
        QCOMPARE(w->Doc().Path(), Figure());
        QCOMPARE(w->Doc().SavePath(), Figure());
        QVERIFY(!w->FTextMode());
        QVERIFY(!w->Doc().IsModified());
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
        QCOMPARE(prompts_->yesNos.size(), std::size_t { 0 });

        // So does a generation whose OBJ file is stopped while it is read.
        const QString obj = SparseFile(dir_->path() + u"/Runtime/Geometries/big/big.obj"_s, qint64(40) << 20);
        prompts_->files.push_back(FileDialogAnswer { obj, u"Wavefront (*.OBJ)"_s });
        Control<QToolButton>(*w, u"OBJButton"_s)->click();
        QCOMPARE(canceller.cancels, 2);
        QVERIFY(canceller.shown.contains(QDir::toNativeSeparators(obj)));
        QCOMPARE(Lines(), lines);
        QCOMPARE(Diagnostics(), diagnostics);
        QVERIFY(!w->FTextMode()); // the text was rebuilt from the tree first, as always
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
    }
};

QTEST_MAIN(LongWorkTest)
#include "long_work_test.moc"
