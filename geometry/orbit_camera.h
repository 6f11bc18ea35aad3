#pragma once

#include "geometry/ray.h"
#include "geometry/vec3.h"

#include <array>

namespace varnoke {

// A 4 by 4 matrix in column order, as OpenGL takes it.
using Matrix4 = std::array<float, 16>;

// A camera that circles a target point: yaw about the vertical, pitch above the horizon.
// Fit frames a box whole; the matrices and the ray through a pixel follow from the same
// numbers, so what is drawn at a pixel is what a click there picks.
class OrbitCamera {
public:
    static constexpr float kFieldOfView = 0.7854f; // vertical, 45 degrees

    // Looks at the box's centre from where its bounding sphere fills the narrower side.
    void Fit(const Box& box, float aspect);
    void Orbit(float yawBy, float pitchBy);
    // Nearer by the factor below 1, farther above it.
    void Zoom(float factor);
    // Moves the target across the view, in fractions of the view's height.
    void Pan(float right, float up);

    Vec3 Eye() const;
    Matrix4 View() const;
    Matrix4 Projection(float aspect) const;
    // The ray from the eye through a point of the view (pixels from its top left corner).
    Ray RayThrough(float x, float y, float width, float height) const;

private:
    void Basis(Vec3& right, Vec3& up, Vec3& back) const;

    Vec3 target_;
    float radius_ = 1;
    float distance_ = 3;
    float yaw_ = 0;
    float pitch_ = 0;
};

// The point times the matrix, divided by its w: where it lands in the view's cube.
Vec3 Project(const Matrix4& matrix, Vec3 point);
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);

} // namespace varnoke
