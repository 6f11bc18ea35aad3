#pragma once

// What a run of varnoke-cli gives, and the helpers that make and run it in this process.

#include "cli/cli.h"
#include "file_bytes.h"
#include "hierarchy/platform.h"

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke::testing {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    bool operator==(const Outcome&) const = default;
};

inline void PrintTo(const Outcome& run, std::ostream* os)
{
    *os << "status " << run.status << ", out \"" << run.out << "\", err \"" << run.err << '"';
}

// Writes the file of the given name (bytes, as the program takes names) into the folder; its path.
inline std::string WriteNamedFile(const std::filesystem::path& folder, const std::string& name, std::string_view text)
{
    const std::filesystem::path path = folder / varnoke::platform::NativePath(name);
    WriteBytes(path, text);
    return varnoke::platform::BytePath(path);
}

// varnoke-cli in this process, as if it were the program of the given path.
inline Outcome RunInProcess(const std::vector<std::string>& arguments, const std::filesystem::path& programPath,
                            const varnoke::files::BeforeReplacing& beforeReplacing = {})
{
    std::ostringstream out, err;
    const int status = varnoke::cli::RunCli(arguments, programPath.string(), out, err, beforeReplacing);
    return { status, out.str(), err.str() };
}

} // namespace varnoke::testing
