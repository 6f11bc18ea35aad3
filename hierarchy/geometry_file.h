#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace varnoke {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// The path as it exists on disk. Content made on Windows names files in any letter
// case, so a path missing as spelled is looked up component by component ignoring
// case; a path that still matches nothing comes back unchanged.
std::string ResolvePathIgnoringCase(const std::string& path);

// Opens a file for reading in binary mode. Only regular files open: a folder, a
// device or a dangling link counts as a file that cannot be opened.
FilePointer OpenRegularFile(const std::string& path);

// Opens the geometry file a hierarchy names, found as ResolvePathIgnoringCase finds it.
FilePointer OpenGeometryFile(const std::string& localPath);

} // namespace varnoke
