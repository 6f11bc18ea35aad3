// Generation of a first hierarchy from the groups of an OBJ file.
#include "app/busy_cursor.h"
#include "app/phi_form.h"
#include "app/text_memo.h"
#include "dialogs/dialog_support.h"
#include "hierarchy/generation.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/poser_paths.h"

#include <QFile>

void TPHIForm::OBJButtonClick()
{
    if (!FTextMode)
        TreeToText();
    const std::string programFolder = varnoke::ExeDirectory(dialog_support::CorePath(programPath_));
    const std::string geometries = varnoke::ResolvePathIgnoringCase(programFolder + varnoke::kLocalSeparator + "runtime"
                                                                    + varnoke::kLocalSeparator + "geometries");
    OBJOpenDialog.FileName.clear();
    const std::optional<FileDialogAnswer> answer = prompts_.OpenFile(this,
                                                                     { {},
                                                                       { QStringLiteral("Wavefront (*.OBJ)") },
                                                                       {},
                                                                       QStringLiteral("OBJ"),
                                                                       dialog_support::FromCorePath(geometries),
                                                                       {},
                                                                       true });
    if (!answer)
        return;
    OBJOpenDialog.FileName = answer->path;
    std::optional<varnoke::GeneratedHierarchy> generated;
    {
        BusyCursor busy;
        generated = varnoke::GenerateHierarchy(checks, dialog_support::CorePath(answer->path));
    }
    if (!generated) {
        RefreshWarningsList();
        return;
    }
    {
        TextMemoLines::EditBlock edit(*lines_);
        varnoke::InsertGeneratedHierarchy(*lines_, *generated);
    }
    TestAndChooseView();
}
