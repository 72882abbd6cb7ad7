#include "findings/token_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "findings/byte_masks.h"

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
        reader.sieve = nullptr;
        return false;
    }
    reader.sieve = nullptr;
    reader.pos = 0;
    reader.end = static_cast<std::size_t>(count);
    return true;
}

// The first byte at or after `pos` that is whitespace (or, with kSpace false, that is not), or
// the end of the block. Sixteen bytes a hop while they last, then byte by byte.
template <bool kSpace>
std::size_t find_first(const TokenReader& reader, std::size_t pos) {
    while (pos + 16 <= reader.end) {
        unsigned spaces = byte_masks::spaces16(reader.block + pos);
        unsigned wanted = kSpace ? spaces : ~spaces & 0xFFFFu;
        if (wanted != 0) return pos + static_cast<std::size_t>(__builtin_ctz(wanted));
        pos += 16;
    }
    while (pos < reader.end &&
           is_token_space(static_cast<unsigned char>(reader.block[pos])) != kSpace) {
        ++pos;
    }
    return pos;
}

}  // namespace

bool next_token(TokenReader& reader, Token& token) {
    for (;;) {
        reader.pos = find_first<false>(reader, reader.pos);
        if (reader.pos < reader.end) break;
        if (!refill(reader)) return false;
    }

    std::size_t start = reader.pos;
    reader.pos = find_first<true>(reader, start);
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
        reader.pos = find_first<true>(reader, 0);
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
