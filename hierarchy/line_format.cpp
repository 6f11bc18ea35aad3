#include "hierarchy/line_format.h"

#include "hierarchy/scan_reader.h"

namespace varnoke {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

LineKind ClassifyLine(std::string_view text)
{
    if (StartsWith(text, "#"))
        return lkComment;
    if (text.empty())
        return lkEmpty;
    if (LeadingNumber(text) > 0)
        return lkLevel;
    if (StartsWith(text, "objFile "))
        return lkObjFile;
    if (StartsWith(text, "ikChain "))
        return lkIKChain;
    return lkIllegal;
}

TestLineKind RecogniseTestLine(std::string_view rest)
{
    if (rest.empty())
        return TestLineKind::Empty;
    if (rest.front() == '#')
        return TestLineKind::Comment;
    if (StartsWith(rest, "objFile"))
        return TestLineKind::ObjFile;
    if (StartsWith(rest, "ikChain"))
        return TestLineKind::IKChain;
    if (!IsDigit(rest.front()))
        return TestLineKind::Illegal;
    return TestLineKind::Level;
}

std::string_view SkipLeadingWhiteSpace(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && IsWhiteSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::optional<std::string> ParseObjFileLine(std::string_view text)
{
    constexpr std::string_view keyword = "objFile ";
    if (!StartsWith(text, keyword))
        return std::nullopt;
    std::size_t start = keyword.size();
    while (start < text.size() && text[start] == ' ')
        ++start;
    return std::string(text.substr(start));
}

std::optional<std::string> PartNameOfText(std::string_view text)
{
    ScanReader reader(text);
    std::string first;
    std::string second;
    if (!reader.ReadWord(24, first) || !reader.ReadWord(39, second))
        return std::nullopt;
    return second;
}

LevelLineScan ScanLevelLine(std::string_view text)
{
    LevelLineScan scan;
    ScanReader reader(text);
    if (!reader.ReadInt(scan.level))
        return scan;
    scan.count = 1;
    std::string seventh;
    for (auto [field, width] : { std::pair { &scan.name, 99 },
                                 { &scan.rotation, 99 },
                                 { &scan.fourth, 255 },
                                 { &scan.fifth, 255 },
                                 { &scan.sixth, 255 },
                                 { &seventh, 1 } }) {
        if (!reader.ReadWord(static_cast<std::size_t>(width), *field))
            return scan;
        ++scan.count;
    }
    return scan;
}

} // namespace varnoke
