#pragma once

#include <QObject>

class QPlainTextEdit;

// Each blink of the caret has the editor lay out the caret's whole line again: in a line of
// megabytes that alone keeps a core busy for ever. While the caret is in a line longer than
// the editor lays out in a moment, the caret stops blinking, so an idle window does nothing.
class SteadyCaret final : public QObject {
public:
    explicit SteadyCaret(QPlainTextEdit& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit& view_;
};
