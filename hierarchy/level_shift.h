#pragma once

#include "hierarchy/document_lines.h"
#include "hierarchy/text_positions.h"

#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The levels a shift moves a line between.
inline constexpr int kLowestShiftLevel = 1;
inline constexpr int kHighestShiftLevel = 50;

// The line with its level moved by delta (+1 or -1) and re-indented; none when it stays
// as it is: no number followed by a word, or a new level outside 1 to 50.
std::optional<std::string> ShiftedLevelLine(std::string_view line, int delta);

// Shifts every line of the range; replaces only lines that change. False when none did.
bool ShiftLevel(DocumentLines& lines, LineRange range, int delta);

} // namespace varnoke
