#include "tree/tree_menu.h"

#include "hierarchy/line_format.h"

namespace varnoke {

TreeMenuState TreeMenuStateFor(const TreeWindow& window)
{
    const bool treeShown = !window.FTextMode;
    const Node* selected = window.selected;
    TreeMenuState menu;
    menu.edit = treeShown && selected;
    menu.addComment = treeShown;
    menu.addIKChain = treeShown;
    if (menu.edit) {
        const LineKind kind = ClassifyLine(selected->Text());
        menu.remove = kind != lkLevel && kind != lkObjFile;
    }
    return menu;
}

void DeleteSelectedNode(TreeWindow& window)
{
    if (Node* selected = window.selected) {
        window.selected = nullptr;
        window.tree.Delete(*selected);
        window.Edited();
    }
}

} // namespace varnoke
