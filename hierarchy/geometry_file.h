#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace varnoke {

class FolderListings;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// The path as it exists on disk. Content made on Windows names files in any letter
// case, so a path missing as spelled is looked up component by component ignoring
// case; a path that still matches nothing comes back unchanged. Of several entries that
// match a component, the first in byte order is taken. The listings read are kept in
// the given cache when there is one.
std::string ResolvePathIgnoringCase(const std::string& path, FolderListings* listings = nullptr);

// Opens a file for reading in binary mode. Only regular files open: a folder, a
// device or a dangling link counts as a file that cannot be opened. A read that would
// wait for data (a kernel file that has none yet) fails instead of waiting.
FilePointer OpenRegularFile(const std::string& path);

#ifndef _WIN32
// The descriptor (which the file then owns) made non-blocking and unbuffered for reading;
// null, the descriptor closed, when that fails.
FilePointer ReadingWithoutWaiting(int descriptor);
#endif

// The size the system gives for an open file; 0 when it cannot tell.
std::uint64_t FileSize(std::FILE* file);

// Opens the geometry file a hierarchy names, found as ResolvePathIgnoringCase finds it;
// the path found is left in openedPath when one is given.
FilePointer OpenGeometryFile(const std::string& localPath, FolderListings* listings = nullptr,
                             std::string* openedPath = nullptr);

} // namespace varnoke
