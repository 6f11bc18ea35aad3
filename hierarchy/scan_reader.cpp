#include "hierarchy/scan_reader.h"

#include <algorithm>
#include <climits>

namespace varnoke {

ScanReader::ScanReader(std::string_view text)
    : text_(text.substr(0, text.find('\0')))
{
}

void ScanReader::SkipWhiteSpace()
{
    while (position_ < text_.size() && IsWhiteSpace(text_[position_]))
        ++position_;
}

bool ScanReader::ReadInt(int& value)
{
    SkipWhiteSpace();
    std::size_t at = position_;
    bool negative = false;
    if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) {
        negative = text_[at] == '-';
        ++at;
    }
    if (at >= text_.size() || !IsDigit(text_[at]))
        return false;
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; at < text_.size() && IsDigit(text_[at]); ++at) {
        if (magnitude < limit)
            magnitude = std::min(limit, magnitude * 10 + (text_[at] - '0'));
    }
    position_ = at;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

bool ScanReader::ReadWord(std::size_t width, std::string& word)
{
    SkipWhiteSpace();
    const std::size_t start = position_;
    while (position_ < text_.size() && position_ - start < width && !IsWhiteSpace(text_[position_]))
        ++position_;
    word.assign(text_.substr(start, position_ - start));
    return position_ > start;
}

int LeadingNumber(std::string_view text)
{
    int value = 0;
    ScanReader reader(text);
    return reader.ReadInt(value) ? value : 0;
}

} // namespace varnoke
