#include "hierarchy/platform.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace varnoke::platform {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path NativePath(std::string_view bytes)
{
    std::wstring wide;
    wide.reserve(bytes.size());
    for (const char byte : bytes)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    return fs::path(wide);
}

namespace {

std::string Latin1Bytes(std::wstring_view wide)
{
    std::string bytes;
    bytes.reserve(wide.size());
    for (const wchar_t character : wide)
        bytes.push_back(character <= 0xFF ? static_cast<char>(character) : '?');
    return bytes;
}

} // namespace

std::string BytePath(const fs::path& path)
{
    return Latin1Bytes(path.native());
}

std::FILE* OpenRegularFileForReading(const std::string& path)
{
    // Others may read, write, rename or delete the file meanwhile, as on POSIX systems.
    const HANDLE handle
        = ::CreateFileW(NativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information {};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &information)
        || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(handle);
        return nullptr;
    }
    const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        ::CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = ::_fdopen(descriptor, "rb");
    if (!file)
        ::_close(descriptor);
    return file;
}

namespace {

// The identity of an open file: its volume and its index there.
std::optional<std::pair<DWORD, std::uint64_t>> Identity(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information {};
    if (!::GetFileInformationByHandle(handle, &information))
        return std::nullopt;
    return std::pair { information.dwVolumeSerialNumber,
                       (std::uint64_t { information.nFileIndexHigh } << 32) | information.nFileIndexLow };
}

HANDLE HandleOf(std::FILE* file)
{
    return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
}

} // namespace

bool SameFile(std::FILE* file, const fs::path& path)
{
    const HANDLE named = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    const auto identity = Identity(named);
    ::CloseHandle(named);
    return identity && identity == Identity(HandleOf(file));
}

unsigned LinkCount(std::FILE* file)
{
    BY_HANDLE_FILE_INFORMATION information {};
    if (!::GetFileInformationByHandle(HandleOf(file), &information))
        return 0;
    return static_cast<unsigned>(information.nNumberOfLinks);
}

std::string LastErrorMessage()
{
    std::string message = std::system_category().message(static_cast<int>(::GetLastError()));
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

NewFile CreateFileBeside(const fs::path& target)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
        std::wstring name = L".varnoke-";
        for (int i = 0; i < 6; ++i)
            name.push_back(static_cast<wchar_t>(kDigits[random() % 36]));
        NewFile file { -1, target.parent_path() / name };
        const errno_t failure
            = ::_wsopen_s(&file.descriptor, file.path.c_str(),
                          _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, _S_IREAD | _S_IWRITE);
        if (failure == 0)
            return file;
        if (failure != EEXIST)
            break;
    }
    return {};
}

bool WriteToDisk(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX / 2));
        const int count = ::_write(descriptor, bytes.data(), chunk);
        if (count <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return ::_commit(descriptor) == 0;
}

bool CloseFile(int descriptor)
{
    return ::_close(descriptor) == 0;
}

bool MoveIntoPlace(const fs::path& file, const fs::path& target)
{
    // A read-only file refuses to be replaced: the flag is taken off for the replace and
    // put on the new file, with the other attributes a user sets.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const bool readOnly = exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !::SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    if (!::MoveFileExW(file.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD failure = ::GetLastError();
        if (readOnly)
            ::SetFileAttributesW(target.c_str(), attributes);
        ::SetLastError(failure);
        return false;
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
        | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (exists && (attributes & kKept) != 0)
        ::SetFileAttributesW(target.c_str(), attributes & kKept);
    return true;
}

void UseBinaryStandardStreams()
{
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

std::vector<std::string> Arguments(int argc, char* argv[])
{
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide && count == argc) {
        for (int i = 1; i < count; ++i)
            arguments.push_back(Latin1Bytes(wide[i]));
    } else {
        arguments.assign(argv + 1, argv + argc);
    }
    ::LocalFree(wide);
    return arguments;
}

std::string ProgramPath(const char* argv0)
{
    std::wstring buffer(MAX_PATH, L'\0');
    while (buffer.size() <= 1 << 15) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            break;
        if (length < buffer.size())
            return Latin1Bytes(std::wstring_view(buffer).substr(0, length));
        buffer.resize(buffer.size() * 2);
    }
    std::error_code error;
    return BytePath(fs::absolute(NativePath(argv0), error));
}

#else

fs::path NativePath(std::string_view bytes)
{
    return fs::path(bytes);
}

std::string BytePath(const fs::path& path)
{
    return path.native();
}

void UseBinaryStandardStreams() { }

std::vector<std::string> Arguments(int argc, char* argv[])
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::string ProgramPath(const char* argv0)
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.native();
    return fs::absolute(argv0, error).native();
}

#endif

} // namespace varnoke::platform
