#pragma once

#include "hierarchy/document_lines.h"
#include "hierarchy/text_positions.h"

#include <QTextCursor>

#include <optional>

class QPlainTextEdit;

// The editor's text as the document's lines. Bytes pass through Latin-1 both ways, so
// every byte of a file survives a load and a save. The editor's document keeps the
// Modified flag: single-line changes set it, replacing the whole text clears it.
class TextMemoLines final : public varnoke::DocumentLines {
public:
    explicit TextMemoLines(QPlainTextEdit& editor);

    // The last block is no line when it is empty (the text ends with a line end).
    int Count() const override;
    std::string Line(int index) const override;
    void Replace(int index, std::string text) override;
    void Insert(int index, std::vector<std::string> lines) override;
    // As tree-to-text writes: one line end after each line; Modified set when there is a line.
    void ReplaceAll(std::vector<std::string> lines) override;

    bool Holds(const varnoke::DocumentText& text) const;
    // Puts a file's text in place of the whole text.
    void Load(const varnoke::DocumentText& text);
    // The text as a file holds it: lines joined by CR LF, a final one when the text ends so.
    QByteArray Bytes() const;
    // The first line (0-based) with a character beyond Latin-1, which a byte cannot hold.
    std::optional<int> FirstLineBeyondLatin1() const;

    bool Modified() const;
    void SetModified(bool modified);

    // Positions counting each line break as two characters, as the text aids reckon.
    varnoke::TextPosition SelectionStart() const;
    varnoke::TextPosition SelectionLength() const;
    // Selects from start, length characters on, both clamped to the text.
    void Select(varnoke::TextPosition start, varnoke::TextPosition length);

    // Groups program changes into one edit: one undo step, one relayout.
    class EditBlock {
    public:
        explicit EditBlock(TextMemoLines& lines);
        ~EditBlock();
        EditBlock(const EditBlock&) = delete;
        EditBlock& operator=(const EditBlock&) = delete;

    private:
        QTextCursor cursor_;
    };

private:
    bool EndsWithLineEnd() const;
    varnoke::TextPosition ModelPosition(int editorPosition) const;

    QPlainTextEdit& editor_;
};
