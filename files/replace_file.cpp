#include "files/replace_file.h"

#include "files/interrupt_cleanup.h"
#include "files/replace_plan.h"
#include "files/write_in_place.h"
#include "hierarchy/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// Not the system's ReplaceFileW: the function of this file.
#undef ReplaceFile
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace varnoke::files {

namespace fs = std::filesystem;

bool SameState(const FileStamp& a, const FileStamp& b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modifiedSeconds == b.modifiedSeconds
        && a.modifiedNanoseconds == b.modifiedNanoseconds;
}

namespace {

std::string Reason(int error)
{
    return std::strerror(error);
}

ReplaceResult Refused(std::string reason, ReplaceOutcome outcome = ReplaceOutcome::CannotCreate)
{
    ReplaceResult result;
    result.outcome = outcome;
    result.reason = std::move(reason);
    return result;
}

} // namespace

#ifdef _WIN32

namespace {

FileStamp StampOfHandle(HANDLE handle, bool& known)
{
    BY_HANDLE_FILE_INFORMATION information {};
    known = ::GetFileInformationByHandle(handle, &information) != 0;
    FileStamp stamp;
    if (!known)
        return stamp;
    constexpr std::uint64_t kTicksPerSecond = 10'000'000;
    const std::uint64_t ticks
        = (std::uint64_t(information.ftLastWriteTime.dwHighDateTime) << 32) | information.ftLastWriteTime.dwLowDateTime;
    stamp.device = information.dwVolumeSerialNumber;
    stamp.inode = (std::uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    stamp.size = static_cast<std::int64_t>((std::uint64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow);
    stamp.modifiedSeconds = static_cast<std::int64_t>(ticks / kTicksPerSecond);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(ticks % kTicksPerSecond) * 100;
    stamp.links = information.nNumberOfLinks;
    stamp.regular
        = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && ::GetFileType(handle) == FILE_TYPE_DISK;
    return stamp;
}

} // namespace

std::optional<FileStamp> StampOf(std::FILE* file)
{
    bool known = false;
    const FileStamp stamp = StampOfHandle(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file))), known);
    return known ? std::optional(stamp) : std::nullopt;
}

std::optional<FileStamp> StampOf(const std::string& path)
{
    const HANDLE handle
        = ::CreateFileW(platform::NativePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    bool known = false;
    const FileStamp stamp = StampOfHandle(handle, known);
    ::CloseHandle(handle);
    return known ? std::optional(stamp) : std::nullopt;
}

// A rename keeps the owner here; the writing is one call, which nothing stops.
ReplaceResult ReplaceFile(const std::string& path, std::string_view bytes, const FileStamp* reference,
                          FilePointer* original, const BeforeReplacing& beforeReplacing, bool, Progress*)
{
    // Through a link, the file it names is replaced and the link stays.
    std::error_code error;
    const fs::path target = fs::weakly_canonical(platform::NativePath(path), error);
    if (error)
        return Refused(error.message());
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return Refused(Reason(EISDIR));
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return Refused("read-only");
        if (!FilePointer(platform::OpenRegularFileForReading(platform::BytePath(target))))
            return Refused("not a regular file");
    }

    InterruptCleanup cleanup;
    const platform::NewFile temporary = platform::CreateFileBeside(target);
    if (temporary.descriptor < 0)
        return Refused(Reason(errno));
    cleanup.Register(platform::BytePath(temporary.path));
    const auto discard = [&](std::string reason, ReplaceOutcome outcome) {
        std::filesystem::remove(temporary.path, error);
        cleanup.Release();
        return Refused(std::move(reason), outcome);
    };
    const bool written = platform::WriteToDisk(temporary.descriptor, bytes);
    const int writeError = errno;
    const bool closed = platform::CloseFile(temporary.descriptor);
    if (!written || !closed)
        return discard(Reason(written ? errno : writeError), ReplaceOutcome::WriteFailed);

    if (beforeReplacing)
        beforeReplacing(path);
    const std::optional<FileStamp> now = StampOf(platform::BytePath(target));
    if (reference && (!now || !SameState(*reference, *now)))
        return discard({}, ReplaceOutcome::Changed);
    // Windows does not rename over a file that is open.
    if (original)
        original->reset();
    if (!platform::MoveIntoPlace(temporary.path, target))
        return discard(platform::LastErrorMessage(), ReplaceOutcome::CannotCreate);
    cleanup.Release();
    ReplaceResult result;
    result.outcome = ReplaceOutcome::Replaced;
    result.written = StampOf(platform::BytePath(target)).value_or(FileStamp {});
    result.otherLinks = now && now->links > 1 ? now->links - 1 : 0;
    return result;
}

#else

