#pragma once

#include "files/replace_file.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace varnoke::cli {

enum ExitStatus { kPassed = 0, kFailed = 1, kUsageOrUnreadable = 2 };

// Runs varnoke-cli with its arguments (without the program name). The program path
// gives the last-resort Poser folder. beforeReplacing runs right before tidy -i replaces
// a file: a test changes the file there.
int RunCli(const std::vector<std::string>& arguments, const std::string& programPath, std::ostream& out,
           std::ostream& err, const files::BeforeReplacing& beforeReplacing = {});

// The exit status of a run, which ends with a message and status 2 when memory runs out
// or no thread can be started, instead of an abort.
int ExitStatusOf(const std::function<int()>& run, std::ostream& err);

} // namespace varnoke::cli
