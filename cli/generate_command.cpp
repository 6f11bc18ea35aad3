#include "cli/generate_command.h"

#include "cli/cli.h"
#include "cli/poser_folder.h"
#include "hierarchy/generation.h"
#include "hierarchy/hierarchy_check.h"
#include "hierarchy/platform.h"

#include <filesystem>

namespace varnoke::cli {

namespace {

constexpr std::size_t kErrorPieceSize = 64 * 1024;

} // namespace

int Generate(const std::string& objFile, const std::optional<std::string>& poserDir, const std::string& programPath,
             std::ostream& out, std::ostream& err)
{
    // The window's file dialog gives the chosen file's absolute path.
    std::error_code error;
    const std::string absolute
        = platform::BytePath(std::filesystem::absolute(platform::NativePath(objFile), error).lexically_normal());
    CheckState state;
    GeometryFolders folders;
    folders.poserFolder = ChoosePoserFolder(poserDir, objFile, programPath);
    std::optional<GeneratedHierarchy> generated = GenerateHierarchy(state, error ? objFile : absolute);
    if (!generated) {
        err << "Couldn't open file:" << objFile << '\n';
        return kUsageOrUnreadable;
    }
    LineList lines;
    InsertGeneratedHierarchy(lines, std::move(*generated));
    generated.reset();
    const bool passed = TestHierarchy(state, folders, lines, "");
    // As JoinDocumentText writes it with a final line end, one line at a time.
    for (const std::string& line : lines.Lines())
        out << line << "\r\n";
    if (passed)
        return kPassed;
    // Why it failed, as the window's diagnostics list would say; gathered into pieces, as the
    // error stream writes at once whatever it is given.
    std::string piece;
    for (int i = 0; i < state.diagnostics.Count(); ++i) {
        piece += state.diagnostics.TextAt(i);
        piece += '\n';
        if (piece.size() >= kErrorPieceSize) {
            err << piece;
            piece.clear();
        }
    }
    err << piece;
    return kFailed;
}

} // namespace varnoke::cli
