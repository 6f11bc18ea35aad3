#include "cli/poser_folder.h"

#include "hierarchy/geometry_folders.h"
#include "hierarchy/poser_paths.h"

namespace varnoke::cli {

std::string WithoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == kLocalSeparator))
        folder.pop_back();
    if (folder == "/" || folder == std::string(1, kLocalSeparator))
        folder.clear();
    return folder;
}

std::string ChoosePoserFolder(const std::optional<std::string>& poserDir, const std::string& file,
                              const std::string& programPath)
{
    if (poserDir)
        return WithoutTrailingSeparator(*poserDir);
    if (std::optional<std::string> nearest = NearestPoserFolder(file))
        return *nearest;
    return ExeDirectory(programPath);
}

} // namespace varnoke::cli
