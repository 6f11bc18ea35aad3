#pragma once

#include "hierarchy/progress.h"
#include "ui/cursor_prompts.h"

#include <QElapsedTimer>
#include <QObject>

#include <optional>

class ProgressDialog;
class QWidget;

// What keeps the window alive while a command does long work. The work reports every so
// often; each report lets the window paint and handle its events, while every input to
// it (keys, clicks, drops, closing) is dropped: a command asked for meanwhile, by a key
// held down or pressed again, never runs after the one still running. Work that goes on
// for more than a moment shows how far it has come, in a dialog whose Cancel stops it.
class LongWork final : public QObject, public varnoke::Progress {
    Q_OBJECT

public:
    explicit LongWork(QWidget& window);
    ~LongWork() override;

    // A command begins and ends; a command it runs itself (Exit's close) is part of it.
    void Begin();
    void End();
    // The window is handling events while a command runs: no other command may start.
    bool Busy() const { return pumping_; }
    // How long work goes on before its progress is shown.
    void ShowAfter(int milliseconds) { showAfter_ = milliseconds; }

    bool Report(Step step, std::string_view what, std::uint64_t done, std::uint64_t total) override;
    void Resume() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowProgress(Step step, std::string_view what, std::uint64_t done, std::uint64_t total);
    // Handles the events waiting, input to the window dropped.
    void Pump();
    // The window's own widgets and keys; not the progress dialog, nor a menu closing.
    bool MeantForWindow(const QObject* watched, const QEvent* event) const;

    QWidget& window_;
    ProgressDialog* dialog_ = nullptr; // while the command's progress shows
    std::optional<NormalCursor> overDialog_;
    QElapsedTimer started_;
    QElapsedTimer sincePump_;
    int showAfter_ = 500;
    int depth_ = 0;
    bool pumping_ = false;
    bool reported_ = false;
};
