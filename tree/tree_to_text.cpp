#include "tree/tree_to_text.h"

#include "hierarchy/level_prefix.h"
#include "hierarchy/line_format.h"

#include <vector>

namespace varnoke {

std::string NodeToLine(const Node& node)
{
    const std::string& text = node.Text();
    const std::optional<LevelPrefix> prefix = ReadLevelPrefix(text);
    if (!prefix || !prefix->nameStart || prefix->level < 1)
        return text;
    const std::size_t tabs = static_cast<std::size_t>(prefix->level) - 1;
    const std::size_t rest = text.size() - *prefix->nameStart;
    // As in a test, a level too deep to indent keeps its text; a typed level of two
    // billion must not cost gigabytes.
    if (tabs > kMaxIndentedLevelLine || tabs + std::to_string(prefix->level).size() + 1 + rest > kMaxIndentedLevelLine)
        return text;
    return IndentedLevelLine(prefix->level, std::string_view(text).substr(*prefix->nameStart));
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
