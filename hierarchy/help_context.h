#pragma once

#include <string_view>

namespace varnoke {

// Help context numbers that the help pages are keyed by.
inline constexpr int kHelpOverview = 0; // neither the text nor the tree has the focus
inline constexpr int kHelpObjFile = 2;
inline constexpr int kHelpLevel = 3;
inline constexpr int kHelpIKChain = 4;
inline constexpr int kHelpNoLine = 5; // no current line or node, an illegal or empty line
inline constexpr int kHelpComment = 6;

// The help context of a line or node text by its kind, indentation included: an indented
// comment counts as an illegal line.
int HelpContextOfLine(std::string_view text);

} // namespace varnoke
