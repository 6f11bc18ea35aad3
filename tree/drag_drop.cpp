#include "tree/drag_drop.h"

#include "hierarchy/scan_reader.h"
#include "tree/renumber.h"

namespace varnoke {

bool CanDropOn(const TreeWindow& window, bool sourceIsTreeView, const Node* target)
{
    const Node* dragged = window.selected;
    if (!sourceIsTreeView || !target || !dragged)
        return false;
    const int targetNumber = LeadingNumber(target->Text());
    const int draggedNumber = LeadingNumber(dragged->Text());
    return (targetNumber > 0 && draggedNumber > 0) || (targetNumber == 0 && draggedNumber == 0);
}

void DropOn(TreeWindow& window, Node* target, DropRegion region)
{
    Node* dragged = window.selected;
    if (!dragged || !target || target == dragged)
        return;
    window.FModified = true;
    if (LeadingNumber(target->Text()) == 0) {
        window.tree.Move(*dragged, *target, amInsert);
        return;
    }
    if (region == drOther)
        return;
    window.tree.Move(*dragged, *target, region == drOnNode ? amAddChild : amInsert);
    RenumberSubtree(window.tree, *dragged);
}

} // namespace varnoke
