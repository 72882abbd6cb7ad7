#include "modes/ct_lookup.h"

#include "catalogue/known_units.h"
#include "common/texts.h"

Outcome lookup_ct_number(const char* candidate, CheckedStream& console) {
    RowMatches matches = rows_matching_ct(candidate);
    for (int i = 0; i < matches.count; ++i) {
        // The heading is repeated over every matching row, and this column is headed "CT".
        write_text(console, TEXT_SERIAL_HEAD);
        write_text(console, "CT\n");
        write_text(console, factory_serial(matches.rows[i]));
        write_text(console, "\t\t");
        write_text(console, ct_number(matches.rows[i]));
        write_text(console, "\n");
    }
    if (matches.count > 0) {
        write_text(console, "\n");
        write_text(console, TEXT_CERTAIN);
        write_text(console, TEXT_CONTACT);
    } else {
        write_text(console, TEXT_ALL_GOOD);
    }
    return Outcome::verdict;
}
