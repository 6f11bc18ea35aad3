#include "hierarchy/level_prefix.h"

#include "hierarchy/scan_reader.h"

namespace varnoke {

std::optional<LevelPrefix> ReadLevelPrefix(std::string_view text)
{
    ScanReader reader(text);
    LevelPrefix prefix;
    if (!reader.ReadInt(prefix.level))
        return std::nullopt;
    reader.SkipWhiteSpace();
    const std::size_t start = reader.Position();
    std::string word;
    if (reader.ReadWord(1, word))
        prefix.nameStart = start;
    return prefix;
}

std::string IndentedLevelLine(int level, std::string_view fromPartName)
{
    const std::string number = std::to_string(level);
    const std::size_t tabs = level > 1 ? static_cast<std::size_t>(level) - 1 : 0;
    std::string line;
    line.reserve(tabs + number.size() + 1 + fromPartName.size());
    line.assign(tabs, '\t');
    line += number;
    line += ' ';
    line += fromPartName;
    return line;
}

} // namespace varnoke
