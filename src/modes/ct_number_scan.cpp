#include "modes/ct_number_scan.h"

#include "catalogue/known_units.h"
#include "common/texts.h"
#include "findings/token_sieve.h"

const FileModeSpec CT_NUMBER_MODE = {
    "ctnumber",
    scan_ct_number_file,
    AppendStyle::rebuilt,
    TEXT_SERIAL_HEAD,
    Echo::verdict,
    "Done! Please open the CT Numbers text file and check the message at the end of the file.\n"};

namespace {

// Only a token whose text is exactly as long as a CT number, and starts as every CT number of
// the table does (in either letter case), can match.
TokenSieve ct_number_sieve() {
    TokenSieve sieve;
    sieve.text_length = CT_NUMBER_LENGTH;
    char first = shared_first_byte(ct_numbers);
    if (first == '\0') return sieve;
    sieve.marks[sieve.mark_count++] = {0, first};
    if (first >= 'A' && first <= 'Z')
        sieve.marks[sieve.mark_count++] = {0, char(first - 'A' + 'a')};
    return sieve;
}

}  // namespace

int scan_ct_number_file(TokenReader& examined, CheckedStream& findings) {
    static const TokenSieve sieve = ct_number_sieve();
    int finding_count = 0;
    Token token;
    while (next_token_passing(examined, sieve, token)) {
        RowMatches matches = rows_matching_ct(token.text());
        for (int i = 0; i < matches.count; ++i) {
            write_findings_row(findings, matches.rows[i]);
            ++finding_count;
        }
    }
    return finding_count;
}
