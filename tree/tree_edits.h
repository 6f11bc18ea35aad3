#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"

#include <optional>
#include <string>

namespace varnoke {

// Every change the tree commands make to the document's tree. The window's item model
// implements it, so its views hear of each change; ForestEdits changes a plain forest
// directly. Each edit says whether it changed the tree, and a delete only takes the node
// out, so an EditRecord can undo every edit, node identities kept. A
// test, New and Open rebuild the whole tree outside these edits, so the window's model
// resets around them instead of announcing single rows.
class TreeEdits {
public:
    virtual ~TreeEdits() = default;
    virtual const Forest& Tree() const = 0;
    // False when the node already has that text.
    virtual bool SetText(Node& node, std::string text) = 0;
    virtual Node* AddFirstTopLevel(std::string text) = 0;
    virtual Node* AddLastTopLevel(std::string text) = 0;
    // Moves the node with its subtree to an exact place; false, with nothing moved, where
    // Forest::MoveTo refuses (inside its own subtree, out of range, or already there).
    virtual bool MoveTo(Node& node, MoveDestination destination) = 0;
    // Takes the node with its subtree out of the tree, handing it to the caller.
    virtual Subtree Take(Node& node) = 0;
    // Puts a taken subtree back: among parent's children (nullptr: the top level), at row.
    virtual Node* Insert(Node* parent, int row, Subtree subtree) = 0;
    // Takes the node with its subtree out for good; edits that can be undone keep it.
    virtual void Delete(Node& node) { Take(node); }

    // Where Move would put the node; none where nothing would move.
    std::optional<MoveDestination> Destination(const Node& node, Node& target, AttachMode mode) const
    {
        return Tree().Destination(node, target, mode);
    }
    // Moves the node with its subtree; false, with nothing moved, where Destination gives none.
    bool Move(Node& node, Node& target, AttachMode mode)
    {
        const std::optional<MoveDestination> destination = Destination(node, target, mode);
        return destination && MoveTo(node, *destination);
    }
};

class ForestEdits final : public TreeEdits {
public:
    explicit ForestEdits(Forest& forest)
        : forest_(forest)
    {
    }

    const Forest& Tree() const override { return forest_; }
    bool SetText(Node& node, std::string text) override;
    Node* AddFirstTopLevel(std::string text) override;
    Node* AddLastTopLevel(std::string text) override;
    bool MoveTo(Node& node, MoveDestination destination) override;
    Subtree Take(Node& node) override;
    Node* Insert(Node* parent, int row, Subtree subtree) override;

private:
    Forest& forest_;
};

// What a tree command works on: the tree, changed only through the edits; the test
// state, where ParseLevelLine registers parts and reports defects; whether the text
// view is shown; and the tree view's selected node, which the command may change (none
// when it deleted it). A command that counts as an edit says so by Edited(), also when
// it changed nothing (a drop that moves nothing, a cancelled comment box); a cancelled
// dialog does not. Only the document's tree entry sets FModified from it.
struct TreeWindow {
    TreeEdits& tree;
    CheckState& checks;
    bool FTextMode = false;
    Node* selected = nullptr;
    bool edited = false;

    void Edited() { edited = true; }
};

} // namespace varnoke
