#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnoke {

// 64-byte masks of the bytes an OBJ scan looks for: bit i stands for byte i.
// The portable form serves any processor; the SSE2 form is baseline on x86-64.
struct PortableByteMasks {
    static constexpr std::uint64_t Where(const char* bytes, bool (*wanted)(unsigned char))
    {
        std::uint64_t mask = 0;
        for (int i = 0; i < 64; ++i)
            mask |= static_cast<std::uint64_t>(wanted(static_cast<unsigned char>(bytes[i]))) << i;
        return mask;
    }
    // 'f' or 'g': the first letters of the lines the scan reads.
    static std::uint64_t FaceOrGroup(const char* bytes)
    {
        return Where(bytes, [](unsigned char c) { return c == 'f' || c == 'g'; });
    }
    static std::uint64_t LineEnd(const char* bytes)
    {
        return Where(bytes, [](unsigned char c) { return c == '\n' || c == '\r'; });
    }
    static std::uint64_t Minus(const char* bytes)
    {
        return Where(bytes, [](unsigned char c) { return c == '-'; });
    }
};

#if defined(__SSE2__)
struct Sse2ByteMasks {
    static __m128i Load(const char* bytes) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)); }
    static std::uint64_t Bits(__m128i matches) { return static_cast<std::uint32_t>(_mm_movemask_epi8(matches)); }
    template <typename Compare> static std::uint64_t Where(const char* bytes, Compare compare)
    {
        const __m128i m0 = compare(Load(bytes));
        const __m128i m1 = compare(Load(bytes + 16));
        const __m128i m2 = compare(Load(bytes + 32));
        const __m128i m3 = compare(Load(bytes + 48));
        // Most chunks hold no match at all: one test rules them out.
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(m0, m1), _mm_or_si128(m2, m3))) == 0)
            return 0;
        return Bits(m0) | Bits(m1) << 16 | Bits(m2) << 32 | Bits(m3) << 48;
    }
    static std::uint64_t FaceOrGroup(const char* bytes)
    {
        // 'f' (0x66) and 'g' (0x67) differ only in their lowest bit.
        return Where(bytes,
                     [](__m128i b) { return _mm_cmpeq_epi8(_mm_or_si128(b, _mm_set1_epi8(1)), _mm_set1_epi8('g')); });
    }
    static std::uint64_t LineEnd(const char* bytes)
    {
        return Where(bytes, [](__m128i b) {
            return _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(b, _mm_set1_epi8('\r')));
        });
    }
    static std::uint64_t Minus(const char* bytes)
    {
        return Where(bytes, [](__m128i b) { return _mm_cmpeq_epi8(b, _mm_set1_epi8('-')); });
    }
};
using ByteMasks = Sse2ByteMasks;
#else
using ByteMasks = PortableByteMasks;
#endif

} // namespace varnoke
