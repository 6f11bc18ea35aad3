// New, Open, Save, Save As, Exit, dropped files, and the question that guards them.
#include "app/command_error.h"
#include "app/document.h"
#include "app/phi_form.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QFileInfo>

namespace {

const QStringList kHierarchyFilters { QStringLiteral("Poser Hierarchy (*.PHI)"), QStringLiteral("Text Files (*.TXT)"),
                                      QStringLiteral("Wavefront (*.OBJ)"), QStringLiteral("All Files (*.*)") };

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
    ChooseView(document_->Load(path));
}

bool TPHIForm::AskSaveName()
{
    const QString& savePath = document_->SavePath();
    const QFileInfo current(savePath);
    // An untitled document is saved where the last file was opened or saved, or, before
    // any, among the Poser folder's geometry.
    const QString folder = !savePath.isEmpty() ? current.absolutePath()
        : !lastFileFolder_.isEmpty()           ? lastFileFolder_
                                               : ui::FromCorePath(document_->Poser().GeometriesFolder());
    const std::optional<FileDialogAnswer> answer = prompts_.SaveFile(this,
                                                                     { QStringLiteral("Save Poser Hierarchy"),
                                                                       { kHierarchyFilters.constFirst() },
                                                                       {},
                                                                       QStringLiteral("PHI"),
                                                                       folder,
                                                                       current.fileName(),
                                                                       false });
    if (!answer)
        return false;
    document_->SetSavePath(answer->path);
    lastFileFolder_ = QFileInfo(answer->path).absolutePath();
    return true;
}

bool TPHIForm::SaveDocument()
{
    if (!FTextMode_)
        TreeToText();
    if (document_->SavePath().isEmpty() && !AskSaveName())
        return false;
    document_->Write();
    return true;
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
    const QFileInfo last(path);
    const std::optional<FileDialogAnswer> answer = prompts_.OpenFile(
        this,
        { QStringLiteral("Open Poser Hierarchy"), kHierarchyFilters,
          openFilter_.isEmpty() ? kHierarchyFilters.constFirst() : openFilter_, QStringLiteral("PHI"),
          path.isEmpty() ? lastOpenFolder_ : last.absolutePath(), last.fileName(), false });
    if (!answer)
        return;
    openFilter_ = answer->filter;
    OpenAs(answer->path);
}

void TPHIForm::OpenAs(const QString& path)
{
    // A failed open keeps the names the document had, so it is not taken for that file.
    lastOpenFolder_ = QFileInfo(path).absolutePath();
    LoadDocument(path);
    lastFileFolder_ = lastOpenFolder_;
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
