#pragma once

#include "hierarchy/check_state.h"
#include "hierarchy/document_lines.h"
#include "hierarchy/folder_listings.h"

#include <string>

namespace varnoke::cli {

// One hierarchy file tested as the window tests it right after opening it.
struct FileTest {
    DocumentText text; // as the test left it
    CheckState state;
    bool tested = false; // false for an .OBJ file
    bool passed = false;
};

// Tests the bytes of the file at the path (whose name says whether it is an OBJ file);
// the bytes are used up.
FileTest TestText(std::string&& bytes, const std::string& path, const std::string& poserFolder,
                  FolderListings& listings);

} // namespace varnoke::cli
