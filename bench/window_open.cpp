// Times the window opening a hierarchy whose every level line needs re-indenting, until
// the tree view is shown, expanded and painted, against the toolkit's floor: the same
// text in a bare QPlainTextEdit and a QStandardItemModel of the same tree in a
// QTreeView, expanded and painted. Runs on the offscreen platform unless told otherwise.
// A file of 5,000,000 empty lines is opened in processes of its own, one open each, so
// that the peak memory of each side is its own.
//
//   bench_window WORK_FOLDER [RUNS]        (RUNS defaults to 5; a third of them for the empty lines)
//   bench_window --once window|floor FILE  (one open; prints seconds and peak KiB before and after)
//
// Writes WORK_FOLDER/Runtime/Geometries/windowN/windowN.phi and .obj for each size.

#include "app/document.h"
#include "app/phi_form.h"
#include "bench_window_support.h"
#include "ui/prompts.h"
#include "ui/settings.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

// One line of the figure as the tree holds it: its depth and its text without indentation.
struct TreeLine {
    int depth;
    std::string text;
};

struct Figure {
    std::string phiPath;
    QByteArray bytes; // the file as written
    std::vector<TreeLine> tree;
};

std::string PartName(int index)
{
    static const char* const bases[] = { "Thigh", "Shin", "Foot", "Toe",   "Shldr", "ForeArm", "Hand", "Collar",
                                         "Index", "Mid",  "Ring", "Pinky", "Thumb", "Ear",     "Brow", "Lid" };
    if (index == 0)
        return "hip";
    return std::string(index % 2 ? "l" : "r") + bases[(index / 2) % 16] + std::to_string(index);
}

// A hierarchy of `parts` parts in runs of four nested ones below the hip, one IK chain per
// twenty parts, every level line led by as many blanks as its level (so each is
// re-indented with tabs), and an OBJ file with one small group per part.
Figure WriteFigure(const std::filesystem::path& poserFolder, int parts)
{
    const std::string name = "window" + std::to_string(parts);
    const std::filesystem::path folder = poserFolder / "Runtime" / "Geometries" / name;
    std::filesystem::create_directories(folder);
    {
        std::ofstream obj(folder / (name + ".obj"), std::ios::binary);
        obj << "# " << name << " benchmark geometry\n";
        for (int part = 0; part < parts; ++part) {
            obj << "g " << PartName(part) << "\nv 0 0 " << part << "\nv 1 0 " << part << "\nv 0 1 " << part << "\nf "
                << 3 * part + 1 << ' ' << 3 * part + 2 << ' ' << 3 * part + 3 << '\n';
        }
    }
    Figure figure;
    figure.phiPath = (folder / (name + ".phi")).string();
    std::string text;
    const auto add = [&](int depth, const std::string& line, const std::string& indentation) {
        text += indentation + line + "\r\n";
        figure.tree.push_back({ depth, line });
    };
    add(0, "#Benchmark figure " + name + ", every level line wrongly indented", "");
    add(0, "objFile :Runtime:Geometries:" + name + ":" + name + ".obj", "");
    add(0, "1 hip yzx", " ");
    std::vector<std::string> chains;
    for (int part = 1; part < parts; ++part) {
        const int level = (part - 1) % 4 + 2;
        add(level - 1, std::to_string(level) + " " + PartName(part) + " xyz",
            std::string(static_cast<std::size_t>(level), ' '));
        if ((part - 1) % 20 == 3)
            chains.push_back("ikChain chain" + std::to_string(part) + " " + PartName(part - 3) + " "
                             + PartName(part - 2) + " " + PartName(part - 1) + " " + PartName(part));
    }
    for (const std::string& chain : chains)
        add(0, chain, "");
    std::ofstream(figure.phiPath, std::ios::binary) << text;
    figure.bytes = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    return figure;
}

// The toolkit alone: a shown window with a bare text editor and a bare tree view.
class Floor {
public:
    Floor()
    {
        auto* layout = new QHBoxLayout(&window_);
        layout->addWidget(editor_);
        layout->addWidget(view_);
        window_.resize(580, 369);
        window_.show();
    }

    double Open(const Figure& figure)
    {
        editor_->clear();
        view_->setModel(nullptr);
        model_.reset();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        editor_->setPlainText(QString::fromLatin1(figure.bytes));
        model_ = std::make_unique<QStandardItemModel>();
        std::vector<QStandardItem*> open { model_->invisibleRootItem() };
        for (const TreeLine& line : figure.tree) {
            open.resize(static_cast<std::size_t>(line.depth) + 1);
            auto* item
                = new QStandardItem(QString::fromLatin1(line.text.data(), static_cast<qsizetype>(line.text.size())));
            open.back()->appendRow(item);
            open.push_back(item);
        }
        view_->setModel(model_.get());
        view_->expandAll();
        QCoreApplication::processEvents();
        window_.repaint();
        return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
    }

private:
    QWidget window_;
    QPlainTextEdit* editor_ = new QPlainTextEdit;
    QTreeView* view_ = new QTreeView;
    std::unique_ptr<QStandardItemModel> model_;
};

