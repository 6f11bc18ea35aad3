#include "cli/command_line.h"

#include <map>

namespace varnoke::cli {

const char* const kUsage = R"(Usage:
  varnoke-cli check    [--poser-dir DIR] [--format list|gnu|json] FILE...
  varnoke-cli tidy     [--poser-dir DIR] [-i] FILE...
  varnoke-cli generate [--poser-dir DIR] OBJFILE
  varnoke-cli --help | --version

check   tests each hierarchy file and prints its errors and warnings
tidy    writes the hierarchy as a test leaves it (re-indented, CR LF line ends);
        with -i each FILE is replaced in place
generate writes a first hierarchy for the groups of an OBJ file, with guessed levels

--poser-dir DIR  the Poser folder that geometry paths (:Runtime:Geometries:...) start
                 from; by default the nearest folder above FILE with a Runtime folder,
                 else the folder of this program
)";

namespace {

ParsedCommandLine Fail(std::string message)
{
    return { std::nullopt, std::move(message) };
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return Fail("no command given");
    CommandLine line;
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h")
        return { line, {} };
    if (first == "--version") {
        line.command = Command::Version;
        return { line, {} };
    }
    const std::map<std::string, Command> commands { { "check", Command::Check },
                                                    { "tidy", Command::Tidy },
                                                    { "generate", Command::Generate } };
    const auto command = commands.find(first);
    if (command == commands.end())
        return Fail("unknown command '" + first + "'");
    line.command = command->second;

    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        std::optional<std::string> attached;
        if (!optionsEnded && argument.rfind("--", 0) == 0 && argument.find('=') != std::string::npos) {
            attached = argument.substr(argument.find('=') + 1);
            argument.erase(argument.find('='));
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (attached)
                return attached;
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            line.files.push_back(arguments[i]);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            line.command = Command::Help;
            return { line, {} };
        } else if (argument == "--poser-dir") {
            line.poserDir = value();
            if (!line.poserDir || line.poserDir->empty())
                return Fail("--poser-dir needs a folder");
        } else if (argument == "--format" && line.command == Command::Check) {
            const std::optional<std::string> format = value();
            const std::map<std::string, ReportFormat> formats { { "list", ReportFormat::List },
                                                                { "gnu", ReportFormat::Gnu },
                                                                { "json", ReportFormat::Json } };
            if (!format || !formats.contains(*format))
                return Fail("--format takes list, gnu or json");
            line.format = formats.at(*format);
        } else if (argument == "-i" && line.command == Command::Tidy) {
            line.inPlace = true;
        } else {
            return Fail("unknown option '" + argument + "'");
        }
    }
    if (line.files.empty())
        return Fail("no file given");
    if (line.command == Command::Tidy && !line.inPlace && line.files.size() > 1)
        return Fail("tidy writes one file to standard output; use -i for several");
    if (line.command == Command::Generate && line.files.size() > 1)
        return Fail("generate takes one OBJ file");
    return { line, {} };
}

} // namespace varnoke::cli
