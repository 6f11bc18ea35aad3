#include "app/text_memo.h"

#include "dialogs/dialog_support.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// Joined for setPlainText, which takes a line feed as the end of a block.
QString JoinedLines(const std::vector<std::string>& lines, bool finalLineEnd)
{
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += '\n';
        joined += lines[i];
    }
    if (finalLineEnd && !lines.empty())
        joined += '\n';
    return dialog_support::FromLatin1(joined);
}

} // namespace

TextMemoLines::TextMemoLines(QPlainTextEdit& editor)
    : editor_(editor)
{
}

bool TextMemoLines::EndsWithLineEnd() const
{
    return editor_.document()->lastBlock().length() == 1 && editor_.document()->blockCount() > 1;
}

int TextMemoLines::Count() const
{
    const QTextDocument* document = editor_.document();
    if (document->blockCount() == 1 && document->firstBlock().length() == 1)
        return 0;
    return document->blockCount() - (EndsWithLineEnd() ? 1 : 0);
}

std::string TextMemoLines::Line(int index) const
{
    // Read raw from the block: the whole-text conversions turn a no-break space into a blank.
    return dialog_support::ToLatin1(editor_.document()->findBlockByNumber(index).text());
}

void TextMemoLines::Replace(int index, std::string text)
{
    // Selected by position: moving to the end of the block would lay it out first, a text
    // shaping for every line a test re-indents even inside an edit block.
    const QTextBlock block = editor_.document()->findBlockByNumber(index);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(dialog_support::FromLatin1(text));
}

void TextMemoLines::Insert(int index, std::vector<std::string> lines)
{
    if (lines.empty())
        return;
    QTextDocument* document = editor_.document();
    const int count = Count();
    if (index < count || EndsWithLineEnd() || count == 0) {
        // Before an existing line, or into the empty line after a final line end.
        QTextCursor cursor(index < count ? document->findBlockByNumber(index) : document->lastBlock());
        cursor.insertText(JoinedLines(lines, true));
        return;
    }
    // After a last line without a line end: the text still ends without one.
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QLatin1Char('\n') + JoinedLines(lines, false));
}

void TextMemoLines::ReplaceAll(std::vector<std::string> lines)
{
    const bool any = !lines.empty();
    editor_.setPlainText(JoinedLines(lines, true));
    SetModified(any);
}

bool TextMemoLines::Holds(const varnoke::DocumentText& text) const
{
    const int count = Count();
    // A character no byte holds reads as '?' and must not pass for the file's '?'.
    bool same = static_cast<std::size_t>(count) == text.lines.size() && EndsWithLineEnd() == text.finalLineEnd
        && !FirstLineBeyondLatin1();
    for (int i = 0; same && i < count; ++i)
        same = Line(i) == text.lines[static_cast<std::size_t>(i)];
    return same;
}

void TextMemoLines::Load(const varnoke::DocumentText& text)
{
    editor_.setPlainText(JoinedLines(text.lines, text.finalLineEnd));
}

QByteArray TextMemoLines::Bytes() const
{
    QByteArray bytes;
    for (QTextBlock block = editor_.document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block != editor_.document()->firstBlock())
            bytes += "\r\n";
        bytes += block.text().toLatin1();
    }
    return bytes;
}

std::optional<int> TextMemoLines::FirstLineBeyondLatin1() const
{
    for (QTextBlock block = editor_.document()->firstBlock(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xFF; }))
            return block.blockNumber();
    }
    return std::nullopt;
}

bool TextMemoLines::Modified() const
{
    return editor_.document()->isModified();
}

void TextMemoLines::SetModified(bool modified)
{
    editor_.document()->setModified(modified);
}

varnoke::TextPosition TextMemoLines::ModelPosition(int editorPosition) const
{
    // Every line break before the position counts one character more.
    return editorPosition + editor_.document()->findBlock(editorPosition).blockNumber();
}

varnoke::TextPosition TextMemoLines::SelectionStart() const
{
    return ModelPosition(editor_.textCursor().selectionStart());
}

varnoke::TextPosition TextMemoLines::SelectionLength() const
{
    const QTextCursor cursor = editor_.textCursor();
    return ModelPosition(cursor.selectionEnd()) - ModelPosition(cursor.selectionStart());
}

void TextMemoLines::Select(varnoke::TextPosition start, varnoke::TextPosition length)
{
    const varnoke::TextPosition end = editor_.document()->characterCount() - 1;
    const auto clamped = [end](varnoke::TextPosition position) { return static_cast<int>(std::min(position, end)); };
    QTextCursor cursor = editor_.textCursor();
    cursor.setPosition(clamped(varnoke::EditorPosition(*this, start)));
    cursor.setPosition(clamped(varnoke::EditorPosition(*this, start + length)), QTextCursor::KeepAnchor);
    editor_.setTextCursor(cursor);
    editor_.ensureCursorVisible();
}

TextMemoLines::EditBlock::EditBlock(TextMemoLines& lines)
    : cursor_(lines.editor_.document())
{
    cursor_.beginEditBlock();
}

TextMemoLines::EditBlock::~EditBlock()
{
    cursor_.endEditBlock();
}
