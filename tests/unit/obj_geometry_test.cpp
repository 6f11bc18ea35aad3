#include "geometry/obj_geometry_reader.h"
#include "hierarchy/geometry_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace varnoke;
using ::testing::ElementsAreArray;

namespace {

FilePointer FileOf(std::string_view bytes)
{
    FilePointer file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

Mesh Read(const std::vector<std::string_view>& files, std::size_t blockSize = ObjGeometryReader::kDefaultBlockSize)
{
    ObjGeometryReader reader(blockSize);
    for (std::string_view bytes : files)
        EXPECT_TRUE(reader.ReadFile(FileOf(bytes).get()));
    return reader.Finish();
}

// Each triangle as "group:a b c", vertices numbered from 0 across the files.
std::vector<std::string> Triangles(const Mesh& mesh)
{
    std::vector<std::string> out;
    for (const Triangle& t : mesh.triangles)
        out.push_back(mesh.groups[t.group] + ":" + std::to_string(t.corners[0]) + " " + std::to_string(t.corners[1])
                      + " " + std::to_string(t.corners[2]));
    return out;
}

const char* const kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> triangles;
    DroppedCounts dropped;
};

} // namespace

TEST(ObjGeometryReader, ReadsEveryFormOfFaceAndDropsWhatItCannotTrust)
{
    const std::string square = kSquare;
    const Case cases[] = {
        { "positive numbers", square + "f 1 2 3\n", { ":0 1 2" }, {} },
        { "negative numbers count back from the last vertex", square + "f -4 -3 -2\n", { ":0 1 2" }, {} },
        { "v/vt/vn, v//vn and v/vt forms",
          square + "f 1/1/1 2//2 3/3\nf 1/5/9 3/1 4//1\n",
          { ":0 1 2", ":0 2 3" },
          {} },
        { "a polygon becomes a fan", square + "v -1 1 0\nf 1 2 3 4 5\n", { ":0 1 2", ":0 2 3", ":0 3 4" }, {} },
        { "CR, CR LF and no final line end", "v 0 0 0\rv 1 0 0\r\nv 0 1 0\r\nf 1 2 3", { ":0 1 2" }, {} },
        { "blanks, tabs and a plus sign", " v\t+1 0 0\nv 0 1 0 1.0\nv 0 0 1e0\n\tf  1\t2 3 \n", { ":0 1 2" }, {} },
        { "other lines are skipped",
          square + "vt 0 0\nvn 0 0 1\nusemtl skin\ns 1\n# f 1 2 3\no x\nf 1 2 3\n",
          { ":0 1 2" },
          {} },
        { "zero, too large and too small numbers",
          square + "f 0 1 2\nf 1 2 5\nf -5 1 2\nf 1 2 3\n",
          { ":0 1 2" },
          { 0, 3, 0 } },
        { "a face before its vertices", "f 1 2 3\n" + square, {}, { 0, 1, 0 } },
        { "fewer than three corners", square + "f 1 2\nf\nf 1\n", {}, { 0, 2, 0 } },
        { "words and junk in a face",
          square + "f 1 2 x\nf 1 2 3x\nf 1.5 2 3\nf 99999999999999999999 1 2\n",
          {},
          { 0, 4, 0 } },
        { "NaN, infinity, huge and missing coordinates",
          "v nan 0 0\nv 0 inf 0\nv 1e999 0 0\nv 1 2\nv 1,5 0 0\n" + square + "f 1 6 7\nf 5 6 7\nf 6 7 8\n",
          { ":5 6 7" },
          { 5, 2, 0 } },
        { "a corner twice and no area", square + "v 2 0 0\nf 1 1 2\nf 1 2 5\nf 1 2 3 3\n", { ":0 1 2" }, { 0, 0, 3 } },
        { "groups by the test's own rule, sorted, letter case ignored",
          square + "f 1 2 3\ng hip extra\nf 1 3 4\ngchest\nf 1 2 3\ng HIP\nf 2 3 4\ng\nf 1 2 4\n",
          { ":0 1 2", ":0 1 3", "hip:0 2 3", "hip:1 2 3", "chest:0 1 2" },
          {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Mesh whole = Read({ c.text });
        EXPECT_THAT(Triangles(whole), ElementsAreArray(c.triangles));
        EXPECT_EQ(whole.dropped, c.dropped);
        // Lines cut by every block boundary read the same.
        for (std::size_t blockSize : { 1, 2, 5 }) {
            const Mesh pieces = Read({ c.text }, blockSize);
            EXPECT_EQ(Triangles(pieces), Triangles(whole)) << "block size " << blockSize;
            EXPECT_EQ(pieces.dropped, whole.dropped) << "block size " << blockSize;
        }
    }
}

TEST(ObjGeometryReader, EachFileNamesItsOwnVerticesAndSharesGroups)
{
    const Mesh mesh = Read({ std::string(kSquare) + "g Hand\nf 1 2 3\n",
                             "f 1 2 3\n" + std::string(kSquare) + "f -1 -2 -3\ng hand\nf 1 2 3\n" });
    EXPECT_THAT(Triangles(mesh), ElementsAreArray({ "Hand:0 1 2", "Hand:4 5 6", ":7 6 5" }));
    EXPECT_EQ(mesh.dropped.badFaces, 1u) << "the second file's first face names vertices it has not yet";
    EXPECT_EQ(mesh.VertexCount(), 8u);
    EXPECT_THAT(mesh.GroupStarts(), ElementsAreArray({ 0u, 2u, 3u }));
}

TEST(ObjGeometryReader, KeepsCoordinatesExactlyAndBoundsLongLines)
{
    std::string text = "v 1.5 -0.25 3e2\nv 0.1 0 0\nv 0 0.1 0\n";
    text += "f 1 2 " + std::string(ObjGeometryReader::kMaxLine, '3') + "\n"; // too long: dropped
    text += "v " + std::string(ObjGeometryReader::kMaxLine, '1') + " 0 0\n"; // too long: numbered, dropped
    text += "f 1 2 3\nf 1 2 4\n";
    for (std::size_t blockSize : { std::size_t { 4096 }, ObjGeometryReader::kDefaultBlockSize }) {
        const Mesh mesh = Read({ text }, blockSize);
        ASSERT_EQ(mesh.VertexCount(), 4u);
        EXPECT_THAT(std::vector<float>(mesh.positions.begin(), mesh.positions.begin() + 9),
                    ElementsAreArray({ 1.5f, -0.25f, 300.0f, 0.1f, 0.0f, 0.0f, 0.0f, 0.1f, 0.0f }));
        EXPECT_TRUE(std::isnan(mesh.positions[9]));
        EXPECT_THAT(Triangles(mesh), ElementsAreArray({ ":0 1 2" }));
        EXPECT_EQ(mesh.dropped, (DroppedCounts { 1, 2, 0 }));
    }
}

TEST(SortByGroup, SortsLikeAStableSortOfTheGroups)
{
    std::mt19937 random(29);
    for (std::size_t groups : { 1, 2, 7, 300 }) {
        std::vector<Triangle> triangles(2000);
        for (std::uint32_t i = 0; i < triangles.size(); ++i)
            triangles[i] = { { i, i, i }, static_cast<std::uint32_t>(random() % groups) };
        std::vector<Triangle> expected = triangles;
        std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.group < b.group; });
        SortByGroup(triangles, groups);
        ASSERT_EQ(triangles.size(), expected.size());
        for (std::size_t i = 0; i < triangles.size(); ++i)
            ASSERT_EQ(triangles[i].group, expected[i].group) << i;
        auto key = [](const Triangle& t) { return std::pair(t.group, t.corners[0]); };
        std::vector<std::pair<std::uint32_t, std::uint32_t>> got, want;
        for (std::size_t i = 0; i < triangles.size(); ++i) {
            got.push_back(key(triangles[i]));
            want.push_back(key(expected[i]));
        }
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want) << "every triangle kept once";
    }
}
