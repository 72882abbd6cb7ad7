#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

// An output stream whose first failure is remembered with the system's reason. After a failure
// nothing more is written to it, so a half-written block never grows behind the error.
struct CheckedStream {
    std::FILE* stream;
    const char* name;  // the path or "standard output", for messages
    int error = 0;     // errno of the first failed write, flush or close; 0 while all went through
    // An optional buffer of the caller's in front of an unbuffered stream: writes gather here and
    // reach the stream in large pieces, and what is still gathered when a write fails is dropped,
    // never written later behind the caller's back (as a stream's own buffer would be on close).
    char* stage = nullptr;
    std::size_t stage_capacity = 0;
    std::size_t staged = 0;
};

bool write_bytes(CheckedStream& out, const char* bytes, std::size_t length);
bool write_text(CheckedStream& out, std::string_view text);
// Writes what is gathered in the stage, then flushes the stream.
bool flush_stream(CheckedStream& out);
// Closes the stream and forgets it; a failed close counts as a failed write.
bool close_stream(CheckedStream& out);
// Reports the remembered failure on standard error: "Travennik: <name>: <reason>".
void report_write_error(const CheckedStream& out);
