#include "hierarchy/text_blocks.h"

#include <algorithm>
#include <cstring>

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
