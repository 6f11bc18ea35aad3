#include "hierarchy/line_format.h"
#include "tree/chain_parts.h"
#include "tree/renumber.h"
#include "tree/tree_edits.h"
#include "tree/tree_to_text.h"
#include "tree_test_support.h"

#include <gtest/gtest.h>

namespace varnoke {
namespace {

using tree_test::BuildForest;
using tree_test::Dump;
using tree_test::NodeWithText;

std::string LineOf(const std::string& text)
{
    return NodeToLine(Node(text));
}

TEST(NodeToLine, IndentsLevelLinesAndKeepsOtherTexts)
{
    EXPECT_EQ(LineOf("1 hip yzx"), "1 hip yzx");
    EXPECT_EQ(LineOf("3 chest yzx curve"), "\t\t3 chest yzx curve");
    EXPECT_EQ(LineOf("2\tlShin   zxy"), "\t2 lShin   zxy");
    EXPECT_EQ(LineOf("  +2  lShin zxy"), "\t2 lShin zxy");
    for (const char* kept : { "0 hip xyz", "3", "3   ", "-2 hip xyz", "#1 hip xyz", "objFile :Runtime:Geometries:a.obj",
                              "ikChain leftLeg lThigh lShin", "", "hip 2 xyz" })
        EXPECT_EQ(LineOf(kept), kept) << kept;
}

TEST(NodeToLine, ALevelTooDeepToIndentKeepsItsText)
{
    EXPECT_EQ(LineOf("99999999999999 hip xyz"), "99999999999999 hip xyz");
    // The deepest level whose line stays within 611 characters is still indented.
    const std::string deepest = "601 hip xyz";
    EXPECT_EQ(LineOf(deepest), std::string(600, '\t') + deepest);
    EXPECT_EQ(LineOf("602 hip xyz"), "602 hip xyz");
}

TEST(TreeToText, WritesEveryNodeInAbsoluteOrderOverTheWholeDocument)
{
    Forest tree;
    BuildForest(tree,
                { "#head", "objFile :Runtime:Geometries:f.obj", "1 hip yzx", "\t2 abdomen yzx", "\t\t3 chest yzx curve",
                  "\t2 lThigh yzx", "#note", "ikChain leg lThigh", "" });
    LineList lines({ "old", "lines", "go" });
    TreeToText(tree, lines);
    EXPECT_EQ(
        lines.Lines(),
        (std::vector<std::string> { "#head", "objFile :Runtime:Geometries:f.obj", "1 hip yzx", "\t2 abdomen yzx",
                                    "\t\t3 chest yzx curve", "\t2 lThigh yzx", "#note", "ikChain leg lThigh", "" }));

    Forest empty;
    TreeToText(empty, lines);
    EXPECT_TRUE(lines.Lines().empty());
}

TEST(RenumberSubtree, FollowsTheNewParentAcrossLevels)
{
    Forest tree;
    BuildForest(tree,
                { "1 hip yzx", "\t2 abdomen yzx", "\t\t3 chest yzx", "\t2 lThigh yzx", "\t\t3 lShin yzx",
                  "\t\t\t4 lFoot zxy" });
    ForestEdits edits(tree);
    Node* lThigh = NodeWithText(tree, "2 lThigh yzx");
    tree.Move(lThigh, NodeWithText(tree, "3 chest yzx"), amAddChild);
    RenumberSubtree(edits, *lThigh);
    EXPECT_EQ(Dump(tree),
              (std::vector<std::string> { "1 hip yzx", "\t2 abdomen yzx", "\t\t3 chest yzx", "\t\t\t4 lThigh yzx",
                                          "\t\t\t\t5 lShin yzx", "\t\t\t\t\t6 lFoot zxy" }));
}

TEST(RenumberSubtree, RewritesFromThePartNameFieldEvenWhenTheNameIsDigits)
{
    Forest tree;
    BuildForest(tree, { "1 hip yzx", "\t2 a yzx", "\t\t3 b yzx", "12 2 xyz", "\t+13\t\t7 xyz curve", "\t13" });
    ForestEdits edits(tree);
    Node* moved = NodeWithText(tree, "12 2 xyz");
    tree.Move(moved, NodeWithText(tree, "3 b yzx"), amAddChild);
    RenumberSubtree(edits, *moved);
    EXPECT_EQ(Dump(tree),
              (std::vector<std::string> { "1 hip yzx", "\t2 a yzx", "\t\t3 b yzx", "\t\t\t4 2 xyz",
                                          "\t\t\t\t5 7 xyz curve", "\t\t\t\t5" }));
}

TEST(RenumberSubtree, GivesATopLevelNodeLevelOneAndKeepsTextsWithoutANumber)
{
    Forest tree;
    BuildForest(tree, { "3 lShin yzx", "\t4 lFoot zxy", "\t#stray" });
    ForestEdits edits(tree);
    RenumberSubtree(edits, *tree.First());
    EXPECT_EQ(Dump(tree), (std::vector<std::string> { "1 lShin yzx", "\t2 lFoot zxy", "\t#stray" }));
}

TEST(RenumberSubtree, HandlesTheLargestLevelAndAnyDepthWithoutRecursion)
{
    Forest tree;
    Node* top = tree.AddLastChild(nullptr, "2147483647 top xyz");
    Node* node = tree.AddLastChild(top, "5 a xyz");
    constexpr int depth = 100000;
    for (int i = 0; i < depth; ++i)
        node = tree.AddLastChild(node, "9 part xyz");
    ForestEdits edits(tree);
    RenumberSubtree(edits, *top->Child(0));
    EXPECT_EQ(top->Child(0)->Text(), "2147483648 a xyz");
    EXPECT_EQ(node->Text(), "2147483648 part xyz");

    tree.Clear();
    node = tree.AddLastChild(nullptr, "1 hip xyz");
    for (int i = 0; i < depth; ++i)
        node = tree.AddLastChild(node, "1 part xyz");
    RenumberSubtree(edits, *tree.First());
    EXPECT_EQ(node->Text(), std::to_string(depth + 1) + " part xyz");
}

TEST(AppendChainParts, NamesThePartsFromTheTopDownAndRegistersThemAsATestWould)
{
    Forest source;
    BuildForest(source, { "1 hip yzx", "\t2 lThigh yzx", "\t\t3 lShin yzx", "\t\t\t4 lFoot zxy" });
    Forest copy;
    copy.CopySubtree(NodeWithText(source, "2 lThigh yzx"), nullptr);

    CheckState checks;
    checks.FObjParts.AddAll({ "hip", "lThigh", "lFoot" });
    std::string text = "ikChain leftLeg";
    AppendChainParts(checks, text, *copy.Last());
    EXPECT_EQ(text, "ikChain leftLeg lThigh lShin lFoot");
    EXPECT_EQ(checks.FDefinedParts.Names(), (std::vector<std::string> { "lThigh", "lShin", "lFoot" }));
    ASSERT_EQ(checks.diagnostics.Entries().size(), 1u);
    EXPECT_EQ(checks.diagnostics.Entries()[0].Text(), "1 Error: Part 'lShin' was not found in an OBJ file");
    EXPECT_EQ(checks.diagnostics.FErrorCount, 1);
}

} // namespace
} // namespace varnoke
