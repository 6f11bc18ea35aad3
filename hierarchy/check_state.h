#pragma once

#include "hierarchy/diagnostics.h"
#include "hierarchy/part_registry.h"
#include "hierarchy/poser_paths.h"

#include <string>
#include <vector>

namespace varnoke {

// Where geometry paths point: the Poser folder that messages name, then further
// folders that are searched when a file is missing there.
struct GeometryFolders {
    std::string poserFolder;
    std::vector<std::string> alsoSearched;
    char separator = kLocalSeparator;
};

// What a test leaves behind and the next one clears: the diagnostics with their
// counters and the three part registries. The window owns one; the command line
// makes its own.
struct CheckState {
    Diagnostics WarningsList;
    PartRegistry FDefinedParts;
    PartRegistry FObjParts;
    PartRegistry FChainParts;
    GeometryFolders folders;

    void Clear();
};

} // namespace varnoke
