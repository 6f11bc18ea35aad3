#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/geometry_folders.h"

#include <string_view>

namespace varnoke {

// Reads the OBJ file of a Poser path once: its group names join FObjParts, a group
// already met in an earlier file and relative vertices are warned about, all as
// diagnostics of the given line.
void ScanObjFile(CheckState& state, const GeometryFolders& folders, std::string_view poserPath, int lineIndex);

// The group name of an OBJ line ("%1s %255s" on a line that begins with 'g'); empty when none.
std::string GroupNameOfLine(std::string_view line);

} // namespace varnoke
