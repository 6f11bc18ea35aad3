#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/forest.h"

#include <string>

namespace varnoke {

// Appends " name" for each part from the top of the node's tree down to the node, as
// ParseLevelLine reads each name. Like a test, each read registers the part as defined
// and reports a defect of the line as a diagnostic of line 1.
void AppendChainParts(CheckState& checks, std::string& text, const Node& node);

} // namespace varnoke
