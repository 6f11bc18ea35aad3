// Times the text view's decorations against the bare editor: loading a hierarchy's text
// with its colouring and the marks of 2,000 diagnosed lines, until painted, against loading
// it into a bare QPlainTextEdit; and one keystroke in the middle of the text, typed, laid
// out and painted, in each. Runs alternate between the two; medians of the run-by-run ratios.
//
//   bench_text_view [RUNS]        (RUNS defaults to 7)

#include "app/text_view.h"
#include "app/text_decorations.h"
#include "app/text_lines.h"
#include "bench_support.h"
#include "hierarchy/diagnostics.h"
#include "ui/diagnostics_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QListView>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kMarkedLines = 2000;

// A hierarchy of the given number of lines: runs of four nested parts below the hip.
QString Hierarchy(int lines)
{
    QString text = QStringLiteral("#Benchmark figure\nobjFile :Runtime:Geometries:bench:bench.obj\n1 hip yzx");
    for (int line = 3; line < lines; ++line) {
        const int level = (line - 3) % 4 + 2;
        text += QLatin1Char('\n') + QString(level - 1, QLatin1Char('\t'))
            + QStringLiteral("%1 part%2 xyz%3")
                  .arg(level)
                  .arg(line)
                  .arg(level == 3 ? QStringLiteral(" curve") : QString());
    }
    return text;
}

double Seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
}

// A shown window holding an editor: the bare one, or the text view with its decorations.
class Side {
public:
    explicit Side(bool decorated)
    {
        auto* layout = new QVBoxLayout(&window_);
        if (decorated) {
            view_ = new TextView(lines_, text_);
            decorations_ = new TextDecorations(*view_, list_);
            model_ = std::make_unique<DiagnosticsModel>(diagnostics_);
            list_.setModel(model_.get());
            editor_ = view_;
        } else {
            editor_ = new QPlainTextEdit;
            editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
            editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        }
        layout->addWidget(editor_);
        window_.resize(580, 369);
        window_.show();
    }

    double Load(const QString& text)
    {
        editor_->clear();
        diagnostics_.Clear();
        QCoreApplication::processEvents();
        return Seconds([&] {
            editor_->setPlainText(text);
            if (decorations_) {
                for (int line = 0; line < kMarkedLines; ++line)
                    diagnostics_.AddError(line * (editor_->blockCount() / kMarkedLines),
                                          "Rotations must be of the form xyz");
                model_->Refresh();
                decorations_->Attach(editor_->document());
                decorations_->Mark(diagnostics_);
            }
            QCoreApplication::processEvents();
            window_.repaint();
        });
    }

    void PutCaretInTheMiddle()
    {
        QTextCursor cursor(editor_->document()->findBlockByNumber(editor_->blockCount() / 2));
        cursor.movePosition(QTextCursor::EndOfBlock);
        editor_->setTextCursor(cursor);
        editor_->setFocus();
        editor_->ensureCursorVisible();
        QCoreApplication::processEvents();
        window_.repaint();
    }

    double Keystroke()
    {
        return Seconds([&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QCoreApplication::sendEvent(editor_, &press);
            QCoreApplication::sendEvent(editor_, &release);
            QCoreApplication::processEvents();
            window_.repaint();
        });
    }

private:
    QTextDocument text_;
    TextLines lines_ { text_ };
    varnoke::Diagnostics diagnostics_;
    std::unique_ptr<DiagnosticsModel> model_;
    QListView list_;
    QPlainTextEdit* editor_ = nullptr;
    TextView* view_ = nullptr;
    TextDecorations* decorations_ = nullptr;
    QWidget window_; // gone first, with the views on the text
};

void Report(const char* label, const std::vector<double>& decorated, const std::vector<double>& bare)
{
    std::vector<double> ratios;
    for (std::size_t run = 0; run < decorated.size(); ++run)
        ratios.push_back(decorated[run] / bare[run]);
    const double ratio = bench::Median(ratios);
    std::printf("%-34s ratio %5.2fx (target <= 2.00x) %-6s  median %.4f s against %.4f s\n", label, ratio,
                ratio <= 2 ? "met" : "MISSED", bench::Median(decorated), bench::Median(bare));
}

void Measure(const char* loadLabel, const char* keyLabel, int lines, int runs)
{
    const QString text = Hierarchy(lines);
    Side decorated(true);
    Side bare(false);
    std::vector<double> decoratedLoads, bareLoads, decoratedKeys, bareKeys;
    for (int run = 0; run <= runs; ++run) {
        const double decoratedSeconds = decorated.Load(text);
        const double bareSeconds = bare.Load(text);
        if (run == 0)
            continue; // warm-up
        decoratedLoads.push_back(decoratedSeconds);
        bareLoads.push_back(bareSeconds);
    }
    decorated.PutCaretInTheMiddle();
    bare.PutCaretInTheMiddle();
    for (int run = 0; run <= runs * 5; ++run) {
        const double decoratedSeconds = decorated.Keystroke();
        const double bareSeconds = bare.Keystroke();
        if (run == 0)
            continue;
        decoratedKeys.push_back(decoratedSeconds);
        bareKeys.push_back(bareSeconds);
    }
    Report(loadLabel, decoratedLoads, bareLoads);
    Report(keyLabel, decoratedKeys, bareKeys);
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    bench::QuietOffscreen();
    QApplication application(argc, argv);
    Measure("text load, 20,000 lines, decorated", "  one keystroke, decorated", 20000, runs);
    Measure("text load, 200,000 lines, decorated", "  one keystroke, decorated", 200000, runs);
    return 0;
}
