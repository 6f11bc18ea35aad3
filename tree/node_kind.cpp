#include "tree/node_kind.h"

#include "hierarchy/line_format.h"

namespace varnoke {

NodeKind KindOfNode(std::string_view text)
{
    switch (ClassifyLine(text)) {
    case lkComment:
        return NodeKind::comment;
    case lkObjFile:
        return NodeKind::objFile;
    case lkLevel:
        return ScanLevelLine(text).fourth == "curve" ? NodeKind::curvedPart : NodeKind::part;
    case lkIKChain:
        return NodeKind::ikChain;
    case lkIllegal:
        return NodeKind::illegal;
    case lkEmpty:
        break;
    }
    return NodeKind::empty;
}

} // namespace varnoke
