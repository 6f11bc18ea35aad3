#include "tree/ik_chain_commands.h"

#include "hierarchy/line_format.h"
#include "hierarchy/node_by_name.h"
#include "hierarchy/scan_reader.h"
#include "tree/chain_parts.h"

#include <string_view>

namespace varnoke {

namespace {

const char* const kNoHierarchy = "You must have a hierarchy built before adding an IK chain";

// The first level node, or the first level node of the part when a name is given: a
// comment or other line that carries the name is no part, and seeding the chain from it
// would leave a chain that can never be confirmed.
const Node* FirstLevelNode(const Forest& tree, std::optional<std::string_view> part = std::nullopt)
{
    for (const Node* node = tree.First(); node; node = tree.Next(node)) {
        if (ClassifyLine(node->Text()) == lkLevel && (!part || PartNameOfText(node->Text()) == *part))
            return node;
    }
    return nullptr;
}

// The chain's first part goes into the top tree, selected, and its subtree into the bottom tree.
void SeedTrees(IKChainDialog& dialog, const Node& first, bool seeding)
{
    dialog.topTree.CopySubtree(&first, nullptr);
    dialog.TopSelected = dialog.topTree.First();
    dialog.FSeeding = seeding;
    dialog.ShowTopSelection();
}

std::string_view LastSpaceSeparatedWord(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos)
        return {};
    const std::size_t space = text.rfind(' ', end);
    const std::size_t start = space == std::string_view::npos ? 0 : space + 1;
    return text.substr(start, end + 1 - start);
}

// "ikChain <name>" and the parts from the bottom tree's top down to its selected node.
std::string IKChainLineText(CheckState& checks, const IKChainDialog& dialog)
{
    std::string text = "ikChain " + dialog.name;
    if (const Node* last = dialog.BottomSelected)
        AppendChainParts(checks, text, *last);
    return text;
}

} // namespace

std::optional<std::string> StartAddIKChain(const TreeWindow& window, IKChainDialog& dialog)
{
    dialog.Clear();
    const Forest& tree = window.tree.Tree();
    const Node* selected = window.selected;
    if (selected && !selected->HasChildren())
        return "Please select the topmost part to make an IK chain";
    const Node* top = selected && ClassifyLine(selected->Text()) == lkLevel ? selected : FirstLevelNode(tree);
    // A tree of comments and objFile lines alone has no part to start a chain from.
    if (!top)
        return kNoHierarchy;
    SeedTrees(dialog, *top, false);
    return std::nullopt;
}

void AddIKChainDone(TreeWindow& window, const IKChainDialog& dialog, bool confirmed)
{
    if (!confirmed)
        return;
    window.tree.AddLastTopLevel(IKChainLineText(window.checks, dialog));
    window.Edited();
}

std::optional<std::string> FillIKChainDialog(const TreeWindow& window, const Node& node, IKChainDialog& dialog)
{
    ScanReader reader(node.Text());
    std::string keyword;
    std::string firstPart;
    dialog.Clear();
    reader.ReadWord(19, keyword);
    reader.ReadWord(39, dialog.name);
    reader.ReadWord(39, firstPart);

    const Forest& tree = window.tree.Tree();
    if (const Node* first = FirstLevelNode(tree, firstPart)) {
        SeedTrees(dialog, *first, true);
        dialog.BottomSelected = FindPartNode(dialog.bottomTree, LastSpaceSeparatedWord(node.Text()));
        dialog.FSeeding = false;
        return std::nullopt;
    }
    // The first part was renamed or removed since the chain was written.
    const Node* top = FirstLevelNode(tree);
    if (!top)
        return kNoHierarchy;
    SeedTrees(dialog, *top, false);
    return std::nullopt;
}

void EditIKChainDone(TreeWindow& window, Node& node, const IKChainDialog& dialog, bool confirmed)
{
    if (!confirmed)
        return;
    window.tree.SetText(node, IKChainLineText(window.checks, dialog));
    window.Edited();
}

} // namespace varnoke
