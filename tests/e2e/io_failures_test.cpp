// Real failures of the system under the program: a file size limit, a full console, and runs
// that overlap in one folder. The examined file must end up untouched or with one whole block.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "expected_texts.h"
#include "tool_runner.h"

namespace {

const char* SERIALS[] = {"UPA1P430B638", "UPA1P41098NV", "UPA1P3C091SM", "UPA1P41092S8",
                         "UUL1P3C02028", "UPA1P38049TU", "UPL1P3A0BBY2", "UPL1P3909HUP"};
const char* CT_NUMBERS[] = {"2622401CXQ110C", "2622401CXPS1B5", "2622401CXPQ3MC", "2622401CXPR0LF",
                            "2622302CXPQ0YL", "2622401CXP45V0", "2622301CXPGBRE", "2622301CXP93ZK"};

std::string filler(std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += "Drive status Online firmware 3B07 temperature 31C\n";
    return text;
}

// A report naming `unit` `count` times, spread through `size` bytes of other text.
std::string report_naming(int unit, int count, std::size_t size) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += filler(size / count);
        text += std::string("Serial Number : ") + SERIALS[unit] + "\n";
    }
    return text;
}

std::string report_block(int unit, int count) {
    std::string block = "\n\n" + FOLLOWING + CONTACT + "Factory S/N\tCT Number\n";
    for (int i = 0; i < count; ++i)
        block += std::string(SERIALS[unit]) + "\t" + CT_NUMBERS[unit] + "\n";
    return block;
}

std::string findings_rows(int unit, int count) {
    std::string rows;
    for (int i = 0; i < count; ++i) {
        rows += std::string(SERIALS[unit]) + "\t\t" + CT_NUMBERS[unit] + "\n";
    }
    return rows;
}

TEST(IoFailures, AppendCutShortByTheFileSizeLimitLeavesTheFileAsItWas) {
    for (const char* mode : {"-report", "-quistral"}) {
        Workspace workspace;
        const std::string report = report_naming(0, 20, 4000);
        workspace.write("e.txt", report);
        RunOptions options;
        options.file_size_limit = static_cast<long long>(report.size()) + 300;
        RunResult result = workspace.run({mode, "-e.txt"}, options);
        EXPECT_EQ(result.status, 1) << mode;
        EXPECT_EQ(result.out, "") << mode << ": no verdict, no completion text";
        EXPECT_EQ(result.err,
                  banner() + error_report("Travennik: e.txt: ", "File too large", result.err))
            << mode;
        EXPECT_EQ(workspace.read("e.txt"), report) << mode;
    }
}

TEST(IoFailures, FindingsFileWriteFailureAppendsNothing) {
    Workspace workspace;
    const std::string report = report_naming(1, 200, 20000);
    workspace.write("e.txt", report);
    RunOptions options;
    options.file_size_limit = 1000;  // the findings rows need about 5,800 bytes
    RunResult result = workspace.run({"-report", "-e.txt"}, options);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              banner() + error_report("Travennik: Travennik.txt: ", "File too large", result.err));
    EXPECT_EQ(workspace.read("e.txt"), report);
}

TEST(IoFailures, FullConsoleIsReportedAndTheBlockStays) {
    Workspace workspace;
    workspace.write("e.txt", "UPA1P430B638\n");
    RunOptions options;
    options.stdout_path = "/dev/full";
    RunResult result = workspace.run({"-report", "-e.txt"}, options);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, banner() + eol("Travennik: standard output: No space left on device\n"));
    EXPECT_EQ(workspace.read("e.txt"), "UPA1P430B638\n" + eol(report_block(0, 1)));

    result = workspace.run({"-ctn", "-2622401CXQ110C"}, options);
    EXPECT_EQ(result.status, 1);
    result = workspace.run({}, options);
    EXPECT_EQ(result.status, 1) << "a usage text that was not shown is a failure too";
}

TEST(IoFailures, ParallelRunsInOneFolderEachKeepTheirOwnFindings) {
    constexpr int RUNS = 8;
    for (int round = 0; round < 4; ++round) {
        Workspace workspace;
        std::vector<std::string> reports;
        for (int unit = 0; unit < RUNS; ++unit) {
            reports.push_back(report_naming(unit, 5 + unit, 400000));
            workspace.write("e" + std::to_string(unit) + ".txt", reports.back());
        }
        std::vector<Workspace::Started> started;
        for (int unit = 0; unit < RUNS; ++unit) {
            started.push_back(workspace.start({"-report", "-e" + std::to_string(unit) + ".txt"}));
        }
        std::vector<std::string> possible_findings;
        for (int unit = 0; unit < RUNS; ++unit) {
            RunResult result = Workspace::finish(started[unit]);
            std::string block = report_block(unit, 5 + unit);
            EXPECT_EQ(result.status, 0) << unit;
            EXPECT_EQ(result.out, eol(block.substr(2) + REPORT_DONE)) << unit;
            EXPECT_EQ(workspace.read("e" + std::to_string(unit) + ".txt"),
                      reports[unit] + eol(block))
                << "round " << round << " unit " << unit;
            possible_findings.push_back(eol(findings_rows(unit, 5 + unit)));
        }
        std::string findings = workspace.read("Travennik.txt");
        EXPECT_NE(std::find(possible_findings.begin(), possible_findings.end(), findings),
                  possible_findings.end())
            << "Travennik.txt holds exactly the rows of one run";
    }
}

TEST(IoFailures, ParallelRunsOnOneFileAppendTwoWholeBlocks) {
    Workspace workspace;
    const std::string report = report_naming(2, 3, 400000);
    workspace.write("e.txt", report);
    Workspace::Started first = workspace.start({"-report", "-e.txt"});
    Workspace::Started second = workspace.start({"-report", "-e.txt"});
    EXPECT_EQ(Workspace::finish(first).status, 0);
    EXPECT_EQ(Workspace::finish(second).status, 0);
    // The later run also reads the block the earlier one appended: three rows, then six.
    EXPECT_EQ(workspace.read("e.txt"), report + eol(report_block(2, 3)) + eol(report_block(2, 6)));
}

}  // namespace
