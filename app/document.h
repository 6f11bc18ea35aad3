#pragma once

#include "app/text_lines.h"
#include "files/replace_file.h"
#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"
#include "hierarchy/geometry_folders.h"
#include "hierarchy/progress.h"
#include "tree/tree_edits.h"
#include "ui/hierarchy_model.h"
#include "ui/poser_folder.h"

#include <QObject>
#include <QString>
#include <QTextDocument>

#include <memory>

// What the user edits and what a test leaves: the text and its lines, the tree and its
// model, the test's state, the flag of tree edits, the file the document came from and
// the one it is saved to, and the Poser folder its geometry paths start from. The views
// show it and hear of its changes through the signals.
class Document final : public QObject {
    Q_OBJECT

public:
    Document(const QString& programPath, QObject* parent = nullptr);
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
    // Who hears how far long work has come, and may stop it; none: nobody.
    void ListenWith(varnoke::Progress* progress) { progress_ = progress; }
    varnoke::Progress* Listener() const { return progress_; }

    bool FModified() const { return FModified_; }
    // The text or the tree changed since the last load, save, New or test.
    bool IsModified() const { return lines_.Modified() || FModified_; }
    // The file opened last; empty for an untitled document.
    const QString& Path() const { return path_; }
    // Where Save writes; empty until a name is known. Another file has no reference to
    // compare with: what is there is replaced as the save dialog agreed.
    const QString& SavePath() const { return savePath_; }
    void SetSavePath(const QString& path);

    // What a save would meet at SavePath.
    struct SaveTarget {
        bool changed = false; // another program changed or replaced the file since it was read or saved
        std::uint64_t otherLinks = 0; // names besides SavePath that keep the old text; told once
    };
    // Throws a CommandError for text that cannot be saved.
    SaveTarget InspectSaveTarget() const;
    void LinksTold() { linksTold_ = true; }

    // What the tree commands work on, with the window's view flag and its selection.
    varnoke::TreeWindow TreeWindow(const bool& FTextMode, varnoke::Node* selected);

    // Reads the file and tests it; false when the test failed. Throws a CommandError,
    // with the document unchanged, when the file cannot be read. Stopped by the listener,
    // it throws Cancelled: while reading or filling the text, with the document unchanged;
    // while testing, with the file's text as read and the test cancelled.
    bool Load(const QString& path);
    // Writes the text to SavePath, keeping the file's owner, group, mode and attributes;
    // false, with nothing written, when the file changed since it was read or saved and
    // overwriteChanged is not given. Throws a CommandError when it cannot be written.
    bool Write(bool overwriteChanged);
    // The empty, untitled document.
    void Clear();
    // Tests the text, tidying its indentation; false when the test failed. Stopped by the
    // listener, it throws Cancelled with the text untouched, the tree empty and the test's
    // cancellation the one diagnostic.
    bool Test();
    // Writes the tree back as the text.
    void TreeToText();
    // Inserts a first hierarchy of the OBJ file's groups; false, with an error listed,
    // when the file cannot be read. Stopped by the listener, it throws Cancelled with
    // nothing changed.
    bool Generate(const QString& objPath);
    // Tells the views of changes to the diagnostics and the Modified state since the
    // last time; each command ends with it, and a test before it leads to a diagnostic.
    void Announce();

signals:
    void tested();
    void testCancelled();
    void diagnosticsChanged();
    void treeReset();
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);
    // The text is another text document now: one filled as it is shown, or, when that is
    // stopped, the one before again.
    void textReplaced(QTextDocument* text);

private:
    // A test made aside, the document untouched; no result when it was stopped.
    struct Tested {
        varnoke::Forest tree;
        varnoke::CheckState checks;
        std::optional<bool> passed;
    };
    void TestAside(varnoke::DocumentLines& lines, const QString& path, Tested& tested) const;
    // The test's tree and diagnostics become the document's, and its result is told;
    // a stopped test throws Cancelled with the test's cancellation the one diagnostic.
    bool TakeTested(Tested& tested);
    bool LoadNewText(const QString& path, varnoke::DocumentText text, const varnoke::files::FileStamp& stamp);
    void ShowText(QTextDocument& text);
    void SetOpened(const QString& path, const varnoke::files::FileStamp& stamp);
    void CancelTest();
    void ShowTested();
    void RefuseTextBeyondLatin1() const;
    varnoke::GeometryFolders GeometryFolders(const QString& documentPath) const;
    void SetPath(const QString& path);

    std::unique_ptr<QTextDocument> text_;
    TextLines lines_;
    varnoke::Forest forest_;
    HierarchyModel model_;
    varnoke::CheckState checks_;
    bool FModified_ = false;
    QString path_;
    QString savePath_;
    // The file at savePath_ as it was opened or last saved; none for another file.
    std::optional<varnoke::files::FileStamp> reference_;
    bool linksTold_ = false;
    PoserFolder poser_;
    varnoke::Progress* progress_ = nullptr;
    std::uint64_t announcedDiagnostics_;
    bool announcedModified_ = false;
};
