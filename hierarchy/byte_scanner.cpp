#include "hierarchy/byte_scanner.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VARNOKE_X86_SCANNERS 1
#endif

namespace varnoke {

namespace {

// The search loop shared by every form: Chunk gives the mask of one chunk.
template <std::uint64_t (*Chunk)(const char*)>
inline std::size_t FindInChunks(const char* bytes, std::size_t count, std::uint64_t& mask)
{
    for (std::size_t offset = 0; offset < count; offset += kScanChunk) {
        mask = Chunk(bytes + offset) & FirstBits(count - offset);
        if (mask)
            return offset;
    }
    mask = 0;
    return count;
}

template <bool (*Wanted)(unsigned char)> std::uint64_t PortableMask(const char* bytes)
{
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < kScanChunk; ++i)
        mask |= static_cast<std::uint64_t>(Wanted(static_cast<unsigned char>(bytes[i]))) << i;
    return mask;
}

bool IsFaceOrGroup(unsigned char c)
{
    return c == 'f' || c == 'g';
}
bool IsLineEnd(unsigned char c)
{
    return c == '\n' || c == '\r';
}
bool IsMinus(unsigned char c)
{
    return c == '-';
}

bool IsFace(unsigned char c)
{
    return c == 'f';
}

ByteScanner::FaceMasks PortableFaceMasks(const char* bytes)
{
    return { PortableMask<IsLineEnd>(bytes), PortableMask<IsMinus>(bytes), PortableMask<IsFace>(bytes) };
}

const ByteScanner kPortable { "portable", FindInChunks<PortableMask<IsFaceOrGroup>>, PortableMask<IsLineEnd>,
                              PortableFaceMasks };

#ifdef VARNOKE_X86_SCANNERS

// SSE2 is part of every x86-64 processor.
inline std::uint64_t Sse2Bits(__m128i matches)
{
    return static_cast<std::uint32_t>(_mm_movemask_epi8(matches));
}

template <__m128i (*Compare)(__m128i)> inline std::uint64_t Sse2Mask(const char* bytes)
{
    const auto load = [bytes](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i)); };
    const __m128i m0 = Compare(load(0)), m1 = Compare(load(1)), m2 = Compare(load(2)), m3 = Compare(load(3));
    // Most chunks hold no match: one test rules them out.
    if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(m0, m1), _mm_or_si128(m2, m3))) == 0)
        return 0;
    return Sse2Bits(m0) | Sse2Bits(m1) << 16 | Sse2Bits(m2) << 32 | Sse2Bits(m3) << 48;
}

inline __m128i Sse2FaceOrGroup(__m128i b)
{
    // 'f' (0x66) and 'g' (0x67) differ only in their lowest bit.
    return _mm_cmpeq_epi8(_mm_or_si128(b, _mm_set1_epi8(1)), _mm_set1_epi8('g'));
}
inline __m128i Sse2LineEnd(__m128i b)
{
    return _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(b, _mm_set1_epi8('\r')));
}
ByteScanner::FaceMasks Sse2FaceMasks(const char* bytes)
{
    ByteScanner::FaceMasks masks {};
    for (int i = 0; i < 4; ++i) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
        masks.lineEnds |= Sse2Bits(Sse2LineEnd(block)) << (16 * i);
        masks.minusSigns |= Sse2Bits(_mm_cmpeq_epi8(block, _mm_set1_epi8('-'))) << (16 * i);
        masks.faceLetters |= Sse2Bits(_mm_cmpeq_epi8(block, _mm_set1_epi8('f'))) << (16 * i);
    }
    return masks;
}

const ByteScanner kSse2 { "sse2", FindInChunks<Sse2Mask<Sse2FaceOrGroup>>, Sse2Mask<Sse2LineEnd>, Sse2FaceMasks };

#define VARNOKE_AVX2 __attribute__((target("avx2")))

VARNOKE_AVX2 inline __m256i Avx2Load(const char* bytes)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
}

VARNOKE_AVX2 inline std::uint64_t Avx2Mask(__m256i low, __m256i high)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(low))
        | static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32;
}

VARNOKE_AVX2 inline std::uint64_t Avx2FaceOrGroupChunk(const char* bytes)
{
    const __m256i one = _mm256_set1_epi8(1), g = _mm256_set1_epi8('g');
    const __m256i lowMatches = _mm256_cmpeq_epi8(_mm256_or_si256(Avx2Load(bytes), one), g);
    const __m256i highMatches = _mm256_cmpeq_epi8(_mm256_or_si256(Avx2Load(bytes + 32), one), g);
    if (_mm256_testz_si256(_mm256_or_si256(lowMatches, highMatches), _mm256_set1_epi8(-1)))
        return 0;
    return Avx2Mask(lowMatches, highMatches);
}

// FindInChunks again, compiled for AVX2 so that the chunk search inlines into it.
VARNOKE_AVX2 std::size_t Avx2FindFaceOrGroup(const char* bytes, std::size_t count, std::uint64_t& mask)
{
    for (std::size_t offset = 0; offset < count; offset += kScanChunk) {
        mask = Avx2FaceOrGroupChunk(bytes + offset) & FirstBits(count - offset);
        if (mask)
            return offset;
    }
    mask = 0;
    return count;
}

VARNOKE_AVX2 inline __m256i Avx2LineEnd(__m256i b)
{
    return _mm256_or_si256(_mm256_cmpeq_epi8(b, _mm256_set1_epi8('\n')), _mm256_cmpeq_epi8(b, _mm256_set1_epi8('\r')));
}

VARNOKE_AVX2 std::uint64_t Avx2LineEnds(const char* bytes)
{
    return Avx2Mask(Avx2LineEnd(Avx2Load(bytes)), Avx2LineEnd(Avx2Load(bytes + 32)));
}

VARNOKE_AVX2 ByteScanner::FaceMasks Avx2FaceMasks(const char* bytes)
{
    const __m256i low = Avx2Load(bytes), high = Avx2Load(bytes + 32);
    const __m256i minus = _mm256_set1_epi8('-'), face = _mm256_set1_epi8('f');
    return { Avx2Mask(Avx2LineEnd(low), Avx2LineEnd(high)),
             Avx2Mask(_mm256_cmpeq_epi8(low, minus), _mm256_cmpeq_epi8(high, minus)),
             Avx2Mask(_mm256_cmpeq_epi8(low, face), _mm256_cmpeq_epi8(high, face)) };
}

const ByteScanner kAvx2 { "avx2", Avx2FindFaceOrGroup, Avx2LineEnds, Avx2FaceMasks };

bool HasAvx2()
{
    return __builtin_cpu_supports("avx2");
}

#endif

} // namespace

const ByteScanner& PortableByteScanner()
{
    return kPortable;
}

const ByteScanner& FastestByteScanner()
{
#ifdef VARNOKE_X86_SCANNERS
    static const ByteScanner& fastest = HasAvx2() ? kAvx2 : kSse2;
    return fastest;
#else
    return kPortable;
#endif
}

std::vector<const ByteScanner*> RunnableByteScanners()
{
    std::vector<const ByteScanner*> scanners { &kPortable };
#ifdef VARNOKE_X86_SCANNERS
    scanners.push_back(&kSse2);
    if (HasAvx2())
        scanners.push_back(&kAvx2);
#endif
    return scanners;
}

} // namespace varnoke
