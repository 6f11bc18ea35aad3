#include "hierarchy/line_format.h"

#include <gtest/gtest.h>

#include <string>

using namespace varnoke;

TEST(LineFormat, ClassifyLineTakesTheTextAsItStands)
{
    const std::pair<std::string, LineKind> cases[] = {
        { "#1 hip xyz", lkComment },
        { "#", lkComment },
        { "", lkEmpty },
        { "1 hip yzx", lkLevel },
        { "12abc", lkLevel },
        { "  3 chest yzx", lkLevel }, // the integer reading skips white space itself
        { "+2 hip xyz", lkLevel },
        { "4294967296 hip xyz", lkLevel }, // clamped, so not wrapped to 0
        { "0 hip xyz", lkIllegal },
        { "-1 hip xyz", lkIllegal },
        { "-4294967295 hip xyz", lkIllegal }, // clamped, so not wrapped to 1
        { "objFile :a:b.obj", lkObjFile },
        { "objFile ", lkObjFile },
        { "objFile", lkIllegal },
        { "objFile\t:a:b.obj", lkIllegal },
        { "objFile:a:b.obj", lkIllegal },
        { "ikChain leg lThigh", lkIKChain },
        { "ikChain", lkIllegal },
        { "   # note", lkIllegal },
        { "   ", lkIllegal },
        { "\tobjFile :a.obj", lkIllegal },
        { "hip yzx", lkIllegal },
        { "ObjFile :a.obj", lkIllegal },
    };
    for (const auto& [text, kind] : cases)
        EXPECT_EQ(ClassifyLine(text), kind) << '"' << text << '"';
}

TEST(LineFormat, TestRecognitionOfTheRestAfterWhiteSpace)
{
    const std::pair<std::string, TestLineKind> cases[] = {
        { "", TestLineKind::Empty },
        { "#note", TestLineKind::Comment },
        { "objFile :a.obj", TestLineKind::ObjFile },
        { "objFile", TestLineKind::ObjFile },
        { "objFile:a.obj", TestLineKind::ObjFile },
        { "ikChainleg a b", TestLineKind::IKChain },
        { "ikchain leg a", TestLineKind::Illegal },
        { "0 hip xyz", TestLineKind::Level },
        { "12abc", TestLineKind::Level },
        { "+2 hip xyz", TestLineKind::Illegal },
        { "-1 hip xyz", TestLineKind::Illegal },
        { "hip yzx", TestLineKind::Illegal },
        { "\xB9 hip", TestLineKind::Illegal },
    };
    for (const auto& [rest, kind] : cases)
        EXPECT_EQ(RecogniseTestLine(rest), kind) << '"' << rest << '"';
}

TEST(LineFormat, TheTwoRecognisersKeepTheirOwnRulesWhereTheyDiffer)
{
    const auto test = [](std::string_view line) { return RecogniseTestLine(SkipLeadingWhiteSpace(line)); };

    EXPECT_EQ(ClassifyLine("   # note"), lkIllegal);
    EXPECT_EQ(test("   # note"), TestLineKind::Comment);
    EXPECT_EQ(ClassifyLine("objFile:x.obj"), lkIllegal);
    EXPECT_EQ(test("objFile:x.obj"), TestLineKind::ObjFile);
    EXPECT_EQ(ClassifyLine("0 hip xyz"), lkIllegal);
    EXPECT_EQ(test("0 hip xyz"), TestLineKind::Level);
    EXPECT_EQ(ClassifyLine("+2 hip xyz"), lkLevel);
    EXPECT_EQ(test("+2 hip xyz"), TestLineKind::Illegal);
    EXPECT_EQ(ClassifyLine(" \t "), lkIllegal);
    EXPECT_EQ(test(" \t "), TestLineKind::Empty);
}

TEST(LineFormat, SkipLeadingWhiteSpaceKeepsTrailingBlanksAndHighBytes)
{
    EXPECT_EQ(SkipLeadingWhiteSpace(" \t\v\f\r\n#a b "), "#a b ");
    EXPECT_EQ(SkipLeadingWhiteSpace("\xA0 x"), "\xA0 x");
    EXPECT_EQ(SkipLeadingWhiteSpace("   "), "");
}

