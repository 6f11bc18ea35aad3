#include "hierarchy/help_context.h"

#include "hierarchy/line_format.h"

namespace varnoke {

int HelpContextOfLine(std::string_view text)
{
    switch (ClassifyLine(text)) {
    case lkComment:
        return 6;
    case lkObjFile:
        return 2;
    case lkLevel:
        return 3;
    case lkIKChain:
        return 4;
    case lkIllegal:
    case lkEmpty:
        break;
    }
    return kHelpNoLine;
}

} // namespace varnoke
