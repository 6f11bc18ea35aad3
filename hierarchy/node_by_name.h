#pragma once

#include "hierarchy/forest.h"

#include <optional>
#include <string>
#include <string_view>

namespace varnoke {

// The first node in absolute order whose part name (second word, cut to 39
// characters) equals the name exactly, letter case included; any kind of node.
const Node* FindPartNode(const Forest& tree, std::string_view name);

// The part a level line or node names, as the test reads it; none for any other line.
std::optional<std::string> LevelPartName(std::string_view text);

// The first level node in absolute order whose part name equals the name, letter case
// ignored as the registries ignore it; never a comment or an IK chain that carries it.
const Node* FindLevelNode(const Forest& tree, std::string_view name);

} // namespace varnoke
