// New, Open, Save, Save As, Exit, dropped files, and the question that guards them.
#include "app/command_error.h"
#include "app/document.h"
#include "app/large_text.h"
#include "app/phi_form.h"
#include "app/start_up.h"
#include "files/replace_file.h"
#include "hierarchy/folder_listings.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QDir>
#include <QFileInfo>
#include <QWindow>

namespace {

const QStringList kHierarchyFilters { QStringLiteral("Poser Hierarchy (*.PHI)"), QStringLiteral("Text Files (*.TXT)"),
                                      QStringLiteral("Wavefront (*.OBJ)"), QStringLiteral("All Files (*.*)") };

// Where a file dialog starts: beside the document's file; for an untitled document where
// the last file was opened or saved (in an earlier run, perhaps, and gone since), or,
// before any, among the Poser folder's geometry.
QString StartFolder(const QString& documentPath, const QString& lastFileFolder, const PoserFolder& poser)
{
    if (!documentPath.isEmpty())
        return QFileInfo(documentPath).absolutePath();
    return QFileInfo(lastFileFolder).isDir() ? lastFileFolder : ui::FromCorePath(poser.GeometriesFolder());
}

// The file that a name chosen to save to would replace, if any. Poser ignores letter case
// in paths, so a file whose name differs only in letter case is that file: written
// beside it, a second name would hold another text for the same Poser path.
std::optional<QString> FileToReplace(const QString& chosen)
{
    const QFileInfo chosenInfo(chosen);
    const std::string entry
        = varnoke::EntryIgnoringCase(ui::CorePath(chosenInfo.absolutePath()), ui::CorePath(chosenInfo.fileName()));
    if (entry.empty())
        return std::nullopt;
    const QString path = chosen.chopped(chosenInfo.fileName().size()) + ui::FromCorePath(entry);
    if (QFileInfo(path).isDir())
        return std::nullopt;
    return path;
}

} // namespace

bool TPHIForm::QuerySaveChanges()
{
    if (!document_->IsModified())
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

void TPHIForm::LoadDocument(const QString& path)
{
    if (const std::optional<QString> message = UnusableFolderMessage(path))
        throw CommandError(*message);
    ChooseView(document_->Load(path));
}

bool TPHIForm::AskSaveName()
{
    const QString& savePath = document_->SavePath();
    FileDialogRequest request { QStringLiteral("Save Poser Hierarchy"),
                                { kHierarchyFilters.constFirst() },
                                {},
                                QStringLiteral("PHI"),
                                StartFolder(savePath, lastFileFolder_, document_->Poser()),
                                QFileInfo(savePath).fileName(),
                                false };
    for (;;) {
        const std::optional<FileDialogAnswer> answer = prompts_.SaveFile(this, request);
        if (!answer)
            return false;
        const std::optional<QString> replaced = FileToReplace(answer->path);
        if (!replaced
            || prompts_.ConfirmReplace(this, request.title,
                                       QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                           .arg(QFileInfo(*replaced).fileName()))) {
            const QString path = replaced.value_or(answer->path);
            document_->SetSavePath(path);
            RememberFileFolder(QFileInfo(path).absolutePath());
            return true;
        }
        // Back to the dialog with the name as chosen, as after the toolkit's own question.
        const QFileInfo chosen(answer->path);
        request.directory = chosen.absolutePath();
        request.fileName = chosen.fileName();
    }
}

bool TPHIForm::SaveDocument()
{
    document_->WriteTreeBack();
    if (document_->SavePath().isEmpty() && !AskSaveName())
        return false;
    return WriteDocument();
}

bool TPHIForm::WriteDocument()
{
    bool overwrite = false;
    bool giveAway = false;
    // Asked again when the file changes between the look and the write.
    for (;;) {
        const Document::SaveTarget target = document_->InspectSaveTarget();
        const QString& path = document_->SavePath();
        const QString shown = QDir::toNativeSeparators(path);
        if ((target.changed || target.deleted) && !overwrite) {
            const QString question = target.deleted
                ? QStringLiteral("%1 was deleted since it was opened. Save it again?")
                : QStringLiteral("%1 has changed on disk since it was opened. Overwrite it?");
            if (!prompts_.ConfirmYesNo(this, question.arg(shown)))
                return false;
            overwrite = true;
        }
        if (target.otherLinks > 0) {
            prompts_.Message(this,
                             QStringLiteral("%1 has %2 other hard link(s), which keep the old text.")
                                 .arg(shown)
                                 .arg(target.otherLinks));
            document_->LinksTold();
        }
        const Document::WriteResult result = document_->Write(overwrite, giveAway);
        if (result.written) {
            RememberFile(path);
            return true;
        }
        if (!result.owner.isEmpty()) {
            if (!prompts_.ConfirmYesNo(
                    this,
                    QStringLiteral("%1 belongs to %2; saving makes it yours. Save anyway?").arg(shown, result.owner)))
                return false;
            giveAway = true;
        }
    }
}

void TPHIForm::Save1Click()
{
    SaveDocument();
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
    document_->Clear();
}

void TPHIForm::Load1Click()
{
    if (QuerySaveChanges())
        return;
    const QString& path = document_->Path();
    const std::optional<FileDialogAnswer> answer = prompts_.OpenFile(
        this,
        { QStringLiteral("Open Poser Hierarchy"), kHierarchyFilters,
          kHierarchyFilters.contains(openFilter_) ? openFilter_ : kHierarchyFilters.constFirst(), QStringLiteral("PHI"),
          StartFolder(path, lastFileFolder_, document_->Poser()), QFileInfo(path).fileName(), false });
    if (!answer || !OpenLargeFileAnyway(answer->path))
        return;
    RememberOpenFilter(answer->filter);
    OpenAs(answer->path);
}

bool TPHIForm::OpenLargeFileAnyway(const QString& path)
{
    const std::optional<varnoke::files::FileStamp> stamp = varnoke::files::StampOf(ui::CorePath(path));
    if (!stamp || !stamp->regular || stamp->size <= kLargeText)
        return true;
    return prompts_.ConfirmYesNo(this,
                                 QStringLiteral("%1 is %2 MB. Open it as text anyway?")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(RoundedMegabytes(stamp->size)));
}

bool TPHIForm::PasteLargeTextAnyway(std::int64_t characters)
{
    return prompts_.ConfirmYesNo(
        this, QStringLiteral("The text to paste is %1 MB. Paste it anyway?").arg(RoundedMegabytes(characters)));
}

void TPHIForm::OpenAs(const QString& path)
{
    // A failed open keeps the names the document had, so it is not taken for that file,
    // and the folder where the dialogs start.
    LoadDocument(path);
    RememberFileFolder(QFileInfo(path).absolutePath());
    RememberFile(path);
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

void TPHIForm::CloseAfterForcedDestroy()
{
    // A new native window brings it back, so "Save Changes?" has a window to stand on
    // and Cancel leaves the user with the document in view.
    hide();
    if (QWindow* handle = windowHandle())
        handle->destroy();
    show();
    close();
}

void TPHIForm::HandleDroppedFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    if (QuerySaveChanges() || !OpenLargeFileAnyway(paths.constFirst()))
        return;
    OpenAs(paths.constFirst());
}
