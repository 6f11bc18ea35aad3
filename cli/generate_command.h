#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace varnoke::cli {

// Writes a first hierarchy for the OBJ file, tested as the window tests it, with
// CR LF line ends. Exit status as check; 2 when the OBJ file cannot be opened.
int Generate(const std::string& objFile, const std::optional<std::string>& poserDir, const std::string& programPath,
             std::ostream& out, std::ostream& err);

} // namespace varnoke::cli
