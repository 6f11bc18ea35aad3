#pragma once

#include <memory>
#include <string>
#include <vector>

namespace varnoke {

class Forest;

// One node of a hierarchy tree: exactly one PHI line without its leading white space.
class Node {
public:
    explicit Node(std::string text)
        : text_(std::move(text))
    {
    }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    Node* Parent() const { return parent_; }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    Node* Child(int index) const { return children_[static_cast<std::size_t>(index)].get(); }
    // The place among its siblings (top-level nodes are siblings too).
    int Row() const { return row_; }

private:
    friend class Forest;

    std::string text_;
    Node* parent_ = nullptr;
    int row_ = 0;
    std::vector<std::unique_ptr<Node>> children_;
};

// Where a moved node goes relative to the target node.
enum AttachMode {
    amAddChild, // the target's last child
    amInsert, // the sibling just before the target
};

// An ordered forest of nodes; absolute order is depth-first pre-order. Every walk is
// iterative, so a hierarchy thousands of levels deep costs no stack.
class Forest {
public:
    Forest() = default;
    Forest(const Forest&) = delete;
    Forest& operator=(const Forest&) = delete;
    ~Forest();

    void Clear();
    int NodeCount() const { return nodeCount_; }
    int TopLevelCount() const { return static_cast<int>(topLevel_.size()); }
    Node* TopLevel(int row) const { return topLevel_[static_cast<std::size_t>(row)].get(); }

    // Pre-order walk: First(), then Next(node) until none.
    Node* First() const;
    Node* Next(const Node* node) const;
    // The last node in absolute order: the end of the last branch.
    Node* Last() const;
    Node* NodeAt(int absoluteIndex) const;
    int AbsoluteIndex(const Node* node) const;

    // A parent of nullptr stands for the top level.
    Node* AddLastChild(Node* parent, std::string text);
    Node* AddFirstTopLevel(std::string text);
    // Copies the source node (of any forest) with its subtree as the last child of the parent.
    Node* CopySubtree(const Node* source, Node* parent);
    void Delete(Node* node);
    // Moves the node with its subtree; nothing happens when the target is inside that subtree.
    void Move(Node* node, Node* target, AttachMode mode);
    // True when the node is the ancestor or the node itself.
    static bool IsInSubtree(const Node* node, const Node* ancestor);

    Node* Selected() const { return selected_; }
    void Select(Node* node) { selected_ = node; }

private:
    std::vector<std::unique_ptr<Node>>& SiblingsOf(Node* parent);
    Node* Insert(Node* parent, int row, std::unique_ptr<Node> node);
    std::unique_ptr<Node> Take(Node* node);
    static int SubtreeSize(const Node* node);
    static void Destroy(std::unique_ptr<Node> node);

    std::vector<std::unique_ptr<Node>> topLevel_;
    int nodeCount_ = 0;
    Node* selected_ = nullptr;
};

} // namespace varnoke
