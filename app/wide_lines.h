#pragma once

#include <QObject>

class QTextDocument;

// Past some millions of pixels the toolkit's text layout reckons positions wrongly and draws
// a line as letters over letters. A text document remembers whether it ever held a line that
// wide, found as its text changes, so that the view can show it wrapped at its width.
class WideLines final : public QObject {
    Q_OBJECT

public:
    // The watch of text, made with it the first time and gone with it.
    static WideLines& Of(QTextDocument& text);

    bool Found() const { return found_; }

signals:
    void found();

private:
    explicit WideLines(QTextDocument& text);
    void Look(int position, int removed, int added);

    QTextDocument& text_;
    bool found_ = false;
};
