#include "hierarchy/help_context.h"

#include "hierarchy/line_format.h"

namespace varnoke {

int HelpContextOfLine(std::string_view text)
{
    switch (ClassifyLine(text)) {
    case lkComment:
        return kHelpComment;
    case lkObjFile:
        return kHelpObjFile;
    case lkLevel:
        return kHelpLevel;
    case lkIKChain:
        return kHelpIKChain;
    case lkIllegal:
    case lkEmpty:
        break;
    }
    return kHelpNoLine;
}

} // namespace varnoke
