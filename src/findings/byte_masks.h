#pragma once

#include <cstdint>

// Classifies 64 bytes at once: bit i of each mask describes byte p[i]. SSE2 is on every x86 and
// x86-64 target the tool is built for; other targets get the plain loop, chosen at compile time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TRAVENNIK_SSE2 1
#endif

namespace byte_masks {

#ifdef TRAVENNIK_SSE2

inline std::uint64_t combine(__m128i a, __m128i b, __m128i c, __m128i d) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(a))) |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(b))) << 16 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(c))) << 32 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(d))) << 48;
}

inline __m128i load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Space, tab, line feed, vertical tab, form feed, carriage return: 0x20, or 0x09 to 0x0D.
inline __m128i is_space(__m128i bytes) {
    __m128i from_tab = _mm_sub_epi8(bytes, _mm_set1_epi8(9));
    __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(from_tab, _mm_set1_epi8(4)), from_tab);
    return _mm_or_si128(control, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')));
}

inline std::uint64_t spaces(const char* p) {
    return combine(is_space(load(p)), is_space(load(p + 16)), is_space(load(p + 32)),
                   is_space(load(p + 48)));
}

inline std::uint64_t equal_to(const char* p, char byte) {
    __m128i wanted = _mm_set1_epi8(byte);
    return combine(_mm_cmpeq_epi8(load(p), wanted), _mm_cmpeq_epi8(load(p + 16), wanted),
                   _mm_cmpeq_epi8(load(p + 32), wanted), _mm_cmpeq_epi8(load(p + 48), wanted));
}

// Bytes that end a token's text: whitespace or NUL.
inline __m128i ends_text(__m128i bytes) {
    return _mm_or_si128(is_space(bytes), _mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
}

inline std::uint64_t text_ends(const char* p) {
    return combine(ends_text(load(p)), ends_text(load(p + 16)), ends_text(load(p + 32)),
                   ends_text(load(p + 48)));
}

#else

inline bool is_space_byte(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline std::uint64_t spaces(const char* p) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i) {
        mask |= static_cast<std::uint64_t>(is_space_byte(static_cast<unsigned char>(p[i]))) << i;
    }
    return mask;
}

inline std::uint64_t equal_to(const char* p, char byte) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i) mask |= static_cast<std::uint64_t>(p[i] == byte) << i;
    return mask;
}

inline std::uint64_t text_ends(const char* p) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i) {
        unsigned char c = static_cast<unsigned char>(p[i]);
        mask |= static_cast<std::uint64_t>(c == 0 || is_space_byte(c)) << i;
    }
    return mask;
}

#endif

}  // namespace byte_masks
