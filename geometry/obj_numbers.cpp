#include "geometry/obj_numbers.h"

#include "hierarchy/scan_reader.h"

#include <charconv>

namespace varnoke {

namespace {

// from_chars takes no '+': it is skipped when a number follows.
const char* SkipPlus(const char* begin, const char* end)
{
    return (begin + 1 < end && *begin == '+' && *(begin + 1) != '-' && *(begin + 1) != '+') ? begin + 1 : begin;
}

bool EndsField(const char* at, const char* end)
{
    return at == end || IsWhiteSpace(*at);
}

} // namespace

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at]))
        ++at;
    return text.substr(at);
}

bool TakeFloat(std::string_view& text, float& value)
{
    const std::string_view field = SkipBlanks(text);
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(SkipPlus(field.data(), end), end, value);
    if (error != std::errc() || !EndsField(stop, end))
        return false;
    text = field.substr(static_cast<std::size_t>(stop - field.data()));
    return true;
}

bool TakeInteger(std::string_view& text, std::int64_t& value, bool allowTail)
{
    const std::string_view field = SkipBlanks(text);
    const char* end = field.data() + field.size();
    auto [stop, error] = std::from_chars(SkipPlus(field.data(), end), end, value);
    if (error != std::errc())
        return false;
    if (allowTail && stop < end && *stop == '/') {
        while (!EndsField(stop, end))
            ++stop;
    }
    if (!EndsField(stop, end))
        return false;
    text = field.substr(static_cast<std::size_t>(stop - field.data()));
    return true;
}

} // namespace varnoke
