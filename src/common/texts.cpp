#include "common/texts.h"

void print_usage(CheckedStream& console) {
    for (const char* text : TEXT_USAGE) write_text(console, text);
}
