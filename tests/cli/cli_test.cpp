// varnoke-cli on hierarchies in a temporary Poser folder: in this process through RunCli,
// and as the built program where exit statuses and the two output streams matter.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "file_bytes.h"
#include "hierarchy/platform.h"
#include "program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using testing::StartsWith;

using varnoke::testing::Outcome;

using varnoke::testing::LocalPath;
using varnoke::testing::ReadBytes;
using varnoke::testing::WriteBytes;

// The path as a JSON string holds it.
std::string JsonEscaped(const std::string& path)
{
    std::string escaped;
    for (const char c : path)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

#ifndef _WIN32
std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
#endif

// The JSON text without the white space between its tokens; "<not JSON>" when it is not valid
// JSON (numbers are taken as integers, all a report holds).
class JsonMinifier {
public:
    explicit JsonMinifier(std::string_view text)
        : text_(text)
    {
    }
    std::string Minified()
    {
        const bool valid = Value();
        Space();
        return valid && at_ == text_.size() ? out_ : "<not JSON>";
    }

private:
    void Space()
    {
        while (at_ < text_.size() && std::strchr(" \t\r\n", text_[at_]) && text_[at_] != '\0')
            ++at_;
    }
    bool Eat(char c)
    {
        Space();
        if (at_ >= text_.size() || text_[at_] != c)
            return false;
        out_ += text_[at_++];
        return true;
    }
    bool String()
    {
        if (!Eat('"'))
            return false;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (static_cast<unsigned char>(text_[at_]) < 0x20)
                return false;
            if (text_[at_] == '\\') {
                out_ += text_[at_++];
                if (at_ >= text_.size() || !std::strchr("\"\\/bfnrtu", text_[at_]) || text_[at_] == '\0')
                    return false;
                const std::string_view hex = text_.substr(at_ + 1, 4);
                if (text_[at_] == 'u'
                    && (hex.size() != 4 || hex.find_first_not_of("0123456789abcdefABCDEF") != hex.npos))
                    return false;
            }
            out_ += text_[at_++];
        }
        return Eat('"');
    }
    bool Value()
    {
        Space();
        if (at_ < text_.size() && text_[at_] == '"')
            return String();
        if (at_ < text_.size() && (text_[at_] == '{' || text_[at_] == '[')) {
            const bool object = text_[at_] == '{';
            Eat(text_[at_]);
            const char close = object ? '}' : ']';
            if (Eat(close))
                return true;
            do {
                if ((object && !(String() && Eat(':'))) || !Value())
                    return false;
            } while (Eat(','));
            return Eat(close);
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '-'))
            ++at_;
        const std::string_view word = text_.substr(start, at_ - start);
        out_ += word;
        return word == "true" || word == "false" || word == "null"
            || (!word.empty() && word.find_first_not_of("-0123456789") == std::string_view::npos);
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string out_;
};

const char* const kFigureObj = "g hip\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"
                               "g abdomen\ng chest\ng lThigh\ng lShin\ng lFoot\ng lHand\n";
const std::string kUnusedHand = "0 Warning: Part 'lHand' found in OBJ was not used, will be ignored by Poser\n";

// The figure of fig.obj, untidy (no indentation); line 3 turns the abdomen in the given order,
// and lHand is left out unless asked for.
std::string Figure(const std::string& abdomenRotation, bool withHand = false)
{
    return "objFile :Runtime:Geometries:Fig:fig.obj\n1 hip yzx\n2 abdomen " + abdomenRotation
        + " curve\n3 chest yzx\n2 lThigh yzx\n3 lShin yzx\n4 lFoot zxy\n" + (withHand ? "5 lHand xyz\n" : "")
        + "ikChain leftLeg lThigh lShin lFoot\n";
}

class Cli : public testing::Test {
protected:
    Cli()
    {
        root_ = varnoke::testing::NewTemporaryFolder("varnoke-cli-test-");
        figure_ = root_ / "Poser" / "Runtime" / "Geometries" / "Fig";
        WriteBytes(figure_ / "fig.obj", kFigureObj);
    }
    ~Cli() override
    {
        std::error_code error;
        fs::remove_all(root_, error);
    }

    // A file of the figure's folder in the Poser folder.
    std::string Phi(const std::string& name, std::string_view text) const
    {
        return varnoke::testing::WriteNamedFile(figure_, name, text);
    }

