#include "geometry/orbit_camera.h"

namespace varnoke {

namespace {

constexpr float kMaxPitch = 1.55f; // just short of straight up, where the view would flip

} // namespace

void OrbitCamera::Fit(const Box& box, float aspect)
{
    if (box.Empty())
        return;
    target_ = box.Center();
    radius_ = std::max(Length(box.max - box.Center()), 1e-6f);
    const float halfHeight = kFieldOfView / 2;
    const float halfWidth = std::atan(std::tan(halfHeight) * std::max(aspect, 1e-3f));
    distance_ = radius_ / std::sin(std::min(halfHeight, halfWidth));
}

void OrbitCamera::Orbit(float yawBy, float pitchBy)
{
    yaw_ = std::remainder(yaw_ + yawBy, 2 * 3.14159265f);
    pitch_ = std::clamp(pitch_ + pitchBy, -kMaxPitch, kMaxPitch);
}

void OrbitCamera::Zoom(float factor)
{
    distance_ = std::clamp(distance_ * factor, radius_ * 1e-3f, radius_ * 1e3f);
}

void OrbitCamera::Pan(float right, float up)
{
    Vec3 r, u, b;
    Basis(r, u, b);
    const float viewHeight = 2 * distance_ * std::tan(kFieldOfView / 2);
    target_ = target_ + r * (right * viewHeight) + u * (up * viewHeight);
}

void OrbitCamera::Basis(Vec3& right, Vec3& up, Vec3& back) const
{
    back = { std::cos(pitch_) * std::sin(yaw_), std::sin(pitch_), std::cos(pitch_) * std::cos(yaw_) };
    right = Normalized(Cross({ 0, 1, 0 }, back));
    up = Cross(back, right);
}

Vec3 OrbitCamera::Eye() const
{
    Vec3 r, u, b;
    Basis(r, u, b);
    return target_ + b * distance_;
}

Matrix4 OrbitCamera::View() const
{
    Vec3 r, u, b;
    Basis(r, u, b);
    const Vec3 eye = Eye();
    return { r.x, u.x, b.x, 0, r.y, u.y, b.y, 0, r.z, u.z, b.z, 0, -Dot(r, eye), -Dot(u, eye), -Dot(b, eye), 1 };
}

Matrix4 OrbitCamera::Projection(float aspect) const
{
    // Depth spans the figure's sphere wherever the target has been panned to.
    const float near = std::max(distance_ - 4 * radius_, distance_ * 1e-3f);
    const float far = distance_ + 4 * radius_;
    const float f = 1 / std::tan(kFieldOfView / 2);
    return {
        f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (far + near) / (near - far), -1, 0, 0, 2 * far * near / (near - far), 0
    };
}

Ray OrbitCamera::RayThrough(float x, float y, float width, float height) const
{
    Vec3 r, u, b;
    Basis(r, u, b);
    const float tangent = std::tan(kFieldOfView / 2);
    const float aspect = width / std::max(height, 1.0f);
    const float across = (2 * x / std::max(width, 1.0f) - 1) * tangent * aspect;
    const float upward = (1 - 2 * y / std::max(height, 1.0f)) * tangent;
    return { Eye(), Normalized(r * across + u * upward - b) };
}

Vec3 Project(const Matrix4& m, Vec3 p)
{
    const float x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
    const float y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
    const float z = m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14];
    const float w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return { x / w, y / w, z / w };
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 product {};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                product[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return product;
}

} // namespace varnoke
