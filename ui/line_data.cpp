#include "ui/line_data.h"

namespace ui {

LineData* DataOf(const QTextBlock& block)
{
    // Nothing else puts data on the text's blocks.
    return static_cast<LineData*>(block.userData());
}

LineData& DataFor(QTextBlock block)
{
    if (LineData* data = DataOf(block))
        return *data;
    auto* data = new LineData;
    block.setUserData(data);
    return *data;
}

LineData::Mark MarkOf(const QTextBlock& block)
{
    const LineData* data = DataOf(block);
    return data ? data->mark : LineData::Mark::None;
}

} // namespace ui
