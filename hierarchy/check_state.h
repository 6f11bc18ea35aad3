#pragma once

#include "hierarchy/diagnostics.h"
#include "hierarchy/part_registry.h"

#include <string>
#include <vector>

namespace varnoke {

// What a test leaves behind and the next one clears: the diagnostics with their
// counters, the three part registries and the OBJ files read. The window owns one; the
// command line makes its own.
struct CheckState {
    Diagnostics diagnostics;
    PartRegistry FDefinedParts;
    PartRegistry FObjParts;
    PartRegistry FChainParts;
    // Each OBJ file the test read whole, once, as it was found on disk (Poser folders and
    // letter case resolved): what a view of the geometry reads, never looking it up anew.
    std::vector<std::string> geometryFiles;

    void Clear();
};

} // namespace varnoke
