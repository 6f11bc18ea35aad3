#include "hierarchy/part_registry.h"

#include "hierarchy/case_fold.h"

#include <stdexcept>

namespace varnoke {

namespace {

constexpr std::uint64_t kLowHalf = 0xFFFFFFFFu;

} // namespace

std::uint64_t PartRegistry::Hash(std::string_view name)
{
    // FNV-1a over the folded bytes, then mixed so that both halves depend on every byte.
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(FoldCase(c));
        hash *= 0x100000001b3u;
    }
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    return hash;
}

void PartRegistry::Clear()
{
    texts_.Clear();
    entries_.clear();
    slots_.clear();
    indexed_ = 0;
}

void PartRegistry::Grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
    indexed_ = 0;
    for (const Slot slot : old) {
        if (slot & kLowHalf)
            Insert(static_cast<std::uint32_t>((slot & kLowHalf) - 1), slot);
    }
}

void PartRegistry::Insert(std::uint32_t index, std::uint64_t hash)
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>(hash >> 32) & mask;
    while (slots_[at] & kLowHalf)
        at = (at + 1) & mask;
    slots_[at] = (hash & ~kLowHalf) | (static_cast<std::uint64_t>(index) + 1);
    ++indexed_;
}

void PartRegistry::Add(std::string_view name)
{
    if (entries_.size() >= kLowHalf - 1)
        throw std::length_error("too many part names");
    const std::uint64_t hash = Hash(name);
    const bool first = Find(name, hash) < 0;
    entries_.push_back(texts_.AddPacked(name));
    if (!first)
        return; // the index leads to the first entry of the name only
    // At most three quarters of the slots in use keep the runs of the open addressing short.
    if ((indexed_ + 1) * 4 > slots_.size() * 3)
        Grow();
    Insert(static_cast<std::uint32_t>(entries_.size() - 1), hash);
}

void PartRegistry::AddAll(std::initializer_list<std::string_view> names)
{
    for (const std::string_view name : names)
        Add(name);
}

int PartRegistry::IndexOf(std::string_view name) const
{
    return Find(name, Hash(name));
}

int PartRegistry::Find(std::string_view name, std::uint64_t hash) const
{
    if (slots_.empty())
        return -1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(hash >> 32) & mask; slots_[at] & kLowHalf; at = (at + 1) & mask) {
        const Slot slot = slots_[at];
        if ((slot & ~kLowHalf) != (hash & ~kLowHalf))
            continue;
        const int index = static_cast<int>((slot & kLowHalf) - 1);
        if (EqualIgnoringCase(At(index), name))
            return index;
    }
    return -1;
}

std::vector<std::string> PartRegistry::Names() const
{
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (int i = 0; i < Count(); ++i)
        names.emplace_back(At(i));
    return names;
}

void PartRegistry::TruncateTo(int count)
{
    if (count < 0 || count >= Count())
        return;
    texts_.TruncateTo(TextBlocks::PositionOfPacked(entries_[static_cast<std::size_t>(count)]));
    entries_.resize(static_cast<std::size_t>(count));
    // Rare (a file that fails part way): the index is built again from the entries kept.
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size(), 0);
    indexed_ = 0;
    for (const Slot slot : old) {
        const std::uint64_t index = (slot & kLowHalf);
        if (index && index - 1 < entries_.size())
            Insert(static_cast<std::uint32_t>(index - 1), slot);
    }
}

} // namespace varnoke
