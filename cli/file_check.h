#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"

#include <optional>
#include <string>

namespace varnoke::cli {

// One hierarchy file tested as the window tests it right after opening it.
struct FileTest {
    DocumentText text; // as the test left it
    CheckState state;
    bool tested = false; // false for an .OBJ file
    bool passed = false;
};

// None when the file cannot be read.
std::optional<FileTest> TestFile(const std::string& path, const std::string& poserFolder);

} // namespace varnoke::cli
