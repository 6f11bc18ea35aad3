#include "tree/obj_file_edit.h"

#include "hierarchy/line_format.h"

namespace varnoke {

std::string ObjFileDialogPath(const Node& node)
{
    return ParseObjFileLine(node.Text()).value_or(std::string());
}

std::optional<std::string> ObjFileDialogCheck(std::string_view objEdit)
{
    if (objEdit.empty())
        return "You must supply an OBJ file first.";
    return std::nullopt;
}

void EditObjFileDone(TreeWindow& window, Node& node, const std::optional<std::string>& confirmedPath)
{
    if (!confirmedPath)
        return;
    window.tree.SetText(node, "objFile " + *confirmedPath);
    window.Edited();
}

} // namespace varnoke