TEST(LineFormat, ObjFilePathNeedsTheKeywordAndABlank)
{
    EXPECT_EQ(ParseObjFileLine("objFile   :a:b.obj"), ":a:b.obj");
    // Blanks inside and after the path belong to it; only spaces are skipped before it.
    EXPECT_EQ(ParseObjFileLine("objFile :My Figures:b.obj  "), ":My Figures:b.obj  ");
    EXPECT_EQ(ParseObjFileLine("objFile  \t:a.obj"), "\t:a.obj");
    EXPECT_EQ(ParseObjFileLine("objFile "), "");
    EXPECT_EQ(ParseObjFileLine("objFile"), std::nullopt);
    EXPECT_EQ(ParseObjFileLine("objFile:a.obj"), std::nullopt);
    EXPECT_EQ(ParseObjFileLine("objFile\t:a.obj"), std::nullopt);
    EXPECT_EQ(ParseObjFileLine(" objFile :a.obj"), std::nullopt);
}

TEST(LineFormat, PartNameIsTheSecondWordWithWidths24And39)
{
    EXPECT_EQ(PartNameOfText("1 hip yzx"), "hip");
    EXPECT_EQ(PartNameOfText("\t 3\tchest"), "chest");
    EXPECT_EQ(PartNameOfText("ikChain leftLeg lThigh"), "leftLeg");
    EXPECT_EQ(PartNameOfText("# chest"), "chest");
    EXPECT_EQ(PartNameOfText("#chest"), std::nullopt);
    EXPECT_EQ(PartNameOfText("3"), std::nullopt);
    EXPECT_EQ(PartNameOfText(""), std::nullopt);
    // A first word of 26 characters leaves its last two to the part name.
    EXPECT_EQ(PartNameOfText(std::string(24, '1') + "ab hip"), "ab");
    EXPECT_EQ(PartNameOfText("1 " + std::string(39, 'n') + "XYZ yzx"), std::string(39, 'n'));
}

TEST(LineFormat, LevelLineFieldsAndTheirCount)
{
    LevelLineScan scan = ScanLevelLine("2 lShin zxy curve :Runtime:Geometries:legs.obj");
    EXPECT_EQ(scan.count, 5);
    EXPECT_EQ(scan.level, 2);
    EXPECT_EQ(scan.name, "lShin");
    EXPECT_EQ(scan.rotation, "zxy");
    EXPECT_EQ(scan.fourth, "curve");
    EXPECT_EQ(scan.fifth, ":Runtime:Geometries:legs.obj");

    scan = ScanLevelLine("1 a b c d e f");
    EXPECT_EQ(scan.count, 7);
    EXPECT_EQ(scan.sixth, "e");
    EXPECT_EQ(ScanLevelLine("1 a b c d e").count, 6);
    EXPECT_EQ(ScanLevelLine("1 a b c d e fgh ijk").count, 7);
    EXPECT_EQ(ScanLevelLine("1\thip").count, 2);
    EXPECT_EQ(ScanLevelLine("5").count, 1);
    EXPECT_EQ(ScanLevelLine("").count, 0);
    EXPECT_EQ(ScanLevelLine("hip yzx").count, 0);
    EXPECT_EQ(ScanLevelLine("1hip\tyzx").count, 3);
}

TEST(LineFormat, OverlongLevelFieldsRunOn)
{
    // A name of 100 characters: the 100th becomes the rotation, and the rotation the fourth field.
    LevelLineScan scan = ScanLevelLine("1 " + std::string(99, 'n') + "X yzx");
    EXPECT_EQ(scan.count, 4);
    EXPECT_EQ(scan.name, std::string(99, 'n'));
    EXPECT_EQ(scan.rotation, "X");
    EXPECT_EQ(scan.fourth, "yzx");

    scan = ScanLevelLine("1 hip " + std::string(100, 'r'));
    EXPECT_EQ(scan.rotation, std::string(99, 'r'));
    EXPECT_EQ(scan.fourth, "r");

    const std::string path = ":" + std::string(255, 'p');
    scan = ScanLevelLine("1 hip yzx curve " + path);
    EXPECT_EQ(scan.count, 6);
    EXPECT_EQ(scan.fifth, path.substr(0, 255));
    EXPECT_EQ(scan.sixth, "p");

    scan = ScanLevelLine("1 hip yzx " + std::string(256, 'c') + " :a " + std::string(300, 's'));
    EXPECT_EQ(scan.count, 7);
    EXPECT_EQ(scan.fourth, std::string(255, 'c'));
    EXPECT_EQ(scan.fifth, "c");
    EXPECT_EQ(scan.sixth, ":a");
}
