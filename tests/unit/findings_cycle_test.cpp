#include "findings/findings_cycle.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "common/texts.h"
#include "modes/free_text_scan.h"
#include "modes/labelled_serial_scan.h"
#include "test_files.h"

namespace {

// Runs each test in a fresh folder, where the cycle creates its findings file.
class FindingsCycle : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/travennik-cycle-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        console_.stream = std::tmpfile();
    }
    void TearDown() override {
        std::fclose(console_.stream);
        ASSERT_EQ(chdir(previous_), 0);
        std::system(("rm -rf " + folder_).c_str());
    }

    static void write_file(const char* name, const std::string& content) {
        std::ofstream(name, std::ios::binary) << content;
    }
    static std::string read_file(const char* name) {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::string console_text() { return whole_stream(console_.stream); }

    std::string folder_;
    char previous_[4096];
    CheckedStream console_{nullptr, "console"};
};

int failing_seek(std::FILE*) {
    errno = EINVAL;
    return -1;
}

TEST_F(FindingsCycle, FailedPositioningAppendsNothingAndGivesNoVerdict) {
    const std::string report = "UPA1P430B638\n";
    write_file("r.txt", report);
    CycleIo io = SYSTEM_IO;
    io.seek_to_end = failing_seek;
    EXPECT_EQ(run_findings_cycle("r.txt", REPORT_MODE, console_, io), Outcome::failed);
    EXPECT_EQ(read_file("r.txt"), report);
    EXPECT_EQ(console_text(), "");  // no completion text for a block that was never appended
}

int reads_before_failure = 0;
long failing_read(std::FILE* stream, char* buffer, std::size_t size) {
    if (reads_before_failure-- == 0) {
        errno = EIO;
        return -1;
    }
    return read_stream_block(stream, buffer, std::min<std::size_t>(size, 8));
}

TEST_F(FindingsCycle, ReadErrorsLeaveTheExaminedFileAsItWas) {
    const std::string report = "Serial Number : UPA1P430B638\nSerial Number : UUL1P3C02028\n";
    CycleIo io = SYSTEM_IO;
    io.read_block = failing_read;
    // 0 and 3 fail while scanning the report; 8 fails reading the findings back for the block.
    for (int reads : {0, 3, 8}) {
        write_file("r.txt", report);
        reads_before_failure = reads;
        EXPECT_EQ(run_findings_cycle("r.txt", QUISTRAL_MODE, console_, io), Outcome::failed)
            << reads;
        EXPECT_EQ(read_file("r.txt"), report) << reads;
    }
    EXPECT_EQ(console_text(), "");
}

TEST_F(FindingsCycle, ConsoleWriteFailureIsRemembered) {
    write_file("r.txt", "nothing here\n");
    std::fclose(console_.stream);
    console_.stream = std::fopen("/dev/full", "w");
    if (console_.stream == nullptr) GTEST_SKIP() << "no /dev/full";
    std::setvbuf(console_.stream, nullptr, _IONBF, 0);
    EXPECT_EQ(run_findings_cycle("r.txt", REPORT_MODE, console_), Outcome::verdict);
    EXPECT_EQ(console_.error, ENOSPC);
    EXPECT_EQ(read_file("r.txt"), std::string("nothing here\n\n\n") + TEXT_ALL_GOOD);
    console_.stream = std::tmpfile();
}

}  // namespace
