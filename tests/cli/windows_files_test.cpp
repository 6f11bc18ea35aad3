// varnoke-cli on Windows: drive letters and '\' paths, names beyond ASCII, files another program
// holds open or that are read-only, and standard output that passes every byte unchanged.
// These cases run only in the Windows build (under Wine here).
#ifdef _WIN32

#include "cli/cli.h"
#include "cli_outcome.h"
#include "file_bytes.h"
#include "hierarchy/platform.h"
#include "program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

namespace {

namespace fs = std::filesystem;
using varnoke::testing::ReadBytes;
using varnoke::testing::WriteBytes;

using varnoke::testing::Outcome;

const char* const kObj = "g hip\nv 0 0 0\ng abdomen\ng chest\n";
const char* const kUntidy = "objFile :Runtime:Geometries:Fig:fig.obj\n1 hip yzx\n    2 abdomen yzx\n3 chest yzx\n";
const char* const kTidy
    = "objFile :Runtime:Geometries:Fig:fig.obj\r\n1 hip yzx\r\n\t2 abdomen yzx\r\n\t\t3 chest yzx\r\n";

class WindowsFiles : public testing::Test {
protected:
    WindowsFiles()
        : root_(varnoke::testing::NewTemporaryFolder("varnoke-windows-"))
        , figure_(root_ / "Poser" / "Runtime" / "Geometries" / "Fig")
    {
        WriteBytes(figure_ / "fig.obj", kObj);
    }
    ~WindowsFiles() override
    {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_, error))
            ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(root_, error);
    }

    std::string Phi(const std::string& name, const std::string& text) const
    {
        return varnoke::testing::WriteNamedFile(figure_, name, text);
    }

    Outcome InProcess(const std::vector<std::string>& arguments) const
    {
        return varnoke::testing::RunInProcess(arguments, root_ / "prog" / "varnoke-cli.exe");
    }

    Outcome Tool(const std::vector<std::string>& arguments, const fs::path& workingFolder = {}) const
    {
        std::vector<std::string> all = { VARNOKE_CLI_PATH };
        all.insert(all.end(), arguments.begin(), arguments.end());
        const fs::path out = root_ / "stdout", err = root_ / "stderr";
        const int status = varnoke::testing::RunProgram(all, out, err, workingFolder);
        return { status, ReadBytes(out), ReadBytes(err) };
    }

    std::size_t FilesInFigureFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(figure_), fs::directory_iterator()));
    }

    fs::path root_, figure_;
};

TEST_F(WindowsFiles, PathsWithDriveLettersAndEitherSeparatorOpen)
{
    const std::string file = Phi("fig.phi", kUntidy);
    std::string forward = file;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    const std::string drive = root_.root_name().string(); // "C:" or another letter
    ASSERT_EQ(drive.size(), 2u);
    struct Case {
        std::string file, poserDir;
    };
    const std::vector<Case> cases = {
        { file, (root_ / "Poser").string() },
        { forward, (root_ / "Poser").string() + "\\" },
        { file, "" }, // the Poser folder found above the file
        { forward, "" },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.file + " with " + test.poserDir);
        std::vector<std::string> arguments = { "check", test.file };
        if (!test.poserDir.empty())
            arguments = { "check", "--poser-dir", test.poserDir, test.file };
        EXPECT_EQ(InProcess(arguments), (Outcome { 0, "Looks good!\n", "" }));
        EXPECT_EQ(Tool(arguments), (Outcome { 0, "Looks good!\n", "" }));
    }
    // A geometry file that is missing is named with the system's separator after the folder.
    const std::string lost = Phi("lost.phi", "objFile :Runtime:Geometries:Fig:lost.obj\n");
    EXPECT_EQ(Tool({ "check", "--poser-dir", drive + "\\NoPoser", lost }),
              (Outcome { 1, "1 Error: Couldn't open file:" + drive + "\\NoPoser\\Runtime\\Geometries\\Fig\\lost.obj\n",
                         "varnoke-cli: warning: the Poser folder " + drive + "\\NoPoser does not exist\n" }));
}

TEST_F(WindowsFiles, GeometryNamedInAnotherLetterCaseOpens)
{
    WriteBytes(figure_ / "Upper" / "FIG.OBJ", kObj);
    const std::string file = Phi("upper.phi", "objFile :runtime:GEOMETRIES:fig:upper:Fig.obj\n1 hip yzx\n");
    EXPECT_EQ(Tool({ "check", "--poser-dir", (root_ / "Poser").string(), file }),
              (Outcome { 0,
                         "0 Warning: Part 'abdomen' found in OBJ was not used, will be ignored by Poser\n"
                         "0 Warning: Part 'chest' found in OBJ was not used, will be ignored by Poser\n",
                         "" }));
}

