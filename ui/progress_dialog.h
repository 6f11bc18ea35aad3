#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QProgressBar;

// How far long work has come, with Cancel; Escape and the close box cancel too. It stays
// open once cancelled, until the work has stopped and its owner deletes it.
class ProgressDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ProgressDialog(QWidget* parent);

    // What is being done, and how far: per mille, or none when it cannot be told.
    void Show(const QString& text, std::optional<int> perMille);
    bool CancelAsked() const { return cancelAsked_; }
    // The work stopped where Cancel was asked and goes on with a next step, which Cancel
    // may stop again.
    void Resume() { cancelAsked_ = false; }

public slots:
    void reject() override;

private:
    QLabel* label_;
    QProgressBar* bar_;
    bool cancelAsked_ = false;
};
