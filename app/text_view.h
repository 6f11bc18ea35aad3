#pragma once

#include "hierarchy/text_positions.h"

#include <QPlainTextEdit>

#include <optional>

class TextLines;

// The text view: the document's text with the selection as the text aids reckon it,
// each line break counting two characters.
class TextView final : public QPlainTextEdit {
    Q_OBJECT

public:
    // The lines' text document becomes the view's.
    TextView(TextLines& lines, QTextDocument& text, QWidget* parent = nullptr);

    varnoke::TextPosition SelectionStart() const;
    varnoke::TextPosition SelectionLength() const;
    // Selects from start, length characters on, both clamped to the text.
    void Select(varnoke::TextPosition start, varnoke::TextPosition length);
    // The caret's line, where the selection starts; none after a final line end or in
    // an empty text.
    std::optional<int> CaretLine() const;

private:
    TextLines& lines_;
};
