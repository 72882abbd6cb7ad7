#include "findings/token_reader.h"

#include "findings/byte_masks.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

long read_stream_block(std::FILE* stream, char* buffer, std::size_t size) {
    std::size_t count = std::fread(buffer, 1, size, stream);
    if (count == 0 && std::ferror(stream)) return -1;
    return static_cast<long>(count);
}

namespace {

bool refill(TokenReader& reader) {
    if (reader.at_end) return false;
    errno = 0;
    long count = reader.read_block(reader.stream, reader.block, READ_BLOCK_SIZE);
    if (count <= 0) {
        reader.at_end = true;
        if (count < 0) reader.read_error = errno != 0 ? errno : EIO;
        reader.pos = reader.end = 0;
        reader.chunk_sieve = nullptr;
        return false;
    }
    reader.chunk_sieve = nullptr;
    reader.pos = 0;
    reader.end = static_cast<std::size_t>(count);
    return true;
}

std::size_t skip_token_bytes(const TokenReader& reader, std::size_t pos) {
    while (pos < reader.end && !is_token_space(static_cast<unsigned char>(reader.block[pos]))) ++pos;
    return pos;
}

}  // namespace

bool next_token(TokenReader& reader, Token& token) {
    for (;;) {
        while (reader.pos < reader.end &&
               is_token_space(static_cast<unsigned char>(reader.block[reader.pos]))) {
            ++reader.pos;
        }
        if (reader.pos < reader.end) break;
        if (!refill(reader)) return false;
    }

    std::size_t start = reader.pos;
    reader.pos = skip_token_bytes(reader, start);
    std::size_t length = reader.pos - start;
    if (reader.pos < reader.end) {  // the common case: the token ends inside this block
        token.bytes = reader.block + start;
        token.length = length;
        token.kept = std::min(length, TOKEN_CAPACITY - 1);
        return true;
    }

    // The token runs up to the end of the block: gather its first bytes in `carry` and keep
    // counting the rest until whitespace or the end of the input.
    std::size_t kept = std::min(length, TOKEN_CAPACITY - 1);
    std::memcpy(reader.carry, reader.block + start, kept);
    while (refill(reader)) {
        reader.pos = skip_token_bytes(reader, 0);
        std::size_t room = TOKEN_CAPACITY - 1 - kept;
        std::size_t take = std::min(reader.pos, room);
        std::memcpy(reader.carry + kept, reader.block, take);
        kept += take;
        length += reader.pos;
        if (reader.pos < reader.end) break;
    }
    token.bytes = reader.carry;
    token.length = length;
    token.kept = kept;
    return true;
}

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

// Hands out the token that starts at `start` inside the classified chunk: its end is the next
// whitespace bit of the chunk, or, past the chunk, wherever next_token finds it.
bool token_in_chunk(TokenReader& reader, std::size_t start, Token& token) {
    std::uint64_t later_spaces = reader.chunk_spaces >> (start - reader.chunk_start);
    if (later_spaces == 0) {
        reader.pos = start;
        return next_token(reader, token);
    }
    std::size_t length = static_cast<std::size_t>(__builtin_ctzll(later_spaces));
    token.bytes = reader.block + start;
    token.length = length;
    token.kept = length;  // shorter than a chunk, far below the capacity
    reader.pos = start + length;
    return true;
}

}  // namespace

// PERF NOTE: this loop is where the tool spends its time on large inputs. It looks at 64 bytes
// a step and never at a token by itself: a mask of whitespace gives the token starts, masks of
// the sieve's bytes (read at their offsets from every position) say which starts could matter,
// and only those leave the loop. Steps run while 64 + SIEVE_REACH bytes remain in the block, so
// no load needs a bounds check; the few tokens at the block's end go through next_token. The
// masks of the step that found candidates are kept, so the next call takes the next candidate
// of the same step without classifying again.
bool next_token_passing(TokenReader& reader, const TokenSieve& sieve, Token& token) {
    for (;;) {
        std::size_t pos = reader.pos;
        std::uint64_t space_before = 1;  // the byte before `pos` ended a token, or there was none
        if (reader.chunk_sieve == &sieve && pos >= reader.chunk_start &&
            pos < reader.chunk_start + 64) {
            std::uint64_t left = reader.chunk_hits & (~std::uint64_t{0} << (pos - reader.chunk_start));
            if (left != 0) {
                return token_in_chunk(
                    reader, reader.chunk_start + static_cast<std::size_t>(__builtin_ctzll(left)),
                    token);
            }
            space_before = reader.chunk_spaces >> 63;
            pos = reader.chunk_start + 64;
        }

        std::size_t restart = reader.pos;  // a whitespace byte, or a token start
        const char* block = reader.block;
        while (pos + 64 + SIEVE_REACH <= reader.end) {
            const char* chunk = block + pos;
            std::uint64_t spaces = byte_masks::spaces(chunk);
            std::uint64_t starts = ~spaces & ((spaces << 1) | space_before);
            std::uint64_t wanted = sieve.mark_count == 0 ? ~std::uint64_t{0} : 0;
            for (int i = 0; i < sieve.mark_count; ++i) {
                wanted |= byte_masks::equal_to(chunk + sieve.marks[i].offset, sieve.marks[i].byte);
            }
            if (sieve.text_length != 0) wanted &= byte_masks::text_ends(chunk + sieve.text_length);
            std::uint64_t hits = starts & wanted;
            if (hits != 0) {
                reader.chunk_sieve = &sieve;
                reader.chunk_start = pos;
                reader.chunk_hits = hits;
                reader.chunk_spaces = spaces;
                return token_in_chunk(reader, pos + static_cast<std::size_t>(__builtin_ctzll(hits)),
                                      token);
            }
            if (spaces != 0) restart = pos + 63 - static_cast<std::size_t>(__builtin_clzll(spaces));
            space_before = spaces >> 63;
            pos += 64;
        }

        // Too near the end of the block for a step: one token the plain way.
        reader.pos = restart;
        if (!next_token(reader, token)) return false;
        if (passes(sieve, token)) return true;
    }
}
