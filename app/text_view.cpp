#include "app/text_view.h"

#include "app/text_lines.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlock>

TextView::TextView(TextLines& lines, QTextDocument& text, QWidget* parent)
    : QPlainTextEdit(parent)
    , lines_(lines)
{
    setDocument(&text);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    // Files dropped on the editor open as documents; they are not pasted into the text.
    setAcceptDrops(false);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(font);
    setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 4);
}

void TextView::ShowText(QTextDocument* text)
{
    const Place shown { textCursor(), horizontalScrollBar()->value(), verticalScrollBar()->value() };
    setDocument(text);
    if (!before_.cursor.isNull() && before_.cursor.document() == text) {
        setTextCursor(before_.cursor);
        horizontalScrollBar()->setValue(before_.horizontal);
        verticalScrollBar()->setValue(before_.vertical);
    }
    before_ = shown;
}

varnoke::TextPosition TextView::SelectionStart() const
{
    return lines_.ModelPosition(textCursor().selectionStart());
}

varnoke::TextPosition TextView::SelectionLength() const
{
    const QTextCursor cursor = textCursor();
    return lines_.ModelPosition(cursor.selectionEnd()) - lines_.ModelPosition(cursor.selectionStart());
}

void TextView::Select(varnoke::TextPosition start, varnoke::TextPosition length)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(lines_.TextDocumentPosition(start));
    cursor.setPosition(lines_.TextDocumentPosition(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

std::optional<int> TextView::CaretLine() const
{
    const int line = document()->findBlock(textCursor().selectionStart()).blockNumber();
    if (line >= lines_.Count())
        return std::nullopt;
    return line;
}
