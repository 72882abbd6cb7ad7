#pragma once

#include <cstdio>
#include <string>

// Small helpers for unit tests that need real C streams.
inline std::FILE* stream_holding(const std::string& content) {
    std::FILE* stream = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), stream);
    std::rewind(stream);
    return stream;
}

inline std::string whole_stream(std::FILE* stream) {
    std::fflush(stream);
    std::rewind(stream);
    std::string content;
    char piece[4096];
    std::size_t count;
    while ((count = std::fread(piece, 1, sizeof piece, stream)) > 0) content.append(piece, count);
    return content;
}
