#include "hierarchy/text_blocks.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace varnoke {

std::uint64_t TextBlocks::Add(std::string_view text)
{
    if (blocks_.empty() || capacities_.back() - used_ < text.size()) {
        // A text larger than a block gets a block of its own size.
        const std::size_t capacity = std::max(kBlockSize, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity));
        capacities_.push_back(capacity);
        used_ = 0;
    }
    const std::uint64_t position = static_cast<std::uint64_t>(blocks_.size() - 1) << 32 | used_;
    if (!text.empty())
        std::memcpy(blocks_.back().get() + used_, text.data(), text.size());
    used_ += text.size();
    return position;
}

std::uint64_t TextBlocks::AddPacked(std::string_view text)
{
    static_assert(kBlockSize == std::size_t { 1 } << 20, "20 bits for the offset and for the size");
    if (text.size() > kMaxPackedSize || blocks_.size() >= (std::size_t { 1 } << 24) - 1)
        throw std::length_error("text too large to keep packed");
    const std::uint64_t position = Add(text);
    // A text of less than a block never gets a block of its own, so its offset is under 2^20.
    return (position >> 32) << 40 | (position & kMaxPackedSize) << 20 | text.size();
}

std::uint64_t TextBlocks::End() const
{
    return blocks_.empty() ? 0 : static_cast<std::uint64_t>(blocks_.size() - 1) << 32 | used_;
}

void TextBlocks::TruncateTo(std::uint64_t position)
{
    if (blocks_.empty())
        return;
    const auto block = static_cast<std::size_t>(position >> 32);
    blocks_.resize(block + 1);
    capacities_.resize(block + 1);
    used_ = static_cast<std::size_t>(position & 0xFFFFFFFFu);
}

void TextBlocks::Clear()
{
    blocks_.clear();
    capacities_.clear();
    used_ = 0;
}

} // namespace varnoke
