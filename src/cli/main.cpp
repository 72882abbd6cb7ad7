#include <cstdio>

#include "cli/mode_table.h"
#include "common/checked_stream.h"
#include "common/outcome.h"

// Exit status: 0 when the verdict was given, 1 when the job could not be done, 2 for a
// malformed command line. Decided here and nowhere else.
int main(int argc, char** argv) {
    print_banner();
    CheckedStream console{stdout, "standard output"};
    Outcome outcome = dispatch(argc, argv, console);

    if (!flush_stream(console)) {
        report_write_error(console);
        return 1;
    }
    switch (outcome) {
        case Outcome::verdict:
            return 0;
        case Outcome::failed:
            return 1;
        case Outcome::bad_usage:
            return 2;
    }
    return 1;
}
