#include "hierarchy/geometry_file.h"

#include "hierarchy/folder_listings.h"
#include "hierarchy/platform.h"

#include <filesystem>

#include <sys/stat.h> // _fstat64 on Windows

#ifndef _WIN32
#include <fcntl.h>
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

} // namespace

std::string ResolvePathIgnoringCase(const std::string& path, FolderListings* listings)
{
    FolderListings ownListings;
    if (!listings)
        listings = &ownListings;
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
        const std::string match
            = listings->FindIgnoringCase(platform::BytePath(resolved), platform::BytePath(component));
        if (match.empty())
            return path;
        resolved /= platform::NativePath(match);
    }
    return platform::BytePath(resolved);
}

FilePointer OpenGeometryFile(const std::string& localPath, FolderListings* listings, std::string* openedPath)
{
    std::string resolved = ResolvePathIgnoringCase(localPath, listings);
    FilePointer file = OpenRegularFile(resolved);
    if (openedPath)
        *openedPath = std::move(resolved);
    return file;
}

std::uint64_t FileSize(std::FILE* file)
{
#ifdef _WIN32
    struct _stat64 status { };
    if (!file || ::_fstat64(::_fileno(file), &status) != 0 || status.st_size < 0)
        return 0;
#else
    struct stat status { };
    if (!file || ::fstat(::fileno(file), &status) != 0 || status.st_size < 0)
        return 0;
#endif
    return static_cast<std::uint64_t>(status.st_size);
}

FilePointer OpenRegularFile(const std::string& path)
{
#ifdef _WIN32
    FilePointer file(platform::OpenRegularFileForReading(path));
    if (file)
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
#else
    // Opened without waiting and judged by what was opened, not by an earlier look at
    // the path: a FIFO put in the file's place would otherwise block the open for ever.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    return ReadingWithoutWaiting(descriptor);
#endif
}

#ifndef _WIN32
FilePointer ReadingWithoutWaiting(int descriptor)
{
    // Some files that look regular (/proc/kmsg) have no data until something happens:
    // the descriptor stays non-blocking, and a read that would wait fails instead.
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    FilePointer file(::fdopen(descriptor, "rb"));
    if (!file) {
        ::close(descriptor);
        return nullptr;
    }
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}
#endif

} // namespace varnoke
