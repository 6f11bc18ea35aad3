#pragma once

#include <string_view>

namespace varnoke {

// What a node of the tree stands for, as its icon shows it: a part (curved when its
// fourth field is "curve", as the level dialog reads it), an objFile or ikChain line, a
// comment, a line the format does not allow, or an empty line.
enum class NodeKind { part, curvedPart, objFile, ikChain, comment, illegal, empty };
inline constexpr int kNodeKindCount = 7;

NodeKind KindOfNode(std::string_view text);

} // namespace varnoke
