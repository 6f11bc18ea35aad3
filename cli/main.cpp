#include "cli/cli.h"
#include "hierarchy/platform.h"

#include <iostream>

int main(int argc, char* argv[])
{
    // The bytes written are the same on every system.
    varnoke::platform::UseBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments = varnoke::platform::Arguments(argc, argv);
    const int status = varnoke::cli::RunCli(arguments, varnoke::platform::ProgramPath(argv[0]), std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : varnoke::cli::kUsageOrUnreadable;
}
