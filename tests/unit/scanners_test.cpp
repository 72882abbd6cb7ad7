#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/texts.h"
#include "modes/ct_number_scan.h"
#include "modes/free_text_scan.h"
#include "modes/labelled_serial_scan.h"
#include "test_files.h"

namespace {

using namespace std::string_literals;

const std::string ROW1 = "UPA1P430B638\t\t2622401CXQ110C\n";
const std::string ROW2 = "UPA1P41098NV\t\t2622401CXPS1B5\n";
const std::string ROW3 = "UPA1P3C091SM\t\t2622401CXPQ3MC\n";
const std::string ROW5 = "UUL1P3C02028\t\t2622302CXPQ0YL\n";
const std::string HEADING =
    std::string(TEXT_FOLLOWING) + TEXT_CONTACT + "Factory S/N\t\tCT Number\n";
const std::string ALL_GOOD = TEXT_ALL_GOOD;

struct ScanCase {
    ScanFn scanner;
    std::string input;
    std::string findings;  // the findings file afterwards
    int count;
};

struct ScanResult {
    std::string findings;
    int count;
};

ScanResult scan(ScanFn scanner, const std::string& input) {
    std::FILE* examined = stream_holding(input);
    CheckedStream findings{std::tmpfile(), "findings"};
    auto reader = std::make_unique<TokenReader>(examined);
    ScanResult result;
    result.count = scanner(*reader, findings);
    result.findings = whole_stream(findings.stream);
    EXPECT_EQ(findings.error, 0);
    std::fclose(examined);
    std::fclose(findings.stream);
    return result;
}

template <std::size_t N>
void check_cases(const ScanCase (&cases)[N]) {
    for (const ScanCase& c : cases) {
        ScanResult result = scan(c.scanner, c.input);
        EXPECT_EQ(result.findings, c.findings) << c.input.substr(0, 40);
        EXPECT_EQ(result.count, c.count) << c.input.substr(0, 40);
    }
}

TEST(Scanners, Quistral) {
    const ScanCase cases[] = {
        {scan_quistral_report, "Serial Number : UPA1P430B638\n", HEADING + ROW1, 1},
        {scan_quistral_report, "Serial Number = UPA1P430B638", HEADING + ROW1, 1},
        {scan_quistral_report, "Serial\nNumber\n.....\nUPA1P430B638-0001\n", HEADING + ROW1, 1},
        {scan_quistral_report, "Serial Number: UPA1P430B638\n", ALL_GOOD, 0},
        {scan_quistral_report, "serial number : UPA1P430B638\n", ALL_GOOD, 0},
        {scan_quistral_report, "Serial Number UPA1P430B638 UPA1P41098NV\n", HEADING + ROW2, 1},
        {scan_quistral_report, "Serial Serial Number : UPA1P430B638\n", ALL_GOOD, 0},
        {scan_quistral_report, "Serial Number Serial Number : UPA1P430B638\n", ALL_GOOD, 0},
        {scan_quistral_report,
         "Serial Number : UPA1P430B638 Serial Number : UUL1P3C02028\n"
         "Serial Number : UPA1P430B638\n",
         HEADING + ROW1 + ROW5 + ROW1, 3},
        {scan_quistral_report, "Serial Number :", ALL_GOOD, 0},
        {scan_quistral_report, "Serial Number : UPA1P430B638 Serial Number :", HEADING + ROW1, 1},
        {scan_quistral_report, "Vendor Specific: UPA1P430B638", ALL_GOOD, 0},
        {scan_quistral_report, "", ALL_GOOD, 0},
    };
    check_cases(cases);
}

TEST(Scanners, Pelvor) {
    const ScanCase cases[] = {
        {scan_pelvor_report, "Vendor Specific: UPA1P430B638\n", HEADING + ROW1, 1},
        {scan_pelvor_report, "Vendor Specific : UPA1P430B638\n", ALL_GOOD, 0},
        {scan_pelvor_report, "Vendor\r\nSpecific:\r\nUUL1P3C02028xyz\r\n", HEADING + ROW5, 1},
        {scan_pelvor_report, "Vendor Vendor Specific: UPA1P430B638", ALL_GOOD, 0},
        {scan_pelvor_report, "Serial Number : UPA1P430B638", ALL_GOOD, 0},
        {scan_pelvor_report, "Vendor Specific:", ALL_GOOD, 0},
    };
    check_cases(cases);
}

TEST(Scanners, CtNumberFile) {
    const ScanCase cases[] = {
        {scan_ct_number_file, "2622401cxq110c\n", ROW1, 1},
        {scan_ct_number_file, "CT:2622401CXQ110C 2622401CXQ110C,\n", "", 0},
        {scan_ct_number_file, "UPA1P430B638\n", "", 0},
        {scan_ct_number_file, "2622401CXPQ3MC\r\n2622401CXQ110C\r\n", ROW3 + ROW1, 2},
        {scan_ct_number_file, "2622401CXQ110C 2622401CXQ110C", ROW1 + ROW1, 2},
        {scan_ct_number_file, "2622401CXQ110C\0tail"s, ROW1, 1},  // the text ends at the NUL
        {scan_ct_number_file, "", "", 0},
    };
    check_cases(cases);
}

TEST(Scanners, FreeTextReport) {
    const ScanCase cases[] = {
        {scan_free_text_report, "UPA1P430B638\n", ROW1, 1},
        {scan_free_text_report, "UPA1P430B638-XYZ", ROW1, 1},
        {scan_free_text_report, "SN:XYZUPA1P430B638", ROW1, 1},
        {scan_free_text_report, "S/N:UPA1P430B638", "", 0},
        {scan_free_text_report, "upa1p430b638", "", 0},
        {scan_free_text_report, "XXXXXXUPA1P430B638\nab\n", ROW1, 1},
        {scan_free_text_report, "2622401CXQ110C", "", 0},
        {scan_free_text_report, "UPA1P4UPA1P430B638", ROW1, 1},  // head fails, shifted finds
        {scan_free_text_report, "UUL1P3UPA1P430B638 UPA1P430B638", ROW1 + ROW1, 2},
        {scan_free_text_report, "AB\0DEFUPA1P430B638"s, ROW1, 1},
        {scan_free_text_report, std::string(1027, 'A') + "UPA1P430B638", "", 0},
        {scan_free_text_report, std::string(6, 'A') + "UPA1P430B638" + std::string(5000, 'x'), ROW1,
         1},
    };
    check_cases(cases);
}

}  // namespace
