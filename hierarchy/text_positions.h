#pragma once

#include "hierarchy/document_lines.h"

#include <cstdint>
#include <optional>

namespace varnoke {

// A place in the text view's text, counted in characters from its beginning, where
// each line break counts as two characters (CR LF).
using TextPosition = std::int64_t;

// Line indices, both inclusive.
struct LineRange {
    int first = 0;
    int last = 0;
};

// The line the position stands in; none after a final line break or in an empty text.
std::optional<int> LineAtPosition(const DocumentLines& lines, TextPosition position);

// The lines a selection touches. The length is laid out from the beginning of the first
// line, not from the start, and a selection ending where a line begins leaves that line out.
// None when the start stands after a final line break or the text is empty.
std::optional<LineRange> SelectedLineRange(const DocumentLines& lines, TextPosition start, TextPosition length);

struct TextSelection {
    TextPosition start = 0;
    TextPosition length = 0;
};

// The selection of a whole 1-based line, without its line break. A number of 0 or less
// selects nothing at the beginning; a line beyond the last reads as empty, so the start may
// lie beyond the end of the text (the view clamps it).
TextSelection LineSelection(const DocumentLines& lines, int lineNumber);

// The same place counting each line break as one character, as a text editor counts.
// A place between CR and LF maps to the end of its line; a place beyond the last line
// maps to the sum of (length + 1) over all lines.
TextPosition EditorPosition(const DocumentLines& lines, TextPosition position);

} // namespace varnoke
