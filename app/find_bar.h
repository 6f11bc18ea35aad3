#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The bar below the text view that finds text in it: Enter finds the next match,
// Shift+Enter the one before, round the end of the text; Escape closes the bar and gives
// the editor the focus. What was not found is said in the bar.
class FindBar final : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QPlainTextEdit& editor, QWidget* parent = nullptr);

    // Shows the bar with the focus in its field, holding the editor's selection when that
    // is a part of one line.
    void Open();
    void Close();
    // With nothing to find yet, the bar opens instead.
    void FindNext();
    void FindPrevious();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Find(bool forward);

    QPlainTextEdit& editor_;
    QLineEdit* field_;
    QCheckBox* matchCase_;
    QLabel* result_;
};
