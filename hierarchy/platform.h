#pragma once

// What differs between POSIX systems and Windows, kept in one place: file names, opening,
// writing to disk, the atomic replace, the standard streams and the program's own path.
// Paths are held as bytes everywhere else; on Windows each byte is the Latin-1 character
// of the same number, the rule the window uses for text, and names reach the system
// through its wide-character API.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke::platform {

// The system's path for a path held as bytes, and back. On Windows a character beyond
// Latin-1, which no byte stands for, comes back as '?'.
std::filesystem::path NativePath(std::string_view bytes);
std::string BytePath(const std::filesystem::path& path);

#ifdef _WIN32
// The Windows side of what POSIX calls do elsewhere (the opening of regular files in
// hierarchy/geometry_file.cpp, the atomic replace in cli/replace_file.cpp).

// Opens a regular file for reading in binary mode, judged by what was opened: a folder
// or a device does not open. Others may still read, write, rename or delete the file.
std::FILE* OpenRegularFileForReading(const std::string& path);

// Whether the two open files, or the open file and the file a path names, are one.
bool SameFile(std::FILE* file, const std::filesystem::path& path);

// How many names the open file has; 0 when the system cannot tell.
unsigned LinkCount(std::FILE* file);

// The system's reason for the last failure of one of its calls.
std::string LastErrorMessage();

// A new, empty file of the program's own beside the target, opened for writing.
struct NewFile {
    int descriptor = -1; // -1 when none could be made
    std::filesystem::path path;
};
NewFile CreateFileBeside(const std::filesystem::path& target);

// Writes every byte and waits until they are on the disk.
bool WriteToDisk(int descriptor, std::string_view bytes);
bool CloseFile(int descriptor);

// Puts the file in the target's place in one step (MoveFileExW, written through), the
// target replaced if it exists, with the attributes a user sets (read-only, hidden,
// system, archive) carried over. On failure the target is untouched.
bool MoveIntoPlace(const std::filesystem::path& file, const std::filesystem::path& target);
#endif

// Standard output and error pass every byte unchanged (no LF to CR LF on Windows).
void UseBinaryStandardStreams();

// The arguments as bytes: on Windows from the wide-character command line, so a name
// with non-ASCII letters arrives whole.
std::vector<std::string> Arguments(int argc, char* argv[]);

// The running program's own path; argv[0] made absolute when the system cannot tell.
std::string ProgramPath(const char* argv0);

} // namespace varnoke::platform
