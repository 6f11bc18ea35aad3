#include "tree/level_prefix.h"

#include "hierarchy/scan_reader.h"

#include <string>

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

} // namespace varnoke
