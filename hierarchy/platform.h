#pragma once

// What differs between POSIX systems and Windows, kept in one place: file names, opening,
// writing to disk, the atomic replace, the standard streams and the program's own path.
// Paths are held as bytes everywhere else; on Windows each byte is the Latin-1 character
// of the same number, the rule the window uses for text, and names reach the system
// through its wide-character API.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke::platform {

// The system's path for a path held as bytes, and back. On Windows a character beyond
// Latin-1, which no byte stands for, comes back as '?'.
std::filesystem::path NativePath(std::string_view bytes);
std::string BytePath(const std::filesystem::path& path);

// Opens a regular file for reading in binary mode, judged by what was opened: a folder,
// a device or a FIFO does not open, and opening never waits. Null when it does not open.
std::FILE* OpenRegularFileForReading(const std::string& path);

// The size of an open file; none when the system cannot tell.
std::optional<std::uint64_t> FileSize(std::FILE* file);

// A new, empty file of the program's own beside the target, opened for writing.
struct NewFile {
    int descriptor = -1; // -1 when none could be made
    std::filesystem::path path;
};
NewFile CreateFileBeside(const std::filesystem::path& target);

// The new file gets the permissions of the existing one, if it exists (POSIX mode bits;
// on Windows the attributes follow in MoveIntoPlace).
void CopyPermissions(const std::filesystem::path& existing, const NewFile& file);

// Writes every byte and waits until they are on the disk.
bool WriteToDisk(int descriptor, std::string_view bytes);
bool CloseFile(int descriptor);

// Puts the file in the target's place in one step, the target replaced if it exists
// (a read-only target too, which stays read-only). On failure the target is untouched.
bool MoveIntoPlace(const std::filesystem::path& file, const std::filesystem::path& target);

// Standard output and error pass every byte unchanged (no LF to CR LF on Windows).
void UseBinaryStandardStreams();

// The arguments as bytes: on Windows from the wide-character command line, so a name
// with non-ASCII letters arrives whole.
std::vector<std::string> Arguments(int argc, char* argv[]);

// The running program's own path; argv[0] made absolute when the system cannot tell.
std::string ProgramPath(const char* argv0);

} // namespace varnoke::platform
