// Generation of a first hierarchy from the groups of an OBJ file.
#include "app/document.h"
#include "app/phi_form.h"
#include "ui/browse_obj_file.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"

void TPHIForm::OBJButtonClick()
{
    document_->WriteTreeBack();
    const std::optional<FileDialogAnswer> answer
        = prompts_.OpenFile(this,
                            { {},
                              { QStringLiteral("Wavefront (*.OBJ)") },
                              {},
                              QStringLiteral("OBJ"),
                              ui::FromCorePath(document_->Poser().GeometriesFolder()),
                              {},
                              true });
    if (answer && !ui::RefusesObjOutsideRuntime(prompts_, this, answer->path) && document_->Generate(answer->path))
        TestAndChooseView();
}
