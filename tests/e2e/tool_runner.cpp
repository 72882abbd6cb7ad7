#include "tool_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

Workspace::Workspace() {
    char pattern[] = "/tmp/travennik-e2e-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
}

Workspace::~Workspace() {
    std::string command = "chmod -R u+w '" + dir_ + "' 2>/dev/null; rm -rf '" + dir_ + "'";
    if (std::system(command.c_str()) != 0) {
        // A leftover temporary folder is harmless; say so and go on.
        std::fprintf(stderr, "could not remove %s\n", dir_.c_str());
    }
}

void Workspace::write(const std::string& name, const std::string& content) const {
    std::ofstream(path(name), std::ios::binary) << content;
}

std::string Workspace::read(const std::string& name) const {
    return slurp(path(name));
}

bool Workspace::exists(const std::string& name) const {
    struct stat info;
    return ::lstat(path(name).c_str(), &info) == 0;
}

RunResult Workspace::run(const std::vector<std::string>& args, const RunOptions& options) const {
    return finish(start(args, options));
}

Workspace::Started Workspace::start(const std::vector<std::string>& args,
                                    const RunOptions& options) const {
    std::vector<std::string> command;
    std::string launcher = environment("TRAVENNIK_LAUNCHER");
    if (!launcher.empty()) command.push_back(launcher);
    std::string program = environment("TRAVENNIK_PROGRAM");
    if (program.empty()) throw std::runtime_error("TRAVENNIK_PROGRAM names no program to test");
    command.push_back(program);
    command.insert(command.end(), args.begin(), args.end());

    std::string run_number = std::to_string(++runs_);
    std::string out_path =
        options.stdout_path.empty() ? dir_ + "/.stdout" + run_number : options.stdout_path;
    std::string err_path = dir_ + "/.stderr" + run_number;
    pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (std::string& word : command) argv.push_back(word.data());
        argv.push_back(nullptr);
        int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int in = ::open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || ::chdir(dir_.c_str()) != 0) _exit(126);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (options.file_size_limit >= 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(options.file_size_limit);
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    return Started{child, out_path, err_path, options.stdout_path.empty()};
}

RunResult Workspace::finish(const Started& started) {
    pid_t child = started.pid;
    RunResult result;
    int wait_status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (::waitpid(child, &wait_status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &wait_status, 0);
            result.err = "timed out";
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
    if (started.capture_out) {
        result.out = slurp(started.out_path);
        ::unlink(started.out_path.c_str());
    }
    result.err = slurp(started.err_path);
    ::unlink(started.err_path.c_str());
    return result;
}

bool windows_target() {
    return environment("TRAVENNIK_TARGET") == "windows";
}

std::string eol(const std::string& text) {
    if (!windows_target()) return text;
    std::string converted;
    for (char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

std::string banner() {
    return eol(
        "Travennik.exe - Mirrowen\n"
        "version 1.0 (R)\n"
        "Checks disk reports against Mirrowen's list of units with a known issue.\n\n\n");
}

std::string usage_text() {
    return eol(
        "Usage examples:\n\n"
        "Travennik -report -report.txt     to process any provided text file\n"
        "Travennik -ctnumber -ctnumber.txt to process the drives CT numbers text file\n");
}

std::string error_report(const std::string& prefix, const std::string& reason,
                         const std::string& actual) {
    if (!windows_target()) return prefix + reason + "\n";
    std::size_t start = actual.rfind(eol(prefix));
    if (start == std::string::npos || actual.size() < 2) return eol(prefix + reason + "\n");
    std::string shown = actual.substr(start + eol(prefix).size());
    std::size_t line_end = shown.find("\r\n");
    if (line_end == 0 || line_end != shown.size() - 2) return eol(prefix + reason + "\n");
    return eol(prefix) + shown;
}
