#include "modes/free_text_scan.h"

#include <string_view>

#include "catalogue/known_units.h"
#include "findings/token_sieve.h"

const FileModeSpec REPORT_MODE = {
    "report",
    scan_free_text_report,
    AppendStyle::rebuilt,
    "Factory S/N\t",
    Echo::full,
    "Done! Please open the corresponding file and check the message at the end of the file.\n"};

namespace {

// A token can name a serial only through its byte 0 or its byte 6, and every serial starts with
// the same byte: the reader need hand out no other token.
TokenSieve serial_sieve() {
    TokenSieve sieve;
    char first = shared_first_byte(factory_serials);
    if (first == '\0') return sieve;
    sieve.marks[0] = {0, first};
    sieve.marks[1] = {6, first};
    sieve.mark_count = 2;
    return sieve;
}

// Up to 12 of the token's bytes from `start`. A serial holds no NUL byte, so these bytes are a
// serial exactly when serial_window(token, start), which ends at a NUL, is one; not looking for
// the NUL keeps the many tokens that name no serial cheap.
std::string_view serial_bytes(std::string_view run, std::size_t start) {
    return start < run.size() ? run.substr(start, SERIAL_LENGTH) : std::string_view();
}

}  // namespace

int scan_free_text_report(TokenReader& examined, CheckedStream& findings) {
    static const TokenSieve sieve = serial_sieve();
    int finding_count = 0;
    Token token;
    while (next_token_passing(examined, sieve, token)) {
        RowMatches by_head = rows_matching_serial(serial_bytes(token.run(), 0));
        RowMatches by_shifted = rows_matching_serial(serial_bytes(token.run(), 6));
        if (by_head.count == 0 && by_shifted.count == 0) continue;
        // Rows in table order, each written once for this token even if both windows name it.
        for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
            if (by_head.holds(row) || by_shifted.holds(row)) {
                write_findings_row(findings, row);
                ++finding_count;
            }
        }
    }
    return finding_count;
}
