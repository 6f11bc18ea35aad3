#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnoke {

// The searches of the OBJ reader, 64 bytes at a time: bit i of a mask stands for
// byte i of the chunk. Every form gives the same answers; the fastest one that the
// processor runs is chosen at run time. Chunks may be read up to 64 bytes past the
// bytes asked about, so buffers carry that much padding.
struct ByteScanner {
    const char* name;
    // The offset of the first chunk of [bytes, bytes + count) holding an 'f' or a 'g'
    // (the letters that begin face and group lines), and their mask within count;
    // count when there is none.
    std::size_t (*findFaceOrGroup)(const char* bytes, std::size_t count, std::uint64_t& mask);
    std::uint64_t (*lineEnds)(const char* bytes);
    // What a run of face lines is read for: line ends, minus signs and 'f' letters.
    struct FaceMasks {
        std::uint64_t lineEnds;
        std::uint64_t minusSigns;
        std::uint64_t faceLetters;
    };
    FaceMasks (*faceMasks)(const char* bytes);
};

inline constexpr std::size_t kScanChunk = 64;

// The mask of the first count bytes of a chunk.
constexpr std::uint64_t FirstBits(std::size_t count)
{
    return count >= 64 ? ~std::uint64_t { 0 } : (std::uint64_t { 1 } << count) - 1;
}

const ByteScanner& PortableByteScanner();
const ByteScanner& FastestByteScanner();
// Every form this processor runs, the portable one first.
std::vector<const ByteScanner*> RunnableByteScanners();

} // namespace varnoke
