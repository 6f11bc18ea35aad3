#include "cli/cli.h"

#include <filesystem>
#include <iostream>

namespace {

// The running program's own path, for the folder that stands in for the Poser folder.
std::string ProgramPath(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.string();
    return std::filesystem::absolute(argv0, error).string();
}

} // namespace

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = varnoke::cli::RunCli(arguments, ProgramPath(argv[0]), std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : varnoke::cli::kUsageOrUnreadable;
}
