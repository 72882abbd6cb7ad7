#include "findings/token_sieve.h"

#include <algorithm>

#include "findings/byte_masks.h"

bool passes(const TokenSieve& sieve, const Token& token) {
    bool marked = sieve.mark_count == 0;
    for (int i = 0; i < sieve.mark_count; ++i) {
        const TokenSieve::Mark& mark = sieve.marks[i];
        if (mark.offset < token.kept && token.bytes[mark.offset] == mark.byte) marked = true;
    }
    if (!marked || sieve.text_length == 0) return marked;
    return token.length == sieve.text_length ||
           (token.kept > sieve.text_length && token.bytes[sieve.text_length] == '\0');
}

namespace {

// Whether the sieve's marks look for two different bytes.
bool second_mark_byte(const TokenSieve& sieve) {
    return sieve.mark_count > 1 && sieve.marks[1].byte != sieve.marks[0].byte;
}

// PERF NOTE: this loop is where the tool spends its time on large inputs. It looks at 64 bytes
// a step and never at a token by itself: one pass over the bytes gives masks of whitespace, NUL
// and the sieve's bytes; the whitespace mask gives the token starts, and the other masks, moved
// by the sieve's offsets (with bits from the next 64 bytes, classified a step ahead), say which
// starts could matter. Those are written down and the loop goes on: it is never left for a
// token. The caller keeps 128 bytes from every step start inside the block, so no load needs a
// bounds check.
// Made for each shape of sieve so that only the masks it needs are computed.
template <int kMarks, bool kNuls, bool kSecond>
std::size_t sieve_stretch(TokenReader& reader, const TokenSieve& sieve, std::size_t to) {
    const char* block = reader.block;
    const char first = kMarks > 0 ? sieve.marks[0].byte : '\0';
    const char second = kSecond ? sieve.marks[1].byte : first;
    const unsigned offsets[2] = {kMarks > 0 ? sieve.marks[0].offset : 0u,
                                 kMarks > 1 ? sieve.marks[1].offset : 0u};
    const bool second_is_other[2] = {false, kSecond};
    const unsigned text_length = sieve.text_length;
    std::size_t found = 0;
    std::size_t pos = reader.sieved_to;
    std::uint64_t space_before = reader.space_before;
    byte_masks::ChunkMasks now = byte_masks::classify<kNuls, kSecond>(block + pos, first, second);
    for (; pos < to; pos += 64) {
        byte_masks::ChunkMasks next =
            byte_masks::classify<kNuls, kSecond>(block + pos + 64, first, second);
        std::uint64_t starts = ~now.spaces & ((now.spaces << 1) | space_before);
        std::uint64_t wanted = kMarks == 0 ? ~std::uint64_t{0} : 0;
        for (int i = 0; i < kMarks; ++i) {
            wanted |=
                byte_masks::shifted(second_is_other[i] ? now.second : now.first,
                                    second_is_other[i] ? next.second : next.first, offsets[i]);
        }
        if (kNuls) {
            wanted &=
                byte_masks::shifted(now.spaces | now.nuls, next.spaces | next.nuls, text_length);
        }
        for (std::uint64_t hits = starts & wanted; hits != 0; hits &= hits - 1) {
            unsigned offset = static_cast<unsigned>(__builtin_ctzll(hits));
            std::uint64_t spaces_after = byte_masks::shifted(now.spaces, next.spaces, offset);
            std::uint32_t length =
                spaces_after != 0 ? static_cast<std::uint32_t>(__builtin_ctzll(spaces_after)) : 0;
            reader.candidates[found++] = {static_cast<std::uint32_t>(pos + offset), length};
        }
        if (now.spaces != 0) {
            reader.last_space = pos + 63 - static_cast<std::size_t>(__builtin_clzll(now.spaces));
        }
        space_before = now.spaces >> 63;
        now = next;
    }
    reader.sieved_to = pos;
    reader.space_before = space_before;
    return found;
}

// Each shape of sieve gets a loop of its own.
template <int kMarks, bool kSecond>
std::size_t sieve_with_marks(TokenReader& reader, const TokenSieve& sieve, std::size_t to) {
    return sieve.text_length != 0 ? sieve_stretch<kMarks, true, kSecond>(reader, sieve, to)
                                  : sieve_stretch<kMarks, false, kSecond>(reader, sieve, to);
}

// Sieves the next stretch of the block. False when too little of the block is left for a step.
bool sieve_next_stretch(TokenReader& reader, const TokenSieve& sieve) {
    if (reader.sieve != &sieve) {  // a new block, or another sieve: start where the reader is
        reader.sieve = &sieve;
        reader.sieved_to = reader.pos;
        reader.space_before = 1;  // `pos` is whitespace or the start of the input
        reader.last_space = reader.pos;
        reader.candidate_next = reader.candidate_count = 0;
    }
    if (reader.sieved_to + 128 > reader.end) return false;
    // Every step reads the 128 bytes from where it starts: it starts below end - 127.
    std::size_t to = std::min(reader.sieved_to + SIEVE_STRETCH, reader.end - 127);
    std::size_t found;
    if (sieve.mark_count == 0) {
        found = sieve_with_marks<0, false>(reader, sieve, to);
    } else if (sieve.mark_count == 1) {
        found = sieve_with_marks<1, false>(reader, sieve, to);
    } else if (second_mark_byte(sieve)) {
        found = sieve_with_marks<2, true>(reader, sieve, to);
    } else {
        found = sieve_with_marks<2, false>(reader, sieve, to);
    }
    reader.candidate_next = 0;
    reader.candidate_count = found;
    return true;
}

}  // namespace

bool next_token_passing(TokenReader& reader, const TokenSieve& sieve, Token& token) {
    for (;;) {
        if (reader.sieve == &sieve) {
            while (reader.candidate_next < reader.candidate_count) {
                const TokenReader::Candidate& next = reader.candidates[reader.candidate_next++];
                if (next.start < reader.pos) continue;  // the scanner has read past it already
                if (next.length == 0) {
                    reader.pos = next.start;
                    return next_token(reader, token);
                }
                token.bytes = reader.block + next.start;
                token.length = token.kept = next.length;
                reader.pos = next.start + next.length;
                return true;
            }
        }
        if (sieve_next_stretch(reader, sieve)) continue;

        // Too near the end of the block for a step: the rest goes token by token, from a place
        // that is whitespace or a token start (next_token refills, and sieving starts afresh).
        reader.pos = std::max(reader.pos, reader.last_space);
        if (!next_token(reader, token)) return false;
        if (passes(sieve, token)) return true;
    }
}
