// An OBJ file that changes under the reader: it must read what is there, nothing else.
#include "hierarchy/geometry_file.h"
#include "hierarchy/obj_line_reader.h"
#include "temp_poser_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace varnoke;

TEST(ObjFileChanges, AFileCutShortWhileReadGivesTheLinesBeforeTheCut)
{
    varnoke::testing::TempPoserFolder folder;
    std::string text;
    std::vector<std::string> groups;
    for (int i = 0; i < 5000; ++i) {
        groups.push_back("g part" + std::to_string(i));
        text += groups.back() + "\nv 0 0 0\n";
    }
    const std::string path = folder.WriteGeometry("fig/body.obj", text);
    for (const std::uintmax_t cut : { std::uintmax_t { 0 }, std::uintmax_t { 1001 }, text.size() / 2 }) {
        SCOPED_TRACE(cut);
        FilePointer file = OpenGeometryFile(path);
        ASSERT_TRUE(file);
        ObjLineReader reader(file.get(), true, 256);
        std::vector<std::string> read;
        ObjLine line;
        ASSERT_TRUE(reader.ReadTextLine(line));
        read.emplace_back(line.head);
        std::filesystem::resize_file(path, cut);
        while (reader.ReadTextLine(line))
            read.emplace_back(line.head);
        // Blocks already read ahead still count; a line cut in the middle keeps its start.
        ASSERT_LE(read.size(), groups.size());
        for (std::size_t i = 0; i + 1 < read.size(); ++i)
            EXPECT_EQ(read[i], groups[i]);
        EXPECT_TRUE(groups[read.size() - 1].starts_with(read.back())) << read.back();
        folder.WriteGeometry("fig/body.obj", text);
    }
}
