#include "tree/tree_to_text.h"

#include "hierarchy/line_format.h"
#include "tree/level_prefix.h"

#include <vector>

namespace varnoke {

std::string NodeToLine(const Node& node)
{
    const std::string& text = node.Text();
    const std::optional<LevelPrefix> prefix = ReadLevelPrefix(text);
    if (!prefix || !prefix->nameStart || prefix->level < 1)
        return text;
    const std::string number = std::to_string(prefix->level);
    const std::size_t tabs = static_cast<std::size_t>(prefix->level) - 1;
    // As in a test, a level too deep to indent keeps its text; a typed level of two
    // billion must not cost gigabytes.
    if (tabs > kMaxIndentedLevelLine
        || tabs + number.size() + 1 + (text.size() - *prefix->nameStart) > kMaxIndentedLevelLine)
        return text;
    std::string line(tabs, '\t');
    line += number;
    line += ' ';
    line.append(text, *prefix->nameStart);
    return line;
}

void TreeToText(const Forest& tree, DocumentLines& lines)
{
    std::vector<std::string> text;
    text.reserve(static_cast<std::size_t>(tree.NodeCount()));
    for (const Node* node = tree.First(); node; node = tree.Next(node))
        text.push_back(NodeToLine(*node));
    lines.ReplaceAll(std::move(text));
}

} // namespace varnoke
