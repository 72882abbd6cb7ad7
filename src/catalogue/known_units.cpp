#include "catalogue/known_units.h"

#include <cstdint>
#include <cstring>

// Row 13's CT number has the capital letter O in its tenth place; every other zero-like
// character of the table is the digit zero.
const char factory_serials[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD] = {
    "UPA1P430B638",  // 1
    "UPA1P41098NV",  // 2
    "UPA1P3C091SM",  // 3
    "UPA1P41092S8",  // 4
    "UUL1P3C02028",  // 5
    "UPA1P38049TU",  // 6
    "UPL1P3A0BBY2",  // 7
    "UPL1P3909HUP",  // 8
    "UPA1P3C0907F",  // 9
    "UPL1P420FUUF",  // 10
    "UPL1P3805JE3",  // 11
    "UUL1P4403E1F",  // 12
    "UPA1P3502K70",  // 13
};

const char ct_numbers[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD] = {
    "2622401CXQ110C",  // 1
    "2622401CXPS1B5",  // 2
    "2622401CXPQ3MC",  // 3
    "2622401CXPR0LF",  // 4
    "2622302CXPQ0YL",  // 5
    "2622401CXP45V0",  // 6
    "2622301CXPGBRE",  // 7
    "2622301CXP93ZK",  // 8
    "2622401CXPQ1QY",  // 9
    "2622301CXPX24A",  // 10
    "2622301CXP5BSW",  // 11
    "2622302CXQ60B0",  // 12
    "2622401CXOU12H",  // 13
};

namespace {

char ascii_upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

char shared_first_byte(const char (&column)[KNOWN_UNIT_SLOTS][KNOWN_UNIT_FIELD]) {
    for (int row = 1; row < KNOWN_UNIT_COUNT; ++row) {
        if (column[row][0] != column[0][0]) return '\0';
    }
    return column[0][0];
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    }
    return true;
}

const ValueHashes SERIAL_HASHES = [] {
    ValueHashes built;
    for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) built.add(serial_key(factory_serials[row]));
    return built;
}();

const ValueHashes CT_NUMBER_HASHES = [] {
    ValueHashes built;
    for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) built.add(ct_number_key(ct_numbers[row]));
    return built;
}();

void collect_serial_rows(std::string_view candidate, RowMatches& matches) {
    for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
        if (is_factory_serial(candidate, row)) matches.rows[matches.count++] = row;
    }
}

void collect_ct_rows(std::string_view candidate, RowMatches& matches) {
    // The table's CT numbers are upper-case letters and digits, so folding the candidate once
    // and comparing bytes is the same as comparing with ASCII letter case ignored.
    char folded[CT_NUMBER_LENGTH];
    for (int i = 0; i < CT_NUMBER_LENGTH; ++i) folded[i] = ascii_upper(candidate[i]);
    for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
        if (std::memcmp(ct_numbers[row], folded, CT_NUMBER_LENGTH) == 0) {
            matches.rows[matches.count++] = row;
        }
    }
}
