#include "common/checked_stream.h"

#include <cerrno>
#include <cstring>

namespace {

bool fail(CheckedStream& out) {
    if (out.error == 0) out.error = errno != 0 ? errno : EIO;
    return false;
}

}  // namespace

bool write_bytes(CheckedStream& out, const char* bytes, std::size_t length) {
    if (out.error != 0 || out.stream == nullptr) return false;
    if (length == 0) return true;
    errno = 0;
    if (std::fwrite(bytes, 1, length, out.stream) != length) return fail(out);
    return true;
}

bool write_text(CheckedStream& out, std::string_view text) {
    return write_bytes(out, text.data(), text.size());
}

bool flush_stream(CheckedStream& out) {
    if (out.error != 0 || out.stream == nullptr) return out.error == 0;
    errno = 0;
    if (std::fflush(out.stream) != 0) return fail(out);
    return true;
}

bool close_stream(CheckedStream& out) {
    if (out.stream == nullptr) return out.error == 0;
    std::FILE* stream = out.stream;
    out.stream = nullptr;
    errno = 0;
    if (std::fclose(stream) != 0) return fail(out);
    return out.error == 0;
}

void report_write_error(const CheckedStream& out) {
    std::fprintf(stderr, "Travennik: %s: %s\n", out.name, std::strerror(out.error));
}
