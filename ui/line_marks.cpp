#include "ui/line_marks.h"

#include "ui/line_data.h"

#include <QTextDocument>

#include <algorithm>

namespace ui {

void MarkDiagnostics(QTextDocument& text, const varnoke::Diagnostics& diagnostics)
{
    ClearMarks(text);
    for (int index = 0; index < diagnostics.Count(); ++index) {
        const varnoke::Severity severity = diagnostics.SeverityAt(index);
        const int line = diagnostics.LineAt(index);
        const QTextBlock block = text.findBlockByNumber(line - 1);
        if (severity == varnoke::Severity::Plain || line < 1 || !block.isValid())
            continue;
        LineData& data = DataFor(block);
        const LineData::Mark mark
            = severity == varnoke::Severity::Error ? LineData::Mark::Error : LineData::Mark::Warning;
        if (data.mark == LineData::Mark::None) {
            data.diagnosticLine = line;
            data.firstDiagnostic = index;
        }
        data.mark = std::max(data.mark, mark);
    }
}

void ClearMarks(QTextDocument& text)
{
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        if (LineData* data = DataOf(block)) {
            data->mark = LineData::Mark::None;
            data->diagnosticLine = 0;
            data->firstDiagnostic = -1;
        }
    }
}

QTextBlock NextMarked(const QTextBlock& from, bool forward)
{
    const QTextDocument& text = *from.document();
    const auto step = [&](const QTextBlock& block) {
        const QTextBlock next = forward ? block.next() : block.previous();
        return next.isValid() ? next : forward ? text.firstBlock() : text.lastBlock();
    };
    for (QTextBlock block = step(from); block != from; block = step(block)) {
        if (MarkOf(block) != LineData::Mark::None)
            return block;
    }
    return MarkOf(from) != LineData::Mark::None ? from : QTextBlock();
}

} // namespace ui
