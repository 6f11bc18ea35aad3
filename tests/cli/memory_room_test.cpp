// Whether a file fits in the editor with the room the process has: nine bytes of memory
// a byte of file, against the smaller of the address space left and the memory available.
#include "files/memory_room.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using varnoke::files::MemoryRoom;

TEST(MemoryRoom, AFileFitsWhenNineTimesItsSizeIsLeftInBoth)
{
    constexpr std::uint64_t kMb = 1 << 20, kMost = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        std::uint64_t file;
        std::optional<std::uint64_t> addressSpaceLeft, available;
        bool fits;
    };
    const Case cases[] = {
        { 100 * kMb, std::nullopt, std::nullopt, true }, // nothing known: not refused
        { 100 * kMb, 900 * kMb, std::nullopt, true },
        { 100 * kMb, 900 * kMb - 1, std::nullopt, false },
        { 100 * kMb, std::nullopt, 899 * kMb, false },
        { 100 * kMb, 4000 * kMb, 800 * kMb, false }, // the smaller counts
        { 100 * kMb, 800 * kMb, 4000 * kMb, false },
        { 743 * kMb, 6144 * kMb - 1200 * kMb, 16000 * kMb, false }, // ulimit -v 6291456
        { 0, 0, 0, true },
        { kMost / 2, std::nullopt, kMost - 1, false }, // nine times would overflow
    };
    for (const Case& c : cases)
        EXPECT_EQ(varnoke::files::FitsInEditor(c.file, MemoryRoom { c.addressSpaceLeft, c.available }), c.fits)
            << &c - cases;
}

TEST(MemoryRoom, ThisProcessHasSomeRoom)
{
    const MemoryRoom room = varnoke::files::MemoryRoomNow();
    EXPECT_TRUE(varnoke::files::FitsInEditor(1, room));
    EXPECT_FALSE(varnoke::files::FitsInEditor(std::numeric_limits<std::uint64_t>::max() / 16, room)
                 && room.available.has_value());
}

} // namespace
