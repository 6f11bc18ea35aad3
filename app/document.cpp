#include "app/document.h"

#include "app/command_error.h"
#include "app/text_fill.h"
#include "files/memory_room.h"
#include "files/read_file.h"
#include "files/replace_plan.h"
#include "hierarchy/deferred_lines.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/generation.h"
#include "hierarchy/hierarchy_check.h"
#include "tree/tree_to_text.h"
#include "ui/text_conversions.h"

#include <QDir>
#include <QScopeGuard>

#include <limits>

namespace {

// The most the editor takes: its positions are ints.
constexpr qint64 kTextCapacity = std::numeric_limits<int>::max() / 2;

// The error's first line as every error box ends it, the system's reason below.
QString WithReason(const QString& text, const std::string& reason)
{
    QString why = QString::fromLocal8Bit(reason);
    if (!why.isEmpty())
        why[0] = why[0].toUpper();
    return why.isEmpty() ? text : ErrorBoxText(text) + QLatin1Char('\n') + why;
}

QString CannotCreate(const QString& path, const std::string& reason)
{
    return WithReason(QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)), reason);
}

QString CannotOpen(const QString& path, const std::string& reason)
{
    return WithReason(QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)), reason);
}

} // namespace

Document::Document(const QString& programPath, QObject* parent)
    : QObject(parent)
    , text_(NewTextDocument())
    , lines_(*text_)
    , model_(forest_)
    , modelEditor_(forest_, model_)
    , history_(modelEditor_)
    , poser_(programPath)
    , announcedDiagnostics_(checks_.diagnostics.Revision())
{
    WatchText();
}

Document::~Document() = default;

Document::OwnTextChange::OwnTextChange(Document& document)
    : document_(document)
{
    ++document_.ownTextChanges_;
}

Document::OwnTextChange::~OwnTextChange()
{
    --document_.ownTextChanges_;
}

void Document::WatchText()
{
    // Typing tells at once; a command tells its net change when it ends.
    disconnect(textWatch_);
    disconnect(modificationWatch_);
    textWatch_ = connect(text_.get(), &QTextDocument::contentsChange, this, &Document::TextContentsChanged);
    modificationWatch_ = connect(text_.get(), &QTextDocument::modificationChanged, this, [this] {
        if (commandDepth_ == 0)
            Announce();
    });
}

void Document::TextContentsChanged()
{
    if (ownTextChanges_ > 0)
        return;
    changedSinceTest_ = true;
    if (commandDepth_ == 0)
        Announce();
}

Document::CommandScope::CommandScope(Document& document)
    : document_(document)
{
    ++document_.commandDepth_;
}

Document::CommandScope::~CommandScope()
{
    if (--document_.commandDepth_ == 0)
        document_.Announce();
}

varnoke::TreeWindow Document::LookAtTree(varnoke::Node* selected)
{
    return { modelEditor_, checks_, FTextMode_, selected };
}

varnoke::Node* Document::EditTree(const StepName& name, varnoke::Node* selected, const TreeCommand& edit)
{
    const CommandScope command(*this);
    auto step = std::make_unique<varnoke::EditRecord>(modelEditor_);
    varnoke::TreeWindow window { *step, checks_, FTextMode_, selected };
    // What a command changed before it failed counts all the same.
    const auto counted = qScopeGuard([&] {
        if (window.edited)
            FModified_ = true;
        if (!step->Empty()) {
            changedSinceTest_ = true;
            // A step that cannot be kept would leave the earlier ones undoing the wrong tree.
            try {
                history_.Add(name(), std::move(step));
            } catch (...) {
                history_.Clear();
            }
        }
    });
    edit(window);
    return window.selected;
}

varnoke::Node* Document::UndoTreeEdit()
{
    return WalkHistory(true);
}

varnoke::Node* Document::RedoTreeEdit()
{
    return WalkHistory(false);
}

