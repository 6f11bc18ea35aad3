#pragma once

#include "files/read_file.h"

#include <string>

namespace varnoke::cli {

// What standard error says of a file that could not be read.
std::string ReadFailureMessage(const std::string& path, files::ReadFailure failure);

} // namespace varnoke::cli
