#include "cli/replace_file.h"

#include "cli/cli.h"

namespace varnoke::cli {

int ReplaceFile(const std::string& path, files::WholeFile& original, const std::string& bytes, std::ostream& err,
                const files::BeforeReplacing& beforeReplacing)
{
    const files::ReplaceResult result
        = files::ReplaceFile(path, bytes, &original.stamp, &original.file, beforeReplacing);
    switch (result.outcome) {
    case files::ReplaceOutcome::Replaced:
        if (result.otherLinks > 0)
            err << "varnoke-cli: warning: " << path << " has " << result.otherLinks
                << " other hard link(s), which keep the old text\n";
        return kPassed;
    case files::ReplaceOutcome::Changed:
        err << "File " << path << " changed while it was tidied; it is left as it is\n";
        return kUsageOrUnreadable;
    case files::ReplaceOutcome::WouldGiveAway:
        // A command line has nobody to ask: the file stays its owner's.
        err << "File " << path << " belongs to " << result.reason
            << "; tidying it in place would make it yours: it is left as it is\n";
        return kUsageOrUnreadable;
    case files::ReplaceOutcome::CannotCreate:
    case files::ReplaceOutcome::WriteFailed:
        break;
    }
    err << "Cannot create file " << path << ": " << result.reason << '\n';
    return kUsageOrUnreadable;
}

} // namespace varnoke::cli