// A text of empty lines, as the window and the floor see it: one empty top-level node a line.
Figure EmptyLines(int lines)
{
    Figure figure;
    figure.bytes.reserve(qsizetype { lines } * 2);
    for (int line = 0; line < lines; ++line)
        figure.bytes += "\r\n";
    figure.tree.assign(static_cast<std::size_t>(lines), TreeLine { 0, {} });
    return figure;
}

Figure WriteEmptyLines(const std::filesystem::path& folder, int lines)
{
    Figure figure = EmptyLines(lines);
    figure.phiPath = (folder / "empty-lines.phi").string();
    std::ofstream(figure.phiPath, std::ios::binary).write(figure.bytes.constData(), figure.bytes.size());
    return figure;
}

long PeakKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Timings {
    double window; // median seconds
    double floor; // median seconds
    double ratio; // median of the run-by-run ratios window/floor
};

// The editor holds every line with its indentation tidied, and knows it differs from the file.
void CheckTidied(TPHIForm& form, const Figure& figure)
{
    const TextLines& lines = form.Doc().Lines();
    bool tidied = lines.Modified() && lines.Count() == static_cast<int>(figure.tree.size());
    for (int i = 0; tidied && i < lines.Count(); ++i) {
        const TreeLine& line = figure.tree[static_cast<std::size_t>(i)];
        tidied = lines.Line(i) == std::string(static_cast<std::size_t>(line.depth), '\t') + line.text;
    }
    if (!tidied) {
        std::fprintf(stderr, "bench_window: %s was not re-indented as expected\n", figure.phiPath.c_str());
        std::exit(1);
    }
}

// One warm-up, then `runs` pairs: the window opening the figure, then the floor.
Timings Measure(TPHIForm& form, Floor& floor, FixedAnswers& prompts, const Figure& figure, int runs)
{
    std::vector<double> window;
    std::vector<double> bare;
    std::vector<double> ratios;
    for (int run = 0; run <= runs; ++run) {
        form.New1Click();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form.RunCommand([&] { form.LoadDocument(QString::fromStdString(figure.phiPath)); });
        QCoreApplication::processEvents();
        form.repaint();
        const double seconds = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
        if (prompts.errors > 0 || form.FTextMode()
            || form.Doc().Tree().NodeCount() != static_cast<int>(figure.tree.size())) {
            std::fprintf(stderr, "bench_window: %s did not open in the tree view (%d nodes of %zu)\n",
                         figure.phiPath.c_str(), form.Doc().Tree().NodeCount(), figure.tree.size());
            std::exit(1);
        }
        if (run == 0)
            CheckTidied(form, figure);
        const double floorSeconds = floor.Open(figure);
        if (run == 0)
            continue;
        window.push_back(seconds);
        bare.push_back(floorSeconds);
        ratios.push_back(seconds / floorSeconds);
    }
    return { bench::Median(window), bench::Median(bare), bench::Median(ratios) };
}

void Report(const std::string& label, double ratio, double target, double seconds)
{
    std::printf("%-34s ratio %5.2fx (target <= %.2fx) %-6s  median %.3f s\n", label.c_str(), ratio, target,
                ratio <= target ? "met" : "MISSED", seconds);
}

// One open of the file in a fresh process, by the window or by the floor: prints the
// seconds it took, the peak memory before it and the peak after it.
int OpenOnce(const std::string& side, const std::string& path, int lines)
{
    FixedAnswers prompts(false);
    MemorySettings settings;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::unique_ptr<Document> document;
    std::unique_ptr<TPHIForm> window;
    std::unique_ptr<Floor> floor;
    Figure figure; // the floor's, made before its memory is measured
    if (side == "window") {
        document = std::make_unique<Document>(QString::fromStdString((folder / "varnoke").string()));
        window = std::make_unique<TPHIForm>(prompts, settings, *document);
        window->show();
    } else {
        floor = std::make_unique<Floor>();
        figure = EmptyLines(lines);
    }
    QCoreApplication::processEvents();
    const long before = PeakKiB();
    double seconds = 0;
    if (window) {
        QElapsedTimer timer;
        timer.start();
        window->RunCommand([&] { window->LoadDocument(QString::fromStdString(path)); });
        QCoreApplication::processEvents();
        window->repaint();
        seconds = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
        if (prompts.errors > 0 || window->Doc().Lines().Count() != lines) {
            std::fprintf(stderr, "bench_window: %s did not open whole\n", path.c_str());
            return 1;
        }
    } else {
        seconds = floor->Open(figure);
    }
    std::printf("%.6f %ld %ld\n", seconds, before, PeakKiB());
    return 0;
}

