#include "app/preview_loader.h"

#include "geometry/obj_geometry_reader.h"
#include "hierarchy/geometry_file.h"
#include "hierarchy/progress.h"
#include "ui/text_conversions.h"

#include <QMetaObject>

#include <algorithm>
#include <functional>
#include <new>

namespace {

// Stops the reading at the owner's word; tells how far it came, each file an equal share.
class LoadProgress final : public varnoke::Progress {
public:
    LoadProgress(const std::atomic<bool>& stop, std::size_t files, std::function<void(int)> tell)
        : stop_(stop)
        , files_(std::max<std::size_t>(files, 1))
        , tell_(std::move(tell))
    {
    }
    void StartFile(std::size_t index) { index_ = index; }
    bool Report(Step, std::string_view, std::uint64_t done, std::uint64_t total) override
    {
        const std::uint64_t share = total > 0 ? std::min<std::uint64_t>(done * 100 / total, 100) : 0;
        tell_(static_cast<int>((index_ * 100 + share) / files_));
        return !stop_.load();
    }

private:
    const std::atomic<bool>& stop_;
    std::size_t files_;
    std::size_t index_ = 0;
    std::function<void(int)> tell_;
};

} // namespace

PreviewLoader::PreviewLoader(QObject* parent)
    : QObject(parent)
{
}

PreviewLoader::~PreviewLoader()
{
    Stop();
}

void PreviewLoader::Stop()
{
    ++run_;
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
    stop_ = false;
}

void PreviewLoader::Start(std::vector<std::string> files)
{
    Stop();
    worker_ = std::thread([this, files = std::move(files), run = run_] { Read(files, run); });
}

template <typename Call> void PreviewLoader::Tell(unsigned run, Call call)
{
    // run_ is read on the owner's thread only, where the call runs.
    QMetaObject::invokeMethod(
        this,
        [this, run, call = std::move(call)] {
            if (run == run_)
                call();
        },
        Qt::QueuedConnection);
}

void PreviewLoader::Read(const std::vector<std::string>& files, unsigned run)
{
    try {
        LoadProgress progress(stop_, files.size(),
                              [this, run](int percent) { Tell(run, [this, percent] { emit progressed(percent); }); });
        varnoke::ObjGeometryReader reader;
        for (std::size_t index = 0; index < files.size(); ++index) {
            const std::string& path = files[index];
            const varnoke::FilePointer file = varnoke::OpenRegularFile(path);
            progress.StartFile(index);
            if (!file || !reader.ReadFile(file.get(), &progress, path)) {
                const QString message = QStringLiteral("Couldn't read %1").arg(ui::FromCorePath(path));
                Tell(run, [this, message] { emit failed(message); });
                return;
            }
        }
        auto geometry = std::make_shared<PreviewGeometry>();
        geometry->mesh = reader.Finish();
        geometry->bvh = varnoke::TriangleBvh(geometry->mesh, &stop_);
        std::shared_ptr<const PreviewGeometry> shared = std::move(geometry);
        Tell(run, [this, shared] { emit loaded(shared); });
    } catch (const varnoke::Cancelled&) {
        // Stopped: a newer reading or none takes its place.
    } catch (const std::bad_alloc&) {
        Tell(run, [this] { emit failed(QStringLiteral("Not enough memory for the figure's geometry")); });
    }
}
