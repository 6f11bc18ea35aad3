// The window's file commands under conditions a careless or hostile user makes: files that
// are not files, files that belong to others, files that change behind its back.
#include "files/size_limit_signal.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QtTest>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

struct stat StatusOf(const QString& path)
{
    struct stat status { };
    if (::stat(Native(path).constData(), &status) != 0)
        qWarning("cannot stat %s", qPrintable(path));
    return status;
}

// The address space the process takes now.
std::optional<std::uint64_t> AddressSpaceUsed()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool number = false;
    const qulonglong pages = statm.readAll().split(' ').constFirst().toULongLong(&number);
    return number ? std::optional(std::uint64_t { pages } * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)))
                  : std::nullopt;
}

bool MakeFifo(const QString& path)
{
    return ::mkfifo(Native(path).constData(), 0644) == 0;
}

} // namespace

class HostileTest : public WindowFixture {
    Q_OBJECT

    // Opens a file and types a comment at the start of its text, so Save has work to do.
    void OpenAndEdit(const QString& path, const QString& typed = u"#edited "_s)
    {
        Open(path);
        QTest::keyClick(w, Qt::Key_F4);
        Caret(0, 0);
        QTest::keyClicks(TextMemo(), typed);
    }
    void Save() { Control<QToolButton>(*w, u"SaveButton"_s)->click(); }
    QString ChangedQuestion(const QString& path) const
    {
        return path + u" has changed on disk since it was opened. Overwrite it?"_s;
    }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    // Nothing but a regular file opens, by the dialog or by a drop, and none of them waits.
    void openOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("dropped");
        for (const bool dropped : { false, true }) {
            for (const QString& kind : { u"fifo"_s, u"/dev/zero"_s, u"link to /dev/zero"_s, u"folder"_s })
                QTest::newRow(qPrintable(kind + (dropped ? u" dropped"_s : u" opened"_s))) << kind << dropped;
        }
    }
    void openOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, dropped);
        QVERIFY(Start());
        QString path = Path(u"special.phi"_s);
        if (kind == u"fifo"_s)
            QVERIFY(MakeFifo(path));
        else if (kind == u"/dev/zero"_s)
            path = u"/dev/zero"_s;
        else if (kind == u"folder"_s)
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        Open(doc);
        if (dropped)
            Drop({ path });
        else
            Open(path);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
        QVERIFY(prompts_->Texts(u"Error"_s).constFirst().startsWith(u"Cannot open file "_s + path + u".\n"_s));
        QCOMPARE(Lines(), QStringList { u"#doc"_s });
        QCOMPARE(w->Doc().Path(), doc);
        QCOMPARE(w->Doc().SavePath(), doc);

        // Save As onto it writes nothing there and leaves the document to be saved.
        if (kind != u"fifo"_s && kind != u"folder"_s)
            return;
        QTest::keyClicks(TextMemo(), u"#more"_s);
        prompts_->files.push_back(FileDialogAnswer { path, u"Poser Hierarchy (*.PHI)"_s });
        if (kind == u"fifo"_s) // a folder is no file to replace
            prompts_->yesNos.push_back(true);
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();
        const QStringList errors = prompts_->Texts(u"Error"_s);
        QCOMPARE(errors.size(), 2);
        const QStringList lines = errors.constLast().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.constFirst(), u"Cannot create file "_s + path + u'.');
        QVERIFY(!lines.constLast().isEmpty());
        QVERIFY(kind == u"fifo"_s ? S_ISFIFO(StatusOf(path).st_mode) : S_ISDIR(StatusOf(path).st_mode));
        QVERIFY(w->Doc().Lines().Modified());
    }

    // A save puts the new text in the file's place and keeps what the file's owner gave it.
    void saveKeepsOwnerGroupModeAndAttributes_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("the file") << false;
        QTest::newRow("a symbolic link to it") << true;
    }
    void saveKeepsOwnerGroupModeAndAttributes()
    {
        QFETCH(bool, throughLink);
        if (::geteuid() != 0)
            QSKIP("giving a file to another owner needs the superuser");
        QVERIFY(Start());
        const QString file = WriteFile(Path(u"colleague.phi"_s), "#theirs\r\n");
        QCOMPARE(::chown(Native(file).constData(), 1002, 2000), 0);
        QCOMPARE(::chmod(Native(file).constData(), 0660), 0);
        const QByteArray attribute = "written by a colleague";
        const bool attributes
            = ::setxattr(Native(file).constData(), "user.varnoke.note", attribute.constData(), attribute.size(), 0)
            == 0;
        const QString link = Path(u"link.phi"_s);
        if (throughLink)
            QVERIFY(QFile::link(file, link));
        OpenAndEdit(throughLink ? link : file);
        Save();
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
        QCOMPARE(ReadAll(file), QByteArray("#edited #theirs\r\n"));
        const struct stat saved = StatusOf(file);
        QCOMPARE(saved.st_uid, uid_t(1002));
        QCOMPARE(saved.st_gid, gid_t(2000));
        QCOMPARE(saved.st_mode & 07777, mode_t(0660));
        if (throughLink)
            QCOMPARE(QFileInfo(link).symLinkTarget(), file);
        if (attributes) {
            char value[64] = {};
            QCOMPARE(::getxattr(Native(file).constData(), "user.varnoke.note", value, sizeof value),
                     ssize_t(attribute.size()));
            QCOMPARE(QByteArray(value), attribute);
        }
        QVERIFY(!w->Doc().IsModified());
        QStringList expected { u"colleague.phi"_s, u"poser.exe"_s };
        if (throughLink)
            expected << u"link.phi"_s;
        expected.sort();
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Hidden | QDir::Files, QDir::Name), expected);
    }

    // What another program does to the file between Open and Save: any change is asked
    // about, and No writes nothing, keeps the document changed and stops the command.
    void changedOnDisk_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("asked");
        QTest::newRow("nothing") << u"nothing"_s << false;
        QTest::newRow("a line appended") << u"append"_s << true;
        QTest::newRow("replaced by a file of the same size") << u"replace"_s << true;
        QTest::newRow("removed") << u"remove"_s << true;
    }
    void changedOnDisk()
    {
        QFETCH(QString, change);
        QFETCH(bool, asked);
        QVERIFY(Start());
        const QString file = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        OpenAndEdit(file);
        const auto changeIt = [&] {
            if (change == u"append"_s) {
                QFile appended(file);
                QVERIFY(appended.open(QIODevice::Append));
                appended.write("#theirs\r\n");
            } else if (change == u"replace"_s) {
                WriteFile(Path(u"other.tmp"_s), "#oth\r\n");
                QCOMPARE(::rename(Native(Path(u"other.tmp"_s)).constData(), Native(file).constData()), 0);
            } else if (change == u"remove"_s) {
                QVERIFY(QFile::remove(file));
            }
        };
        changeIt();
        const QByteArray outside = QFile::exists(file) ? ReadAll(file) : QByteArray();
        const QString question = change == u"remove"_s ? file + u" was deleted since it was opened. Save it again?"_s
                                                       : ChangedQuestion(file);
        if (asked) {
            // No: nothing written; Save Changes? answered Yes then abandons New.
            prompts_->yesNos = { false, false };
            Save();
            prompts_->confirms.push_back(Prompts::Answer::Yes);
            Control<QAction>(*w, u"New1"_s)->trigger();
            QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s), QStringList({ question, question }));
            QCOMPARE(QFile::exists(file) ? ReadAll(file) : QByteArray(), outside);
            QVERIFY(w->Doc().IsModified());
            QCOMPARE(Lines().constFirst(), u"#edited #doc"_s);
            QCOMPARE(w->Doc().SavePath(), file);
            prompts_->yesNos.push_back(true);
        }
        Save();
        QCOMPARE(ReadAll(file), QByteArray("#edited #doc\r\n"));
        QVERIFY(!w->Doc().IsModified());
        // From now on the file as saved is the reference: a save asks only after a new change.
        QTest::keyClicks(TextMemo(), u"#2"_s);
        Save();
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), asked ? 3 : 0);
        QCOMPARE(ReadAll(file), QByteArray("#edited #2#doc\r\n"));
        QTest::keyClicks(TextMemo(), u"#3"_s);
        changeIt();
        if (change != u"nothing"_s) {
            prompts_->yesNos.push_back(true);
            Save();
            QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), 4);
            QCOMPARE(ReadAll(file), QByteArray("#edited #2#3#doc\r\n"));
        }
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
    }

    // Only the file opened or saved last is compared: not a file chosen by Save As, not an
    // untitled document, and a failed Open keeps the file before it.
    void changedOnDiskOnlyForTheFileRead()
    {
        QVERIFY(Start());
        const QString file = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        const QString other = WriteFile(Path(u"other.phi"_s), "#other\r\n");
        OpenAndEdit(file);
        prompts_->confirms.push_back(Prompts::Answer::No);
        Open(Path(u"missing.phi"_s));
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
        WriteFile(file, "#changed\r\n");
        prompts_->yesNos.push_back(false);
        Save();
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s), QStringList { ChangedQuestion(file) });
        QCOMPARE(ReadAll(file), QByteArray("#changed\r\n"));

        // Save As onto another file replaces it as the replace question agreed.
        WriteFile(other, "#other, changed\r\n");
        prompts_->files.push_back(FileDialogAnswer { other, u"Poser Hierarchy (*.PHI)"_s });
        prompts_->yesNos.push_back(true);
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();
        QCOMPARE(ReadAll(other), QByteArray("#edited #doc\r\n"));
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), 1);

        // An untitled document saved for the first time.
        Control<QAction>(*w, u"New1"_s)->trigger();
        QTest::keyClicks(TextMemo(), u"#new"_s);
        const QString created = Path(u"created.phi"_s);
        prompts_->files.push_back(FileDialogAnswer { created, u"Poser Hierarchy (*.PHI)"_s });
        Save();
        QCOMPARE(ReadAll(created), QByteArray("#new"));
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), 1);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
    }

    // A file with other names: said once per document before its first save, the other
    // names keep the old text.
    void hardLinks()
    {
        QVERIFY(Start());
        const QString file = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        const QString other = Path(u"other-name.phi"_s), third = Path(u"third-name.phi"_s);
        QCOMPARE(::link(Native(file).constData(), Native(other).constData()), 0);
        QCOMPARE(::link(Native(file).constData(), Native(third).constData()), 0);
        OpenAndEdit(file);
        Save();
        QCOMPARE(prompts_->Texts(u"Message"_s),
                 QStringList { file + u" has 2 other hard link(s), which keep the old text."_s });
        QCOMPARE(ReadAll(file), QByteArray("#edited #doc\r\n"));
        QCOMPARE(ReadAll(other), QByteArray("#doc\r\n"));
        QCOMPARE(ReadAll(third), QByteArray("#doc\r\n"));

        // Told once: a name given to the saved file later goes without a word.
        const QString fourth = Path(u"fourth-name.phi"_s);
        QCOMPARE(::link(Native(file).constData(), Native(fourth).constData()), 0);
        QTest::keyClicks(TextMemo(), u"#2"_s);
        Save();
        QCOMPARE(prompts_->Texts(u"Message"_s).size(), 1);
        QCOMPARE(ReadAll(file), QByteArray("#edited #2#doc\r\n"));

        // The next document that has them is told again.
        OpenAndEdit(other);
        Save();
        QCOMPARE(prompts_->Texts(u"Message"_s).size(), 2);
        QCOMPARE(prompts_->Texts(u"Message"_s).constLast(),
                 other + u" has 1 other hard link(s), which keep the old text."_s);
        QCOMPARE(ReadAll(third), QByteArray("#doc\r\n"));
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
    }

    // A save past the file-size limit (ulimit -f), with the signal set as main sets it, fails
    // with the system's reason: the old file whole, no temporary file, the edits kept.
    void saveBeyondTheFileSizeLimit()
    {
        QVERIFY(Start());
        const QByteArray old = QByteArray("#a line of the old text\r\n").repeated(8000);
        const QString folder = Path(u"limited"_s);
        const QString file = WriteFile(folder + u"/big.phi"_s, old);
        OpenAndEdit(file);
        varnoke::files::LetWritesFailAtSizeLimit();
        struct rlimit original { };
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &original), 0);
        struct rlimit limited = original;
        limited.rlim_cur = static_cast<rlim_t>(old.size() / 2);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        {
            const auto restore = qScopeGuard([&] { ::setrlimit(RLIMIT_FSIZE, &original); });
            Save();
        }
        const QStringList errors = prompts_->Texts(u"Error"_s);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.constFirst().split(u'\n').constLast().startsWith(QString::fromLocal8Bit(std::strerror(EFBIG))));
        QCOMPARE(ReadAll(file), old);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList { u"big.phi"_s });
        QVERIFY(w->Doc().Lines().Modified());

        Save();
        QCOMPARE(ReadAll(file), "#edited " + old);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
    }

    // A file beyond 32 MB is asked about before it is read; No is a cancelled Open.
    void largeFile_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::newRow("opened") << false;
        QTest::newRow("dropped") << true;
    }
    void largeFile()
    {
        QFETCH(bool, dropped);
        QVERIFY(Start());
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        Open(doc);
        const QString large = Path(u"large.obj"_s);
        QFile file(large); // sparse: no disk taken
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(40) << 20));
        file.close();
        prompts_->yesNos.push_back(false);
        if (dropped)
            Drop({ large });
        else
            Open(large);
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s), QStringList { large + u" is 40 MB. Open it as text anyway?"_s });
        QCOMPARE(Lines(), QStringList { u"#doc"_s });
        QCOMPARE(w->Doc().Path(), doc);
        Open(doc); // the dialog starts where it was before
        QCOMPARE(prompts_->calls.constLast().request.fileName, u"doc.phi"_s);
        QCOMPARE(prompts_->Texts(u"Error"_s), QStringList {});
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), 1);
    }

    // A file the editor could not hold in the address space left is refused before it is
    // read, the document as it was; one that fits opens under the same limit.
    void fileBeyondTheMemoryLeft()
    {
        QVERIFY(Start());
        const QString doc = WriteFile(Path(u"doc.phi"_s), "#doc\r\n");
        Open(doc);
        const QString large = Path(u"large.phi"_s), small = WriteFile(Path(u"small.phi"_s), "#small\r\n");
        QFile file(large); // sparse: no disk taken
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(24) << 20));
        file.close();
        const std::optional<std::uint64_t> used = AddressSpaceUsed();
        QVERIFY(used.has_value());
        struct rlimit original { };
        QCOMPARE(::getrlimit(RLIMIT_AS, &original), 0);
        struct rlimit limited = original;
        limited.rlim_cur = static_cast<rlim_t>(*used + (std::uint64_t { 128 } << 20));
        QCOMPARE(::setrlimit(RLIMIT_AS, &limited), 0);
        {
            const auto restore = qScopeGuard([&] { ::setrlimit(RLIMIT_AS, &original); });
            Open(large);
            // Refused by name before it is read, not run out of memory on the way.
            QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
            QVERIFY(prompts_->Texts(u"Error"_s).constFirst().contains(large));
            QCOMPARE(Lines(), QStringList { u"#doc"_s });
            QCOMPARE(w->Doc().Path(), doc);
            Open(small);
        }
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
        QCOMPARE(Lines(), QStringList { u"#small"_s });
    }

    // A paste beyond 32 MB is asked about first; No pastes nothing. A smaller one goes in.
    void largePaste()
    {
        QVERIFY(Start());
        Open(WriteFile(Path(u"doc.phi"_s), "#doc\r\n"));
        QTest::keyClick(w, Qt::Key_F4);
        Caret(0, 0);
        QGuiApplication::clipboard()->setText(QString((32 << 20) + 1, u'x'));
        prompts_->yesNos.push_back(false);
        QTest::keyClick(TextMemo(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), 1);
        QCOMPARE(Lines(), QStringList { u"#doc"_s });
        QGuiApplication::clipboard()->setText(u"#pasted "_s);
        QTest::keyClick(TextMemo(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Lines(), QStringList { u"#pasted #doc"_s });
        QCOMPARE(prompts_->Texts(u"ConfirmYesNo"_s).size(), 1);
    }

    // The real input box takes a comment of any length, as given and as pasted.
    void inputBoxTakesLongText()
    {
        QVERIFY(Start());
        ScreenPrompts screen;
        const QString given(40'000, u'g'), pasted = QString(50'000, u'p') + u'!';
        QString shown;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer.stop();
            auto* edit = dialog->findChild<QLineEdit*>();
            shown = edit->text();
            edit->selectAll();
            edit->insert(pasted);
            dialog->accept();
        });
        timer.start(10);
        const std::optional<QString> typed
            = screen.InputBox(w, { u"Add Comment"_s, u"Comment"_s, given, std::nullopt });
        QCOMPARE(shown.size(), given.size());
        QVERIFY(typed.has_value());
        QCOMPARE(typed->size(), pasted.size());
        QCOMPARE(*typed, pasted);
    }
};

QTEST_MAIN(HostileTest)
#include "hostile_test.moc"
