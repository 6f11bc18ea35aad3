#include "hierarchy/check_state.h"

namespace varnoke {

void CheckState::Clear()
{
    diagnostics.Clear();
    FDefinedParts.Clear();
    FObjParts.Clear();
    FChainParts.Clear();
    geometryFiles.clear();
}

} // namespace varnoke
