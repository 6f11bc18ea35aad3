#include "hierarchy/geometry_folders.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/platform.h"

#include <filesystem>

namespace varnoke {

namespace fs = std::filesystem;

namespace {

bool HasRuntimeFolder(const fs::path& folder)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        if (EqualIgnoringCase(platform::BytePath(entry->path().filename()), "Runtime") && entry->is_directory(error))
            return true;
    }
    return false;
}

// The root folder becomes empty, so that a geometry path joined to it starts at the root.
std::string WithoutTrailingSeparators(std::string folder)
{
    while (!folder.empty() && (folder.back() == '/' || folder.back() == kLocalSeparator))
        folder.pop_back();
    return folder;
}

} // namespace

std::optional<std::string> NearestPoserFolder(const std::string& documentPath)
{
    std::error_code error;
    fs::path folder = fs::absolute(platform::NativePath(documentPath), error).lexically_normal().parent_path();
    for (; !error && !folder.empty(); folder = folder.parent_path()) {
        if (HasRuntimeFolder(folder))
            return WithoutTrailingSeparators(platform::BytePath(folder));
        if (folder == folder.root_path())
            break;
    }
    return std::nullopt;
}

} // namespace varnoke
