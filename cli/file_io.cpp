#include "file_io.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnoke::cli {

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad())
        return std::nullopt;
    return std::move(content).str();
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
