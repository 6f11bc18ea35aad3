#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The longest line a test accepts, and the longest a level line becomes with its tabs.
inline constexpr std::size_t kMaxLineLength = 500;
inline constexpr std::size_t kMaxIndentedLevelLine = 611;

enum LineKind { lkComment = 0, lkObjFile = 1, lkLevel = 2, lkIKChain = 3, lkIllegal = 4, lkEmpty = 5 };

// Where a field lies in the text it was read from, in bytes.
struct ByteSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const ByteSpan&) const = default;
};

// Classifies a line or node text as it stands, skipping no white space of its own.
LineKind ClassifyLine(std::string_view text);

// How a test recognises an editor line, after its leading white space is skipped.
enum class TestLineKind { Empty, Comment, ObjFile, IKChain, Illegal, Level };
TestLineKind RecogniseTestLine(std::string_view rest);
// The same, with the bytes it read to decide: the comment sign, the keyword, or the whole
// of an illegal line; nothing for empty and level lines.
TestLineKind RecogniseTestLine(std::string_view rest, ByteSpan& read);

std::string_view SkipLeadingWhiteSpace(std::string_view text);

// The path of an objFile line; none unless the line begins with "objFile ".
std::optional<std::string> ParseObjFileLine(std::string_view text);
// Where that path lies in the text.
std::optional<ByteSpan> ObjFilePathSpan(std::string_view text);

// The part name of a node text: its second word ("%24s %39s"), none with fewer than two words.
std::optional<std::string> PartNameOfText(std::string_view text);

// The fields of a level line as "%d %99s %99s %255s %255s %255s %1s" reads them.
struct LevelLineScan {
    int count = 0; // fields read, 0 to 7
    int level = 0;
    std::string name;
    std::string rotation;
    std::string fourth;
    std::string fifth;
    std::string sixth;
    std::array<ByteSpan, 7> spans {}; // of the fields read, the first count of them
};
LevelLineScan ScanLevelLine(std::string_view text);
// A level line of exactly four fields whose fourth holds ':' names its OBJ file there.
bool FourthIsObjPath(const LevelLineScan& scan);

} // namespace varnoke
