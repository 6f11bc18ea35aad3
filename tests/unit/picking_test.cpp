#include "geometry/orbit_camera.h"
#include "geometry/triangle_bvh.h"
#include "hierarchy/progress.h"

#include <gtest/gtest.h>

#include <random>

using namespace varnoke;

namespace {

Vec3 RandomPoint(std::mt19937& random, float size)
{
    std::uniform_real_distribution<float> coordinate(-size, size);
    return { coordinate(random), coordinate(random), coordinate(random) };
}

// Triangles scattered in a cube; `repeats` copies of each, so some share their centroid.
Mesh RandomMesh(std::mt19937& random, std::size_t triangles, int repeats)
{
    Mesh mesh;
    mesh.groups = { "a", "b" };
    for (std::size_t i = 0; i < triangles; ++i) {
        const Vec3 centre = RandomPoint(random, 10);
        const auto first = static_cast<std::uint32_t>(mesh.VertexCount());
        for (int corner = 0; corner < 3; ++corner) {
            const Vec3 p = centre + RandomPoint(random, 1);
            mesh.positions.insert(mesh.positions.end(), { p.x, p.y, p.z });
        }
        for (int copy = 0; copy < repeats; ++copy)
            mesh.triangles.push_back({ { first, first + 1, first + 2 }, static_cast<std::uint32_t>(i % 2) });
    }
    return mesh;
}

Vec3 CornerOf(const Mesh& mesh, std::uint32_t vertex)
{
    return { mesh.positions[vertex * 3], mesh.positions[vertex * 3 + 1], mesh.positions[vertex * 3 + 2] };
}

std::optional<Hit> PickByTryingAll(const Mesh& mesh, const Ray& ray)
{
    std::optional<Hit> nearest;
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        const auto& corners = mesh.triangles[i].corners;
        const auto distance = IntersectTriangle(ray, CornerOf(mesh, corners[0]), CornerOf(mesh, corners[1]),
                                                CornerOf(mesh, corners[2]));
        if (distance && (!nearest || *distance < nearest->distance))
            nearest = Hit { i, *distance };
    }
    return nearest;
}

} // namespace

TEST(TriangleBvh, PicksWhatTryingEveryTrianglePicks)
{
    std::mt19937 random(29);
    for (const auto& [triangles, repeats] :
         { std::pair(0, 1), { 1, 1 }, { 9, 1 }, { 200, 1 }, { 5000, 1 }, { 50, 40 } }) {
        const Mesh mesh = RandomMesh(random, static_cast<std::size_t>(triangles), repeats);
        const TriangleBvh bvh(mesh);
        int hits = 0;
        for (int i = 0; i < 400; ++i) {
            // From outside the cube towards a point in it, or along an axis exactly.
            const Vec3 origin = i % 10 == 0 ? Vec3 { 0.5f, 0.25f, 40 } : RandomPoint(random, 40);
            const Vec3 toward = i % 10 == 0 ? Vec3 { 0.5f, 0.25f, 0 } : RandomPoint(random, 8);
            const Ray ray { origin, Normalized(toward - origin) };
            const auto expected = PickByTryingAll(mesh, ray);
            const auto got = bvh.Pick(mesh, ray);
            ASSERT_EQ(got.has_value(), expected.has_value()) << triangles << " triangles, ray " << i;
            if (!got)
                continue;
            ++hits;
            EXPECT_EQ(got->distance, expected->distance);
            const auto& a = mesh.triangles[got->triangle].corners;
            const auto& b = mesh.triangles[expected->triangle].corners;
            EXPECT_TRUE(std::equal(a, a + 3, b)) << "the same triangle, or a copy of it";
        }
        if (triangles >= 200) {
            EXPECT_GT(hits, 40) << "the rays should meet the figure often";
        }
    }
}

TEST(TriangleBvh, CostsLessThanTheTrianglesItIndexes)
{
    std::mt19937 random(7);
    const Mesh mesh = RandomMesh(random, 100000, 1);
    const TriangleBvh bvh(mesh);
    EXPECT_LE(bvh.MemoryBytes(), mesh.triangles.size() * 20);
    const Box bounds = bvh.Bounds();
    for (std::size_t i = 0; i < mesh.VertexCount(); i += 97) {
        const Vec3 p = CornerOf(mesh, static_cast<std::uint32_t>(i));
        EXPECT_TRUE(p.x >= bounds.min.x && p.y >= bounds.min.y && p.z >= bounds.min.z && p.x <= bounds.max.x
                    && p.y <= bounds.max.y && p.z <= bounds.max.z);
    }
}

