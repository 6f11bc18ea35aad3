#include "hierarchy/geometry_file.h"

#include "hierarchy/case_fold.h"

#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        if (EqualIgnoringCase(candidate.string(), name.string()) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best;
}

} // namespace

std::string ResolvePathIgnoringCase(const std::string& path)
{
    const fs::path original(path);
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
    return resolved.string();
}

FilePointer OpenGeometryFile(const std::string& localPath)
{
    return OpenRegularFile(ResolvePathIgnoringCase(localPath));
}

FilePointer OpenRegularFile(const std::string& path)
{
#ifdef _WIN32
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return nullptr;
    FilePointer file(std::fopen(path.c_str(), "rb"));
#else
    // Opened without waiting and judged by what was opened, not by an earlier look at
    // the path: a FIFO put in the file's place would otherwise block the open for ever.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)
        || ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    FilePointer file(::fdopen(descriptor, "rb"));
    if (!file)
        ::close(descriptor);
#endif
    if (!file)
        return nullptr;
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

} // namespace varnoke
