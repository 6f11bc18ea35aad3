#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

// Notices when another program destroys a window's native window under it (as
// `xdotool windowclose` does on X11), which the toolkit takes for a mere unmap: the
// process would go on without a window and with the user's text out of reach.
// Elsewhere no other process can do that, and the watch stays silent.
class ForcedCloseWatch : public QAbstractNativeEventFilter {
public:
    ForcedCloseWatch(const QWidget& window, std::function<void()> destroyed);
    ~ForcedCloseWatch() override;
    ForcedCloseWatch(const ForcedCloseWatch&) = delete;
    ForcedCloseWatch& operator=(const ForcedCloseWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
    std::function<void()> destroyed_;
};
