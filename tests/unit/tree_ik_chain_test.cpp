#include "tree/ik_chain_commands.h"
#include "tree_test_support.h"

#include <gtest/gtest.h>

namespace varnoke {
namespace {

using tree_test::BuildForest;
using tree_test::Dump;
using tree_test::ExpectRefused;
using tree_test::NodeWithText;

class IKChain : public ::testing::Test {
protected:
    IKChain()
    {
        BuildForest(tree_,
                    { "#figure", "objFile :Runtime:Geometries:f.obj", "1 hip yzx", "\t2 abdomen yzx", "\t\t3 chest yzx",
                      "\t2 lThigh yzx", "\t\t3 lShin yzx", "\t\t\t4 lFoot zxy", "\t\t\t4 lToe zxy",
                      "ikChain leftLeg lThigh lShin lFoot" });
        checks_.FObjParts.AddAll({ "hip", "abdomen", "chest", "lThigh", "lShin", "lFoot", "lToe" });
    }

    Node* At(std::string_view text) { return NodeWithText(tree_, text); }
    std::string BottomSelection() const { return dialog_.BottomSelected ? dialog_.BottomSelected->Text() : "(none)"; }

    Forest tree_;
    ForestEdits edits_ { tree_ };
    CheckState checks_;
    TreeWindow window_ { edits_, checks_ };
    IKChainDialog dialog_;
};

TEST_F(IKChain, ShowTopSelectionCopiesTheFirstPartAndProposesTheEndOfItsLastBranch)
{
    dialog_.topTree.CopySubtree(At("1 hip yzx"), nullptr);
    dialog_.TopSelected = NodeWithText(dialog_.topTree, "2 lThigh yzx");
    dialog_.ShowTopSelection();
    EXPECT_EQ(Dump(dialog_.bottomTree),
              (std::vector<std::string> { "2 lThigh yzx", "\t3 lShin yzx", "\t\t4 lFoot zxy", "\t\t4 lToe zxy" }));
    EXPECT_EQ(BottomSelection(), "4 lToe zxy");

    dialog_.BottomSelected = dialog_.bottomTree.First();
    dialog_.ShowTopSelection();
    EXPECT_EQ(BottomSelection(), "4 lToe zxy");

    dialog_.FSeeding = true;
    dialog_.ShowTopSelection();
    EXPECT_EQ(BottomSelection(), "(none)");

    dialog_.TopSelected = nullptr;
    dialog_.ShowTopSelection();
    EXPECT_EQ(dialog_.bottomTree.NodeCount(), 0);
}

TEST_F(IKChain, OKChecksNameSelectionsAndLength)
{
    ExpectRefused(dialog_.Check(), "You must supply an name for the IK chain first.", ChainField::name);
    dialog_.name = " ";
    ExpectRefused(dialog_.Check(), "You must select the first part of the IK chain.", ChainField::firstPart);
    dialog_.topTree.CopySubtree(At("2 lThigh yzx"), nullptr);
    dialog_.TopSelected = dialog_.topTree.First();
    dialog_.FSeeding = true;
    dialog_.ShowTopSelection();
    ExpectRefused(dialog_.Check(), "You must select the last part of the IK chain.", ChainField::lastPart);
    dialog_.BottomSelected = dialog_.bottomTree.First();
    ExpectRefused(dialog_.Check(), "The IK chain is too short to be valid", ChainField::lastPart);
    dialog_.BottomSelected = dialog_.bottomTree.First()->Child(0);
    EXPECT_FALSE(dialog_.Check().has_value());
}

TEST_F(IKChain, AddRefusesAChildlessSelectionAndATreeWithoutParts)
{
    dialog_.name = "stale";
    window_.selected = At("4 lFoot zxy");
    EXPECT_EQ(StartAddIKChain(window_, dialog_), "Please select the topmost part to make an IK chain");
    EXPECT_EQ(dialog_.name, "");
    EXPECT_EQ(dialog_.topTree.NodeCount(), 0);

    Forest empty;
    ForestEdits emptyEdits(empty);
    TreeWindow emptyWindow { emptyEdits, checks_ };
    EXPECT_EQ(StartAddIKChain(emptyWindow, dialog_), "You must have a hierarchy built before adding an IK chain");

    Forest noParts;
    BuildForest(noParts, { "#only", "objFile :a:b.obj" });
    ForestEdits noPartsEdits(noParts);
    TreeWindow noPartsWindow { noPartsEdits, checks_ };
    EXPECT_EQ(StartAddIKChain(noPartsWindow, dialog_), "You must have a hierarchy built before adding an IK chain");
}

TEST_F(IKChain, AddStartsFromTheSelectedPartOrTheFirstPartAndAppendsTheChain)
{
    EXPECT_EQ(StartAddIKChain(window_, dialog_), std::nullopt);
    EXPECT_EQ(dialog_.TopSelected->Text(), "1 hip yzx");
    EXPECT_EQ(BottomSelection(), "4 lToe zxy");

    window_.selected = At("2 lThigh yzx");
    ASSERT_EQ(StartAddIKChain(window_, dialog_), std::nullopt);
    EXPECT_EQ(dialog_.topTree.NodeCount(), 4);
    dialog_.name = "leftToe";
    AddIKChainDone(window_, dialog_, false);
    EXPECT_FALSE(window_.edited);
    AddIKChainDone(window_, dialog_, true);
    EXPECT_TRUE(window_.edited);
    EXPECT_EQ(Dump(tree_).back(), "ikChain leftToe lThigh lShin lToe");
    EXPECT_EQ(window_.selected, At("2 lThigh yzx"));
}

TEST_F(IKChain, EditSeedsFromTheLineAndPreselectsItsLastPart)
{
    Node* chain = At("ikChain leftLeg lThigh lShin lFoot");
    ASSERT_EQ(FillIKChainDialog(window_, *chain, dialog_), std::nullopt);
    EXPECT_EQ(dialog_.name, "leftLeg");
    EXPECT_EQ(dialog_.TopSelected->Text(), "2 lThigh yzx");
    EXPECT_EQ(BottomSelection(), "4 lFoot zxy");
    EXPECT_FALSE(dialog_.FSeeding);

    dialog_.name = "leg";
    EditIKChainDone(window_, *chain, dialog_, true);
    EXPECT_EQ(chain->Text(), "ikChain leg lThigh lShin lFoot");
    EXPECT_TRUE(window_.edited);

    // A last word that names no part of the copied subtree (here a tab joins two) selects nothing.
    edits_.SetText(*chain, "ikChain leftLeg  lThigh lShin\tlFoot ");
    FillIKChainDialog(window_, *chain, dialog_);
    EXPECT_EQ(BottomSelection(), "(none)");
    ExpectRefused(dialog_.Check(), "You must select the last part of the IK chain.", ChainField::lastPart);
}

TEST_F(IKChain, EditReadsTheNameWithItsWidth)
{
    const std::string longName(45, 'n');
    Node* chain = tree_.AddLastChild(nullptr, "ikChain " + longName + " lFoot");
    FillIKChainDialog(window_, *chain, dialog_);
    EXPECT_EQ(dialog_.name, longName.substr(0, 39));
    // The rest of the name was read as the first part, which no node has: seeded as Add would.
    EXPECT_EQ(dialog_.TopSelected->Text(), "1 hip yzx");
}

TEST_F(IKChain, EditOfAChainWhoseFirstPartIsGoneIsSeededAsAddWould)
{
    Node* chain = tree_.AddLastChild(nullptr, "ikChain arm lShldr lForeArm");
    ASSERT_EQ(FillIKChainDialog(window_, *chain, dialog_), std::nullopt);
    EXPECT_EQ(dialog_.name, "arm");
    EXPECT_EQ(dialog_.TopSelected->Text(), "1 hip yzx");
    EXPECT_EQ(BottomSelection(), "4 lToe zxy");

    Forest noParts;
    Node* lone = noParts.AddLastChild(nullptr, "ikChain arm lShldr lForeArm");
    ForestEdits noPartsEdits(noParts);
    TreeWindow noPartsWindow { noPartsEdits, checks_ };
    EXPECT_EQ(FillIKChainDialog(noPartsWindow, *lone, dialog_),
              "You must have a hierarchy built before adding an IK chain");
    EXPECT_EQ(dialog_.name, "arm");
}

} // namespace
} // namespace varnoke
