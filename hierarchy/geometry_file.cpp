#include "hierarchy/geometry_file.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/platform.h"

#include <filesystem>

namespace varnoke {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The entry of the folder whose name equals the name ignoring case; the first in
// byte order when several do, so the choice does not depend on the listing order.
fs::path FindEntryIgnoringCase(const fs::path& folder, const fs::path& name)
{
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    fs::path best;
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::path candidate = entries->path().filename();
        if (EqualIgnoringCase(platform::BytePath(candidate), platform::BytePath(name))
            && (best.empty() || candidate < best))
            best = candidate;
    }
    return best;
}

} // namespace

std::string ResolvePathIgnoringCase(const std::string& path)
{
    const fs::path original = platform::NativePath(path);
    if (path.empty() || Exists(original))
        return path;
    fs::path resolved;
    for (const fs::path& component : original) {
        const fs::path spelled = resolved / component;
        if (component == original.root_name() || component == original.root_directory() || Exists(spelled)) {
            resolved = spelled;
            continue;
        }
        const fs::path match = FindEntryIgnoringCase(resolved, component);
        if (match.empty())
            return path;
        resolved /= match;
    }
    return platform::BytePath(resolved);
}

FilePointer OpenGeometryFile(const std::string& localPath)
{
    return OpenRegularFile(ResolvePathIgnoringCase(localPath));
}

FilePointer OpenRegularFile(const std::string& path)
{
    FilePointer file(platform::OpenRegularFileForReading(path));
    if (!file)
        return nullptr;
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

} // namespace varnoke
