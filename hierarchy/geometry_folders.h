#pragma once

#include "hierarchy/poser_paths.h"

#include <optional>
#include <string>
#include <vector>

namespace varnoke {

class FolderListings;
class Progress;

// Where geometry paths point: the Poser folder that messages name, then further
// folders that are searched when a file is missing there. A setting of the test,
// kept apart from what a test leaves behind.
struct GeometryFolders {
    std::string poserFolder;
    std::vector<std::string> alsoSearched;
    char separator = kLocalSeparator;
    // The folder listings of the letter-case search, shared by the tests of one command-line
    // run; when none is given, each test keeps its own.
    FolderListings* listings = nullptr;
    // Hears how far a test has come and may stop it; none on the command line.
    Progress* progress = nullptr;
};

// The nearest folder above a document that holds a Runtime folder (letter case ignored),
// without a trailing separator; none when no folder above has one.
std::optional<std::string> NearestPoserFolder(const std::string& documentPath);

} // namespace varnoke
