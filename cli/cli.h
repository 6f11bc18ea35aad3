#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace varnoke::cli {

enum ExitStatus { kPassed = 0, kFailed = 1, kUsageOrUnreadable = 2 };

// Runs varnoke-cli with its arguments (without the program name). The program path
// gives the last-resort Poser folder.
int RunCli(const std::vector<std::string>& arguments, const std::string& programPath, std::ostream& out,
           std::ostream& err);

} // namespace varnoke::cli
