#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/progress.h"
#include "hierarchy/text_blocks.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke {

// The part names that may form the root chain of a generated hierarchy, in the order tried.
inline constexpr std::array<std::string_view, 10> RootCandidates { "hip",     "hips",    "center", "base", "belly",
                                                                   "stomach", "abdomen", "tummy",  "butt", "bottom" };

// How many characters at the ends of the two names are equal, letter case counting.
int CommonSuffixLength(std::string_view a, std::string_view b);

// The generated level lines so far, and the level a further part is guessed to have.
// Finding the line that shares the longest ending goes through a compressed trie of the
// reversed names, of at most two nodes a line, so generating stays linear in time and memory.
class LevelGuesser {
public:
    LevelGuesser();
    ~LevelGuesser();

    // The level of the part: that of the first line sharing the most final characters
    // with it; else one below the last line when both begin alike; else below the root chain.
    int GuessLevel(std::string_view partName, int rootCount) const;
    void Add(int level, std::string_view partName);

private:
    struct SuffixIndex;
    struct Line {
        std::uint64_t position; // of the name, in names_
        std::uint32_t size;
        int level;
    };
    std::string_view NameOf(const Line& line) const { return names_.At(line.position, line.size); }

    TextBlocks names_;
    std::deque<Line> lines_;
    std::unique_ptr<SuffixIndex> index_;
};

// The group names of an OBJ file, one per name ignoring case, spelled as met first,
// in ascending order ignoring case. None when the file cannot be opened.
// Reading throws Cancelled when the listener, if any, says stop.
std::optional<std::vector<std::string>> ReadPartList(const std::string& objFilePath, Progress* progress = nullptr);

// What generation adds to a document: the header for its top, the level lines for its end.
struct GeneratedHierarchy {
    std::vector<std::string> header;
    std::vector<std::string> levelLines;
};

// A first hierarchy from the groups of the OBJ file: the comment and the objFile line,
// then the root chain and every other part at a guessed level. An OBJ file that cannot
// be opened adds one error (line 1) to the diagnostics, which are not cleared, and gives none.
// A listener, if any, hears how far the file is read and may stop it: Cancelled is thrown,
// with the diagnostics untouched.
std::optional<GeneratedHierarchy> GenerateHierarchy(CheckState& state, const std::string& objFilePath,
                                                    Progress* progress = nullptr);

// Adds a generated hierarchy to a document, which is never cleared: the header goes to
// the top, in its order, and the level lines to the end.
void InsertGeneratedHierarchy(DocumentLines& lines, const GeneratedHierarchy& generated);
// The same, its lines moved into the document rather than copied.
void InsertGeneratedHierarchy(DocumentLines& lines, GeneratedHierarchy&& generated);

} // namespace varnoke
