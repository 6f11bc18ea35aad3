#pragma once

#include "cli/file_io.h"

#include <functional>
#include <ostream>
#include <string>

namespace varnoke::cli {

// Replaces a file that was read with new bytes, atomically: through a temporary file
// beside it and a rename, so a failed write leaves the old file whole. The new file
// keeps the old one's mode, owner, group and extended attributes (where the owner
// cannot be kept, without the setuid and setgid bits). A read-only file is refused, and
// a file that changed since it was read is left as it is. Every refusal and failure is
// said on standard error with the file and the reason; a file with other hard links is
// replaced with a warning. The exit status of the file: 0 when replaced. On Windows the
// original file is closed before the rename, which an open file would refuse.
int ReplaceFile(const std::string& path, FileContent& original, const std::string& bytes, std::ostream& err);

// Runs right before the last look at the file and the rename: a test changes the file there.
extern std::function<void(const std::string& path)> beforeReplacing;

} // namespace varnoke::cli