    // varnoke-cli in this process, as if installed in root/prog.
    Outcome InProcess(const std::vector<std::string>& arguments,
                      const varnoke::files::BeforeReplacing& beforeReplacing = {}) const
    {
        return varnoke::testing::RunInProcess(arguments, root_ / "prog" / "varnoke-cli", beforeReplacing);
    }

    // The built varnoke-cli, run in the working folder when one is given; on POSIX systems by
    // the shell after the shell commands of `setup`.
    Outcome Tool(const std::vector<std::string>& arguments, const fs::path& workingFolder = {},
                 [[maybe_unused]] const std::string& setup = "") const
    {
        const fs::path out = root_ / "stdout", err = root_ / "stderr";
#ifdef _WIN32
        std::vector<std::string> all = { VARNOKE_CLI_PATH };
        all.insert(all.end(), arguments.begin(), arguments.end());
        const int status = varnoke::testing::RunProgram(all, out, err, workingFolder);
        return { status, ReadBytes(out), ReadBytes(err) };
#else
        std::string command = setup + (workingFolder.empty() ? "" : "cd " + Quoted(workingFolder.string()) + " && ")
            + "exec " + Quoted(VARNOKE_CLI_PATH);
        for (const std::string& argument : arguments)
            command += ' ' + Quoted(argument);
        command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
        const int status = std::system(command.c_str());
        return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err) };
#endif
    }

    fs::path root_, figure_; // the temporary folder, and the figure's folder in its Poser folder
};

TEST_F(Cli, ListShowsTheEntriesAsTheWindowDoes)
{
    EXPECT_EQ(InProcess({ "check", Phi("good.phi", Figure("yzx", true)) }), (Outcome { 0, "Looks good!\n", "" }));
    EXPECT_EQ(InProcess({ "check", "--format", "list", Phi("bad.phi", Figure("xzz")) }),
              (Outcome { 1, "3 Error: Rotations must be of the form xyz\n" + kUnusedHand, "" }));
    // Warnings alone pass, and stand in place of "Looks good!".
    EXPECT_EQ(InProcess({ "check", Phi("warned.phi", Figure("yzx")) }), (Outcome { 0, kUnusedHand, "" }));
    // An OBJ file, in any letter case, is shown as text and not tested: it does not pass.
    EXPECT_EQ(InProcess({ "check", Phi("FIG.OBJ", kFigureObj) }), (Outcome { 1, "OBJ file not tested\n", "" }));
}

TEST_F(Cli, SeveralFilesGetHeadersAndUnreadableOnesGoToStandardError)
{
    const std::string good = Phi("good.phi", Figure("yzx", true)), bad = Phi("bad.phi", Figure("xzz"));
    const std::string missing = (root_ / "missing.phi").string(), folder = figure_.string();
    EXPECT_EQ(InProcess({ "check", good, missing, bad, folder }),
              (Outcome { 2,
                         "==> " + good + " <==\nLooks good!\n\n==> " + bad
                             + " <==\n3 Error: Rotations must be of the form xyz\n" + kUnusedHand,
                         "Cannot open file " + missing + "\nCannot open file " + folder + "\n" }));
}

TEST_F(Cli, GnuFormatWritesNumberedEntriesOnly)
{
    const std::string first = Phi("first.phi", "1 ghost xyz\n");
    EXPECT_EQ(InProcess({ "check", "--format", "gnu", first }),
              (Outcome { 1, first + ":1: error: Part 'ghost' was not found in an OBJ file\n", "" }));
    const std::string bad = Phi("bad.phi", Figure("xy"));
    EXPECT_EQ(InProcess({ "check", "--format", "gnu", Phi("good.phi", Figure("yzx", true)), bad,
                          Phi("fig.obj.OBJ", kFigureObj) }),
              (Outcome { 1,
                         bad + ":3: error: Rotations must be three characters long\n" + bad
                             + ":3: error: Rotations must be of the form xyz\n" + bad
                             + ": warning: Part 'lHand' found in OBJ was not used, will be ignored by Poser\n",
                         "" }));
}

