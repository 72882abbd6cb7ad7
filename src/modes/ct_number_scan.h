#pragma once

#include "common/checked_stream.h"
#include "findings/findings_cycle.h"
#include "findings/token_reader.h"

// A list of drives' CT numbers: every whole token is looked up, ASCII letter case ignored.
// Writes findings rows only; the cycle rebuilds the block around them.
int scan_ct_number_file(TokenReader& examined, CheckedStream& findings);

extern const FileModeSpec CT_NUMBER_MODE;
