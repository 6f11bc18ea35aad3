#include "app/line_number_margin.h"

#include "app/text_view.h"
#include "ui/line_data.h"
#include "ui/text_colours.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>

namespace {

constexpr int kPadding = 4;

} // namespace

LineNumberMargin::LineNumberMargin(TextView& view)
    : QWidget(&view)
    , view_(view)
{
    setObjectName(QStringLiteral("LineNumbers"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&view, &QPlainTextEdit::blockCountChanged, this, &LineNumberMargin::FitWidth);
    connect(&view, &QPlainTextEdit::updateRequest, this, &LineNumberMargin::Follow);
    view.installEventFilter(this);
    FitWidth();
}

int LineNumberMargin::MarkSize() const
{
    return view_.fontMetrics().height();
}

QSize LineNumberMargin::sizeHint() const
{
    return { width_, 0 };
}

void LineNumberMargin::FitWidth()
{
    int digits = 1;
    for (int count = std::max(1, view_.blockCount()); count >= 10; count /= 10)
        ++digits;
    const int width = kPadding + MarkSize() + kPadding
        + view_.fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3) + kPadding;
    if (width == width_)
        return;
    width_ = width;
    view_.SetLeftMargin(width_);
    const QRect area = view_.contentsRect();
    setGeometry(area.left(), area.top(), width_, area.height());
}

void LineNumberMargin::Follow(const QRect& rect, int dy)
{
    if (dy != 0)
        scroll(0, dy);
    else
        update(0, rect.y(), width(), rect.height());
    FitWidth();
}

bool LineNumberMargin::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) {
        width_ = 0;
        FitWidth();
    }
    return QWidget::eventFilter(watched, event);
}

void LineNumberMargin::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QPalette& colours = view_.palette();
    painter.fillRect(event->rect(), colours.color(QPalette::Window));
    painter.setFont(view_.font());
    painter.setRenderHint(QPainter::Antialiasing);
    const int caretLine = view_.textCursor().blockNumber();
    const int mark = MarkSize();
    view_.ForEachBlockInSight([&](const QTextBlock& block, int top, int height) {
        if (top > event->rect().bottom() || top + height < event->rect().top())
            return;
        painter.setPen(block.blockNumber() == caretLine ? colours.color(QPalette::Text) : ui::Toward(colours, 50));
        painter.drawText(0, top, width_ - kPadding, height, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(block.blockNumber() + 1));
        const ui::LineData::Mark lineMark = ui::MarkOf(block);
        if (lineMark == ui::LineData::Mark::None)
            return;
        const QRectF box(kPadding + 1, top + (height - mark) / 2.0 + 1, mark - 2, mark - 2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ui::MarkColour(colours, lineMark));
        if (lineMark == ui::LineData::Mark::Error) {
            painter.drawEllipse(box);
        } else {
            QPainterPath triangle;
            triangle.moveTo(box.center().x(), box.top());
            triangle.lineTo(box.bottomRight());
            triangle.lineTo(box.bottomLeft());
            triangle.closeSubpath();
            painter.drawPath(triangle);
        }
    });
}
