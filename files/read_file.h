#pragma once

#include "files/replace_file.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/progress.h"

#include <cstdint>
#include <limits>
#include <string>

namespace varnoke::files {

// How often a read says how far it has come.
constexpr std::uint64_t kReadReportEvery = std::uint64_t { 4 } << 20;

enum class ReadFailure {
    None,
    CannotOpen, // missing, not a regular file, or a failed read
    TooLarge, // more bytes than the caller can take
    NotEnoughMemory,
};

// A file read whole. The file stays open, so that a later look at it tells whether it
// changed since it was read.
struct WholeFile {
    FilePointer file;
    FileStamp stamp; // as reading began; size -1 when the file grew or shrank while read
    std::string bytes; // empty on a failure
    ReadFailure failure = ReadFailure::None;
    std::string reason; // of CannotOpen: the system's words, or "not a regular file"
};

// The whole content of a regular file, or why it could not be read. A read that would wait
// for data fails instead. The listener hears of every kReadReportEvery bytes read; when it
// says stop, Cancelled is thrown.
WholeFile ReadWholeFile(const std::string& path, Progress* progress = nullptr,
                        std::int64_t capacity = std::numeric_limits<std::int64_t>::max());

} // namespace varnoke::files
