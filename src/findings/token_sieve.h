#pragma once

#include "findings/token_reader.h"

// What a token must look like for a scanner to want it: a cheap test on two or three bytes, so
// that the reader can pass over every other token without handing it out.
struct TokenSieve {
    struct Mark {
        unsigned char offset;
        char byte;
    };
    // The token's byte at one of these offsets (below 64) is that mark's byte (no marks: any
    // token).
    Mark marks[2] = {};
    int mark_count = 0;
    // When nonzero (and below 64), the token's text ends at this offset: its run of bytes is
    // this long, or has a NUL there.
    unsigned char text_length = 0;
};

// The exact test that the reader approximates 64 bytes at a time.
bool passes(const TokenSieve& sieve, const Token& token);

// Like next_token, but passes over tokens that fail the sieve. It may hand out a token that
// fails it (the caller judges every token it gets); it never passes over one that passes.
bool next_token_passing(TokenReader& reader, const TokenSieve& sieve, Token& token);
