#pragma once

#include <cstdio>

#include "common/checked_stream.h"
#include "common/outcome.h"
#include "common/platform.h"
#include "findings/token_reader.h"

inline constexpr const char* FINDINGS_FILE_NAME = "Travennik.txt";

// A scanner reads the examined file from start to end through next_token, writes its findings
// into the findings stream and returns how many it made.
using ScanFn = int (*)(TokenReader& examined, CheckedStream& findings);

enum class AppendStyle {
    block,    // the findings file already holds the whole block; it is copied as it stands
    rebuilt,  // the findings file holds rows only; the block is rebuilt around them
};

enum class Echo {
    verdict,  // the console gets the short verdict
    full,     // the console gets the heading and every row
};

// One file mode: how it scans and how its findings become the appended block.
struct FileModeSpec {
    const char* keyword;
    ScanFn scanner;
    AppendStyle style;
    const char* serial_heading;  // rebuilt style: heads the serial column in the examined file
    Echo echo;                   // rebuilt style: what the console shows
    const char* completion_text;
};

// A findings row: the serial, two tabs, the CT number and a line end, as the table holds them.
void write_findings_row(CheckedStream& findings, int row);

// The cycle's reads and its positioning at the end of the examined file. Tests replace them to
// make the failures happen that a real system gives only rarely.
struct CycleIo {
    ReadBlockFn read_block;
    int (*seek_to_end)(std::FILE* stream);
};
inline constexpr CycleIo SYSTEM_IO = {read_stream_block, platform::seek_to_end};

// Scans the examined file into the findings file, appends the verdict block to the examined file
// and prints the verdict on `console`. The examined file either gains one whole block or is left
// exactly as it was.
Outcome run_findings_cycle(const char* examined_path, const FileModeSpec& mode,
                           CheckedStream& console, const CycleIo& io = SYSTEM_IO);
