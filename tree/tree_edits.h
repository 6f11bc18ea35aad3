#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"

#include <string>

namespace varnoke {

// Every change the tree commands make to the main window's tree. The window's item
// model implements it, so its views hear of each change; ForestEdits changes a plain
// forest directly.
class TreeEdits {
public:
    virtual ~TreeEdits() = default;
    virtual const Forest& Tree() const = 0;
    virtual void SetText(Node& node, std::string text) = 0;
    virtual Node* AddFirstTopLevel(std::string text) = 0;
    virtual Node* AddLastTopLevel(std::string text) = 0;
    // Moves the node with its subtree; nothing happens when the target is inside it.
    virtual void Move(Node& node, Node& target, AttachMode mode) = 0;
    virtual void Delete(Node& node) = 0;
};

class ForestEdits final : public TreeEdits {
public:
    explicit ForestEdits(Forest& forest)
        : forest_(forest)
    {
    }

    const Forest& Tree() const override { return forest_; }
    void SetText(Node& node, std::string text) override { node.SetText(std::move(text)); }
    Node* AddFirstTopLevel(std::string text) override;
    Node* AddLastTopLevel(std::string text) override;
    void Move(Node& node, Node& target, AttachMode mode) override;
    void Delete(Node& node) override;

private:
    Forest& forest_;
};

// What the tree commands need of the main window: its tree, changed only through the
// edits; its test state, where ParseLevelLine registers parts and reports defects; and
// its two flags. No tree command clears FModified.
struct TreeWindow {
    TreeEdits& tree;
    CheckState& checks;
    bool FTextMode = false;
    bool FModified = false;
};

} // namespace varnoke
