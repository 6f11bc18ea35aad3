#include "hierarchy/folder_listings.h"

#include "hierarchy/case_fold.h"
#include "hierarchy/platform.h"

#include <filesystem>

namespace varnoke {

namespace fs = std::filesystem;

namespace {

// Gives the name of every entry of the folder, as bytes; none when it cannot be listed.
template <typename Take> void ListFolder(const std::string& folder, Take take)
{
    std::error_code error;
    fs::directory_iterator iterator(folder.empty() ? fs::path(".") : platform::NativePath(folder), error);
    for (; !error && iterator != fs::directory_iterator(); iterator.increment(error))
        take(platform::BytePath(iterator->path().filename()));
}

} // namespace

std::string FolderListings::FindIgnoringCase(const std::string& folder, const std::string& name)
{
    auto listing = listings_.find(folder);
    if (listing == listings_.end()) {
        if (listings_.size() >= kMaxFolders)
            listings_.clear();
        Listing entries;
        ListFolder(folder, [&entries](std::string entry) {
            auto [found, added] = entries.try_emplace(FoldCase(entry), entry);
            if (!added && entry < found->second)
                found->second = std::move(entry);
        });
        listing = listings_.emplace(folder, std::move(entries)).first;
    }
    const auto found = listing->second.find(FoldCase(name));
    return found == listing->second.end() ? std::string() : found->second;
}

std::string EntryIgnoringCase(const std::string& folder, const std::string& name)
{
    bool spelled = false;
    std::string other;
    ListFolder(folder, [&](std::string entry) {
        if (entry == name)
            spelled = true;
        else if (EqualIgnoringCase(entry, name) && (other.empty() || entry < other))
            other = std::move(entry);
    });
    return spelled ? name : other;
}

} // namespace varnoke
