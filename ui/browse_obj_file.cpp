#include "ui/browse_obj_file.h"

#include "hierarchy/poser_paths.h"
#include "ui/poser_folder.h"
#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QDir>

namespace ui {

bool RefusesObjOutsideRuntime(Prompts& prompts, QWidget* parent, const QString& path)
{
    if (varnoke::HasRuntime(CorePath(path)))
        return false;
    prompts.Message(
        parent,
        QStringLiteral("Poser finds geometry only under a Runtime folder: %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

std::optional<QString> BrowseObjFile(Prompts& prompts, QWidget* parent, const PoserFolder& folder,
                                     const QString& poserPath, bool mustExist)
{
    const std::string local = varnoke::PoserToLocalPath(folder.Path(), ui::ToLatin1(poserPath));
    const varnoke::LocalPathParts parts = varnoke::SplitLocalPath(local);
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filters = QStringList { QStringLiteral("Wavefront (*.OBJ)") };
    request.selectedFilter = request.filters.front();
    request.defaultSuffix = QStringLiteral("OBJ");
    request.directory = ui::FromCorePath(parts.folder);
    request.fileName = ui::FromCorePath(parts.fileName);
    request.mustExist = mustExist;
    const std::optional<FileDialogAnswer> answer = prompts.OpenFile(parent, request);
    if (!answer || RefusesObjOutsideRuntime(prompts, parent, answer->path))
        return std::nullopt;
    return FromLatin1(varnoke::LocalToPoserPath(CorePath(answer->path)));
}

} // namespace ui
