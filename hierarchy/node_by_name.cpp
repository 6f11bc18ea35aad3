#include "hierarchy/node_by_name.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/line_format.h"

namespace varnoke {

const Node* FindPartNode(const Forest& tree, std::string_view name)
{
    for (const Node* node = tree.First(); node; node = tree.Next(node)) {
        if (PartNameOfText(node->Text()) == name)
            return node;
    }
    return nullptr;
}

std::optional<std::string> LevelPartName(std::string_view text)
{
    const std::string_view rest = SkipLeadingWhiteSpace(text);
    if (RecogniseTestLine(rest) != TestLineKind::Level)
        return std::nullopt;
    LevelLineScan scan = ScanLevelLine(rest);
    if (scan.count < 2)
        return std::nullopt;
    return std::move(scan.name);
}

const Node* FindLevelNode(const Forest& tree, std::string_view name)
{
    for (const Node* node = tree.First(); node; node = tree.Next(node)) {
        const std::optional<std::string> part = LevelPartName(node->Text());
        if (part && EqualIgnoringCase(*part, name))
            return node;
    }
    return nullptr;
}

} // namespace varnoke
