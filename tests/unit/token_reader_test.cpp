#include "findings/token_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "findings/token_sieve.h"
#include "test_files.h"

namespace {

using namespace std::string_literals;

struct Seen {
    std::string kept;
    std::size_t length;
    bool operator==(const Seen& other) const {
        return kept == other.kept && length == other.length;
    }
};

// The plain definition: maximal runs of bytes other than the six whitespace bytes.
std::vector<Seen> reference_tokens(const std::string& input) {
    std::vector<Seen> tokens;
    std::string current;
    std::size_t length = 0;
    for (char c : input + ' ') {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
            if (length > 0) tokens.push_back({current, length});
            current.clear();
            length = 0;
        } else {
            if (current.size() < TOKEN_CAPACITY - 1) current += c;
            ++length;
        }
    }
    return tokens;
}

std::size_t chunk_limit = 0;
long read_in_chunks(std::FILE* stream, char* buffer, std::size_t size) {
    return read_stream_block(stream, buffer, std::min(size, chunk_limit));
}

std::vector<Seen> read_tokens(const std::string& input, std::size_t chunk) {
    chunk_limit = chunk;
    std::FILE* stream = stream_holding(input);
    auto reader = std::make_unique<TokenReader>(stream, read_in_chunks);
    std::vector<Seen> tokens;
    Token token;
    while (next_token(*reader, token)) tokens.push_back({std::string(token.run()), token.length});
    EXPECT_FALSE(next_token(*reader, token)) << "the end must stay the end";
    EXPECT_EQ(reader->read_error, 0);
    std::fclose(stream);
    return tokens;
}

TEST(TokenReader, MatchesThePlainDefinitionAcrossBlockBoundaries) {
    const std::string inputs[] = {
        "",
        " \t\n\v\f\r ",
        "Serial\tNumber\r\n:\n  UPA1P430B638",
        "ends-without-line-end",
        "Specific: S/N: a,b;c \x1A \x80\xFF\x85 nbsp\xA0glued",  // only six bytes separate
        "nul\0inside token\0\0 \0"s,
        std::string(1027, 'A') + " " + std::string(1028, 'B') + "\n" + std::string(5000, 'C'),
        std::string(1027, 'A') + "UPA1P430B638 after",
    };
    for (const std::string& input : inputs) {
        for (std::size_t chunk :
             {std::size_t{1}, std::size_t{2}, std::size_t{7}, READ_BLOCK_SIZE}) {
            EXPECT_EQ(read_tokens(input, chunk), reference_tokens(input))
                << "chunk " << chunk << " input " << input.substr(0, 40);
        }
    }
}

TEST(TokenReader, LongTokenIsOneTokenWithItsFirstBytesKept) {
    std::string huge = "UPA1P430B638" + std::string(3 * READ_BLOCK_SIZE, 'x');
    std::vector<Seen> tokens = read_tokens("a " + huge + " b", READ_BLOCK_SIZE);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[1].length, huge.size());
    EXPECT_EQ(tokens[1].kept, huge.substr(0, TOKEN_CAPACITY - 1));
    EXPECT_EQ(tokens[2].kept, "b");
}

TEST(TokenReader, TextEndsAtTheFirstNul) {
    std::FILE* stream = stream_holding("Seri\0al x"s);
    auto reader = std::make_unique<TokenReader>(stream);
    Token token;
    ASSERT_TRUE(next_token(*reader, token));
    EXPECT_EQ(token.text(), "Seri");
    EXPECT_EQ(token.length, 7u);
    std::fclose(stream);
}

long failing_after_first_block(std::FILE* stream, char* buffer, std::size_t size) {
    static int calls = 0;
    if (++calls % 2 == 0) {
        errno = EIO;
        return -1;
    }
    return read_stream_block(stream, buffer, std::min<std::size_t>(size, 4));
}

TEST(TokenReader, ReadErrorEndsTheInputAndIsKept) {
    std::FILE* stream = stream_holding("abc defgh");
    auto reader = std::make_unique<TokenReader>(stream, failing_after_first_block);
    Token token;
    ASSERT_TRUE(next_token(*reader, token));
    EXPECT_EQ(token.text(), "abc");  // cut short by the error: the caller must not trust it
    EXPECT_FALSE(next_token(*reader, token));
    EXPECT_EQ(reader->read_error, EIO);
    std::fclose(stream);
}

TEST(TokenReader, ReadingADirectoryIsAReadError) {
    std::FILE* stream = std::fopen(".", "r");
    if (stream == nullptr) GTEST_SKIP() << "this system does not open folders as streams";
    auto reader = std::make_unique<TokenReader>(stream);
    Token token;
    EXPECT_FALSE(next_token(*reader, token));
    EXPECT_NE(reader->read_error, 0);
    std::fclose(stream);
}

}  // namespace

namespace {

// The reference for a sieve: every token of the plain definition that passes it exactly.
std::vector<std::string> tokens_passing(const std::string& input, const TokenSieve& sieve) {
    std::vector<std::string> passing;
    for (const Seen& seen : reference_tokens(input)) {
        Token token;
        token.bytes = seen.kept.data();
        token.kept = seen.kept.size();
        token.length = seen.length;
        if (passes(sieve, token)) passing.push_back(seen.kept);
    }
    return passing;
}

TEST(TokenReader, SievedReadingNeverMissesATokenThatPasses) {
    std::string input;
    for (int i = 0; i < 300; ++i) {
        input += "Serial Number : UPA1P430B638\r\nStatus Serial\0x Seria Serials\t"s;
        input += std::string(i % 70, 'x') + " SN:XYZUPA1P430B638 U 2622401cxq110c\n";
    }
    TokenSieve labels;
    labels.marks[0] = {0, 'S'};
    labels.mark_count = 1;
    labels.text_length = 6;
    TokenSieve serials;
    serials.marks[0] = {0, 'U'};
    serials.marks[1] = {6, 'U'};
    serials.mark_count = 2;
    TokenSieve ct_numbers;
    ct_numbers.marks[0] = {0, '2'};
    ct_numbers.mark_count = 1;
    ct_numbers.text_length = 14;
    for (const TokenSieve* sieve : {&labels, &serials, &ct_numbers}) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{300},
                                  std::size_t{1000}, READ_BLOCK_SIZE}) {
            chunk_limit = chunk;
            std::FILE* stream = stream_holding(input);
            auto reader = std::make_unique<TokenReader>(stream, read_in_chunks);
            std::vector<std::string> got;
            Token token;
            while (next_token_passing(*reader, *sieve, token)) {
                if (passes(*sieve, token)) got.push_back(std::string(token.run()));
            }
            EXPECT_EQ(got, tokens_passing(input, *sieve)) << "chunk " << chunk;
            std::fclose(stream);
        }
    }
}

}  // namespace
