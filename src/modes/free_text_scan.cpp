#include "modes/free_text_scan.h"

#include <string_view>

#include "catalogue/known_units.h"

const FileModeSpec REPORT_MODE = {
    "report", scan_free_text_report, AppendStyle::rebuilt, "Factory S/N\t", Echo::full,
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

}  // namespace

int scan_free_text_report(TokenReader& examined, CheckedStream& findings) {
    static const TokenSieve sieve = serial_sieve();
    int finding_count = 0;
    Token token;
    while (next_token_passing(examined, sieve, token)) {
        std::string_view head = serial_window(token.run(), 0);
        std::string_view shifted = serial_window(token.run(), 6);
        // Each row is written at most once per token, even if both windows name it.
        for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
            if (factory_serial(row) == head || factory_serial(row) == shifted) {
                write_findings_row(findings, row);
                ++finding_count;
            }
        }
    }
    return finding_count;
}
