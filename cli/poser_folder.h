#pragma once

#include <optional>
#include <string>

namespace varnoke::cli {

// The Poser folder for a file: the folder given by --poser-dir as typed (less a
// trailing separator), else the nearest folder above the file that has a Runtime
// folder (letter case ignored), else the program's own folder.
std::string ChoosePoserFolder(const std::optional<std::string>& poserDir, const std::string& file,
                              const std::string& programPath);

// The folder given as typed, less a trailing separator.
std::string WithoutTrailingSeparator(std::string folder);

} // namespace varnoke::cli
