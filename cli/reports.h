#pragma once

#include "cli/file_check.h"
#include "hierarchy/diagnostics.h"

#include <ostream>
#include <string>
#include <vector>

namespace varnoke::cli {

struct FileReport {
    std::string file; // as given on the command line
    const FileTest* test; // null for a file that could not be read
    std::string error; // why it could not be read
};

// The diagnostics list as the window shows it, a "==> FILE <==" header per file when
// there are several.
void WriteListReport(std::ostream& out, const std::vector<FileReport>& reports, bool withHeaders);
// "FILE:LINE: error: MESSAGE" per numbered entry, as compilers write them.
void WriteGnuReport(std::ostream& out, const std::vector<FileReport>& reports);
// One object per file; a file that could not be read has "tested": false and its "error".
void WriteJsonReport(std::ostream& out, const std::vector<FileReport>& reports);

// A JSON string literal; bytes above 127 are read as Latin-1.
std::string JsonString(std::string_view text);

} // namespace varnoke::cli
