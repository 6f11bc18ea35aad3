#pragma once

#include "hierarchy/diagnostics.h"

#include <QTextBlock>

class QTextDocument;

namespace ui {

// Marks each line a diagnostic names, an error over a warning, in place of the marks
// the text had.
void MarkDiagnostics(QTextDocument& text, const varnoke::Diagnostics& diagnostics);
void ClearMarks(QTextDocument& text);
// The next marked line after from (forward) or before it, round the end of the text;
// invalid when no line is marked.
QTextBlock NextMarked(const QTextBlock& from, bool forward);

} // namespace ui
