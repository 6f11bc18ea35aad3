#pragma once

#include "files/replace_file.h"
#include "hierarchy/geometry_file.h"

#include <optional>
#include <string>

#include <sys/stat.h>

namespace varnoke::cli {

enum class ReadFailure { None, CannotOpen, NotEnoughMemory };

// A file read whole. The file stays open, so that a later look at the descriptor tells
// whether it changed since it was read.
struct FileContent {
    FilePointer file;
    struct stat status { }; // as the file was when its reading began
    files::FileStamp stamp; // the same, as a replace compares it
    std::string bytes;
    ReadFailure failure = ReadFailure::None;
};

// The whole content of a regular file, or why it could not be read.
FileContent ReadWholeFile(const std::string& path);

// What standard error says of a file that could not be read.
std::string ReadFailureMessage(const std::string& path, ReadFailure failure);

} // namespace varnoke::cli