TEST_F(Cli, JsonIsOneValidDocumentWithLatin1ReadAsUnicode)
{
    const std::string warned = Phi("warned.phi", Figure("yzx"));
    // A part name with a quote, a backslash, a control character and a Latin-1 u-umlaut, in a file
    // whose name holds a Latin-1 e-acute.
    const std::string odd = Phi("\xe9.phi", "1 q\"\\\x01\xfc yzx\n");
    const std::string obj = Phi("fig.Obj", kFigureObj);
    const Outcome run = InProcess({ "check", "--format", "json", warned, odd, obj });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(JsonMinifier(run.out).Minified(),
              "[{\"file\":\"" + JsonEscaped(warned)
                  + "\",\"errors\":0,\"warnings\":1,\"tested\":true,\"diagnostics\":[{\"line\":0,\"severity\":"
                    "\"warning\",\"message\":\"Part 'lHand' found in OBJ was not used, will be ignored by Poser\"}]},"
                    "{\"file\":\""
                  + JsonEscaped(figure_.string() + LocalPath("/"))
                  + "\xc3\xa9.phi\",\"errors\":1,\"warnings\":0,\"tested\":true,\"diagnostics\":[{\"line\":1,"
                    "\"severity\":\"error\",\"message\":\"Part 'q\\\"\\\\\\u0001\xc3\xbc' was not found in an OBJ "
                    "file\"}]},{\"file\":\""
                  + JsonEscaped(obj)
                  + "\",\"errors\":0,\"warnings\":0,\"tested\":false,\"diagnostics\":[{\"line\":0,\"severity\":"
                    "\"note\",\"message\":\"OBJ file not tested\"}]}]");
    const Outcome none = InProcess({ "check", "--format", "json", (root_ / "missing.phi").string() });
    EXPECT_EQ(none.status, 2);
    // A file that cannot be read has its object too, untested, with a text that says why.
    const std::string missing = JsonMinifier(none.out).Minified();
    const std::string head = "[{\"file\":\"" + JsonEscaped((root_ / "missing.phi").string())
        + "\",\"errors\":0,\"warnings\":0,\"tested\":false,\"diagnostics\":[],\"error\":\"";
    EXPECT_THAT(missing, StartsWith(head));
    EXPECT_GT(missing.size(), head.size() + 3) << "the error text is empty";
    EXPECT_THAT(missing, testing::EndsWith("\"}]"));
}

TEST_F(Cli, WrongCommandLinesExitWithTwoAndUsage)
{
    const std::string good = Phi("good.phi", Figure("yzx", true));
    const std::vector<std::vector<std::string>> wrong {
        {},
        { "frobnicate", good },
        { "check" },
        { "check", "--format", "xml", good },
        { "check", "--format" },
        { "check", "--bogus", good },
        { "check", "-i", good },
        { "check", "--poser-dir" },
        { "tidy", good, good },
        { "tidy", "--format", "gnu", good },
    };
    for (const std::vector<std::string>& arguments : wrong) {
        const Outcome run = InProcess(arguments);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(run.out, "") << testing::PrintToString(arguments);
        EXPECT_THAT(run.err, testing::HasSubstr("varnoke-cli check")) << testing::PrintToString(arguments);
    }
    EXPECT_THAT(InProcess({ "--help" }).out, testing::HasSubstr("varnoke-cli tidy"));
    EXPECT_EQ(InProcess({ "--help" }).status, 0);
}

TEST_F(Cli, ProgramKeepsItsStreamsApartAndExitsWithTheStatus)
{
    const std::string good = Phi("good.phi", Figure("yzx", true)), missing = (root_ / "missing.phi").string();
    EXPECT_EQ(Tool({ "check", good }), (Outcome { 0, "Looks good!\n", "" }));
    EXPECT_EQ(Tool({ "check", "--format", "gnu", Phi("bad.phi", Figure("yxx")) }).status, 1);
    EXPECT_EQ(Tool({ "check", missing, good }),
              (Outcome { 2, "==> " + good + " <==\nLooks good!\n", "Cannot open file " + missing + "\n" }));
    const Outcome wrong = Tool({ "check" });
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_NE(wrong.err, "");
}

TEST_F(Cli, PoserDirIsUsedAsTypedLessATrailingSeparator)
{
    const std::string lost = Phi("lost.phi", "objFile :Runtime:Geometries:Fig:lost.obj\n");
    const std::string typed = (root_ / "Poser/../Poser").string();
    EXPECT_EQ(InProcess({ "check", "--poser-dir", typed + "/", lost }).out,
              "1 Error: Couldn't open file:" + typed + LocalPath("/Runtime/Geometries/Fig/lost.obj") + "\n");
    // An option's value may also follow it after '='.
    EXPECT_EQ(InProcess({ "check", "--poser-dir=" + typed, "--format=gnu", lost }).out,
              lost + ":1: error: Couldn't open file:" + typed + LocalPath("/Runtime/Geometries/Fig/lost.obj") + "\n");
    EXPECT_EQ(Tool({ "check", "--poser-dir", "Poser/", lost }, root_).out,
              "1 Error: Couldn't open file:Poser" + LocalPath("/Runtime/Geometries/Fig/lost.obj") + "\n");
    // The option wins over the Poser folder that holds the file.
    fs::create_directories(root_ / "Empty");
    EXPECT_THAT(InProcess({ "check", "--poser-dir", (root_ / "Empty").string(), Phi("good.phi", Figure("yzx")) }).out,
                StartsWith("1 Error: Couldn't open file:" + root_.string()
                           + LocalPath("/Empty/Runtime/Geometries/Fig/fig.obj")
                           + "\n2 Error: Part 'hip' was not found in an OBJ file\n"));
}

