#include "ui/text_colours.h"

namespace ui {

namespace {

constexpr int kErrorHue = 0;
constexpr int kWarningHue = 35;

} // namespace

bool IsDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

QColor Hue(const QPalette& palette, int hue)
{
    return QColor::fromHsl(hue, 170, IsDark(palette) ? 170 : 85);
}

QColor Toward(const QPalette& palette, int percent)
{
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    const auto mix = [&](int from, int to) { return (from * (100 - percent) + to * percent) / 100; };
    return QColor(mix(text.red(), base.red()), mix(text.green(), base.green()), mix(text.blue(), base.blue()));
}

QColor MarkColour(const QPalette& palette, LineData::Mark mark)
{
    return QColor::fromHsl(mark == LineData::Mark::Error ? kErrorHue : kWarningHue, 220, IsDark(palette) ? 150 : 110);
}

} // namespace ui
