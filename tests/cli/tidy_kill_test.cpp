// tidy -i killed at any moment: the file is the old text or the new one, never a mix or a
// part, and nothing but the file and a temporary file of the program's own is left.
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
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

TEST(TidyInPlace, KilledAtAnyMomentLeavesTheOldOrTheNewFileWhole)
{
    std::string pattern = (fs::temp_directory_path() / "varnoke-kill-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const fs::path root = pattern, folder = root / "fig", file = folder / "big.phi";
    fs::create_directories(folder);

    // Megabytes of indented comments, each of which tidying moves to the line start.
    std::string old;
    for (int i = 0; i < 60000; ++i)
        old += "   #note " + std::to_string(i) + " of a figure that takes a while to write\n";
    WriteBytes(file, old);
    const int status = Wait(Start({ "tidy", "--poser-dir", root.string(), file.string() }, root / "new"));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string tidied = ReadBytes(root / "new");
    ASSERT_NE(tidied, old);

    // How long one whole run takes here sets where the kills fall; the outcome must not depend on it.
    const auto started = std::chrono::steady_clock::now();
    Wait(Start({ "tidy", "-i", "--poser-dir", root.string(), file.string() }, root / "out"));
    const auto whole = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(ReadBytes(file), tidied);

    constexpr int kRounds = 16;
    int keptOld = 0, gotNew = 0, leftTemporary = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        WriteBytes(file, old);
        const pid_t child = Start({ "tidy", "-i", "--poser-dir", root.string(), file.string() }, root / "out");
        std::this_thread::sleep_for(whole * round / (kRounds - 4));
        ::kill(child, SIGKILL);
        Wait(child);

        const std::string now = ReadBytes(file);
        ASSERT_TRUE(now == old || now == tidied) << "a file of " << now.size() << " bytes is neither";
        (now == old ? keptOld : gotNew) += 1;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path() == file)
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
    fs::remove_all(root);
}

TEST(TidyInPlace, InterruptedOrTerminatedLeavesNoTemporaryFile)
{
    std::string pattern = (fs::temp_directory_path() / "varnoke-signal-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const fs::path root = pattern, folder = root / "fig", file = folder / "big.phi";
    fs::create_directories(folder);
    std::string old;
    for (int i = 0; i < 60000; ++i)
        old += "   #note " + std::to_string(i) + " of a figure that takes a while to write\n";
    WriteBytes(file, old);
    Wait(Start({ "tidy", "--poser-dir", root.string(), file.string() }, root / "new"));
    const std::string tidied = ReadBytes(root / "new");

    const auto started = std::chrono::steady_clock::now();
    Wait(Start({ "tidy", "-i", "--poser-dir", root.string(), file.string() }, root / "out"));
    const auto whole = std::chrono::steady_clock::now() - started;

    constexpr int kRounds = 16;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        WriteBytes(file, old);
        const pid_t child = Start({ "tidy", "-i", "--poser-dir", root.string(), file.string() }, root / "out");
        std::this_thread::sleep_for(whole * round / (kRounds - 4));
        const int signal = round % 2 ? SIGINT : SIGTERM;
        ::kill(child, signal);
        const int status = Wait(child);
        EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == signal)
                    || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << "status " << status;
        const std::string now = ReadBytes(file);
        EXPECT_TRUE(now == old || now == tidied) << "a file of " << now.size() << " bytes is neither";
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            EXPECT_EQ(entry.path(), file) << "left behind";
            if (entry.path() != file)
                fs::remove(entry.path());
        }
    }
    fs::remove_all(root);
}

} // namespace
