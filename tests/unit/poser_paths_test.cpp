#include "hierarchy/geometry_folders.h"
#include "hierarchy/poser_paths.h"
#include "temp_poser_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace varnoke;

TEST(PoserPaths, ExeDirectoryCutsAtTheLastBackslashElseTheLastSlash)
{
    EXPECT_EQ(ExeDirectory("C:\\Poser3\\varnoke.exe"), "C:\\Poser3");
    EXPECT_EQ(ExeDirectory("C:/Poser3/varnoke.exe"), "C:/Poser3");
    EXPECT_EQ(ExeDirectory("C:/a\\b/varnoke.exe"), "C:/a");
    EXPECT_EQ(ExeDirectory("/opt/poser/bin/varnoke"), "/opt/poser/bin");
    EXPECT_EQ(ExeDirectory("C:\\varnoke.exe"), "C:");
}

TEST(PoserPaths, PoserToLocalOnWindows)
{
    const std::string folder = "C:\\Poser3";
    EXPECT_EQ(PoserToLocalPath(folder, ":Runtime:Geometries:Foo:bar.obj", '\\'),
              "C:\\Poser3\\Runtime\\Geometries\\Foo\\bar.obj");
    EXPECT_EQ(PoserToLocalPath(folder, "", '\\'), "C:\\Poser3\\Runtime\\Geometries\\");
    // Nothing is put between the folder and a path without its leading colon.
    EXPECT_EQ(PoserToLocalPath(folder, "Runtime:Geometries:x.obj", '\\'), "C:\\Poser3Runtime\\Geometries\\x.obj");
    EXPECT_EQ(PoserToLocalPath(folder, ":Runtime\\Geometries/x.obj", '\\'), "C:\\Poser3\\Runtime\\Geometries/x.obj");
    // The drive's colon is part of the folder and stays.
    EXPECT_EQ(PoserToLocalPath("D:", ":a::b.obj", '\\'), "D:\\a\\\\b.obj");
}

TEST(PoserPaths, PoserToLocalWithThePlatformSeparator)
{
    EXPECT_EQ(PoserToLocalPath("/home/u/Poser:5", ":Runtime:Geometries:fig:a b.obj  ", '/'),
              "/home/u/Poser:5/Runtime/Geometries/fig/a b.obj  ");
    EXPECT_EQ(PoserToLocalPath("/p", "", '/'), "/p/Runtime/Geometries/");
}

TEST(PoserPaths, LocalToPoserStartsAtTheFirstCaseSensitiveRuntime)
{
    EXPECT_EQ(LocalToPoserPath("C:\\Poser3\\Runtime\\Geometries\\Foo\\bar.obj"), ":Runtime:Geometries:Foo:bar.obj");
    EXPECT_EQ(LocalToPoserPath("D:\\models\\bar.obj"), ":D::models:bar.obj");
    EXPECT_EQ(LocalToPoserPath("C:\\Poser3\\runtime\\geometries\\x.obj"), ":C::Poser3:runtime:geometries:x.obj");
    EXPECT_EQ(LocalToPoserPath("C:\\MyRuntimeFiles\\Runtime\\x.obj"), ":RuntimeFiles:Runtime:x.obj");
    EXPECT_EQ(LocalToPoserPath("C:/Poser3/Runtime/x.obj"), ":Runtime:x.obj");
    EXPECT_EQ(LocalToPoserPath("/home/u/Poser/Runtime\\Geometries/x.obj"), ":Runtime:Geometries:x.obj");

    // A path without "Runtime" is taken whole, which no Poser finds: the window refuses it.
    for (const char* path : { "C:\\Poser3\\Runtime\\x.obj", "D:\\models\\bar.obj", "C:\\Poser3\\runtime\\x.obj",
                              "/tmp/MyRuntimeFiles/x.obj", "/tmp/x/out.obj" })
        EXPECT_EQ(HasRuntime(path), LocalToPoserPath(path).starts_with(":Runtime")) << path;
}

TEST(PoserPaths, ConversionsAreInverseBelowRuntime)
{
    for (const char* poser : { ":Runtime:Geometries:x.obj", ":Runtime:Geometries:Fig Sub:y.obj" }) {
        EXPECT_EQ(LocalToPoserPath(PoserToLocalPath("C:\\Poser3", poser, '\\')), poser);
        EXPECT_EQ(LocalToPoserPath(PoserToLocalPath("/opt/Poser", poser, '/')), poser);
    }
}

TEST(PoserPaths, NearestPoserFolderIsTheClosestFolderAboveWithARuntimeFolder)
{
    namespace fs = std::filesystem;
    varnoke::testing::TempPoserFolder outer;
    const fs::path root = outer.Path();
    fs::create_directories(root / "Runtime");
    fs::create_directories(root / "Content" / "inner" / "rUnTiMe" / "Geometries");
    fs::create_directories(root / "Content" / "plain" / "deeper");
    std::ofstream(root / "Content" / "plain" / "deeper" / "Runtime") << "a file, not a folder";

    const std::pair<fs::path, std::string> cases[] = {
        { root / "Content" / "inner" / "figure.phi", (root / "Content" / "inner").string() },
        { root / "Content" / "inner" / "rUnTiMe" / "Geometries" / "x.obj", (root / "Content" / "inner").string() },
        { root / "Content" / "plain" / "deeper" / "figure.phi", root.string() },
        { root / "Content" / "plain" / "deeper" / ".." / "figure.phi", root.string() },
        { root / "figure.phi", root.string() },
    };
    for (const auto& [document, folder] : cases)
        EXPECT_EQ(NearestPoserFolder(document.string()), folder) << document;
    EXPECT_EQ(NearestPoserFolder((root.parent_path() / "elsewhere.phi").string()), std::nullopt);
}

TEST(PoserPaths, SplitLocalPathCutsAfterTheLastSeparatorOfEitherKind)
{
    struct Case {
        std::string_view path;
        std::string_view folder;
        std::string_view fileName;
    };
    const Case cases[] = {
        { "C:\\Poser3\\Runtime\\Geometries\\Foo\\bar.obj", "C:\\Poser3\\Runtime\\Geometries\\Foo\\", "bar.obj" },
        { "C:\\Poser3\\Runtime\\Geometries\\", "C:\\Poser3\\Runtime\\Geometries\\", "" },
        { "/p/Runtime/Geometries/fig/a b.obj  ", "/p/Runtime/Geometries/fig/", "a b.obj  " },
        { "/p/Runtime/Geometries/", "/p/Runtime/Geometries/", "" },
        { "C:/a\\b/c.d.obj", "C:/a\\b/", "c.d.obj" },
        { "C:/a/b\\c", "C:/a/b\\", "c" },
        { "/home/u/Poser:5/x.obj", "/home/u/Poser:5/", "x.obj" },
        { "x.obj", "", "x.obj" },
        { "\\", "\\", "" },
        { "", "", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path));
        const LocalPathParts parts = SplitLocalPath(c.path);
        EXPECT_EQ(parts.folder, c.folder);
        EXPECT_EQ(parts.fileName, c.fileName);
    }
}
