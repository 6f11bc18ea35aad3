// ParseLevelLine on any line, with a few parts already known from OBJ files.
#include "fuzz_support.h"
#include "hierarchy/check_state.h"
#include "hierarchy/level_line.h"
#include "hierarchy/line_format.h"

#include <cstdint>

using namespace varnoke;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckState state;
    state.FObjParts.AddAll({ "hip", "abdomen", "chest", "lHand" });
    LevelFields fields;
    const bool sound = ParseLevelLine(state, text, 3, fields);

    const Diagnostics& diagnostics = state.diagnostics;
    VARNOKE_FUZZ_CHECK(sound || diagnostics.FErrorCount > 0);
    VARNOKE_FUZZ_CHECK(diagnostics.FWarningCount == 0);
    VARNOKE_FUZZ_CHECK(static_cast<int>(diagnostics.Entries().size()) == diagnostics.FErrorCount);
    for (const Diagnostic& entry : diagnostics.Entries())
        VARNOKE_FUZZ_CHECK(entry.line == 4 && entry.severity == Severity::Error);

    const LevelLineScan scan = ScanLevelLine(text);
    VARNOKE_FUZZ_CHECK(fields.level == scan.level);
    if (scan.count >= 3) {
        VARNOKE_FUZZ_CHECK(fields.name == scan.name && state.FDefinedParts.Holds(fields.name));
        VARNOKE_FUZZ_CHECK(!sound || (fields.rotation.size() == 3 && state.FObjParts.Holds(fields.name)));
    } else {
        VARNOKE_FUZZ_CHECK(!sound && diagnostics.FErrorCount == 1);
    }
    return 0;
}
