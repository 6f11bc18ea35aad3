#include "hierarchy/generation.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/obj_line_reader.h"
#include "hierarchy/obj_scan.h"
#include "hierarchy/part_registry.h"
#include "hierarchy/poser_paths.h"

#include <algorithm>

namespace varnoke {

namespace {

constexpr std::size_t kMaxNameInLine = 240;

std::string LevelLine(int level, std::string_view name, std::string_view rotation)
{
    return std::to_string(level) + ' ' + std::string(name.substr(0, kMaxNameInLine)) + ' ' + std::string(rotation);
}

} // namespace

int CommonSuffixLength(std::string_view a, std::string_view b)
{
    const auto mismatch = std::mismatch(a.rbegin(), a.rend(), b.rbegin(), b.rend());
    return static_cast<int>(mismatch.first - a.rbegin());
}

// A trie of the lines' names read backwards, each run of nodes without a branch or a
// name's end kept as one node whose edge spells a stretch of a line's name. Each node
// keeps the first line that reached it, which is the first line of those sharing at least
// that many final characters; every point along an edge is reached by the same lines as
// the node it leads to, so it has the same first line.
struct LevelGuesser::SuffixIndex {
    struct Node {
        std::uint32_t line = 0; // a line whose name spells the edge into the node
        std::int32_t firstLine = -1;
        std::uint32_t parent = 0;
        std::uint8_t start = 0; // the edge's first character, counted from the name's end
        std::uint8_t length = 0; // names are kept to kMaxNameInLine characters, fewer than 256
        char first = 0; // the edge's first character
    };
    static_assert(kMaxNameInLine < 256);
    std::deque<Node> nodes { Node {} };

    // The children of every node in one open-addressed table of their numbers, found by
    // their parent and the first character of their edge (the root, node 0, is no one's
    // child: 0 stands for none).
    std::vector<std::uint32_t> slots = std::vector<std::uint32_t>(64);
    int shift = 58; // 64 minus the bits of the slot count
    std::size_t used = 0;

    std::size_t SlotOf(std::uint32_t parent, char c) const
    {
        const std::size_t mask = slots.size() - 1;
        const std::uint64_t key = (static_cast<std::uint64_t>(parent) + 1) << 8 | static_cast<unsigned char>(c);
        std::size_t at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> shift);
        while (slots[at] != 0 && (nodes[slots[at]].parent != parent || nodes[slots[at]].first != c))
            at = (at + 1) & mask;
        return at;
    }
    std::uint32_t Child(std::uint32_t parent, char c) const { return slots[SlotOf(parent, c)]; }
    // Puts the node in the place of its parent's child of the same first character, if any.
    void SetChild(std::uint32_t child)
    {
        if ((used + 1) * 4 > slots.size() * 3) {
            const std::vector<std::uint32_t> old = std::move(slots);
            slots.assign(old.size() * 2, 0);
            --shift;
            for (const std::uint32_t node : old) {
                if (node)
                    slots[SlotOf(nodes[node].parent, nodes[node].first)] = node;
            }
        }
        std::uint32_t& slot = slots[SlotOf(nodes[child].parent, nodes[child].first)];
        used += slot ? 0 : 1;
        slot = child;
    }
};

namespace {

// The character of a name at a depth counted from its end.
char FromEnd(std::string_view name, std::size_t depth)
{
    return name[name.size() - 1 - depth];
}

} // namespace

LevelGuesser::LevelGuesser()
    : index_(std::make_unique<SuffixIndex>())
{
}

LevelGuesser::~LevelGuesser() = default;

void LevelGuesser::Add(int level, std::string_view partName)
{
    const std::string_view kept = partName.substr(0, kMaxNameInLine);
    const auto line = static_cast<std::uint32_t>(lines_.size());
    lines_.push_back({ names_.Add(kept), static_cast<std::uint32_t>(kept.size()), level });
    const std::string_view name = NameOf(lines_.back());
    SuffixIndex& index = *index_;
    std::deque<SuffixIndex::Node>& nodes = index.nodes;
    const auto edgeChar = [this, &nodes](std::uint32_t node, std::size_t offset) {
        const SuffixIndex::Node& n = nodes[node];
        return FromEnd(NameOf(lines_[n.line]), n.start + offset);
    };
    std::uint32_t node = 0;
    std::size_t depth = 0;
    while (depth < name.size()) {
        const char c = FromEnd(name, depth);
        std::uint32_t child = index.Child(node, c);
        if (!child) {
            nodes.push_back({ line, static_cast<std::int32_t>(line), node, static_cast<std::uint8_t>(depth),
                              static_cast<std::uint8_t>(name.size() - depth), c });
            index.SetChild(static_cast<std::uint32_t>(nodes.size() - 1));
            return;
        }
        std::uint32_t matched = 1;
        while (matched < nodes[child].length && depth + matched < name.size()
               && edgeChar(child, matched) == FromEnd(name, depth + matched))
            ++matched;
        if (matched < nodes[child].length) {
            // The name leaves the edge part way, or ends there: the edge splits in two.
            const auto upper = static_cast<std::uint32_t>(nodes.size());
            SuffixIndex::Node split = nodes[child];
            split.length = static_cast<std::uint8_t>(matched);
            nodes.push_back(split);
            index.SetChild(upper);
            nodes[child].parent = upper;
            nodes[child].start = static_cast<std::uint8_t>(nodes[child].start + matched);
            nodes[child].length = static_cast<std::uint8_t>(nodes[child].length - matched);
            nodes[child].first = edgeChar(child, 0);
            index.SetChild(child);
            child = upper;
        }
        node = child;
        depth += matched;
    }
}