TEST_F(WindowsFiles, NamesBeyondAsciiOpenThroughTheWideCharacterApi)
{
    // Latin-1 letters that the system's narrow code page may not hold: a-acute, eth, y-umlaut.
    const std::vector<std::string> names = { "\xe1.phi", "fig\xf0.phi", "\xff\xe9t\xe9.phi" };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string file = Phi(name, kUntidy);
        EXPECT_EQ(InProcess({ "tidy", file }), (Outcome { 0, kTidy, "" }));
        EXPECT_EQ(Tool({ "tidy", file }), (Outcome { 0, kTidy, "" }));
        EXPECT_EQ(Tool({ "tidy", "-i", file }), (Outcome { 0, "", "" }));
        EXPECT_EQ(ReadBytes(figure_ / varnoke::platform::NativePath(name)), kTidy);
    }
}

TEST_F(WindowsFiles, StandardOutputHasTheSameBytesAsOnLinux)
{
    // Line ends written as they are: CR LF from tidy, LF from check, and nothing added.
    const std::string file = Phi("fig.phi", kUntidy);
    EXPECT_EQ(Tool({ "tidy", file }), (Outcome { 0, kTidy, "" }));
    EXPECT_EQ(Tool({ "check", file }), (Outcome { 0, "Looks good!\n", "" }));
    EXPECT_EQ(Tool({ "check", "--format", "gnu", Phi("bad.phi", "1 hip xy\n") }).out,
              (figure_ / "bad.phi").string() + ":1: error: Part 'hip' was not found in an OBJ file\n"
                  + (figure_ / "bad.phi").string() + ":1: error: Rotations must be three characters long\n"
                  + (figure_ / "bad.phi").string() + ":1: error: Rotations must be of the form xyz\n");
    EXPECT_EQ(Tool({ "check", "--poser-dir", (root_ / "missing").string(), file }).err,
              "varnoke-cli: warning: the Poser folder " + (root_ / "missing").string() + " does not exist\n");
}

TEST_F(WindowsFiles, TidyInPlaceRefusesAReadOnlyFile)
{
    const std::string file = Phi("locked.phi", kUntidy);
    ASSERT_TRUE(::SetFileAttributesW(varnoke::testing::Wide(file).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Tool({ "tidy", "-i", file }), (Outcome { 2, "", "Cannot create file " + file + ": read-only\n" }));
    EXPECT_EQ(ReadBytes(file), kUntidy);
    EXPECT_NE(::GetFileAttributesW(varnoke::testing::Wide(file).c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(FilesInFigureFolder(), 2u) << "a temporary file is left";
}

TEST_F(WindowsFiles, TidyInPlaceKeepsTheAttributesAUserSets)
{
    const std::string file = Phi("hidden.phi", kUntidy);
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(::SetFileAttributesW(varnoke::testing::Wide(file).c_str(), attributes));
    EXPECT_EQ(Tool({ "tidy", "-i", file }), (Outcome { 0, "", "" }));
    EXPECT_EQ(ReadBytes(file), kTidy);
    EXPECT_EQ(::GetFileAttributesW(varnoke::testing::Wide(file).c_str()) & attributes, attributes);
}

TEST_F(WindowsFiles, TidyInPlaceOfAFileHeldOpenByAnotherProgramFailsAndLeavesItWhole)
{
    // Another program reads the file and lets others read it, but not rename or delete it.
    const std::string file = Phi("held.phi", kUntidy);
    const HANDLE held = ::CreateFileW(varnoke::testing::Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Outcome inProcess = InProcess({ "tidy", "-i", file });
    const Outcome tool = Tool({ "tidy", "-i", file });
    ::CloseHandle(held);
    for (const Outcome& run : { inProcess, tool }) {
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, testing::StartsWith("Cannot create file " + file + ": "));
        EXPECT_EQ(ReadBytes(file), kUntidy);
        EXPECT_EQ(FilesInFigureFolder(), 2u) << "a temporary file is left";
    }
    // Let go of, it is replaced.
    EXPECT_EQ(Tool({ "tidy", "-i", file }), (Outcome { 0, "", "" }));
    EXPECT_EQ(ReadBytes(file), kTidy);
}

TEST_F(WindowsFiles, AGeometryFileAnotherProgramHoldsWithoutSharingCannotBeOpened)
{
    const std::string file = Phi("fig.phi", kUntidy);
    const HANDLE held = ::CreateFileW((figure_ / "fig.obj").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Outcome run = Tool({ "check", "--poser-dir", (root_ / "Poser").string(), file });
    ::CloseHandle(held);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1),
              "1 Error: Couldn't open file:" + (figure_ / "fig.obj").string() + "\n");
}

TEST_F(WindowsFiles, DevicesAndFoldersDoNotOpenAsFiles)
{
    fs::create_directories(figure_ / "folder.phi");
    // Device names stay devices with any folder and extension.
    for (const std::string& name : { std::string("NUL"), std::string("CON"), (figure_ / "nul.phi").string(),
                                     (figure_ / "folder.phi").string() }) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Tool({ "check", name }), (Outcome { 2, "", "Cannot open file " + name + "\n" }));
    }
}

} // namespace

#endif
