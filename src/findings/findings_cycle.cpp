#include "findings/findings_cycle.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

#include "catalogue/known_units.h"
#include "common/texts.h"

void write_findings_row(CheckedStream& findings, int row) {
    write_text(findings, factory_serial(row));
    write_text(findings, "\t\t");
    write_text(findings, ct_number(row));
    write_text(findings, "\n");
}

namespace {

constexpr std::size_t APPEND_STAGE_SIZE = std::size_t{1} << 16;

void report_read_error(const char* path, int error) {
    std::fprintf(stderr, "Travennik: %s: %s\n", path, std::strerror(error));
}

void print_cannot_open(CheckedStream& console, const char* path) {
    write_text(console, "The file ");
    write_text(console, path);
    write_text(console, " cannot be opened\n");
    print_usage(console);
}

bool rewind_findings(CheckedStream& findings) {
    errno = 0;
    if (std::fseek(findings.stream, 0, SEEK_SET) == 0) return true;
    report_read_error(findings.name, errno != 0 ? errno : EIO);
    return false;
}

// Copies the findings file, from where it stands to its end, into `out`. False on a read error.
bool copy_findings(CheckedStream& findings, CheckedStream& out, const CycleIo& io) {
    char piece[4096];
    for (;;) {
        errno = 0;
        long count = io.read_block(findings.stream, piece, sizeof piece);
        if (count < 0) {
            report_read_error(findings.name, errno != 0 ? errno : EIO);
            return false;
        }
        if (count == 0) return true;
        write_bytes(out, piece, static_cast<std::size_t>(count));
    }
}

// Reads the findings rows back two tokens at a time and writes each as the serial, one tab, the
// CT number and a line end. False on a read error.
bool copy_rebuilt_rows(CheckedStream& findings, CheckedStream& out, const CycleIo& io) {
    // The reader holds a quarter-megabyte block: on the heap, not on a thread's stack.
    auto reader = std::make_unique<TokenReader>(findings.stream, io.read_block);
    Token token;
    char serial[TOKEN_CAPACITY];
    while (next_token(*reader, token)) {
        std::string_view text = token.text();
        std::memcpy(serial, text.data(), text.size());
        std::size_t serial_length = text.size();
        if (!next_token(*reader, token)) break;
        write_bytes(out, serial, serial_length);
        write_text(out, "\t");
        write_text(out, token.text());
        write_text(out, "\n");
    }
    if (reader->read_error == 0) return true;
    report_read_error(findings.name, reader->read_error);
    return false;
}

// Writes the verdict block as the examined file receives it. False on a read error.
bool write_file_block(const FileModeSpec& mode, int finding_count, CheckedStream& findings,
                      CheckedStream& examined, const CycleIo& io) {
    if (mode.style == AppendStyle::block) {
        if (!copy_findings(findings, examined, io)) return false;
        write_text(examined, "\n");
        return true;
    }
    write_text(examined, "\n\n");
    if (finding_count == 0) {
        write_text(examined, TEXT_ALL_GOOD);
        return true;
    }
    write_text(examined, TEXT_FOLLOWING);
    write_text(examined, TEXT_CONTACT);
    write_text(examined, mode.serial_heading);
    write_text(examined, TEXT_CT_NUMBER_HEAD);
    return copy_rebuilt_rows(findings, examined, io);
}

// Writes the verdict as the console shows it, completion text included. False on a read error.
bool write_console_verdict(const FileModeSpec& mode, int finding_count, CheckedStream& findings,
                           CheckedStream& console, const CycleIo& io) {
    if (mode.style == AppendStyle::block) {
        if (!copy_findings(findings, console, io)) return false;
        write_text(console, "\n");
    } else if (finding_count == 0) {
        write_text(console, TEXT_ALL_GOOD);
        return true;  // nothing to look at in the file beyond that line
    } else if (mode.echo == Echo::verdict) {
        write_text(console, TEXT_CERTAIN);
        write_text(console, TEXT_CONTACT);
    } else {
        write_text(console, TEXT_FOLLOWING);
        write_text(console, TEXT_CONTACT);
        write_text(console, "Factory S/N\t");
        write_text(console, TEXT_CT_NUMBER_HEAD);
        if (!copy_rebuilt_rows(findings, console, io)) return false;
    }
    write_text(console, mode.completion_text);
    return true;
}

// Appends the block at the end of the examined file. On any failure the file is cut back to the
// length it had, so it never keeps part of a block.
bool append_block(const FileModeSpec& mode, int finding_count, CheckedStream& findings,
                  CheckedStream& examined, const CycleIo& io) {
    errno = 0;
    if (io.seek_to_end(examined.stream) != 0) {
        std::perror("Fseek failed.\n");
        return false;
    }
    std::int64_t original_length = platform::tell(examined.stream);
    if (original_length < 0) {
        std::perror("Fseek failed.\n");
        return false;
    }
    bool read_ok = write_file_block(mode, finding_count, findings, examined, io);
    if (read_ok && flush_stream(examined)) return true;

    if (!read_ok) {
        std::fprintf(stderr, "Travennik: %s: nothing appended\n", examined.name);
    } else {
        report_write_error(examined);
    }
    if (!platform::truncate_file(examined.stream, original_length)) {
        std::fprintf(stderr, "Travennik: %s: could not remove the partial block: %s\n",
                     examined.name, std::strerror(errno));
    }
    return false;
}

// The cycle from the scan on, with both files open and the findings file locked.
Outcome scan_and_append(const FileModeSpec& mode, CheckedStream& findings, CheckedStream& examined,
                        CheckedStream& console, const CycleIo& io) {
    if (!platform::drop_end_of_file_mark(examined.stream)) {
        examined.error = errno;
        report_write_error(examined);
        return Outcome::failed;
    }
    if (!platform::truncate_file(findings.stream, 0)) {
        findings.error = errno;
        report_write_error(findings);
        return Outcome::failed;
    }

    int finding_count;
    {
        auto reader = std::make_unique<TokenReader>(examined.stream, io.read_block);
        finding_count = mode.scanner(*reader, findings);
        if (reader->read_error != 0) {
            // A verdict from part of the file would be wrong: append nothing.
            report_read_error(examined.name, reader->read_error);
            return Outcome::failed;
        }
    }
    if (!flush_stream(findings)) {
        report_write_error(findings);
        return Outcome::failed;
    }
    if (!rewind_findings(findings)) return Outcome::failed;
    if (!append_block(mode, finding_count, findings, examined, io)) return Outcome::failed;
    if (!close_stream(examined)) {
        report_write_error(examined);
        return Outcome::failed;
    }
    if (!rewind_findings(findings)) return Outcome::failed;
    if (!write_console_verdict(mode, finding_count, findings, console, io)) return Outcome::failed;
    return Outcome::verdict;
}

}  // namespace

