// Generation of a first hierarchy from the groups of an OBJ file.
#include "app/document.h"
#include "app/phi_form.h"
#include "ui/browse_obj_file.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QDir>

void TPHIForm::OBJButtonClick()
{
    document_->WriteTreeBack();
    const std::optional<FileDialogAnswer> answer
        = prompts_.OpenFile(this,
                            { QStringLiteral("Open"),
                              { QStringLiteral("Wavefront (*.OBJ)") },
                              {},
                              QStringLiteral("OBJ"),
                              ui::FromCorePath(document_->Poser().GeometriesFolder()),
                              {},
                              true });
    if (!answer || ui::RefusesObjOutsideRuntime(prompts_, this, answer->path))
        return;
    const std::optional<std::size_t> parts = document_->Generate(answer->path);
    if (!parts)
        return;
    TestAndChooseView();
    // Otherwise only the objFile line tells that anything happened.
    if (*parts == 0)
        prompts_.Message(this,
                         QStringLiteral("%1 holds no groups (g lines): no parts were added.")
                             .arg(QDir::toNativeSeparators(answer->path)));
}
