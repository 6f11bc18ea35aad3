#include "hierarchy/hierarchy_check.h"
#include "temp_poser_folder.h"
#include "tree/tree_to_text.h"

#include <gtest/gtest.h>

namespace varnoke {
namespace {

std::string ObjWithGroups(std::initializer_list<const char*> groups)
{
    std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (const char* group : groups)
        obj += std::string("g ") + group + "\nf 1 2 3\n";
    return obj;
}

struct RoundTripCase {
    const char* name;
    std::vector<std::string> lines;
    // The text written from the tree when it differs from the input.
    std::vector<std::string> written;
};

class TreeRoundTrip : public ::testing::TestWithParam<RoundTripCase> { };

// A tested text written back from its tree is tidy, so a test changes none of its lines,
// and it tests with the same diagnostics.
TEST_P(TreeRoundTrip, TextAndDiagnosticsSurviveTheTree)
{
    varnoke::testing::TempPoserFolder folder;
    folder.WriteGeometry("Figure/body.obj",
                         ObjWithGroups({ "hip", "abdomen", "chest", "neck", "head", "lThigh", "lShin", "lFoot",
                                         "rThigh", "rShin", "rFoot", "tail" }));
    folder.WriteGeometry("Figure/hands.obj", ObjWithGroups({ "lHand", "rHand", "head" }));
    folder.WriteGeometry("Figure/hair.obj", ObjWithGroups({ "hairBack" }));

    CheckState checks;
    GeometryFolders folders;
    folders.poserFolder = folder.Path();
    LineList lines(GetParam().lines);
    Forest tree;
    const bool passed = TestHierarchy(checks, folders, lines, tree, "figure.phi");
    const std::vector<std::string> diagnostics = checks.diagnostics.Texts();
    ASSERT_FALSE(diagnostics.empty());

    TreeToText(tree, lines);
    const std::vector<std::string> written = GetParam().written.empty() ? GetParam().lines : GetParam().written;
    EXPECT_EQ(lines.Lines(), written);
    EXPECT_EQ(TestHierarchy(checks, folders, lines, tree, "figure.phi"), passed);
    EXPECT_EQ(checks.diagnostics.Texts(), diagnostics);
    EXPECT_EQ(lines.Lines(), written);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, TreeRoundTrip,
    ::testing::Values(
        RoundTripCase { "SoundFigure",
                        { "#Figure by hand", "objFile :Runtime:Geometries:Figure:body.obj", "1 hip yzx",
                          "\t2 abdomen yzx curve", "\t\t3 chest yzx curve", "\t\t\t4 neck yzx", "\t\t\t\t5 head yzx",
                          "\t2 lThigh yzx", "\t\t3 lShin yzx", "\t\t\t4 lFoot zxy", "\t2 rThigh yzx", "\t\t3 rShin yzx",
                          "\t\t\t4 rFoot zxy", "\t2 tail xyz curve", "ikChain leftLeg lThigh lShin lFoot",
                          "ikChain rightLeg rThigh rShin rFoot" },
                        {} },
        RoundTripCase { "UntidyWithWarningsAndOwnGeometry",
                        { "   #indented note", "objFile   :Runtime:Geometries:Figure:body.obj",
                          "objFile :Runtime:Geometries:Figure:hands.obj", "", "1  hip yzx", "  2 abdomen yzx",
                          "\t\t\t3 chest yzx", "   4 neck yzx", "4 hairBack xyz :Runtime:Geometries:Figure:hair.obj",
                          "2\tlThigh yzx", "3 lShin yzx", "  ikChain leg lThigh lShin" },
                        { "#indented note", "objFile   :Runtime:Geometries:Figure:body.obj",
                          "objFile :Runtime:Geometries:Figure:hands.obj", "", "1 hip yzx", "\t2 abdomen yzx",
                          "\t\t3 chest yzx", "\t\t\t4 neck yzx",
                          "\t\t\t4 hairBack xyz :Runtime:Geometries:Figure:hair.obj", "\t2 lThigh yzx",
                          "\t\t3 lShin yzx", "ikChain leg lThigh lShin" } },
        RoundTripCase { "CommentInsideASubtreeMovesAfterIt",
                        { "objFile :Runtime:Geometries:Figure:body.obj", "1 hip yzx", "#the legs", "\t2 lThigh yzx",
                          "\t\t3 lShin yzx", "1 tail xyz" },
                        { "objFile :Runtime:Geometries:Figure:body.obj", "1 hip yzx", "\t2 lThigh yzx",
                          "\t\t3 lShin yzx", "#the legs", "1 tail xyz" } },
        RoundTripCase { "FaultyLinesThatKeepTheirNodes",
                        { "objFile :Runtime:Geometries:Figure:body.obj", "1 hip XYZ", "\t2 abdomen yzx bend",
                          "\t2 lThigh yzx curve extra", "\t2 unknown yzx", "\t\t3 tail yzx curve :a:b.obj x y",
                          "objFile :Runtime:Geometries:Figure:missing.obj", "ikChain hip abdomen hip",
                          "ikChain torso chest" },
                        {} }),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace varnoke
