#include "cli/replace_file.h"

#include "cli/cli.h"
#include "cli/interrupt_cleanup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include "hierarchy/platform.h"

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

namespace varnoke::cli {

std::function<void(const std::string& path)> beforeReplacing;

#ifdef _WIN32

int ReplaceFile(const std::string& path, FileContent& original, const std::string& bytes, std::ostream& err)
{
    const auto fail = [&](const std::string& reason) {
        err << "Cannot create file " << path << ": " << reason << '\n';
        return kUsageOrUnreadable;
    };
    // Through a link, the file it names is replaced and the link stays.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(platform::NativePath(path), error);
    if (error)
        return fail(error.message());
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return fail("read-only");

    InterruptCleanup cleanup;
    const platform::NewFile temporary = platform::CreateFileBeside(target);
    if (temporary.descriptor < 0)
        return fail(std::strerror(errno));
    cleanup.Register(platform::BytePath(temporary.path));
    const auto discard = [&](const std::string& reason) {
        std::filesystem::remove(temporary.path, error);
        cleanup.Release();
        return fail(reason);
    };
    const bool written = platform::WriteToDisk(temporary.descriptor, bytes);
    const int writeError = errno;
    const bool closed = platform::CloseFile(temporary.descriptor);
    if (!written || !closed)
        return discard(std::strerror(written ? errno : writeError));

    if (beforeReplacing)
        beforeReplacing(path);
    struct stat now { };
    const bool changed = ::fstat(::fileno(original.file.get()), &now) != 0 || now.st_size != original.status.st_size
        || now.st_mtime != original.status.st_mtime || original.bytes.size() != static_cast<std::size_t>(now.st_size)
        || !platform::SameFile(original.file.get(), target);
    const unsigned links = platform::LinkCount(original.file.get());
    if (changed) {
        std::filesystem::remove(temporary.path, error);
        cleanup.Release();
        err << "File " << path << " changed while it was tidied; it is left as it is\n";
        return kUsageOrUnreadable;
    }
    // Windows does not rename over a file that is open.
    original.file.reset();
    if (!platform::MoveIntoPlace(temporary.path, target))
        return discard(platform::LastErrorMessage());
    cleanup.Release();
    if (links > 1)
        err << "varnoke-cli: warning: " << path << " has " << links - 1
            << " other hard link(s), which keep the old text\n";
    return kPassed;
}

#else

namespace {

std::string Reason(int error)
{
    return std::strerror(error);
}

bool WriteAll(int descriptor, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
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
// mode, then the attributes (a change of owner also drops a file's capabilities).
void CopyOwnership(int from, int to, const struct stat& original)
{
    mode_t mode = original.st_mode & 07777;
    if (::fchown(to, original.st_uid, original.st_gid) != 0)
        mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
    ::fchmod(to, mode);
    CopyExtendedAttributes(from, to);
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Unchanged(const struct stat& read, const struct stat& now)
{
    return SameFile(read, now) && read.st_size == now.st_size && read.st_mtim.tv_sec == now.st_mtim.tv_sec
        && read.st_mtim.tv_nsec == now.st_mtim.tv_nsec;
}

} // namespace

int ReplaceFile(const std::string& path, FileContent& original, const std::string& bytes, std::ostream& err)
{
    const auto fail = [&](const std::string& reason) {
        err << "Cannot create file " << path << ": " << reason << '\n';
        return kUsageOrUnreadable;
    };
    // Through a link, the file it names is replaced and the link stays.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    if (error)
        return fail(error.message());
    const int originalDescriptor = ::fileno(original.file.get());
    if (IsReadOnly(target.string(), original.status))
        return fail("read-only");

    InterruptCleanup cleanup;
    std::string temporary = (target.parent_path() / ".varnoke-XXXXXX").string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return fail(Reason(errno));
    cleanup.Register(temporary);
    const auto discard = [&](int reason) {
        ::close(descriptor);
        ::unlink(temporary.c_str());
        cleanup.Release();
        return fail(Reason(reason));
    };
    // The bytes before the owner: writing drops the setuid bit of a file the writer may not keep it on.
    if (!WriteAll(descriptor, bytes))
        return discard(errno);
    CopyOwnership(originalDescriptor, descriptor, original.status);
    if (::fsync(descriptor) != 0)
        return discard(errno);
    if (::close(descriptor) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        cleanup.Release();
        return fail(Reason(reason));
    }

    if (beforeReplacing)
        beforeReplacing(path);
    struct stat now {
    }, named {};
    const bool changed = ::fstat(originalDescriptor, &now) != 0 || !Unchanged(original.status, now)
        || original.bytes.size() != static_cast<std::size_t>(now.st_size) || ::stat(target.c_str(), &named) != 0
        || !SameFile(named, now);
    if (changed) {
        ::unlink(temporary.c_str());
        cleanup.Release();
        err << "File " << path << " changed while it was tidied; it is left as it is\n";
        return kUsageOrUnreadable;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        cleanup.Release();
        return fail(Reason(reason));
    }
    cleanup.Release();
    if (now.st_nlink > 1)
        err << "varnoke-cli: warning: " << path << " has " << now.st_nlink - 1
            << " other hard link(s), which keep the old text\n";
    return kPassed;
}

#endif

} // namespace varnoke::cli
