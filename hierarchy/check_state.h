#pragma once

#include "hierarchy/diagnostics.h"
#include "hierarchy/part_registry.h"

namespace varnoke {

// What a test leaves behind and the next one clears: the diagnostics with their
// counters and the three part registries. The window owns one; the command line
// makes its own.
struct CheckState {
    Diagnostics diagnostics;
    PartRegistry FDefinedParts;
    PartRegistry FObjParts;
    PartRegistry FChainParts;

    void Clear();
};

} // namespace varnoke
