#include "tree/input_box_edits.h"
#include "tree/level_edit.h"
#include "tree/obj_file_edit.h"
#include "tree/tree_menu.h"
#include "tree_test_support.h"

#include <gtest/gtest.h>

namespace varnoke {
namespace {

using tree_test::BuildForest;
using tree_test::Dump;
using tree_test::ExpectRefused;
using tree_test::NodeWithText;

class TreeEdit : public ::testing::Test {
protected:
    Node* Add(std::string text) { return tree_.AddLastChild(nullptr, std::move(text)); }

    // Fills the level dialog from a node and confirms it unchanged.
    std::string LevelRoundTrip(Node& node)
    {
        const LevelEdit edit = FillLevelDialog(checks_, node);
        EXPECT_FALSE(LevelDialogCheck(edit.values).has_value());
        EditLevelDone(window_, node, edit.level, edit.values);
        return node.Text();
    }

    Forest tree_;
    ForestEdits edits_ { tree_ };
    CheckState checks_;
    TreeWindow window_ { edits_, checks_ };
};

TEST_F(TreeEdit, CommentAndIllegalBoxesWriteBackWhatTheyGiveAlsoAfterCancel)
{
    Node* comment = Add("#old note");
    const InputBoxRequest box = EditCommentBox(*comment);
    EXPECT_EQ(box.caption, "Edit Comment");
    EXPECT_EQ(box.prompt, "Comment");
    EXPECT_EQ(box.initialText, "old note");
    EditCommentDone(window_, *comment, box.initialText);
    EXPECT_EQ(comment->Text(), "#old note");
    EXPECT_TRUE(window_.edited);
    EditCommentDone(window_, *comment, "");
    EXPECT_EQ(comment->Text(), "#");

    Node* illegal = Add("objFile");
    const InputBoxRequest fix = EditIllegalBox(*illegal);
    EXPECT_EQ(fix.caption, "Illegal command, please fix");
    EXPECT_EQ(fix.prompt, "Command");
    EXPECT_EQ(fix.initialText, "objFile");
    window_.edited = false;
    EditIllegalDone(window_, *illegal, "");
    EXPECT_EQ(illegal->Text(), "");
    EXPECT_TRUE(window_.edited);
}

TEST_F(TreeEdit, AddCommentHeadsTheTreeOnlyWithAnEntry)
{
    Node* hip = Add("1 hip yzx");
    window_.selected = hip;
    const InputBoxRequest box = AddCommentBox();
    EXPECT_EQ(box.caption, "Add comment");
    EXPECT_EQ(box.initialText, "");
    AddCommentNode(window_, box.initialText);
    EXPECT_EQ(tree_.NodeCount(), 1);
    EXPECT_FALSE(window_.edited);

    AddCommentNode(window_, "abc");
    EXPECT_EQ(Dump(tree_), (std::vector<std::string> { "#abc", "1 hip yzx" }));
    EXPECT_EQ(window_.selected, hip);
    EXPECT_TRUE(window_.edited);
}

TEST_F(TreeEdit, ObjFileDialogShowsThePathAndWritesOnlyWhenConfirmed)
{
    Node* node = Add("objFile   :Runtime:Geometries:a b.obj ");
    EXPECT_EQ(ObjFileDialogPath(*node), ":Runtime:Geometries:a b.obj ");
    EXPECT_EQ(ObjFileDialogCheck(""), "You must supply an OBJ file first.");
    EXPECT_EQ(ObjFileDialogCheck("not a poser path"), std::nullopt);

    EditObjFileDone(window_, *node, std::nullopt);
    EXPECT_EQ(node->Text(), "objFile   :Runtime:Geometries:a b.obj ");
    EXPECT_FALSE(window_.edited);
    EditObjFileDone(window_, *node, ":Runtime:Geometries:x.obj");
    EXPECT_EQ(node->Text(), "objFile :Runtime:Geometries:x.obj");
    EXPECT_TRUE(window_.edited);
}

TEST_F(TreeEdit, LevelDialogIsFilledFromTheLine)
{
    checks_.FObjParts.AddAll({ "abdomen", "lShin" });
    LevelEdit edit = FillLevelDialog(checks_, *Add("2 abdomen yzx curve"));
    EXPECT_EQ(edit.level, 2);
    EXPECT_EQ(edit.values.name, "abdomen");
    EXPECT_EQ(kRotationOrders[static_cast<std::size_t>(edit.values.rotation)], "yzx");
    EXPECT_TRUE(edit.values.curved);
    EXPECT_EQ(edit.values.objPath, "");

    edit = FillLevelDialog(checks_, *Add("3 lShin zxy :Runtime:Geometries:legs.obj"));
    EXPECT_FALSE(edit.values.curved);
    EXPECT_EQ(edit.values.objPath, ":Runtime:Geometries:legs.obj");

    EXPECT_EQ(FillLevelDialog(checks_, *Add("2 lShin XZY")).values.rotation, 1);
    EXPECT_EQ(FillLevelDialog(checks_, *Add("2 lShin xy")).values.rotation, 0);
    EXPECT_FALSE(FillLevelDialog(checks_, *Add("2 lShin xyz Curve")).values.curved);
    EXPECT_EQ(FillLevelDialog(checks_, *Add("7")).level, 7);

    // The fill reads the line as a test would: it defines the part and reports defects on line 1.
    EXPECT_EQ(checks_.FDefinedParts.Count(), 5);
    EXPECT_EQ(checks_.diagnostics.Entries().back().Text(), "1 Error: Syntax error/missing argument");
}

TEST_F(TreeEdit, LevelDialogWritesTheFieldsBackWithTheLevelKept)
{
    Node* abdomen = Add("2  abdomen yzx curve");
    EXPECT_EQ(LevelRoundTrip(*abdomen), "2 abdomen yzx curve");
    Node* lShin = Add("3 lShin zxy curve :Runtime:Geometries:legs.obj");
    EXPECT_EQ(LevelRoundTrip(*lShin), "3 lShin zxy curve :Runtime:Geometries:legs.obj");
    Node* upper = Add("2 lShin XZY");
    EXPECT_EQ(LevelRoundTrip(*upper), "2 lShin xzy");
    EXPECT_TRUE(window_.edited);

    EXPECT_EQ(LevelLineText(4, { "new name", 5, false, ":a:b.obj" }), "4 new name zyx :a:b.obj");

    window_.edited = false;
    EditLevelDone(window_, *abdomen, 9, std::nullopt);
    EXPECT_EQ(abdomen->Text(), "2 abdomen yzx curve");
    EXPECT_FALSE(window_.edited);
}

TEST_F(TreeEdit, LevelDialogChecksANameAndARotation)
{
    ExpectRefused(LevelDialogCheck({ "", 0, false, "" }), "You must supply a name for the part first.",
                  LevelField::name);
    ExpectRefused(LevelDialogCheck({ "hip", -1, false, "" }), "You must select one of the rotation orders.",
                  LevelField::rotation);
    EXPECT_FALSE(LevelDialogCheck({ "  ", 3, false, "" }).has_value());
}

TEST_F(TreeEdit, TreeMenuEnablesByViewSelectionAndKind)
{
    BuildForest(tree_, { "#c", "objFile :a:b.obj", "1 hip yzx", "ikChain x hip", "", "objFile", "ikChain\tx" });
    EXPECT_EQ(TreeMenuStateFor(window_).edit, false);
    EXPECT_EQ(TreeMenuStateFor(window_).addComment, true);
    EXPECT_EQ(TreeMenuStateFor(window_).addIKChain, true);

    for (const char* deletable : { "#c", "ikChain x hip", "", "objFile", "ikChain\tx" }) {
        window_.selected = NodeWithText(tree_, deletable);
        EXPECT_TRUE(TreeMenuStateFor(window_).edit);
        EXPECT_TRUE(TreeMenuStateFor(window_).remove) << deletable;
    }
    for (const char* kept : { "objFile :a:b.obj", "1 hip yzx" }) {
        window_.selected = NodeWithText(tree_, kept);
        EXPECT_TRUE(TreeMenuStateFor(window_).edit);
        EXPECT_FALSE(TreeMenuStateFor(window_).remove) << kept;
    }

    window_.FTextMode = true;
    const TreeMenuState menu = TreeMenuStateFor(window_);
    EXPECT_FALSE(menu.edit || menu.addComment || menu.addIKChain || menu.remove);
}

TEST_F(TreeEdit, DeleteTakesTheSelectedSubtree)
{
    BuildForest(tree_, { "1 hip yzx", "\t2 abdomen yzx", "\t\t3 chest yzx", "#c" });
    DeleteSelectedNode(window_);
    EXPECT_EQ(tree_.NodeCount(), 4);
    EXPECT_FALSE(window_.edited);

    window_.selected = NodeWithText(tree_, "2 abdomen yzx");
    DeleteSelectedNode(window_);
    EXPECT_EQ(Dump(tree_), (std::vector<std::string> { "1 hip yzx", "#c" }));
    EXPECT_EQ(window_.selected, nullptr);
    // Set in the window's own flag, not in a copy.
    EXPECT_TRUE(window_.edited);
}

} // namespace
} // namespace varnoke
