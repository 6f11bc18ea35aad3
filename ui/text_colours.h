#pragma once

#include "ui/line_data.h"

#include <QColor>
#include <QPalette>

namespace ui {

// Colours for the text view that read well on the palette's base, light or dark: a hue
// made light on a dark base and dark on a light one.
bool IsDark(const QPalette& palette);
QColor Hue(const QPalette& palette, int hue);
// Between the text and the base colour: 0 the text's, 100 the base's.
QColor Toward(const QPalette& palette, int percent);
QColor MarkColour(const QPalette& palette, LineData::Mark mark);

} // namespace ui
