#include "hierarchy/forest.h"

#include <algorithm>
#include <utility>

namespace varnoke {

Forest::~Forest()
{
    Clear();
}

void Forest::Clear()
{
    while (!topLevel_.empty()) {
        Destroy(std::move(topLevel_.back()));
        topLevel_.pop_back();
    }
    nodeCount_ = 0;
}

void Forest::Swap(Forest& other) noexcept
{
    topLevel_.swap(other.topLevel_);
    std::swap(nodeCount_, other.nodeCount_);
}

void Forest::Destroy(std::unique_ptr<Node> node)
{
    // Children are detached before their parent dies, so no destructor recurses.
    std::vector<std::unique_ptr<Node>> pending;
    pending.push_back(std::move(node));
    while (!pending.empty()) {
        std::unique_ptr<Node> next = std::move(pending.back());
        pending.pop_back();
        for (auto& child : next->children_)
            pending.push_back(std::move(child));
    }
}

const Node* Forest::First() const
{
    return topLevel_.empty() ? nullptr : topLevel_.front().get();
}

const Node* Forest::Next(const Node* node) const
{
    if (node->HasChildren())
        return node->Child(0);
    for (; node; node = node->parent_) {
        const auto& siblings = SiblingsOf(node->parent_);
        const auto nextRow = static_cast<std::size_t>(node->row_) + 1;
        if (nextRow < siblings.size())
            return siblings[nextRow].get();
    }
    return nullptr;
}

const Node* Forest::Last() const
{
    const Node* node = topLevel_.empty() ? nullptr : topLevel_.back().get();
    while (node && node->HasChildren())
        node = node->children_.back().get();
    return node;
}

const Node* Forest::NodeAt(int absoluteIndex) const
{
    const Node* node = First();
    for (int i = 0; node && i < absoluteIndex; ++i)
        node = Next(node);
    return absoluteIndex >= 0 ? node : nullptr;
}

// The forest owns every node and is itself mutable here, so the walks are written once.
Node* Forest::First()
{
    return const_cast<Node*>(std::as_const(*this).First());
}

Node* Forest::Next(Node* node)
{
    return const_cast<Node*>(std::as_const(*this).Next(node));
}

Node* Forest::Last()
{
    return const_cast<Node*>(std::as_const(*this).Last());
}

Node* Forest::NodeAt(int absoluteIndex)
{
    return const_cast<Node*>(std::as_const(*this).NodeAt(absoluteIndex));
}

int Forest::AbsoluteIndex(const Node* node) const
{
    int index = 0;
    for (const Node* visited = First(); visited; visited = Next(visited), ++index) {
        if (visited == node)
            return index;
    }
    return -1;
}

std::vector<std::unique_ptr<Node>>& Forest::SiblingsOf(Node* parent)
{
    return parent ? parent->children_ : topLevel_;
}

const std::vector<std::unique_ptr<Node>>& Forest::SiblingsOf(const Node* parent) const
{
    return parent ? parent->children_ : topLevel_;
}

Node* Forest::Attach(Node* parent, int row, std::unique_ptr<Node> node)
{
    auto& siblings = SiblingsOf(parent);
    Node* inserted = node.get();
    inserted->parent_ = parent;
    siblings.insert(siblings.begin() + row, std::move(node));
    for (auto i = static_cast<std::size_t>(row); i < siblings.size(); ++i)
        siblings[i]->row_ = static_cast<int>(i);
    return inserted;
}

std::unique_ptr<Node> Forest::Detach(Node* node)
{
    auto& siblings = SiblingsOf(node->parent_);
    const auto row = static_cast<std::size_t>(node->row_);
    std::unique_ptr<Node> taken = std::move(siblings[row]);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    for (auto i = row; i < siblings.size(); ++i)
        siblings[i]->row_ = static_cast<int>(i);
    taken->parent_ = nullptr;
    return taken;
}

Node* Forest::AddLastChild(Node* parent, std::string text)
{
    ++nodeCount_;
    return Attach(parent, static_cast<int>(SiblingsOf(parent).size()), std::make_unique<Node>(std::move(text)));
}

Node* Forest::AddFirstTopLevel(std::string text)
{
    ++nodeCount_;
    return Attach(nullptr, 0, std::make_unique<Node>(std::move(text)));
}

Node* Forest::CopySubtree(const Node* source, Node* parent)
{
    Node* copy = AddLastChild(parent, source->Text());
    // Pairs of (source, copy) whose children are still to be copied.
    std::vector<std::pair<const Node*, Node*>> pending { { source, copy } };
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        for (const auto& child : from->children_)
            pending.emplace_back(child.get(), AddLastChild(to, child->Text()));
    }
    return copy;
}

