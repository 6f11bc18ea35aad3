#include "hierarchy/find_part_node.h"
#include "hierarchy/forest.h"
#include "small_stack.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

TEST_F(ForestTest, DeleteTakesTheSubtreeAndASelectionInsideIt)
{
    forest.Select(chest);
    forest.Delete(abdomen);
    EXPECT_EQ(forest.Selected(), nullptr);
    EXPECT_EQ(forest.NodeCount(), 5);
    EXPECT_EQ(lThigh->Row(), 0);
    EXPECT_THAT(PreOrder(forest), ElementsAre("1 hip yzx", "2 lThigh yzx", "#note", "1 rThigh yzx", "2 rShin yzx"));

    forest.Select(rShin);
    forest.Delete(note);
    EXPECT_EQ(forest.Selected(), rShin);
    EXPECT_EQ(rThigh->Row(), 1);
    EXPECT_EQ(forest.AbsoluteIndex(rShin), 3);
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

        forest->Delete(forest->NodeAt(1));
        EXPECT_EQ(forest->NodeCount(), 1);
        node = forest->First();
        for (int level = 1; level <= kDepth; ++level)
            node = forest->AddLastChild(node, "x");
        forest.reset();
    });
}
