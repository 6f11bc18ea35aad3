#include "cli/poser_folder.h"

#include "hierarchy/geometry_folders.h"
#include "hierarchy/poser_paths.h"

#include <filesystem>

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

PoserFolderChooser::PoserFolderChooser(std::optional<std::string> poserDir, std::string programPath)
    : poserDir_(std::move(poserDir))
    , programPath_(std::move(programPath))
{
}

std::string PoserFolderChooser::For(const std::string& file)
{
    if (poserDir_)
        return WithoutTrailingSeparator(*poserDir_);
    // The search starts at the file's folder: files of one folder share its outcome.
    std::error_code error;
    const std::string folder = std::filesystem::absolute(file, error).lexically_normal().parent_path().string();
    if (error)
        return ChoosePoserFolder(poserDir_, file, programPath_);
    const auto known = byFolder_.find(folder);
    if (known != byFolder_.end())
        return known->second;
    return byFolder_.emplace(folder, ChoosePoserFolder(poserDir_, file, programPath_)).first->second;
}

} // namespace varnoke::cli
