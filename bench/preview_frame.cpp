// The preview's frame time: a figure of about 1,000,000 triangles in an 800 by 600 view,
// turned a step before each frame; prints the median time between swapped frames against
// the target of 100 ms. Needs a display with OpenGL (run under xvfb-run with Mesa).
//
//   preview_frame [FRAMES]

#include "app/preview_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A bumpy sheet of quads in 100 groups: 708 by 708 quads, about 1,000,000 triangles.
std::shared_ptr<PreviewGeometry> Sheet()
{
    constexpr std::uint32_t kSide = 709;
    auto geometry = std::make_shared<PreviewGeometry>();
    varnoke::Mesh& mesh = geometry->mesh;
    for (std::uint32_t y = 0; y < kSide; ++y) {
        for (std::uint32_t x = 0; x < kSide; ++x) {
            const float height = 0.05f * static_cast<float>((x * 7 + y * 13) % 11);
            mesh.positions.insert(mesh.positions.end(), { static_cast<float>(x), height, static_cast<float>(y) });
        }
    }
    for (int group = 0; group < 100; ++group)
        mesh.groups.push_back("part" + std::to_string(group));
    for (std::uint32_t y = 0; y + 1 < kSide; ++y) {
        for (std::uint32_t x = 0; x + 1 < kSide; ++x) {
            const std::uint32_t a = y * kSide + x;
            const std::uint32_t group = (y * 10 / kSide) * 10 + x * 10 / kSide;
            mesh.triangles.push_back({ { a, a + 1, a + kSide }, group });
            mesh.triangles.push_back({ { a + 1, a + kSide + 1, a + kSide }, group });
        }
    }
    varnoke::SortByGroup(mesh.triangles, mesh.groups.size());
    geometry->bvh = varnoke::TriangleBvh(mesh);
    return geometry;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 40;
    PreviewView view;
    view.resize(800, 600);
    const std::shared_ptr<PreviewGeometry> geometry = Sheet();
    view.SetGeometry(geometry);
    view.SetColours(std::vector<QColor>(geometry->mesh.groups.size(), QColor(190, 194, 200)));
    view.show();

    std::vector<double> gaps;
    QElapsedTimer clock;
    int swapped = 0;
    QObject::connect(&view, &QOpenGLWidget::frameSwapped, &view, [&] {
        // The first frames upload the figure: only those after them count.
        if (++swapped > 3 && clock.isValid())
            gaps.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        clock.start();
        if (static_cast<int>(gaps.size()) >= frames) {
            application.quit();
            return;
        }
        QKeyEvent turn(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(&view, &turn);
    });
    application.exec();
    if (gaps.empty()) {
        std::fprintf(stderr, "no frames were drawn: no OpenGL here?\n");
        return 2;
    }
    std::sort(gaps.begin(), gaps.end());
    const double median = gaps[gaps.size() / 2];
    std::printf("%-34s %zu triangles, 800x600: median %.1f ms a frame (target <= 100 ms) %s\n", "preview frame",
                geometry->mesh.triangles.size(), median, median <= 100 ? "met" : "MISSED");
    return 0;
}
