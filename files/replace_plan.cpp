#include "files/replace_plan.h"

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace varnoke::files {

ReplacePlan PlanReplacing(const OwnerFacts& facts)
{
    const bool kept = !facts.exists || facts.mayChown || (facts.owner == facts.saver && facts.inGroup);
    if (kept)
        return ReplacePlan::Rename;
    return facts.writable ? ReplacePlan::InPlace : ReplacePlan::GiveAway;
}

#ifdef _WIN32

OwnerFacts OwnerFactsOf(const std::string&)
{
    OwnerFacts facts;
    facts.mayChown = true;
    return facts;
}

std::string UserName(std::uint32_t user)
{
    return std::to_string(user);
}

#else

namespace {

bool InGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int listed = ::getgroups(count, groups.data());
    for (int index = 0; index < listed; ++index)
        if (groups[static_cast<std::size_t>(index)] == group)
            return true;
    return false;
}

} // namespace

OwnerFacts OwnerFactsOf(const std::string& path)
{
    OwnerFacts facts;
    facts.saver = ::geteuid();
    facts.mayChown = facts.saver == 0;
    struct stat status { };
    facts.exists = ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    if (!facts.exists)
        return facts;
    facts.owner = status.st_uid;
    facts.inGroup = InGroup(status.st_gid);
    // Opened without truncation and closed unwritten: a look, no change.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    facts.writable = descriptor >= 0;
    if (descriptor >= 0)
        ::close(descriptor);
    return facts;
}

std::string UserName(std::uint32_t user)
{
    struct passwd entry { };
    struct passwd* found = nullptr;
    std::vector<char> buffer(4096);
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_name;
    return std::to_string(user);
}

#endif

} // namespace varnoke::files
