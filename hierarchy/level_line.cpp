#include "hierarchy/level_line.h"

#include "hierarchy/line_format.h"

namespace varnoke {

bool ParseLevelLine(CheckState& state, std::string_view text, int lineIndex, LevelFields& fields)
{
    Diagnostics& diagnostics = state.diagnostics;
    LevelLineScan scan = ScanLevelLine(text);
    // The fields read stay in the outputs even when too few were read.
    fields = { scan.level, scan.name, scan.rotation, scan.fourth, scan.fifth };
    if (scan.count < 3) {
        diagnostics.AddError(lineIndex, "Syntax error/missing argument");
        return false;
    }

    bool sound = true;
    if (!state.FObjParts.Holds(fields.name)) {
        diagnostics.AddError(lineIndex, "Part '%s' was not found in an OBJ file", fields.name);
        sound = false;
    }
    state.FDefinedParts.Add(fields.name);
    if (fields.rotation.size() != 3) {
        diagnostics.AddError(lineIndex, "Rotations must be three characters long");
        sound = false;
    }
    if (fields.rotation.find('x') == std::string::npos || fields.rotation.find('y') == std::string::npos
        || fields.rotation.find('z') == std::string::npos) {
        diagnostics.AddError(lineIndex, "Rotations must be of the form xyz");
        sound = false;
    }
    if (scan.count == 3)
        return sound;
    // A sixth field is as extra as a seventh: the fourth is still "curve" and the fifth the path.
    if (scan.count >= 6)
        diagnostics.AddError(lineIndex, "Extra argument ignored");
    if (FourthIsObjPath(scan)) {
        fields.objPath = std::move(fields.fourth);
        fields.fourth.clear();
        return sound;
    }
    if (fields.fourth != "curve") {
        diagnostics.AddError(lineIndex, "Illegal 4th argument, must be 'curve'");
        return false;
    }
    return sound;
}

} // namespace varnoke
