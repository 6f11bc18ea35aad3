#include "cli/cli.h"

#include <cerrno>
#include <cstring>
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
    const int status = varnoke::cli::ExitStatusOf(
        [&] {
            const std::vector<std::string> arguments(argv + 1, argv + argc);
            return varnoke::cli::RunCli(arguments, ProgramPath(argv[0]), std::cout, std::cerr);
        },
        std::cerr);
    errno = 0;
    std::cout.flush();
    if (std::cout)
        return status;
    // A full disk or a closed pipe: the output is not whole, which must not pass for success.
    const int reason = errno;
    std::cerr << "varnoke-cli: cannot write standard output" << (reason ? ": " : "")
              << (reason ? std::strerror(reason) : "") << '\n';
    return varnoke::cli::kUsageOrUnreadable;
}
