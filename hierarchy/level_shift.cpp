#include "hierarchy/level_shift.h"

#include "hierarchy/level_prefix.h"

#include <algorithm>

namespace varnoke {

std::optional<std::string> ShiftedLevelLine(std::string_view line, int delta)
{
    const std::optional<LevelPrefix> prefix = ReadLevelPrefix(line);
    if (!prefix || !prefix->nameStart)
        return std::nullopt;
    // Wider than int: a level read as the largest int must not wrap into range.
    const long long shifted = static_cast<long long>(prefix->level) + delta;
    if (shifted < kLowestShiftLevel || shifted > kHighestShiftLevel)
        return std::nullopt;
    std::string result = IndentedLevelLine(static_cast<int>(shifted), line.substr(*prefix->nameStart));
    if (result == line)
        return std::nullopt;
    return result;
}

bool ShiftLevel(DocumentLines& lines, LineRange range, int delta)
{
    const int first = std::max(range.first, 0);
    const int last = std::min(range.last, lines.Count() - 1);
    bool changed = false;
    for (int i = first; i <= last; ++i) {
        if (std::optional<std::string> shifted = ShiftedLevelLine(lines.Line(i), delta)) {
            lines.Replace(i, std::move(*shifted));
            changed = true;
        }
    }
    return changed;
}

} // namespace varnoke
