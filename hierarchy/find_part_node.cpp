#include "hierarchy/find_part_node.h"

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

} // namespace varnoke
