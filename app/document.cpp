#include "app/document.h"

#include "app/command_error.h"
#include "app/text_fill.h"
#include "hierarchy/deferred_lines.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/generation.h"
#include "hierarchy/hierarchy_check.h"
#include "tree/tree_to_text.h"
#include "ui/text_conversions.h"

#include <QScopeGuard>

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
    emit replaced();
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
