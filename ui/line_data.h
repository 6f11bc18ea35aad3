#pragma once

#include <QTextBlock>
#include <QTextBlockUserData>

namespace ui {

// What the text view keeps on a line: the colouring it was last given and the mark of
// the last test's diagnostics. Kept on the block, it moves with the line as text is
// typed, inserted or removed around it.
class LineData final : public QTextBlockUserData {
public:
    enum class Mark { None, Warning, Error };

    // The colouring the line has; 0: none yet.
    int colouring = 0;
    Mark mark = Mark::None;
    // The line number the marking diagnostics name, and the first of them in the list.
    int diagnosticLine = 0;
    int firstDiagnostic = -1;
};

// The data of a block; none when it has none.
LineData* DataOf(const QTextBlock& block);
// The data of a block, made when it has none.
LineData& DataFor(QTextBlock block);
LineData::Mark MarkOf(const QTextBlock& block);

} // namespace ui
