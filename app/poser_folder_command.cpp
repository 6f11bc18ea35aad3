// "&Poser Folder...": the folder that holds Poser's Runtime, in place of the program's.
#include "app/document.h"
#include "app/phi_form.h"
#include "app/start_up.h"
#include "ui/prompts.h"
#include "ui/settings.h"
#include "ui/text_conversions.h"

#include <QAction>
#include <QDir>

namespace {

const QString kPoserFolderKey = QStringLiteral("poser/folder");

} // namespace

void TPHIForm::PoserFolder1Click()
{
    PoserFolder& poser = document_->Poser();
    const std::optional<QString> folder
        = prompts_.ChooseFolder(this, QStringLiteral("Poser Folder"), ui::FromCorePath(poser.Path()));
    if (!folder)
        return;
    // An empty answer is the way back to the program's folder.
    if (!folder->isEmpty()) {
        if (const std::optional<QString> message = UnusableFolderMessage(*folder)) {
            prompts_.Message(this, *message);
            return;
        }
        if (!HoldsRuntime(*folder)) {
            prompts_.Message(this,
                             QStringLiteral("%1 holds no Runtime folder.").arg(QDir::toNativeSeparators(*folder)));
            return;
        }
    }
    poser.Choose(*folder);
    settings_.SetValue(kPoserFolderKey, poser.Chosen());
    ShowPoserFolder();
}

void TPHIForm::RestorePoserFolder()
{
    document_->Poser().Choose(settings_.Value(kPoserFolderKey).toString());
    ShowPoserFolder();
}

void TPHIForm::ShowPoserFolder()
{
    poserFolderAction_->setStatusTip(QStringLiteral("Choose the Poser folder (now: %1)")
                                         .arg(QDir::toNativeSeparators(ui::FromCorePath(document_->Poser().Path()))));
}
