// The replace that tidy -i and the window's save share, run by a user who does not own the
// file: it cannot keep the owner, so the file becomes the saver's, in the old group.
#ifndef _WIN32

#include "file_bytes.h"
#include "files/replace_file.h"
#include "program_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr uid_t kSaver = 1001, kOwner = 1002;
constexpr gid_t kSaversGroup = 1001, kSharedGroup = 2000;

// Replaces the file as the saver, a member of the shared group, in a child process.
int ReplaceAsSaver(const std::string& path, const std::string& bytes)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = { kSharedGroup };
        if (::setgroups(1, groups) != 0 || ::setgid(kSaversGroup) != 0 || ::setuid(kSaver) != 0)
            ::_exit(3);
        const varnoke::files::ReplaceResult result = varnoke::files::ReplaceFile(path, bytes, nullptr);
        ::_exit(result.outcome == varnoke::files::ReplaceOutcome::Replaced ? 0 : 4);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(ReplaceFile, ASaverWhoCannotKeepTheOwnerKeepsTheGroupAndMode)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "taking another user's part needs the superuser";
    const fs::path folder = varnoke::testing::NewTemporaryFolder("varnoke-owner-");
    fs::permissions(folder, fs::perms::all);
    struct Case {
        mode_t mode, kept;
    };
    // The setgid bit goes with the owner; the others stay.
    for (const Case& mode : { Case { 0660, 0660 }, Case { 02664, 0664 } }) {
        SCOPED_TRACE(mode.mode);
        const std::string file = (folder / "colleague.phi").string();
        varnoke::testing::WriteBytes(file, "#theirs\r\n");
        ASSERT_EQ(::chown(file.c_str(), kOwner, kSharedGroup), 0);
        ASSERT_EQ(::chmod(file.c_str(), mode.mode), 0);
        ASSERT_EQ(ReplaceAsSaver(file, "#mine\r\n"), 0);
        struct stat status { };
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_uid, kSaver);
        EXPECT_EQ(status.st_gid, kSharedGroup);
        EXPECT_EQ(status.st_mode & 07777, mode.kept);
        EXPECT_EQ(varnoke::testing::ReadBytes(file), "#mine\r\n");
    }
    fs::remove_all(folder);
}

} // namespace

#endif
