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
    ByteSpan read;
    return RecogniseTestLine(rest, read);
}

TestLineKind RecogniseTestLine(std::string_view rest, ByteSpan& read)
{
    read = {};
    if (rest.empty())
        return TestLineKind::Empty;
    if (rest.front() == '#') {
        read.length = rest.size();
        return TestLineKind::Comment;
    }
    for (auto [keyword, kind] : { std::pair { std::string_view("objFile"), TestLineKind::ObjFile },
                                  { std::string_view("ikChain"), TestLineKind::IKChain } }) {
        if (StartsWith(rest, keyword)) {
            read.length = keyword.size();
            return kind;
        }
    }
    if (!IsDigit(rest.front())) {
        read.length = rest.size();
        return TestLineKind::Illegal;
    }
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
    const std::optional<ByteSpan> path = ObjFilePathSpan(text);
    if (!path)
        return std::nullopt;
    return std::string(text.substr(path->start, path->length));
}

std::optional<ByteSpan> ObjFilePathSpan(std::string_view text)
{
    constexpr std::string_view keyword = "objFile ";
    if (!StartsWith(text, keyword))
        return std::nullopt;
    std::size_t start = keyword.size();
    while (start < text.size() && text[start] == ' ')
        ++start;
    return ByteSpan { start, text.size() - start };
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
    // Each read starts with the white space it skips; skipped first, the field's start is known.
    const auto readField = [&](auto&& read) {
        reader.SkipWhiteSpace();
        const std::size_t start = reader.Position();
        if (!read())
            return false;
        scan.spans[static_cast<std::size_t>(scan.count)] = { start, reader.Position() - start };
        ++scan.count;
        return true;
    };
    if (!readField([&] { return reader.ReadInt(scan.level); }))
        return scan;
    std::string seventh;
    for (auto [field, width] : { std::pair { &scan.name, 99 },
                                 { &scan.rotation, 99 },
                                 { &scan.fourth, 255 },
                                 { &scan.fifth, 255 },
                                 { &scan.sixth, 255 },
                                 { &seventh, 1 } }) {
        if (!readField(
                [&, field = field, width = width] { return reader.ReadWord(static_cast<std::size_t>(width), *field); }))
            return scan;
    }
    return scan;
}

bool FourthIsObjPath(const LevelLineScan& scan)
{
    return scan.count == 4 && scan.fourth.find(':') != std::string::npos;
}

} // namespace varnoke