TEST(OrbitCamera, FitFramesTheWholeBoxFromAnyAngle)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<float> size(0.01f, 100), stretch(1, 2), angle(-3, 3);
    for (int i = 0; i < 200; ++i) {
        const Vec3 centre = RandomPoint(random, 1000);
        const float scale = size(random);
        const Vec3 half { scale * stretch(random), scale * stretch(random), scale * stretch(random) };
        const Box box { centre - half, centre + half };
        const float aspect = std::array { 0.4f, 1.0f, 2.5f }[i % 3];
        OrbitCamera camera;
        camera.Orbit(angle(random), angle(random));
        camera.Fit(box, aspect);
        const Matrix4 viewProjection = Multiply(camera.Projection(aspect), camera.View());
        const Vec3 middle = Project(viewProjection, box.Center());
        EXPECT_NEAR(middle.x, 0, 1e-4);
        EXPECT_NEAR(middle.y, 0, 1e-4);
        float widest = 0;
        for (int corner = 0; corner < 8; ++corner) {
            const Vec3 p { corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y,
                           corner & 4 ? box.max.z : box.min.z };
            const Vec3 seen = Project(viewProjection, p);
            EXPECT_LE(std::abs(seen.x), 1.0001f);
            EXPECT_LE(std::abs(seen.y), 1.0001f);
            EXPECT_LE(std::abs(seen.z), 1.0001f) << "between the near and far planes";
            widest = std::max({ widest, std::abs(seen.x), std::abs(seen.y) });
        }
        EXPECT_GT(widest, 0.3f) << "the box fills the view, not a speck of it";
    }
}

TEST(OrbitCamera, TheRayThroughAPixelPassesWhereThatPixelShows)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> angle(-3, 3), zoom(0.3f, 3), pan(-0.3f, 0.3f);
    const float width = 800, height = 600;
    for (int i = 0; i < 200; ++i) {
        OrbitCamera camera;
        camera.Fit({ { -1, -2, -1 }, { 1, 2, 1 } }, width / height);
        camera.Orbit(angle(random), angle(random));
        camera.Zoom(zoom(random));
        camera.Pan(pan(random), pan(random));
        const Vec3 point = RandomPoint(random, 1);
        const Vec3 seen = Project(Multiply(camera.Projection(width / height), camera.View()), point);
        const Ray ray = camera.RayThrough((seen.x + 1) / 2 * width, (1 - seen.y) / 2 * height, width, height);
        const Vec3 offset = point - ray.origin;
        const Vec3 across = offset - ray.direction * Dot(offset, ray.direction);
        EXPECT_LT(Length(across), 1e-3f * Length(offset)) << i;
        EXPECT_GT(Dot(offset, ray.direction), 0) << "in front of the eye";
    }
}

// Corners near the largest float, whose sums overflow a float, still split and pick; a
// stop asked for ends the building.
TEST(TriangleBvh, BuildsOnExtremeCoordinatesAndStopsWhenAsked)
{
    Mesh mesh;
    mesh.groups = { "a" };
    mesh.positions = { 0, 0, 0, 1, 0, 0, 0, 1, 0, 3e38f, 0, 0, 3e38f, 1, 0, 3e38f, 0, 1 };
    for (std::uint32_t first : { 0u, 3u })
        for (int copy = 0; copy < 5; ++copy)
            mesh.triangles.push_back({ { first, first + 1, first + 2 }, 0 });
    const TriangleBvh bvh(mesh);
    const Ray ray { { 0.2f, 0.2f, 10 }, { 0, 0, -1 } };
    const auto got = bvh.Pick(mesh, ray);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->distance, PickByTryingAll(mesh, ray)->distance);
    EXPECT_EQ(mesh.triangles[got->triangle].corners[0], 0u);

    const std::atomic<bool> stop { true };
    EXPECT_THROW(TriangleBvh(mesh, &stop), Cancelled);
}
