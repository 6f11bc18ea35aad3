#include "cli/cli.h"
#include "files/size_limit_signal.h"
#include "hierarchy/platform.h"

#include <cerrno>
#include <cstring>
#include <iostream>

int main(int argc, char* argv[])
{
    varnoke::files::LetWritesFailAtSizeLimit();
    // The bytes written are the same on every system.
    varnoke::platform::UseBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
    const int status = varnoke::cli::ExitStatusOf(
        [&] {
            const std::vector<std::string> arguments = varnoke::platform::Arguments(argc, argv);
            return varnoke::cli::RunCli(arguments, varnoke::platform::ProgramPath(argv[0]), std::cout, std::cerr);
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
