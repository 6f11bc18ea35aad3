// The document's files: opening one into the editor, and saving the text to one.
#include "app/command_error.h"
#include "app/document.h"
#include "app/text_fill.h"
#include "files/memory_room.h"
#include "files/read_file.h"
#include "files/replace_plan.h"
#include "hierarchy/document_lines.h"
#include "ui/text_conversions.h"

#include <QDir>

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
