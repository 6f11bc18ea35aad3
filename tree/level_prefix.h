#pragma once

#include <cstddef>
#include <optional>
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

} // namespace varnoke
