#pragma once

#include <cstdint>
#include <cstdio>

// The few file operations that differ between Windows and POSIX. Every stream returned here is a
// C library text stream; the Windows text-mode rules (CR LF, Ctrl-Z) come from the C run-time.
namespace platform {

// Opens the findings file for reading and writing without truncating it, creating it if needed,
// and waits for an exclusive lock on it: runs in one folder take turns at the findings cycle.
// The lock lasts until the stream is closed. nullptr with errno set on failure.
std::FILE* open_findings_locked(const char* path);

// Opens an existing regular file for reading and updating, never truncating it and never
// waiting on it; refuses directories, pipes and devices. The stream is unbuffered, so what a
// write reports is what reached the file. nullptr with errno set on failure.
std::FILE* open_examined(const char* path);

// Prepares a stream from open_examined for scanning and appending. On Windows a text file
// opened for update loses a Ctrl-Z that ends it; elsewhere this does nothing.
bool drop_end_of_file_mark(std::FILE* stream);

// Whether two open streams are the same file, whatever the paths that named them.
bool same_file(std::FILE* a, std::FILE* b);

// Cuts the file behind `stream` back to `length` bytes. The stream must have nothing buffered.
bool truncate_file(std::FILE* stream, std::int64_t length);

// Positions a stream at its end and tells that offset; -1 with errno set on failure.
int seek_to_end(std::FILE* stream);
std::int64_t tell(std::FILE* stream);

}  // namespace platform
