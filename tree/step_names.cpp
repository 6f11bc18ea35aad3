#include "tree/step_names.h"

#include "hierarchy/line_format.h"

namespace varnoke {

namespace {

// A hint line has room for a name, not for a whole comment.
constexpr std::size_t kLongestLabel = 40;

std::string Shortened(std::string text)
{
    if (text.size() > kLongestLabel)
        text = text.substr(0, kLongestLabel - 3) + "...";
    return text;
}

} // namespace

std::string NodeLabel(const Node& node)
{
    if (ClassifyLine(node.Text()) == lkLevel) {
        if (std::optional<std::string> name = PartNameOfText(node.Text()))
            return Shortened(std::move(*name));
    }
    return Shortened(node.Text());
}

std::string MoveStepName(const Node& node, const Node& target, bool under)
{
    return "Move " + NodeLabel(node) + (under ? " under " : " before ") + NodeLabel(target);
}

std::string EditStepName(const Node& node)
{
    return "Edit " + NodeLabel(node);
}

std::string DeleteStepName(const Node& node)
{
    return "Delete " + NodeLabel(node);
}

std::string AddCommentStepName()
{
    return "Add comment";
}

std::string AddIKChainStepName(const std::string& chainName)
{
    return "Add IK chain " + Shortened(chainName);
}

} // namespace varnoke
