#include "corpus.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const char* const LISTED_SERIALS[] = {
    "UPA1P430B638", "UPA1P41098NV", "UPA1P3C091SM", "UPA1P41092S8", "UUL1P3C02028",
    "UPA1P38049TU", "UPL1P3A0BBY2", "UPL1P3909HUP", "UPA1P3C0907F", "UPL1P420FUUF",
    "UPL1P3805JE3", "UUL1P4403E1F", "UPA1P3502K70"};
const char* const LISTED_CT_NUMBERS[] = {
    "2622401CXQ110C", "2622401CXPS1B5", "2622401CXPQ3MC", "2622401CXPR0LF", "2622302CXPQ0YL",
    "2622401CXP45V0", "2622301CXPGBRE", "2622301CXP93ZK", "2622401CXPQ1QY", "2622301CXPX24A",
    "2622301CXP5BSW", "2622302CXQ60B0", "2622401CXOU12H"};
// Most drives of a fleet come from the same maker, so most serials look like the listed ones.
const char* const SERIAL_PREFIXES[] = {"UPA1P", "UPL1P", "UUL1P", "ZKA4Q", "WDX2R"};
const char ALPHANUMERIC[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct Random {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    std::uint64_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    unsigned below(unsigned n) { return static_cast<unsigned>(next() % n); }
};

std::string random_serial(Random& random) {
    std::string serial = SERIAL_PREFIXES[random.below(5)];
    while (serial.size() < 12) serial += ALPHANUMERIC[random.below(36)];
    return serial;
}

std::string random_ct_number(Random& random) {
    std::string ct = random.below(2) ? "2622401CX" : "2622301CX";
    while (ct.size() < 14) ct += ALPHANUMERIC[random.below(36)];
    return ct;
}

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string drive_section(Random& random, unsigned drive) {
    std::string serial = random_serial(random);
    std::string ct = random_ct_number(random);
    if (random.below(1000) == 0) {
        unsigned row = random.below(13);
        serial = LISTED_SERIALS[row];
        ct = LISTED_CT_NUMBERS[row];
    }
    if (random.below(2)) ct = lower(ct);
    std::string asset = random.below(2) ? "SN:XYZ" + serial : serial + "-0001";
    return "Drive " + std::to_string(drive) +
           "\r\n"
           "  Model                : HD-2400 Enterprise 2.4TB SAS 12Gb/s\r\n"
           "  Serial Number        : " +
           serial +
           "\r\n"
           "  Vendor Specific: " +
           serial +
           "\r\n"
           "  CT Number            : " +
           ct +
           "\r\n"
           "  Firmware Revision    : 3B07\r\n"
           "  Location             : Enclosure 1, Slot " +
           std::to_string(drive % 24) +
           ", Port 0x4A\r\n"
           "  Status               : Online, 31C, 0 media errors, 0 predictive failures\r\n"
           "  Asset Tag            : " +
           asset +
           "\r\n"
           "\r\n";
}

}  // namespace

bool write_report_corpus(const std::string& path, std::size_t bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    Random random;
    std::size_t written = 0;
    bool ok = std::fputs("Quistral Storage Report\r\nController 0\r\n\r\n", file) >= 0;
    for (unsigned drive = 0; ok && written < bytes; ++drive) {
        std::string section = drive_section(random, drive);
        ok = std::fwrite(section.data(), 1, section.size(), file) == section.size();
        written += section.size();
    }
    return std::fclose(file) == 0 && ok;
}

bool write_single_token(const std::string& path, std::size_t bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::string piece(1 << 16, 'A');
    bool ok = true;
    for (std::size_t written = 0; ok && written < bytes; written += piece.size()) {
        ok = std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    }
    return std::fclose(file) == 0 && ok;
}
