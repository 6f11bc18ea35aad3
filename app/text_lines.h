#pragma once

#include "hierarchy/document_lines.h"
#include "hierarchy/progress.h"
#include "hierarchy/text_positions.h"

#include <QTextCursor>

#include <optional>

class QTextDocument;

// A text document's lines as the document's lines. Bytes pass through Latin-1 both ways,
// so every byte of a file survives a load and a save. The text document keeps the
// Modified flag: single-line changes set it, replacing the whole text clears it.
class TextLines final : public varnoke::DocumentLines {
public:
    explicit TextLines(QTextDocument& text);
    // From now on the lines are those of another text document.
    void Rebind(QTextDocument& text) { text_ = &text; }

    // The last block is no line when it is empty (the text ends with a line end).
    int Count() const override;
    std::string Line(int index) const override;
    void Replace(int index, std::string text) override;
    void Insert(int index, std::vector<std::string> lines) override;
    // As tree-to-text writes: one line end after each line; Modified set when there is a line.
    void ReplaceAll(std::vector<std::string> lines) override;

    bool Holds(const varnoke::DocumentText& text) const;
    // The text as a file holds it: lines joined by CR LF, a final one when the text ends so.
    // The listener hears how far it has come (a save's first part) and may stop it.
    QByteArray Bytes(varnoke::Progress* progress = nullptr, std::string_view what = {}) const;
    // The first line (0-based) with a character beyond Latin-1, which a byte cannot hold.
    std::optional<int> FirstLineBeyondLatin1(varnoke::Progress* progress = nullptr, std::string_view what = {}) const;

    bool Modified() const;
    void SetModified(bool modified);

    // A position of the text document as the text aids count it, each line break two
    // characters, and back.
    varnoke::TextPosition ModelPosition(int textPosition) const;
    int TextDocumentPosition(varnoke::TextPosition position) const;

    // Groups program changes into one edit: one undo step, one relayout. Its undo puts the
    // caret back where the given cursor stands (at the start of the text without one).
    class EditBlock {
    public:
        explicit EditBlock(TextLines& lines);
        EditBlock(TextLines& lines, const QTextCursor& caret);
        ~EditBlock();
        EditBlock(const EditBlock&) = delete;
        EditBlock& operator=(const EditBlock&) = delete;

    private:
        QTextCursor cursor_;
    };

private:
    bool EndsWithLineEnd() const;

    QTextDocument* text_;
};