TEST_F(Cli, NearestFolderAboveTheFileWithARuntimeFolderInAnyCase)
{
    // An inner Poser folder, inside the outer one, whose runtime folder is spelled in capitals and
    // whose fig.obj has a part the outer one lacks.
    const fs::path inner = figure_ / "Inner";
    WriteBytes(inner / "RUNTIME/Geometries/Fig/fig.obj", "g tail\n");
    const std::string tail = "objFile :Runtime:Geometries:Fig:fig.obj\n1 tail xyz\n";
    WriteBytes(inner / "RUNTIME/Geometries/Fig/tail.phi", tail);
    WriteBytes(inner / "tail.phi", tail);
    EXPECT_EQ(
        InProcess({ "check", (inner / "RUNTIME/Geometries/Fig/tail.phi").string(), (inner / "tail.phi").string() }).out,
        "==> " + (inner / "RUNTIME/Geometries/Fig/tail.phi").string() + " <==\nLooks good!\n\n==> "
            + (inner / "tail.phi").string() + " <==\nLooks good!\n");
    // A folder found above a relative FILE is named absolute.
    WriteBytes(inner / "RUNTIME/lost.phi", "objFile :Runtime:Geometries:lost.obj\n");
    EXPECT_EQ(Tool({ "check", "Poser/Runtime/Geometries/Fig/Inner/RUNTIME/lost.phi" }, root_).out,
              "1 Error: Couldn't open file:" + inner.string() + LocalPath("/Runtime/Geometries/lost.obj") + "\n");
}

TEST_F(Cli, ProgramFolderIsTheLastResort)
{
    WriteBytes(root_ / "prog/Runtime/Geometries/Fig/fig.obj", kFigureObj);
    WriteBytes(root_ / "loose/good.phi", Figure("yzx", true));
    WriteBytes(root_ / "loose/lost.phi", "objFile :Runtime:lost.obj\n");
    EXPECT_EQ(InProcess({ "check", (root_ / "loose/good.phi").string() }), (Outcome { 0, "Looks good!\n", "" }));
    EXPECT_EQ(InProcess({ "check", (root_ / "loose/lost.phi").string() }).out,
              "1 Error: Couldn't open file:" + root_.string() + LocalPath("/prog/Runtime/lost.obj") + "\n");
    // The built program's folder holds the sample figure, so the sample tests clean anywhere.
    fs::copy_file(VARNOKE_EXAMPLES_DIR "/Runtime/Geometries/Mannikin/mannikin.phi", root_ / "loose/mannikin.phi");
    EXPECT_EQ(Tool({ "check", (root_ / "loose/mannikin.phi").string() }), (Outcome { 0, "Looks good!\n", "" }));
}

// Started by its bare name through PATH, or through a symbolic link, the program still
// finds its own folder, which holds the sample figure.
TEST_F(Cli, ProgramFolderIsFoundHoweverTheProgramIsStarted)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links and a search path of the POSIX shell";
#else
    const fs::path program = VARNOKE_CLI_PATH;
    fs::create_directories(root_ / "links");
    fs::create_symlink(program, root_ / "links" / "vcli");
    fs::create_directory_symlink(program.parent_path(), root_ / "linked-folder");
    fs::copy_file(VARNOKE_EXAMPLES_DIR "/Runtime/Geometries/Mannikin/mannikin.phi", root_ / "mannikin.phi");
    const struct {
        const char* name;
        std::string command; // run in root_
    } ways[] = {
        { "bare name through PATH",
          "PATH=" + Quoted(program.parent_path().string()) + ":\"$PATH\" exec " + Quoted(program.filename().string()) },
        { "link by its path", "exec links/vcli" },
        { "link by bare name through PATH", "PATH=\"$PWD/links:$PATH\" exec vcli" },
        { "through a linked folder", "exec linked-folder/" + Quoted(program.filename().string()) },
    };
    for (const auto& way : ways) {
        const fs::path out = root_ / "stdout", err = root_ / "stderr";
        const std::string command = "cd " + Quoted(root_.string()) + " && " + way.command + " check mannikin.phi >"
            + Quoted(out.string()) + " 2>" + Quoted(err.string());
        const int status = std::system(command.c_str());
        EXPECT_EQ((Outcome { WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err) }),
                  (Outcome { 0, "Looks good!\n", "" }))
            << way.name;
    }
