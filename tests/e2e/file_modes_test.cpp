// The four file modes, run through the real program: console, findings file and examined file,
// byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "expected_texts.h"
#include "tool_runner.h"

namespace {

const std::string BLOCK_HEADING = FOLLOWING + CONTACT + "Factory S/N\t\tCT Number\n";
const std::string ROW1 = "UPA1P430B638\t\t2622401CXQ110C\n";
const std::string ROW3 = "UPA1P3C091SM\t\t2622401CXPQ3MC\n";
const std::string ROW5 = "UUL1P3C02028\t\t2622302CXPQ0YL\n";
const std::string CTNUMBER_DONE =
    "Done! Please open the CT Numbers text file and check the message at the end of the file.\n";
const std::string QUISTRAL_DONE =
    "Done! Please open Quistral Report and check the message at the end of the file.\n";
const std::string PELVOR_DONE =
    "Done! Please open PELVOR Report and check the message at the end of the file.\n";

// Rows as the rebuilt block has them: one tab.
std::string one_tab(const std::string& row) {
    return row.substr(0, 12) + "\t" + row.substr(14);
}

struct ModeCase {
    std::string name;
    std::vector<std::string> args;  // the examined file is always e.txt
    std::string examined;
    std::string findings;  // Travennik.txt afterwards, before line-end conversion
    std::string appended;  // what e.txt gains
    std::string out;
};

TEST(FileModes, VerdictsInEveryMode) {
    const ModeCase cases[] = {
        {"report, one finding",
         {"-report", "-e.txt"},
         "UPA1P430B638\n",
         ROW1,
         "\n\n" + FOLLOWING + CONTACT + "Factory S/N\t" + "CT Number\n" + one_tab(ROW1),
         FOLLOWING + CONTACT + "Factory S/N\tCT Number\n" + one_tab(ROW1) + REPORT_DONE},
        {"report, the same unit twice and a shifted one",
         {"-report", "-e.txt"},
         "id=UPA1P430B638\nSN:XYZUUL1P3C02028 UPA1P430B638-1",
         ROW5 + ROW1,
         "\n\n" + FOLLOWING + CONTACT + "Factory S/N\tCT Number\n" + one_tab(ROW5) + one_tab(ROW1),
         FOLLOWING + CONTACT + "Factory S/N\tCT Number\n" + one_tab(ROW5) + one_tab(ROW1) +
             REPORT_DONE},
        {"report, nothing",
         {"-report", "-e.txt"},
         "S/N:UPA1P430B638 upa1p430b638\n",
         "",
         "\n\n" + ALL_GOOD,
         ALL_GOOD},
        {"ctnumber, findings",
         {"-ctnumber", "-e.txt"},
         "2622401CXPQ3MC\n2622401cxq110c\n",
         ROW3 + ROW1,
         "\n\n" + FOLLOWING + CONTACT + "Factory S/N\t\tCT Number\n" + one_tab(ROW3) +
             one_tab(ROW1),
         CERTAIN + CONTACT + CTNUMBER_DONE},
        {"ctnumber, nothing",
         {"-ctnumber", "-e.txt"},
         "CT:2622401CXQ110C UPA1P430B638",
         "",
         "\n\n" + ALL_GOOD,
         ALL_GOOD},
        {"ctnumber, empty file", {"-ctnumber", "-e.txt"}, "", "", "\n\n" + ALL_GOOD, ALL_GOOD},
        {"quistral, findings",
         {"-quistral", "-e.txt"},
         "Serial Number : UPA1P430B638\nSerial Number = UUL1P3C02028\n"
         "Serial\nNumber\n.....\nUPA1P430B638-0001\n",
         BLOCK_HEADING + ROW1 + ROW5 + ROW1,
         BLOCK_HEADING + ROW1 + ROW5 + ROW1 + "\n",
         BLOCK_HEADING + ROW1 + ROW5 + ROW1 + "\n" + QUISTRAL_DONE},
        {"quistral, nothing",
         {"-quistral", "-e.txt"},
         "Serial Number: UPA1P430B638\n",
         ALL_GOOD,
         ALL_GOOD + "\n",
         ALL_GOOD + "\n" + QUISTRAL_DONE},
        {"pelvor, findings",
         {"-pelvor", "-e.txt"},
         "Vendor Specific: UPA1P430B638\n",
         BLOCK_HEADING + ROW1,
         BLOCK_HEADING + ROW1 + "\n",
         BLOCK_HEADING + ROW1 + "\n" + PELVOR_DONE},
        {"pelvor, nothing, no final line end",
         {"-pelvor", "-e.txt"},
         "Vendor Specific : UPA1P430B638",
         ALL_GOOD,
         ALL_GOOD + "\n",
         ALL_GOOD + "\n" + PELVOR_DONE},
    };
    for (const ModeCase& c : cases) {
        Workspace workspace;
        workspace.write("e.txt", c.examined);
        RunResult result = workspace.run(c.args);
        EXPECT_EQ(result.status, 0) << c.name;
        EXPECT_EQ(result.err, banner()) << c.name;
        EXPECT_EQ(result.out, eol(c.out)) << c.name;
        EXPECT_EQ(workspace.read("Travennik.txt"), eol(c.findings)) << c.name;
        EXPECT_EQ(workspace.read("e.txt"), c.examined + eol(c.appended)) << c.name;
    }
}

TEST(FileModes, BlocksAccumulateOverRuns) {
    Workspace workspace;
    workspace.write("r.txt", "UPA1P430B638\n");
    ASSERT_EQ(workspace.run({"-report", "-r.txt"}).status, 0);
    ASSERT_EQ(workspace.run({"-report", "-r.txt"}).status, 0);
    // The second run also finds the serial in the row that the first run appended.
    std::string first = "\n\n" + FOLLOWING + CONTACT + "Factory S/N\tCT Number\n" + one_tab(ROW1);
    std::string second =
        "\n\n" + FOLLOWING + CONTACT + "Factory S/N\tCT Number\n" + one_tab(ROW1) + one_tab(ROW1);
    EXPECT_EQ(workspace.read("r.txt"), "UPA1P430B638\n" + eol(first) + eol(second));

    // A labelled block holds no label tokens, so running again appends the same block.
    workspace.write("q.txt", "Serial Number : UPA1P430B638\n");
    ASSERT_EQ(workspace.run({"-quistral", "-q.txt"}).status, 0);
    ASSERT_EQ(workspace.run({"-quistral", "-q.txt"}).status, 0);
    std::string block = eol(BLOCK_HEADING + ROW1 + "\n");
    EXPECT_EQ(workspace.read("q.txt"), "Serial Number : UPA1P430B638\n" + block + block);
}

TEST(FileModes, LongFindingsBlockIsCopiedWhole) {
    Workspace workspace;
    std::string report;
    std::string rows;
    for (int i = 0; i < 45; ++i) {
        report += "Vendor Specific: UPA1P430B638\n";
        rows += ROW1;
    }
    workspace.write("p.txt", report);
    RunResult result = workspace.run({"-pelvor", "-p.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, eol(BLOCK_HEADING + rows + "\n" + PELVOR_DONE));
    EXPECT_EQ(workspace.read("p.txt"), report + eol(BLOCK_HEADING + rows + "\n"));
}

TEST(FileModes, LongTokensAreJudgedWhole) {
    Workspace workspace;
    std::string glued = std::string(1027, 'A') + "UPA1P430B638";
    std::string huge = std::string(6, 'x') + "UPA1P430B638" + std::string(200000, 'y');
    workspace.write("r.txt", glued + "\n" + huge + "\n");
    RunResult result = workspace.run({"-report", "-r.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(workspace.read("Travennik.txt"), eol(ROW1));  // the huge token's shifted window
}

struct OpenFailureCase {
    std::string name;
    std::vector<std::string> args;
    std::string message;
};

TEST(FileModes, ExaminedFileThatCannotBeOpened) {
    const OpenFailureCase cases[] = {
        {"missing", {"-report", "-missing.txt"}, "The file missing.txt cannot be opened\n"},
        {"empty operand", {"-ctnumber", "-"}, "The file  cannot be opened\n"},
        {"format characters",
         {"-quistral", "-%s%n%d.txt"},
         "The file %s%n%d.txt cannot be opened\n"},
        {"folder", {"-report", "-sub"}, "The file sub cannot be opened\n"},
        {"fifo", {"-pelvor", "-pipe"}, "The file pipe cannot be opened\n"},
        {"device", {"-report", "-/dev/zero"}, "The file /dev/zero cannot be opened\n"},
    };
    for (const OpenFailureCase& c : cases) {
        Workspace workspace;
        ASSERT_EQ(::mkdir(workspace.path("sub").c_str(), 0755), 0);
        ASSERT_EQ(::mkfifo(workspace.path("pipe").c_str(), 0644), 0);
        workspace.write("Travennik.txt", "an earlier run's findings\n");
        RunResult result = workspace.run(c.args);
        EXPECT_EQ(result.status, 1) << c.name;
        EXPECT_EQ(result.out, eol(c.message) + usage_text()) << c.name;
        EXPECT_EQ(result.err, banner()) << c.name;
        EXPECT_EQ(workspace.read("Travennik.txt"), "") << c.name << ": left empty";
    }
}

TEST(FileModes, FindingsFileThatCannotBeCreated) {
    Workspace workspace;
    ASSERT_EQ(::mkdir(workspace.path("Travennik.txt").c_str(), 0755), 0);
    workspace.write("r.txt", "UPA1P430B638\n");
    RunResult result = workspace.run({"-report", "-r.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, eol("Travennik.txt cannot be opened\n") + usage_text());
    EXPECT_EQ(workspace.read("r.txt"), "UPA1P430B638\n");
}

TEST(FileModes, FindingsFileIsNeverTheExaminedFile) {
    const std::string users_file = "UPA1P430B638\n2622401CXQ110C\n";
    for (const char* spelling :
         {"Travennik.txt", "./Travennik.txt", "sub/../Travennik.txt", "link.txt"}) {
        Workspace workspace;
        ASSERT_EQ(::mkdir(workspace.path("sub").c_str(), 0755), 0);
        workspace.write("Travennik.txt", users_file);
        ASSERT_EQ(
            ::link(workspace.path("Travennik.txt").c_str(), workspace.path("link.txt").c_str()), 0);
        RunResult result = workspace.run({"-report", std::string("-") + spelling});
        EXPECT_EQ(result.status, 1) << spelling;
        EXPECT_EQ(result.out, eol(std::string("The file ") + spelling +
                                  " is the findings file Travennik.txt and cannot be examined\n"))
            << spelling;
        EXPECT_EQ(workspace.read("Travennik.txt"), users_file) << spelling;
    }
    // With no findings file yet, the first run must not examine the one it creates.
    Workspace workspace;
    RunResult result = workspace.run({"-ctnumber", "-Travennik.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(workspace.read("Travennik.txt"), "");
}

}  // namespace
