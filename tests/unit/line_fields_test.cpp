#include "hierarchy/ik_chain_words.h"
#include "hierarchy/line_fields.h"
#include "hierarchy/line_format.h"
#include "hierarchy/scan_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace varnoke;

namespace {

using Expected = std::vector<std::pair<FieldRole, std::string>>;

Expected FieldTexts(const std::string& line)
{
    std::vector<LineField> fields;
    ReadLineFields(line, fields);
    Expected texts;
    for (const LineField& field : fields)
        texts.emplace_back(field.role, line.substr(field.span.start, field.span.length));
    return texts;
}

// The words a plain reader takes from an ikChain line: split at every space, empty words dropped.
std::vector<std::string> PlainChainWords(const std::string& text)
{
    std::vector<std::string> words(1);
    for (const char c : text) {
        if (c != ' ')
            words.back() += c;
        else if (!words.back().empty())
            words.emplace_back();
    }
    if (words.back().empty())
        words.pop_back();
    return words;
}

} // namespace

TEST(LineFields, EachLineKindTellsItsFieldsApart)
{
    using R = FieldRole;
    const std::string longName(120, 'n');
    const std::pair<std::string, Expected> cases[] = {
        { "", {} },
        { " \t ", {} },
        { "# a comment", { { R::Comment, "# a comment" } } },
        { "\t  #x", { { R::Comment, "#x" } } },
        { "objFile :Runtime:a b.obj", { { R::Keyword, "objFile" }, { R::ObjPath, ":Runtime:a b.obj" } } },
        { "objFile   ", { { R::Keyword, "objFile" }, { R::ObjPath, "" } } },
        { "objFileX y", { { R::Keyword, "objFile" } } },
        { "ikChain leg  lThigh lShin",
          { { R::Keyword, "ikChain" },
            { R::ChainName, "leg" },
            { R::ChainPart, "lThigh" },
            { R::ChainPart, "lShin" } } },
        { "ikChain\tleg a", { { R::Keyword, "ikChain\tleg" }, { R::ChainName, "a" } } },
        { "hip 1 xyz", { { R::Illegal, "hip 1 xyz" } } },
        { "\t+1 hip xyz", { { R::Illegal, "+1 hip xyz" } } },
        { "1 hip xyz", { { R::LevelNumber, "1" }, { R::PartName, "hip" }, { R::Rotation, "xyz" } } },
        { "\t\t3 lShin  zxy curve :a:b.obj",
          { { R::LevelNumber, "3" },
            { R::PartName, "lShin" },
            { R::Rotation, "zxy" },
            { R::Curve, "curve" },
            { R::ObjPath, ":a:b.obj" } } },
        { "2 chest yzx :a:chest.obj",
          { { R::LevelNumber, "2" },
            { R::PartName, "chest" },
            { R::Rotation, "yzx" },
            { R::ObjPath, ":a:chest.obj" } } },
        { "2 chest yzx bend",
          { { R::LevelNumber, "2" }, { R::PartName, "chest" }, { R::Rotation, "yzx" }, { R::Extra, "bend" } } },
        { "1 a xyz curve p six seventh",
          { { R::LevelNumber, "1" },
            { R::PartName, "a" },
            { R::Rotation, "xyz" },
            { R::Curve, "curve" },
            { R::ObjPath, "p" },
            { R::Extra, "six" },
            { R::Extra, "s" } } },
        { "7abc", { { R::LevelNumber, "7" }, { R::PartName, "abc" } } },
        // A name longer than its field runs on into the next.
        { "1 " + longName,
          { { R::LevelNumber, "1" }, { R::PartName, longName.substr(0, 99) }, { R::Rotation, longName.substr(99) } } },
        { "1 " + std::string(kMaxLineLength, 'x'), { { R::Illegal, "1 " + std::string(kMaxLineLength, 'x') } } },
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(FieldTexts(line), expected) << '"' << line << '"';
}

TEST(LineFields, SpansAgreeWithTheTestsOwnReadingOfGeneratedLines)
{
    const std::vector<std::string> pieces = { " ",
                                              "  ",
                                              "\t",
                                              "\v",
                                              "#",
                                              "1",
                                              "12",
                                              "0",
                                              "-3",
                                              "hip",
                                              "xyz",
                                              "curve",
                                              ":a:b.obj",
                                              "objFile",
                                              "objFile ",
                                              "ikChain",
                                              "ikChain ",
                                              "x:y",
                                              std::string(1, '\0'),
                                              std::string(100, 'w') };
    std::mt19937 random(27);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        for (int piece = length(random); piece > 0; --piece)
            line += pieces[pick(random)];
        std::vector<LineField> fields;
        ReadLineFields(line, fields);
        std::size_t end = 0;
        for (const LineField& field : fields) {
            ASSERT_GE(field.span.start, end) << '"' << line << '"';
            end = field.span.start + field.span.length;
            ASSERT_LE(end, line.size()) << '"' << line << '"';
        }
        if (line.size() > kMaxLineLength)
            continue;
        const std::string_view rest = SkipLeadingWhiteSpace(line);
        const std::size_t offset = line.size() - rest.size();
        const auto text
            = [&](std::size_t index) { return line.substr(fields[index].span.start, fields[index].span.length); };
        ByteSpan read;
        ASSERT_EQ(RecogniseTestLine(rest, read), RecogniseTestLine(rest));
        switch (RecogniseTestLine(rest)) {
        case TestLineKind::Level: {
            const LevelLineScan scan = ScanLevelLine(rest);
            ASSERT_EQ(fields.size(), static_cast<std::size_t>(scan.count)) << '"' << line << '"';
            const std::string read[] = { "", scan.name, scan.rotation, scan.fourth, scan.fifth, scan.sixth };
            for (std::size_t field = 1; field < std::min<std::size_t>(fields.size(), 6); ++field)
                EXPECT_EQ(text(field), read[field]) << '"' << line << '"';
            if (scan.count > 0) {
                EXPECT_EQ(LeadingNumber(text(0)), scan.level) << '"' << line << '"';
            }
            break;
        }
        case TestLineKind::IKChain: {
            std::vector<std::string> words;
            for (std::size_t field = 0; field < fields.size(); ++field)
                words.push_back(text(field));
            EXPECT_EQ(words, PlainChainWords(std::string(rest))) << '"' << line << '"';
            break;
        }
        case TestLineKind::ObjFile:
            if (const std::optional<std::string> path = ParseObjFileLine(rest)) {
                ASSERT_EQ(fields.size(), 2u);
                EXPECT_EQ(text(1), *path);
            } else {
                EXPECT_EQ(fields.size(), 1u);
            }
            break;
        case TestLineKind::Comment:
        case TestLineKind::Illegal:
            ASSERT_EQ(fields.size(), 1u);
            EXPECT_EQ(fields[0].span, (ByteSpan { offset, rest.size() }));
            break;
        case TestLineKind::Empty:
            EXPECT_TRUE(fields.empty());
            break;
        }
    }
}
