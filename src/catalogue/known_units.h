#pragma once

#include <string_view>

// The built-in catalogue of hard-disk units with a known hardware issue: two parallel columns,
// slot i of one belonging to slot i of the other. Rows are numbered from 0 in the code.
inline constexpr int KNOWN_UNIT_SLOTS = 15;
inline constexpr int KNOWN_UNIT_FIELD = 20;
inline constexpr int KNOWN_UNIT_COUNT = 13;  // slots past this count stay empty and are never visited
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
    int rows[KNOWN_UNIT_COUNT] = {};
};

// Every factory serial has SERIAL_LENGTH characters and every CT number CT_NUMBER_LENGTH.
inline std::string_view factory_serial(int row) {
    return std::string_view(factory_serials[row], SERIAL_LENGTH);
}
inline std::string_view ct_number(int row) {
    return std::string_view(ct_numbers[row], CT_NUMBER_LENGTH);
}
inline KnownUnit known_unit(int row) { return KnownUnit{factory_serial(row), ct_number(row)}; }

// The byte that every value of a column starts with, or NUL when they do not all share one.
char shared_first_byte(const char (&column)[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD]);

// At most 12 bytes of `token` from `start`, ending before the first NUL at or after `start`;
// empty when the token has `start` bytes or fewer. `token` is the whole run of the token's bytes.
inline std::string_view serial_window(std::string_view token, std::size_t start) {
    if (token.size() <= start) return {};
    std::string_view rest = token.substr(start, SERIAL_LENGTH);
    return rest.substr(0, rest.find('\0'));
}

// Rows whose factory serial equals `candidate` exactly, letter case significant.
RowMatches rows_matching_serial(std::string_view candidate);
// Rows whose CT number equals `candidate` with ASCII letters taken as equal to their other case.
RowMatches rows_matching_ct(std::string_view candidate);

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b);
