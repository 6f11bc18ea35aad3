#include "tree/tree_menu.h"

#include "hierarchy/line_format.h"

namespace varnoke {

TreeMenuState TreeMenuStateFor(const TreeWindow& window)
{
    const bool treeShown = !window.FTextMode;
    const Node* selected = window.selected;
    TreeMenuState menu;
    menu.Edit1 = treeShown && selected;
    menu.AddComment1 = treeShown;
    menu.AddIKChain2 = treeShown;
    if (menu.Edit1) {
        const LineKind kind = ClassifyLine(selected->Text());
        menu.Delete2 = kind != lkLevel && kind != lkObjFile;
    }
    return menu;
}

void DeleteSelectedNode(TreeWindow& window)
{
    if (Node* selected = window.selected) {
        window.selected = nullptr;
        window.tree.Delete(*selected);
        window.FModified = true;
    }
}

} // namespace varnoke
