// Behaviour of the Windows program's text streams and file names, run under Wine.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tool_runner.h"

namespace {

const std::string ROW1_BLOCK =
    "\r\n\r\nThe following Hard Disk Unit has been identified as having a known hardware issue.\r\n"
    "Please contact Vantorel for replacement.\r\n\r\nFactory S/N\tCT Number\r\n"
    "UPA1P430B638\t2622401CXQ110C\r\n";

class WindowsProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!windows_target()) GTEST_SKIP() << "Windows text streams and file names only";
    }
};

TEST_F(WindowsProgram, CtrlZEndsTheInputAndAFinalOneIsDropped) {
    struct Case {
        std::string examined;
        std::string kept;  // what stays of it before the block
    };
    const Case cases[] = {
        {"UPA1P430B638\r\n\x1A UPA1P41098NV\r\n", "UPA1P430B638\r\n\x1A UPA1P41098NV\r\n"},
        {"UPA1P430B638\r\n\x1A", "UPA1P430B638\r\n"},
        {"UPA1P430B638\n\x1A\x1A", "UPA1P430B638\n\x1A"},  // only the last one goes
    };
    for (const Case& c : cases) {
        Workspace workspace;
        workspace.write("e.txt", c.examined);
        RunResult result = workspace.run({"-report", "-e.txt"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(workspace.read("e.txt"), c.kept + ROW1_BLOCK);
        EXPECT_EQ(workspace.read("Travennik.txt"), "UPA1P430B638\t\t2622401CXQ110C\r\n");
    }
}

TEST_F(WindowsProgram, FindingsFileByAnyCaseOrSpellingIsRefused) {
    for (const char* spelling :
         {"TRAVENNIK.TXT", "travennik.txt", ".\\Travennik.txt", "sub\\..\\TRAVENNIK.txt"}) {
        Workspace workspace;
        workspace.write("Travennik.txt", "UPA1P430B638\n");
        ASSERT_EQ(::mkdir(workspace.path("sub").c_str(), 0755), 0);
        RunResult result = workspace.run({"-report", std::string("-") + spelling});
        EXPECT_EQ(result.status, 1) << spelling;
        EXPECT_EQ(result.out, std::string("The file ") + spelling +
                                  " is the findings file Travennik.txt and cannot be examined\r\n")
            << spelling;
        EXPECT_EQ(workspace.read("Travennik.txt"), "UPA1P430B638\n") << spelling;
    }
}

TEST_F(WindowsProgram, ArgumentsAsTheRunTimeSplitsThem) {
    Workspace workspace;
    workspace.write("my report.txt", "UPA1P430B638\n");
    RunResult result = workspace.run({"/REPORT", "-my report.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(workspace.read("my report.txt"), "UPA1P430B638\n" + ROW1_BLOCK);
}

}  // namespace
