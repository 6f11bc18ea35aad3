#include "files/read_file.h"

#include "hierarchy/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <stdexcept>

namespace varnoke::files {

namespace {

// The system's reason for the open that has just failed.
std::string OpenFailure()
{
#ifdef _WIN32
    return platform::LastErrorMessage();
#else
    return std::strerror(errno);
#endif
}

// Why the path did not open: what stands there when it is no regular file (POSIX systems
// open a folder, which is then refused without a reason, and Windows calls it access
// denied), else the system's words.
std::string WhyNotOpened(const std::string& path, std::string systemReason)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(platform::NativePath(path), error);
    if (fs::is_directory(status))
        return std::strerror(EISDIR);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return "not a regular file";
    return systemReason;
}

// Reads what is left of the open file into the bytes; why it stopped short, if it did.
ReadFailure ReadRest(WholeFile& read, const std::string& path, Progress* progress, std::int64_t capacity)
{
    try {
        // Sized once from the file: no doubling on a large file, and a file too large to
        // hold is refused at once instead of read until memory runs out.
        read.bytes.reserve(static_cast<std::size_t>(read.stamp.size));
        char buffer[1 << 16];
        std::uint64_t reported = 0;
        while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, read.file.get())) {
            // A kernel file may give more than its size says, and a file may grow while read.
            if (static_cast<std::int64_t>(count) > capacity - static_cast<std::int64_t>(read.bytes.size()))
                return ReadFailure::TooLarge;
            read.bytes.append(buffer, count);
            if (read.bytes.size() - reported >= kReadReportEvery) {
                reported = read.bytes.size();
                ReportProgress(progress, Progress::Step::ReadingFile, path, reported,
                               static_cast<std::uint64_t>(read.stamp.size));
            }
        }
    } catch (const std::bad_alloc&) {
        return ReadFailure::NotEnoughMemory;
    } catch (const std::length_error&) {
        return ReadFailure::NotEnoughMemory;
    }
    if (!std::ferror(read.file.get()))
        return ReadFailure::None;
    read.reason = std::strerror(errno);
    return ReadFailure::CannotOpen;
}

} // namespace

WholeFile ReadWholeFile(const std::string& path, Progress* progress, std::int64_t capacity)
{
    WholeFile read;
    read.file = OpenRegularFile(path);
    const std::optional<FileStamp> stamp = read.file ? StampOf(read.file.get()) : std::nullopt;
    if (!stamp) {
        read.failure = ReadFailure::CannotOpen;
        read.reason = WhyNotOpened(path, OpenFailure());
    } else if (stamp->size > capacity)
        read.failure = ReadFailure::TooLarge;
    else {
        read.stamp = *stamp;
        read.failure = ReadRest(read, path, progress, capacity);
    }
    if (read.failure != ReadFailure::None)
        read.bytes = std::string();
    else if (read.bytes.size() != static_cast<std::size_t>(read.stamp.size))
        read.stamp.size = -1;
    return read;
}

} // namespace varnoke::files
