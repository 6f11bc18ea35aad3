#pragma once

#include "geometry/mesh.h"
#include "geometry/triangle_bvh.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The geometry of a figure and its picking structure, read once and shared read-only.
struct PreviewGeometry {
    varnoke::Mesh mesh;
    varnoke::TriangleBvh bvh;
};

// Reads a figure's OBJ files on a thread of its own, the one thread the program adds, and
// tells the result back on the thread that owns it. A new start stops the reading before
// it; the destructor stops and waits for it, so no reading outlives its owner.
class PreviewLoader final : public QObject {
    Q_OBJECT

public:
    explicit PreviewLoader(QObject* parent = nullptr);
    ~PreviewLoader() override;

    void Start(std::vector<std::string> files);
    // Stops the reading, if any, and waits for it; nothing more is told of it.
    void Stop();

signals:
    void progressed(int percent);
    void loaded(std::shared_ptr<const PreviewGeometry> geometry);
    void failed(const QString& message);

private:
    void Read(const std::vector<std::string>& files, unsigned run);
    // Runs the call on the owner's thread, unless a later start or a stop came first.
    template <typename Call> void Tell(unsigned run, Call call);

    std::thread worker_;
    std::atomic<bool> stop_ { false };
    unsigned run_ = 0;
};
