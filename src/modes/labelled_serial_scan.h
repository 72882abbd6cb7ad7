#pragma once

#include "common/checked_stream.h"
#include "findings/findings_cycle.h"
#include "findings/token_reader.h"

// Reports of two other tools, where each disk's serial follows a fixed label. Both scanners
// write the complete findings block, heading included, or TEXT_ALL_GOOD.
int scan_quistral_report(TokenReader& examined, CheckedStream& findings);
int scan_pelvor_report(TokenReader& examined, CheckedStream& findings);

// Writes one row of a findings block, preceded by the heading when it is the first finding.
void write_block_row(CheckedStream& findings, int row, int& finding_count);

extern const FileModeSpec QUISTRAL_MODE;
extern const FileModeSpec PELVOR_MODE;
