#pragma once

#include <cstdint>
#include <string_view>

namespace varnoke {

// Blanks between the fields of an OBJ line (the C library's white space).
std::string_view SkipBlanks(std::string_view text);

// The number at the start of the text (after blanks), in any locale: the text moves past
// it. False, the text untouched, when there is none or it runs on into other characters;
// a number with an index's "/vt/vn" tail is a whole number when allowTail is set.
bool TakeFloat(std::string_view& text, float& value);
bool TakeInteger(std::string_view& text, std::int64_t& value, bool allowTail);

} // namespace varnoke
