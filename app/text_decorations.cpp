#include "app/text_decorations.h"

#include "app/document.h"
#include "app/text_view.h"
#include "ui/diagnostics_model.h"
#include "ui/line_data.h"
#include "ui/line_marks.h"
#include "ui/phi_highlighter.h"

#include <QAbstractItemView>
#include <QTextBlock>

TextDecorations::TextDecorations(TextView& view, QAbstractItemView& diagnostics)
    : QObject(&view)
    , view_(view)
    , diagnostics_(diagnostics)
{
    connect(&view, &TextView::aboutToPaint, this, &TextDecorations::ColourInSight);
    connect(&view, &QPlainTextEdit::cursorPositionChanged, this, &TextDecorations::FollowCaret);
}

void TextDecorations::Follow(Document& document)
{
    Attach(&document.Text());
    connect(&document, &Document::textCompleted, this, &TextDecorations::Attach);
    // A test, a cancelled one, New and Open rebuild the tree and replace the diagnostics.
    connect(&document, &Document::treeReset, this, &TextDecorations::Unmark);
    connect(&document, &Document::textRebuilt, this, &TextDecorations::Unmark);
    connect(&document, &Document::tested, this, [this, &document] { Mark(document.Checks().diagnostics); });
}

PhiHighlighter* TextDecorations::Highlighter() const
{
    return view_.document()->findChild<PhiHighlighter*>(QString(), Qt::FindDirectChildrenOnly);
}

void TextDecorations::Attach(QTextDocument* text)
{
    // Each text has its own colouring, which goes with it: the text filling meanwhile has
    // none, and the one shown again when that stopped still has its own.
    if (!text->findChild<PhiHighlighter*>(QString(), Qt::FindDirectChildrenOnly))
        new PhiHighlighter(view_.palette(), *text);
    view_.RedrawDecorations();
}

void TextDecorations::Mark(const varnoke::Diagnostics& diagnostics)
{
    ui::MarkDiagnostics(*view_.document(), diagnostics);
    if (PhiHighlighter* highlighter = Highlighter())
        highlighter->Invalidate();
    view_.RedrawDecorations();
}

void TextDecorations::Unmark()
{
    ui::ClearMarks(*view_.document());
    if (PhiHighlighter* highlighter = Highlighter())
        highlighter->Invalidate();
    view_.RedrawDecorations();
}

void TextDecorations::ColourInSight()
{
    PhiHighlighter* highlighter = Highlighter();
    if (!highlighter)
        return;
    int first = -1;
    int last = -1;
    view_.ForEachBlockInSight([&](const QTextBlock& block, int, int) {
        if (first < 0)
            first = block.blockNumber();
        last = block.blockNumber();
    });
    // Colours go into the layout alone: the document hears of no change of its text.
    highlighter->ColourInSight(first, last);
}

bool TextDecorations::GoToMarked(bool forward)
{
    const QTextBlock block = ui::NextMarked(view_.textCursor().block(), forward);
    if (!block.isValid())
        return false;
    QTextCursor cursor(block);
    view_.setTextCursor(cursor);
    view_.ensureCursorVisible();
    return true;
}

void TextDecorations::FollowCaret()
{
    const ui::LineData* data = ui::DataOf(view_.textCursor().block());
    if (!data || data->mark == ui::LineData::Mark::None)
        return;
    if (!diagnostics_.model())
        return;
    const QModelIndex current = diagnostics_.currentIndex();
    if (current.isValid() && current.data(DiagnosticsModel::LineRole).toInt() == data->diagnosticLine)
        return;
    const QModelIndex entry = diagnostics_.model()->index(data->firstDiagnostic, 0);
    if (!entry.isValid())
        return;
    diagnostics_.setCurrentIndex(entry);
    diagnostics_.scrollTo(entry);
}
