#pragma once

#include <QWidget>

class TextView;

// The margin beside the text view: each line's number, as the diagnostics count lines,
// and the mark of the last test's diagnostics on the lines it named.
class LineNumberMargin final : public QWidget {
    Q_OBJECT

public:
    explicit LineNumberMargin(TextView& view);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitWidth();
    void Follow(const QRect& rect, int dy);
    int MarkSize() const;

    TextView& view_;
    int width_ = 0;
};
