// The OBJ geometry reader on any bytes, read in a fuzzed block size and in one block: both
// give the same mesh, and every triangle it keeps is one a renderer may trust. The first
// byte chooses the block size; the rest is the file.
#include "fuzz_support.h"
#include "geometry/obj_geometry_reader.h"
#include "hierarchy/geometry_file.h"

#include <cmath>
#include <cstdint>

using namespace varnoke;

namespace {

Mesh ReadMesh(std::FILE* file, std::size_t blockSize)
{
    std::rewind(file);
    ObjGeometryReader reader(blockSize);
    VARNOKE_FUZZ_CHECK(reader.ReadFile(file));
    return reader.Finish();
}

void CheckTrusted(const Mesh& mesh)
{
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        const Triangle& triangle = mesh.triangles[i];
        VARNOKE_FUZZ_CHECK(triangle.group < mesh.groups.size());
        VARNOKE_FUZZ_CHECK(i == 0 || mesh.triangles[i - 1].group <= triangle.group);
        for (std::uint32_t corner : triangle.corners) {
            VARNOKE_FUZZ_CHECK(corner < mesh.VertexCount());
            for (int axis = 0; axis < 3; ++axis)
                VARNOKE_FUZZ_CHECK(std::isfinite(mesh.positions[std::size_t { corner } * 3 + axis]));
        }
        VARNOKE_FUZZ_CHECK(triangle.corners[0] != triangle.corners[1] && triangle.corners[1] != triangle.corners[2]
                           && triangle.corners[0] != triangle.corners[2]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t blockSize = 1 + data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    FilePointer file(std::tmpfile());
    VARNOKE_FUZZ_CHECK(file != nullptr);
    VARNOKE_FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size());
    VARNOKE_FUZZ_CHECK(std::fflush(file.get()) == 0);

    const Mesh whole = ReadMesh(file.get(), ObjGeometryReader::kDefaultBlockSize);
    CheckTrusted(whole);
    const Mesh pieces = ReadMesh(file.get(), blockSize);
    VARNOKE_FUZZ_CHECK(pieces.groups == whole.groups);
    VARNOKE_FUZZ_CHECK(pieces.dropped == whole.dropped);
    VARNOKE_FUZZ_CHECK(pieces.triangles.size() == whole.triangles.size());
    for (std::size_t i = 0; i < whole.triangles.size(); ++i) {
        for (int corner = 0; corner < 3; ++corner)
            VARNOKE_FUZZ_CHECK(pieces.triangles[i].corners[corner] == whole.triangles[i].corners[corner]);
        VARNOKE_FUZZ_CHECK(pieces.triangles[i].group == whole.triangles[i].group);
    }
    return 0;
}
