#pragma once

#include <string>
#include <string_view>

namespace varnoke {

// The one case folding of the program: ASCII letters and the Latin-1 letters
// 0xC0-0xDE (except the multiplication sign), folded to lower case.
// Inline, since hashing and sorting names fold every byte.
inline char FoldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    const bool asciiUpper = byte >= 'A' && byte <= 'Z';
    const bool latin1Upper = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
    return (asciiUpper || latin1Upper) ? static_cast<char>(byte + 0x20) : c;
}
std::string FoldCase(std::string_view text);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace varnoke
