#pragma once

#include "hierarchy/text_blocks.h"

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

// A list of part names that keeps order and duplicates, looked up without regard
// to letter case through a hash index, so a lookup costs the same for any size. The
// names are kept once, in large blocks; the index holds their numbers, not copies.
class PartRegistry {
public:
    void Clear();
    void Add(std::string_view name);
    void AddAll(std::initializer_list<std::string_view> names);
    // The index of the first entry equal to the name ignoring case, or -1.
    int IndexOf(std::string_view name) const;
    bool Holds(std::string_view name) const { return IndexOf(name) >= 0; }
    int Count() const { return static_cast<int>(entries_.size()); }
    std::string_view At(int index) const { return texts_.AtPacked(entries_[static_cast<std::size_t>(index)]); }
    // Copies of the names, in order.
    std::vector<std::string> Names() const;
    // Forgets every entry from the index on, as if they had never been added.
    void TruncateTo(int count);

private:
    // A slot of the index: the entry's number plus one (0 for none) in the low half, and
    // the high half of the hash of its folded name, which rules out most mismatches.
    using Slot = std::uint64_t;

    static std::uint64_t Hash(std::string_view name);
    int Find(std::string_view name, std::uint64_t hash) const;
    void Insert(std::uint32_t index, std::uint64_t hash);
    void Grow();

    TextBlocks texts_;
    std::deque<std::uint64_t> entries_; // each name packed in texts_
    std::vector<Slot> slots_;
    std::size_t indexed_ = 0; // slots in use
};

} // namespace varnoke
