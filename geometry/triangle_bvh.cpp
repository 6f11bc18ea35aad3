#include "geometry/triangle_bvh.h"

#include "hierarchy/progress.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>

namespace varnoke {

namespace {

Vec3 Corner(const Mesh& mesh, const Triangle& triangle, int corner)
{
    const float* p = mesh.positions.data() + std::size_t { triangle.corners[corner] } * 3;
    return { p[0], p[1], p[2] };
}

// Three times the centroid: enough to place triangles by it. In double: three corners near
// the largest float would add up to infinity.
std::array<double, 3> Centroid(const Mesh& mesh, const Triangle& triangle)
{
    std::array<double, 3> sum {};
    for (int corner = 0; corner < 3; ++corner) {
        const Vec3 at = Corner(mesh, triangle, corner);
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += at[axis];
    }
    return sum;
}

// The nodes of the tree over that many triangles: halves of equal sizes make equal
// subtrees, so each level has at most two sizes to count.
std::size_t NodesFor(std::uint32_t triangles, std::uint32_t leafSize, std::map<std::uint32_t, std::size_t>& known)
{
    if (triangles <= leafSize)
        return 1;
    if (const auto found = known.find(triangles); found != known.end())
        return found->second;
    const std::size_t nodes
        = 1 + NodesFor(triangles / 2, leafSize, known) + NodesFor(triangles - triangles / 2, leafSize, known);
    known.emplace(triangles, nodes);
    return nodes;
}

void StopIfAsked(const std::atomic<bool>* stop)
{
    if (stop && stop->load(std::memory_order_relaxed))
        throw Cancelled();
}

} // namespace

TriangleBvh::TriangleBvh(const Mesh& mesh, const std::atomic<bool>* stop)
{
    if (mesh.triangles.empty() || mesh.triangles.size() > std::numeric_limits<std::uint32_t>::max())
        return;
    const auto count = static_cast<std::uint32_t>(mesh.triangles.size());
    std::map<std::uint32_t, std::size_t> known;
    nodes_.reserve(NodesFor(count, kLeafSize, known));
    std::vector<Entry> entries = Entries(mesh);
    Split(entries, stop);
    order_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        order_[i] = entries[i].triangle;
    entries = {};
    // Children come after their parent: boxes grow from the leaves up in one backward pass.
    for (std::size_t index = nodes_.size(); index-- > 0;) {
        Node& node = nodes_[index];
        if (node.count == 0) {
            node.box = nodes_[node.first].box;
            node.box.Add(nodes_[node.first + 1].box);
            continue;
        }
        for (std::uint32_t i = node.first; i < node.first + node.count; ++i)
            for (int corner = 0; corner < 3; ++corner)
                node.box.Add(Corner(mesh, mesh.triangles[order_[i]], corner));
    }
}

std::vector<TriangleBvh::Entry> TriangleBvh::Entries(const Mesh& mesh)
{
    std::array<double, 3> low;
    std::array<double, 3> high;
    low.fill(std::numeric_limits<double>::infinity());
    high.fill(-std::numeric_limits<double>::infinity());
    for (const Triangle& triangle : mesh.triangles) {
        const std::array<double, 3> centroid = Centroid(mesh, triangle);
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], centroid[axis]);
            high[axis] = std::max(high[axis], centroid[axis]);
        }
    }
    std::vector<Entry> entries(mesh.triangles.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::array<double, 3> centroid = Centroid(mesh, mesh.triangles[i]);
        entries[i].triangle = static_cast<std::uint32_t>(i);
        for (int axis = 0; axis < 3; ++axis) {
            const double extent = high[axis] - low[axis];
            const double share = extent > 0 ? (centroid[axis] - low[axis]) / extent : 0;
            entries[i].centroid[axis] = static_cast<std::uint16_t>(std::clamp(share, 0.0, 1.0) * 65535);
        }
    }
    return entries;
}

void TriangleBvh::Split(std::vector<Entry>& entries, const std::atomic<bool>* stop)
{
    struct Pending {
        std::uint32_t node, begin, end;
    };
    std::vector<Pending> stack;
    nodes_.push_back({});
    stack.push_back({ 0, 0, static_cast<std::uint32_t>(entries.size()) });
    while (!stack.empty()) {
        StopIfAsked(stop);
        const Pending task = stack.back();
        stack.pop_back();
        if (task.end - task.begin <= kLeafSize) {
            nodes_[task.node].first = task.begin;
            nodes_[task.node].count = task.end - task.begin;
            continue;
        }
        std::uint16_t low[3] = { 65535, 65535, 65535 }, high[3] = { 0, 0, 0 };
        for (std::uint32_t i = task.begin; i < task.end; ++i) {
            for (int axis = 0; axis < 3; ++axis) {
                low[axis] = std::min(low[axis], entries[i].centroid[axis]);
                high[axis] = std::max(high[axis], entries[i].centroid[axis]);
            }
        }
        int axis = 0;
        for (int other = 1; other < 3; ++other)
            axis = high[other] - low[other] > high[axis] - low[axis] ? other : axis;
        const std::uint32_t middle = task.begin + (task.end - task.begin) / 2;
        std::nth_element(entries.begin() + task.begin, entries.begin() + middle, entries.begin() + task.end,
                         [axis](const Entry& a, const Entry& b) { return a.centroid[axis] < b.centroid[axis]; });
        const auto left = static_cast<std::uint32_t>(nodes_.size());
        nodes_.push_back({});
        nodes_.push_back({});
        nodes_[task.node].first = left;
        nodes_[task.node].count = 0;
        stack.push_back({ left + 1, middle, task.end });
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
