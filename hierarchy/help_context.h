#pragma once

#include <string_view>

namespace varnoke {

// Help context numbers that the help pages are keyed by.
inline constexpr int kHelpOverview = 0; // neither the text nor the tree has the focus
inline constexpr int kHelpNoLine = 5; // no current line or node

// The help context of a line or node text by its kind, indentation included: an indented
// comment counts as an illegal line.
int HelpContextOfLine(std::string_view text);

} // namespace varnoke