varnoke::Node* Document::WalkHistory(bool undo)
{
    const CommandScope command(*this);
    const varnoke::EditRecord* step = undo ? history_.Undo() : history_.Redo();
    if (!step)
        return nullptr;
    // Never clean again by walking back: an undo after a save is a change to save.
    FModified_ = true;
    changedSinceTest_ = true;
    return step->Subject(undo);
}

void Document::WriteTreeBack()
{
    const CommandScope command(*this);
    if (!FTextMode_)
        TreeToText();
}

void Document::WriteEditedTreeBack()
{
    const CommandScope command(*this);
    if (!FTextMode_ && FModified_)
        TreeToText();
}

void Document::SetCurrentNode(const varnoke::Node* node)
{
    if (node == currentNode_)
        return;
    currentNode_ = node;
    emit currentNodeChanged(node);
}

void Document::SetCurrentLine(int line)
{
    if (line == currentLine_)
        return;
    currentLine_ = line;
    emit currentLineChanged(line);
}

void Document::SetPath(const QString& path)
{
    if (path_ == path)
        return;
    path_ = path;
    emit pathChanged(path_);
}

varnoke::GeometryFolders Document::GeometryFolders(const QString& documentPath) const
{
    varnoke::GeometryFolders folders;
    folders.poserFolder = poser_.Path();
    folders.progress = progress_;
    // Content installed in another runtime is found beside the open document.
    if (const QString& anchor = documentPath.isEmpty() ? generatedFrom_ : documentPath; !anchor.isEmpty()) {
        if (auto other = varnoke::NearestPoserFolder(ui::CorePath(anchor)); other && *other != folders.poserFolder)
            folders.alsoSearched.push_back(*other);
    }
    return folders;
}

void Document::RefuseTextBeyondLatin1(varnoke::Progress* saving) const
{
    if (const std::optional<int> line = lines_.FirstLineBeyondLatin1(saving, ui::CorePath(savePath_)))
        throw CommandError(
            QStringLiteral("Line %1 holds characters that cannot be saved as single bytes").arg(*line + 1));
}

void Document::TestAside(varnoke::DocumentLines& lines, const QString& path, Tested& tested) const
{
    // The lines are tidied only once the test has come to its end.
    varnoke::DeferredLines tidied(lines);
    try {
        tested.passed
            = varnoke::TestHierarchy(tested.checks, GeometryFolders(path), tidied, tested.tree, ui::CorePath(path));
    } catch (const varnoke::Cancelled&) {
        return;
    }
    tidied.Apply();
}

bool Document::TakeTested(Tested& made)
{
    if (!made.passed) {
        CancelTest();
        throw varnoke::Cancelled();
    }
    FModified_ = false;
    changedSinceTest_ = false;
    currentNode_ = nullptr;
    history_.Clear();
    modelEditor_.Rebuild([&](varnoke::Forest& shown) { shown.Swap(made.tree); });
    emit treeReset();
    std::swap(checks_, made.checks);
    // A list of its own: its count of changes says nothing beside the last list's.
    announcedDiagnostics_ = checks_.diagnostics.Revision();
    emit diagnosticsChanged();
    // The views show the test's diagnostics before they lead to the first of them.
    Announce();
    emit tested();
    return *made.passed;
}

void Document::ResetTree()
{
    currentNode_ = nullptr;
    history_.Clear();
    modelEditor_.Rebuild([](varnoke::Forest& tree) { tree.Clear(); });
    emit treeReset();
}

void Document::CancelTest()
{
    ResetTree();
    checks_.Clear();
    checks_.diagnostics.AddPlain("Test cancelled");
    Announce();
    emit testCancelled();
}

bool Document::Test()
{
    const CommandScope command(*this);
    RefuseTextBeyondLatin1();
    Tested tested;
    {
        const OwnTextChange tidying(*this);
        TextLines::EditBlock edit(lines_);
        TestAside(lines_, path_, tested);
    }
    return TakeTested(tested);
}

