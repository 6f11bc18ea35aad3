#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The level number at the start of a node text and where its part-name field begins:
// the first character after the number that is not white space.
struct LevelPrefix {
    int level = 0;
    std::optional<std::size_t> nameStart; // none when no word follows the number
};

// None when the text does not begin with a number (after white space and a sign).
std::optional<LevelPrefix> ReadLevelPrefix(std::string_view text);

// A level line as the text view shows it: level - 1 tabs, the level, one blank, then the
// old text from its part-name field on. The level is at least 1; the caller bounds it.
std::string IndentedLevelLine(int level, std::string_view fromPartName);

} // namespace varnoke
