#pragma once

#include "app/text_lines.h"
#include "files/replace_file.h"
#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"
#include "hierarchy/geometry_folders.h"
#include "hierarchy/progress.h"
#include "tree/edit_record.h"
#include "tree/tree_edits.h"
#include "ui/hierarchy_model.h"
#include "ui/poser_folder.h"
#include "ui/tree_history.h"
#include "ui/tree_model_editor.h"

#include <QObject>
#include <QString>
#include <QTextDocument>

#include <functional>
#include <memory>

// What the user edits and what a test leaves: the text and its lines, the tree and its
// model, the test's state, the flags, the file the document came from and the one it is
// saved to, and the Poser folder its geometry paths start from. Every change of the tree
// goes through EditTree; the views only read, and hear of changes through the signals as
// they happen. It outlives every view: whoever makes it hands it to the window.
class Document final : public QObject {
    Q_OBJECT

public:
    explicit Document(const QString& programPath, QObject* parent = nullptr);
    ~Document() override;

    // The text document of the moment: opening a file brings a new one (textReplaced).
    QTextDocument& Text() { return *text_; }
    TextLines& Lines() { return lines_; }
    const TextLines& Lines() const { return lines_; }
    HierarchyModel& TreeModel() { return model_; }
    const varnoke::Forest& Tree() const { return forest_; }
    const varnoke::CheckState& Checks() const { return checks_; }
    int FErrorCount() const { return checks_.diagnostics.FErrorCount; }
    int FWarningCount() const { return checks_.diagnostics.FWarningCount; }
    const PoserFolder& Poser() const { return poser_; }
    PoserFolder& Poser() { return poser_; }
    // Who hears how far long work has come, and may stop it; none: nobody.
    void ListenWith(varnoke::Progress* progress) { progress_ = progress; }
    varnoke::Progress* Listener() const { return progress_; }

    bool FModified() const { return FModified_; }
    // The text or the tree changed since the last load, save, New or test.
    bool IsModified() const { return lines_.Modified() || FModified_; }
    // The user changed the text or the tree since the last test (or New, Open): the
    // diagnostics may no longer hold. The test's own tidying does not count.
    bool ChangedSinceTest() const { return changedSinceTest_; }
    // The file opened last; empty for an untitled document.
    const QString& Path() const { return path_; }
    // Where Save writes; empty until a name is known. Another file has no reference to
    // compare with: what is there is replaced as the save dialog agreed.
    const QString& SavePath() const { return savePath_; }
    void SetSavePath(const QString& path);

    // Which view is shown: the text (true) or the tree. The tree is the current copy
    // while it is shown; these two say when it is written back as the text.
    bool FTextMode() const { return FTextMode_; }
    void SetTextMode(bool textMode) { FTextMode_ = textMode; }
    // Before a save, a test, the OBJ command and the switch to the text view.
    void WriteTreeBack();
    // Before a diagnostic's line is shown: only an edited tree, or a test would drop its edits.
    void WriteEditedTreeBack();

    // The tree as a tree command decides on it, with the node selected in the tree view.
    // For a look only: a command that changes the tree goes through EditTree.
    varnoke::TreeWindow LookAtTree(varnoke::Node* selected);
    // Runs a tree command, the one way the tree changes: the command gets the tree's
    // edits, the test state and the selection, and gives back the node to select. A
    // command that counts as an edit sets FModified; its edits, if any, make one step of
    // the history, under the name given once the command has ended.
    using TreeCommand = std::function<void(varnoke::TreeWindow&)>;
    using StepName = std::function<QString()>;
    varnoke::Node* EditTree(const StepName& name, varnoke::Node* selected, const TreeCommand& command);
    // The steps of tree edits since the tree was last rebuilt (test, New, Open).
    const TreeHistory& History() const { return history_; }
    // Undoes or redoes the tree's last step; the diagnostics and registries stay as they
    // are. Like any edit it sets FModified. Gives the node the step changed, to select;
    // none when it is out of the tree now or there was no step.
    varnoke::Node* UndoTreeEdit();
    varnoke::Node* RedoTreeEdit();

    // What a save would meet at SavePath.
    struct SaveTarget {
        bool changed = false; // another program changed or replaced the file since it was read or saved
        bool deleted = false; // or removed it
        std::uint64_t otherLinks = 0; // names besides SavePath that keep the old text; told once
    };
    // Throws a CommandError for text that cannot be saved.
    SaveTarget InspectSaveTarget() const;
    void LinksTold() { linksTold_ = true; }

