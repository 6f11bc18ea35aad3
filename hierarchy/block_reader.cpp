#include "hierarchy/block_reader.h"

#include <cerrno>
#include <cstdint>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace varnoke {

BlockReader::BlockReader(std::FILE* file, std::size_t blockSize, std::size_t padding)
    : file_(file)
    , blockSize_(blockSize)
    , storage_(new char[blockSize + padding + kAlignment]())
{
    const auto address = reinterpret_cast<std::uintptr_t>(storage_.get());
    buffer_ = storage_.get() + (kAlignment - address % kAlignment) % kAlignment;
#if !defined(_WIN32) && defined(POSIX_FADV_SEQUENTIAL)
    if (file_)
        ::posix_fadvise(::fileno(file_), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

std::size_t BlockReader::ReadBlock()
{
    if (!file_)
        return 0;
#ifdef _WIN32
    const std::size_t size = std::fread(buffer_, 1, blockSize_, file_);
    failed_ = size == 0 && std::ferror(file_);
    return size;
#else
    // The file is unbuffered: its descriptor is read directly, a whole block when it can
    // be, so that a short read never splits the block into two system calls.
    const int descriptor = ::fileno(file_);
    std::size_t size = 0;
    while (size < blockSize_) {
        const ssize_t got = ::read(descriptor, buffer_ + size, blockSize_ - size);
        if (got > 0) {
            size += static_cast<std::size_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        // The end of the file, or a failure (a read that would wait counts as one) after
        // which the bytes already read still make a block.
        failed_ = got < 0 && size == 0;
        break;
    }
    return size;
#endif
}

std::string_view BlockReader::Next()
{
    if (finished_)
        return {};
    const std::size_t size = ReadBlock();
    finished_ = size == 0;
    return { buffer_, size };
}

} // namespace varnoke
