#pragma once

#include <QDialog>
#include <QPoint>

#include <optional>

// A dialog with a fixed border (a caption and a close box, no maximize box) that opens
// again where it was when it closed. The position is taken, frame included, before the
// window is hidden: once hidden, a window manager may no longer tell the frame, and the
// window would come back lower by the frame's height.
class FixedDialog : public QDialog {
    Q_OBJECT

public:
    explicit FixedDialog(QWidget* parent);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<QPoint> closedAt_;
};
