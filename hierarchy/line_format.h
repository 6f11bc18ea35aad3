#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The longest line a test accepts, and the longest a level line becomes with its tabs.
inline constexpr std::size_t kMaxLineLength = 500;
inline constexpr std::size_t kMaxIndentedLevelLine = 611;

enum LineKind { lkComment = 0, lkObjFile = 1, lkLevel = 2, lkIKChain = 3, lkIllegal = 4, lkEmpty = 5 };

// Classifies a line or node text as it stands, skipping no white space of its own.
LineKind ClassifyLine(std::string_view text);

// How a test recognises an editor line, after its leading white space is skipped.
enum class TestLineKind { Empty, Comment, ObjFile, IKChain, Illegal, Level };
TestLineKind RecogniseTestLine(std::string_view rest);

std::string_view SkipLeadingWhiteSpace(std::string_view text);

// The path of an objFile line; none unless the line begins with "objFile ".
std::optional<std::string> ParseObjFileLine(std::string_view text);

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
};
LevelLineScan ScanLevelLine(std::string_view text);

} // namespace varnoke
