#pragma once

#include "common/checked_stream.h"
#include "common/outcome.h"

// Checks one CT number given on the command line; answers on the console only.
Outcome lookup_ct_number(const char* candidate, CheckedStream& console);
