#pragma once

#include <optional>
#include <string>

namespace varnoke::cli {

// The whole content of a regular file; none when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file through a temporary file beside it and a rename, so a failed
// write leaves the old file whole. False when the file could not be written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace varnoke::cli
