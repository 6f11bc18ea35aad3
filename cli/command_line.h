#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnoke::cli {

enum class Command { Check, Tidy, Generate, Help, Version };
enum class ReportFormat { List, Gnu, Json };

struct CommandLine {
    Command command = Command::Help;
    std::optional<std::string> poserDir;
    ReportFormat format = ReportFormat::List;
    bool inPlace = false;
    std::vector<std::string> files;
};

// The parsed command line, or the message that says what is wrong with it.
struct ParsedCommandLine {
    std::optional<CommandLine> commandLine;
    std::string error;
};
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

} // namespace varnoke::cli
