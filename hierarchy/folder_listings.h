#pragma once

#include <string>
#include <unordered_map>

namespace varnoke {

// The listings of the folders a test looks into for a name in another letter case,
// each read once: a folder of many entries and many names missing from it cost one
// listing and a lookup per name. A listing is as old as the object, so the object
// lives for one test (or one run of the command line): a file added after it was made
// may be missed.
class FolderListings {
public:
    // The entry of the folder whose name equals the name ignoring case; the first in byte
    // order when several do, so the choice does not depend on the listing order. Empty
    // when none does or the folder cannot be listed.
    std::string FindIgnoringCase(const std::string& folder, const std::string& name);

private:
    // Folded name to entry name, per folder.
    using Listing = std::unordered_map<std::string, std::string>;
    static constexpr std::size_t kMaxFolders = 64; // then the cache starts afresh

    std::unordered_map<std::string, Listing> listings_;
};

// The entry of the folder that a name stands for where letter case is ignored, read
// afresh: the name itself when the folder holds it so spelled, else the entry equal to
// it ignoring case (the first in byte order when several are), else empty. On a file
// system that ignores case, the name as the folder spells it.
std::string EntryIgnoringCase(const std::string& folder, const std::string& name);

} // namespace varnoke