int Forest::SubtreeSize(const Node* node)
{
    int size = 0;
    std::vector<const Node*> pending { node };
    while (!pending.empty()) {
        const Node* next = pending.back();
        pending.pop_back();
        ++size;
        for (const auto& child : next->children_)
            pending.push_back(child.get());
    }
    return size;
}

bool Forest::IsInSubtree(const Node* node, const Node* ancestor)
{
    for (; node; node = node->parent_) {
        if (node == ancestor)
            return true;
    }
    return false;
}

void Forest::Delete(Node* node)
{
    Take(*node);
}

Subtree Forest::Take(Node& node)
{
    const int size = SubtreeSize(&node);
    nodeCount_ -= size;
    return Subtree(Detach(&node), size);
}

Node* Forest::Insert(Node* parent, int row, Subtree subtree)
{
    if (!subtree)
        return nullptr;
    row = std::clamp(row, 0, static_cast<int>(SiblingsOf(parent).size()));
    nodeCount_ += subtree.nodeCount_;
    subtree.nodeCount_ = 0;
    return Attach(parent, row, std::move(subtree.root_));
}

bool Forest::SetText(Node& node, std::string text)
{
    if (node.text_ == text)
        return false;
    node.SetText(std::move(text));
    return true;
}

Subtree::Subtree(std::unique_ptr<Node> root, int nodeCount)
    : root_(std::move(root))
    , nodeCount_(nodeCount)
{
}

Subtree::Subtree(Subtree&& other) noexcept
    : root_(std::move(other.root_))
    , nodeCount_(std::exchange(other.nodeCount_, 0))
{
}

Subtree& Subtree::operator=(Subtree&& other) noexcept
{
    if (this != &other) {
        if (root_)
            Forest::Destroy(std::move(root_));
        root_ = std::move(other.root_);
        nodeCount_ = std::exchange(other.nodeCount_, 0);
    }
    return *this;
}

Subtree::~Subtree()
{
    if (root_)
        Forest::Destroy(std::move(root_));
}

bool Forest::StaysPut(const Node& node, MoveDestination destination)
{
    // Just before itself or just before its next sibling, the node is where it would go.
    return destination.parent == node.parent_ && (destination.row == node.row_ || destination.row == node.row_ + 1);
}

std::optional<MoveDestination> Forest::Destination(const Node& node, Node& target, AttachMode mode) const
{
    if (IsInSubtree(&target, &node))
        return std::nullopt;
    const MoveDestination destination = mode == amAddChild ? MoveDestination { &target, target.ChildCount() }
                                                           : MoveDestination { target.parent_, target.row_ };
    if (StaysPut(node, destination))
        return std::nullopt;
    return destination;
}

bool Forest::MoveTo(Node& node, MoveDestination destination)
{
    const int count = static_cast<int>(SiblingsOf(destination.parent).size());
    if (IsInSubtree(destination.parent, &node) || destination.row < 0 || destination.row > count)
        return false;
    if (StaysPut(node, destination))
        return false;
    // The row was counted with the node still among the siblings before it.
    const int row
        = destination.parent == node.parent_ && destination.row > node.row_ ? destination.row - 1 : destination.row;
    Attach(destination.parent, row, Detach(&node));
    return true;
}

bool Forest::Move(Node* node, Node* target, AttachMode mode)
{
    const std::optional<MoveDestination> destination = Destination(*node, *target, mode);
    return destination && MoveTo(*node, *destination);
}

} // namespace varnoke
