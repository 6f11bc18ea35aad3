#include "hierarchy/case_fold.h"
#include "hierarchy/check_state.h"
#include "hierarchy/diagnostics.h"
#include "hierarchy/level_line.h"
#include "hierarchy/part_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace varnoke;
using ::testing::ElementsAre;

TEST(Diagnostics, NumberedEntriesShowTheOneBasedLineAndPlainEntriesNone)
{
    Diagnostics list;
    list.AddWarning(-1, "Part '%s' found in OBJ was not used, will be ignored by Poser", "lHand");
    list.AddError(6, "Rotations must be of the form xyz");
    list.AddError(6, "Illegal 4th argument, must be 'curve'");
    list.AddError(0, "Level number %d has been skipped", 2);
    list.AddPlain("Looks good!");
    EXPECT_THAT(list.Texts(),
                ElementsAre("0 Warning: Part 'lHand' found in OBJ was not used, will be ignored by Poser",
                            "7 Error: Rotations must be of the form xyz",
                            "7 Error: Illegal 4th argument, must be 'curve'",
                            "1 Error: Level number 2 has been skipped", "Looks good!"));
    EXPECT_EQ(list.FErrorCount, 3);
    EXPECT_EQ(list.FWarningCount, 1);
    EXPECT_EQ(list.Entries()[1].line, 7);
    EXPECT_EQ(list.Entries()[1].severity, Severity::Error);
    EXPECT_EQ(list.Entries()[4].severity, Severity::Plain);
}

TEST(Diagnostics, ArgumentsAreNeverReadAsFormats)
{
    Diagnostics list;
    list.AddError(2, "Part '%s' used in ikChain must be a child of '%s' in the hierarchy", "a%sb%d", "100%");
    list.AddError(3, "Couldn't open file:%s", "C:\\50%d\\x.obj");
    EXPECT_THAT(list.Texts(),
                ElementsAre("3 Error: Part 'a%sb%d' used in ikChain must be a child of '100%' in the hierarchy",
                            "4 Error: Couldn't open file:C:\\50%d\\x.obj"));
}

TEST(Diagnostics, ClearEmptiesTheListTheCountersAndTheSelection)
{
    CheckState state;
    state.WarningsList.AddError(0, "Syntax error/missing argument");
    state.WarningsList.AddWarning(0, "Part '%s' found in multiple OBJ files", "hip");
    state.WarningsList.Select(0);
    state.FObjParts.Add("hip");
    state.FDefinedParts.Add("hip");
    state.FChainParts.Add("hip");
    state.Clear();
    EXPECT_TRUE(state.WarningsList.Entries().empty());
    EXPECT_EQ(state.WarningsList.FErrorCount, 0);
    EXPECT_EQ(state.WarningsList.FWarningCount, 0);
    EXPECT_EQ(state.WarningsList.Selected(), -1);
    EXPECT_EQ(state.FObjParts.Count() + state.FDefinedParts.Count() + state.FChainParts.Count(), 0);
    EXPECT_FALSE(state.FObjParts.Holds("hip"));
}

TEST(Diagnostics, RevisionChangesWithEveryAdditionAndClear)
{
    CheckState state;
    Diagnostics& list = state.WarningsList;
    std::vector<std::uint64_t> seen { list.Revision() };
    const auto changed = [&seen, &list] {
        const bool isNew = std::find(seen.begin(), seen.end(), list.Revision()) == seen.end();
        seen.push_back(list.Revision());
        return isNew;
    };
    list.AddError(0, "Syntax error/missing argument");
    EXPECT_TRUE(changed());
    list.AddWarning(1, "Part '%s' found in multiple OBJ files", "hip");
    EXPECT_TRUE(changed());
    list.Select(1);
    (void)list.Texts();
    EXPECT_EQ(list.Revision(), seen.back()); // reading and selecting change nothing
    list.AddPlain("Looks good!");
    EXPECT_TRUE(changed());
    list.Clear();
    EXPECT_TRUE(changed());
    // An empty list cleared again is still a change: a view may have shown entries since.
    list.Clear();
    EXPECT_TRUE(changed());
    // A tree edit reads a level line with the test's own checks.
    LevelFields fields;
    ParseLevelLine(state, "2 hip xyz bend", 0, fields);
    ASSERT_FALSE(list.Entries().empty());
    EXPECT_TRUE(changed());
}

TEST(PartRegistry, KeepsOrderAndDuplicatesAndFindsTheFirstIgnoringCase)
{
    PartRegistry registry;
    registry.Add("lThigh");
    registry.AddAll({ "hip", "LTHIGH", "chest", "hip" });
    EXPECT_THAT(registry.Names(), ElementsAre("lThigh", "hip", "LTHIGH", "chest", "hip"));
    EXPECT_EQ(registry.IndexOf("LTHIGH"), 0);
    EXPECT_EQ(registry.IndexOf("lthigh"), 0);
    EXPECT_EQ(registry.IndexOf("Hip"), 1);
    EXPECT_EQ(registry.IndexOf("chest"), 3);
    EXPECT_EQ(registry.IndexOf("ches"), -1);
    EXPECT_EQ(registry.IndexOf("chest "), -1);
    EXPECT_EQ(registry.At(2), "LTHIGH");

    registry.Clear();
    EXPECT_EQ(registry.Count(), 0);
    EXPECT_EQ(registry.IndexOf("hip"), -1);
    registry.Add("HIP");
    EXPECT_EQ(registry.IndexOf("hip"), 0);
}

TEST(PartRegistry, LatinOneLettersPairUpButSignsDoNot)
{
    PartRegistry registry;
    registry.Add("\xC9PAULE"); // "ÉPAULE"
    registry.Add("\xDE"
                 "orn"); // capital thorn
    registry.Add("a\xD7"
                 "b"); // multiplication sign
    registry.Add("stra\xDF"
                 "e"); // sharp s has no capital in Latin-1
    EXPECT_EQ(registry.IndexOf("\xE9paule"), 0);
    EXPECT_EQ(registry.IndexOf("\xFE"
                               "ORN"),
              1);
    EXPECT_EQ(registry.IndexOf("A\xF7"
                               "B"),
              -1);
    EXPECT_EQ(registry.IndexOf("A\xD7"
                               "B"),
              2);
    EXPECT_EQ(registry.IndexOf("STRA\xDF"
                               "E"),
              3);
    EXPECT_EQ(registry.IndexOf("stra\xFF"
                               "e"),
              -1);
}

TEST(CaseFold, OneFoldingForEquality)
{
    EXPECT_TRUE(EqualIgnoringCase("Hip", "hIP"));
    EXPECT_FALSE(EqualIgnoringCase("hip", "hips"));
    EXPECT_TRUE(EqualIgnoringCase("\xC0\xDE", "\xE0\xFE"));
    EXPECT_FALSE(EqualIgnoringCase("\xD7", "\xF7"));
    EXPECT_EQ(FoldCase("AbC\xC9\xDF\xFF"), "abc\xE9\xDF\xFF");
}
