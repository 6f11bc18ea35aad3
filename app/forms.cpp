#include "app/forms.h"

VarnokeForms CreateForms(Prompts& prompts, const QString& programPath)
{
    VarnokeForms forms;
    forms.PHIForm = std::make_unique<TPHIForm>(prompts, programPath);
    forms.AboutBox = std::make_unique<TAboutBox>(forms.PHIForm.get());
    forms.PHIForm->AboutBox = forms.AboutBox.get();
    return forms;
}
