// New, Open, Save, Save As, Exit, dropped files, and the question that guards them.
#include "app/command_error.h"
#include "app/phi_form.h"
#include "app/start_up.h"
#include "app/text_memo.h"
#include "dialogs/hierarchy_model.h"
#include "hierarchy/document_lines.h"

#include "app/hierarchy_tree_view.h"
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSaveFile>

#include <limits>

namespace {

// The most the editor takes: its positions are ints.
constexpr qint64 kMemoCapacity = std::numeric_limits<int>::max() / 2;

const QStringList kHierarchyFilters { QStringLiteral("Poser Hierarchy (*.PHI)"), QStringLiteral("Text Files (*.TXT)"),
                                      QStringLiteral("Wavefront (*.OBJ)"), QStringLiteral("All Files (*.*)") };

QString CannotCreate(const QString& path)
{
    return QStringLiteral("Cannot create file %1").arg(path);
}

} // namespace

bool TPHIForm::QuerySaveChanges()
{
    if (!lines_->Modified() && !FModified)
        return false;
    switch (prompts_.Confirm(this, QStringLiteral("Save Changes?"))) {
    case Prompts::Answer::Yes:
        return !SaveDocument();
    case Prompts::Answer::No:
        return false;
    case Prompts::Answer::Cancel:
        break;
    }
    return true;
}

void TPHIForm::LoadDocument()
{
    const QString path = OpenDialog1.FileName;
    if (const std::optional<QString> message = UnusableFolderMessage(path))
        throw CommandError(*message);
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw CommandError(QStringLiteral("Cannot open file %1").arg(path));
    if (file.size() > kMemoCapacity)
        throw CommandError(QStringLiteral("Text exceeds memo capacity"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CommandError(QStringLiteral("Cannot open file %1").arg(path));
    varnoke::DocumentText text
        = varnoke::SplitDocumentText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (lines_->Holds(text)) {
        // The editor is left untouched, its undo history included.
        lines_->SetModified(false);
        SaveDialog1.FileName = path;
        FModified = false;
        TestAndChooseView();
        return;
    }
    // A new text is tested before it fills the editor, which then takes it in one piece
    // instead of an edit per re-indented line; those edits still count as changes.
    varnoke::LineList tested(std::move(text.lines));
    const bool passed = TestLines(tested);
    lines_->Load({ std::move(tested.Lines()), text.finalLineEnd });
    lines_->SetModified(tested.ReplacedCount() > 0);
    SaveDialog1.FileName = path;
    ShowTestResult();
    ChooseView(passed);
}

void TPHIForm::WriteDocument()
{
    RefuseTextBeyondLatin1();
    const QString path = SaveDialog1.FileName;
    // Written beside the file and renamed over it, so a failed write leaves the old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw CommandError(CannotCreate(path));
    const QByteArray bytes = lines_->Bytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw CommandError(QStringLiteral("Stream write error"));
    }
    if (!file.commit())
        throw CommandError(CannotCreate(path));
    lines_->SetModified(false);
    FModified = false;
}

bool TPHIForm::AskSaveName()
{
    const QFileInfo current(SaveDialog1.FileName);
    const std::optional<FileDialogAnswer> answer
        = prompts_.SaveFile(this,
                            { QStringLiteral("Save Poser Hierarchy"),
                              { kHierarchyFilters.constFirst() },
                              {},
                              QStringLiteral("PHI"),
                              SaveDialog1.FileName.isEmpty() ? QString() : current.absolutePath(),
                              current.fileName(),
                              false });
    if (answer)
        SaveDialog1.FileName = answer->path;
    return answer.has_value();
}

bool TPHIForm::SaveDocument()
{
    if (!FTextMode)
        TreeToText();
    if (SaveDialog1.FileName.isEmpty() && !AskSaveName())
        return false;
    WriteDocument();
    return true;
}

void TPHIForm::Save1Click()
{
    if (!FTextMode)
        TreeToText();
    if (SaveDialog1.FileName.isEmpty()) {
        SaveAs1Click();
        return;
    }
    WriteDocument();
}

void TPHIForm::SaveAs1Click()
{
    if (AskSaveName())
        Save1Click();
}

void TPHIForm::New1Click()
{
    if (QuerySaveChanges())
        return;
    model_->Rebuild([](varnoke::Forest& tree) { tree.Clear(); });
    checks.Clear();
    RefreshWarningsList();
    lines_->ReplaceAll({});
    lines_->SetModified(false);
    FModified = false;
    // The new document is untitled: Save asks for a name instead of writing over the
    // last file, and a former .OBJ name no longer stops its tests.
    OpenDialog1.FileName.clear();
    SaveDialog1.FileName.clear();
}

void TPHIForm::Load1Click()
{
    if (QuerySaveChanges())
        return;
    const QFileInfo last(OpenDialog1.FileName);
    const std::optional<FileDialogAnswer> answer = prompts_.OpenFile(
        this,
        { QStringLiteral("Open Poser Hierarchy"), kHierarchyFilters,
          OpenDialog1.Filter.isEmpty() ? kHierarchyFilters.constFirst() : OpenDialog1.Filter, QStringLiteral("PHI"),
          OpenDialog1.FileName.isEmpty() ? lastOpenFolder_ : last.absolutePath(), last.fileName(), false });
    if (!answer)
        return;
    OpenDialog1.Filter = answer->filter;
    OpenAs(answer->path);
}

void TPHIForm::OpenAs(const QString& path)
{
    // A failed open keeps the names the document had, so it is not taken for that file;
    // LoadDocument fails only before it changes anything.
    const QString previous = OpenDialog1.FileName;
    lastOpenFolder_ = QFileInfo(path).absolutePath();
    OpenDialog1.FileName = path;
    try {
        LoadDocument();
    } catch (const CommandError&) {
        OpenDialog1.FileName = previous;
        throw;
    }
}

void TPHIForm::Exit1Click()
{
    close();
}

void TPHIForm::FormCloseQuery(bool& CanClose)
{
    CanClose = false;
    CanClose = !QuerySaveChanges();
}

void TPHIForm::HandleDroppedFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    if (QuerySaveChanges())
        return;
    OpenAs(paths.constFirst());
}
