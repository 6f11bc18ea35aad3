#pragma once

#include "hierarchy/text_positions.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class LineNumberMargin;
class QAbstractUndoItem;

class TextLines;

// The text view: the document's text with the selection as the text aids reckon it,
// each line break counting two characters.
class TextView final : public QPlainTextEdit {
    Q_OBJECT

public:
    // The lines' text document becomes the view's.
    TextView(TextLines& lines, QTextDocument& text, QWidget* parent = nullptr);

    // Shows another text document. Given back the one it showed before, it stands where
    // it stood in it.
    void ShowText(QTextDocument* text);

    varnoke::TextPosition SelectionStart() const;
    varnoke::TextPosition SelectionLength() const;
    // Selects from start, length characters on, both clamped to the text.
    void Select(varnoke::TextPosition start, varnoke::TextPosition length);
    // The caret's line, where the selection starts; none after a final line end or in
    // an empty text.
    std::optional<int> CaretLine() const;
    // A part for an undo step that, undone, selects again what is selected now: the text
    // document's own undo only puts the caret somewhere near.
    std::unique_ptr<QAbstractUndoItem> SelectionUndo();
    // Asked before a paste or drop of a large text goes in: true lets it. None: every one does.
    void AskBeforeLargePaste(std::function<bool(std::int64_t characters)> question)
    {
        largePaste_ = std::move(question);
    }

    // The lines in sight, each with its top and height in the view's viewport.
    using BlockVisit = std::function<void(const QTextBlock& block, int top, int height)>;
    void ForEachBlockInSight(const BlockVisit& visit) const;
    // Room at the left of the text, for what is drawn beside the lines.
    void SetLeftMargin(int width) { setViewportMargins(width, 0, 0, 0); }
    // The decorations of the lines changed: the text and its margin are drawn again.
    void RedrawDecorations();

signals:
    // Before the text is painted, so that what decorates the lines in sight readies them.
    void aboutToPaint();

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A text that holds a line too wide to lay out on one line is shown wrapped at the
    // view's width; the text itself never changes.
    void FollowWidth(QTextDocument& text);
    void Wrap(bool wrap);

    // Where the view stood in the text it showed before the one it shows.
    struct Place {
        QTextCursor cursor;
        int horizontal = 0;
        int vertical = 0;
    };

    TextLines& lines_;
    Place before_;
    std::function<bool(std::int64_t characters)> largePaste_;
    LineNumberMargin* margin_;
    QMetaObject::Connection wideLines_;
};
