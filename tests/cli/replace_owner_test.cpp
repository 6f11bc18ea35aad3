// The replace that tidy -i and the window's save share, when the saver may not keep the
// file's owner: a writable file is written over in place after a backup, so it stays its
// owner's; anything else would give the file away, which needs the saver's word.
#include "files/replace_plan.h"

#include <gtest/gtest.h>

namespace {

using varnoke::files::OwnerFacts;
using varnoke::files::ReplacePlan;

TEST(ReplacePlan, OnlyAFileThatWouldChangeHandsIsWrittenInPlaceOrGivenAway)
{
    struct Case {
        bool exists, mayChown;
        std::uint32_t owner, saver;
        bool inGroup, writable;
        ReplacePlan plan;
    };
    const Case cases[] = {
        { false, false, 0, 1001, false, false, ReplacePlan::Rename }, // a new file
        { true, true, 1002, 0, false, false, ReplacePlan::Rename }, // the superuser gives it back
        { true, false, 1001, 1001, true, true, ReplacePlan::Rename }, // the saver's own file
        { true, false, 1001, 1001, false, true, ReplacePlan::InPlace }, // the saver's, another's group
        { true, false, 1001, 1001, false, false, ReplacePlan::GiveAway },
        { true, false, 0, 1001, true, true, ReplacePlan::InPlace }, // root's file, writable to all
        { true, false, 0, 1001, false, true, ReplacePlan::InPlace },
        { true, false, 0, 1001, true, false, ReplacePlan::GiveAway }, // cannot be opened for writing
    };
    for (const Case& c : cases) {
        OwnerFacts facts;
        facts.exists = c.exists;
        facts.mayChown = c.mayChown;
        facts.owner = c.owner;
        facts.saver = c.saver;
        facts.inGroup = c.inGroup;
        facts.writable = c.writable;
        EXPECT_EQ(varnoke::files::PlanReplacing(facts), c.plan) << &c - cases;
    }
}

} // namespace

#ifndef _WIN32

#include "file_bytes.h"
#include "files/replace_file.h"
#include "program_run.h"

#include <csignal>
#include <filesystem>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using varnoke::files::ReplaceOutcome;

constexpr uid_t kSaver = 1001, kOwner = 1002;
constexpr gid_t kSaversGroup = 1001, kSharedGroup = 2000;

// Replaces the file as the saver, a member of the shared group, in a child process whose
// writes fail beyond sizeLimit; the child's exit status is the outcome.
int ReplaceAsSaver(const std::string& path, const std::string& bytes, bool mayGiveAway = false,
                   rlim_t sizeLimit = RLIM_INFINITY)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = { kSharedGroup };
        const rlimit limit { sizeLimit, sizeLimit };
        ::signal(SIGXFSZ, SIG_IGN);
        if (::setgroups(1, groups) != 0 || ::setgid(kSaversGroup) != 0 || ::setuid(kSaver) != 0
            || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(99);
        const varnoke::files::ReplaceResult result
            = varnoke::files::ReplaceFile(path, bytes, nullptr, nullptr, {}, mayGiveAway);
        ::_exit(static_cast<int>(result.outcome));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

struct Owned {
    uid_t owner;
    gid_t group;
    mode_t mode;
};

Owned OwnedAs(const fs::path& file)
{
    struct stat status { };
    EXPECT_EQ(::stat(file.c_str(), &status), 0);
    return { status.st_uid, status.st_gid, static_cast<mode_t>(status.st_mode & 07777) };
}

class ReplaceByAnotherUser : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "taking another user's part needs the superuser";
        // The saver's own folder, where a rename could give the file away.
        folder_ = varnoke::testing::NewTemporaryFolder("varnoke-owner-");
        ASSERT_EQ(::chown(folder_.c_str(), kSaver, kSaversGroup), 0);
        ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
    }
    void TearDown() override
    {
        if (!folder_.empty())
            fs::remove_all(folder_);
    }
    fs::path Theirs(mode_t mode, std::string_view text = "#theirs\r\n")
    {
        const fs::path file = folder_ / "colleague.phi";
        varnoke::testing::WriteBytes(file, text);
        EXPECT_EQ(::chown(file.c_str(), kOwner, kSharedGroup), 0);
        EXPECT_EQ(::chmod(file.c_str(), mode), 0);
        return file;
    }
    std::size_t Entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {})); }

    fs::path folder_;
};

