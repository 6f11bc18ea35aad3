#include "geometry/mesh.h"

#include <utility>

namespace varnoke {

std::vector<std::size_t> Mesh::GroupStarts() const
{
    std::vector<std::size_t> starts(groups.size() + 1, 0);
    for (const Triangle& triangle : triangles)
        ++starts[triangle.group + 1];
    for (std::size_t group = 1; group < starts.size(); ++group)
        starts[group] += starts[group - 1];
    return starts;
}

void SortByGroup(std::vector<Triangle>& triangles, std::size_t groupCount)
{
    // Exporters write a group's faces together: most files come sorted already.
    bool sorted = true;
    for (std::size_t i = 1; i < triangles.size() && sorted; ++i)
        sorted = triangles[i - 1].group <= triangles[i].group;
    if (sorted)
        return;
    std::vector<std::size_t> next(groupCount + 1, 0);
    for (const Triangle& triangle : triangles)
        ++next[triangle.group + 1];
    for (std::size_t group = 1; group < next.size(); ++group)
        next[group] += next[group - 1];
    std::vector<std::size_t> end(next.begin() + 1, next.end());
    // Each triangle is swapped straight into its group's next free place.
    for (std::size_t group = 0; group < groupCount; ++group) {
        while (next[group] < end[group]) {
            Triangle& here = triangles[next[group]];
            if (here.group == group) {
                ++next[group];
                continue;
            }
            std::swap(here, triangles[next[here.group]++]);
        }
    }
}

} // namespace varnoke