bool Document::Load(const QString& path)
{
    const CommandScope command(*this);
    RefuseWhatMemoryCannotHold(path);
    // Only a regular file opens, and without waiting: a FIFO or a device is no document.
    varnoke::files::WholeFile file = varnoke::files::ReadWholeFile(ui::CorePath(path), progress_, kTextCapacity);
    switch (file.failure) {
    case varnoke::files::ReadFailure::None:
        break;
    case varnoke::files::ReadFailure::CannotOpen:
        throw CommandError(CannotOpen(path, file.reason));
    case varnoke::files::ReadFailure::TooLarge:
        throw CommandError(QStringLiteral("Text exceeds memo capacity"));
    case varnoke::files::ReadFailure::NotEnoughMemory:
        throw std::bad_alloc();
    }
    file.file.reset();
    varnoke::DocumentText text = varnoke::SplitDocumentText(file.bytes);
    file.bytes = std::string();
    if (!lines_.Holds(text))
        return LoadNewText(path, std::move(text), file.stamp);
    // The text is left untouched, its undo history included.
    SetOpened(path, file.stamp);
    lines_.SetModified(false);
    FModified_ = false;
    emit textCompleted(text_.get());
    return Test();
}

void Document::RefuseWhatMemoryCannotHold(const QString& path)
{
    // Refused before anything is read: running out halfway would end in the toolkit.
    const std::optional<varnoke::files::FileStamp> stamp = varnoke::files::StampOf(ui::CorePath(path));
    if (!stamp || !stamp->regular || stamp->size <= 0)
        return;
    const auto size = static_cast<std::uint64_t>(stamp->size);
    if (varnoke::files::FitsInEditor(size, varnoke::files::MemoryRoomNow()))
        return;
    constexpr std::uint64_t kMegabyte = 1024 * 1024;
    throw CommandError(QStringLiteral("Not enough memory to open %1: the editor would need about %2 MB.")
                           .arg(path)
                           .arg((size * varnoke::files::kEditorBytesPerFileByte + kMegabyte - 1) / kMegabyte));
}

bool Document::LoadNewText(const QString& path, varnoke::DocumentText text, const varnoke::files::FileStamp& stamp)
{
    // Tested before it fills the editor, which then takes it as it comes instead of an
    // edit per re-indented line. The test is made aside and takes the place of the
    // document's only when the text is in, so that a Cancel while the editor fills leaves
    // everything as it was.
    varnoke::LineList fileLines(std::move(text.lines));
    Tested tested;
    TestAside(fileLines, path, tested);
    // Cancelled, the file opens all the same, as it was read: that may be the only way to
    // mend a line that makes its test endless.
    if (!tested.passed && progress_)
        progress_->Resume();
    // The editor shows the text as it comes in; stopped, it shows the text before again.
    std::unique_ptr<QTextDocument> incoming = NewTextDocument(text_.get());
    ShowText(*incoming);
    try {
        FillTextDocument(*incoming, fileLines.Lines(), text.finalLineEnd, progress_, ui::CorePath(path));
    } catch (...) {
        // Stopped, or out of memory: the view must not be left on a document about to go.
        ShowText(*text_);
        throw;
    }
    incoming->setModified(tested.passed && fileLines.ReplacedCount() > 0);
    std::swap(text_, incoming);
    incoming.reset();
    WatchText();
    SetOpened(path, stamp);
    FModified_ = false;
    emit textCompleted(text_.get());
    return TakeTested(tested);
}

void Document::ShowText(QTextDocument& text)
{
    lines_.Rebind(text);
    emit textReplaced(&text);
}

void Document::SetOpened(const QString& path, const varnoke::files::FileStamp& stamp)
{
    SetPath(path);
    SetSavePathOnly(path);
    reference_ = stamp;
    linksTold_ = false;
    // Another document: the list will be its own.
    changedSinceTest_ = false;
    emit replaced();
}

void Document::SetSavePathOnly(const QString& path)
{
    if (path == savePath_)
        return;
    savePath_ = path;
    emit savePathChanged(savePath_);
}

void Document::SetSavePath(const QString& path)
{
    const CommandScope command(*this);
    if (path == savePath_)
        return;
    SetSavePathOnly(path);
    reference_.reset();
    linksTold_ = false;
    emit replaced();
}

