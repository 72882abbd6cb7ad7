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

KnownUnit known_unit(int row);
std::string_view factory_serial(int row);
std::string_view ct_number(int row);

// At most 12 bytes of `token` from `start`, ending before the first NUL at or after `start`;
// empty when the token has `start` bytes or fewer. `token` is the whole run of the token's bytes.
std::string_view serial_window(std::string_view token, std::size_t start);

// Rows whose factory serial equals `candidate` exactly, letter case significant.
RowMatches rows_matching_serial(std::string_view candidate);
// Rows whose CT number equals `candidate` with ASCII letters taken as equal to their other case.
RowMatches rows_matching_ct(std::string_view candidate);

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b);