#endif
}

TEST_F(Cli, BundledExampleLooksGoodAndIsTidy)
{
    const std::string example = VARNOKE_EXAMPLES_DIR "/Runtime/Geometries/Mannikin/mannikin.phi";
    EXPECT_EQ(Tool({ "check", example }), (Outcome { 0, "Looks good!\n", "" }));
    // The sample is kept as the window would save it after a test: tidying changes no byte.
    EXPECT_EQ(Tool({ "tidy", example }), (Outcome { 0, ReadBytes(example), "" }));
}

TEST_F(Cli, TidyWritesTheTestedTextWithCrLfLineEnds)
{
    // Level lines get one tab per level below the first; comment, objFile and ikChain lines lose
    // their indentation; a blank line and an illegal line (an error) stay as they are.
    const std::vector<std::string> lines { "  # legs",    " objFile :Runtime:Geometries:Fig:fig.obj",
                                           "1 hip yzx",   "    2 lThigh yzx",
                                           "3 lShin yzx", "\t\t\t\t4 lFoot zxy",
                                           "   ",         "",
                                           "  oops",      "\tikChain leftLeg lThigh lShin lFoot" };
    const std::string tidied = "# legs\r\nobjFile :Runtime:Geometries:Fig:fig.obj\r\n1 hip yzx\r\n\t2 lThigh yzx\r\n"
                               "\t\t3 lShin yzx\r\n\t\t\t4 lFoot zxy\r\n   \r\n\r\n  oops\r\n"
                               "ikChain leftLeg lThigh lShin lFoot";
    for (const std::string lineEnd : { "\n", "\r", "\r\n" }) {
        std::string text = lines.front();
        for (std::size_t i = 1; i < lines.size(); ++i)
            text += lineEnd + lines[i];
        EXPECT_EQ(InProcess({ "tidy", Phi("open.phi", text) }), (Outcome { 1, tidied, "" }));
        EXPECT_EQ(InProcess({ "tidy", Phi("closed.phi", text + lineEnd) }), (Outcome { 1, tidied + "\r\n", "" }));
    }
    EXPECT_EQ(InProcess({ "tidy", Phi("good.phi", Figure("yzx", true)) }).status, 0);
    EXPECT_EQ(InProcess({ "tidy", Phi("empty.phi", "") }), (Outcome { 0, "", "" }));
}

