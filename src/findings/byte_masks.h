#pragma once

#include <cstdint>

#include "findings/token_reader.h"

// Classifies 64 bytes at once: bit i of each mask describes byte p[i]. SSE2 is on every x86 and
// x86-64 target the tool is built for; other targets get the plain loop, chosen at compile time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TRAVENNIK_SSE2 1
#endif

#if defined(__GNUC__)
#define TRAVENNIK_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define TRAVENNIK_ALWAYS_INLINE inline
#endif

namespace byte_masks {

// Which of 64 bytes are whitespace, which are NUL, which equal `first` and which equal
// `second`. Only the masks asked for (kNuls, kSecond) are made: turning byte comparisons into
// bits is the costly part.
struct ChunkMasks {
    std::uint64_t spaces;
    std::uint64_t nuls;
    std::uint64_t first;
    std::uint64_t second;
};

namespace portable {

inline bool is_token_space(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <bool kNuls, bool kSecond>
inline ChunkMasks classify(const char* p, char first, char second) {
    ChunkMasks masks = {};
    for (int i = 0; i < 64; ++i) {
        unsigned char c = static_cast<unsigned char>(p[i]);
        masks.spaces |= static_cast<std::uint64_t>(is_token_space(c)) << i;
        masks.first |= static_cast<std::uint64_t>(p[i] == first) << i;
        if (kNuls) masks.nuls |= static_cast<std::uint64_t>(c == 0) << i;
        if (kSecond) masks.second |= static_cast<std::uint64_t>(p[i] == second) << i;
    }
    return masks;
}

inline unsigned spaces16(const char* p) {
    unsigned mask = 0;
    for (int i = 0; i < 16; ++i) {
        mask |= static_cast<unsigned>(is_token_space(static_cast<unsigned char>(p[i]))) << i;
    }
    return mask;
}

}  // namespace portable

#ifdef TRAVENNIK_SSE2
namespace sse2 {

TRAVENNIK_ALWAYS_INLINE std::uint64_t combine(__m128i a, __m128i b, __m128i c, __m128i d) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(a))) |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(b))) << 16 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(c))) << 32 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(d))) << 48;
}

TRAVENNIK_ALWAYS_INLINE __m128i load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Space, tab, line feed, vertical tab, form feed, carriage return: 0x20, or 0x09 to 0x0D.
TRAVENNIK_ALWAYS_INLINE __m128i is_space(__m128i bytes) {
    __m128i from_tab = _mm_sub_epi8(bytes, _mm_set1_epi8(9));
    __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(from_tab, _mm_set1_epi8(4)), from_tab);
    return _mm_or_si128(control, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')));
}

TRAVENNIK_ALWAYS_INLINE std::uint64_t equal_bits(const __m128i (&v)[4], char byte) {
    __m128i want = _mm_set1_epi8(byte);
    return combine(_mm_cmpeq_epi8(v[0], want), _mm_cmpeq_epi8(v[1], want),
                   _mm_cmpeq_epi8(v[2], want), _mm_cmpeq_epi8(v[3], want));
}

template <bool kNuls, bool kSecond>
TRAVENNIK_ALWAYS_INLINE ChunkMasks classify(const char* p, char first, char second) {
    const __m128i v[4] = {load(p), load(p + 16), load(p + 32), load(p + 48)};
    ChunkMasks masks = {};
    masks.spaces = combine(is_space(v[0]), is_space(v[1]), is_space(v[2]), is_space(v[3]));
    masks.first = equal_bits(v, first);
    if (kNuls) {
        // NUL bytes are rare in text: one test for the whole chunk spares the bits most times.
        const __m128i zero = _mm_setzero_si128();
        __m128i any =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v[0], zero), _mm_cmpeq_epi8(v[1], zero)),
                         _mm_or_si128(_mm_cmpeq_epi8(v[2], zero), _mm_cmpeq_epi8(v[3], zero)));
        if (_mm_movemask_epi8(any) != 0) masks.nuls = equal_bits(v, '\0');
    }
    if (kSecond) masks.second = equal_bits(v, second);
    return masks;
}

TRAVENNIK_ALWAYS_INLINE unsigned spaces16(const char* p) {
    return static_cast<unsigned>(_mm_movemask_epi8(is_space(load(p))));
}

}  // namespace sse2
#endif

// Which of 16 bytes are whitespace, for the short hops of next_token.
TRAVENNIK_ALWAYS_INLINE unsigned spaces16(const char* p) {
#ifdef TRAVENNIK_SSE2
    return sse2::spaces16(p);
#else
    return portable::spaces16(p);
#endif
}

template <bool kNuls, bool kSecond>
TRAVENNIK_ALWAYS_INLINE ChunkMasks classify(const char* p, char first, char second) {
#ifdef TRAVENNIK_SSE2
    return sse2::classify<kNuls, kSecond>(p, first, second);
#else
    return portable::classify<kNuls, kSecond>(p, first, second);
#endif
}

// Bit i of the result describes byte i + `offset` of the 128 bytes that `low` and `high`
// describe; `offset` is below 64.
inline std::uint64_t shifted(std::uint64_t low, std::uint64_t high, unsigned offset) {
    return offset == 0 ? low : (low >> offset) | (high << (64 - offset));
}

}  // namespace byte_masks