TEST_F(ReplaceByAnotherUser, AWritableFileKeepsItsOwnerGroupModeAndLinks)
{
    // The setgid bit without group execution marks no privilege: it stays too.
    for (const mode_t mode : { 0660, 0666, 02664 }) {
        SCOPED_TRACE(mode);
        const fs::path file = Theirs(mode, "#theirs, a longer text than the new one\r\n");
        const fs::path link = folder_ / "second-name.phi";
        fs::create_hard_link(file, link);
        ASSERT_EQ(ReplaceAsSaver(file, "#mine\r\n"), static_cast<int>(ReplaceOutcome::Replaced));
        const Owned owned = OwnedAs(file);
        EXPECT_EQ(owned.owner, kOwner);
        EXPECT_EQ(owned.group, kSharedGroup);
        EXPECT_EQ(owned.mode, mode);
        EXPECT_EQ(varnoke::testing::ReadBytes(file), "#mine\r\n");
        EXPECT_EQ(varnoke::testing::ReadBytes(link), "#mine\r\n");
        EXPECT_EQ(Entries(), 2U) << "no backup left";
        fs::remove(link);
    }
}

TEST_F(ReplaceByAnotherUser, AWriteThatFailsPartWayPutsTheOldTextBack)
{
    const std::string old = "#theirs\r\n1 hip xyz\r\n";
    const fs::path file = Theirs(0666, old);
    // Writes fail past 4 KiB: the old text fits, the new one does not.
    const std::string large(64 * 1024, 'x');
    ASSERT_EQ(ReplaceAsSaver(file, large, false, 4096), static_cast<int>(ReplaceOutcome::WriteFailed));
    EXPECT_EQ(varnoke::testing::ReadBytes(file), old);
    EXPECT_EQ(OwnedAs(file).owner, kOwner);
    EXPECT_EQ(Entries(), 1U) << "no backup left";
}

TEST_F(ReplaceByAnotherUser, AFileThatCannotBeWrittenInPlaceIsGivenAwayOnlyWithTheSaversWord)
{
    // A program that runs cannot be opened for writing, yet a rename may replace it.
    const fs::path file = Theirs(0777);
    fs::copy_file("/bin/sleep", file, fs::copy_options::overwrite_existing);
    ASSERT_EQ(::chmod(file.c_str(), 0777), 0);
    const pid_t running = ::fork();
    if (running == 0) {
        ::execl(file.c_str(), "sleep", "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(running, 0);
    const std::string program = varnoke::testing::ReadBytes(file);
    // Until the program runs, its file is still writable.
    const fs::path runningProgram = "/proc/" + std::to_string(running) + "/exe";
    std::error_code error;
    for (int tries = 0; tries < 500 && fs::read_symlink(runningProgram, error) != file; ++tries)
        ::usleep(10'000);
    EXPECT_EQ(ReplaceAsSaver(file, "#mine\r\n"), static_cast<int>(ReplaceOutcome::WouldGiveAway));
    EXPECT_EQ(varnoke::testing::ReadBytes(file), program);
    EXPECT_EQ(ReplaceAsSaver(file, "#mine\r\n", true), static_cast<int>(ReplaceOutcome::Replaced));
    EXPECT_EQ(varnoke::testing::ReadBytes(file), "#mine\r\n");
    EXPECT_EQ(OwnedAs(file).owner, kSaver);
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
}

} // namespace

#endif