TEST_F(Cli, TidyInPlaceReplacesOnlyChangedFiles)
{
    const std::string messy = Phi("messy.phi", Figure("yzx", true));
    const std::string tidied = InProcess({ "tidy", messy }).out;
    ASSERT_THAT(tidied, StartsWith("objFile :Runtime:Geometries:Fig:fig.obj\r\n1 hip yzx\r\n\t2 abdomen"));
    const std::string tidy = Phi("tidy.phi", tidied), missing = (root_ / "missing.phi").string();
    fs::permissions(messy, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::optional<std::uint64_t> before = varnoke::testing::FileIdentity(tidy);
    ASSERT_TRUE(before);

    EXPECT_EQ(InProcess({ "tidy", "-i", messy, missing, tidy }),
              (Outcome { 2, "", "Cannot open file " + missing + "\n" }));
    EXPECT_EQ(ReadBytes(messy), tidied);
#ifndef _WIN32 // Windows has no such permission bits
    EXPECT_EQ(fs::status(messy).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    EXPECT_EQ(varnoke::testing::FileIdentity(tidy), before) << "an unchanged file was written anew";
    EXPECT_EQ(std::distance(fs::directory_iterator(figure_), fs::directory_iterator()), 3)
        << "a temporary file is left";
}

TEST_F(Cli, FailedTidyInPlaceLeavesTheFileWhole)
{
    std::string text = Figure("yzx", true);
    for (int i = 0; i < 100; ++i)
        text += "  # a comment that makes the file outgrow one block\n";
    const std::string file = Phi("big.phi", text);
    const auto leftWhole = [&] {
        EXPECT_EQ(ReadBytes(file), text);
        EXPECT_EQ(std::distance(fs::directory_iterator(figure_), fs::directory_iterator()), 2);
    };
#ifdef _WIN32
    GTEST_SKIP() << "file size limits and folder permissions are POSIX; Windows has its own cases";
#endif
    // Past the file size limit the write fails, where the limit's signal would end the program.
    EXPECT_EQ(Tool({ "tidy", "-i", file }, {}, "ulimit -f 1; "),
              (Outcome { 2, "", "Cannot create file " + file + ": " + std::strerror(EFBIG) + "\n" }));
    leftWhole();
    // So does standard output, as on a full disk.
    EXPECT_EQ(Tool({ "tidy", file }, {}, "ulimit -f 1; ").status, 2);
#ifndef _WIN32
    if (::geteuid() != 0) { // the superuser writes into read-only folders all the same
        fs::permissions(figure_, fs::perms::owner_read | fs::perms::owner_exec);
        const Outcome run = InProcess({ "tidy", "-i", file });
        fs::permissions(figure_, fs::perms::owner_all);
        EXPECT_EQ(run, (Outcome { 2, "", "Cannot create file " + file + ": " + std::strerror(EACCES) + "\n" }));
        leftWhole();
    }
#endif
}

TEST_F(Cli, GenerateWritesTheTestedFirstHierarchy)
{
    WriteBytes(figure_ / "body.obj", "g hip\ng abdomen\ng chest\ng lThigh\ng rThigh\ng lShin\ng rShin\n");
    const std::string header = "#This file generated by Varnoke V2.0\r\nobjFile :Runtime:Geometries:Fig:body.obj\r\n";
    EXPECT_EQ(InProcess({ "generate", (figure_ / "body.obj").string() }),
              (Outcome { 0,
                         header
                             + "1 hip yxz\r\n\t2 abdomen yxz\r\n\t\t3 chest xyz\r\n\t2 lShin xyz\r\n\t\t3 lThigh "
                               "xyz\r\n\t2 rShin xyz\r\n\t\t3 rThigh xyz\r\n",
                         "" }));
    // The Poser path comes from the absolute path, as a file dialog gives it; the relative one is resolved.
    const fs::path workingFolder = fs::current_path();
    fs::current_path(figure_);
    const std::string relative = InProcess({ "generate", "fig.obj" }).out;
    fs::current_path(workingFolder);
    EXPECT_THAT(relative,
                StartsWith("#This file generated by Varnoke V2.0\r\nobjFile :Runtime:Geometries:Fig:fig.obj\r\n"));
    // A generated hierarchy that fails its test exits 1: the file lies outside any Runtime folder.
    // Why goes to standard error, as check would list the diagnostics of the text written.
    WriteBytes(root_ / "loose.obj", "g hip\n");
    const Outcome loose = InProcess({ "generate", "--poser-dir", root_.string(), (root_ / "loose.obj").string() });
    EXPECT_EQ(loose.status, 1);
    const Outcome checked = InProcess({ "check", "--poser-dir", root_.string(), Phi("loose.phi", loose.out) });
    EXPECT_THAT(checked.out, testing::HasSubstr("Error"));
    EXPECT_EQ(loose.err, checked.out);
    EXPECT_EQ(InProcess({ "generate", "missing.obj" }), (Outcome { 2, "", "Couldn't open file:missing.obj\n" }));
#ifndef _WIN32 // where the file system ignores letter case, it opens
    // The file is taken as named: its name makes the objFile line, so another letter case does not do.
    const std::string otherCase = (figure_ / "BODY.OBJ").string();
    EXPECT_EQ(InProcess({ "generate", otherCase }), (Outcome { 2, "", "Couldn't open file:" + otherCase + "\n" }));
#endif
}

} // namespace

namespace {

// The entries of a folder other than the given files: temporary files left behind.
std::vector<std::string> Leftovers(const fs::path& folder, const std::vector<std::string>& files)
{
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (std::find(files.begin(), files.end(), entry.path().string()) == files.end())
            left.push_back(entry.path().filename().string());
    }
    return left;
}

} // namespace

