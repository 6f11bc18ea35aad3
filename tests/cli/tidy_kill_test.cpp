// tidy -i killed at any moment: the file is the old text or the new one, never a mix or a
// part, and nothing but the file and a temporary file of the program's own is left.
#include "program_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include <csignal>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

#ifdef _WIN32
using Child = HANDLE;

// Starts varnoke-cli with its output to the given file.
Child Start(const std::vector<std::string>& arguments, const fs::path& out)
{
    std::wstring commandLine = varnoke::testing::QuotedArgument(varnoke::testing::Wide(VARNOKE_CLI_PATH));
    for (const std::string& argument : arguments)
        commandLine += L" " + varnoke::testing::QuotedArgument(varnoke::testing::Wide(argument));
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = varnoke::testing::InheritedFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = varnoke::testing::InheritedFile(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = varnoke::testing::InheritedFile(L"NUL", GENERIC_WRITE, OPEN_EXISTING);
    PROCESS_INFORMATION process {};
    const BOOL started = ::CreateProcessW(varnoke::testing::Wide(VARNOKE_CLI_PATH).c_str(), commandLine.data(), nullptr,
                                          nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    ::CloseHandle(startup.hStdInput);
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
    if (!started)
        throw std::runtime_error("varnoke-cli did not start");
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

// The exit code; the process is gone afterwards.
int Wait(Child child)
{
    ::WaitForSingleObject(child, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(child, &code);
    ::CloseHandle(child);
    return static_cast<int>(code);
}

bool ExitedWithZero(int status)
{
    return status == 0;
}

// Windows has no signals to send another process: it is ended at once, as by SIGKILL.
void Stop(Child child, int)
{
    ::TerminateProcess(child, 137);
}
constexpr int kKill = 9;
#else
using Child = pid_t;

// Starts varnoke-cli with its output to the given file.
pid_t Start(const std::vector<std::string>& arguments, const fs::path& out)
{
    std::vector<std::string> all = { VARNOKE_CLI_PATH };
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, VARNOKE_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("varnoke-cli did not start");
    return child;
}

int Wait(pid_t child)
{
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

bool ExitedWithZero(int status)
{
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Stop(Child child, int signal)
{
    ::kill(child, signal);
}
constexpr int kKill = SIGKILL;
#endif

// Megabytes of indented comments, each of which tidying moves to the line start, and how
// long one whole tidy -i of them takes here.
class TidyInPlace : public testing::Test {
protected:
    static constexpr int kRounds = 16;

    void SetUp() override
    {
        root_ = varnoke::testing::NewTemporaryFolder("varnoke-kill-");
        folder_ = root_ / "fig";
        file_ = folder_ / "big.phi";
        fs::create_directories(folder_);
        for (int i = 0; i < 60000; ++i)
            old_ += "   #note " + std::to_string(i) + " of a figure that takes a while to write\n";
        WriteBytes(file_, old_);
        const int status = Wait(Start({ "tidy", "--poser-dir", root_.string(), file_.string() }, root_ / "new"));
        ASSERT_TRUE(ExitedWithZero(status));
        tidied_ = ReadBytes(root_ / "new");
        ASSERT_NE(tidied_, old_);

        // How long one whole run takes here sets where the signals fall; the outcome must not depend on it.
        const auto started = std::chrono::steady_clock::now();
        Wait(Start({ "tidy", "-i", "--poser-dir", root_.string(), file_.string() }, root_ / "out"));
        whole_ = std::chrono::steady_clock::now() - started;
        ASSERT_EQ(ReadBytes(file_), tidied_);
    }
    void TearDown() override { fs::remove_all(root_); }

    // Starts tidy -i on the old text and sends the signal at the round's moment; the wait status.
    int SignalDuringRound(int round, int signal) const
    {
        WriteBytes(file_, old_);
        const Child child = Start({ "tidy", "-i", "--poser-dir", root_.string(), file_.string() }, root_ / "out");
        std::this_thread::sleep_for(whole_ * round / (kRounds - 4));
        Stop(child, signal);
        return Wait(child);
    }

    fs::path root_, folder_, file_;
    std::string old_, tidied_;
    std::chrono::steady_clock::duration whole_ {};
};

TEST_F(TidyInPlace, KilledAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    int keptOld = 0, gotNew = 0, leftTemporary = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        SignalDuringRound(round, kKill);
        const std::string now = ReadBytes(file_);
        ASSERT_TRUE(now == old_ || now == tidied_) << "a file of " << now.size() << " bytes is neither";
        (now == old_ ? keptOld : gotNew) += 1;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            if (entry.path() == file_)
                continue;
            // A killed run may leave its temporary file, under a name no hierarchy has.
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name.starts_with(".varnoke-") && name.size() == 15) << name;
            ++leftTemporary;
            fs::remove(entry.path());
        }
    }
    std::cout << "kills that kept the old file: " << keptOld << ", after the rename: " << gotNew
              << ", temporary files left: " << leftTemporary << '\n';
}

TEST_F(TidyInPlace, InterruptedOrTerminatedLeavesNoTemporaryFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "SIGINT and SIGTERM are POSIX; Windows sends Ctrl+C only to programs of the same console";
#else
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const int signal = round % 2 ? SIGINT : SIGTERM;
        const int status = SignalDuringRound(round, signal);
        // Ended by the signal, as without a handler, or finished before it came.
        EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == signal)
                    || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << "status " << status;
        const std::string now = ReadBytes(file_);
        EXPECT_TRUE(now == old_ || now == tidied_) << "a file of " << now.size() << " bytes is neither";
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            EXPECT_EQ(entry.path(), file_) << "left behind";
            if (entry.path() != file_)
                fs::remove(entry.path());
        }
    }
#endif
}

} // namespace
