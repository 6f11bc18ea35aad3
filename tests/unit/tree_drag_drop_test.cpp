#include "tree/drag_drop.h"
#include "tree/step_names.h"
#include "tree_test_support.h"

#include <gtest/gtest.h>

namespace varnoke {
namespace {

using tree_test::BuildForest;
using tree_test::Dump;
using tree_test::NodeWithText;

class TreeDragDrop : public ::testing::Test {
protected:
    TreeDragDrop()
    {
        BuildForest(tree_,
                    { "#head", "objFile :Runtime:Geometries:f.obj", "1 hip yzx", "\t2 abdomen yzx", "\t\t3 chest yzx",
                      "\t2 lThigh yzx", "\t\t3 lShin yzx", "\t\t\t4 lFoot zxy", "ikChain leftLeg lThigh lShin lFoot",
                      "-1 odd" });
    }

    Node* At(std::string_view text) { return NodeWithText(tree_, text); }
    void Drag(std::string_view text) { window_.selected = At(text); }

    Forest tree_;
    ForestEdits edits_ { tree_ };
    CheckState checks_;
    TreeWindow window_ { edits_, checks_ };
};

TEST_F(TreeDragDrop, AcceptsOnlyLevelOnLevelOrNonLevelOnNonLevel)
{
    Drag("3 lShin yzx");
    EXPECT_TRUE(CanDropOn(window_, true, At("1 hip yzx")));
    EXPECT_TRUE(CanDropOn(window_, true, At("3 lShin yzx")));
    EXPECT_FALSE(CanDropOn(window_, true, At("#head")));
    EXPECT_FALSE(CanDropOn(window_, false, At("1 hip yzx")));
    EXPECT_FALSE(CanDropOn(window_, true, nullptr));

    Drag("#head");
    EXPECT_TRUE(CanDropOn(window_, true, At("objFile :Runtime:Geometries:f.obj")));
    EXPECT_FALSE(CanDropOn(window_, true, At("1 hip yzx")));
    EXPECT_FALSE(CanDropOn(window_, true, At("-1 odd")));

    Drag("-1 odd");
    EXPECT_FALSE(CanDropOn(window_, true, At("#head")));
    EXPECT_FALSE(CanDropOn(window_, true, At("1 hip yzx")));

    window_.selected = nullptr;
    EXPECT_FALSE(CanDropOn(window_, true, At("1 hip yzx")));
}

TEST_F(TreeDragDrop, ALevelNodeDroppedOnALabelBecomesItsLastChildRenumbered)
{
    Drag("3 lShin yzx");
    DropOn(window_, At("1 hip yzx"), drOnNode);
    EXPECT_TRUE(window_.edited);
    EXPECT_EQ(window_.selected, At("2 lShin yzx"));
    EXPECT_EQ(Dump(tree_),
              (std::vector<std::string> { "#head", "objFile :Runtime:Geometries:f.obj", "1 hip yzx", "\t2 abdomen yzx",
                                          "\t\t3 chest yzx", "\t2 lThigh yzx", "\t2 lShin yzx", "\t\t3 lFoot zxy",
                                          "ikChain leftLeg lThigh lShin lFoot", "-1 odd" }));
}

TEST_F(TreeDragDrop, ALevelNodeDroppedOnAnIndentGoesBeforeTheTarget)
{
    Drag("3 lShin yzx");
    DropOn(window_, At("3 chest yzx"), drIndent);
    EXPECT_EQ(Dump(tree_)[3], "\t2 abdomen yzx");
    EXPECT_EQ(Dump(tree_)[4], "\t\t3 lShin yzx");
    EXPECT_EQ(Dump(tree_)[5], "\t\t\t4 lFoot zxy");
    EXPECT_EQ(Dump(tree_)[6], "\t\t3 chest yzx");
}

TEST_F(TreeDragDrop, ALevelNodeLeftAtTheTopLevelBecomesLevelOne)
{
    Drag("3 lShin yzx");
    DropOn(window_, At("1 hip yzx"), drIndent);
    EXPECT_EQ(Dump(tree_)[2], "1 lShin yzx");
    EXPECT_EQ(Dump(tree_)[3], "\t2 lFoot zxy");
    EXPECT_EQ(Dump(tree_)[4], "1 hip yzx");
}

TEST_F(TreeDragDrop, ANonLevelNodeGoesBeforeTheNonLevelTargetWhateverTheRegion)
{
    Drag("ikChain leftLeg lThigh lShin lFoot");
    DropOn(window_, At("#head"), drOther);
    EXPECT_TRUE(window_.edited);
    EXPECT_EQ(Dump(tree_).front(), "ikChain leftLeg lThigh lShin lFoot");
    EXPECT_EQ(Dump(tree_)[1], "#head");
}

TEST_F(TreeDragDrop, DropsThatMoveNothing)
{
    const std::vector<std::string> before = Dump(tree_);

    Drag("2 lThigh yzx");
    DropOn(window_, At("2 lThigh yzx"), drOnNode);
    EXPECT_FALSE(window_.edited);

    DropOn(window_, At("2 abdomen yzx"), drOther);
    EXPECT_TRUE(window_.edited);
    EXPECT_EQ(Dump(tree_), before);

    DropOn(window_, At("4 lFoot zxy"), drOnNode);
    DropOn(window_, At("3 lShin yzx"), drIndent);
    EXPECT_EQ(Dump(tree_), before);

    window_.edited = false;
    window_.selected = nullptr;
    DropOn(window_, At("1 hip yzx"), drOnNode);
    EXPECT_FALSE(window_.edited);
    EXPECT_EQ(Dump(tree_), before);
}

// The plan made while dragging is what the drop then does, for every pair of nodes and
// every region: where the node lands (or that it stays), and whether it counts as an
// edit. Planning changes nothing.
TEST_F(TreeDragDrop, ThePlanIsWhatTheDropDoes)
{
    const std::vector<std::string> lines = Dump(tree_);
    const int count = tree_.NodeCount();
    for (int from = 0; from < count; ++from) {
        for (int to = 0; to < count; ++to) {
            for (const DropRegion region : { drOnNode, drIndent, drOther }) {
                window_.selected = tree_.NodeAt(from);
                if (!CanDropOn(window_, true, tree_.NodeAt(to)))
                    continue;
                const DropPlan plan = PlanDrop(window_, tree_.NodeAt(to), region);
                ASSERT_EQ(Dump(tree_), lines);

                Forest dropped;
                BuildForest(dropped, lines);
                ForestEdits edits(dropped);
                CheckState checks;
                TreeWindow window { edits, checks };
                Node* node = dropped.NodeAt(from);
                window.selected = node;
                const Node* oldParent = node->Parent();
                const int oldRow = node->Row();
                const Node* planned = plan.destination && plan.destination->parent
                    ? dropped.NodeAt(tree_.AbsoluteIndex(plan.destination->parent))
                    : nullptr;
                const DropMark mark = MarkOf(plan, tree_.NodeAt(to));
                Node* target = dropped.NodeAt(to);
                DropOn(window, target, region);
                SCOPED_TRACE(lines[static_cast<std::size_t>(from)] + " on " + lines[static_cast<std::size_t>(to)]);
                EXPECT_EQ(window.edited, plan.edit);
                EXPECT_EQ(window.selected, node);
                // The mark shown while dragging says where the node then is.
                switch (mark) {
                case dmNone:
                    EXPECT_FALSE(plan.destination);
                    break;
                case dmBefore:
                    EXPECT_EQ(node->Parent(), target->Parent());
                    EXPECT_EQ(node->Row() + 1, target->Row());
                    break;
                case dmLastChild:
                    EXPECT_EQ(node->Parent(), target);
                    EXPECT_EQ(node->Row() + 1, target->ChildCount());
                    break;
                }
                if (!plan.destination) {
                    EXPECT_EQ(node->Parent(), oldParent);
                    EXPECT_EQ(node->Row(), oldRow);
                    continue;
                }
                EXPECT_EQ(node->Parent(), planned);
                const bool sameParent = planned == oldParent;
                const int row = plan.destination->row;
                EXPECT_EQ(node->Row(), sameParent && row > oldRow ? row - 1 : row);
            }
        }
    }
}

TEST_F(TreeDragDrop, StepNamesSayWhatMovedWhere)
{
    EXPECT_EQ(MoveStepName(*At("3 lShin yzx"), *At("1 hip yzx"), true), "Move lShin under hip");
    EXPECT_EQ(MoveStepName(*At("ikChain leftLeg lThigh lShin lFoot"), *At("#head"), false),
              "Move ikChain leftLeg lThigh lShin lFoot before #head");
    EXPECT_EQ(EditStepName(*At("objFile :Runtime:Geometries:f.obj")), "Edit objFile :Runtime:Geometries:f.obj");
    EXPECT_EQ(DeleteStepName(*At("-1 odd")), "Delete -1 odd");
    Node* comment = At("#head");
    edits_.SetText(*comment, "#" + std::string(60, 'x'));
    EXPECT_EQ(EditStepName(*comment), "Edit #" + std::string(36, 'x') + "...");
    EXPECT_EQ(AddIKChainStepName("rightArm"), "Add IK chain rightArm");
}

} // namespace
} // namespace varnoke
