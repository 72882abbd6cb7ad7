#pragma once

#include <string>
#include <vector>

// Runs the built program as a user would, in a temporary folder, and collects what it did.
// TRAVENNIK_PROGRAM names the program; TRAVENNIK_LAUNCHER, when set, is a program that runs it
// (Wine, for the Windows build), and TRAVENNIK_TARGET=windows says that its line ends are CR LF.

struct RunResult {
    int status = -1;  // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

struct RunOptions {
    std::string stdout_path;         // where standard output goes instead of a capture file
    long long file_size_limit = -1;  // RLIMIT_FSIZE for the program, SIGXFSZ ignored
};

class Workspace {
  public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const std::string& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

    RunResult run(const std::vector<std::string>& args, const RunOptions& options = {}) const;

    // For runs that overlap: start several, then finish each.
    struct Started {
        int pid;
        std::string out_path;
        std::string err_path;
        bool capture_out;
    };
    Started start(const std::vector<std::string>& args, const RunOptions& options = {}) const;
    static RunResult finish(const Started& started);

  private:
    std::string dir_;
    mutable int runs_ = 0;
};

bool windows_target();
// The text as the program writes it through a text stream: CR LF line ends on Windows.
std::string eol(const std::string& text);
// The banner the program prints on standard error before anything else.
std::string banner();
// The one-line error report "<prefix><reason>" with a line end. The system's reason is `reason`
// natively; a Windows C run-time under Wine may word it otherwise, so there any reason taken
// from `actual` is accepted as long as the line has the shape.
std::string error_report(const std::string& prefix, const std::string& reason,
                         const std::string& actual);
// Standard output for a malformed command line or after an open failure.
std::string usage_text();
