#include "ui/menu_bar_focus.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace ui {

namespace {

class FocusKeeper final : public QObject {
public:
    explicit FocusKeeper(QMenuBar& bar)
        : QObject(&bar)
        , bar_(bar)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (now == &bar_ && old && old != &bar_ && !qobject_cast<QMenu*>(old))
                before_ = old;
        });
        bar.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Looked at once the bar has handled the key.
        if (watched == &bar_ && event->type() == QEvent::KeyPress)
            QTimer::singleShot(0, this, [this] { GiveBack(); });
        return false;
    }

private:
    void GiveBack()
    {
        if (before_ && QApplication::focusWidget() == &bar_ && !QApplication::activePopupWidget()
            && !bar_.activeAction())
            before_->setFocus(Qt::MenuBarFocusReason);
    }

    QMenuBar& bar_;
    QPointer<QWidget> before_;
};

} // namespace

void GiveFocusBackAfterMenus(QMenuBar& bar)
{
    new FocusKeeper(bar);
}

} // namespace ui
