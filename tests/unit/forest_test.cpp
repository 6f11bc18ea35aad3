#include "hierarchy/forest.h"
#include "hierarchy/node_by_name.h"
#include "small_stack.h"
#include "tree_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

using namespace varnoke;
using ::testing::ElementsAre;

namespace {

std::vector<std::string> PreOrder(const Forest& forest)
{
    std::vector<std::string> texts;
    for (const Node* node = forest.First(); node; node = forest.Next(node))
        texts.push_back(node->Text());
    return texts;
}

// hip { abdomen { chest }, lThigh }, #note, rThigh { rShin }
class ForestTest : public ::testing::Test {
protected:
    ForestTest()
    {
        hip = forest.AddLastChild(nullptr, "1 hip yzx");
        abdomen = forest.AddLastChild(hip, "2 abdomen yzx");
        chest = forest.AddLastChild(abdomen, "3 chest yzx");
        lThigh = forest.AddLastChild(hip, "2 lThigh yzx");
        note = forest.AddLastChild(nullptr, "#note");
        rThigh = forest.AddLastChild(nullptr, "1 rThigh yzx");
        rShin = forest.AddLastChild(rThigh, "2 rShin yzx");
    }

    Forest forest;
    Node *hip, *abdomen, *chest, *lThigh, *note, *rThigh, *rShin;
};

} // namespace

TEST_F(ForestTest, AbsoluteOrderIsPreOrder)
{
    EXPECT_THAT(PreOrder(forest),
                ElementsAre("1 hip yzx", "2 abdomen yzx", "3 chest yzx", "2 lThigh yzx", "#note", "1 rThigh yzx",
                            "2 rShin yzx"));
    EXPECT_EQ(forest.NodeCount(), 7);
    EXPECT_EQ(forest.TopLevelCount(), 3);
    EXPECT_EQ(forest.NodeAt(3), lThigh);
    EXPECT_EQ(forest.NodeAt(7), nullptr);
    EXPECT_EQ(forest.NodeAt(-1), nullptr);
    EXPECT_EQ(forest.AbsoluteIndex(note), 4);
    EXPECT_EQ(forest.Last(), rShin);
    EXPECT_EQ(chest->Parent(), abdomen);
    EXPECT_EQ(note->Parent(), nullptr);
    EXPECT_EQ(lThigh->Row(), 1);

    Node* first = forest.AddFirstTopLevel("#first");
    EXPECT_EQ(forest.NodeAt(0), first);
    EXPECT_EQ(hip->Row(), 1);
    EXPECT_EQ(forest.AbsoluteIndex(note), 5);
}

TEST_F(ForestTest, DeleteTakesTheSubtree)
{
    forest.Delete(abdomen);
    EXPECT_EQ(forest.NodeCount(), 5);
    EXPECT_EQ(lThigh->Row(), 0);
    EXPECT_THAT(PreOrder(forest), ElementsAre("1 hip yzx", "2 lThigh yzx", "#note", "1 rThigh yzx", "2 rShin yzx"));

    forest.Delete(note);
    EXPECT_EQ(rThigh->Row(), 1);
    EXPECT_EQ(forest.AbsoluteIndex(rShin), 3);
    EXPECT_EQ(rShin->Text(), "2 rShin yzx");
}

TEST_F(ForestTest, MoveCarriesTheSubtreeAndRefusesATargetInsideIt)
{
    forest.Move(abdomen, rShin, amAddChild);
    EXPECT_EQ(abdomen->Parent(), rShin);
    forest.Move(rThigh, hip, amInsert);
    EXPECT_THAT(PreOrder(forest),
                ElementsAre("1 rThigh yzx", "2 rShin yzx", "2 abdomen yzx", "3 chest yzx", "1 hip yzx", "2 lThigh yzx",
                            "#note"));
    EXPECT_EQ(hip->Row(), 1);

    forest.Move(rThigh, chest, amAddChild);
    forest.Move(abdomen, chest, amInsert);
    EXPECT_EQ(rThigh->Parent(), nullptr);
    EXPECT_EQ(abdomen->Parent(), rShin);
    EXPECT_EQ(forest.NodeCount(), 7);
}

namespace {

// The forest as lists of child names keyed by the parent's name ("" for the top level):
// the plain model that the moves are checked against.
class PlainForest {
public:
    explicit PlainForest(const std::vector<std::string>& lines)
    {
        std::vector<std::string> open;
        for (const std::string& line : lines) {
            const std::size_t depth = line.find_first_not_of('\t');
            open.resize(depth);
            children_[open.empty() ? "" : open.back()].push_back(line.substr(depth));
            open.push_back(line.substr(depth));
        }
    }

    std::string ParentOf(const std::string& name) const
    {
        for (const auto& [parent, names] : children_) {
            if (std::find(names.begin(), names.end(), name) != names.end())
                return parent;
        }
        return {};
    }
    bool IsInSubtree(std::string name, const std::string& ancestor) const
    {
        for (; !name.empty(); name = ParentOf(name)) {
            if (name == ancestor)
                return true;
        }
        return false;
    }

