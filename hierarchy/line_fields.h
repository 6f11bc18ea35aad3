#pragma once

#include "hierarchy/line_format.h"

#include <string_view>
#include <vector>

namespace varnoke {

// What a field of a line is to a test, for a view that tells them apart.
enum class FieldRole {
    Comment,
    Keyword, // objFile or ikChain
    ObjPath,
    LevelNumber,
    PartName,
    Rotation,
    Curve, // a fourth field that reads "curve"
    Extra, // any other field after the rotation
    ChainName,
    ChainPart,
    Illegal, // a line the test rejects as a whole
};

struct LineField {
    ByteSpan span;
    FieldRole role;
    bool operator==(const LineField&) const = default;
};

// The fields of an editor line, in order, as a test reads them, with no side effects:
// nothing is registered and nothing reported. The fields are appended to the list given.
void ReadLineFields(std::string_view line, std::vector<LineField>& fields);

} // namespace varnoke
