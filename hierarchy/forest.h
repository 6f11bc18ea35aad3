#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnoke {

class Forest;
class Subtree;

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
    class Subtree;

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

// A node with its descendants, taken out of a forest to be inserted again (an undone
// delete, say). It owns its nodes and frees them without recursion, however deep.
class Subtree {
public:
    Subtree() = default;
    Subtree(Subtree&& other) noexcept;
    Subtree& operator=(Subtree&& other) noexcept;
    ~Subtree();

    const Node* Root() const { return root_.get(); }
    Node* Root() { return root_.get(); }
    int NodeCount() const { return nodeCount_; }
    explicit operator bool() const { return root_ != nullptr; }

private:
    friend class Forest;
    Subtree(std::unique_ptr<Node> root, int nodeCount);

    std::unique_ptr<Node> root_;
    int nodeCount_ = 0;
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
    // Trades nodes with the other forest: a tree built aside takes the place of this one.
    void Swap(Forest& other) noexcept;
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

    // False when the node already has that text.
    bool SetText(Node& node, std::string text);
    // A parent of nullptr stands for the top level.
    Node* AddLastChild(Node* parent, std::string text);
    Node* AddFirstTopLevel(std::string text);
    // Copies the source node (of any forest) with its subtree as the last child of the parent.
    Node* CopySubtree(const Node* source, Node* parent);
    void Delete(Node* node);
    // Takes the node with its subtree out of the forest.
    Subtree Take(Node& node);
    // Puts a taken subtree among the children of parent (nullptr for the top level),
    // before the child now at row, or last when row is their count or more. An empty
    // subtree puts nothing and gives none.
    Node* Insert(Node* parent, int row, Subtree subtree);

    // Where Move would put the node; none when nothing would move: the target lies inside
    // the node's subtree (the node itself included), or the node is already there. The
    // target is not const because it may be the parent handed back, to be moved into.
    std::optional<MoveDestination> Destination(const Node& node, Node& target, AttachMode mode) const;
    // Moves the node with its subtree; false, with nothing moved, when the destination
    // lies inside that subtree, its row is out of range, or the node is already there.
    bool MoveTo(Node& node, MoveDestination destination);
    // Moves the node with its subtree; false, with nothing moved, where Destination gives none.
    bool Move(Node* node, Node* target, AttachMode mode);
    // True when the node is the ancestor or the node itself.
    static bool IsInSubtree(const Node* node, const Node* ancestor);

private:
    friend class Subtree;

    std::vector<std::unique_ptr<Node>>& SiblingsOf(Node* parent);
    const std::vector<std::unique_ptr<Node>>& SiblingsOf(const Node* parent) const;
    Node* Attach(Node* parent, int row, std::unique_ptr<Node> node);
    std::unique_ptr<Node> Detach(Node* node);
    static bool StaysPut(const Node& node, MoveDestination destination);
    static int SubtreeSize(const Node* node);
    static void Destroy(std::unique_ptr<Node> node);

    std::vector<std::unique_ptr<Node>> topLevel_;
    int nodeCount_ = 0;
};

} // namespace varnoke
