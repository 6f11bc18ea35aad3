#include "app/forced_close_watch.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#ifdef Q_OS_LINUX
#include <xcb/xcb.h>
#endif

ForcedCloseWatch::ForcedCloseWatch(const QWidget& window, std::function<void()> destroyed)
    : window_(window)
    , destroyed_(std::move(destroyed))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

ForcedCloseWatch::~ForcedCloseWatch()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool ForcedCloseWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#ifdef Q_OS_LINUX
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
        return false;
    const auto* destroy = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (window_.internalWinId() != 0 && destroy->window == window_.internalWinId())
        // Acted on later: the toolkit still has to take in the event itself.
        QTimer::singleShot(0, window_.window(), destroyed_);
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
