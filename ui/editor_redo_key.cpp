#include "ui/editor_redo_key.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace ui {

namespace {

class RedoKey final : public QObject {
public:
    explicit RedoKey(QPlainTextEdit& editor)
        : QObject(&editor)
        , editor_(editor)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Where the platform's own redo key is Ctrl+Y, the editor handles it already.
        if (key->keyCombination() != QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
            || key->matches(QKeySequence::Redo))
            return QObject::eventFilter(watched, event);
        key->accept();
        if (event->type() == QEvent::KeyPress && !editor_.isReadOnly())
            editor_.redo();
        return event->type() == QEvent::KeyPress;
    }

private:
    QPlainTextEdit& editor_;
};

} // namespace

void RedoAlsoOnCtrlY(QPlainTextEdit& editor)
{
    editor.installEventFilter(new RedoKey(editor));
}

} // namespace ui
