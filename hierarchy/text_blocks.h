#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace varnoke {

// Texts kept one after another in large blocks, each named by a 64-bit position: memory
// grows by a block at a time, never by copying what is kept, and a text costs its bytes.
class TextBlocks {
public:
    static constexpr std::size_t kBlockSize = std::size_t { 1 } << 20;

    // Keeps a copy of the text; its position stays valid until Clear.
    std::uint64_t Add(std::string_view text);
    std::string_view At(std::uint64_t position, std::size_t size) const
    {
        return { blocks_[static_cast<std::size_t>(position >> 32)].get() + (position & 0xFFFFFFFFu), size };
    }
    // A kept text named by one word holding both its position and its size, for texts of
    // less than a block: a list of millions of names then costs 8 bytes a name beside them.
    static constexpr std::size_t kMaxPackedSize = kBlockSize - 1;
    // Throws std::length_error for a text larger than kMaxPackedSize.
    std::uint64_t AddPacked(std::string_view text);
    std::string_view AtPacked(std::uint64_t packed) const
    {
        return At(PositionOfPacked(packed), packed & kMaxPackedSize);
    }
    // Its position as Add gives it, for TruncateTo.
    static std::uint64_t PositionOfPacked(std::uint64_t packed)
    {
        return (packed >> 40) << 32 | (packed >> 20 & kMaxPackedSize);
    }

    // Forgets every text from the position on (a position that Add gave).
    void TruncateTo(std::uint64_t position);
    // The position the next text would start at, for TruncateTo.
    std::uint64_t End() const;
    void Clear();

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::size_t> capacities_;
    std::size_t used_ = 0; // bytes used in the last block
};

} // namespace varnoke
