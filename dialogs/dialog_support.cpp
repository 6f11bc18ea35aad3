#include "dialogs/dialog_support.h"

#include "dialogs/prompts.h"
#include "hierarchy/platform.h"
#include "hierarchy/poser_paths.h"

#include <filesystem>

namespace dialog_support {

QString FromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

std::string CorePath(const QString& path)
{
    return varnoke::platform::BytePath(std::filesystem::path(path.toStdU16String()));
}

QString FromCorePath(std::string_view path)
{
    return QString::fromStdU16String(varnoke::platform::NativePath(path).u16string());
}

std::optional<QString> BrowseObjFile(Prompts& prompts, QWidget* parent, const QString& programFolder,
                                     const QString& poserPath, bool mustExist)
{
    // UTF-8 throughout: the folder may hold any character, and the separators and
    // colons that the conversions look for are single bytes in it.
    const std::string local = varnoke::PoserToLocalPath(programFolder.toStdString(), poserPath.toStdString());
    const varnoke::LocalPathParts parts = varnoke::SplitLocalPath(local);
    FileDialogRequest request;
    request.filters = QStringList { QStringLiteral("Wavefront (*.OBJ)") };
    request.selectedFilter = request.filters.front();
    request.defaultSuffix = QStringLiteral("OBJ");
    request.directory = QString::fromStdString(parts.folder);
    request.fileName = QString::fromStdString(parts.fileName);
    request.mustExist = mustExist;
    const std::optional<FileDialogAnswer> answer = prompts.OpenFile(parent, request);
    if (!answer)
        return std::nullopt;
    return QString::fromStdString(varnoke::LocalToPoserPath(answer->path.toStdString()));
}

} // namespace dialog_support
