// The command line and the single CT-number lookup, run through the real program.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "tool_runner.h"

namespace {

const std::string ROW1_LOOKUP =
    "Factory S/N\t\tCT\nUPA1P430B638\t\t2622401CXQ110C\n\n" + CERTAIN + CONTACT;
const std::string ROW13_LOOKUP =
    "Factory S/N\t\tCT\nUPA1P3502K70\t\t2622401CXOU12H\n\n" + CERTAIN + CONTACT;

struct CommandCase {
    std::vector<std::string> args;
    std::string out;  // "" stands for the usage text
    int status;
};

TEST(CommandLine, ModesSwitchesAndOperands) {
    const CommandCase cases[] = {
        {{}, "", 2},
        {{"-ctn", "-2622401CXQ110C"}, ROW1_LOOKUP, 0},
        {{"-ctn", "-2622401cxq110c"}, ROW1_LOOKUP, 0},
        {{"/CTN", "=2622401CXQ110C"}, ROW1_LOOKUP, 0},
        {{"-cTn", "-2622401CXOU12H"}, ROW13_LOOKUP, 0},
        {{"-ctn", "-2622401CX0U12H"}, ALL_GOOD, 0},
        {{"-ctn", "-UPA1P430B638"}, ALL_GOOD, 0},
        {{"-ctn", "2622401CXQ110C"}, ALL_GOOD, 0},  // read as 622401CXQ110C
        {{"-ctn", "-"}, ALL_GOOD, 0},               // an empty operand
        {{"-ctn", "-2622401CXQ110C", "ignored", "too"}, ROW1_LOOKUP, 0},
        {{"-ctnum", "-x.txt"}, "", 2},  // keywords match whole
        {{"-ctnumberx", "-x.txt"}, "", 2},
        {{"report", "-x.txt"}, "", 2},  // no switch character
        {{"\\report", "-x.txt"}, "", 2},
        {{"-", "-x.txt"}, "", 2},  // an empty keyword
        {{"", "-x.txt"}, "", 2},
        {{"-ctn"}, "", 2},  // a keyword with no operand
        {{"-ctn", ""}, "", 2},
        {{"-report"}, "", 2},
        {{"-report", ""}, "", 2},
        {{"-quistral", ""}, "", 2},
    };
    for (const CommandCase& c : cases) {
        Workspace workspace;
        RunResult result = workspace.run(c.args);
        std::string where = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(result.status, c.status) << where;
        EXPECT_EQ(result.out, c.out.empty() ? usage_text() : eol(c.out)) << where;
        EXPECT_EQ(result.err, banner()) << where;
        EXPECT_FALSE(workspace.exists("Travennik.txt")) << where << ": nothing is created";
    }
}

TEST(CommandLine, KeywordInAnyCaseRunsTheFileMode) {
    for (const char* keyword : {"-REPORT", "/Report", "-rePort"}) {
        Workspace workspace;
        workspace.write("x.txt", "nothing\n");
        RunResult result = workspace.run({keyword, "-x.txt"});
        EXPECT_EQ(result.status, 0) << keyword;
        EXPECT_EQ(result.out, eol(ALL_GOOD)) << keyword;
        EXPECT_EQ(workspace.read("x.txt"), "nothing\n" + eol("\n\n" + ALL_GOOD)) << keyword;
    }
}

TEST(CommandLine, OperandLosesItsFirstCharacterWhateverItIs) {
    Workspace workspace;
    workspace.write("report.txt", "UPA1P430B638\n");
    workspace.write("eport.txt", "nothing\n");
    RunResult result = workspace.run({"-report", "report.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(workspace.read("report.txt"), "UPA1P430B638\n");
    EXPECT_EQ(workspace.read("eport.txt"), "nothing\n" + eol("\n\n" + ALL_GOOD));
}

}  // namespace
