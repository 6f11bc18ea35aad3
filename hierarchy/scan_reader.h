#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnoke {

// White space as the C library sees it: tab, line feed, vertical tab, form feed,
// carriage return and space. Bytes above 127 are never white space. Inline: the readers
// of large files test every byte.
inline bool IsWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads fields the way sscanf reads "%d" and "%Ns" with blanks between them:
// a word longer than its width runs on into the next field, and reading stops
// at a NUL byte as it does in a C string. Numbers too large for int are clamped
// instead of wrapping.
class ScanReader {
public:
    explicit ScanReader(std::string_view text);

    void SkipWhiteSpace();
    // "%d": white space, an optional sign, decimal digits. False without a digit.
    bool ReadInt(int& value);
    // "%Ns": white space, then up to width bytes that are not white space. False at the end.
    bool ReadWord(std::size_t width, std::string& word);
    // Where the next read starts, as an offset into the text.
    std::size_t Position() const { return position_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// The C library's integer conversion at the start of a text (atoi, clamped): 0 without digits.
int LeadingNumber(std::string_view text);

} // namespace varnoke
