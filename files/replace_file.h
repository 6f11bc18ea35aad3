#pragma once

#include "hierarchy/geometry_file.h"
#include "hierarchy/progress.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnoke::files {

// Which file a name led to and how it was then: what a later replace compares the file
// it finds with, to tell whether another program changed or replaced it meanwhile.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0; // on Windows the file index
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t links = 0;
    bool regular = false;
};

// The same file, unchanged: device, inode, size and modification time agree.
bool SameState(const FileStamp& a, const FileStamp& b);

// The stamp of an open file; none when the system cannot tell.
std::optional<FileStamp> StampOf(std::FILE* file);
// The stamp of the file a path names, links followed; none when nothing is there.
std::optional<FileStamp> StampOf(const std::string& path);

// Runs right before the last look at the file and the rename: a test changes the file there.
using BeforeReplacing = std::function<void(const std::string& path)>;

enum class ReplaceOutcome {
    Replaced,
    Changed, // the file is not the one of the reference any more: left as it is
    CannotCreate, // refused or failed before the bytes were written (reason says why)
    WriteFailed, // the bytes could not all be written (a full disk): the old file is whole
    WouldGiveAway, // the file would become the saver's (reason: its owner): nothing written
};

struct ReplaceResult {
    ReplaceOutcome outcome = ReplaceOutcome::CannotCreate;
    std::string reason; // the system's words, or "read-only", "not a regular file"
    FileStamp written; // the file as replaced: the reference of the next replace
    std::uint64_t otherLinks = 0; // names the replaced file had besides this one, which keep the old text
};

// Puts the bytes in the place of the file the path names, atomically: through a
// temporary file beside it and a rename, so a failure leaves the old file whole. A
// symbolic link is followed: the file it names is replaced and the link stays. The new
// file keeps the old one's mode, owner, group and extended attributes (where the owner
// cannot be kept, the saver's own with the old group, without the setuid and setgid
// bits); a file that does not exist yet is made with the usual mode. A read-only file
// and anything but a regular file are refused. With a reference, a file that is not as
// the reference says right before the rename (changed, replaced, removed) is left as it
// is. The file as read may be held open by the caller: it is closed before the rename
// on Windows, which does not rename over an open file.
// Where the new file could not keep the owner or group (a saver who may not give files
// away, in a folder where the saver may make files), a writable file is written over in
// place after a backup instead (all its names get the new text); one that is not is
// given to the saver only when mayGiveAway says so. The listener hears how far the
// writing has come and may stop it (Cancelled thrown, the old file whole).
ReplaceResult ReplaceFile(const std::string& path, std::string_view bytes, const FileStamp* reference,
                          FilePointer* original = nullptr, const BeforeReplacing& beforeReplacing = {},
                          bool mayGiveAway = false, Progress* progress = nullptr);

} // namespace varnoke::files
