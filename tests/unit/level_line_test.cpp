#include "hierarchy/level_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace varnoke;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

struct Case {
    std::string text;
    bool sound;
    std::vector<std::string> messages; // all on the line given, which shows as 7
    std::string fourth = "";
    std::string objPath = "";
};

} // namespace

TEST(ParseLevelLine, ChecksInOrderAndReportsOnTheGivenLine)
{
    const std::string curve = "Illegal 4th argument, must be 'curve'";
    const std::string length = "Rotations must be three characters long";
    const std::string form = "Rotations must be of the form xyz";
    const std::string extra = "Extra argument ignored";
    const Case cases[] = {
        { "1 hip yzx", true, {} },
        { "2 HIP zxy", true, {} },
        { "1 ghost yzx", false, { "Part 'ghost' was not found in an OBJ file" } },
        { "1 hip xy", false, { length, form } },
        { "1 hip XYZ", false, { form } },
        { "1 hip xxyz", false, { length } },
        { "1 hip yzx bend", false, { curve }, "bend" },
        { "1 hip yzx curve", true, {}, "curve" },
        { "1 hip yzx Curve", false, { curve }, "Curve" },
        { "1 hip yzx :Runtime:Geometries:legs.obj", true, {}, "", ":Runtime:Geometries:legs.obj" },
        { "1 hip yzx curve:", true, {}, "", "curve:" },
        { "1 hip yzx curve :Runtime:Geometries:legs.obj", true, {}, "curve", ":Runtime:Geometries:legs.obj" },
        { "1 hip yzx curve extra", true, {}, "curve", "extra" },
        { "1 hip yzx :a:b.obj curve", false, { curve }, ":a:b.obj", "curve" },
        // Seven fields and six fields alike: an error that leaves the result, then the curve check.
        { "1 hip yzx curve :a:b.obj x y", true, { extra }, "curve", ":a:b.obj" },
        { "1 hip yzx curve :a:b.obj x", true, { extra }, "curve", ":a:b.obj" },
        { "1 hip yzx bend :a:b.obj x", false, { extra, curve }, "bend", ":a:b.obj" },
        { "1 ghost xy bend", false, { "Part 'ghost' was not found in an OBJ file", length, form, curve }, "bend" },
        // A name of 100 characters runs on into the rotation field.
        { "1 " + std::string(100, 'h') + " yzx",
          false,
          { "Part '" + std::string(99, 'h') + "' was not found in an OBJ file", length, form, curve },
          "yzx" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CheckState state;
        state.FObjParts.Add("hip");
        LevelFields fields;
        EXPECT_EQ(ParseLevelLine(state, c.text, 6, fields), c.sound);
        std::vector<std::string> texts;
        for (const Diagnostic& entry : state.diagnostics.Entries())
            texts.push_back(entry.Text());
        std::vector<std::string> expected;
        for (const std::string& message : c.messages)
            expected.push_back("7 Error: " + message);
        EXPECT_THAT(texts, ElementsAreArray(expected));
        EXPECT_EQ(state.diagnostics.FErrorCount, static_cast<int>(expected.size()));
        EXPECT_EQ(fields.fourth, c.fourth);
        EXPECT_EQ(fields.objPath, c.objPath);
        // Every line with three fields defines its part, sound or not.
        EXPECT_THAT(state.FDefinedParts.Names(), ElementsAre(fields.name));
    }
}

TEST(ParseLevelLine, DeliversTheFields)
{
    CheckState state;
    state.FObjParts.Add("lShin");
    LevelFields fields;
    ASSERT_TRUE(ParseLevelLine(state, "12\tlShin zxy curve :Runtime:Geometries:legs.obj", 0, fields));
    EXPECT_EQ(fields.level, 12);
    EXPECT_EQ(fields.name, "lShin");
    EXPECT_EQ(fields.rotation, "zxy");

    // Fields of an earlier call never leak into the next.
    ASSERT_TRUE(ParseLevelLine(state, "3 lShin xyz", 0, fields));
    EXPECT_EQ(fields.level, 3);
    EXPECT_EQ(fields.fourth, "");
    EXPECT_EQ(fields.objPath, "");
}

TEST(ParseLevelLine, FewerThanThreeFieldsRegisterNothingButKeepWhatWasRead)
{
    for (const auto& [text, name] : std::initializer_list<std::pair<const char*, const char*>> {
             { "1 hip", "hip" }, { "2     xyz", "xyz" }, { "1", "" }, { "", "" }, { "hip yzx", "" } }) {
        SCOPED_TRACE(text);
        CheckState state;
        state.FObjParts.Add("hip");
        LevelFields fields;
        EXPECT_FALSE(ParseLevelLine(state, text, 0, fields));
        ASSERT_EQ(state.diagnostics.Entries().size(), 1u);
        EXPECT_EQ(state.diagnostics.Entries()[0].Text(), "1 Error: Syntax error/missing argument");
        EXPECT_EQ(state.FDefinedParts.Count(), 0);
        // The level dialog and the chain parts read the name of such a line all the same.
        EXPECT_EQ(fields.name, name);
    }
}
