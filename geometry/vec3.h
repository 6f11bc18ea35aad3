#pragma once

#include <algorithm>
#include <cmath>

namespace varnoke {

struct Vec3 {
    float x = 0, y = 0, z = 0;

    float operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
    friend Vec3 operator+(Vec3 a, Vec3 b) { return { a.x + b.x, a.y + b.y, a.z + b.z }; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return { a.x - b.x, a.y - b.y, a.z - b.z }; }
    friend Vec3 operator*(Vec3 a, float s) { return { a.x * s, a.y * s, a.z * s }; }
};

inline float Dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 Cross(Vec3 a, Vec3 b)
{
    return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x };
}

inline float Length(Vec3 a)
{
    return std::sqrt(Dot(a, a));
}

inline Vec3 Normalized(Vec3 a)
{
    const float length = Length(a);
    return length > 0 ? a * (1 / length) : a;
}

// An axis-aligned box; empty (min above max) until a point is added.
struct Box {
    Vec3 min { INFINITY, INFINITY, INFINITY };
    Vec3 max { -INFINITY, -INFINITY, -INFINITY };

    bool Empty() const { return min.x > max.x; }
    Vec3 Center() const { return (min + max) * 0.5f; }
    void Add(Vec3 p)
    {
        min = { std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z) };
        max = { std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z) };
    }
    void Add(const Box& other)
    {
        Add(other.min);
        Add(other.max);
    }
};

} // namespace varnoke
