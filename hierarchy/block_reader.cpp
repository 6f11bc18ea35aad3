#include "hierarchy/block_reader.h"

namespace varnoke {

namespace {

constexpr std::size_t kBuffers = 3;

} // namespace

BlockReader::BlockReader(std::FILE* file, std::size_t blockSize, std::size_t padding)
    : file_(file)
    , blockSize_(blockSize)
    , buffers_(kBuffers)
{
    for (Buffer& buffer : buffers_) {
        buffer.bytes.resize(blockSize + padding);
        empty_.push_back(&buffer);
    }
    thread_ = std::thread(&BlockReader::ReadAhead, this);
}

BlockReader::~BlockReader()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
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
        buffer->size = file_ ? std::fread(buffer->bytes.data(), 1, blockSize_, file_) : 0;
        {
            std::lock_guard lock(mutex_);
            filled_.push_back(buffer);
        }
        changed_.notify_all();
        if (buffer->size == 0)
            return;
    }
}

std::string_view BlockReader::Next()
{
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

} // namespace varnoke
