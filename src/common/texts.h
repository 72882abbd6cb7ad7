#pragma once

#include "common/checked_stream.h"

// The tool's fixed texts, written exactly as they stand: tabs and line ends are part of them.
inline constexpr const char* TEXT_ALL_GOOD = "All Hard Disk Units are good.\n";
inline constexpr const char* TEXT_FOLLOWING =
    "The following Hard Disk Unit has been identified as having a known hardware issue.\n";
inline constexpr const char* TEXT_CERTAIN =
    "Certain Hard Disk Unit has been identified as having a known hardware issue.\n";
inline constexpr const char* TEXT_CONTACT = "Please contact Vantorel for replacement.\n\n";
inline constexpr const char* TEXT_SERIAL_HEAD = "Factory S/N\t\t";
inline constexpr const char* TEXT_CT_NUMBER_HEAD = "CT Number\n";
inline constexpr const char* TEXT_FINDINGS_UNOPENED = "Travennik.txt cannot be opened\n";

inline constexpr const char* TEXT_USAGE[] = {
    "Usage examples:\n\n",
    "Travennik -report -report.txt     to process any provided text file\n",
    "Travennik -ctnumber -ctnumber.txt to process the drives CT numbers text file\n",
};

// Writes the usage text; printed after every malformed command line and every open failure.
void print_usage(CheckedStream& console);
