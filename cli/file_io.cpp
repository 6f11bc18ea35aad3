#include "cli/file_io.h"

#include "hierarchy/geometry_file.h"
#include "hierarchy/platform.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>

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
        if (const std::optional<std::uint64_t> size = platform::FileSize(file.get()))
            content.reserve(static_cast<std::size_t>(*size));
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

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    // Through a link, the file it names is replaced and the link stays.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(platform::NativePath(path), error);
    if (error)
        return false;
    const platform::NewFile temporary = platform::CreateFileBeside(target);
    if (temporary.descriptor < 0)
        return false;
    platform::CopyPermissions(target, temporary);
    const bool written = platform::WriteToDisk(temporary.descriptor, bytes);
    const bool closed = platform::CloseFile(temporary.descriptor);
    if (!written || !closed || !platform::MoveIntoPlace(temporary.path, target)) {
        std::filesystem::remove(temporary.path, error);
        return false;
    }
    return true;
}

} // namespace varnoke::cli
