#include "geometry/ray.h"

namespace varnoke {

std::optional<float> IntersectTriangle(const Ray& ray, Vec3 a, Vec3 b, Vec3 c)
{
    const Vec3 edge1 = b - a;
    const Vec3 edge2 = c - a;
    const Vec3 p = Cross(ray.direction, edge2);
    const float determinant = Dot(edge1, p);
    if (determinant == 0 || !std::isfinite(determinant))
        return std::nullopt;
    const float inverse = 1 / determinant;
    const Vec3 s = ray.origin - a;
    const float u = Dot(s, p) * inverse;
    if (!(u >= 0 && u <= 1))
        return std::nullopt;
    const Vec3 q = Cross(s, edge1);
    const float v = Dot(ray.direction, q) * inverse;
    if (!(v >= 0 && u + v <= 1))
        return std::nullopt;
    const float distance = Dot(edge2, q) * inverse;
    if (!(distance >= 0))
        return std::nullopt;
    return distance;
}

bool MeetsBox(const Ray& ray, const Box& box, float before)
{
    float near = 0;
    float far = before;
    for (int axis = 0; axis < 3; ++axis) {
        const float origin = ray.origin[axis];
        const float direction = ray.direction[axis];
        if (direction == 0) {
            // Parallel to the slab: inside it or never.
            if (origin < box.min[axis] || origin > box.max[axis])
                return false;
            continue;
        }
        float t0 = (box.min[axis] - origin) / direction;
        float t1 = (box.max[axis] - origin) / direction;
        if (t0 > t1)
            std::swap(t0, t1);
        near = std::max(near, t0);
        far = std::min(far, t1);
        if (near > far)
            return false;
    }
    return true;
}

} // namespace varnoke
