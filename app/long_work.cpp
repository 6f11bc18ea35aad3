#include "app/long_work.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>

namespace {

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

LongWork::LongWork(QWidget& window)
    : QObject(&window)
    , window_(window)
{
}

LongWork::~LongWork() = default;

void LongWork::Begin()
{
    if (depth_++ > 0)
        return;
    reported_ = false;
}

void LongWork::End()
{
    if (--depth_ > 0)
        return;
    // Keys pressed since the last report wait in the queue: they were meant for the
    // command that just ended, not for another run of it.
    if (reported_)
        Pump();
    reported_ = false;
}

bool LongWork::Report(Step, std::string_view, std::uint64_t, std::uint64_t)
{
    // Work outside a command (a test run by a program of its own) keeps to itself.
    if (depth_ == 0)
        return true;
    reported_ = true;
    Pump();
    return true;
}

void LongWork::Pump()
{
    if (pumping_)
        return;
    const QScopedValueRollback<bool> pumping(pumping_, true);
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
}

bool LongWork::MeantForWindow(const QObject* watched, const QEvent* event) const
{
    // A key reaches a command as a shortcut event to its action, wherever the key was typed.
    if (event->type() == QEvent::Shortcut)
        return true;
    if (watched == window_.windowHandle())
        return true;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == &window_;
}

bool LongWork::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsInput(event->type()) || !MeantForWindow(watched, event))
        return QObject::eventFilter(watched, event);
    // A close refused must say so, or the window closes all the same.
    event->ignore();
    return true;
}
