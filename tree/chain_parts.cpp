#include "tree/chain_parts.h"

#include "hierarchy/level_line.h"

#include <vector>

namespace varnoke {

void AppendChainParts(CheckState& checks, std::string& text, const Node& node)
{
    std::vector<const Node*> path;
    for (const Node* part = &node; part; part = part->Parent())
        path.push_back(part);
    for (auto part = path.rbegin(); part != path.rend(); ++part) {
        LevelFields fields;
        ParseLevelLine(checks, (*part)->Text(), 0, fields);
        text += ' ';
        text += fields.name;
    }
}

} // namespace varnoke
