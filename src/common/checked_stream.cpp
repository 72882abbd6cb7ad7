#include "common/checked_stream.h"

#include <cerrno>
#include <cstring>

namespace {

bool fail(CheckedStream& out) {
    if (out.error == 0) out.error = errno != 0 ? errno : EIO;
    return false;
}

bool write_through(CheckedStream& out, const char* bytes, std::size_t length) {
    if (length == 0) return true;
    errno = 0;
    if (std::fwrite(bytes, 1, length, out.stream) != length) return fail(out);
    return true;
}

bool write_staged(CheckedStream& out) {
    std::size_t staged = out.staged;
    out.staged = 0;
    return write_through(out, out.stage, staged);
}

}  // namespace

bool write_bytes(CheckedStream& out, const char* bytes, std::size_t length) {
    if (out.error != 0 || out.stream == nullptr) return false;
    if (out.stage == nullptr) return write_through(out, bytes, length);
    if (out.staged + length > out.stage_capacity && !write_staged(out)) return false;
    if (length > out.stage_capacity) return write_through(out, bytes, length);
    std::memcpy(out.stage + out.staged, bytes, length);
    out.staged += length;
    return true;
}

bool write_text(CheckedStream& out, std::string_view text) {
    return write_bytes(out, text.data(), text.size());
}

bool flush_stream(CheckedStream& out) {
    if (out.error != 0 || out.stream == nullptr) return out.error == 0;
    if (out.stage != nullptr && !write_staged(out)) return false;
    errno = 0;
    if (std::fflush(out.stream) != 0) return fail(out);
    return true;
}

bool close_stream(CheckedStream& out) {
    if (out.stream == nullptr) return out.error == 0;
    if (out.stage != nullptr && out.error == 0) write_staged(out);
    std::FILE* stream = out.stream;
    out.stream = nullptr;
    errno = 0;
    if (std::fclose(stream) != 0) return fail(out);
    return out.error == 0;
}

void report_write_error(const CheckedStream& out) {
    std::fprintf(stderr, "Travennik: %s: %s\n", out.name, std::strerror(out.error));
}