    // The move as the attach mode describes it: taken out, then put last under the
    // target or just before it.
    void Move(const std::string& name, const std::string& target, AttachMode mode)
    {
        if (IsInSubtree(target, name))
            return;
        std::erase(children_[ParentOf(name)], name);
        std::vector<std::string>& siblings = children_[mode == amAddChild ? target : ParentOf(target)];
        siblings.insert(mode == amAddChild ? siblings.end() : std::find(siblings.begin(), siblings.end(), target),
                        name);
    }

    // The move as a view sees it from beginMoveRows: a copy inserted at the destination
    // row of the list as it stands, then the original removed.
    void MoveRow(const std::string& name, const std::string& parent, int row)
    {
        std::vector<std::string>& source = children_[ParentOf(name)];
        const auto sourceRow = std::find(source.begin(), source.end(), name) - source.begin();
        std::vector<std::string>& destination = children_[parent];
        destination.insert(destination.begin() + row, name);
        const bool shifted = &source == &destination && row <= sourceRow;
        source.erase(source.begin() + sourceRow + (shifted ? 1 : 0));
    }

    std::vector<std::string> Dump() const
    {
        std::vector<std::string> lines;
        AppendSubtrees(lines, "", "");
        return lines;
    }

private:
    void AppendSubtrees(std::vector<std::string>& lines, const std::string& parent, const std::string& indent) const
    {
        const auto names = children_.find(parent);
        if (names == children_.end())
            return;
        for (const std::string& name : names->second) {
            lines.push_back(indent + name);
            AppendSubtrees(lines, name, indent + '\t');
        }
    }

    std::map<std::string, std::vector<std::string>> children_;
};

} // namespace

TEST(ForestMove, DestinationIsTheRowAModelMovesToAndMoveGoesThere)
{
    const std::vector<std::string> start { "a", "\ta1", "\ta2", "\ta3", "\ta4", "b", "\tb1", "\t\tb1x", "c", "d" };
    struct Case {
        const char* node;
        const char* target;
        AttachMode mode;
    };
    const Case cases[] {
        { "a1", "a3", amInsert }, // down among its siblings
        { "a1", "a4", amInsert },    { "a4", "a2", amInsert }, // up among its siblings
        { "a3", "a1", amInsert },    { "a1", "a", amAddChild }, // to the end of its own siblings
        { "a3", "a", amAddChild },   { "a", "d", amInsert }, // top level down and up
        { "a", "c", amInsert },      { "d", "a", amInsert },
        { "b1", "a2", amInsert }, // to another parent, with its subtree
        { "a2", "d", amAddChild },   { "d", "b1x", amAddChild },
        { "b1x", "d", amInsert },    { "b1x", "a", amInsert },
        { "a2", "a3", amInsert }, // already there
        { "b", "c", amInsert },      { "a4", "a", amAddChild },
        { "b1x", "b1", amAddChild }, { "a2", "a2", amInsert }, // onto itself or into its own subtree
        { "a2", "a2", amAddChild },  { "b", "b1x", amAddChild },
        { "b", "b1", amInsert },
    };
    for (const Case& move : cases) {
        SCOPED_TRACE(std::string(move.node) + (move.mode == amAddChild ? " under " : " before ") + move.target);
        Forest forest;
        tree_test::BuildForest(forest, start);
        Node& node = *tree_test::NodeWithText(forest, move.node);
        Node& target = *tree_test::NodeWithText(forest, move.target);
        PlainForest expected(start);
        expected.Move(move.node, move.target, move.mode);

        const std::optional<MoveDestination> destination = forest.Destination(node, target, move.mode);
        EXPECT_EQ(destination.has_value(), expected.Dump() != start);
        if (destination) {
            // beginMoveRows refuses a row within reach of the node's own place.
            const int count = destination->parent ? destination->parent->ChildCount() : forest.TopLevelCount();
            ASSERT_TRUE(destination->row >= 0 && destination->row <= count);
            EXPECT_FALSE(destination->parent == node.Parent()
                         && (destination->row == node.Row() || destination->row == node.Row() + 1));
            PlainForest moved(start);
            moved.MoveRow(move.node, destination->parent ? destination->parent->Text() : "", destination->row);
            EXPECT_EQ(moved.Dump(), expected.Dump());
        }

        EXPECT_EQ(forest.Move(&node, &target, move.mode), destination.has_value());
        EXPECT_EQ(tree_test::Dump(forest), expected.Dump());
        EXPECT_EQ(forest.NodeCount(), static_cast<int>(start.size()));
        EXPECT_EQ(tree_test::NodeWithText(forest, move.node), &node);
    }
}

