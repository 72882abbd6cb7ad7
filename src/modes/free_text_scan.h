#pragma once

#include "common/checked_stream.h"
#include "findings/findings_cycle.h"
#include "findings/token_reader.h"

// Any text: every token is tested for a factory serial at its start and after its first six
// bytes. Writes findings rows only; the cycle rebuilds the block around them.
int scan_free_text_report(TokenReader& examined, CheckedStream& findings);

extern const FileModeSpec REPORT_MODE;
