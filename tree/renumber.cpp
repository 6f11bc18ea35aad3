#include "tree/renumber.h"

#include "hierarchy/level_prefix.h"
#include "hierarchy/scan_reader.h"

#include <vector>

namespace varnoke {

namespace {

void Renumber(TreeEdits& edits, Node& node)
{
    const std::string& text = node.Text();
    const std::optional<LevelPrefix> prefix = ReadLevelPrefix(text);
    if (!prefix)
        return;
    // Wider than int, so a parent at the largest level still gets one more.
    const long long parentLevel = node.Parent() ? LeadingNumber(node.Parent()->Text()) : 0;
    std::string renumbered = std::to_string(parentLevel + 1);
    if (prefix->nameStart) {
        renumbered += ' ';
        renumbered.append(text, *prefix->nameStart);
    }
    edits.SetText(node, std::move(renumbered));
}

} // namespace

void RenumberSubtree(TreeEdits& edits, Node& node)
{
    // Pre-order, parents before their children, with no recursion however deep the subtree.
    std::vector<Node*> pending { &node };
    while (!pending.empty()) {
        Node* next = pending.back();
        pending.pop_back();
        Renumber(edits, *next);
        for (int i = next->ChildCount() - 1; i >= 0; --i)
            pending.push_back(next->Child(i));
    }
}

} // namespace varnoke