TEST(ForestTake, ATakenSubtreeGoesBackWhereItWasOrAnywhereElse)
{
    const std::vector<std::string> start { "a", "\ta1", "\ta2", "\t\ta2x", "b", "\tb1", "c" };
    for (const std::string& line : start) {
        const std::string name = line.substr(line.find_first_not_of('\t'));
        SCOPED_TRACE(name);
        Forest forest;
        tree_test::BuildForest(forest, start);
        Node& node = *tree_test::NodeWithText(forest, name);
        Node* parent = node.Parent();
        const int row = node.Row();
        const int size = static_cast<int>(tree_test::Dump(forest).size());

        Subtree taken = forest.Take(node);
        ASSERT_TRUE(taken);
        EXPECT_EQ(taken.Root(), &node);
        EXPECT_EQ(tree_test::NodeWithText(forest, name), nullptr);
        EXPECT_EQ(forest.NodeCount() + taken.NodeCount(), size);
        EXPECT_EQ(static_cast<int>(tree_test::Dump(forest).size()), forest.NodeCount());

        EXPECT_EQ(forest.Insert(parent, row, std::move(taken)), &node);
        EXPECT_FALSE(taken);
        EXPECT_EQ(tree_test::Dump(forest), start);
        EXPECT_EQ(forest.NodeCount(), size);

        // Last at the top level, as a move there would put it.
        PlainForest expected(start);
        expected.Move(name, "c", amInsert);
        expected.Move("c", name, amInsert);
        forest.Insert(nullptr, forest.TopLevelCount(), forest.Take(node));
        EXPECT_EQ(tree_test::Dump(forest), expected.Dump());
        EXPECT_EQ(node.Row(), forest.TopLevelCount() - 1);
    }
}

TEST(ForestMove, MoveToRefusesADestinationInsideTheSubtreeOrOutOfRange)
{
    const std::vector<std::string> start { "a", "\ta1", "\ta2", "b", "\tb1" };
    Forest forest;
    tree_test::BuildForest(forest, start);
    Node& a = *forest.TopLevel(0);
    Node& b = *forest.TopLevel(1);
    for (const MoveDestination bad :
         { MoveDestination { a.Child(1), 0 }, MoveDestination { &a, 0 }, MoveDestination { &b, -1 },
           MoveDestination { &b, 2 }, MoveDestination { nullptr, 3 }, MoveDestination { nullptr, 1 } })
        EXPECT_FALSE(forest.MoveTo(a, bad));
    EXPECT_EQ(tree_test::Dump(forest), start);

    EXPECT_TRUE(forest.MoveTo(a, { &b, 1 }));
    EXPECT_TRUE(forest.MoveTo(*b.Child(0), { nullptr, 0 }));
    EXPECT_EQ(tree_test::Dump(forest), (std::vector<std::string> { "b1", "b", "\ta", "\t\ta1", "\t\ta2" }));
    EXPECT_EQ(a.Row(), 0);
}

TEST_F(ForestTest, FindPartNodeTakesTheFirstInAbsoluteOrderOfAnyKind)
{
    forest.AddFirstTopLevel("ikChain chest abdomen");
    forest.AddLastChild(nullptr, "# rShin");
    EXPECT_EQ(FindPartNode(forest, "chest")->Text(), "ikChain chest abdomen");
    EXPECT_EQ(FindPartNode(forest, "rShin"), rShin);
    EXPECT_EQ(FindPartNode(forest, "lthigh"), nullptr);
    EXPECT_EQ(FindPartNode(forest, "yzx"), nullptr);
    EXPECT_EQ(FindPartNode(forest, "#note"), nullptr);

    // Part names are compared by their first 39 characters only.
    const std::string name(39, 'n');
    forest.AddLastChild(nullptr, "1 " + name + "more xyz");
    EXPECT_NE(FindPartNode(forest, name), nullptr);
    EXPECT_EQ(FindPartNode(forest, name + "more"), nullptr);
}

TEST(Forest, DeepTreesAreWalkedCopiedAndDestroyedWithoutRecursion)
{
    varnoke::testing::RunOnSmallStack([] {
        constexpr int kDepth = 100000;
        auto forest = std::make_unique<Forest>();
        Node* node = nullptr;
        for (int level = 1; level <= kDepth; ++level)
            node = forest->AddLastChild(node, std::to_string(level) + " p xyz");
        EXPECT_EQ(forest->Last(), node);
        EXPECT_EQ(forest->AbsoluteIndex(node), kDepth - 1);
        EXPECT_EQ(FindPartNode(*forest, "q"), nullptr);

        Forest copy;
        copy.CopySubtree(forest->First(), nullptr);
        EXPECT_EQ(copy.NodeCount(), kDepth);
        EXPECT_EQ(copy.Last()->Text(), node->Text());
        copy.Clear();
        EXPECT_EQ(copy.NodeCount(), 0);

        Subtree deep = forest->Take(*forest->NodeAt(1));
        EXPECT_EQ(deep.NodeCount(), kDepth - 1);
        deep = Subtree();
        EXPECT_EQ(forest->NodeCount(), 1);
        node = forest->First();
        for (int level = 1; level <= kDepth; ++level)
            node = forest->AddLastChild(node, "x");
        forest.reset();
    });
}
