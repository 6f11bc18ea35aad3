#include "hierarchy/folder_listings.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/platform.h"

#include <filesystem>

namespace varnoke {

namespace fs = std::filesystem;

std::string FolderListings::FindIgnoringCase(const std::string& folder, const std::string& name)
{
    auto listing = listings_.find(folder);
    if (listing == listings_.end()) {
        if (listings_.size() >= kMaxFolders)
            listings_.clear();
        Listing entries;
        std::error_code error;
        fs::directory_iterator iterator(folder.empty() ? fs::path(".") : platform::NativePath(folder), error);
        for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) {
            std::string entry = platform::BytePath(iterator->path().filename());
            auto [found, added] = entries.try_emplace(FoldCase(entry), entry);
            if (!added && entry < found->second)
                found->second = std::move(entry);
        }
        listing = listings_.emplace(folder, std::move(entries)).first;
    }
    const auto found = listing->second.find(FoldCase(name));
    return found == listing->second.end() ? std::string() : found->second;
}

} // namespace varnoke
