#include "app/text_view.h"

#include "app/busy_cursor.h"
#include "app/large_text.h"
#include "app/line_number_margin.h"
#include "app/steady_caret.h"
#include "app/text_lines.h"
#include "app/wide_lines.h"

#include <QAbstractUndoItem>
#include <QFontDatabase>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

namespace {

// A part of an undo step that selects again, once the step is undone, what was selected
// before it; after the editor has put its caret where the text document says.
class SelectAgain final : public QAbstractUndoItem {
public:
    explicit SelectAgain(TextView& view)
        : view_(&view)
        , anchor_(view.textCursor().anchor())
        , position_(view.textCursor().position())
    {
    }

    void undo() override
    {
        QTimer::singleShot(0, view_, [view = view_, anchor = anchor_, position = position_] {
            QTextCursor cursor = view->textCursor();
            cursor.setPosition(anchor);
            cursor.setPosition(position, QTextCursor::KeepAnchor);
            view->setTextCursor(cursor);
        });
    }
    void redo() override { }

private:
    QPointer<TextView> view_;
    int anchor_;
    int position_;
};

} // namespace

TextView::TextView(TextLines& lines, QTextDocument& text, QWidget* parent)
    : QPlainTextEdit(parent)
    , lines_(lines)
{
    setDocument(&text);
    FollowWidth(text);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    // Files dropped on the editor open as documents; they are not pasted into the text.
    setAcceptDrops(false);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(font);
    setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 4);
    new SteadyCaret(*this);
    margin_ = new LineNumberMargin(*this);
    // The caret's number is drawn apart from the others.
    connect(this, &QPlainTextEdit::cursorPositionChanged, margin_, qOverload<>(&QWidget::update));
}

void TextView::ShowText(QTextDocument* text)
{
    const Place shown { textCursor(), horizontalScrollBar()->value(), verticalScrollBar()->value() };
    setDocument(text);
    FollowWidth(*text);
    if (!before_.cursor.isNull() && before_.cursor.document() == text) {
        setTextCursor(before_.cursor);
        horizontalScrollBar()->setValue(before_.horizontal);
        verticalScrollBar()->setValue(before_.vertical);
    }
    before_ = shown;
}

void TextView::FollowWidth(QTextDocument& text)
{
    disconnect(wideLines_);
    WideLines& wide = WideLines::Of(text);
    Wrap(wide.Found());
    wideLines_ = connect(&wide, &WideLines::found, this, [this] { Wrap(true); });
}

void TextView::Wrap(bool wrap)
{
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setWordWrapMode(wrap ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
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

std::unique_ptr<QAbstractUndoItem> TextView::SelectionUndo()
{
    return std::make_unique<SelectAgain>(*this);
}

void TextView::insertFromMimeData(const QMimeData* source)
{
    const qsizetype characters = source->hasText() ? source->text().size() : 0;
    if (characters > kLargeText && largePaste_ && !largePaste_(characters))
        return;
    // Tens of megabytes take the editor seconds.
    std::optional<BusyCursor> busy;
    if (characters > kLargeText)
        busy.emplace();
    QPlainTextEdit::insertFromMimeData(source);
}

void TextView::ForEachBlockInSight(const BlockVisit& visit) const
{
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int bottom = viewport()->height();
    for (; block.isValid() && top <= bottom; block = block.next()) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible())
            visit(block, qRound(top), qRound(height));
        top += height;
    }
}

void TextView::RedrawDecorations()
{
    viewport()->update();
    margin_->update();
}

void TextView::paintEvent(QPaintEvent* event)
{
    emit aboutToPaint();
    QPlainTextEdit::paintEvent(event);
}
