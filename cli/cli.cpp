#include "cli/cli.h"

#include "cli/command_line.h"
#include "cli/file_check.h"
#include "cli/generate_command.h"
#include "cli/poser_folder.h"
#include "cli/read_failure.h"
#include "cli/replace_file.h"
#include "cli/reports.h"
#include "hierarchy/folder_listings.h"
#include "hierarchy/hierarchy_check.h"
#include "hierarchy/platform.h"

#include <algorithm>
#include <filesystem>
#include <list>
#include <new>
#include <system_error>

namespace varnoke::cli {

namespace {

// What the files of one run share: the Poser folder found above each folder, and the
// listings of the folders searched for names in another letter case.
struct RunFolders {
    PoserFolderChooser poserFolders;
    FolderListings listings;
};

// The tests of all files, and the exit status they make together.
struct TestRun {
    std::list<FileTest> tests;
    std::vector<FileReport> reports;
    int status = kPassed;
};

TestRun TestFiles(const CommandLine& line, const std::string& programPath, std::ostream& err)
{
    TestRun run;
    RunFolders folders { { line.poserDir, programPath }, {} };
    for (const std::string& file : line.files) {
        files::WholeFile content = files::ReadWholeFile(file);
        if (content.failure != files::ReadFailure::None) {
            err << ReadFailureMessage(file, content.failure) << '\n';
            run.status = kUsageOrUnreadable;
            run.reports.push_back(
                { file, nullptr,
                  content.failure == files::ReadFailure::NotEnoughMemory ? "not enough memory" : "cannot be opened" });
            continue;
        }
        content.file.reset();
        run.tests.push_back(TestText(std::move(content.bytes), file, folders.poserFolders.For(file), folders.listings));
        if (!run.tests.back().passed)
            run.status = std::max<int>(run.status, kFailed);
        run.reports.push_back({ file, &run.tests.back(), {} });
    }
    return run;
}

int Check(const CommandLine& line, const std::string& programPath, std::ostream& out, std::ostream& err)
{
    const TestRun run = TestFiles(line, programPath, err);
    switch (line.format) {
    case ReportFormat::List:
        WriteListReport(out, run.reports, line.files.size() > 1);
        break;
    case ReportFormat::Gnu:
        WriteGnuReport(out, run.reports);
        break;
    case ReportFormat::Json:
        WriteJsonReport(out, run.reports);
        break;
    }
    return run.status;
}

// Tidies one file in place; the exit status of that file.
int TidyInPlace(const std::string& file, RunFolders& folders, std::ostream& err,
                const files::BeforeReplacing& beforeReplacing)
{
    files::WholeFile content = files::ReadWholeFile(file);
    if (content.failure != files::ReadFailure::None) {
        err << ReadFailureMessage(file, content.failure) << '\n';
        return kUsageOrUnreadable;
    }
    // Neither is a hierarchy the test rewrites: CR LF line ends would spoil them.
    if (IsObjFileName(file)) {
        err << "File " << file << " is an OBJ file, which is not tested; it is left as it is\n";
        return kFailed;
    }
    if (content.bytes.find('\0') != std::string::npos) {
        err << "File " << file << " is not text (it holds a NUL byte); it is left as it is\n";
        return kUsageOrUnreadable;
    }
    const FileTest test = TestText(std::string(content.bytes), file, folders.poserFolders.For(file), folders.listings);
    const int status = test.passed ? kPassed : kFailed;
    const std::string tidied = JoinDocumentText(test.text);
    if (tidied == content.bytes)
        return status;
    return std::max(status, ReplaceFile(file, content, tidied, err, beforeReplacing));
}

int Tidy(const CommandLine& line, const std::string& programPath, std::ostream& out, std::ostream& err,
         const files::BeforeReplacing& beforeReplacing)
{
    if (!line.inPlace) {
        TestRun run = TestFiles(line, programPath, err);
        for (const FileReport& report : run.reports) {
            if (report.test)
                out << JoinDocumentText(report.test->text);
        }
        return run.status;
    }
    // One file at a time, each read, tested and replaced before the next is opened.
    RunFolders folders { { line.poserDir, programPath }, {} };
    int status = kPassed;
    for (const std::string& file : line.files)
        status = std::max(status, TidyInPlace(file, folders, err, beforeReplacing));
    return status;
}

int Run(const std::vector<std::string>& arguments, const std::string& programPath, std::ostream& out, std::ostream& err,
        const files::BeforeReplacing& beforeReplacing)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.commandLine) {
        err << "varnoke-cli: " << parsed.error << "\n\n" << kUsage;
        return kUsageOrUnreadable;
    }
    const CommandLine& line = *parsed.commandLine;
    if (line.poserDir) {
        // Not fatal: the geometry files then cannot be opened, which the diagnostics say.
        std::error_code error;
        if (!std::filesystem::is_directory(platform::NativePath(*line.poserDir), error))
            err << "varnoke-cli: warning: the Poser folder " << *line.poserDir << " does not exist\n";
    }
    switch (line.command) {
    case Command::Help:
        out << kUsage;
        return kPassed;
    case Command::Version:
        out << "varnoke-cli 2.0\n";
        return kPassed;
    case Command::Check:
        return Check(line, programPath, out, err);
    case Command::Tidy:
        return Tidy(line, programPath, out, err, beforeReplacing);
    case Command::Generate:
        return Generate(line.files.front(), line.poserDir, programPath, out, err);
    }
    return kUsageOrUnreadable;
}

} // namespace

int ExitStatusOf(const std::function<int()>& run, std::ostream& err)
{
    try {
        return run();
    } catch (const std::bad_alloc&) {
        err << "varnoke-cli: not enough memory\n";
    } catch (const std::length_error&) {
        err << "varnoke-cli: not enough memory\n";
    } catch (const std::system_error& error) {
        err << "varnoke-cli: " << error.what() << '\n';
    }
    return kUsageOrUnreadable;
}

int RunCli(const std::vector<std::string>& arguments, const std::string& programPath, std::ostream& out,
           std::ostream& err, const files::BeforeReplacing& beforeReplacing)
{
    return ExitStatusOf([&] { return Run(arguments, programPath, out, err, beforeReplacing); }, err);
}

} // namespace varnoke::cli