TEST_F(Cli, TidyInPlaceKeepsOwnerGroupModeAndAttributes)
{
#ifdef _WIN32
    GTEST_SKIP() << "owners, groups, mode bits and extended attributes are POSIX";
#else
    const std::string file = Phi("owned.phi", Figure("yzx", true));
    const std::string tidied = InProcess({ "tidy", file }).out;
    // As root the file can belong to anyone; otherwise to its user only.
    const uid_t owner = ::geteuid() == 0 ? 4321 : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? 8765 : ::getegid();
    ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
    ASSERT_EQ(::chmod(file.c_str(), 06751), 0);
    const bool attributes = ::setxattr(file.c_str(), "user.varnoke", "kept", 4, 0) == 0;

    EXPECT_EQ(InProcess({ "tidy", "-i", file }), (Outcome { 0, "", "" }));
    EXPECT_EQ(ReadBytes(file), tidied);
    struct stat after { };
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, owner);
    EXPECT_EQ(after.st_gid, group);
    EXPECT_EQ(after.st_mode & 07777, 06751u);
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(file.c_str(), "user.varnoke", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    }
#endif
}

TEST_F(Cli, TidyInPlaceLeavesAloneWhatItMustNotRewrite)
{
    using namespace std::string_literals;
    const std::string messy = Figure("yzx", true);
    const std::string readOnly = Phi("locked.phi", messy);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string obj = Phi("mesh.OBJ", "  g hip\nv 0 0 0\n"), binary = Phi("binary.phi", messy + "\0\n"s);
    struct Case {
        std::string file, text;
        int status;
    };
    for (const Case& refused :
         { Case { readOnly, messy, 2 }, Case { obj, "  g hip\nv 0 0 0\n", 1 }, Case { binary, messy + "\0\n"s, 2 } }) {
        SCOPED_TRACE(refused.file);
        const Outcome run = InProcess({ "tidy", "-i", refused.file });
        EXPECT_EQ(run.status, refused.status);
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, testing::HasSubstr(refused.file));
        EXPECT_EQ(ReadBytes(refused.file), refused.text);
    }
    // An editor's words for a file it may not save.
    EXPECT_EQ(InProcess({ "tidy", "-i", readOnly }).err, "Cannot create file " + readOnly + ": read-only\n");
    EXPECT_THAT(Leftovers(figure_, { readOnly, obj, binary, (figure_ / "fig.obj").string() }), testing::IsEmpty());
}

TEST_F(Cli, TidyInPlaceLeavesAFileThatChangedWhileItWasTidied)
{
    const std::string messy = Figure("yzx", true);
    std::string sameSize = messy;
    sameSize.front() = '#';
    constexpr std::int64_t kSecond = 1'700'000'000;
    struct Case {
        std::string name, changed;
        std::function<void(const std::string& path)> change;
    };
    const std::vector<Case> changes {
        { "grown.phi", messy + "# added\n",
          [](const std::string& path) { std::ofstream(path, std::ios::app | std::ios::binary) << "# added\n"; } },
        // Another program's rewrite at the same size in the same second: only the fraction
        // of the second of its modification time tells.
        { "rewritten.phi", sameSize,
          [&](const std::string& path) {
              WriteBytes(path, sameSize);
              ASSERT_TRUE(varnoke::testing::SetModificationTime(path, kSecond, 200'000'000));
          } },
    };
    for (const Case& change : changes) {
        SCOPED_TRACE(change.name);
        const std::string file = Phi(change.name, messy);
        ASSERT_TRUE(varnoke::testing::SetModificationTime(file, kSecond, 100'000'000));
        const Outcome run = InProcess({ "tidy", "-i", file }, change.change);
        EXPECT_EQ(run.status, 2);
        EXPECT_THAT(run.err, testing::HasSubstr(file));
        EXPECT_EQ(ReadBytes(file), change.changed);
        fs::remove(file);
    }
    EXPECT_THAT(Leftovers(figure_, { (figure_ / "fig.obj").string() }), testing::IsEmpty());
}

// The numbers a text gives, those of the path left out.
std::vector<unsigned long> NumbersIn(std::string text, const std::string& path)
{
    for (std::size_t at; (at = text.find(path)) != std::string::npos;)
        text.erase(at, path.size());
    std::vector<unsigned long> numbers;
    for (std::size_t at = 0; (at = text.find_first_of("0123456789", at)) != std::string::npos;) {
        std::size_t length = 0;
        numbers.push_back(std::stoul(text.substr(at), &length));
        at += length;
    }
    return numbers;
}

