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

DropPlan PlanDrop(const TreeWindow& window, Node* target, DropRegion region)
{
    const Node* dragged = window.selected;
    DropPlan plan;
    if (!dragged || !target || target == dragged)
        return plan;
    plan.edit = true;
    if (LeadingNumber(target->Text()) == 0) {
        plan.destination = window.tree.Destination(*dragged, *target, amInsert);
        return plan;
    }
    if (region == drOther)
        return plan;
    plan.destination = window.tree.Destination(*dragged, *target, region == drOnNode ? amAddChild : amInsert);
    plan.renumber = true;
    return plan;
}

DropMark MarkOf(const DropPlan& plan, const Node* target)
{
    // A node moved under another always goes at its end; any other move, before the target.
    if (!plan.destination)
        return dmNone;
    return plan.destination->parent == target ? dmLastChild : dmBefore;
}

void DropOn(TreeWindow& window, Node* target, DropRegion region)
{
    const DropPlan plan = PlanDrop(window, target, region);
    if (plan.edit)
        window.Edited();
    if (plan.destination)
        window.tree.MoveTo(*window.selected, *plan.destination);
    if (plan.renumber)
        RenumberSubtree(window.tree, *window.selected);
}

} // namespace varnoke
