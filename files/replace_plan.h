#pragma once

#include <cstdint>
#include <string>

namespace varnoke::files {

// What a save finds out about the file it replaces and about the saver.
struct OwnerFacts {
    bool exists = false;
    std::uint32_t owner = 0;
    std::uint32_t saver = 0; // the effective user
    bool mayChown = false; // the saver may give a file any owner and group
    bool inGroup = false; // the saver may give a file the file's group
    bool writable = false; // the file opens for writing
};

enum class ReplacePlan {
    Rename, // a new file renamed over the old one keeps its owner and group
    InPlace, // the new file would change hands: the old one is written over, after a backup
    GiveAway, // neither: the file becomes the saver's, which the saver must agree to first
};

ReplacePlan PlanReplacing(const OwnerFacts& facts);

// The facts of the file the path names and of this process; on Windows, where a rename
// keeps the file's owner, a file that exists is always taken as kept.
OwnerFacts OwnerFactsOf(const std::string& path);

// The name of the user the number stands for, or the number.
std::string UserName(std::uint32_t user);

} // namespace varnoke::files
