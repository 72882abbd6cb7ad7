#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

// A token holds at most this many characters plus its terminator. Longer tokens are still read
// whole, never split: only their first TOKEN_CAPACITY - 1 bytes are kept, which is more than any
// comparison looks at.
inline constexpr std::size_t TOKEN_CAPACITY = 1028;
inline constexpr std::size_t READ_BLOCK_SIZE = std::size_t{1} << 18;

// One whitespace-separated token. `bytes` points into the reader and stays valid until the next
// call of next_token on the same reader.
struct Token {
    const char* bytes = nullptr;
    std::size_t kept = 0;    // bytes available at `bytes`: the length, capped at TOKEN_CAPACITY - 1
    std::size_t length = 0;  // the whole run of bytes, however long

    // The whole run of bytes (as far as kept), NUL bytes included: windows count positions in it.
    std::string_view run() const { return std::string_view(bytes, kept); }
    // The token's text for comparisons and output: the bytes before its first NUL.
    std::string_view text() const {
        std::size_t length = 0;  // most tokens are short: a plain loop beats a library call
        while (length < kept && bytes[length] != '\0') ++length;
        return std::string_view(bytes, length);
    }
};

struct TokenSieve;

// next_token_passing sieves this many bytes at a time; a stretch holds at most half as many
// token starts.
inline constexpr std::size_t SIEVE_STRETCH = 4096;

// Reads up to `size` bytes into `buffer`: the count read, 0 at the end of the input, or -1 on a
// read error with errno set. The token reader reads only through such a function.
using ReadBlockFn = long (*)(std::FILE* stream, char* buffer, std::size_t size);
long read_stream_block(std::FILE* stream, char* buffer, std::size_t size);

struct TokenReader {
    explicit TokenReader(std::FILE* input, ReadBlockFn read = read_stream_block)
        : stream(input), read_block(read) {}
    TokenReader(const TokenReader&) = delete;
    TokenReader& operator=(const TokenReader&) = delete;

    std::FILE* stream;
    ReadBlockFn read_block;
    std::size_t pos = 0;
    std::size_t end = 0;
    bool at_end = false;
    int read_error = 0;  // errno of a failed read; the input then counts as ended
    // next_token_passing sieves the block a stretch at a time ahead of the scanner and keeps the
    // starts of the tokens that passed here. All of it is forgotten when the block is refilled.
    const TokenSieve* sieve = nullptr;
    std::size_t sieved_to = 0;       // the next byte to sieve; bytes before it are done
    std::uint64_t space_before = 1;  // whether the byte before `sieved_to` is whitespace
    std::size_t last_space = 0;      // the last whitespace byte sieved (or where sieving began)
    std::size_t candidate_next = 0;
    std::size_t candidate_count = 0;
    struct Candidate {
        std::uint32_t start;
        std::uint32_t length;  // 0 when the token runs on past what the sieve saw
    };
    Candidate candidates[SIEVE_STRETCH / 2];
    char block[READ_BLOCK_SIZE];
    char carry[TOKEN_CAPACITY];  // a token that crosses blocks is gathered here
};

// Whitespace is exactly space, tab, line feed, vertical tab, form feed and carriage return.
inline bool is_token_space(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Skips whitespace and returns the next token in `token`. Returns false at the end of the input
// (or after a read error, which `read_error` tells), and on every later call.
bool next_token(TokenReader& reader, Token& token);
