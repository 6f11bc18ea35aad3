// varnoke-cli on input that is broken, huge or not a file at all: each run ends normally
// with the program's own diagnostics or a clear message.
#include "file_bytes.h"
#include "program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

using varnoke::testing::LocalPath;
using varnoke::testing::ReadBytes;
using varnoke::testing::WriteBytes;

// A file of the head, then count copies of the filler byte, then the tail, written a
// megabyte at a time so the test itself stays small.
void WriteLongFile(const fs::path& path, std::string_view head, std::size_t count, char filler, std::string_view tail)
{
    std::ofstream file(path, std::ios::binary);
    file << head;
    const std::string chunk(1 << 20, filler);
    for (std::size_t left = count; left > 0; left -= std::min(left, chunk.size()))
        file.write(chunk.data(), static_cast<std::streamsize>(std::min(left, chunk.size())));
    file << tail;
}

class HostileInput : public testing::Test {
protected:
    HostileInput()
    {
        root_ = varnoke::testing::NewTemporaryFolder("varnoke-hostile-");
        poser_ = root_ / "Poser";
        geometries_ = poser_ / "Runtime" / "Geometries" / "f";
        fs::create_directories(geometries_);
        WriteBytes(geometries_ / "body.obj", "g hip\nv 0 0 0\ng abdomen\n");
    }
    ~HostileInput() override
    {
        std::error_code error;
        fs::permissions(geometries_, fs::perms::owner_all, error);
        fs::remove_all(root_, error);
    }

    std::string Phi(const std::string& name, std::string_view text) const
    {
        WriteBytes(root_ / name, text);
        return (root_ / name).string();
    }
    std::string Geometry(const std::string& name) const { return (geometries_ / name).string(); }

    // The built varnoke-cli: the command, --poser-dir, then the files.
    Outcome Tool(const std::string& command, const std::vector<std::string>& files) const
    {
        return ToolWithPoserDir(command, poser_.string(), files);
    }
    Outcome ToolWithPoserDir(const std::string& command, const std::string& poserDir,
                             const std::vector<std::string>& files) const
    {
        std::vector<std::string> arguments = { VARNOKE_CLI_PATH, command, "--poser-dir", poserDir };
        arguments.insert(arguments.end(), files.begin(), files.end());
        const fs::path out = root_ / "stdout", err = root_ / "stderr";
        const int status = varnoke::testing::RunProgram(arguments, out, err);
        return { status, ReadBytes(out), ReadBytes(err) };
    }

    fs::path root_, poser_, geometries_;
};

std::string Unused(const std::string& part)
{
    return "0 Warning: Part '" + part + "' found in OBJ was not used, will be ignored by Poser\n";
}

TEST_F(HostileInput, BytesThatAreNotTextAreReadAsLinesThatFail)
{
    // A NUL byte ends what a line's fields are read from, as in a C string, and is no
    // white space. Tidying keeps every byte.
    using namespace std::string_literals;
    const std::string nul = Phi("zero-bytes.phi", "objFile :Runtime:Geometries:f:body.obj\n1 hip\0 xyz\n\0\0\0\n"s);
    Outcome run = Tool("check", { nul });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "2 Error: Syntax error/missing argument\n3 Error: Illegal command (or missing level number)\n"
                  + Unused("hip") + Unused("abdomen"));
    EXPECT_EQ(run.err, "");
    run = Tool("tidy", { nul });
    EXPECT_EQ(run.out, "objFile :Runtime:Geometries:f:body.obj\r\n1 hip\0 xyz\r\n\0\0\0\r\n"s);
    EXPECT_EQ(run.err, "");

    std::mt19937 random(6);
    std::string noise(1 << 16, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    run = Tool("check", { Phi("noise.phi", noise) });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    const std::regex entry("[0-9]+ (Error|Warning): .*");
    std::istringstream entries(run.out);
    for (std::string line; std::getline(entries, line);)
        ASSERT_TRUE(std::regex_match(line, entry)) << line;

    // The same noise as geometry: its parts are whatever its 'g' lines say, and a part
    // in a clean line among them is found.
    WriteBytes(geometries_ / "noise.obj", noise + "\ng lHand\n" + noise);
    run = Tool("check", { Phi("hand.phi", "objFile :Runtime:Geometries:f:noise.obj\n1 lHand xyz\n") });
    EXPECT_EQ(run.err, "");
    EXPECT_THAT(run.out, testing::Not(testing::HasSubstr("Error")));
    EXPECT_EQ(run.status, 0);
}

