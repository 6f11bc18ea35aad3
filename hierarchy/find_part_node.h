#pragma once

#include "hierarchy/forest.h"

#include <string_view>

namespace varnoke {

// The first node in absolute order whose part name (second word, cut to 39
// characters) equals the name exactly, letter case included; any kind of node.
const Node* FindPartNode(const Forest& tree, std::string_view name);

} // namespace varnoke
