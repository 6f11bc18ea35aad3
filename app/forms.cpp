#include "app/forms.h"

#include "dialogs/dialog_support.h"

#include "hierarchy/poser_paths.h"

#include <QFile>

VarnokeForms& VarnokeForms::operator=(VarnokeForms&& other) noexcept
{
    Reset();
    PHIForm = std::move(other.PHIForm);
    AboutBox = std::move(other.AboutBox);
    EditOBJForm = std::move(other.EditOBJForm);
    EditIKForm = std::move(other.EditIKForm);
    EditLevelForm = std::move(other.EditLevelForm);
    return *this;
}

VarnokeForms::~VarnokeForms()
{
    Reset();
}

void VarnokeForms::Reset()
{
    // Children of the main window: destroyed before it, so it does not destroy them twice.
    EditLevelForm.reset();
    EditIKForm.reset();
    EditOBJForm.reset();
    AboutBox.reset();
    PHIForm.reset();
}

VarnokeForms CreateForms(Prompts& prompts, const QString& programPath)
{
    VarnokeForms forms;
    forms.PHIForm = std::make_unique<TPHIForm>(prompts, programPath);
    TPHIForm* main = forms.PHIForm.get();
    const QString folder = dialog_support::FromCorePath(varnoke::ExeDirectory(dialog_support::CorePath(programPath)));
    forms.AboutBox = std::make_unique<TAboutBox>(main);
    forms.EditOBJForm = std::make_unique<TEditOBJForm>(prompts, folder, main);
    forms.EditIKForm = std::make_unique<TEditIKForm>(prompts, main);
    forms.EditLevelForm = std::make_unique<TEditLevelForm>(prompts, folder, main);
    main->AboutBox = forms.AboutBox.get();
    main->EditOBJForm = forms.EditOBJForm.get();
    main->EditIKForm = forms.EditIKForm.get();
    main->EditLevelForm = forms.EditLevelForm.get();
    return forms;
}
