#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

// The built-in catalogue of hard-disk units with a known hardware issue: two parallel columns,
// slot i of one belonging to slot i of the other. Rows are numbered from 0 in the code.
inline constexpr int KNOWN_UNIT_SLOTS = 15;
inline constexpr int KNOWN_UNIT_FIELD = 20;
inline constexpr int KNOWN_UNIT_COUNT =
    13;  // slots past this count stay empty and are never visited
inline constexpr int SERIAL_LENGTH = 12;
inline constexpr int CT_NUMBER_LENGTH = 14;

extern const char factory_serials[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD];
extern const char ct_numbers[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD];

struct KnownUnit {
    std::string_view factory_serial;
    std::string_view ct_number;
};

// The rows a lookup found, in ascending row order.
struct RowMatches {
    int count = 0;
    int rows[KNOWN_UNIT_COUNT];  // the first `count` are set

    bool holds(int row) const {
        for (int i = 0; i < count; ++i) {
            if (rows[i] == row) return true;
        }
        return false;
    }
};

// Every factory serial has SERIAL_LENGTH characters and every CT number CT_NUMBER_LENGTH.
inline std::string_view factory_serial(int row) {
    return std::string_view(factory_serials[row], SERIAL_LENGTH);
}
inline std::string_view ct_number(int row) {
    return std::string_view(ct_numbers[row], CT_NUMBER_LENGTH);
}
inline KnownUnit known_unit(int row) {
    return KnownUnit{factory_serial(row), ct_number(row)};
}

// The byte that every value of a column starts with, or NUL when they do not all share one.
char shared_first_byte(const char (&column)[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD]);

// At most 12 bytes of `token` from `start`, ending before the first NUL at or after `start`;
// empty when the token has `start` bytes or fewer. `token` is the whole run of the token's bytes.
inline std::string_view serial_window(std::string_view token, std::size_t start) {
    if (token.size() <= start) return {};
    std::size_t limit = std::min(token.size() - start, std::size_t{SERIAL_LENGTH});
    std::size_t length = 0;
    while (length < limit && token[start + length] != '\0') ++length;
    return token.substr(start, length);
}

// Whether `candidate` is the factory serial of `row`, letter case significant.
inline bool is_factory_serial(std::string_view candidate, int row) {
    return candidate.size() == SERIAL_LENGTH &&
           std::memcmp(candidate.data(), factory_serials[row], SERIAL_LENGTH) == 0;
}

// A quick first test for the lookups, which nearly all text fails: a 4096-bit set of hashes of a
// column's values. A candidate whose hash is not in the set matches no row; one whose hash is
// goes on to the pass over the rows. Letter case is folded into the CT numbers' hashes by
// setting bit 0x20 of every byte, which each ASCII letter shares with its other case.
struct ValueHashes {
    std::uint64_t words[64] = {};

    static unsigned slot(std::uint64_t key) {
        return static_cast<unsigned>((key * 0x9E3779B97F4A7C15u) >> 52);
    }
    void add(std::uint64_t key) { words[slot(key) >> 6] |= std::uint64_t{1} << (slot(key) & 63); }
    bool may_hold(std::uint64_t key) const {
        return ((words[slot(key) >> 6] >> (slot(key) & 63)) & 1) != 0;
    }
};
extern const ValueHashes SERIAL_HASHES;
extern const ValueHashes CT_NUMBER_HASHES;

inline std::uint64_t load_bytes64(const char* p) {
    std::uint64_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}
// The hash key of the 12 bytes of a serial.
inline std::uint64_t serial_key(const char* p) {
    std::uint32_t tail;
    std::memcpy(&tail, p + 8, sizeof tail);
    return load_bytes64(p) ^ (std::uint64_t{tail} << 29);
}
// The hash key of the 14 bytes of a CT number, letter case folded.
inline std::uint64_t ct_number_key(const char* p) {
    constexpr std::uint64_t CASE_BITS = 0x2020202020202020u;
    return (load_bytes64(p) | CASE_BITS) ^ ((load_bytes64(p + 6) | CASE_BITS) << 7);
}

// The linear passes over rows 1 to 13 behind the lookups below.
void collect_serial_rows(std::string_view candidate, RowMatches& matches);
void collect_ct_rows(std::string_view candidate, RowMatches& matches);

// Rows whose factory serial equals `candidate` exactly, letter case significant.
inline RowMatches rows_matching_serial(std::string_view candidate) {
    RowMatches matches;
    if (candidate.size() == SERIAL_LENGTH && SERIAL_HASHES.may_hold(serial_key(candidate.data()))) {
        collect_serial_rows(candidate, matches);
    }
    return matches;
}

// Rows whose CT number equals `candidate` with ASCII letters taken as equal to their other case.
inline RowMatches rows_matching_ct(std::string_view candidate) {
    RowMatches matches;
    if (candidate.size() == CT_NUMBER_LENGTH &&
        CT_NUMBER_HASHES.may_hold(ct_number_key(candidate.data()))) {
        collect_ct_rows(candidate, matches);
    }
    return matches;
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b);
