#include "app/text_fill.h"

#include "ui/text_conversions.h"

#include <QPlainTextDocumentLayout>
#include <QTextCursor>

namespace {

// A piece takes the editor some tens of milliseconds: short enough for Cancel to answer
// at once, long enough that the pieces cost nothing beside the text.
constexpr std::size_t kPieceBytes = std::size_t { 1 } << 18;
// Each line is a block of its own, as dear as some tens of characters: a piece of short or
// empty lines is cut by their number.
constexpr std::size_t kPieceLines = std::size_t { 1 } << 14;

} // namespace

std::unique_ptr<QTextDocument> NewTextDocument(const QTextDocument* like)
{
    auto text = std::make_unique<QTextDocument>();
    // A plain text view takes no text laid out any other way.
    text->setDocumentLayout(new QPlainTextDocumentLayout(text.get()));
    if (like) {
        text->setDefaultFont(like->defaultFont());
        text->setDefaultTextOption(like->defaultTextOption());
    }
    return text;
}

void FillTextDocument(QTextDocument& text, std::vector<std::string>& lines, bool finalLineEnd,
                      varnoke::Progress* progress, std::string_view what)
{
    std::uint64_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 1;
    // Nobody undoes the filling; recording it would cost as much as the text.
    const bool undo = text.isUndoRedoEnabled();
    text.setUndoRedoEnabled(false);
    QTextCursor end(&text);
    std::uint64_t done = 0;
    std::string piece;
    std::size_t pieceLines = 0;
    // Whole lines: a change within one line has its layout lay the line out at once, again
    // and again for a long line put in in parts.
    const auto put = [&] {
        // Inside an edit block the cursor does not lay out its line to learn where it stands.
        end.beginEditBlock();
        end.insertText(ui::FromLatin1(piece));
        end.endEditBlock();
        done += piece.size();
        piece.clear();
        pieceLines = 0;
    };
    for (std::size_t index = 0; index < lines.size(); ++index) {
        piece += lines[index];
        std::string().swap(lines[index]);
        if (index + 1 < lines.size() || finalLineEnd)
            piece += '\n';
        if (piece.size() >= kPieceBytes || ++pieceLines >= kPieceLines) {
            put();
            // Not after the last: the window would paint what is in, and a line of tens of
            // millions of characters takes seconds to lay out for nothing.
            if (index + 1 < lines.size())
                varnoke::ReportProgress(progress, varnoke::Progress::Step::ShowingText, what, done, total);
        }
    }
    put();
    text.setUndoRedoEnabled(undo);
}
