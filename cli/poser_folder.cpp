#include "cli/poser_folder.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/poser_paths.h"

#include <filesystem>

namespace varnoke::cli {

namespace fs = std::filesystem;

namespace {

bool HasRuntimeFolder(const fs::path& folder)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        if (EqualIgnoringCase(entry->path().filename().string(), "Runtime") && entry->is_directory(error))
            return true;
    }
    return false;
}

} // namespace

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
    std::error_code error;
    fs::path folder = fs::absolute(file, error).lexically_normal().parent_path();
    for (; !error && !folder.empty(); folder = folder.parent_path()) {
        if (HasRuntimeFolder(folder))
            return WithoutTrailingSeparator(folder.string());
        if (folder == folder.root_path())
            break;
    }
    return ExeDirectory(programPath);
}

} // namespace varnoke::cli
