#include "hierarchy/hierarchy_check.h"
#include "small_stack.h"
#include "temp_poser_folder.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace varnoke;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Lines = std::vector<std::string>;

namespace {

const std::string kBody = "objFile :Runtime:Geometries:fig:body.obj";
const std::string kLegs = "objFile :Runtime:Geometries:fig:legs.obj";

std::string Unused(const std::string& name)
{
    return "0 Warning: Part '" + name + "' found in OBJ was not used, will be ignored by Poser";
}

} // namespace

class HierarchyCheck : public ::testing::Test {
protected:
    HierarchyCheck()
    {
        folders.poserFolder = folder.Path();
        folder.WriteGeometry("fig/body.obj", "g hip\ng abdomen\ng chest\n");
        folder.WriteGeometry("fig/legs.obj", "g lThigh\r\ng lShin\r\ng lFoot\r\n");
    }

    // Tests the text twice, with and without the tree: both must say and rewrite the same.
    bool Run(Lines text, std::string_view fileName = "figure.phi")
    {
        LineList treeless(text);
        CheckState treelessState;
        const bool treelessPassed = TestHierarchy(treelessState, folders, treeless, fileName);
        lines = LineList(std::move(text));
        const bool passed = TestHierarchy(state, folders, lines, tree, fileName);
        EXPECT_EQ(treelessPassed, passed);
        EXPECT_EQ(treelessState.diagnostics.Texts(), Diagnostics());
        EXPECT_EQ(treeless.Lines(), lines.Lines());
        return passed;
    }

    Lines Diagnostics() const { return state.diagnostics.Texts(); }

    // The tree in absolute order, each node's text after one dot per ancestor.
    Lines TreeDump() const
    {
        Lines dump;
        for (const Node* node = tree.First(); node; node = tree.Next(node)) {
            std::string dots;
            for (const Node* up = node->Parent(); up; up = up->Parent())
                dots += '.';
            dump.push_back(dots + node->Text());
        }
        return dump;
    }

    varnoke::testing::TempPoserFolder folder;
    CheckState state;
    GeometryFolders folders;
    LineList lines;
    Forest tree;
};

TEST_F(HierarchyCheck, AnEmptyTextLooksGood)
{
    EXPECT_TRUE(Run({}));
    EXPECT_THAT(Diagnostics(), ElementsAre("Looks good!"));
    EXPECT_EQ(tree.NodeCount(), 0);
    EXPECT_EQ(state.diagnostics.Selected(), -1);
}

TEST_F(HierarchyCheck, TidiesIndentationAndBuildsTheTree)
{
    EXPECT_TRUE(Run({
        "      #Mannikin",
        "\t" + kBody,
        kLegs,
        "1 hip yzx",
        "   2 abdomen yzx curve",
        "3 chest yzx curve",
        "\t2 lThigh yzx",
        "\t\t\t\t3 lShin yzx",
        "   ",
        "4 lFoot zxy",
        "  ikChain leftLeg lThigh lShin lFoot",
        "",
    }));
    EXPECT_THAT(Diagnostics(), ElementsAre("Looks good!"));
    EXPECT_THAT(lines.Lines(),
                ElementsAre("#Mannikin", kBody, kLegs, "1 hip yzx", "\t2 abdomen yzx curve", "\t\t3 chest yzx curve",
                            "\t2 lThigh yzx", "\t\t3 lShin yzx", "   ", "\t\t\t4 lFoot zxy",
                            "ikChain leftLeg lThigh lShin lFoot", ""));
    // Lines already in their tidy form are left alone, so an editor keeps its Modified flag.
    EXPECT_EQ(lines.ReplacedCount(), 7);
    // A line of blanks becomes an empty top-level node, and the level lines after it still join the subtree.
    EXPECT_THAT(TreeDump(),
                ElementsAre("#Mannikin", kBody, kLegs, "1 hip yzx", ".2 abdomen yzx curve", "..3 chest yzx curve",
                            ".2 lThigh yzx", "..3 lShin yzx", "...4 lFoot zxy", "",
                            "ikChain leftLeg lThigh lShin lFoot", ""));
    EXPECT_THAT(state.FChainParts.Names(), ElementsAre("lThigh", "lShin", "lFoot"));

    const Lines tidy = lines.Lines();
    EXPECT_TRUE(Run(tidy));
    EXPECT_EQ(lines.ReplacedCount(), 0);
    EXPECT_EQ(lines.Lines(), tidy);
}

