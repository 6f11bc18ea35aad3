// Where the file commands meet the file system: names in another letter case, the folders
// the dialogs start in, the reasons of a failed open, and an OBJ file without groups.
#include "app/start_up.h"
#include "window_fixture.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QtTest>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <xcb/xcb.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const bool kNamesIgnoreCase = QDir::separator() == u'\\';

} // namespace

class FileCommandsTest : public WindowFixture {
    Q_OBJECT

    // The files of a folder of the scratch Poser folder, sorted by name.
    QStringList FilesIn(const QString& folder) const { return QDir(Path(folder)).entryList(QDir::Files, QDir::Name); }
    // A folder as its path is compared: Windows finds a folder in any letter case.
    static QString Folder(const QString& path)
    {
        const QString canonical = QDir(path).canonicalPath();
        return kNamesIgnoreCase ? canonical.toLower() : canonical;
    }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    // A name chosen to save to that differs from a file of its folder only in letter case
    // stands for that file, which is replaced only when the question says so.
    void nameInAnotherCase_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QList<bool>>("replace"); // the answers, in turn; the dialog is cancelled after a No
        QTest::addColumn<QString>("written"); // none: nothing written
        QTest::newRow("another case") << QStringList { u"fig.phi"_s } << u"fig.PHI"_s << QList { true } << u"fig.phi"_s;
        QTest::newRow("another case, not replaced")
            << QStringList { u"FIG.phi"_s } << u"fig.PHI"_s << QList { false } << QString();
        QTest::newRow("the same name") << QStringList { u"fig.PHI"_s } << u"fig.PHI"_s << QList { true }
                                       << u"fig.PHI"_s;
        QTest::newRow("a new name") << QStringList { u"figure.phi"_s } << u"fig.PHI"_s << QList<bool> {}
                                    << u"fig.PHI"_s;
        if (kNamesIgnoreCase)
            return;
        QTest::newRow("both spellings, one chosen")
            << QStringList { u"fig.phi"_s, u"fig.PHI"_s } << u"fig.phi"_s << QList { true } << u"fig.phi"_s;
        QTest::newRow("both spellings, a third chosen")
            << QStringList { u"fig.phi"_s, u"fig.PHI"_s } << u"FIG.phi"_s << QList { true } << u"fig.PHI"_s;
    }
    void nameInAnotherCase()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, chosen);
        QFETCH(QList<bool>, replace);
        QFETCH(QString, written);
        QVERIFY(Start());
        for (const QString& name : existing)
            WriteFile(Path(u"save/"_s + name), "#old\r\n");
        QTest::keyClicks(TextMemo(), u"#new"_s);
        prompts_->files.push_back(FileDialogAnswer { Path(u"save/"_s + chosen), u"Poser Hierarchy (*.PHI)"_s });
        if (written.isEmpty())
            prompts_->files.push_back(std::nullopt);
        prompts_->yesNos.insert(prompts_->yesNos.end(), replace.cbegin(), replace.cend());
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();

        QStringList files = existing;
        if (!written.isEmpty() && !files.contains(written))
            files << written;
        files.sort();
        QCOMPARE(FilesIn(u"save"_s), files);
        for (const QString& name : existing)
            QCOMPARE(ReadAll(Path(u"save/"_s + name)), QByteArray(name == written ? "#new" : "#old\r\n"));
        QCOMPARE(w->Doc().SavePath(), written.isEmpty() ? QString() : Path(u"save/"_s + written));
        QCOMPARE(w->Doc().Lines().Modified(), written.isEmpty());
        // Asked under the dialog's title about the file that would be replaced.
        const QString title = prompts_->Texts(u"SaveFile"_s).constFirst();
        const QStringList questions = prompts_->Texts(u"ConfirmReplace"_s);
        QCOMPARE(questions.size(), replace.size());
        for (const QString& question : questions) {
            QVERIFY(question.startsWith(title + u'|'));
            QVERIFY(question.contains(written.isEmpty() ? existing.constFirst() : written));
        }
        // After a No the dialog comes again with the name as chosen.
        if (written.isEmpty()) {
            QCOMPARE(prompts_->Texts(u"SaveFile"_s).size(), 2);
            QCOMPARE(prompts_->calls.constLast().request.fileName, chosen);
        }
    }

    // The real question is as wide as an input box under the same title, and Return
    // answers No.
    void replaceQuestion()
    {
        ScreenPrompts screen;
        const QString title = u"Save Poser Hierarchy"_s;
        int inputWidth = 0, questionWidth = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isVisible())
                return;
            if (auto* input = qobject_cast<QInputDialog*>(box)) {
                inputWidth = input->width();
                input->reject();
            } else if (box->isActiveWindow()) {
                questionWidth = box->width();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        timer.start(10);
        QVERIFY(!screen.InputBox(nullptr, { title, u"Name"_s, {}, std::nullopt }));
        QVERIFY(!screen.ConfirmReplace(nullptr, title, u"fig.phi already exists."_s));
        QVERIFY(inputWidth > 0);
        QVERIFY2(questionWidth >= inputWidth, qPrintable(u"%1 < %2"_s.arg(questionWidth).arg(inputWidth)));
    }

    // The Open and Save dialogs start beside the document's file; for an untitled document
    // where a file was last opened or saved, before any among the Poser folder's geometry.
    void dialogFolders()
    {
        QVERIFY(Start());
        const auto folders = [this] {
            QStringList started;
            for (const char* action : { "Load1", "SaveAs1" }) {
                prompts_->files.push_back(std::nullopt);
                Control<QAction>(*w, QString::fromLatin1(action))->trigger();
                started << Folder(prompts_->calls.constLast().request.directory);
            }
            return started;
        };
        const QString geometries = Folder(Path(u"Runtime/Geometries"_s));
        QCOMPARE(folders(), (QStringList { geometries, geometries }));
        Open(Figure());
        const QString figure = Folder(QFileInfo(Figure()).path());
        QCOMPARE(folders(), (QStringList { figure, figure }));
        const QString elsewhere = Path(u"elsewhere/copy.phi"_s);
        QVERIFY(QDir().mkpath(QFileInfo(elsewhere).path()));
        prompts_->files.push_back(FileDialogAnswer { elsewhere, {} });
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();
        Control<QAction>(*w, u"New1"_s)->trigger();
        const QString saved = Folder(QFileInfo(elsewhere).path());
        QCOMPARE(folders(), (QStringList { saved, saved }));
        Open(Path(u"missing.phi"_s)); // a failed open moves neither
        QCOMPARE(folders(), (QStringList { saved, saved }));
    }

    // Every way of opening gives the same error: the path, then the system's reason.
    void failedOpenSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("reason"); // none: whatever the system says
        for (const QString& way : { u"Open"_s, u"drop"_s, u"command line"_s }) {
            QTest::addRow("missing file, %s", qPrintable(way))
                << u"missing.phi"_s << way
                << (kNamesIgnoreCase ? QString() : QString::fromLocal8Bit(std::strerror(ENOENT)));
            QTest::addRow("a folder, %s", qPrintable(way))
                << u"Runtime"_s << way << QString::fromLocal8Bit(std::strerror(EISDIR));
        }
    }
    void failedOpenSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, way);
        QFETCH(QString, reason);
        QVERIFY(Start());
        const QString path = QDir::toNativeSeparators(Path(name));
        if (way == u"Open"_s)
            Open(path);
        else if (way == u"drop"_s)
            Drop({ path });
        else
            OpenStartFile(*w, *prompts_, dir_->path(), path);
        const QStringList errors = prompts_->Texts(u"Error"_s);
        QCOMPARE(errors.size(), 1);
        const QStringList lines = errors.constFirst().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.constFirst(), u"Cannot open file "_s + path + u'.');
        QVERIFY(lines.constLast().size() > 1);
        if (!reason.isEmpty())
            QCOMPARE(lines.constLast(), reason + u'.');
    }

    // An OBJ file without groups still adds its objFile line, and a message says why
    // nothing else came.
    void objFileWithoutGroups_data()
    {
        QTest::addColumn<QByteArray>("obj");
        QTest::addColumn<bool>("parts");
        QTest::newRow("no g lines") << QByteArray("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n") << false;
        QTest::newRow("a g line without a name") << QByteArray("v 0 0 0\ng\nf 1 1 1\n") << false;
        QTest::newRow("a group") << QByteArray("v 0 0 0\ng hip\nf 1 1 1\n") << true;
    }
    void objFileWithoutGroups()
    {
        QFETCH(QByteArray, obj);
        QFETCH(bool, parts);
        QVERIFY(Start());
        const QString path = WriteFile(Path(u"Runtime/Geometries/Figure/figure.obj"_s), obj);
        prompts_->files.push_back(FileDialogAnswer { path, u"Wavefront (*.OBJ)"_s });
        Control<QToolButton>(*w, u"OBJButton"_s)->click();
        QStringList lines { u"#This file generated by Varnoke V2.0"_s,
                            u"objFile :Runtime:Geometries:Figure:figure.obj"_s };
        if (parts)
            lines << u"1 hip yxz"_s;
        QCOMPARE(Lines(), lines);
        QVERIFY(!Diagnostics().isEmpty()); // tested
        QCOMPARE(prompts_->calls.constLast().kind, parts ? u"OpenFile"_s : u"Message"_s);
        QCOMPARE(prompts_->Texts(u"Message"_s),
                 parts ? QStringList {}
                       : QStringList { QDir::toNativeSeparators(path)
                                       + u" holds no groups (g lines): no parts were added."_s });
    }
    // An untitled document generated from another Poser folder's OBJ file finds its
    // geometry there, not only under the program's folder.
    void objCommandFromAnotherRuntime()
    {
        QVERIFY(Start());
        const QString path = WriteFile(Path(u"elsewhere/Runtime/Geometries/Figure/figure.obj"_s),
                                       "v 0 0 0\nv 1 0 0\nv 0 1 0\ng hip\nf 1 2 3\ng chest\nf 1 2 3\n");
        prompts_->files.push_back(FileDialogAnswer { path, u"Wavefront (*.OBJ)"_s });
        Control<QToolButton>(*w, u"OBJButton"_s)->click();
        QCOMPARE(Lines().size(), 4);
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        // A new document forgets where the last one came from.
        prompts_->confirms.push_back(Prompts::Answer::No);
        Control<QAction>(*w, u"New1"_s)->trigger();
        Control<QToolButton>(*w, u"TextButton"_s)->click();
        QTest::keyClicks(TextMemo(), u"objFile :Runtime:Geometries:Figure:figure.obj"_s);
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(w->Doc().FErrorCount(), 1);
    }

    // Another program destroys the native window under the process: the window comes back
    // for "Save Changes?" and closes as the window manager's close would.
    void forcedClose_data()
    {
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << Prompts::Answer::Cancel << false << false;
        QTest::newRow("no") << Prompts::Answer::No << true << false;
        QTest::newRow("yes") << Prompts::Answer::Yes << true << true;
    }
    void forcedClose()
    {
#ifdef Q_OS_LINUX
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs a real display (xcb)");
        QFETCH(Prompts::Answer, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        QVERIFY(Start());
        QTest::keyClicks(TextMemo(), u"#edited"_s);
        const WId destroyed = w->winId();
        prompts_->confirms.push_back(answer);
        if (saved)
            prompts_->files.push_back(FileDialogAnswer { Path(u"forced.phi"_s), u"Poser Hierarchy (*.PHI)"_s });
        // Through the window's own connection, so the server's notice follows in order.
        xcb_connection_t* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        xcb_destroy_window(connection, static_cast<xcb_window_t>(destroyed));
        xcb_flush(connection);

        QTRY_VERIFY(prompts_->confirms.empty());
        QTRY_COMPARE(w->isVisible(), !closed);
        QCOMPARE(QFile::exists(Path(u"forced.phi"_s)), saved);
        if (saved)
            QCOMPARE(ReadAll(Path(u"forced.phi"_s)), QByteArray("#edited"));
        if (!closed) {
            QVERIFY(w->winId() != destroyed);
            QCOMPARE(TextMemo()->toPlainText(), u"#edited"_s);
        }
#else
        QSKIP("only an X server lets another program destroy the window");
#endif
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
