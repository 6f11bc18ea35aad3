#include "hierarchy/part_index.h"

#include "hierarchy/line_format.h"

#include <functional>
#include <string>

namespace varnoke {

void PartIndex::Clear()
{
    names_.Clear();
    nodes_.clear();
    slots_.clear();
    indexed_ = 0;
}

int PartIndex::AddLevelNode(std::string_view text, int parent, int topRow)
{
    return Add(text, parent, topRow, true);
}

void PartIndex::AddTopLevelNode(std::string_view text, int row)
{
    Add(text, -1, row, false);
}

int PartIndex::Add(std::string_view text, int parent, int topRow, bool isLevel)
{
    // Every level node is kept, as a parent to come; another node only while it is the first of its name.
    const auto number = static_cast<int>(nodes_.size());
    const std::optional<std::string> name = PartNameOfText(text);
    if (!name) {
        if (!isLevel)
            return -1;
        nodes_.push_back({ 0, parent, false, true });
        return number;
    }
    if ((indexed_ + 1) * 4 > slots_.size() * 3)
        Grow();
    std::uint32_t& slot = slots_[SlotOf(*name)];
    if (slot == 0) {
        nodes_.push_back({ names_.AddPacked(*name), isLevel ? parent : topRow, true, isLevel });
        slot = static_cast<std::uint32_t>(number) + 1;
        ++indexed_;
        return number;
    }
    if (!isLevel)
        return -1; // the first of its name came before it
    const Node first = nodes_[slot - 1];
    // A level node goes to the end of the subtree of its top-level node, so it comes
    // before the top-level lines that were appended while that subtree was open.
    const bool comesFirst = !first.isLevel && first.parentOrRow > topRow;
    nodes_.push_back({ first.name, parent, true, true }); // the same bytes, kept once
    if (comesFirst)
        slot = static_cast<std::uint32_t>(number) + 1;
    return number;
}

int PartIndex::Find(std::string_view name) const
{
    if (slots_.empty())
        return -1;
    return static_cast<int>(slots_[SlotOf(name)]) - 1;
}

std::optional<std::string_view> PartIndex::ParentName(int node) const
{
    const Node& child = nodes_[static_cast<std::size_t>(node)];
    const std::int32_t parent = child.parentOrRow;
    if (!child.isLevel || parent < 0)
        return std::nullopt;
    return NameOf(nodes_[static_cast<std::size_t>(parent)]);
}

std::optional<std::string_view> PartIndex::NameOf(const Node& node) const
{
    if (!node.named)
        return std::nullopt;
    return names_.AtPacked(node.name);
}

std::size_t PartIndex::SlotOf(std::string_view name) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = std::hash<std::string_view> {}(name)&mask;
    while (slots_[at] != 0 && NameOf(nodes_[slots_[at] - 1]) != name)
        at = (at + 1) & mask;
    return at;
}

void PartIndex::Grow()
{
    const std::vector<std::uint32_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
    for (const std::uint32_t slot : old) {
        if (slot != 0)
            slots_[SlotOf(*NameOf(nodes_[slot - 1]))] = slot;
    }
}

} // namespace varnoke