TEST_F(HostileInput, AHundredMegabyteLineIsRefusedInAHierarchyAndSkippedInAnObjFile)
{
    constexpr std::size_t kLength = 100u << 20;
    // Without a line end: read as the OBJ reader reads any line, a block at a time.
    WriteLongFile(geometries_ / "long.obj", "g hip\nv ", kLength, '1', "\rg abdomen");
    const std::string figure = Phi("long.phi", "objFile :Runtime:Geometries:f:long.obj\n1 hip yzx\n2 abdomen yzx\n");
    Outcome run = Tool("check", { figure });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Looks good!\n");

    // Every level line that encloses the long line reports it again.
    const fs::path hierarchy = root_ / "longline.phi";
    WriteLongFile(hierarchy, "objFile :Runtime:Geometries:f:body.obj\n1 hip yzx\n2 ", kLength, 'a', "");
    run = Tool("check", { hierarchy.string() });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "3 Error: Line length limit exceeded\n3 Error: Line length limit exceeded\n" + Unused("abdomen"));
    EXPECT_EQ(run.err, "");
}

TEST_F(HostileInput, AFortyDigitLevelNumberIsAnOrdinaryLevelError)
{
    const std::string forty(40, '9');
    const std::string figure = Phi("digits.phi",
                                   "objFile :Runtime:Geometries:f:body.obj\n" + forty + " hip xyz\n-" + forty
                                       + " hip xyz\n1 hip xyz\n2 abdomen xyz\n" + forty + " chest xyz\n");
    const Outcome run = Tool("check", { figure });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "2 Error: Level number 1 has been skipped\n3 Error: Illegal command (or missing level number)\n"
              "6 Error: Level number 3 has been skipped\n");
}

TEST_F(HostileInput, OnlyRegularFilesOpenAsGeometryOrAsHierarchy)
{
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs, /dev/zero and symbolic links made without privileges are POSIX-only";
#else
    fs::create_directories(geometries_ / "folder.obj");
    fs::create_symlink("/dev/zero", geometries_ / "zero.obj");
    fs::create_symlink(geometries_ / "gone.obj", geometries_ / "dangling.obj");
    ASSERT_EQ(::mkfifo(Geometry("fifo.obj").c_str(), 0600), 0);
    std::string text;
    for (const char* name : { "folder", "zero", "dangling", "fifo", "gone" })
        text += std::string("objFile :Runtime:Geometries:f:") + name + ".obj\n";
    Outcome run = Tool("check", { Phi("odd.phi", text + "1 hip yzx\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "1 Error: Couldn't open file:" + Geometry("folder.obj") + "\n2 Error: Couldn't open file:"
                  + Geometry("zero.obj") + "\n3 Error: Couldn't open file:" + Geometry("dangling.obj")
                  + "\n4 Error: Couldn't open file:" + Geometry("fifo.obj") + "\n5 Error: Couldn't open file:"
                  + Geometry("gone.obj") + "\n6 Error: Part 'hip' was not found in an OBJ file\n");

    const std::vector<std::string> notFiles
        = { Geometry("folder.obj"), Geometry("zero.obj"), Geometry("dangling.obj"), Geometry("fifo.obj") };
    for (const char* command : { "check", "tidy" }) {
        std::vector<std::string> files = notFiles;
        if (command == std::string("tidy"))
            files.insert(files.begin(), "-i");
        run = Tool(command, files);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "Cannot open file " + notFiles[0] + "\nCannot open file " + notFiles[1] + "\nCannot open file "
                      + notFiles[2] + "\nCannot open file " + notFiles[3] + "\n");
    }
#endif
}

TEST_F(HostileInput, AnUnreadableObjFileCannotBeOpened)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permissions: Windows keeps readers out with access control lists";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads files without read permission";
#endif
    fs::permissions(geometries_ / "body.obj", fs::perms::none);
    const Outcome run = Tool("check", { Phi("locked.phi", "objFile :Runtime:Geometries:f:body.obj\n1 hip yzx\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "1 Error: Couldn't open file:" + Geometry("body.obj")
                  + "\n2 Error: Part 'hip' was not found in an OBJ file\n");
}

TEST_F(HostileInput, AFileTooLargeToHoldIsRefusedAtOnce)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer ends the program at a failed allocation instead of throwing";
#endif
    // Sparse: eight terabytes of nothing on disk, which the program must not try to read.
    const std::string huge = Phi("huge.phi", "");
    std::error_code error;
    fs::resize_file(huge, std::uintmax_t { 1 } << 43, error);
    if (error)
        GTEST_SKIP() << "no sparse file of that size here";
    const Outcome run = Tool("check", { huge });
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    // The cause is memory, and the message says so.
    EXPECT_THAT(run.err, testing::HasSubstr("not enough memory"));
    EXPECT_THAT(run.err, testing::HasSubstr(huge));
}

TEST_F(HostileInput, AMissingPoserFolderIsWarnedAboutAndItsFilesCannotBeOpened)
{
    const std::string figure = Phi("fig.phi", "objFile :Runtime:Geometries:f:body.obj\n1 hip yzx\n");
    const std::string missing = (root_ / "NoPoser").string();
    const Outcome run = ToolWithPoserDir("check", missing, { figure });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "varnoke-cli: warning: the Poser folder " + missing + " does not exist\n");
    EXPECT_EQ(run.out,
              "1 Error: Couldn't open file:" + missing + LocalPath("/Runtime/Geometries/f/body.obj")
                  + "\n2 Error: Part 'hip' was not found in an OBJ file\n");
}

} // namespace
