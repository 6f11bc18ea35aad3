#include "cli/file_io.h"

#include "hierarchy/geometry_file.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnoke::cli {

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const FilePointer file = OpenRegularFile(path);
    if (!file)
        return std::nullopt;
    std::string content;
    try {
        // Sized once from the file: no doubling on a large file, and a file too large to
        // hold is refused at once instead of read until memory runs out.
        struct stat status { };
        if (::fstat(::fileno(file.get()), &status) == 0 && status.st_size > 0)
            content.reserve(static_cast<std::size_t>(status.st_size));
        char buffer[1 << 16];
        while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get()))
            content.append(buffer, count);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    return content;
}

namespace {

bool WriteAll(int descriptor, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return ::fsync(descriptor) == 0;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    // Through a link, the file it names is replaced and the link stays.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    if (error)
        return false;
    std::string temporary = (target.parent_path() / ".varnoke-XXXXXX").string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return false;
    struct stat original { };
    if (::stat(target.c_str(), &original) == 0)
        ::fchmod(descriptor, original.st_mode & 07777);
    const bool written = WriteAll(descriptor, bytes);
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace varnoke::cli
