#pragma once

#include "hierarchy/check_state.h"

#include <string>
#include <string_view>

namespace varnoke {

// The fields of a level line as ParseLevelLine delivers them.
struct LevelFields {
    int level = 0;
    std::string name;
    std::string rotation;
    std::string fourth; // emptied when it was taken as the OBJ path
    std::string objPath;
};

// Reads and checks the fields of a level line. Every diagnostic goes to the given
// line, and the part name is registered as defined whatever the checks find. True
// when the line is sound.
bool ParseLevelLine(CheckState& state, std::string_view text, int lineIndex, LevelFields& fields);

} // namespace varnoke
