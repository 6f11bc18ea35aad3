#include "app/steady_caret.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

// Some milliseconds of layout; a hierarchy's lines are hundreds of characters at most.
constexpr int kLongLine = 20'000;

} // namespace

SteadyCaret::SteadyCaret(QPlainTextEdit& view)
    : QObject(&view)
    , view_(view)
{
    // The caret blinks by the timer of the editor's text control, a child of its own.
    for (QObject* child : view.findChildren<QObject*>(Qt::FindDirectChildrenOnly)) {
        if (child->inherits("QWidgetTextControl"))
            child->installEventFilter(this);
    }
}

bool SteadyCaret::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Timer && view_.textCursor().block().length() > kLongLine)
        return true;
    return QObject::eventFilter(watched, event);
}
