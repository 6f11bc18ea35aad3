#pragma once

// Runs a built program with its standard output and error going to files, and tells how it
// ended: through posix_spawn on POSIX systems, CreateProcessW on Windows.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace varnoke::testing {

#ifdef _WIN32

// A path or argument held as bytes, each the Latin-1 character of its number, as the program
// takes its own.
inline std::wstring Wide(const std::string& bytes)
{
    std::wstring wide;
    for (const char byte : bytes)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    return wide;
}

// One argument quoted as the C runtime splits a command line: backslashes are literal except
// before a quote.
inline std::wstring QuotedArgument(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(character == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(character);
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

inline HANDLE InheritedFile(const std::filesystem::path& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit { sizeof inherit, nullptr, TRUE };
    const HANDLE file = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path.string());
    return file;
}

// The exit status; -1 when ended by a signal.
inline int RunProgram(const std::vector<std::string>& arguments, const std::filesystem::path& out,
                      const std::filesystem::path& err, const std::filesystem::path& workingFolder = {})
{
    std::wstring commandLine;
    for (const std::string& argument : arguments)
        commandLine += (commandLine.empty() ? L"" : L" ") + QuotedArgument(Wide(argument));
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritedFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = InheritedFile(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = InheritedFile(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process {};
    const BOOL started
        = ::CreateProcessW(Wide(arguments.front()).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process);
    ::CloseHandle(startup.hStdInput);
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
    if (!started)
        throw std::runtime_error("cannot start " + arguments.front());
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

#else

// The exit status; -1 when ended by a signal.
inline int RunProgram(std::vector<std::string> arguments, const std::filesystem::path& out,
                      const std::filesystem::path& err, const std::filesystem::path& workingFolder = {})
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + arguments.front());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

// A new folder of its own under the system's temporary folder, its path made canonical.
inline std::filesystem::path NewTemporaryFolder(const std::string& prefix)
{
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = base / (prefix + std::to_string(random()));
        if (std::filesystem::create_directory(folder))
            return std::filesystem::canonical(folder);
    }
    throw std::runtime_error("no temporary folder");
}

// What tells one file from another on its disk (the inode number on POSIX systems), so a
// file written anew under the same name is told from the one it replaced.
inline std::optional<std::uint64_t> FileIdentity(const std::filesystem::path& path)
{
#ifdef _WIN32
    const HANDLE file = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information {};
    const BOOL known = ::GetFileInformationByHandle(file, &information);
    ::CloseHandle(file);
    if (!known)
        return std::nullopt;
    return (std::uint64_t { information.nFileIndexHigh } << 32) | information.nFileIndexLow;
#else
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_ino);
#endif
}

// Sets the file's modification time, as finely as the system keeps it (100 ns on Windows);
// false when it cannot.
inline bool SetModificationTime(const std::filesystem::path& path, std::int64_t seconds, long nanoseconds)
{
#ifdef _WIN32
    const HANDLE file
        = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // Ticks of 100 ns since 1601.
    const std::uint64_t ticks = (static_cast<std::uint64_t>(seconds) + 11'644'473'600) * 10'000'000
        + static_cast<std::uint64_t>(nanoseconds) / 100;
    const FILETIME time { static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32) };
    const BOOL set = ::SetFileTime(file, nullptr, nullptr, &time);
    ::CloseHandle(file);
    return set != 0;
#else
    const timespec times[2] = { { 0, UTIME_OMIT }, { static_cast<time_t>(seconds), nanoseconds } };
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
#endif
}

// A path written with '/' in the system's own separator.
inline std::string LocalPath(std::string path)
{
    for (char& character : path)
        if (character == '/')
            character = static_cast<char>(std::filesystem::path::preferred_separator);
    return path;
}

} // namespace varnoke::testing
