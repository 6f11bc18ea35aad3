#pragma once

#include "tree/tree_edits.h"

#include <optional>
#include <string>
#include <vector>

namespace varnoke {

// The edits of one user action, made through the record to its target, kept with what
// puts them back, so the action can be undone and redone, node identities kept. Undo
// and Redo take the tree's edits again because the window's model must announce the
// rows they change.
//
// Ownership: Delete takes a node out for good, so the record keeps its subtree to put
// back on Undo, as Undo keeps what it takes out for Redo. The subtree Take hands out is
// the caller's, to insert again through the record within the action (a move by take
// and insert); dropped, it could not come back, so a command that removes a node deletes it.
class EditRecord final : public TreeEdits {
public:
    explicit EditRecord(TreeEdits& target)
        : target_(target)
    {
    }

    const Forest& Tree() const override { return target_.Tree(); }
    bool SetText(Node& node, std::string text) override;
    Node* AddFirstTopLevel(std::string text) override;
    Node* AddLastTopLevel(std::string text) override;
    bool MoveTo(Node& node, MoveDestination destination) override;
    Subtree Take(Node& node) override;
    Node* Insert(Node* parent, int row, Subtree subtree) override;
    void Delete(Node& node) override;

    // True when no edit changed anything.
    bool Empty() const { return changes_.empty(); }
    // The node the first edit changed, the one to select after an undo (undone) or a redo;
    // none when that left it out of the tree, or nothing changed.
    Node* Subject(bool undone) const;
    // Puts the tree back as it was before the edits; the tree must be as they left it.
    void Undo(TreeEdits& target);
    // Makes the edits again; the tree must be as Undo left it.
    void Redo(TreeEdits& target);

private:
    // The row a node has among the children of parent (nullptr: the top level).
    struct Place {
        Node* parent;
        int row;
        bool operator==(const Place&) const = default;
    };
    // A node's text and place; none while it is out of the tree.
    struct NodeState {
        std::string text;
        std::optional<Place> place;
    };
    struct Change {
        Node* node;
        NodeState before;
        NodeState after;
    };

    static NodeState StateOf(Node& node);
    Node* Added(Node* node);
    void Apply(TreeEdits& target, Node& node, const NodeState& from, const NodeState& to);
    Subtree TakeKept(const Node& root);

    TreeEdits& target_;
    std::vector<Change> changes_;
    // The subtrees out of the tree as it now is, that an undo or a redo puts back.
    std::vector<Subtree> kept_;
};

} // namespace varnoke
