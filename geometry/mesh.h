#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnoke {

// Three corners (vertex numbers from 0) and the group the triangle belongs to.
struct Triangle {
    std::uint32_t corners[3];
    std::uint32_t group;
};

// What a reading left out rather than trust.
struct DroppedCounts {
    std::uint64_t badVertices = 0; // fewer than three numbers, or one not finite
    std::uint64_t badFaces = 0; // fewer than three corners, a corner that names no good vertex
    std::uint64_t degenerateTriangles = 0; // a corner twice, or no area
    bool operator==(const DroppedCounts&) const = default;
};

// The geometry of a figure: every vertex (a vertex that was dropped keeps its number and
// holds NaN), the triangles sorted by group, and the groups' names.
struct Mesh {
    std::vector<float> positions; // x y z of each vertex
    std::vector<Triangle> triangles;
    std::vector<std::string> groups;
    DroppedCounts dropped;

    std::size_t VertexCount() const { return positions.size() / 3; }
    // The first triangle of each group, then the number of triangles: one range per group.
    std::vector<std::size_t> GroupStarts() const;
};

// Sorts the triangles by group in place, with no second copy of them.
void SortByGroup(std::vector<Triangle>& triangles, std::size_t groupCount);

} // namespace varnoke
