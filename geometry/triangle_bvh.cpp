#include "geometry/triangle_bvh.h"

#include <algorithm>
#include <limits>
#include <map>

namespace varnoke {

namespace {

Vec3 Corner(const Mesh& mesh, const Triangle& triangle, int corner)
{
    const float* p = mesh.positions.data() + std::size_t { triangle.corners[corner] } * 3;
    return { p[0], p[1], p[2] };
}

// Three times the centroid along an axis: enough to order triangles by it.
float CentroidKey(const Mesh& mesh, const Triangle& triangle, int axis)
{
    return Corner(mesh, triangle, 0)[axis] + Corner(mesh, triangle, 1)[axis] + Corner(mesh, triangle, 2)[axis];
}

// The nodes of the tree over that many triangles: halves of equal sizes make equal
// subtrees, so each level has at most two sizes to count.
std::size_t NodesFor(std::uint32_t triangles, std::uint32_t leafSize, std::map<std::uint32_t, std::size_t>& known)
{
    if (triangles <= leafSize)
        return 1;
    if (const auto found = known.find(triangles); found != known.end())
        return found->second;
    const std::size_t nodes = 1 + NodesFor(triangles / 2, leafSize, known)
        + NodesFor(triangles - triangles / 2, leafSize, known);
    known.emplace(triangles, nodes);
    return nodes;
}

} // namespace

TriangleBvh::TriangleBvh(const Mesh& mesh)
{
    if (mesh.triangles.empty() || mesh.triangles.size() > std::numeric_limits<std::uint32_t>::max())
        return;
    const auto count = static_cast<std::uint32_t>(mesh.triangles.size());
    order_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        order_[i] = i;
    std::map<std::uint32_t, std::size_t> known;
    nodes_.reserve(NodesFor(count, kLeafSize, known));

    struct Pending {
        std::uint32_t node, begin, end;
    };
    std::vector<Pending> stack;
    nodes_.push_back({});
    stack.push_back({ 0, 0, count });
    while (!stack.empty()) {
        const Pending task = stack.back();
        stack.pop_back();
        Box box;
        Box centroids;
        for (std::uint32_t i = task.begin; i < task.end; ++i) {
            const Triangle& triangle = mesh.triangles[order_[i]];
            for (int corner = 0; corner < 3; ++corner)
                box.Add(Corner(mesh, triangle, corner));
            centroids.Add(Vec3 { CentroidKey(mesh, triangle, 0), CentroidKey(mesh, triangle, 1),
                                 CentroidKey(mesh, triangle, 2) });
        }
        nodes_[task.node].box = box;
        if (task.end - task.begin <= kLeafSize) {
            nodes_[task.node].first = task.begin;
            nodes_[task.node].count = task.end - task.begin;
            continue;
        }
        const Vec3 extent = centroids.max - centroids.min;
        const int axis = extent.x >= extent.y && extent.x >= extent.z ? 0 : extent.y >= extent.z ? 1 : 2;
        const std::uint32_t middle = task.begin + (task.end - task.begin) / 2;
        std::nth_element(order_.begin() + task.begin, order_.begin() + middle, order_.begin() + task.end,
                         [&](std::uint32_t a, std::uint32_t b) {
                             return CentroidKey(mesh, mesh.triangles[a], axis)
                                 < CentroidKey(mesh, mesh.triangles[b], axis);
                         });
        const auto left = static_cast<std::uint32_t>(nodes_.size());
        nodes_.push_back({});
        const auto right = static_cast<std::uint32_t>(nodes_.size());
        nodes_.push_back({});
        nodes_[task.node].first = left;
        nodes_[task.node].count = 0;
        stack.push_back({ right, middle, task.end });
        stack.push_back({ left, task.begin, middle });
    }
}

std::optional<Hit> TriangleBvh::Pick(const Mesh& mesh, const Ray& ray) const
{
    if (nodes_.empty())
        return std::nullopt;
    std::optional<Hit> nearest;
    float limit = std::numeric_limits<float>::infinity();
    // A balanced tree over at most 2^32 triangles is far less deep than this.
    std::uint32_t stack[96];
    std::size_t depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const Node& node = nodes_[stack[--depth]];
        if (!MeetsBox(ray, node.box, limit))
            continue;
        if (node.count == 0) {
            stack[depth++] = node.first + 1;
            stack[depth++] = node.first;
            continue;
        }
        for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
            const Triangle& triangle = mesh.triangles[order_[i]];
            const auto distance = IntersectTriangle(ray, Corner(mesh, triangle, 0), Corner(mesh, triangle, 1),
                                                    Corner(mesh, triangle, 2));
            if (distance && *distance < limit) {
                limit = *distance;
                nearest = Hit { order_[i], *distance };
            }
        }
    }
    return nearest;
}

Box TriangleBvh::Bounds() const
{
    return nodes_.empty() ? Box {} : nodes_.front().box;
}

std::size_t TriangleBvh::MemoryBytes() const
{
    return nodes_.capacity() * sizeof(Node) + order_.capacity() * sizeof(std::uint32_t);
}

} // namespace varnoke
