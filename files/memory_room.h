#pragma once

#include <cstdint>
#include <optional>

namespace varnoke::files {

// About what the editor holds per byte of a file's text, everything counted: the UTF-16
// text, its blocks and layouts, and the file's bytes as read.
constexpr std::uint64_t kEditorBytesPerFileByte = 9;

// What the process may still allocate, as the system tells it: the address space left
// under the process's limit, and the memory available (swap included).
struct MemoryRoom {
    std::optional<std::uint64_t> addressSpaceLeft; // none: no limit
    std::optional<std::uint64_t> available; // none: not known
};

// Whether a file of that many bytes fits in the editor with the room there is; a room not
// known does not refuse it.
bool FitsInEditor(std::uint64_t fileBytes, const MemoryRoom& room);

// The room of this process now.
MemoryRoom MemoryRoomNow();

} // namespace varnoke::files
