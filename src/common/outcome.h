#pragma once

// What a run came to; the entry point turns it into the exit status, and nothing else does.
enum class Outcome {
    verdict,    // the verdict was given, whatever it found
    failed,     // the job could not be done: a file could not be opened, read, placed or written
    bad_usage,  // the command line was malformed and the usage text was printed
};