struct OnceTimings {
    double ratio; // median of the run-by-run time ratios window/floor
    double window; // median seconds
    double floor;
    double windowPeakMiB; // the most either side's memory grew during the open
    double floorPeakMiB;
};

// Runs the window and the floor by turns, each in a process of its own.
OnceTimings MeasureOnce(const std::string& path, int lines, int runs)
{
    const auto once = [&](const char* side, double& seconds, double& grewMiB) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(),
                      { QStringLiteral("--once"), QString::fromLatin1(side), QString::fromStdString(path),
                        QString::number(lines) });
        process.waitForFinished(-1);
        const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
        if (process.exitCode() != 0 || fields.size() != 3) {
            std::fprintf(stderr, "bench_window: the %s open of %s failed\n", side, path.c_str());
            std::exit(1);
        }
        seconds = fields[0].toDouble();
        grewMiB = std::max(grewMiB, (fields[2].toDouble() - fields[1].toDouble()) / 1024);
    };
    std::vector<double> window, bare, ratios;
    OnceTimings timings {};
    for (int run = 0; run < runs; ++run) {
        double windowSeconds = 0, floorSeconds = 0;
        once("window", windowSeconds, timings.windowPeakMiB);
        once("floor", floorSeconds, timings.floorPeakMiB);
        window.push_back(windowSeconds);
        bare.push_back(floorSeconds);
        ratios.push_back(windowSeconds / floorSeconds);
    }
    timings.ratio = bench::Median(ratios);
    timings.window = bench::Median(window);
    timings.floor = bench::Median(bare);
    return timings;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_window WORK_FOLDER [RUNS]\n");
        return 2;
    }
    const std::filesystem::path work = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    bench::QuietOffscreen();
    QApplication application(argc, argv);
    if (std::string(argv[1]) == "--once" && argc == 5)
        return OpenOnce(argv[2], argv[3], std::atoi(argv[4]));
    const Figure small = WriteFigure(work, 2000);
    const Figure large = WriteFigure(work, 20000);
    const Figure huge = WriteFigure(work, 200000);
    constexpr int kEmptyLines = 5'000'000;
    const Figure emptyLines = WriteEmptyLines(work, kEmptyLines);

    FixedAnswers prompts(false);
    MemorySettings settings;
    Document document(QString::fromStdString((work / "varnoke").string()));
    TPHIForm window(prompts, settings, document);
    window.show();
    Floor floor;
    QCoreApplication::processEvents();

    const Timings smallTimes = Measure(window, floor, prompts, small, runs);
    const Timings largeTimes = Measure(window, floor, prompts, large, runs);
    const Timings hugeTimes = Measure(window, floor, prompts, huge, runs);
    window.New1Click();
    QCoreApplication::processEvents();
    const OnceTimings emptyTimes = MeasureOnce(emptyLines.phiPath, kEmptyLines, std::max(1, runs / 3));

    Report("open in window, 20,000 vs 2,000", largeTimes.window / smallTimes.window, 12, largeTimes.window);
    Report("open 2,000 parts, window vs floor", smallTimes.ratio, 2, smallTimes.window);
    Report("open 20,000 parts, window vs floor", largeTimes.ratio, 2, largeTimes.window);
    Report("open 200,000 parts, window vs floor", hugeTimes.ratio, 2, hugeTimes.window);
    std::printf("floor medians: %.3f s at 2,000 parts, %.3f s at 20,000, %.3f s at 200,000\n", smallTimes.floor,
                largeTimes.floor, hugeTimes.floor);
    Report("open 5,000,000 empty lines, time", emptyTimes.ratio, 2, emptyTimes.window);
    const double memoryRatio = emptyTimes.windowPeakMiB / emptyTimes.floorPeakMiB;
    std::printf("%-34s ratio %5.2fx (target <= %.2fx) %-6s  peak growth %.0f MiB against %.0f MiB\n",
                "open 5,000,000 empty lines, memory", memoryRatio, 2.0, memoryRatio <= 2 ? "met" : "MISSED",
                emptyTimes.windowPeakMiB, emptyTimes.floorPeakMiB);
    std::printf("floor median: %.3f s for 5,000,000 empty lines\n", emptyTimes.floor);
    return 0;
}
