#include "hierarchy/line_fields.h"

#include "hierarchy/ik_chain_words.h"

namespace varnoke {

namespace {

FieldRole FourthRole(const LevelLineScan& scan)
{
    if (scan.fourth == "curve")
        return FieldRole::Curve;
    return FourthIsObjPath(scan) ? FieldRole::ObjPath : FieldRole::Extra;
}

void ReadLevelFields(std::string_view rest, std::size_t offset, std::vector<LineField>& fields)
{
    const LevelLineScan scan = ScanLevelLine(rest);
    for (int field = 0; field < scan.count; ++field) {
        static constexpr FieldRole kFixed[] = { FieldRole::LevelNumber, FieldRole::PartName, FieldRole::Rotation };
        FieldRole role = FieldRole::Extra;
        if (field < 3)
            role = kFixed[field];
        else if (field == 3)
            role = FourthRole(scan);
        else if (field == 4)
            role = FieldRole::ObjPath;
        const ByteSpan span = scan.spans[static_cast<std::size_t>(field)];
        fields.push_back({ { offset + span.start, span.length }, role });
    }
}

void ReadChainFields(std::string_view rest, std::size_t offset, std::vector<LineField>& fields)
{
    const std::vector<ByteSpan> words = SplitIKChainWords(rest);
    for (std::size_t word = 0; word < words.size(); ++word) {
        const FieldRole role = word == 0 ? FieldRole::Keyword : word == 1 ? FieldRole::ChainName : FieldRole::ChainPart;
        fields.push_back({ { offset + words[word].start, words[word].length }, role });
    }
}

} // namespace

void ReadLineFields(std::string_view line, std::vector<LineField>& fields)
{
    if (line.size() > kMaxLineLength) {
        fields.push_back({ { 0, line.size() }, FieldRole::Illegal });
        return;
    }
    const std::string_view rest = SkipLeadingWhiteSpace(line);
    const std::size_t offset = line.size() - rest.size();
    ByteSpan read;
    switch (RecogniseTestLine(rest, read)) {
    case TestLineKind::Empty:
        return;
    case TestLineKind::Comment:
        fields.push_back({ { offset + read.start, read.length }, FieldRole::Comment });
        return;
    case TestLineKind::Illegal:
        fields.push_back({ { offset + read.start, read.length }, FieldRole::Illegal });
        return;
    case TestLineKind::ObjFile:
        fields.push_back({ { offset + read.start, read.length }, FieldRole::Keyword });
        if (const std::optional<ByteSpan> path = ObjFilePathSpan(rest))
            fields.push_back({ { offset + path->start, path->length }, FieldRole::ObjPath });
        return;
    case TestLineKind::IKChain:
        ReadChainFields(rest, offset, fields);
        return;
    case TestLineKind::Level:
        ReadLevelFields(rest, offset, fields);
        return;
    }
}

} // namespace varnoke
