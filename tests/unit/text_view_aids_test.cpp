#include "hierarchy/help_context.h"
#include "hierarchy/level_shift.h"
#include "hierarchy/text_positions.h"
#include "tree/tree_to_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace varnoke {
namespace {

using Lines = std::vector<std::string>;

// The editor's text: every line followed by CR LF.
std::string EditorText(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Where a line begins in the text.
TextPosition ModelLineStart(const std::string& text, int line)
{
    std::size_t start = 0;
    for (int i = 0; i < line; ++i)
        start = text.find('\n', start) + 1;
    return static_cast<TextPosition>(start);
}

// The line a position stands in, read off the text itself: the line breaks before it.
std::optional<int> ModelLineAt(const std::string& text, TextPosition position)
{
    if (text.empty() || position >= static_cast<TextPosition>(text.size()))
        return std::nullopt;
    const auto end = text.begin() + std::max<TextPosition>(position, 0);
    return static_cast<int>(std::count(text.begin(), end, '\n'));
}

const std::vector<Lines> kDocuments = {
    {},
    { "" },
    { "1 hip yxz" },
    { "#head", "", "1 hip yxz", "\t2 abdomen yxz", "", "" },
    { "a", "bc", "def", "ghij", "klmno" },
};

TEST(TextPositions, AgreeWithLinesCountedInTheEditorsText)
{
    for (const Lines& document : kDocuments) {
        const LineList lines(document);
        const std::string text = EditorText(document);
        const auto size = static_cast<TextPosition>(text.size());
        for (TextPosition start = -2; start <= size + 2; ++start) {
            const std::optional<int> first = ModelLineAt(text, start);
            ASSERT_EQ(LineAtPosition(lines, start), first) << text << " at " << start;
            for (TextPosition length = 0; length <= size + 3; ++length) {
                const std::optional<LineRange> range = SelectedLineRange(lines, start, length);
                ASSERT_EQ(range.has_value(), first.has_value());
                if (!range)
                    continue;
                // The length counts from the beginning of the first line; its last character decides.
                const TextPosition lastCharacter = ModelLineStart(text, *first) + length - 1;
                const int last = length == 0 ? *first : ModelLineAt(text, lastCharacter).value_or(lines.Count() - 1);
                ASSERT_EQ(range->first, *first) << text << " at " << start << " length " << length;
                ASSERT_EQ(range->last, last) << text << " at " << start << " length " << length;
            }
        }
    }
}

TEST(TextPositions, EditorPositionsCountOneCharacterPerLineBreak)
{
    for (const Lines& document : kDocuments) {
        const LineList lines(document);
        const std::string text = EditorText(document);
        const auto size = static_cast<TextPosition>(text.size());
        for (TextPosition position = -2; position <= size + 3; ++position) {
            const TextPosition within = std::clamp<TextPosition>(position, 0, size);
            const TextPosition expected = within - std::count(text.begin(), text.begin() + within, '\r');
            ASSERT_EQ(EditorPosition(lines, position), expected) << text << " at " << position;
        }
    }
}

TEST(TextPositions, SelectionsOfTheDescribedCases)
{
    // Line lengths 5, 10, 9, 8, 4, 5.
    const LineList lines({ "1 hip", "2 abdomen.", "3 chest..", "4 neck..", "#end", "1 tail" });
    const auto at = [&lines](int line, TextPosition column) { return LineSelection(lines, line).start + column; };
    struct Case {
        TextPosition start;
        TextPosition length;
        int first;
        int last;
    };
    const Case cases[] = {
        { at(3, 4), 0, 2, 2 }, // caret in line 3
        { at(2, 0), at(4, 8) - at(2, 0), 1, 3 }, // line 2 to the end of line 4
        { at(2, 0), at(5, 0) - at(2, 0), 1, 3 }, // line 2 to the beginning of line 5
        { at(2, 5), at(3, 3) - at(2, 5), 1, 1 }, // column 5 of line 2 to column 3 of line 3
        { at(2, 5), at(3, 6) - at(2, 5), 1, 2 }, // ... to column 6 of line 3, further than it started
        { at(6, 6), 0, 5, 5 }, // caret at the end of the last line
        { 0, 1000, 0, 5 }, // a length beyond the text
    };
    for (const Case& c : cases) {
        const std::optional<LineRange> range = SelectedLineRange(lines, c.start, c.length);
        ASSERT_TRUE(range) << c.start;
        EXPECT_EQ(range->first, c.first) << c.start << " " << c.length;
        EXPECT_EQ(range->last, c.last) << c.start << " " << c.length;
    }
    // The caret after the final line break, and an empty text.
    EXPECT_FALSE(SelectedLineRange(lines, at(7, 0), 0));
    EXPECT_FALSE(SelectedLineRange(LineList(), 0, 0));
}

TEST(TextPositions, LineSelectionCoversOneWholeLine)
{
    const LineList lines({ "#head", "", "1 hip yxz" });
    struct Case {
        int number;
        TextPosition start;
        TextPosition length;
    };
    const Case cases[] = {
        { -7, 0, 0 }, { 0, 0, 0 },
        { 1, 0, 5 },  { 2, 7, 0 },
        { 3, 9, 9 },  { 4, 20, 0 }, // beyond the last line: empty lines of two characters each
        { 6, 24, 0 }, { INT_MAX, 20 + (static_cast<TextPosition>(INT_MAX) - 4) * 2, 0 },
    };
    for (const Case& c : cases) {
        const TextSelection selection = LineSelection(lines, c.number);
        EXPECT_EQ(selection.start, c.start) << c.number;
        EXPECT_EQ(selection.length, c.length) << c.number;
    }
}

TEST(LevelShift, RebuildsTheLevelLineOrLeavesIt)
{
    const std::string none = "<unchanged>";
    struct Case {
        std::string line;
        std::string up;
        std::string down;
    };
    const Case cases[] = {
        { "2 lShin xyz", "\t\t3 lShin xyz", "1 lShin xyz" },
        { "   \t  2  \t lShin  zxy curve :a:b.obj", "\t\t3 lShin  zxy curve :a:b.obj", "1 lShin  zxy curve :a:b.obj" },
        { "+4 neck", "\t\t\t\t5 neck", "\t\t3 neck" },
        { "11 1 xyz", std::string(11, '\t') + "12 1 xyz", std::string(9, '\t') + "10 1 xyz" },
        { "50 head xyz", none, std::string(48, '\t') + "49 head xyz" },
        { "51 head xyz", none, std::string(49, '\t') + "50 head xyz" },
        { "1 hip xyz", "\t2 hip xyz", none },
        { "0 hip xyz", "1 hip xyz", none },
        { "-1 hip xyz", none, none },
        { "-2 hip xyz", none, none },
        { "2147483647 hip xyz", none, none },
        { "-2147483648 hip xyz", none, none },
        { "99999999999999999999 hip xyz", none, none },
        { "7", none, none },
        { "7  \t ", none, none },
        { "#2 hip xyz", none, none },
        { "objFile :Runtime:Geometries:a.obj", none, none },
        { "ikChain leg lThigh lShin", none, none },
        { "hip 2 xyz", none, none },
        { "", none, none },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShiftedLevelLine(c.line, +1).value_or(none), c.up) << c.line;
        EXPECT_EQ(ShiftedLevelLine(c.line, -1).value_or(none), c.down) << c.line;
    }
}

TEST(LevelShift, IndentsAsTheTreeIsWrittenBackAsText)
{
    for (int level = 1; level <= 49; ++level) {
        const std::string text = std::to_string(level) + "  part" + std::to_string(level) + " xyz";
        const std::optional<std::string> up = ShiftedLevelLine(text, +1);
        ASSERT_TRUE(up) << text;
        const std::optional<std::string> back = ShiftedLevelLine(*up, -1);
        ASSERT_TRUE(back) << *up;
        EXPECT_EQ(*back, NodeToLine(Node(text))) << text;
    }
}

TEST(LevelShift, ChangesOnlyTheLevelLinesOfTheRange)
{
    const Lines document = { "#head", "1 hip yxz", "2 lShin xyz", "ikChain leg lShin", "\t3 lFoot xyz", "50 x" };
    const auto shifted = [&document](std::optional<LineRange> range, int delta) {
        LineList lines(document);
        if (range)
            ShiftLevel(lines, *range, delta);
        return std::make_pair(lines.Lines(), lines.ReplacedCount());
    };
    // The caret anywhere in line 3.
    const LineList original(document);
    const TextSelection line3 = LineSelection(original, 3);
    Lines expected = document;
    expected[2] = "\t\t3 lShin xyz";
    EXPECT_EQ(shifted(SelectedLineRange(original, line3.start + 4, 0), +1), std::make_pair(expected, 1));
    expected[2] = "1 lShin xyz";
    EXPECT_EQ(shifted(SelectedLineRange(original, line3.start, 0), -1), std::make_pair(expected, 1));

    // Everything, and a range reaching beyond both ends of the document.
    const Lines up = { "#head", "\t2 hip yxz", "\t\t3 lShin xyz", "ikChain leg lShin", "\t\t\t4 lFoot xyz", "50 x" };
    EXPECT_EQ(shifted(LineRange { 0, 5 }, +1), std::make_pair(up, 3));
    EXPECT_EQ(shifted(LineRange { -3, 40 }, +1), std::make_pair(up, 3));
    EXPECT_EQ(shifted(LineRange { 4, 2 }, +1), std::make_pair(document, 0));
    // After a final line break nothing is selected.
    EXPECT_EQ(shifted(SelectedLineRange(original, LineSelection(original, 7).start, 0), +1),
              std::make_pair(document, 0));
}

TEST(HelpContext, ChosenByTheKindOfTheLineAsItStands)
{
    const std::pair<std::string, int> cases[] = {
        { "#comment", 6 },
        { "\t#comment", 5 }, // indented, a comment is no longer one
        { "objFile :Runtime:Geometries:a.obj", 2 },
        { "1 hip xyz", 3 },
        { "ikChain leg lThigh lShin", 4 },
        { "hip 1 xyz", 5 },
        { "", 5 },
    };
    for (const auto& [text, context] : cases)
        EXPECT_EQ(HelpContextOfLine(text), context) << text;
    EXPECT_EQ(kHelpNoLine, HelpContextOfLine(""));
}

} // namespace
} // namespace varnoke
