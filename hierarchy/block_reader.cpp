#include "hierarchy/block_reader.h"

#include <system_error>

namespace varnoke {

namespace {

constexpr std::size_t kBuffers = 3;

std::thread StartThread(std::function<void()> work)
{
    return std::thread(std::move(work));
}

} // namespace

BlockReader::ThreadStart BlockReader::startThread = StartThread;

BlockReader::BlockReader(std::FILE* file, std::size_t blockSize, std::size_t padding)
    : file_(file)
    , blockSize_(blockSize)
    , buffers_(kBuffers)
{
    for (Buffer& buffer : buffers_) {
        buffer.bytes.resize(blockSize + padding);
        empty_.push_back(&buffer);
    }
    try {
        thread_ = startThread([this] { ReadAhead(); });
    } catch (const std::system_error&) {
        // No thread to spare: Next reads each block itself.
    }
}

BlockReader::~BlockReader()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

std::size_t BlockReader::ReadBlock(Buffer& buffer)
{
    buffer.size = file_ ? std::fread(buffer.bytes.data(), 1, blockSize_, file_) : 0;
    return buffer.size;
}

void BlockReader::ReadAhead()
{
    for (;;) {
        Buffer* buffer = nullptr;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !empty_.empty(); });
            if (stopping_)
                return;
            buffer = empty_.front();
            empty_.pop_front();
        }
        ReadBlock(*buffer);
        {
            std::lock_guard lock(mutex_);
            failed_ = buffer->size == 0 && file_ && std::ferror(file_);
            filled_.push_back(buffer);
        }
        changed_.notify_all();
        if (buffer->size == 0)
            return;
    }
}

std::string_view BlockReader::Next()
{
    if (!thread_.joinable()) {
        if (current_ && current_->size == 0)
            return {};
        current_ = &buffers_.front();
        ReadBlock(*current_);
        failed_ = current_->size == 0 && file_ && std::ferror(file_);
        return { current_->bytes.data(), current_->size };
    }
    std::unique_lock lock(mutex_);
    if (current_ && current_->size == 0)
        return {};
    if (current_)
        empty_.push_back(current_);
    changed_.notify_all();
    changed_.wait(lock, [this] { return !filled_.empty(); });
    current_ = filled_.front();
    filled_.pop_front();
    return { current_->bytes.data(), current_->size };
}

bool BlockReader::Failed()
{
    std::lock_guard lock(mutex_);
    return failed_;
}

} // namespace varnoke