Outcome run_findings_cycle(const char* examined_path, const FileModeSpec& mode,
                           CheckedStream& console, const CycleIo& io) {
    CheckedStream findings{platform::open_findings_locked(FINDINGS_FILE_NAME), FINDINGS_FILE_NAME};
    if (findings.stream == nullptr) {
        write_text(console, TEXT_FINDINGS_UNOPENED);
        print_usage(console);
        return Outcome::failed;
    }

    Outcome outcome;
    CheckedStream examined{platform::open_examined(examined_path), examined_path};
    // The examined file's stream is unbuffered, so that a failed append can be cut back with
    // nothing left over; the block gathers here instead.
    auto stage = std::make_unique<char[]>(APPEND_STAGE_SIZE);
    examined.stage = stage.get();
    examined.stage_capacity = APPEND_STAGE_SIZE;
    if (examined.stream == nullptr) {
        // A run that cannot open its file still leaves an empty findings file behind.
        if (!platform::truncate_file(findings.stream, 0)) {
            findings.error = errno;
            report_write_error(findings);
        }
        print_cannot_open(console, examined_path);
        outcome = Outcome::failed;
    } else if (platform::same_file(examined.stream, findings.stream)) {
        // Scanning the findings file would first empty it: the user's file would be lost.
        write_text(console, "The file ");
        write_text(console, examined_path);
        write_text(console, " is the findings file Travennik.txt and cannot be examined\n");
        outcome = Outcome::failed;
    } else {
        outcome = scan_and_append(mode, findings, examined, console, io);
    }

    if (examined.stream != nullptr) std::fclose(examined.stream);  // only on failure paths
    if (!close_stream(findings) && outcome == Outcome::verdict) {
        report_write_error(findings);
        outcome = Outcome::failed;
    }
    return outcome;
}
