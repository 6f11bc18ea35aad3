#include "files/write_in_place.h"

#ifndef _WIN32

#include "files/interrupt_cleanup.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnoke::files {

namespace {

// Small enough for Cancel to answer at once, large enough to cost nothing beside the bytes.
constexpr std::size_t kPieceBytes = std::size_t { 4 } << 20;

ReplaceResult Failed(int error, ReplaceOutcome outcome, const std::string& more = {})
{
    ReplaceResult result;
    result.outcome = outcome;
    result.reason = std::strerror(error) + more;
    return result;
}

// Copies the whole of one file into another from their starts; false with errno set.
bool CopyFrom(int from, int to)
{
    if (::lseek(to, 0, SEEK_SET) != 0)
        return false;
    std::vector<char> buffer(std::size_t { 1 } << 20);
    for (off_t at = 0;;) {
        const ssize_t count = ::pread(from, buffer.data(), buffer.size(), at);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            return true;
        if (!WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(count))))
            return false;
        at += count;
    }
}

} // namespace

bool WriteAll(int descriptor, std::string_view bytes, Progress* progress, std::string_view what)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t piece = std::min(bytes.size() - written, kPieceBytes);
        const ssize_t count = ::write(descriptor, bytes.data() + written, piece);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0) {
            errno = ENOSPC;
            return false;
        }
#ifdef __linux__
        // The disk starts on each piece at once, so that the flush at the end has little left
        // to wait for, with nothing told meanwhile.
        ::sync_file_range(descriptor, ::lseek(descriptor, 0, SEEK_CUR) - count, count, SYNC_FILE_RANGE_WRITE);
#endif
        written += static_cast<std::size_t>(count);
        ReportProgress(progress, Progress::Step::WritingFile, what, written, bytes.size());
    }
    return true;
}

ReplaceResult WriteInPlace(const std::string& target, int original, std::string_view bytes, Progress* progress,
                           std::string_view what)
{
    // No interrupt may end the program between the first byte written over and the
    // last: the file would hold neither text.
    InterruptCleanup signalsHeld;
    struct Closer {
        int descriptor;
        ~Closer()
        {
            if (descriptor >= 0)
                ::close(descriptor);
        }
    };
    const Closer file { ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC) };
    if (file.descriptor < 0)
        return Failed(errno, ReplaceOutcome::CannotCreate);
    struct stat old { };
    if (::fstat(original, &old) != 0)
        return Failed(errno, ReplaceOutcome::CannotCreate);
    std::string backupPath = target + ".varnoke-backup-XXXXXX";
    const Closer backup { ::mkstemp(backupPath.data()) };
    if (backup.descriptor < 0)
        return Failed(errno, ReplaceOutcome::CannotCreate);
    if (!CopyFrom(original, backup.descriptor) || ::fsync(backup.descriptor) != 0) {
        const int reason = errno;
        ::unlink(backupPath.c_str());
        return Failed(reason, ReplaceOutcome::WriteFailed);
    }
    // Whatever stops the writing, the old text goes back.
    int restoreError = 0;
    const auto restore = [&]() {
        const bool restored = ::ftruncate(file.descriptor, old.st_size) == 0
            && CopyFrom(backup.descriptor, file.descriptor) && ::fsync(file.descriptor) == 0;
        if (restored) {
            ::unlink(backupPath.c_str());
            return std::string();
        }
        restoreError = errno;
        return "; the old text is in " + backupPath;
    };
    bool written = false;
    try {
        written = ::lseek(file.descriptor, 0, SEEK_SET) == 0 && WriteAll(file.descriptor, bytes, progress, what)
            && ::ftruncate(file.descriptor, static_cast<off_t>(bytes.size())) == 0 && ::fsync(file.descriptor) == 0;
    } catch (const Cancelled&) {
        // A stop leaves the old text; where it cannot be put back, that is told as a failure.
        if (const std::string lost = restore(); !lost.empty())
            return Failed(restoreError, ReplaceOutcome::WriteFailed, lost);
        throw;
    }
    if (!written) {
        const int reason = errno;
        return Failed(reason, ReplaceOutcome::WriteFailed, restore());
    }
    ::unlink(backupPath.c_str());
    ReplaceResult result;
    result.outcome = ReplaceOutcome::Replaced;
    result.written = StampOf(target).value_or(FileStamp {});
    return result;
}

} // namespace varnoke::files

#endif
