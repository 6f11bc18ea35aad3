#pragma once

#include "files/read_file.h"
#include "files/replace_file.h"

#include <ostream>
#include <string>

namespace varnoke::cli {

// Replaces a file that was read with new bytes, as files::ReplaceFile does, the file as
// read being the reference. Every refusal and failure is said on standard error with the
// file and the reason; a file with other hard links is replaced with a warning. A file
// that would become the user's is refused. The exit
// status of the file: 0 when replaced.
int ReplaceFile(const std::string& path, files::WholeFile& original, const std::string& bytes, std::ostream& err,
                const files::BeforeReplacing& beforeReplacing);

} // namespace varnoke::cli
