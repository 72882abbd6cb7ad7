#pragma once

#include "common/checked_stream.h"
#include "common/outcome.h"
#include "findings/findings_cycle.h"

// One entry of the dispatch table: a file mode runs the findings cycle with its record; the
// single lookup has a handler of its own.
struct ModeEntry {
    const char* keyword;
    const FileModeSpec* file_mode;
    Outcome (*handler)(const char* operand, CheckedStream& console);
};

extern const ModeEntry MODE_TABLE[5];

void print_banner();

// Checks the command line, picks the mode and runs it.
Outcome dispatch(int argc, char** argv, CheckedStream& console);
