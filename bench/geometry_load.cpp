// Loads the geometry of one OBJ file, for the preview's benchmarks:
//
//   geometry_load arrays FILE.obj     the geometry reader into its arrays
//   geometry_load picking FILE.obj    the same, then the picking structure, its time apart
//   geometry_load strtof FILE.obj     the baseline: a plain parser of the same v, f and g
//                                     lines with getline, strtof and strtol into vectors
//
// Each prints what it read, so the three can be seen to agree.

#include "geometry/obj_geometry_reader.h"
#include "geometry/triangle_bvh.h"
#include "hierarchy/geometry_file.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct PlainMesh {
    std::vector<float> positions;
    std::vector<std::uint32_t> corners;
    std::vector<std::uint32_t> groupOfTriangle;
    std::vector<std::string> groups;
};

// Numbers as strtof and strtol read them, polygons as fans; nothing checked.
PlainMesh ParsePlainly(const char* path)
{
    PlainMesh mesh;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::vector<long> face;
    std::uint32_t group = 0;
    while (std::getline(in, line)) {
        const char* p = line.c_str();
        char* end = nullptr;
        if (line.size() > 1 && p[0] == 'v' && p[1] == ' ') {
            p += 1;
            for (int axis = 0; axis < 3; ++axis, p = end)
                mesh.positions.push_back(std::strtof(p, &end));
        } else if (line.size() > 1 && p[0] == 'f' && p[1] == ' ') {
            face.clear();
            for (p += 1;; p = end) {
                const long number = std::strtol(p, &end, 10);
                if (end == p)
                    break;
                face.push_back(number > 0 ? number - 1 : static_cast<long>(mesh.positions.size() / 3) + number);
                while (*end && *end != ' ')
                    ++end;
            }
            for (std::size_t i = 2; i < face.size(); ++i) {
                for (long corner : { face[0], face[i - 1], face[i] })
                    mesh.corners.push_back(static_cast<std::uint32_t>(corner));
                mesh.groupOfTriangle.push_back(group);
            }
        } else if (line.size() > 1 && p[0] == 'g' && p[1] == ' ') {
            group = static_cast<std::uint32_t>(mesh.groups.size());
            mesh.groups.push_back(line.substr(2));
        }
    }
    return mesh;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "arrays" && mode != "picking" && mode != "strtof") {
        std::fprintf(stderr, "usage: geometry_load arrays|picking|strtof FILE.obj\n");
        return 2;
    }
    if (mode == "strtof") {
        const PlainMesh mesh = ParsePlainly(argv[2]);
        std::printf("%zu vertices, %zu triangles, %zu groups\n", mesh.positions.size() / 3, mesh.groupOfTriangle.size(),
                    mesh.groups.size());
        return 0;
    }
    const varnoke::FilePointer file = varnoke::OpenRegularFile(argv[2]);
    if (!file) {
        std::perror(argv[2]);
        return 2;
    }
    varnoke::ObjGeometryReader reader;
    if (!reader.ReadFile(file.get())) {
        std::perror(argv[2]);
        return 2;
    }
    const varnoke::Mesh mesh = reader.Finish();
    const std::size_t arrayBytes
        = mesh.positions.capacity() * sizeof(float) + mesh.triangles.capacity() * sizeof(varnoke::Triangle);
    std::printf("%zu vertices, %zu triangles, %zu groups; arrays %.1f MiB", mesh.VertexCount(), mesh.triangles.size(),
                mesh.groups.size(), static_cast<double>(arrayBytes) / 1048576);
    if (mode == "picking") {
        const auto start = std::chrono::steady_clock::now();
        const varnoke::TriangleBvh bvh(mesh);
        std::printf("; picking structure %.1f MiB, built in %.3f s", static_cast<double>(bvh.MemoryBytes()) / 1048576,
                    SecondsSince(start));
    }
    std::printf("\n");
    return 0;
}
