#include "cli/file_io.h"

#include <new>
#include <stdexcept>

namespace varnoke::cli {

FileContent ReadWholeFile(const std::string& path)
{
    FileContent content;
    content.file = OpenRegularFile(path);
    std::optional<files::FileStamp> stamp;
    if (!content.file || ::fstat(::fileno(content.file.get()), &content.status) != 0
        || !(stamp = files::StampOf(content.file.get()))) {
        content.failure = ReadFailure::CannotOpen;
        return content;
    }
    content.stamp = *stamp;
    try {
        // Sized once from the file: no doubling on a large file, and a file too large to
        // hold is refused at once instead of read until memory runs out.
        if (content.status.st_size > 0)
            content.bytes.reserve(static_cast<std::size_t>(content.status.st_size));
        char buffer[1 << 16];
        while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, content.file.get()))
            content.bytes.append(buffer, count);
    } catch (const std::bad_alloc&) {
        content.failure = ReadFailure::NotEnoughMemory;
    } catch (const std::length_error&) {
        content.failure = ReadFailure::NotEnoughMemory;
    }
    if (content.failure == ReadFailure::None && std::ferror(content.file.get()))
        content.failure = ReadFailure::CannotOpen;
    if (content.failure != ReadFailure::None)
        content.bytes = std::string();
    return content;
}

std::string ReadFailureMessage(const std::string& path, ReadFailure failure)
{
    if (failure == ReadFailure::NotEnoughMemory)
        return "varnoke-cli: not enough memory to read " + path;
    return "Cannot open file " + path;
}

} // namespace varnoke::cli