TEST_F(HierarchyCheck, SkippedLevelsNameTheFirstMissingLevel)
{
    EXPECT_FALSE(Run({ kBody, "2 hip yzx", "1 hip yzx", "  3 chest yzx", "4294967297 chest yzx", "2 abdomen yzx",
                       "4 chest yzx", "3 chest yzx" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("2 Error: Level number 1 has been skipped", "4 Error: Level number 2 has been skipped",
                            "5 Error: Level number 2 has been skipped", "7 Error: Level number 3 has been skipped"));
    EXPECT_EQ(lines.Lines()[3], "  3 chest yzx");
    EXPECT_THAT(TreeDump(), ElementsAre(kBody, "1 hip yzx", ".2 abdomen yzx", "..3 chest yzx"));
    // A skipped line defines no part.
    EXPECT_THAT(state.FDefinedParts.Names(), ElementsAre("hip", "abdomen", "chest"));
    EXPECT_EQ(state.diagnostics.Selected(), 0);
}

TEST_F(HierarchyCheck, LevelZeroIsReportedAndTheLinesAfterItAreRead)
{
    EXPECT_FALSE(Run({ kBody, "1 hip yzx", "\t0 abdomen yzx", "1 chest yzx", "2 abdomen yzx" }));
    EXPECT_THAT(Diagnostics(), ElementsAre("3 Error: Level number 0 is not allowed, levels start at 1"));
    EXPECT_THAT(TreeDump(), ElementsAre(kBody, "1 hip yzx", "1 chest yzx", ".2 abdomen yzx"));
    EXPECT_EQ(lines.Lines()[2], "\t0 abdomen yzx");
}

TEST_F(HierarchyCheck, ALevelLineWithoutRotationStillOpensALevelButDefinesNoPart)
{
    EXPECT_FALSE(Run({ kBody, "1 hip", "   2 abdomen yzx", "3 chest yzx" }));
    EXPECT_THAT(Diagnostics(), ElementsAre("2 Error: Syntax error/missing argument", Unused("hip")));
    EXPECT_THAT(TreeDump(), ElementsAre(kBody, "1 hip", ".2 abdomen yzx", "..3 chest yzx"));
    EXPECT_EQ(lines.Lines()[2], "\t2 abdomen yzx");
}

TEST_F(HierarchyCheck, IllegalLinesGetNoNodeAndNoRewrite)
{
    EXPECT_FALSE(Run({ kBody, "hip yzx", "  +1 hip yzx", "-1 hip yzx", "\t\xA0 hip", "Objfile :a.obj", "1 hip yzx" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("2 Error: Illegal command (or missing level number)",
                            "3 Error: Illegal command (or missing level number)",
                            "4 Error: Illegal command (or missing level number)",
                            "5 Error: Illegal command (or missing level number)",
                            "6 Error: Illegal command (or missing level number)", Unused("abdomen"), Unused("chest")));
    EXPECT_EQ(lines.ReplacedCount(), 0);
    EXPECT_THAT(TreeDump(), ElementsAre(kBody, "1 hip yzx"));
}

TEST_F(HierarchyCheck, ObjFileLinesInsideTheHierarchyAreReportedAndStillScanned)
{
    EXPECT_FALSE(
        Run({ kBody, "1 hip yzx", "  " + kLegs, "2 lThigh yzx", "objFile:Runtime:Geometries:fig:x.obj", "objFile " }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("3 Error: objFile command cannot be mixed with hierarchy",
                            "5 Error: objFile command cannot be mixed with hierarchy",
                            "6 Error: objFile command cannot be mixed with hierarchy",
                            "6 Error: Couldn't open file:" + folder.Path() + kLocalSeparator + "Runtime"
                                + kLocalSeparator + "Geometries" + kLocalSeparator,
                            Unused("abdomen"), Unused("chest"), Unused("lShin"), Unused("lFoot")));
    EXPECT_EQ(lines.Lines()[2], kLegs);
    EXPECT_THAT(
        TreeDump(),
        ElementsAre(kBody, "1 hip yzx", ".2 lThigh yzx", kLegs, "objFile:Runtime:Geometries:fig:x.obj", "objFile "));
}

TEST_F(HierarchyCheck, ALevelLinesOwnObjFileIsScannedOnlyAfterItPassedItsChecks)
{
    const std::string legsPath = " :Runtime:Geometries:fig:legs.obj";
    EXPECT_FALSE(Run(
        { kBody, "1 lThigh yzx" + legsPath, "1 hip yzx curve" + legsPath, "2 lShin yzx", "1 chest yzx curve extra" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("2 Error: Part 'lThigh' was not found in an OBJ file",
                            "5 Error: Couldn't open file:" + folder.Path() + "extra", Unused("abdomen"),
                            Unused("lFoot")));
}

TEST_F(HierarchyCheck, ALongLineEndsTheParseOncePerOpenLevelAndUnusedPartsAreStillWarned)
{
    const std::string longest = "   #" + std::string(496, 'c');
    EXPECT_FALSE(Run({ kBody, "1 hip yzx", "2 abdomen yzx", longest, std::string(501, 'x'), "3 chest yzx" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("5 Error: Line length limit exceeded", "5 Error: Line length limit exceeded",
                            "5 Error: Line length limit exceeded", Unused("chest")));
    EXPECT_EQ(lines.Lines()[3], longest.substr(3));
    EXPECT_EQ(lines.Lines()[5], "3 chest yzx");
    EXPECT_THAT(TreeDump(), ElementsAre(kBody, "1 hip yzx", ".2 abdomen yzx", longest.substr(3)));
}

TEST_F(HierarchyCheck, UnusedPartsHeldTwiceAreWarnedTwiceAndWarningsAloneStillPass)
{
    folder.WriteGeometry("fig/dup.obj", "g hip\ng tail\ng tail\ng Hip\n");
    EXPECT_TRUE(Run({ "objFile :Runtime:Geometries:fig:dup.obj", "1 HIP yzx" }));
    EXPECT_THAT(Diagnostics(), ElementsAre(Unused("tail"), Unused("tail")));
    EXPECT_EQ(state.diagnostics.FWarningCount, 2);
    EXPECT_EQ(state.diagnostics.Selected(), -1);
}

TEST_F(HierarchyCheck, CountersAndTheSelectedEntryAfterAFailedTest)
{
    folder.WriteGeometry("fig/hips.obj", "g Hip\n");
    EXPECT_FALSE(Run({ kBody, "objFile :Runtime:Geometries:fig:hips.obj", "1 hip yzx", "2 abdomen xy",
                       "3 ghost yzx curve :a:b.obj x" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("2 Warning: Part 'Hip' found in multiple OBJ files",
                            "4 Error: Rotations must be three characters long",
                            "4 Error: Rotations must be of the form xyz",
                            "5 Error: Part 'ghost' was not found in an OBJ file", "5 Error: Extra argument ignored",
                            Unused("chest")));
    EXPECT_EQ(state.diagnostics.FErrorCount, 4);
    EXPECT_EQ(state.diagnostics.FWarningCount, 2);
    // The first entry is selected, whichever kind it is.
    EXPECT_EQ(state.diagnostics.Selected(), 0);
}

TEST_F(HierarchyCheck, IKChainRules)
{
    const Lines figure
        = { kBody, kLegs, "1 hip yzx", "2 abdomen yzx", "3 chest yzx", "2 lThigh yzx", "3 lShin yzx", "4 lFoot yzx" };
    const std::string childOf = " used in ikChain must be a child of ";
    const std::pair<Lines, Lines> cases[] = {
        { { "ikChain torso abdomen chest" }, { "Looks good!" } },
        { { "ikChain   torso  abdomen   chest  " }, { "Looks good!" } },
        { { "ikChain torso chest abdomen" }, { "9 Error: Part 'abdomen'" + childOf + "'chest' in the hierarchy" } },
        { { "ikChain torso abdomen hip" }, { "9 Error: Part 'hip'" + childOf + "'abdomen' in the hierarchy" } },
        { { "ikChain torso" }, { "9 Error: ikChain requires a name and a list of parts" } },
        { { "ikChain" }, { "9 Error: ikChain requires a name and a list of parts" } },
        { { "ikChain Hip abdomen chest" }, { "9 Error: ikChain's name conflicts with a previously defined part" } },
        { { "ikChain torso abdomen neck" },
          { "9 Error: ikChain is using part neck before its defined (did you use a space in the name?)",
            "9 Error: Part 'neck' used in ikChain was not found in hierarchy" } },
        { { "ikChain torso abdomen chest", "ikChain arm chest lThigh" },
          { "10 Error: Part chest is used in multiple IK chains",
            "10 Error: Part 'lThigh'" + childOf + "'chest' in the hierarchy" } },
        // One word that is both undefined and in an earlier chain: the first rule comes first.
        { { "ikChain a neck", "ikChain b neck" },
          { "9 Error: ikChain is using part neck before its defined (did you use a space in the name?)",
            "10 Error: ikChain is using part neck before its defined (did you use a space in the name?)",
            "10 Error: Part neck is used in multiple IK chains" } },
        // A tab does not separate the words of a chain.
        { { "ikChain torso\tabdomen" }, { "9 Error: ikChain requires a name and a list of parts" } },
        { { "ikChain torso abdomen\tchest" },
          { "9 Error: ikChain is using part abdomen\tchest before its defined (did you use a space in the name?)" } },
        // Defined parts ignore letter case; the hierarchy does not.
        { { "ikChain t Abdomen chest" }, { "9 Error: Part 'chest'" + childOf + "'Abdomen' in the hierarchy" } },
        { { "ikChain t abdomen Chest" }, { "9 Error: Part 'Chest' used in ikChain was not found in hierarchy" } },
    };
    for (const auto& [chains, expected] : cases) {
        SCOPED_TRACE(chains.front());
        Lines text = figure;
        text.insert(text.end(), chains.begin(), chains.end());
        EXPECT_EQ(Run(text), expected.front() == "Looks good!");
        EXPECT_THAT(Diagnostics(), ElementsAreArray(expected));
    }
}

TEST_F(HierarchyCheck, IKChainSeesOnlyTheLinesAboveIt)
{
    EXPECT_FALSE(Run({ kBody, "ikChain torso abdomen chest", "1 hip yzx", "2 abdomen yzx", "3 chest yzx" }));
    EXPECT_THAT(
        Diagnostics(),
        ElementsAre("2 Error: ikChain is using part abdomen before its defined (did you use a space in the name?)",
                    "2 Error: ikChain is using part chest before its defined (did you use a space in the name?)",
                    "2 Error: Part 'chest' used in ikChain was not found in hierarchy"));

    // A part missing from the OBJ files is still defined for the chain.
    EXPECT_FALSE(Run({ kBody, "1 hip yzx", "2 ghost yzx", "ikChain g hip ghost" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("3 Error: Part 'ghost' was not found in an OBJ file", Unused("abdomen"), Unused("chest")));
}

TEST_F(HierarchyCheck, IKChainFindsTheFirstNodeOfThePartInAbsoluteOrder)
{
    const std::string chain = "ikChain t abdomen chest";
    // A comment whose second word is the part, standing before the part's subtree.
    EXPECT_FALSE(Run({ kBody, "# chest", "1 hip yzx", "2 abdomen yzx", "3 chest yzx", chain }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("6 Error: Part 'chest' used in ikChain must be a child of 'abdomen' in the "
                            "hierarchy"));

    // The same comment read inside the subtree follows it, so the level line comes first.
    EXPECT_TRUE(Run({ kBody, "1 hip yzx", "2 abdomen yzx", "# chest", "3 chest yzx", chain }));
    EXPECT_THAT(Diagnostics(), ElementsAre("Looks good!"));

    // An earlier chain whose name is the part.
    EXPECT_FALSE(Run(
        { kBody, kLegs, "1 hip yzx", "ikChain lShin hip", "1 lThigh yzx", "2 lShin yzx", "ikChain leg lThigh lShin" }));
    EXPECT_THAT(Diagnostics(),
                ElementsAre("7 Error: Part 'lShin' used in ikChain must be a child of 'lThigh' in the hierarchy",
                            Unused("abdomen"), Unused("chest"), Unused("lFoot")));
}

TEST_F(HierarchyCheck, AnObjDocumentIsNotTested)
{
    EXPECT_FALSE(Run({ "1 hip xy" }));
    EXPECT_FALSE(Run({ "   #x", "1 hip yzx" }, "C:\\figs\\FIGURE.obj"));
    EXPECT_THAT(Diagnostics(), ElementsAre("OBJ file not tested"));
    EXPECT_EQ(tree.NodeCount(), 0);
    EXPECT_EQ(lines.ReplacedCount(), 0);
    EXPECT_EQ(state.diagnostics.FErrorCount, 0);
    EXPECT_EQ(state.FDefinedParts.Count(), 0);

    EXPECT_TRUE(IsObjFileName("/home/u/figure.Obj"));
    EXPECT_FALSE(IsObjFileName("figure.obj.phi"));
    EXPECT_FALSE(IsObjFileName("C:\\x.obj\\figure"));
    EXPECT_FALSE(IsObjFileName("figure_obj"));
}

TEST_F(HierarchyCheck, ALevelLineIsIndentedUpToSixHundredElevenCharactersAndNoFurther)
{
    // Level N is "N p xyz" after N - 1 tabs: level 603 makes 611 characters, level 604 would make 612.
    folder.WriteGeometry("fig/deep.obj", "g p\n");
    Lines text = { "objFile :Runtime:Geometries:fig:deep.obj" };
    for (int level = 1; level <= 604; ++level)
        text.push_back(std::to_string(level) + " p xyz");
    EXPECT_TRUE(Run(text));
    EXPECT_EQ(lines.Lines()[603], std::string(602, '\t') + "603 p xyz");
    EXPECT_EQ(lines.Lines()[603].size(), 611u);
    EXPECT_EQ(lines.Lines()[604], "604 p xyz");
    EXPECT_EQ(state.diagnostics.FWarningCount, 1);
    EXPECT_EQ(state.diagnostics.Entries().front().line, 605);
}

TEST_F(HierarchyCheck, AHierarchyTenThousandLevelsDeepParsesWithoutRecursion)
{
    constexpr int kDepth = 10000;
    folder.WriteGeometry("fig/deep.obj", "g p\n");
    Lines text = { "objFile :Runtime:Geometries:fig:deep.obj" };
    for (int level = 1; level <= kDepth; ++level)
        text.push_back(std::to_string(level) + " p xyz");
    text.push_back(std::string(501, ' '));
    bool passed = true;
    varnoke::testing::RunOnSmallStack([&] { passed = Run(std::move(text)); });
    EXPECT_FALSE(passed);

    // Levels whose tabs would make the line longer than 611 characters keep their line and
    // say so; the long line is then reported by every open level and once at the top.
    const Lines diagnostics = Diagnostics();
    const auto deepest = std::find_if(diagnostics.begin(), diagnostics.end(),
                                      [](const std::string& text) { return text.find("Error") != std::string::npos; });
    const auto tooDeep = static_cast<std::size_t>(deepest - diagnostics.begin());
    ASSERT_GT(tooDeep, 0u);
    EXPECT_EQ(diagnostics.front(),
              std::to_string(kDepth - tooDeep + 2) + " Warning: Level " + std::to_string(kDepth - tooDeep + 1)
                  + " is too deep to indent, the line is left as it is");
    EXPECT_EQ(diagnostics.size() - tooDeep, static_cast<std::size_t>(kDepth + 1));
    EXPECT_THAT(Lines(deepest, diagnostics.end()),
                Each(std::to_string(kDepth + 2) + " Error: Line length limit exceeded"));
    const int lastIndented = static_cast<int>(kDepth - tooDeep);
    EXPECT_EQ(lines.Lines()[lastIndented],
              std::string(lastIndented - 1, '\t') + std::to_string(lastIndented) + " p xyz");
    EXPECT_LE(lines.Lines()[lastIndented].size(), 611u);
    EXPECT_GT(lines.Lines()[lastIndented].size() + 2, 611u);
    EXPECT_EQ(lines.Lines()[kDepth], std::to_string(kDepth) + " p xyz");
    EXPECT_EQ(tree.NodeCount(), kDepth + 1);
    int depth = 0;
    for (const Node* node = tree.Last(); node->Parent(); node = node->Parent())
        ++depth;
    EXPECT_EQ(depth, kDepth - 1);
}

TEST_F(HierarchyCheck, HandsBackEachGeometryFileItReadOnceAsFoundOnDisk)
{
    varnoke::testing::TempPoserFolder other;
    const std::string extra = other.WriteGeometry("fig/extra.obj", "g lFoot\n");
    folders.alsoSearched = { other.Path() };
    const Lines text = { kBody,
                         "objFile :Runtime:Geometries:FIG:Body.OBJ",
                         "objFile :Runtime:Geometries:fig:missing.obj",
                         "objFile :Runtime:Geometries:fig:extra.obj",
                         "1 hip yzx curve :Runtime:Geometries:fig:legs.obj",
                         "2 lThigh yzx" };
    const std::string geometries = folder.Path() + "/Runtime/Geometries/fig/";
    // Spelled with the platform's separators; on Windows FIG\Body.OBJ is body.obj itself.
    const auto normal = [](const std::string& path) { return std::filesystem::path(path).lexically_normal().string(); };
    for (int run = 0; run < 2; ++run) {
        Run(text);
        std::vector<std::string> found;
        std::transform(state.geometryFiles.begin(), state.geometryFiles.end(), std::back_inserter(found), normal);
        EXPECT_THAT(found, ElementsAre(normal(geometries + "body.obj"), normal(extra), normal(geometries + "legs.obj")))
            << "run " << run;
    }
}
