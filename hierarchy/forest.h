#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnoke {

class Forest;

// One node of a hierarchy tree: exactly one PHI line without its leading white space.
// Its text and place change only through its Forest, so a model over the forest hears
// of every change.
class Node {
public:
    explicit Node(std::string text)
        : text_(std::move(text))
    {
    }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    const std::string& Text() const { return text_; }
    const Node* Parent() const { return parent_; }
    Node* Parent() { return parent_; }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    const Node* Child(int index) const { return children_[static_cast<std::size_t>(index)].get(); }
    Node* Child(int index) { return children_[static_cast<std::size_t>(index)].get(); }
    // The place among its siblings (top-level nodes are siblings too).
    int Row() const { return row_; }

private:
    friend class Forest;

    void SetText(std::string text) { text_ = std::move(text); }

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

// Where a move puts a node: among the children of parent (nullptr for the top level),
// just before the child now at row, or last when row is their count. The row counts
// that list as it is before the move, the moved node still in it when it keeps its
// parent, so a node at row r given row d > r ends at row d - 1. That is the
// destinationChild of QAbstractItemModel::beginMoveRows.
struct MoveDestination {
    Node* parent;
    int row;
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
    const Node* TopLevel(int row) const { return topLevel_[static_cast<std::size_t>(row)].get(); }
    Node* TopLevel(int row) { return topLevel_[static_cast<std::size_t>(row)].get(); }

    // Pre-order walk: First(), then Next(node) until none.
    const Node* First() const;
    Node* First();
    const Node* Next(const Node* node) const;
    Node* Next(Node* node);
    // The last node in absolute order: the end of the last branch.
    const Node* Last() const;
    Node* Last();
    const Node* NodeAt(int absoluteIndex) const;
    Node* NodeAt(int absoluteIndex);
    int AbsoluteIndex(const Node* node) const;

    void SetText(Node& node, std::string text) { node.SetText(std::move(text)); }
    // A parent of nullptr stands for the top level.
    Node* AddLastChild(Node* parent, std::string text);
    Node* AddFirstTopLevel(std::string text);
    // Copies the source node (of any forest) with its subtree as the last child of the parent.
    Node* CopySubtree(const Node* source, Node* parent);
    void Delete(Node* node);

    // Where Move would put the node; none when nothing would move: the target lies inside
    // the node's subtree (the node itself included), or the node is already there. The
    // target is not const because it may be the parent handed back, to be moved into.
    std::optional<MoveDestination> Destination(const Node& node, Node& target, AttachMode mode) const;
    // Moves the node with its subtree; false, with nothing moved, when the destination
    // lies inside that subtree, its row is out of range, or the node is already there.
    bool MoveTo(Node& node, MoveDestination destination);
    // Moves the node with its subtree; nothing happens when the target is inside that subtree.
    void Move(Node* node, Node* target, AttachMode mode);
    // True when the node is the ancestor or the node itself.
    static bool IsInSubtree(const Node* node, const Node* ancestor);

private:
    std::vector<std::unique_ptr<Node>>& SiblingsOf(Node* parent);
    const std::vector<std::unique_ptr<Node>>& SiblingsOf(const Node* parent) const;
    Node* Insert(Node* parent, int row, std::unique_ptr<Node> node);
    std::unique_ptr<Node> Take(Node* node);
    static bool StaysPut(const Node& node, MoveDestination destination);
    static int SubtreeSize(const Node* node);
    static void Destroy(std::unique_ptr<Node> node);

    std::vector<std::unique_ptr<Node>> topLevel_;
    int nodeCount_ = 0;
};

} // namespace varnoke
