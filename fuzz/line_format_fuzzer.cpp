// Line classification and the field reader on any bytes.
#include "fuzz_support.h"
#include "hierarchy/line_format.h"
#include "hierarchy/scan_reader.h"

#include <algorithm>
#include <climits>
#include <cstdint>

using namespace varnoke;

namespace {

// atoi as the C library does it on a C string, clamped to int.
int ReferenceLeadingNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view cString = text.substr(0, text.find('\0'));

    const LineKind kind = ClassifyLine(text);
    VARNOKE_FUZZ_CHECK(kind >= lkComment && kind <= lkEmpty);
    VARNOKE_FUZZ_CHECK((kind == lkEmpty) == text.empty());

    const std::string_view rest = SkipLeadingWhiteSpace(text);
    VARNOKE_FUZZ_CHECK(rest.empty() || !IsWhiteSpace(rest.front()));
    VARNOKE_FUZZ_CHECK(text.ends_with(rest));
    const TestLineKind testKind = RecogniseTestLine(rest);
    VARNOKE_FUZZ_CHECK((testKind == TestLineKind::Empty) == rest.empty());

    if (const std::optional<std::string> path = ParseObjFileLine(text))
        VARNOKE_FUZZ_CHECK(text.starts_with("objFile ") && text.ends_with(*path));

    if (const std::optional<std::string> name = PartNameOfText(text))
        VARNOKE_FUZZ_CHECK(!name->empty() && name->size() <= 39 && cString.find(*name) != std::string_view::npos);

    const LevelLineScan scan = ScanLevelLine(text);
    VARNOKE_FUZZ_CHECK(scan.count >= 0 && scan.count <= 7);
    VARNOKE_FUZZ_CHECK(scan.name.size() <= 99 && scan.rotation.size() <= 99 && scan.fourth.size() <= 255
                       && scan.fifth.size() <= 255 && scan.sixth.size() <= 255);
    const std::string* fields[] = { &scan.name, &scan.rotation, &scan.fourth, &scan.fifth, &scan.sixth };
    for (int field = 0; field < 5; ++field)
        VARNOKE_FUZZ_CHECK(fields[field]->empty() == (scan.count < field + 2));
    if (scan.count > 0)
        VARNOKE_FUZZ_CHECK(scan.level == LeadingNumber(text));

    VARNOKE_FUZZ_CHECK(LeadingNumber(text) == ReferenceLeadingNumber(cString));
    return 0;
}
