#include "hierarchy/case_fold.h"

#include <algorithm>

namespace varnoke {

char FoldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    const bool asciiUpper = byte >= 'A' && byte <= 'Z';
    const bool latin1Upper = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
    return (asciiUpper || latin1Upper) ? static_cast<char>(byte + 0x20) : c;
}

std::string FoldCase(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = FoldCase(c);
    return folded;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

} // namespace varnoke
