// The one whole-file read of check, tidy and the window's Open: what it gives for each kind
// of file, and how its listener follows it, sees it grow and stops it.
#include "file_bytes.h"
#include "files/read_file.h"
#include "program_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using varnoke::files::ReadFailure;
using varnoke::files::ReadWholeFile;
using varnoke::files::WholeFile;

constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();

class ReadFile : public testing::Test {
protected:
    ReadFile()
        : root_(varnoke::testing::NewTemporaryFolder("varnoke-read-"))
    {
    }
    ~ReadFile() override
    {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    fs::path root_;
};

TEST_F(ReadFile, GivesTheBytesOfARegularFileWithinTheCapacity)
{
    using namespace std::string_literals;
    fs::create_directory(root_ / "folder");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((root_ / "fifo").c_str(), 0600), 0);
#endif
    struct Case {
        std::string name;
        std::optional<std::string> bytes; // none: made otherwise, or not at all
        std::int64_t capacity;
        ReadFailure failure;
        std::string reason = {}; // of CannotOpen; empty: any the system gives
    };
    const std::vector<Case> cases {
        { "text.phi", "1 hip yzx\r\n\0\xff"s, kUnlimited, ReadFailure::None },
        { "empty.phi", "", kUnlimited, ReadFailure::None },
        { "full.phi", "0123456789", 10, ReadFailure::None },
        { "over.phi", "0123456789", 9, ReadFailure::TooLarge },
#ifdef _WIN32
        { "missing.phi", std::nullopt, kUnlimited, ReadFailure::CannotOpen },
#else
        { "missing.phi", std::nullopt, kUnlimited, ReadFailure::CannotOpen, std::strerror(ENOENT) },
        { "fifo", std::nullopt, kUnlimited, ReadFailure::CannotOpen },
#endif
        { "folder", std::nullopt, kUnlimited, ReadFailure::CannotOpen, std::strerror(EISDIR) },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const fs::path path = root_ / test.name;
        if (test.bytes)
            varnoke::testing::WriteBytes(path, *test.bytes);
        const WholeFile read = ReadWholeFile(path.string(), nullptr, test.capacity);
        EXPECT_EQ(read.failure, test.failure);
        EXPECT_EQ(read.reason.empty(), test.failure != ReadFailure::CannotOpen);
        if (!test.reason.empty()) {
            EXPECT_EQ(read.reason, test.reason);
        }
        if (test.failure != ReadFailure::None) {
            EXPECT_EQ(read.bytes, "");
            continue;
        }
        EXPECT_EQ(read.bytes, *test.bytes);
        EXPECT_TRUE(read.file);
        const std::optional<varnoke::files::FileStamp> now = varnoke::files::StampOf(path.string());
        ASSERT_TRUE(now);
        EXPECT_TRUE(varnoke::files::SameState(read.stamp, *now));
    }
    // Refused by its size alone, before any of it is held: a file larger than memory too.
    const fs::path huge = root_ / "huge.phi";
    varnoke::testing::WriteBytes(huge, "");
    std::error_code error;
    fs::resize_file(huge, std::uintmax_t { 1 } << 43, error);
    if (!error) {
        EXPECT_EQ(ReadWholeFile(huge.string(), nullptr, 10).failure, ReadFailure::TooLarge);
    }
}

// Hears each report; at the first it appends to the file, or says stop.
class Listener : public varnoke::Progress {
public:
    Listener(std::string path, std::string appended, bool stop)
        : path_(std::move(path))
        , appended_(std::move(appended))
        , stop_(stop)
    {
    }
    bool Report(Step step, std::string_view what, std::uint64_t done, std::uint64_t total) override
    {
        EXPECT_EQ(step, Step::ReadingFile);
        EXPECT_EQ(what, path_);
        EXPECT_GT(done, last_);
        EXPECT_EQ(total, varnoke::files::kReadReportEvery + 1);
        if (last_ == 0)
            std::ofstream(path_, std::ios::app | std::ios::binary) << appended_;
        last_ = done;
        return !stop_;
    }
    std::uint64_t last_ = 0; // how far the last report said the read had come

private:
    std::string path_, appended_;
    bool stop_;
};

TEST_F(ReadFile, TheListenerFollowsTheReadAndMayStopIt)
{
    const std::string bytes(varnoke::files::kReadReportEvery + 1, 'x');
    const auto size = static_cast<std::int64_t>(bytes.size());
    struct Case {
        std::string name, appended;
        std::int64_t capacity;
        bool stop;
        std::optional<ReadFailure> failure; // none: stopped
        std::int64_t stampSize;
    };
    const std::vector<Case> cases {
        { "followed", "", kUnlimited, false, ReadFailure::None, size },
        { "grown", "more", kUnlimited, false, ReadFailure::None, -1 },
        { "grown beyond the capacity", "more", size, false, ReadFailure::TooLarge, 0 },
        { "stopped", "", kUnlimited, true, std::nullopt, 0 },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string path = (root_ / (test.name + ".phi")).string();
        varnoke::testing::WriteBytes(path, bytes);
        Listener listener(path, test.appended, test.stop);
        std::optional<WholeFile> read;
        try {
            read = ReadWholeFile(path, &listener, test.capacity);
        } catch (const varnoke::Cancelled&) {
        }
        EXPECT_GE(listener.last_, varnoke::files::kReadReportEvery);
        EXPECT_EQ(read.has_value(), test.failure.has_value());
        if (!read || !test.failure)
            continue;
        EXPECT_EQ(read->failure, *test.failure);
        if (read->failure == ReadFailure::None) {
            EXPECT_EQ(read->bytes, bytes + test.appended);
            EXPECT_EQ(read->stamp.size, test.stampSize);
        }
    }
}

} // namespace
