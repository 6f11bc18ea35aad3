#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace varnoke {

// Reads a file in blocks on a thread of its own, a few blocks ahead of the caller, so
// the system's copying of the file overlaps the caller's work on the blocks before.
// Each block is followed by `padding` readable bytes of no meaning. When no thread can
// be started (a process limit), the blocks are read on the calling thread instead.
class BlockReader {
public:
    // Starts the read-ahead thread; a test puts in one that fails as a process limit makes it fail.
    using ThreadStart = std::thread (*)(std::function<void()> work);
    static ThreadStart startThread;

    BlockReader(std::FILE* file, std::size_t blockSize, std::size_t padding);
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // The next block, valid until the next call; empty at the end of the file (or at a
    // read error, which counts as the end).
    std::string_view Next();
    // After the end: true when a read failed (or would have waited for data).
    bool Failed();

private:
    struct Buffer {
        std::vector<char> bytes;
        std::size_t size = 0;
    };
    void ReadAhead();
    std::size_t ReadBlock(Buffer& buffer);

    std::FILE* file_;
    std::size_t blockSize_;
    std::vector<Buffer> buffers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Buffer*> empty_;
    std::deque<Buffer*> filled_;
    Buffer* current_ = nullptr;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread thread_;
};

} // namespace varnoke
