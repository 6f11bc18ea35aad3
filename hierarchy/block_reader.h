#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace varnoke {

// Reads a file in blocks on a thread of its own, a few blocks ahead of the caller, so
// the system's copying of the file overlaps the caller's work on the blocks before.
// Each block is followed by `padding` readable bytes of no meaning.
class BlockReader {
public:
    BlockReader(std::FILE* file, std::size_t blockSize, std::size_t padding);
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // The next block, valid until the next call; empty at the end of the file (or at a
    // read error, which counts as the end).
    std::string_view Next();

private:
    struct Buffer {
        std::vector<char> bytes;
        std::size_t size = 0;
    };
    void ReadAhead();

    std::FILE* file_;
    std::size_t blockSize_;
    std::vector<Buffer> buffers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Buffer*> empty_;
    std::deque<Buffer*> filled_;
    Buffer* current_ = nullptr;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace varnoke
