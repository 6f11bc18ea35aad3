// ReadLineFields on any line: its spans lie in the line, in order, and say what the test reads.
#include "fuzz_support.h"
#include "hierarchy/ik_chain_words.h"
#include "hierarchy/line_fields.h"
#include "hierarchy/line_format.h"

#include <cstdint>
#include <vector>

using namespace varnoke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::vector<LineField> fields;
    ReadLineFields(line, fields);
    std::size_t end = 0;
    for (const LineField& field : fields) {
        VARNOKE_FUZZ_CHECK(field.span.start >= end);
        end = field.span.start + field.span.length;
        VARNOKE_FUZZ_CHECK(end <= line.size());
    }
    if (line.size() > kMaxLineLength)
        return 0;
    const std::string_view rest = SkipLeadingWhiteSpace(line);
    const std::size_t offset = line.size() - rest.size();
    const auto text
        = [&](std::size_t index) { return line.substr(fields[index].span.start, fields[index].span.length); };
    switch (RecogniseTestLine(rest)) {
    case TestLineKind::Level: {
        const LevelLineScan scan = ScanLevelLine(rest);
        VARNOKE_FUZZ_CHECK(fields.size() == static_cast<std::size_t>(scan.count));
        const std::string* read[] = { nullptr, &scan.name, &scan.rotation, &scan.fourth, &scan.fifth, &scan.sixth };
        for (std::size_t field = 1; field < fields.size() && field < 6; ++field)
            VARNOKE_FUZZ_CHECK(text(field) == *read[field]);
        if (scan.count == 7)
            VARNOKE_FUZZ_CHECK(fields[6].span.length == 1);
        break;
    }
    case TestLineKind::IKChain: {
        const std::vector<ByteSpan> words = SplitIKChainWords(rest);
        VARNOKE_FUZZ_CHECK(words.size() == fields.size());
        for (std::size_t word = 0; word < words.size(); ++word) {
            VARNOKE_FUZZ_CHECK(fields[word].span.start == offset + words[word].start);
            VARNOKE_FUZZ_CHECK(text(word).find(' ') == std::string_view::npos && !text(word).empty());
        }
        break;
    }
    case TestLineKind::ObjFile: {
        const std::optional<std::string> path = ParseObjFileLine(rest);
        VARNOKE_FUZZ_CHECK(fields.size() == (path ? 2u : 1u));
        VARNOKE_FUZZ_CHECK(!path || text(1) == *path);
        break;
    }
    case TestLineKind::Comment:
    case TestLineKind::Illegal:
        VARNOKE_FUZZ_CHECK(fields.size() == 1 && fields[0].span.start == offset && text(0) == rest);
        break;
    case TestLineKind::Empty:
        VARNOKE_FUZZ_CHECK(fields.empty());
        break;
    }
    return 0;
}