TEST_F(Cli, TidyInPlaceWarnsThatOtherHardLinksKeepTheOldText)
{
    const std::string messy = Figure("yzx", true);
    const std::string tidied = InProcess({ "tidy", Phi("plain.phi", messy) }).out;
    for (const unsigned long others : { 1, 2 }) {
        SCOPED_TRACE(others);
        const std::string file = Phi("linked" + std::to_string(others) + ".phi", messy);
        std::vector<fs::path> links;
        for (unsigned long i = 0; i < others; ++i) {
            links.push_back(root_ / ("other" + std::to_string(others) + "-" + std::to_string(i) + ".phi"));
            fs::create_hard_link(file, links.back());
        }
        const Outcome run = InProcess({ "tidy", "-i", file });
        EXPECT_EQ(run.status, 0);
        EXPECT_THAT(run.err, testing::HasSubstr(file));
        EXPECT_EQ(NumbersIn(run.err, file), std::vector { others });
        EXPECT_EQ(ReadBytes(file), tidied);
        for (const fs::path& link : links)
            EXPECT_EQ(ReadBytes(link), messy);
    }
}

TEST_F(Cli, AnUnreadableFileMakesTheStatusTwoWhateverTheOrder)
{
    const std::string bad = Phi("bad.phi", Figure("xzz")), missing = (root_ / "missing.phi").string();
    for (const std::vector<std::string>& command : { std::vector<std::string> { "check" }, { "tidy", "-i" } }) {
        for (const std::vector<std::string>& files : { std::vector { bad, missing }, { missing, bad } }) {
            std::vector<std::string> arguments = command;
            arguments.insert(arguments.end(), files.begin(), files.end());
            EXPECT_EQ(InProcess(arguments).status, 2) << testing::PrintToString(arguments);
        }
    }
}

TEST_F(Cli, AFailedWriteToStandardOutputIsReportedForEveryCommand)
{
#ifdef _WIN32
    GTEST_SKIP() << "/dev/full, a file that is always full, is POSIX";
#else
    const std::string good = Phi("good.phi", Figure("yzx", true));
    const std::vector<std::vector<std::string>> commands {
        { "check", good }, { "check", "--format", "json", good },
        { "tidy", good },  { "generate", (figure_ / "fig.obj").string() },
        { "--help" },      { "--version" },
    };
    const fs::path err = root_ / "stderr";
    for (const std::vector<std::string>& arguments : commands) {
        std::string command = "exec " + Quoted(VARNOKE_CLI_PATH);
        for (const std::string& argument : arguments)
            command += ' ' + Quoted(argument);
        const int status = std::system((command + " >/dev/full 2>" + Quoted(err.string())).c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << testing::PrintToString(arguments);
        EXPECT_NE(ReadBytes(err), "") << testing::PrintToString(arguments);
    }
#endif
}

TEST_F(Cli, RunningOutOfMemoryOrThreadsEndsWithAMessageAndStatusTwo)
{
    std::ostringstream err;
    EXPECT_EQ(varnoke::cli::ExitStatusOf([]() -> int { throw std::bad_alloc(); }, err), 2);
    EXPECT_THAT(err.str(), testing::HasSubstr("not enough memory"));
    err.str("");
    EXPECT_EQ(
        varnoke::cli::ExitStatusOf(
            []() -> int { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); },
            err),
        2);
    EXPECT_NE(err.str(), "");
    EXPECT_EQ(varnoke::cli::ExitStatusOf([] { return 1; }, err), 1);
}

TEST_F(Cli, UnderAMemoryLimitEveryCommandEndsWithAMessageNotAnAbort)
{
#ifdef _WIN32
    GTEST_SKIP() << "the memory limit is set with the POSIX shell's ulimit";
#endif
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer ends the program at a failed allocation instead of throwing";
#endif
    // Millions of short lines, each of which becomes a string of its own.
    std::string many;
    for (int i = 0; i < 3000000; ++i)
        many += "1 p" + std::to_string(i % 10) + " xyz\n";
    const std::string phi = Phi("many.phi", many);
    std::string groups;
    for (int i = 0; i < 1500000; ++i)
        groups += "g part" + std::to_string(i) + "\n";
    WriteBytes(figure_ / "many.obj", groups);
    const std::vector<std::vector<std::string>> commands {
        { "check", phi }, { "tidy", phi }, { "tidy", "-i", phi }, { "generate", (figure_ / "many.obj").string() }
    };
    for (const std::vector<std::string>& arguments : commands) {
        const Outcome run = Tool(arguments, {}, "ulimit -v 150000; ");
        EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments) << ' ' << run.err;
        EXPECT_THAT(run.err, testing::HasSubstr("not enough memory")) << testing::PrintToString(arguments);
    }
    EXPECT_EQ(ReadBytes(phi), many);
}
