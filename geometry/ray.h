#pragma once

#include "geometry/vec3.h"

#include <optional>

namespace varnoke {

struct Ray {
    Vec3 origin;
    Vec3 direction;
};

// Where the ray meets the triangle, in lengths of its direction along it; none behind
// its origin, along an edge-on triangle, or beside it.
std::optional<float> IntersectTriangle(const Ray& ray, Vec3 a, Vec3 b, Vec3 c);

// True when the ray meets the box before the given distance.
bool MeetsBox(const Ray& ray, const Box& box, float before);

} // namespace varnoke
