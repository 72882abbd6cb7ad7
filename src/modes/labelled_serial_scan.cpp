#include "modes/labelled_serial_scan.h"

#include <string_view>

#include "catalogue/known_units.h"
#include "common/texts.h"
#include "findings/token_sieve.h"

const FileModeSpec QUISTRAL_MODE = {
    "quistral",
    scan_quistral_report,
    AppendStyle::block,
    nullptr,
    Echo::full,
    "Done! Please open Quistral Report and check the message at the end of the file.\n"};

const FileModeSpec PELVOR_MODE = {
    "pelvor",
    scan_pelvor_report,
    AppendStyle::block,
    nullptr,
    Echo::full,
    "Done! Please open PELVOR Report and check the message at the end of the file.\n"};

void write_block_row(CheckedStream& findings, int row, int& finding_count) {
    if (++finding_count == 1) {
        write_text(findings, TEXT_FOLLOWING);
        write_text(findings, TEXT_CONTACT);
        write_text(findings, TEXT_SERIAL_HEAD);
        write_text(findings, TEXT_CT_NUMBER_HEAD);
    }
    write_findings_row(findings, row);
}

namespace {

// Looks for `first_label`, then `second_label`, then (when `skip_separator`) one token of any
// kind, then the serial token. Labels are compared whole, letter case significant; a token taken
// as separator or serial is never looked at again as a label. The end of the input ends the scan
// wherever in the pattern it comes.
int scan_labelled_serials(TokenReader& examined, CheckedStream& findings,
                          std::string_view first_label, std::string_view second_label,
                          bool skip_separator) {
    // Between patterns only the first label matters, so the reader hands out only tokens that
    // start with its first byte and are as long as it.
    TokenSieve sieve;
    sieve.marks[0] = {0, first_label[0]};
    sieve.mark_count = 1;
    sieve.text_length = static_cast<unsigned char>(first_label.size());
    int finding_count = 0;
    Token token;
    while (next_token_passing(examined, sieve, token)) {
        if (token.text() != first_label) continue;
        if (!next_token(examined, token)) break;
        if (token.text() != second_label) continue;
        if (skip_separator && !next_token(examined, token)) break;
        if (!next_token(examined, token)) break;
        RowMatches matches = rows_matching_serial(serial_window(token.run(), 0));
        for (int i = 0; i < matches.count; ++i) {
            write_block_row(findings, matches.rows[i], finding_count);
        }
    }
    if (finding_count == 0) write_text(findings, TEXT_ALL_GOOD);
    return finding_count;
}

}  // namespace

int scan_quistral_report(TokenReader& examined, CheckedStream& findings) {
    return scan_labelled_serials(examined, findings, "Serial", "Number", true);
}

int scan_pelvor_report(TokenReader& examined, CheckedStream& findings) {
    return scan_labelled_serials(examined, findings, "Vendor", "Specific:", false);
}
