#include "app/document.h"

#include "app/busy_cursor.h"
#include "app/command_error.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/generation.h"
#include "hierarchy/hierarchy_check.h"
#include "tree/tree_to_text.h"
#include "ui/text_conversions.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QSaveFile>

#include <limits>

namespace {

// The most the editor takes: its positions are ints.
constexpr qint64 kTextCapacity = std::numeric_limits<int>::max() / 2;

QString CannotCreate(const QString& path)
{
    return QStringLiteral("Cannot create file %1").arg(path);
}

} // namespace

Document::Document(const QString& programPath, QObject* parent)
    : QObject(parent)
    , lines_(text_)
    , model_(forest_)
    , poser_(programPath)
    , announcedDiagnostics_(checks_.diagnostics.Revision())
{
    // A plain text view takes no text laid out any other way; set before anything lays it out.
    text_.setDocumentLayout(new QPlainTextDocumentLayout(&text_));
}

Document::~Document() = default;

varnoke::TreeWindow Document::TreeWindow(const bool& FTextMode, varnoke::Node* selected)
{
    return { model_, checks_, FTextMode, FModified_, selected };
}

void Document::SetPath(const QString& path)
{
    if (path_ == path)
        return;
    path_ = path;
    emit pathChanged(path_);
}

varnoke::GeometryFolders Document::GeometryFolders() const
{
    varnoke::GeometryFolders folders;
    folders.poserFolder = poser_.Path();
    // Content installed in another runtime is found beside the open document.
    if (!path_.isEmpty()) {
        if (auto other = varnoke::NearestPoserFolder(ui::CorePath(path_)); other && *other != folders.poserFolder)
            folders.alsoSearched.push_back(*other);
    }
    return folders;
}

void Document::RefuseTextBeyondLatin1() const
{
    if (const std::optional<int> line = lines_.FirstLineBeyondLatin1())
        throw CommandError(
            QStringLiteral("Line %1 holds characters that cannot be saved as single bytes").arg(*line + 1));
}

bool Document::TestLines(varnoke::DocumentLines& lines)
{
    BusyCursor busy;
    FModified_ = false;
    const varnoke::GeometryFolders folders = GeometryFolders();
    const std::string fileName = ui::CorePath(path_);
    const bool passed = model_.Rebuild(
        [&](varnoke::Forest& tree) { return varnoke::TestHierarchy(checks_, folders, lines, tree, fileName); });
    emit treeReset();
    return passed;
}

bool Document::Test()
{
    RefuseTextBeyondLatin1();
    bool passed = false;
    {
        TextLines::EditBlock edit(lines_);
        passed = TestLines(lines_);
    }
    ShowTested();
    return passed;
}

bool Document::Load(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw CommandError(QStringLiteral("Cannot open file %1").arg(path));
    if (file.size() > kTextCapacity)
        throw CommandError(QStringLiteral("Text exceeds memo capacity"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CommandError(QStringLiteral("Cannot open file %1").arg(path));
    varnoke::DocumentText text
        = varnoke::SplitDocumentText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    SetPath(path);
    savePath_ = path;
    if (lines_.Holds(text)) {
        // The text is left untouched, its undo history included.
        lines_.SetModified(false);
        FModified_ = false;
        return Test();
    }
    // A new text is tested before it fills the editor, which then takes it in one piece
    // instead of an edit per re-indented line; those edits still count as changes.
    varnoke::LineList fileLines(std::move(text.lines));
    const bool passed = TestLines(fileLines);
    lines_.Load({ std::move(fileLines.Lines()), text.finalLineEnd });
    lines_.SetModified(fileLines.ReplacedCount() > 0);
    ShowTested();
    return passed;
}

void Document::Write()
{
    RefuseTextBeyondLatin1();
    // Written beside the file and renamed over it, so a failed write leaves the old file whole.
    QSaveFile file(savePath_);
    if (!file.open(QIODevice::WriteOnly))
        throw CommandError(CannotCreate(savePath_));
    const QByteArray bytes = lines_.Bytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw CommandError(QStringLiteral("Stream write error"));
    }
    if (!file.commit())
        throw CommandError(CannotCreate(savePath_));
    lines_.SetModified(false);
    FModified_ = false;
}

void Document::Clear()
{
    model_.Rebuild([](varnoke::Forest& tree) { tree.Clear(); });
    emit treeReset();
    checks_.Clear();
    lines_.ReplaceAll({});
    lines_.SetModified(false);
    FModified_ = false;
    // The new document is untitled: Save asks for a name instead of writing over the
    // last file, and a former .OBJ name no longer stops its tests.
    SetPath({});
    savePath_.clear();
}

void Document::TreeToText()
{
    varnoke::TreeToText(forest_, lines_);
}

bool Document::Generate(const QString& objPath)
{
    std::optional<varnoke::GeneratedHierarchy> generated;
    {
        BusyCursor busy;
        generated = varnoke::GenerateHierarchy(checks_, ui::CorePath(objPath));
    }
    if (!generated)
        return false;
    TextLines::EditBlock edit(lines_);
    varnoke::InsertGeneratedHierarchy(lines_, *generated);
    return true;
}

void Document::ShowTested()
{
    // The views show the test's diagnostics before they lead to the first of them.
    Announce();
    emit tested();
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
}
