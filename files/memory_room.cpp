#include "files/memory_room.h"

#include <algorithm>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace varnoke::files {

bool FitsInEditor(std::uint64_t fileBytes, const MemoryRoom& room)
{
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t needed
        = fileBytes > kMost / kEditorBytesPerFileByte ? kMost : fileBytes * kEditorBytesPerFileByte;
    const std::uint64_t left = std::min(room.addressSpaceLeft.value_or(kMost), room.available.value_or(kMost));
    return needed <= left;
}

#ifdef _WIN32

MemoryRoom MemoryRoomNow()
{
    MemoryRoom room;
    MEMORYSTATUSEX status {};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status) != 0) {
        room.addressSpaceLeft = status.ullAvailVirtual;
        // What may still be committed: memory and page file.
        room.available = status.ullAvailPageFile;
    }
    return room;
}

#else

namespace {

// The address space the process uses now, from /proc/self/statm; none where there is none.
std::optional<std::uint64_t> AddressSpaceUsed()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return std::nullopt;
    unsigned long long pages = 0;
    const bool read = std::fscanf(statm, "%llu", &pages) == 1;
    std::fclose(statm);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (!read || pageSize <= 0)
        return std::nullopt;
    return pages * static_cast<std::uint64_t>(pageSize);
}

// MemAvailable and SwapFree of /proc/meminfo, in bytes; none without them.
std::optional<std::uint64_t> MemoryAvailable()
{
    std::FILE* meminfo = std::fopen("/proc/meminfo", "r");
    if (!meminfo)
        return std::nullopt;
    char line[256];
    std::uint64_t kilobytes = 0;
    bool found = false;
    while (std::fgets(line, sizeof line, meminfo)) {
        unsigned long long value = 0;
        if (std::sscanf(line, "MemAvailable: %llu kB", &value) == 1) {
            kilobytes += value;
            found = true;
        } else if (std::sscanf(line, "SwapFree: %llu kB", &value) == 1) {
            kilobytes += value;
        }
    }
    std::fclose(meminfo);
    return found ? std::optional(kilobytes * 1024) : std::nullopt;
}

} // namespace

MemoryRoom MemoryRoomNow()
{
    MemoryRoom room;
    rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        const std::optional<std::uint64_t> used = AddressSpaceUsed();
        const std::uint64_t most = limit.rlim_cur;
        room.addressSpaceLeft = used && *used < most ? most - *used : 0;
    }
    room.available = MemoryAvailable();
    return room;
}

#endif

} // namespace varnoke::files
