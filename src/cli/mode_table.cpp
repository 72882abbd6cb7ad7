#include "cli/mode_table.h"

#include <cstdio>
#include <string_view>

#include "catalogue/known_units.h"
#include "common/texts.h"
#include "modes/ct_lookup.h"
#include "modes/ct_number_scan.h"
#include "modes/free_text_scan.h"
#include "modes/labelled_serial_scan.h"

// Tried in this order; keywords match whole, ASCII letter case ignored.
const ModeEntry MODE_TABLE[5] = {
    {"quistral", &QUISTRAL_MODE, nullptr},  {"pelvor", &PELVOR_MODE, nullptr},
    {"ctnumber", &CT_NUMBER_MODE, nullptr}, {"report", &REPORT_MODE, nullptr},
    {"ctn", nullptr, lookup_ct_number},
};

void print_banner() {
    std::fputs("Travennik.exe - Mirrowen\n", stderr);
    std::fputs("version 1.0 (R)\n", stderr);
    std::fputs("Checks disk reports against Mirrowen's list of units with a known issue.\n\n\n",
               stderr);
}

namespace {

Outcome usage(CheckedStream& console) {
    print_usage(console);
    return Outcome::bad_usage;
}

}  // namespace

Outcome dispatch(int argc, char** argv, CheckedStream& console) {
    if (argc < 2) return usage(console);
    const char* switch_argument = argv[1];
    if (switch_argument[0] != '-' && switch_argument[0] != '/') return usage(console);

    std::string_view keyword = switch_argument + 1;
    for (const ModeEntry& entry : MODE_TABLE) {
        if (!equal_ignoring_ascii_case(keyword, entry.keyword)) continue;
        // The operand is the second argument less its first character, whatever that is
        // (the usage text writes paths as -report.txt). With no character at all there is no
        // operand to take, and nothing is created.
        if (argc < 3 || argv[2][0] == '\0') return usage(console);
        const char* operand = argv[2] + 1;
        if (entry.file_mode != nullptr)
            return run_findings_cycle(operand, *entry.file_mode, console);
        return entry.handler(operand, console);
    }
    return usage(console);
}
