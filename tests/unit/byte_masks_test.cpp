#include "findings/byte_masks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "findings/token_reader.h"

namespace {

// The expected masks, one byte at a time from the definitions.
byte_masks::ChunkMasks expected_masks(const char* p, char first, char second) {
    byte_masks::ChunkMasks masks = {};
    for (int i = 0; i < 64; ++i) {
        std::uint64_t bit = std::uint64_t{1} << i;
        if (is_token_space(static_cast<unsigned char>(p[i]))) masks.spaces |= bit;
        if (p[i] == '\0') masks.nuls |= bit;
        if (p[i] == first) masks.first |= bit;
        if (p[i] == second) masks.second |= bit;
    }
    return masks;
}

void expect_same(const byte_masks::ChunkMasks& got, const byte_masks::ChunkMasks& want) {
    EXPECT_EQ(got.spaces, want.spaces);
    EXPECT_EQ(got.nuls, want.nuls);
    EXPECT_EQ(got.first, want.first);
    EXPECT_EQ(got.second, want.second);
}

TEST(ByteMasks, EveryByteValueIsClassifiedAsDefined) {
    // All 256 byte values in four chunks, then random chunks rich in the bytes near the edges
    // of the whitespace range.
    std::string bytes;
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    std::mt19937 random(7);
    const char edges[] = {'\0',   '\x08', '\t', '\n', '\v', '\f',   '\r',   '\x0E',
                          '\x1F', ' ',    '!',  'U',  'u',  '\x89', '\xA0', '\xFF'};
    for (int chunk = 0; chunk < 200; ++chunk) {
        for (int i = 0; i < 64; ++i) bytes += edges[random() % sizeof edges];
    }
    for (std::size_t at = 0; at + 64 <= bytes.size(); at += 64) {
        const char* p = bytes.data() + at;
        byte_masks::ChunkMasks want = expected_masks(p, 'U', 'u');
        expect_same(byte_masks::portable::classify<true, true>(p, 'U', 'u'), want);
        EXPECT_EQ(byte_masks::portable::spaces16(p + 16), (want.spaces >> 16) & 0xFFFF);
#ifdef TRAVENNIK_SSE2
        expect_same(byte_masks::sse2::classify<true, true>(p, 'U', 'u'), want);
        EXPECT_EQ(byte_masks::sse2::spaces16(p + 16), (want.spaces >> 16) & 0xFFFF);
#endif
    }
}

TEST(ByteMasks, ShiftedTakesBitsFromTheNextChunk) {
    EXPECT_EQ(byte_masks::shifted(0xF0, 0, 4), 0xFu);
    EXPECT_EQ(byte_masks::shifted(0, 1, 6), std::uint64_t{1} << 58);
    EXPECT_EQ(byte_masks::shifted(0x1234, 0xFF, 0), 0x1234u);
}

}  // namespace