namespace {

FileStamp StampOfStatus(const struct stat& status)
{
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::int64_t>(status.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    stamp.links = static_cast<std::uint64_t>(status.st_nlink);
    stamp.regular = S_ISREG(status.st_mode);
    return stamp;
}

// The user may not write the file; the superuser, who may write any file, takes a file
// without any write bit as read-only, as an editor's save does.
bool IsReadOnly(const std::string& path, const struct stat& status)
{
    if (::geteuid() == 0)
        return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
}

// The extended attributes the file system lets the new file have; the others are lost.
void CopyExtendedAttributes(int from, int to)
{
    const ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t listed = ::flistxattr(from, names.data(), names.size());
    std::vector<char> value;
    for (ssize_t at = 0; at < listed; at += static_cast<ssize_t>(std::strlen(names.data() + at)) + 1) {
        const char* name = names.data() + at;
        const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(static_cast<std::size_t>(length));
        const ssize_t read = ::fgetxattr(from, name, value.data(), value.size());
        if (read >= 0)
            ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(read), 0);
    }
}

// Owner and group first (a change of owner clears the setuid and setgid bits), then the
// mode, then the attributes (a change of owner also drops a file's capabilities). A saver
// who may not give the file away keeps it, in the old group where the saver is a member.
void CopyOwnership(int from, int to, const struct stat& original)
{
    mode_t mode = original.st_mode & 07777;
    if (::fchown(to, original.st_uid, original.st_gid) != 0) {
        mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
        [[maybe_unused]] const int grouped = ::fchown(to, static_cast<uid_t>(-1), original.st_gid);
    }
    ::fchmod(to, mode);
    CopyExtendedAttributes(from, to);
}

// A new file gets the mode any program's new file gets: read and write, less the umask.
void GiveUsualMode(int descriptor)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, static_cast<mode_t>(0666 & ~mask));
}

} // namespace

std::optional<FileStamp> StampOf(std::FILE* file)
{
    struct stat status { };
    if (::fstat(::fileno(file), &status) != 0)
        return std::nullopt;
    return StampOfStatus(status);
}

std::optional<FileStamp> StampOf(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return StampOfStatus(status);
}

ReplaceResult ReplaceFile(const std::string& path, std::string_view bytes, const FileStamp* reference, FilePointer*,
                          const BeforeReplacing& beforeReplacing, bool mayGiveAway, Progress* progress)
{
    // Through a link, the file it names is replaced and the link stays.
    std::error_code error;
    const fs::path target = fs::weakly_canonical(path, error);
    if (error)
        return Refused(error.message());

    // The file as it is now gives the new one its owner, mode and attributes. It is looked
    // at before it is opened, so no device or FIFO is ever opened for it.
    struct stat status { };
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT)
        return Refused(Reason(errno));
    FilePointer current;
    if (exists) {
        if (S_ISDIR(status.st_mode))
            return Refused(Reason(EISDIR));
        if (!S_ISREG(status.st_mode))
            return Refused("not a regular file");
        if (IsReadOnly(target.string(), status))
            return Refused("read-only");
        current = OpenRegularFile(target.string());
        if (!current || ::fstat(::fileno(current.get()), &status) != 0)
            return Refused(errno != 0 ? Reason(errno) : "not a regular file");
    }

    // The file as it is right before it is replaced: not as the reference says, it is left.
    struct stat now { };
    bool present = false;
    const auto changed = [&] {
        if (beforeReplacing)
            beforeReplacing(path);
        present = ::stat(target.c_str(), &now) == 0;
        return reference && (!present || !SameState(*reference, StampOfStatus(now)));
    };
    if (current) {
        switch (PlanReplacing(OwnerFactsOf(target.string()))) {
        case ReplacePlan::Rename:
            break;
        case ReplacePlan::InPlace:
            if (changed())
                return Refused({}, ReplaceOutcome::Changed);
            return WriteInPlace(target.string(), ::fileno(current.get()), bytes, progress, path);
        case ReplacePlan::GiveAway:
            if (!mayGiveAway)
                return Refused(UserName(status.st_uid), ReplaceOutcome::WouldGiveAway);
            break;
        }
    }

    InterruptCleanup cleanup;
    std::string temporary = (target.parent_path() / ".varnoke-XXXXXX").string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return Refused(Reason(errno));
    cleanup.Register(temporary);
    const auto discard = [&](int reason, ReplaceOutcome outcome) {
        ::close(descriptor);
        ::unlink(temporary.c_str());
        cleanup.Release();
        return Refused(Reason(reason), outcome);
    };
    // The bytes before the owner: writing drops the setuid bit of a file the writer may not keep it on.
    try {
        if (!WriteAll(descriptor, bytes, progress, path))
            return discard(errno, ReplaceOutcome::WriteFailed);
    } catch (const Cancelled&) {
        discard(0, ReplaceOutcome::WriteFailed);
        throw;
    }
    if (current)
        CopyOwnership(::fileno(current.get()), descriptor, status);
    else
        GiveUsualMode(descriptor);
    struct stat written { };
    if (::fsync(descriptor) != 0)
        return discard(errno, ReplaceOutcome::WriteFailed);
    if (::fstat(descriptor, &written) != 0)
        return discard(errno, ReplaceOutcome::CannotCreate);
    if (::close(descriptor) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        cleanup.Release();
        return Refused(Reason(reason), ReplaceOutcome::WriteFailed);
    }

    const bool changedMeanwhile = changed();
    if (changedMeanwhile || (present && !S_ISREG(now.st_mode))) {
        ::unlink(temporary.c_str());
        cleanup.Release();
        return changedMeanwhile ? Refused({}, ReplaceOutcome::Changed) : Refused("not a regular file");
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        cleanup.Release();
        return Refused(Reason(reason));
    }
    cleanup.Release();
    ReplaceResult result;
    result.outcome = ReplaceOutcome::Replaced;
    result.written = StampOfStatus(written);
    result.otherLinks = present && now.st_nlink > 1 ? static_cast<std::uint64_t>(now.st_nlink) - 1 : 0;
    return result;
}

#endif

} // namespace varnoke::files
