// The Document alone, without a window: load, test, tree edits, write, cancel, and the
// signals that tell the views, each fired once per change.
#include "app/document.h"
#include "tree/drag_drop.h"
#include "tree/tree_menu.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kFigureFolder = u"/Runtime/Geometries/Mannikin"_s;

// Says stop at every report.
struct Stopper final : varnoke::Progress {
    bool Report(Step, std::string_view, std::uint64_t, std::uint64_t) override { return false; }
};

varnoke::Node* NodeWithText(const varnoke::Forest& tree, std::string_view text)
{
    for (const varnoke::Node* node = tree.First(); node; node = tree.Next(node)) {
        if (node->Text() == text)
            return const_cast<varnoke::Node*>(node);
    }
    return nullptr;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Enough lines for a test to report how far it has come, and so to be stopped.
void AddManyLines(Document& document)
{
    document.Lines().Insert(document.Lines().Count(), std::vector<std::string>(10'000, "#many"));
}

void Type(Document& document, const QString& text)
{
    QTextCursor cursor(&document.Text());
    cursor.movePosition(QTextCursor::End);
    for (const QChar c : text)
        cursor.insertText(QString(c));
}

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<Document> doc_;

    QString Figure() const { return dir_.path() + kFigureFolder + u"/mannikin.phi"_s; }
    QString Other() const { return dir_.path() + kFigureFolder + u"/other.phi"_s; }

    // Drops the node on the target's label, as the tree view's drop does.
    void Drop(std::string_view dragged, std::string_view target)
    {
        doc_->EditTree([] { return u"Move"_s; }, NodeWithText(doc_->Tree(), dragged),
                       [&](varnoke::TreeWindow& window) {
                           varnoke::DropOn(window, NodeWithText(doc_->Tree(), target), varnoke::drOnNode);
                       });
    }

private slots:
    void init()
    {
        QVERIFY(QDir().mkpath(dir_.path() + kFigureFolder));
        for (const QString& name : { u"mannikin.phi"_s, u"mannikin.obj"_s }) {
            QFile::remove(dir_.path() + kFigureFolder + u'/' + name);
            QVERIFY(QFile::copy(QStringLiteral(VARNOKE_EXAMPLES_DIR) + kFigureFolder + u'/' + name,
                                dir_.path() + kFigureFolder + u'/' + name));
        }
        QFile other(Other());
        QVERIFY(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
        other.write("objFile :Runtime:Geometries:Mannikin:mannikin.obj\r\n1 hip yzx\r\n");
        doc_ = std::make_unique<Document>(dir_.filePath(u"varnoke"_s));
    }
    void cleanup() { doc_.reset(); }

    // A save stopped at any of its reports leaves the old file whole, no other file beside
    // it, and the document modified; one left to run writes the text.
    void saveStoppedAnywhere()
    {
        struct StopAt final : varnoke::Progress {
            bool Report(Step step, std::string_view, std::uint64_t, std::uint64_t) override
            {
                writing += step == Step::WritingFile;
                ++all;
                return ++reports < stopAt;
            }
            int reports = 0, writing = 0, all = 0, stopAt = 0;
        } stopper;
        QVERIFY(doc_->Load(Figure()));
        const QByteArray old = ReadAll(Figure());
        // Some megabytes: several reports in each part of the save.
        doc_->Lines().Insert(0, std::vector<std::string>(300'000, "#a comment line"));
        doc_->ListenWith(&stopper);
        const QDir folder(QFileInfo(Figure()).absolutePath());
        const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        int stops = 0;
        for (stopper.stopAt = 1;; ++stopper.stopAt) {
            stopper.reports = 0;
            try {
                QVERIFY(doc_->Write(false).written);
                break;
            } catch (const varnoke::Cancelled&) {
                ++stops;
            }
            QCOMPARE(ReadAll(Figure()), old);
            QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), entries);
            QVERIFY(doc_->IsModified());
        }
        QVERIFY2(stops >= 5, qPrintable(QString::number(stops)));
        QCOMPARE(stopper.writing, stopper.all); // told as a save
        QVERIFY(!doc_->IsModified());
        QCOMPARE(ReadAll(Figure()), doc_->Lines().Bytes());
    }

    // A whole round: open, edit the tree, write it back, save, test again, and New.
    void loadEditWriteAndClear()
    {
        QVERIFY(doc_->Load(Figure()));
        QCOMPARE(doc_->Tree().NodeCount(), 25);
        doc_->SetTextMode(false);
        Drop("5 head yzx", "2 lThigh yzx");
        QVERIFY(doc_->FModified() && doc_->IsModified() && doc_->ChangedSinceTest());
        QCOMPARE(doc_->Lines().Line(7), "\t\t\t\t5 head yzx"); // the text is the old copy
        doc_->WriteTreeBack();
        QCOMPARE(doc_->Lines().Line(18), "\t\t3 head yzx");
        QVERIFY(doc_->Write(false).written);
        QVERIFY(!doc_->IsModified());
        QCOMPARE(ReadAll(Figure()), doc_->Lines().Bytes());
        QVERIFY(doc_->Test());
        QVERIFY(!doc_->FModified() && !doc_->ChangedSinceTest());
        QCOMPARE(doc_->Tree().NodeAt(18)->Text(), "3 head yzx");
        doc_->Clear();
        QVERIFY(doc_->Path().isEmpty() && doc_->SavePath().isEmpty() && doc_->Lines().Count() == 0);
        QCOMPARE(doc_->Tree().NodeCount(), 0);
    }

    // The text view's copy wins while it is shown; from the tree view only an edited tree
    // is written back before a diagnostic's line is shown.
    void whichCopyIsCurrent()
    {
        QVERIFY(doc_->Load(Figure()));
        Type(*doc_, u"#typed"_s);
        const int typedCount = doc_->Lines().Count();
        doc_->WriteTreeBack(); // text view shown: nothing happens
        doc_->WriteEditedTreeBack();
        QCOMPARE(doc_->Lines().Count(), typedCount);
        doc_->SetTextMode(false);
        doc_->WriteEditedTreeBack(); // an unedited tree
        QCOMPARE(doc_->Lines().Count(), typedCount);
        doc_->WriteTreeBack();
        QCOMPARE(doc_->Lines().Count(), 25);
        Type(*doc_, u"#again"_s);
        doc_->EditTree([] { return u"Edit"_s; }, nullptr, [](varnoke::TreeWindow& window) { window.Edited(); });
        doc_->WriteEditedTreeBack();
        QCOMPARE(doc_->Lines().Count(), 25);
    }

    // A stopped open leaves the document as it was: text, tree, names and flags.
    void cancelledLoadLeavesTheDocument()
    {
        QVERIFY(doc_->Load(Figure()));
        Type(*doc_, u"#mine"_s);
        QFile large(Other());
        QVERIFY(large.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 0; i < 200'000; ++i)
            large.write("#a comment line to make the file large enough for reports\r\n");
        large.close();
        const QByteArray before = doc_->Lines().Bytes();
        Stopper stopper;
        doc_->ListenWith(&stopper);
        QVERIFY_THROWS_EXCEPTION(varnoke::Cancelled, doc_->Load(Other()));
        QCOMPARE(doc_->Lines().Bytes(), before);
        QCOMPARE(doc_->Path(), Figure());
        QCOMPARE(doc_->Tree().NodeCount(), 25);
        QVERIFY(doc_->IsModified() && doc_->ChangedSinceTest());
        AddManyLines(*doc_);
        const QByteArray many = doc_->Lines().Bytes();
        QVERIFY_THROWS_EXCEPTION(varnoke::Cancelled, doc_->Test());
        QCOMPARE(doc_->Lines().Bytes(), many);
        QCOMPARE(doc_->Tree().NodeCount(), 0);
        QVERIFY(doc_->ChangedSinceTest());
    }

    // One step per action that changed the tree, under its name; none for an action that
    // changed nothing, even when it counts as an edit.
    void oneStepPerTreeAction()
    {
        QVERIFY(doc_->Load(Figure()));
        doc_->SetTextMode(false);
        doc_->EditTree([] { return u"Nothing"_s; }, nullptr, [](varnoke::TreeWindow& window) { window.Edited(); });
        QVERIFY(doc_->FModified() && !doc_->ChangedSinceTest());
        Drop("2 lThigh yzx", "3 chest yzx curve"); // a move and a renumbered subtree: one step
        varnoke::Node* comment = NodeWithText(doc_->Tree(), "#The legs bend by inverse kinematics");
        const varnoke::Node* left
            = doc_->EditTree([] { return u"Delete"_s; }, comment,
                             [](varnoke::TreeWindow& window) { varnoke::DeleteSelectedNode(window); });
        QCOMPARE(left, nullptr);
        QCOMPARE(doc_->History().Count(), 2);
        QCOMPARE(doc_->Tree().NodeCount(), 24);
        QCOMPARE(doc_->UndoTreeEdit(), comment);
        QCOMPARE(doc_->History().UndoName(), u"Move"_s);
        QCOMPARE(doc_->History().RedoName(), u"Delete"_s);
        QCOMPARE(doc_->Tree().NodeCount(), 25);
        // A test rebuilds the tree: the steps pointing into the old one go.
        doc_->WriteTreeBack();
        QVERIFY(doc_->Test());
        QCOMPARE(doc_->History().Count(), 0);
        QCOMPARE(doc_->UndoTreeEdit(), nullptr);
    }

    // Each signal fires once per change, outside commands at once and inside one as its
    // net change when it ends; not per edit, not per command.
    void signalsOncePerChange()
    {
        struct Case {
            const char* name;
            std::function<void()> setUp;
            std::function<void()> act;
            std::map<const char*, int> expected; // signals not named: none
        };
        const auto open = [this] { QVERIFY(doc_->Load(Figure())); };
        const auto inCommand = [this](const std::function<void()>& work) {
            return [this, work] {
                const Document::CommandScope command(*doc_);
                work();
            };
        };
        Stopper stopper;
        const std::vector<Case> cases {
            { "typing", open, [this] { Type(*doc_, u"#abc"_s); }, { { "modified", 1 }, { "changed", 1 } } },
            { "typing after Open brought a new text",
              [this] {
                  QVERIFY(doc_->Load(Other()));
                  QVERIFY(doc_->Load(Figure()));
              },
              [this] { Type(*doc_, u"#abc"_s); },
              { { "modified", 1 }, { "changed", 1 } } },
            { "edits in a command",
              open,
              inCommand([this] {
                  Type(*doc_, u"#abc"_s);
                  doc_->Lines().Replace(0, "#replaced");
              }),
              { { "modified", 1 }, { "changed", 1 } } },
            { "tree to text of an unedited tree",
              [&] {
                  open();
                  doc_->SetTextMode(false);
              },
              inCommand([this] { doc_->WriteTreeBack(); }),
              { { "modified", 1 } } },
            { "a drop that moves nothing",
              [&] {
                  open();
                  doc_->SetTextMode(false);
              },
              [this] { Drop("3 chest yzx curve", "2 abdomen yzx curve"); },
              { { "modified", 1 } } },
            { "a tree edit, written back and tested in one command",
              [&] {
                  open();
                  doc_->SetTextMode(false);
              },
              inCommand([this] {
                  Drop("5 head yzx", "2 lThigh yzx");
                  doc_->WriteTreeBack();
                  doc_->Test();
              }),
              { { "modified", 1 }, { "treeReset", 1 } } },
            { "a test after typing",
              [&] {
                  open();
                  Type(*doc_, u"#abc"_s);
              },
              [this] { doc_->Test(); },
              { { "changed", 1 }, { "treeReset", 1 } } },
            { "a cancelled test after typing",
              [&] {
                  open();
                  AddManyLines(*doc_);
                  doc_->ListenWith(&stopper);
              },
              [this] { QVERIFY_THROWS_EXCEPTION(varnoke::Cancelled, doc_->Test()); },
              { { "treeReset", 1 } } },
            { "a new save name", open, [this] { doc_->SetSavePath(Other()); }, { { "savePath", 1 } } },
            { "a save",
              [&] {
                  open();
                  Type(*doc_, u"#abc"_s);
              },
              [this] { QVERIFY(doc_->Write(true).written); },
              { { "modified", 1 } } },
            { "an open of another file",
              open,
              [this] { QVERIFY(doc_->Load(Other())); },
              { { "path", 1 }, { "savePath", 1 }, { "treeReset", 1 }, { "textReplaced", 1 }, { "completed", 1 } } },
            { "an open of the same text",
              open,
              [this] { QVERIFY(doc_->Load(Figure())); },
              { { "treeReset", 1 }, { "completed", 1 } } },
            { "New after typing",
              [&] {
                  open();
                  Type(*doc_, u"#abc"_s);
              },
              [this] { doc_->Clear(); },
              { { "modified", 1 }, { "changed", 1 }, { "path", 1 }, { "savePath", 1 }, { "treeReset", 1 } } },
            { "the same current node and line twice",
              open,
              [this] {
                  for (int i = 0; i < 2; ++i) {
                      doc_->SetCurrentLine(3);
                      doc_->SetCurrentNode(doc_->Tree().First());
                  }
              },
              { { "line", 1 }, { "node", 1 } } },
        };
        for (const Case& test : cases) {
            init();
            if (test.setUp)
                test.setUp();
            std::map<const char*, std::unique_ptr<QSignalSpy>> spies;
            spies["modified"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::modifiedChanged);
            spies["changed"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::changedSinceTestChanged);
            spies["path"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::pathChanged);
            spies["savePath"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::savePathChanged);
            spies["treeReset"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::treeReset);
            spies["textReplaced"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::textReplaced);
            spies["completed"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::textCompleted);
            spies["line"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::currentLineChanged);
            spies["node"] = std::make_unique<QSignalSpy>(doc_.get(), &Document::currentNodeChanged);
            test.act();
            for (const auto& [signal, spy] : spies) {
                const auto expected = std::find_if(test.expected.begin(), test.expected.end(), [&](const auto& entry) {
                    return qstrcmp(entry.first, signal) == 0;
                });
                const int count = expected == test.expected.end() ? 0 : expected->second;
                QVERIFY2(spy->count() == count,
                         qPrintable(u"%1: %2 fired %3 times"_s.arg(QLatin1String(test.name), QLatin1String(signal))
                                        .arg(spy->count())));
            }
            cleanup();
        }
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
