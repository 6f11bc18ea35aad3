#include "tree_to_text.h"

#include "level_prefix.h"
#include "line_format.h"

#include <algorithm>
#include <vector>

namespace varnoke {

std::string NodeToLine(const Node& node)
{
    const std::string& text = node.Text();
    const std::optional<LevelPrefix> prefix = ReadLevelPrefix(text);
    if (!prefix || !prefix->nameStart || prefix->level < 1)
        return text;
    // A line with more tabs than a test accepts characters fails the test either way,
    // and a typed level of two billion must not cost gigabytes.
    const auto tabs = std::min(static_cast<std::size_t>(prefix->level - 1), kMaxLineLength);
    std::string line(tabs, '\t');
    line += std::to_string(prefix->level);
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
