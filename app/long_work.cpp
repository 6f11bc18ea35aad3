#include "app/long_work.h"

#include "ui/progress_dialog.h"
#include "ui/text_conversions.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>

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
    case QEvent::MouseMove:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
    case QEvent::Wheel:
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

QString ProgressText(varnoke::Progress::Step step, const QString& name)
{
    switch (step) {
    case varnoke::Progress::Step::ReadingFile:
        return QStringLiteral("Reading %1").arg(name);
    case varnoke::Progress::Step::TestingLines:
        return name.isEmpty() ? QStringLiteral("Testing the hierarchy") : QStringLiteral("Testing %1").arg(name);
    case varnoke::Progress::Step::WritingFile:
        return QStringLiteral("Saving %1").arg(name);
    case varnoke::Progress::Step::ShowingText:
        break;
    }
    return QStringLiteral("Loading %1 into the editor").arg(name);
}

} // namespace

LongWork::LongWork(QWidget& window)
    : QObject(&window)
    , window_(window)
{
    setObjectName(QStringLiteral("LongWork"));
}

LongWork::~LongWork() = default;

void LongWork::Begin()
{
    if (depth_++ > 0)
        return;
    reported_ = false;
    started_.start();
    sincePump_.start();
}

void LongWork::End()
{
    if (--depth_ > 0)
        return;
    if (dialog_) {
        // Deleted, not hidden: X may deliver the activation of a dialog that came and went
        // in a moment only once it has gone, and a hidden dialog would then stay the active
        // window, every key going to it.
        delete std::exchange(dialog_, nullptr);
        window_.activateWindow();
    }
    // Keys pressed since the last report wait in the queue: they were meant for the
    // command that just ended, not for another run of it.
    if (reported_)
        Pump();
    reported_ = false;
    overDialog_.reset();
}

bool LongWork::Report(Step step, std::string_view what, std::uint64_t done, std::uint64_t total)
{
    // Work outside a command (a test run by a program of its own) keeps to itself.
    if (depth_ == 0)
        return true;
    reported_ = true;
    // Often enough to paint smoothly; handling events at every report would slow the work.
    constexpr int kPumpEvery = 40;
    const bool showNow = started_.elapsed() >= showAfter_ && !(dialog_ && dialog_->isVisible());
    if (showNow || sincePump_.elapsed() >= kPumpEvery) {
        if (started_.elapsed() >= showAfter_)
            ShowProgress(step, what, done, total);
        Pump();
        sincePump_.start();
    }
    return !(dialog_ && dialog_->CancelAsked());
}

void LongWork::Resume()
{
    if (dialog_)
        dialog_->Resume();
}

void LongWork::ShowProgress(Step step, std::string_view what, std::uint64_t done, std::uint64_t total)
{
    if (!dialog_)
        dialog_ = new ProgressDialog(&window_);
    if (!dialog_->isVisible())
        overDialog_.emplace();
    const QString name = QDir::toNativeSeparators(ui::FromCorePath(std::string(what)));
    const QString text = ProgressText(step, name);
    std::optional<int> perMille;
    if (total > 0)
        perMille = static_cast<int>(std::min<std::uint64_t>(done, total) * 1000 / total);
    dialog_->Show(text, perMille);
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
