#pragma once

#include <QObject>

class Document;
class PhiHighlighter;
namespace varnoke {
class Diagnostics;
}
class QAbstractItemView;
class QTextDocument;
class TextView;

// What the text view draws over the text: the colouring of its lines, and the marks of
// the last test's diagnostics, which the caret follows into the diagnostics list. The
// colouring attaches to a text once it is complete, never to one still filling.
class TextDecorations final : public QObject {
    Q_OBJECT

public:
    // The list shows the diagnostics whose marks the caret follows into it.
    TextDecorations(TextView& view, QAbstractItemView& diagnostics);

    // Decorates the document's text as it changes: attached when complete, marked by
    // each test, unmarked when a test, New or the tree replace what the marks stood for.
    void Follow(Document& document);
    // Colours a complete text.
    void Attach(QTextDocument* text);
    // Marks the lines of the text shown that the diagnostics name, in place of the marks before.
    void Mark(const varnoke::Diagnostics& diagnostics);
    void Unmark();
    // Puts the caret at the start of the next (or previous) marked line, round the end
    // of the text; false when no line is marked.
    bool GoToMarked(bool forward);

private:
    // The colouring of the text shown; none before it is complete.
    PhiHighlighter* Highlighter() const;
    void ColourInSight();
    void FollowCaret();

    TextView& view_;
    QAbstractItemView& diagnostics_;
};
