#pragma once

#include "geometry/mesh.h"
#include "hierarchy/progress.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnoke {

// Reads the geometry of OBJ files into one mesh: `v` lines, `f` lines (numbers from 1 or
// counted back from the last vertex with a minus; "v/vt/vn" forms; polygons cut into
// fans of triangles) and `g` lines, whose group name is the one the hierarchy test takes.
// Each file's face lines name its own vertices. A group met again, in any file and any
// letter case, is the same group. Everything else is skipped. A line ends at a carriage
// return or a line feed; a `v` or `f` line longer than kMaxLine is dropped, so memory
// stays bounded whatever the input.
class ObjGeometryReader {
public:
    static constexpr std::size_t kMaxLine = std::size_t { 1 } << 20;
    static constexpr std::size_t kDefaultBlockSize = std::size_t { 1 } << 20;

    explicit ObjGeometryReader(std::size_t blockSize = kDefaultBlockSize);

    // Reads one file on; false when a read failed (what was read stays). Tells the
    // listener every few MiB and throws Cancelled when it says stop.
    bool ReadFile(std::FILE* file, Progress* progress = nullptr, std::string_view path = {});
    // The mesh of every file read, its triangles sorted by group.
    Mesh Finish();

private:
    void ReadLine(std::string_view line);
    void ReadVertex(std::string_view rest);
    void ReadFace(std::string_view rest);
    void ReadGroup(std::string_view line);
    bool CornerVertex(std::int64_t number, std::uint32_t& vertex) const;
    bool HasArea(std::uint32_t a, std::uint32_t b, std::uint32_t c) const;
    std::uint32_t GroupId(std::string name);

    std::size_t blockSize_;
    Mesh mesh_;
    std::unordered_map<std::string, std::uint32_t> groupIds_; // by the folded name
    std::uint32_t currentGroup_ = 0;
    bool hasCurrentGroup_ = false;
    std::size_t fileFirstVertex_ = 0;
    std::string carried_; // a line that runs across blocks, its first kMaxLine + 1 bytes
    std::vector<std::uint32_t> corners_;
};

} // namespace varnoke
