#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"

#include <string>

namespace varnoke {

// Every change the tree commands make to the main window's tree. The window's item
// model implements it, so its views hear of each change; ForestEdits changes a plain
// forest directly. Each edit says whether it changed the tree, and a delete is a take
// whose subtree can be inserted again, so every edit can be undone. A test, and New,
// rebuild the whole tree outside these edits (through the Forest itself), so the
// window's model resets around them instead of announcing single rows.
class TreeEdits {
public:
    virtual ~TreeEdits() = default;
    virtual const Forest& Tree() const = 0;
    // False when the node already has that text.
    virtual bool SetText(Node& node, std::string text) = 0;
    virtual Node* AddFirstTopLevel(std::string text) = 0;
    virtual Node* AddLastTopLevel(std::string text) = 0;
    // Moves the node with its subtree; false, with nothing moved, where
    // Forest::Destination gives none (the target inside it, or the node already there).
    virtual bool Move(Node& node, Node& target, AttachMode mode) = 0;
    // Takes the node with its subtree out of the tree.
    virtual Subtree Take(Node& node) = 0;
    // Puts a taken subtree back: among parent's children (nullptr: the top level), at row.
    virtual Node* Insert(Node* parent, int row, Subtree subtree) = 0;
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
    bool Move(Node& node, Node& target, AttachMode mode) override;
    Subtree Take(Node& node) override;
    Node* Insert(Node* parent, int row, Subtree subtree) override;

private:
    Forest& forest_;
};

// What the tree commands need of the main window: its tree, changed only through the
// edits; its test state, where ParseLevelLine registers parts and reports defects; its
// two flags, held by the window and only referred to here; and the tree view's selected
// node, which the window sets before a command and reads back after it (none when the
// command deleted it). No tree command clears FModified.
struct TreeWindow {
    TreeEdits& tree;
    CheckState& checks;
    const bool& FTextMode;
    bool& FModified;
    Node* selected = nullptr;
};

} // namespace varnoke
