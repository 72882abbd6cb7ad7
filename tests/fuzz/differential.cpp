#include "differential.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/known_units.h"
#include "common/checked_stream.h"
#include "findings/token_reader.h"
#include "modes/ct_number_scan.h"
#include "modes/free_text_scan.h"
#include "modes/labelled_serial_scan.h"
#include "test_files.h"

namespace {

// ---- The reference: whole tokens as strings, rules applied literally. ----

std::vector<std::string> reference_tokens(const std::string& input) {
    std::vector<std::string> tokens;
    std::string current;
    for (char c : input) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
            if (!current.empty()) tokens.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) tokens.push_back(current);
    return tokens;
}

std::string text_of(const std::string& token) {
    return token.substr(0, token.find('\0'));
}

std::string window_of(const std::string& token, std::size_t start) {
    if (token.size() <= start) return "";
    std::string rest = token.substr(start, 12);
    return rest.substr(0, rest.find('\0'));
}

bool equal_folded(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string row_line(int row) {
    return std::string(factory_serials[row]) + "\t\t" + ct_numbers[row] + "\n";
}

std::string reference_free_text(const std::vector<std::string>& tokens) {
    std::string out;
    for (const std::string& token : tokens) {
        std::string head = window_of(token, 0), shifted = window_of(token, 6);
        for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
            if (head == factory_serials[row] || shifted == factory_serials[row])
                out += row_line(row);
        }
    }
    return out;
}

std::string reference_ct_numbers(const std::vector<std::string>& tokens) {
    std::string out;
    for (const std::string& token : tokens) {
        for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
            if (equal_folded(text_of(token), ct_numbers[row])) out += row_line(row);
        }
    }
    return out;
}

std::string reference_labelled(const std::vector<std::string>& tokens, const char* first,
                               const char* second, bool skip_separator) {
    std::string rows;
    std::size_t i = 0;
    auto next = [&](std::string& token) {
        if (i >= tokens.size()) return false;
        token = tokens[i++];
        return true;
    };
    std::string token;
    while (next(token)) {
        if (text_of(token) != first) continue;
        if (!next(token)) break;
        if (text_of(token) != second) continue;
        if (skip_separator && !next(token)) break;
        if (!next(token)) break;
        std::string window = window_of(token, 0);
        for (int row = 0; row < KNOWN_UNIT_COUNT; ++row) {
            if (window == factory_serials[row]) rows += row_line(row);
        }
    }
    if (rows.empty()) return "All Hard Disk Units are good.\n";
    return "The following Hard Disk Unit has been identified as having a known hardware issue.\n"
           "Please contact Vantorel for replacement.\n\nFactory S/N\t\tCT Number\n" +
           rows;
}

// ---- The tool's own reader, fed in blocks whose sizes come from the input. ----

const std::uint8_t* block_sizes = nullptr;
std::size_t block_size_count = 0;
std::size_t block_calls = 0;

long read_in_chosen_blocks(std::FILE* stream, char* buffer, std::size_t size) {
    std::size_t chosen = size;
    if (block_size_count > 0) {
        std::uint8_t pick = block_sizes[block_calls++ % block_size_count];
        // Mostly blocks of a few hundred bytes, so that sieving and its edges both happen.
        chosen = pick < 16 ? pick + 1 : static_cast<std::size_t>(pick) * 8;
    }
    return read_stream_block(stream, buffer, std::min(size, chosen));
}

std::string tool_findings(ScanFn scanner, const std::string& input) {
    std::FILE* examined = stream_holding(input);
    CheckedStream findings{std::tmpfile(), "findings"};
    if (examined == nullptr || findings.stream == nullptr) std::abort();
    block_calls = 0;
    auto reader = std::make_unique<TokenReader>(examined, read_in_chosen_blocks);
    scanner(*reader, findings);
    std::string result = whole_stream(findings.stream);
    std::fclose(examined);
    std::fclose(findings.stream);
    return result;
}

void expect_equal(const char* mode, const std::string& tool, const std::string& reference) {
    if (tool == reference) return;
    std::fprintf(stderr, "%s: the tool found\n%s\nthe reference found\n%s\n", mode, tool.c_str(),
                 reference.c_str());
    std::abort();
}

}  // namespace

void check_scanners_agree(const std::uint8_t* data, std::size_t size) {
    // The first bytes choose the block sizes; the rest is the examined file.
    std::size_t header = size > 0 ? std::min<std::size_t>(data[0] % 8, size - 1) : 0;
    block_sizes = size > 0 ? data + 1 : nullptr;
    block_size_count = header;
    std::string input(reinterpret_cast<const char*>(data) + (size > 0 ? 1 + header : 0),
                      size > 0 ? size - 1 - header : 0);
    std::vector<std::string> tokens = reference_tokens(input);

    expect_equal("report", tool_findings(scan_free_text_report, input),
                 reference_free_text(tokens));
    expect_equal("ctnumber", tool_findings(scan_ct_number_file, input),
                 reference_ct_numbers(tokens));
    expect_equal("quistral", tool_findings(scan_quistral_report, input),
                 reference_labelled(tokens, "Serial", "Number", true));
    expect_equal("pelvor", tool_findings(scan_pelvor_report, input),
                 reference_labelled(tokens, "Vendor", "Specific:", false));
}