int LevelGuesser::GuessLevel(std::string_view partName, int rootCount) const
{
    const SuffixIndex& index = *index_;
    std::uint32_t node = 0;
    std::size_t depth = 0;
    int bestLine = -1;
    while (depth < partName.size()) {
        const std::uint32_t child = index.Child(node, FromEnd(partName, depth));
        if (!child)
            break;
        const SuffixIndex::Node& edge = index.nodes[child];
        const std::string_view edgeName = NameOf(lines_[edge.line]);
        std::uint32_t matched = 1;
        while (matched < edge.length && depth + matched < partName.size()
               && FromEnd(edgeName, edge.start + matched) == FromEnd(partName, depth + matched))
            ++matched;
        bestLine = edge.firstLine;
        if (matched < edge.length)
            break;
        node = child;
        depth += matched;
    }
    if (bestLine >= 0)
        return lines_[static_cast<std::size_t>(bestLine)].level;
    if (lines_.empty())
        return rootCount + 1;
    // Names that begin alike are taken for siblings of a chain: one level below the last line.
    const Line& last = lines_.back();
    if (NameOf(last).substr(0, 2) == partName.substr(0, 2))
        return last.level + 1;
    return rootCount + 1;
}

std::optional<std::vector<std::string>> ReadPartList(const std::string& objFilePath, Progress* progress)
{
    // The file as chosen: its name also makes the objFile line.
    FilePointer file = OpenRegularFile(objFilePath);
    if (!file)
        return std::nullopt;
    // Each name once ignoring case, spelled as met first, kept once in the registry's blocks.
    PartRegistry names;
    ObjLineReader reader(file.get(), /*findRelativeFace=*/false);
    if (progress)
        reader.ReportTo(progress, objFilePath, FileSize(file.get()));
    ObjLine line;
    while (reader.ReadTextLine(line)) {
        const std::string name = GroupNameOfLine(line.head);
        if (!name.empty() && !names.Holds(name))
            names.Add(name);
    }
    if (reader.ReadFailed())
        return std::nullopt;
    // Folded names compared byte by byte (as unsigned values): ascending order ignoring case.
    // Their first eight folded bytes, compared first as one number, settle most comparisons
    // without reaching the names themselves.
    struct SortKey {
        std::uint64_t head;
        int index;
    };
    const auto folded = [](char c) { return static_cast<unsigned char>(FoldCase(c)); };
    std::vector<SortKey> sorted(static_cast<std::size_t>(names.Count()));
    for (int i = 0; i < names.Count(); ++i) {
        const std::string_view name = names.At(i);
        std::uint64_t head = 0;
        for (std::size_t byte = 0; byte < 8; ++byte)
            head = head << 8 | (byte < name.size() ? folded(name[byte]) : 0u);
        sorted[static_cast<std::size_t>(i)] = { head, i };
    }
    std::sort(sorted.begin(), sorted.end(), [&names, &folded](const SortKey& a, const SortKey& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const std::string_view x = names.At(a.index);
        const std::string_view y = names.At(b.index);
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                            [&folded](char p, char q) { return folded(p) < folded(q); });
    });
    std::vector<std::string> parts;
    parts.reserve(sorted.size());
    for (const SortKey& key : sorted)
        parts.emplace_back(names.At(key.index));
    return parts;
}

std::optional<GeneratedHierarchy> GenerateHierarchy(CheckState& state, const std::string& objFilePath,
                                                    Progress* progress)
{
    std::optional<std::vector<std::string>> parts = ReadPartList(objFilePath, progress);
    if (!parts) {
        state.diagnostics.AddError(0, "Couldn't open file:%s", objFilePath);
        return std::nullopt;
    }
    GeneratedHierarchy generated;
    generated.header = { "#This file generated by Varnoke V2.0", "objFile " + LocalToPoserPath(objFilePath) };

    // The root chain: each candidate found becomes the child of the one before.
    LevelGuesser guesser;
    int rootCount = 0;
    for (std::string_view candidate : RootCandidates) {
        const auto root = std::find_if(parts->begin(), parts->end(), [candidate](const std::string& part) {
            return EqualIgnoringCase(part, candidate);
        });
        if (root == parts->end())
            continue;
        ++rootCount;
        generated.levelLines.push_back(LevelLine(rootCount, *root, "yxz"));
        guesser.Add(rootCount, *root);
        parts->erase(root);
    }
    generated.levelLines.reserve(generated.levelLines.size() + parts->size());
    for (std::string& part : *parts) {
        const int level = guesser.GuessLevel(part, rootCount);
        generated.levelLines.push_back(LevelLine(level, part, "xyz"));
        guesser.Add(level, part);
        std::string().swap(part); // each name is held by its level line from now on
    }
    return generated;
}

void InsertGeneratedHierarchy(DocumentLines& lines, const GeneratedHierarchy& generated)
{
    lines.Insert(0, generated.header);
    lines.Insert(lines.Count(), generated.levelLines);
}

void InsertGeneratedHierarchy(DocumentLines& lines, GeneratedHierarchy&& generated)
{
    lines.Insert(0, std::move(generated.header));
    lines.Insert(lines.Count(), std::move(generated.levelLines));
}

} // namespace varnoke
