#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace varnoke::testing {

// A Poser folder of its own under the system's temporary folder, removed when the test ends.
// Names are random, so test processes running side by side never share one.
class TempPoserFolder {
public:
    TempPoserFolder()
    {
        static std::atomic<unsigned> counter { 0 };
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        do {
            root_ = base / ("varnoke-unit-" + std::to_string(random()) + "-" + std::to_string(counter.fetch_add(1)));
        } while (!std::filesystem::create_directory(root_));
    }
    ~TempPoserFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempPoserFolder(const TempPoserFolder&) = delete;
    TempPoserFolder& operator=(const TempPoserFolder&) = delete;

    std::string Path() const { return root_.string(); }

    // Writes a file below Runtime/Geometries, given by its path relative to that folder.
    std::string WriteGeometry(std::string_view relative, std::string_view bytes) const
    {
        const auto path = root_ / "Runtime" / "Geometries" / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

private:
    std::filesystem::path root_;
};

} // namespace varnoke::testing
