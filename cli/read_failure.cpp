#include "cli/read_failure.h"

namespace varnoke::cli {

std::string ReadFailureMessage(const std::string& path, files::ReadFailure failure)
{
    if (failure == files::ReadFailure::NotEnoughMemory)
        return "varnoke-cli: not enough memory to read " + path;
    return "Cannot open file " + path;
}

} // namespace varnoke::cli
