#include "hierarchy/case_fold.h"
#include "hierarchy/check_state.h"
#include "hierarchy/diagnostics.h"
#include "hierarchy/level_line.h"
#include "hierarchy/part_registry.h"
#include "hierarchy/text_blocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

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
    state.diagnostics.AddError(0, "Syntax error/missing argument");
    state.diagnostics.AddWarning(0, "Part '%s' found in multiple OBJ files", "hip");
    state.diagnostics.Select(0);
    state.FObjParts.Add("hip");
    state.FDefinedParts.Add("hip");
    state.FChainParts.Add("hip");
    state.Clear();
    EXPECT_TRUE(state.diagnostics.Entries().empty());
    EXPECT_EQ(state.diagnostics.FErrorCount, 0);
    EXPECT_EQ(state.diagnostics.FWarningCount, 0);
    EXPECT_EQ(state.diagnostics.Selected(), -1);
    EXPECT_EQ(state.FObjParts.Count() + state.FDefinedParts.Count() + state.FChainParts.Count(), 0);
    EXPECT_FALSE(state.FObjParts.Holds("hip"));
}

TEST(Diagnostics, RevisionChangesWithEveryAdditionAndClear)
{
    CheckState state;
    Diagnostics& list = state.diagnostics;
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

// The registry against the plain model it stands for: a list searched from its start,
// over many names that often differ only in letter case, with entries taken back at times.
TEST(PartRegistry, AgreesWithALinearSearchOfAPlainList)
{
    std::mt19937 random(7);
    const std::string letters = "aAbB\xC9\xE9_";
    PartRegistry registry;
    std::vector<std::string> model;
    for (int step = 0; step < 20000; ++step) {
        std::string name(random() % 4, ' ');
        for (char& c : name)
            c = letters[random() % letters.size()];
        if (step % 5000 == 4999) {
            const int count = static_cast<int>(random() % (model.size() + 1));
            registry.TruncateTo(count);
            model.resize(static_cast<std::size_t>(count));
        } else if (random() % 2) {
            registry.Add(name);
            model.push_back(name);
        }
        const auto first = std::find_if(model.begin(), model.end(),
                                        [&name](const std::string& entry) { return EqualIgnoringCase(entry, name); });
        ASSERT_EQ(registry.IndexOf(name), first == model.end() ? -1 : static_cast<int>(first - model.begin()))
            << step << ": " << name;
    }
    EXPECT_EQ(registry.Names(), model);
}

TEST(TextBlocks, KeepsEveryTextWhateverItsSize)
{
    TextBlocks blocks;
    const std::vector<std::string> texts {
        "", "hip", std::string(TextBlocks::kBlockSize - 2, 'x'), "abc", std::string(TextBlocks::kBlockSize + 5, 'y'),
        "", "tail"
    };
    std::vector<std::uint64_t> positions;
    for (const std::string& text : texts)
        positions.push_back(blocks.Add(text));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(blocks.At(positions[i], texts[i].size()), texts[i]) << i;
    blocks.TruncateTo(positions[3]);
    EXPECT_EQ(blocks.At(blocks.Add("new"), 3), "new");
    EXPECT_EQ(blocks.At(positions[2], texts[2].size()), texts[2]);
}

TEST(TextBlocks, PackedTextsReadBackAcrossBlocks)
{
    TextBlocks blocks;
    const std::vector<std::string> texts {
        "",    "hip", std::string(TextBlocks::kMaxPackedSize, 'x'), "abc", std::string(TextBlocks::kBlockSize / 2, 'y'),
        "tail"
    };
    std::vector<std::uint64_t> packed;
    for (const std::string& text : texts)
        packed.push_back(blocks.AddPacked(text));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(blocks.AtPacked(packed[i]), texts[i]) << i;
    blocks.TruncateTo(TextBlocks::PositionOfPacked(packed[3]));
    EXPECT_EQ(blocks.AtPacked(blocks.AddPacked("new")), "new");
    EXPECT_EQ(blocks.AtPacked(packed[2]), texts[2]);
    EXPECT_THROW(blocks.AddPacked(std::string(TextBlocks::kBlockSize, 'z')), std::length_error);
}

// Entries kept compactly read back as the plain list of formatted messages they stand for.
TEST(Diagnostics, CompactEntriesReadBackAsThePlainList)
{
    std::mt19937 random(11);
    const std::vector<std::string> formats { "Part '%s' found in multiple OBJ files",
                                             "Level number %d has been skipped", "Syntax error/missing argument",
                                             "%s and %s, %d%%" };
    const std::vector<std::string> words { "", "%s", "100%", "hip", std::string(300, 'z'), "a\nb" };
    Diagnostics list;
    std::vector<Diagnostic> model;
    for (int step = 0; step < 2000; ++step) {
        const std::string& format = formats[random() % formats.size()];
        const std::string& a = words[random() % words.size()];
        const std::string& b = words[random() % words.size()];
        const int line = static_cast<int>(random() % 100) - 1;
        switch (random() % 4) {
        case 0:
            list.AddError(line, format, a, b, line);
            model.push_back({ Severity::Error, line + 1, FormatMessage(format, { a, b, std::to_string(line) }) });
            break;
        case 1:
            list.AddWarning(line, format, a);
            model.push_back({ Severity::Warning, line + 1, FormatMessage(format, { a }) });
            break;
        case 2:
            list.AddWarning(line, format);
            model.push_back({ Severity::Warning, line + 1, FormatMessage(format, {}) });
            break;
        default:
            list.AddPlain(a + format);
            model.push_back({ Severity::Plain, 0, a + format });
        }
        if (step == 1000) {
            list.Clear();
            model.clear();
        }
    }
    ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
    int errors = 0;
    int warnings = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const Diagnostic entry = list.At(i);
        const Diagnostic& expected = model[static_cast<std::size_t>(i)];
        EXPECT_EQ(entry.severity, expected.severity) << i;
        EXPECT_EQ(entry.line, expected.line) << i;
        EXPECT_EQ(entry.message, expected.message) << i;
        EXPECT_EQ(list.TextAt(i), expected.Text()) << i;
        errors += expected.severity == Severity::Error;
        warnings += expected.severity == Severity::Warning;
    }
    EXPECT_EQ(list.FErrorCount, errors);
    EXPECT_EQ(list.FWarningCount, warnings);
}
