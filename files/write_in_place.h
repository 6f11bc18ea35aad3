#pragma once

#include "files/replace_file.h"
#include "hierarchy/progress.h"

#include <string>
#include <string_view>

namespace varnoke::files {

#ifndef _WIN32

// Writes all the bytes at the descriptor's position, in pieces after each of which the
// listener hears how far it has come and may stop it (Cancelled is thrown). False, with
// errno set, when the system refuses a write.
bool WriteAll(int descriptor, std::string_view bytes, Progress* progress = nullptr, std::string_view what = {});

// Puts the bytes in the file itself instead of a new file, so that it keeps its owner,
// group, mode, links and attributes. The old text is first copied into a backup beside
// the file; a write that fails or is stopped puts the old text back from it, and only
// once the file holds one text whole, old or new, does the backup go (a backup that
// could not be put back stays, named in the reason). `original` is the file as read.
ReplaceResult WriteInPlace(const std::string& target, int original, std::string_view bytes, Progress* progress,
                           std::string_view what);

#endif

} // namespace varnoke::files
