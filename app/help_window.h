#pragma once

#include <QWidget>

class QTextBrowser;

// The help pages, built into the program, with back and forward and links between them.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page of one of the help contexts that the core names.
    void ShowContext(int context);
    // Places the window beside the other one, right of it or else left of it where the
    // screen has room, its top level with the other's as far as the screen allows.
    void PlaceBeside(const QWidget& other);
    int Context() const { return context_; }
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    int context_ = -1;
};
