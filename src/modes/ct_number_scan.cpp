#include "modes/ct_number_scan.h"

#include "catalogue/known_units.h"
#include "common/texts.h"

const FileModeSpec CT_NUMBER_MODE = {
    "ctnumber", scan_ct_number_file, AppendStyle::rebuilt, TEXT_SERIAL_HEAD, Echo::verdict,
    "Done! Please open the CT Numbers text file and check the message at the end of the file.\n"};

int scan_ct_number_file(TokenReader& examined, CheckedStream& findings) {
    int finding_count = 0;
    Token token;
    while (next_token(examined, token)) {
        RowMatches matches = rows_matching_ct(token.text());
        for (int i = 0; i < matches.count; ++i) {
            write_findings_row(findings, matches.rows[i]);
            ++finding_count;
        }
    }
    return finding_count;
}
