#include "cli/cli.h"

#include "cli/command_line.h"
#include "cli/file_check.h"
#include "cli/file_io.h"
#include "cli/generate_command.h"
#include "cli/poser_folder.h"
#include "cli/reports.h"
#include "hierarchy/platform.h"

#include <algorithm>
#include <filesystem>
#include <list>

namespace varnoke::cli {

namespace {

// The tests of all files, and the exit status they make together.
struct TestRun {
    std::list<FileTest> tests;
    std::vector<FileReport> reports;
    int status = kPassed;
};

TestRun TestFiles(const CommandLine& line, const std::string& programPath, std::ostream& err)
{
    TestRun run;
    for (const std::string& file : line.files) {
        std::optional<FileTest> test = TestFile(file, ChoosePoserFolder(line.poserDir, file, programPath));
        if (!test) {
            err << "Cannot open file " << file << '\n';
            run.status = kUsageOrUnreadable;
            continue;
        }
        if (!test->passed)
            run.status = std::max<int>(run.status, kFailed);
        run.tests.push_back(std::move(*test));
        run.reports.push_back({ file, &run.tests.back() });
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

int Tidy(const CommandLine& line, const std::string& programPath, std::ostream& out, std::ostream& err)
{
    TestRun run = TestFiles(line, programPath, err);
    for (const FileReport& report : run.reports) {
        const std::string tidied = JoinDocumentText(report.test->text);
        if (!line.inPlace) {
            out << tidied;
        } else if (ReadWholeFile(report.file) != tidied && !WriteFileAtomically(report.file, tidied)) {
            err << "Cannot create file " << report.file << '\n';
            run.status = kUsageOrUnreadable;
        }
    }
    return run.status;
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, const std::string& programPath, std::ostream& out,
           std::ostream& err)
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
        return Tidy(line, programPath, out, err);
    case Command::Generate:
        return Generate(line.files.front(), line.poserDir, programPath, out, err);
    }
    return kUsageOrUnreadable;
}

} // namespace varnoke::cli
