#pragma once

#include <string>
#include <string_view>

namespace varnoke {

// The one case folding of the program: ASCII letters and the Latin-1 letters
// 0xC0-0xDE (except the multiplication sign), folded to lower case.
char FoldCase(char c);
std::string FoldCase(std::string_view text);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace varnoke
