#include "tree/edit_record.h"

#include <algorithm>

namespace varnoke {

EditRecord::NodeState EditRecord::StateOf(Node& node)
{
    return { node.Text(), Place { node.Parent(), node.Row() } };
}

Node* EditRecord::Added(Node* node)
{
    if (node)
        changes_.push_back({ node, { node->Text(), std::nullopt }, StateOf(*node) });
    return node;
}

bool EditRecord::SetText(Node& node, std::string text)
{
    NodeState before = StateOf(node);
    if (!target_.SetText(node, std::move(text)))
        return false;
    changes_.push_back({ &node, std::move(before), StateOf(node) });
    return true;
}

Node* EditRecord::AddFirstTopLevel(std::string text)
{
    return Added(target_.AddFirstTopLevel(std::move(text)));
}

Node* EditRecord::AddLastTopLevel(std::string text)
{
    return Added(target_.AddLastTopLevel(std::move(text)));
}

bool EditRecord::MoveTo(Node& node, MoveDestination destination)
{
    NodeState before = StateOf(node);
    if (!target_.MoveTo(node, destination))
        return false;
    changes_.push_back({ &node, std::move(before), StateOf(node) });
    return true;
}

Subtree EditRecord::Take(Node& node)
{
    NodeState before = StateOf(node);
    Subtree taken = target_.Take(node);
    changes_.push_back({ &node, before, { before.text, std::nullopt } });
    return taken;
}

Node* EditRecord::Insert(Node* parent, int row, Subtree subtree)
{
    return Added(target_.Insert(parent, row, std::move(subtree)));
}

void EditRecord::Delete(Node& node)
{
    kept_.push_back(Take(node));
}

Node* EditRecord::Subject(bool undone) const
{
    if (changes_.empty())
        return nullptr;
    Node* node = changes_.front().node;
    if (undone)
        return changes_.front().before.place ? node : nullptr;
    const auto last = std::find_if(changes_.rbegin(), changes_.rend(),
                                   [node](const Change& change) { return change.node == node; });
    return last->after.place ? node : nullptr;
}

void EditRecord::Undo(TreeEdits& target)
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        Apply(target, *change->node, change->after, change->before);
}

void EditRecord::Redo(TreeEdits& target)
{
    for (const Change& change : changes_)
        Apply(target, *change.node, change.before, change.after);
}

void EditRecord::Apply(TreeEdits& target, Node& node, const NodeState& from, const NodeState& to)
{
    if (from.text != to.text)
        target.SetText(node, to.text);
    if (!to.place) {
        kept_.push_back(target.Take(node));
    } else if (!from.place) {
        target.Insert(to.place->parent, to.place->row, TakeKept(node));
    } else if (from.place != to.place) {
        // A later row among the same siblings is counted with the node still before it.
        const bool later = to.place->parent == node.Parent() && to.place->row > node.Row();
        target.MoveTo(node, { to.place->parent, later ? to.place->row + 1 : to.place->row });
    }
}

Subtree EditRecord::TakeKept(const Node& root)
{
    const auto kept
        = std::find_if(kept_.begin(), kept_.end(), [&root](const Subtree& subtree) { return subtree.Root() == &root; });
    Subtree subtree = std::move(*kept);
    kept_.erase(kept);
    return subtree;
}

} // namespace varnoke
