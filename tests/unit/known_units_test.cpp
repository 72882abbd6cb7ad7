#include "catalogue/known_units.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace std::string_literals;

TEST(KnownUnits, TableHasThirteenDistinctRowsOfTheRightShape) {
    for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
        // The lookups rely on these fixed lengths, and on upper-case letters and digits only.
        for (char c : std::string(factory_serial(row)) + std::string(ct_number(row))) {
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << row;
        }
        EXPECT_EQ(strnlen(factory_serials[row], KNOWN_UNIT_FIELD), 12u) << row;
        EXPECT_EQ(strnlen(ct_numbers[row], KNOWN_UNIT_FIELD), 14u) << row;
        for (int other = row + 1; other < KNOWN_UNIT_COUNT; ++other) {
            EXPECT_NE(factory_serial(row), factory_serial(other));
            EXPECT_NE(ct_number(row), ct_number(other));
        }
    }
    EXPECT_EQ(factory_serials[13][0], '\0');
    EXPECT_EQ(ct_numbers[14][0], '\0');
    EXPECT_EQ(known_unit(12).ct_number, "2622401CXOU12H");
    EXPECT_EQ(shared_first_byte(factory_serials), 'U');
    EXPECT_EQ(shared_first_byte(ct_numbers), '2');
}

struct LookupCase {
    std::string candidate;
    int serial_row;  // -1: no row
    int ct_row;
};

TEST(KnownUnits, LookupsMatchWholeValuesOnly) {
    const LookupCase cases[] = {
        {"UPA1P430B638", 0, -1},
        {"upa1p430b638", -1, -1},  // serials keep their letter case
        {"UPA1P3502K70", 12, -1},
        {"2622401CXQ110C", -1, 0},
        {"2622401cxq110c", -1, 0},  // CT numbers ignore ASCII letter case
        {"2622401CXQ110C,", -1, -1},
        {"2622401CXQ110", -1, -1},
        {"2622401CX0U12H", -1, -1},  // digit zero where row 13 has the letter O
        {"2622401CXOU12H", -1, 12},
        {"2622401cxou12h", -1, 12},
        {"", -1, -1},  // the empty slots past row 13 never match
        {"UPA1P430B63", -1, -1},
    };
    for (const LookupCase& c : cases) {
        RowMatches serial = rows_matching_serial(c.candidate);
        RowMatches ct = rows_matching_ct(c.candidate);
        EXPECT_EQ(serial.count, c.serial_row < 0 ? 0 : 1) << c.candidate;
        if (serial.count == 1) {
            EXPECT_EQ(serial.rows[0], c.serial_row) << c.candidate;
        }
        EXPECT_EQ(ct.count, c.ct_row < 0 ? 0 : 1) << c.candidate;
        if (ct.count == 1) {
            EXPECT_EQ(ct.rows[0], c.ct_row) << c.candidate;
        }
    }
}

TEST(KnownUnits, CaseFoldingIsAsciiOnly) {
    // 0xC0..0xDF are not letters to the tool; 'C' + 0x80 must not fold to 'c'.
    EXPECT_EQ(rows_matching_ct("2622401CXQ110\xC3"s).count, 0);
    EXPECT_EQ(rows_matching_ct("2622401CXQ110C\0"s).count, 0);
}

struct WindowCase {
    std::string token;
    std::size_t start;
    std::string window;
};

TEST(KnownUnits, SerialWindow) {
    const WindowCase cases[] = {
        {"UPA1P430B638-01", 0, "UPA1P430B638"},
        {"UPA1P430B63", 0, "UPA1P430B63"},
        {"ABCDEF", 6, ""},
        {"ABC", 6, ""},
        {"SN:XYZUPA1P430B638", 6, "UPA1P430B638"},
        {"SN:XYZUPA1P430B638TAIL", 6, "UPA1P430B638"},
        {"ABCDEFG", 6, "G"},
        {"UPA1P4\0"
         "0B638"s,
         0, "UPA1P4"},                                // text ends at a NUL
        {"AB\0DEFUPA1P430B638"s, 6, "UPA1P430B638"},  // position 6 counts past the NUL
        {"ABCDEFUPA\0P430B638"s, 6, "UPA"},
    };
    for (const WindowCase& c : cases) {
        EXPECT_EQ(serial_window(c.token, c.start), c.window) << c.token << " @" << c.start;
    }
}

}  // namespace
