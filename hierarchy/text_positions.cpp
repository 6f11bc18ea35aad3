#include "hierarchy/text_positions.h"

namespace varnoke {

namespace {

constexpr TextPosition kLineBreak = 2;

TextPosition LengthOf(const DocumentLines& lines, int index)
{
    return static_cast<TextPosition>(lines.Line(index).size());
}

} // namespace

std::optional<int> LineAtPosition(const DocumentLines& lines, TextPosition position)
{
    TextPosition rest = position;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        rest -= LengthOf(lines, i) + kLineBreak;
        if (rest < 0)
            return i;
    }
    return std::nullopt;
}

std::optional<LineRange> SelectedLineRange(const DocumentLines& lines, TextPosition start, TextPosition length)
{
    const std::optional<int> first = LineAtPosition(lines, start);
    if (!first)
        return std::nullopt;
    LineRange range { *first, *first };
    const int count = lines.Count();
    TextPosition rest = length;
    while (rest > 0 && range.last < count) {
        rest -= LengthOf(lines, range.last) + kLineBreak;
        if (rest > 0)
            ++range.last;
    }
    // A length reaching past the text would name a line that isn't there.
    if (range.last >= count)
        range.last = count - 1;
    return range;
}

TextSelection LineSelection(const DocumentLines& lines, int lineNumber)
{
    if (lineNumber <= 0)
        return {};
    const int index = lineNumber - 1;
    const int count = lines.Count();
    const int counted = index < count ? index : count;
    TextSelection selection;
    for (int i = 0; i < counted; ++i)
        selection.start += LengthOf(lines, i) + kLineBreak;
    // Lines beyond the last are empty: only their line breaks count.
    selection.start += static_cast<TextPosition>(index - counted) * kLineBreak;
    selection.length = index < count ? LengthOf(lines, index) : 0;
    return selection;
}

TextPosition EditorPosition(const DocumentLines& lines, TextPosition position)
{
    if (position <= 0)
        return 0;
    TextPosition lineStart = 0;
    TextPosition editorLineStart = 0;
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        const TextPosition length = LengthOf(lines, i);
        if (position - lineStart <= length)
            return editorLineStart + (position - lineStart);
        if (position - lineStart < length + kLineBreak)
            return editorLineStart + length;
        lineStart += length + kLineBreak;
        editorLineStart += length + 1;
    }
    return editorLineStart;
}

} // namespace varnoke
