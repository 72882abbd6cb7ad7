#include "modes/free_text_scan.h"

#include <string_view>

#include "catalogue/known_units.h"

const FileModeSpec REPORT_MODE = {
    "report", scan_free_text_report, AppendStyle::rebuilt, "Factory S/N\t", Echo::full,
    "Done! Please open the corresponding file and check the message at the end of the file.\n"};

int scan_free_text_report(TokenReader& examined, CheckedStream& findings) {
    int finding_count = 0;
    Token token;
    while (next_token(examined, token)) {
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