    // Reads the file and tests it; false when the test failed. Throws a CommandError,
    // with the document unchanged, when the file cannot be read. Stopped by the listener,
    // it throws Cancelled: while reading or filling the text, with the document unchanged;
    // while testing, with the file's text as read and the test cancelled.
    bool Load(const QString& path);
    // Writes the text to SavePath, keeping the file's owner, group, mode and attributes.
    // Nothing is written when the file changed since it was read or saved and
    // overwriteChanged is not given, nor when the file would become the user's and
    // mayGiveAway is not given. Throws a CommandError when it cannot be written; stopped
    // by the listener, it throws Cancelled with the old file whole and the flags as before.
    struct WriteResult {
        bool written = false;
        bool changed = false;
        QString owner; // of a file that would become the user's
    };
    WriteResult Write(bool overwriteChanged, bool mayGiveAway = false);
    // The empty, untitled document.
    void Clear();
    // Tests the text, tidying its indentation; false when the test failed. Stopped by the
    // listener, it throws Cancelled with the text untouched, the tree empty and the test's
    // cancellation the one diagnostic.
    bool Test();
    // Inserts a first hierarchy of the OBJ file's groups and gives how many parts it
    // added; none, with an error listed, when the file cannot be read. Stopped by the
    // listener, it throws Cancelled with nothing changed.
    std::optional<std::size_t> Generate(const QString& objPath);

    // While a command runs, what changes is told once, as its net change, when the last
    // one ends; outside commands (typing) each change is told at once. Every change of
    // the document's own runs as a command too.
    class CommandScope {
    public:
        explicit CommandScope(Document& document);
        ~CommandScope();
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;

    private:
        Document& document_;
    };
    // Tells the views of changes to the diagnostics and the states since the last time.
    void Announce();

    // Where the views stand: the tree view's current node, the text view's caret line.
    const varnoke::Node* CurrentNode() const { return currentNode_; }
    void SetCurrentNode(const varnoke::Node* node);
    int CurrentLine() const { return currentLine_; }
    void SetCurrentLine(int line);

signals:
    void tested();
    void testCancelled();
    void diagnosticsChanged();
    // The tree was rebuilt (test, cancelled test, New, Open): whatever points into it goes.
    void treeReset();
    void modifiedChanged(bool modified);
    void changedSinceTestChanged(bool changed);
    void pathChanged(const QString& path);
    void savePathChanged(const QString& savePath);
    void currentNodeChanged(const varnoke::Node* node);
    void currentLineChanged(int line);
    // Another document took this one's place (New, Open, a drop): before its test, if any.
    void replaced();
    // The text is another text document now: one filled as it is shown, or, when that is
    // stopped, the one before again.
    void textReplaced(QTextDocument* text);
    // The text of an Open is complete, also when Open kept an unchanged text: what
    // decorates the whole text attaches now, never to a text still filling.
    void textCompleted(QTextDocument* text);
    // The text was written anew from the tree: what marked its lines no longer holds.
    void textRebuilt();

private:
    // A test made aside, the document untouched; no result when it was stopped.
    struct Tested {
        varnoke::Forest tree;
        varnoke::CheckState checks;
        std::optional<bool> passed;
    };
    // The document's own changes of its text, which are no edits by the user.
    class OwnTextChange {
    public:
        explicit OwnTextChange(Document& document);
        ~OwnTextChange();
        OwnTextChange(const OwnTextChange&) = delete;
        OwnTextChange& operator=(const OwnTextChange&) = delete;

    private:
        Document& document_;
    };

    void TestAside(varnoke::DocumentLines& lines, const QString& path, Tested& tested) const;
    // The test's tree and diagnostics become the document's, and its result is told;
    // a stopped test throws Cancelled with the test's cancellation the one diagnostic.
    bool TakeTested(Tested& made);
    // Throws a CommandError when the editor could not hold the file in the memory left.
    static void RefuseWhatMemoryCannotHold(const QString& path);
    bool LoadNewText(const QString& path, varnoke::DocumentText text, const varnoke::files::FileStamp& stamp);
    void ShowText(QTextDocument& text);
    void WatchText();
    void TextContentsChanged();
    void SetOpened(const QString& path, const varnoke::files::FileStamp& stamp);
    void ResetTree();
    void CancelTest();
    void RefuseTextBeyondLatin1(varnoke::Progress* saving = nullptr) const;
    varnoke::GeometryFolders GeometryFolders(const QString& documentPath) const;
    void SetPath(const QString& path);
    void SetSavePathOnly(const QString& path);
    void TreeToText();
    varnoke::Node* WalkHistory(bool undo);

    std::unique_ptr<QTextDocument> text_;
    TextLines lines_;
    varnoke::Forest forest_;
    HierarchyModel model_;
    TreeModelEditor modelEditor_;
    TreeHistory history_;
    varnoke::CheckState checks_;
    bool FModified_ = false;
    bool FTextMode_ = true;
    bool changedSinceTest_ = false;
    QString path_;
    QString savePath_;
    // An untitled document's geometry is looked for beside the OBJ file it was generated from.
    QString generatedFrom_;
    // The file at savePath_ as it was opened or last saved; none for another file.
    std::optional<varnoke::files::FileStamp> reference_;
    bool linksTold_ = false;
    PoserFolder poser_;
    varnoke::Progress* progress_ = nullptr;
    const varnoke::Node* currentNode_ = nullptr;
    int currentLine_ = -1;
    int commandDepth_ = 0;
    int ownTextChanges_ = 0;
    QMetaObject::Connection textWatch_;
    QMetaObject::Connection modificationWatch_;
    std::uint64_t announcedDiagnostics_;
    bool announcedModified_ = false;
    bool announcedChangedSinceTest_ = false;
};