Document::SaveTarget Document::InspectSaveTarget() const
{
    RefuseTextBeyondLatin1(progress_);
    const std::optional<varnoke::files::FileStamp> now = varnoke::files::StampOf(ui::CorePath(savePath_));
    SaveTarget target;
    target.deleted = reference_ && !now;
    target.changed = reference_ && now && !varnoke::files::SameState(*reference_, *now);
    // Written over in place, the file's other names get the new text too.
    if (now && now->regular && now->links > 1 && !linksTold_
        && varnoke::files::PlanReplacing(varnoke::files::OwnerFactsOf(ui::CorePath(savePath_)))
            != varnoke::files::ReplacePlan::InPlace)
        target.otherLinks = now->links - 1;
    return target;
}

Document::WriteResult Document::Write(bool overwriteChanged, bool mayGiveAway)
{
    const CommandScope command(*this);
    RefuseTextBeyondLatin1(progress_);
    // Written beside the file and renamed over it, so a failed write leaves the old file whole.
    const std::string what = ui::CorePath(savePath_);
    const QByteArray bytes = lines_.Bytes(progress_, what);
    const varnoke::files::ReplaceResult result = varnoke::files::ReplaceFile(
        ui::CorePath(savePath_), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        overwriteChanged || !reference_ ? nullptr : &*reference_, nullptr, {}, mayGiveAway, progress_);
    WriteResult written;
    switch (result.outcome) {
    case varnoke::files::ReplaceOutcome::Replaced:
        break;
    case varnoke::files::ReplaceOutcome::Changed:
        written.changed = true;
        return written;
    case varnoke::files::ReplaceOutcome::WouldGiveAway:
        written.owner = ui::FromCorePath(result.reason);
        return written;
    case varnoke::files::ReplaceOutcome::CannotCreate:
        throw CommandError(CannotCreate(savePath_, result.reason));
    case varnoke::files::ReplaceOutcome::WriteFailed:
        throw CommandError(WithReason(QStringLiteral("Stream write error"), result.reason));
    }
    reference_ = result.written;
    lines_.SetModified(false);
    FModified_ = false;
    written.written = true;
    return written;
}

void Document::Clear()
{
    const CommandScope command(*this);
    ResetTree();
    checks_.Clear();
    {
        const OwnTextChange emptying(*this);
        lines_.ReplaceAll({});
    }
    lines_.SetModified(false);
    FModified_ = false;
    changedSinceTest_ = false;
    // The new document is untitled: Save asks for a name instead of writing over the
    // last file, and a former .OBJ name no longer stops its tests.
    SetPath({});
    SetSavePath({});
    generatedFrom_.clear();
    reference_.reset();
    linksTold_ = false;
}

void Document::TreeToText()
{
    // The tree's edits, if any, counted already.
    const OwnTextChange writing(*this);
    varnoke::TreeToText(forest_, lines_);
    emit textRebuilt();
}

std::optional<std::size_t> Document::Generate(const QString& objPath)
{
    const CommandScope command(*this);
    const std::optional<varnoke::GeneratedHierarchy> generated
        = varnoke::GenerateHierarchy(checks_, ui::CorePath(objPath), progress_);
    if (!generated)
        return std::nullopt;
    generatedFrom_ = objPath;
    TextLines::EditBlock edit(lines_);
    varnoke::InsertGeneratedHierarchy(lines_, *generated);
    return generated->levelLines.size();
}

void Document::Announce()
{
    if (checks_.diagnostics.Revision() != announcedDiagnostics_) {
        announcedDiagnostics_ = checks_.diagnostics.Revision();
        emit diagnosticsChanged();
    }
    if (IsModified() != announcedModified_) {
        announcedModified_ = IsModified();
        emit modifiedChanged(announcedModified_);
    }
    if (changedSinceTest_ != announcedChangedSinceTest_) {
        announcedChangedSinceTest_ = changedSinceTest_;
        emit changedSinceTestChanged(changedSinceTest_);
    }
}
