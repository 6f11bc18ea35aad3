#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace varnoke {

// Reads a file in blocks on the calling thread, each straight into one buffer aligned
// to a cache line, with large reads and a hint to the system that the file is read from
// start to end. A block small enough to stay in the processor's cache is scanned while
// it is still there. Each block is followed by `padding` readable bytes of no meaning.
class BlockReader {
public:
    BlockReader(std::FILE* file, std::size_t blockSize, std::size_t padding);
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // The next block, valid until the next call; empty at the end of the file (or at a
    // read error, which counts as the end).
    std::string_view Next();
    // After the end: true when a read failed (or would have waited for data).
    bool Failed() const { return failed_; }

private:
    std::size_t ReadBlock();

    static constexpr std::size_t kAlignment = 64;
    std::FILE* file_;
    std::size_t blockSize_;
    std::unique_ptr<char[]> storage_;
    char* buffer_ = nullptr;
    bool finished_ = false;
    bool failed_ = false;
};

} // namespace varnoke
