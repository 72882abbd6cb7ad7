// Throughput of every file mode against grep -F on the same report-like corpus.
//
//   bench_throughput PROGRAM [MIB [RUNS]]
//
// Generates a MIB-MiB corpus (256 by default) and a 13-line serials.txt in a temporary folder,
// then runs each mode and `LC_ALL=C grep -c -F -f serials.txt` on it in turn, RUNS times each
// (5 by default), and prints the best wall time of each as MB/s, the ratio grep-time /
// tool-time, and the peak resident memory. The examined file is cut back to its size after
// every run, so each run sees the same input. A last row gives the peak memory of "report" on
// a 64 MiB file that is one single token.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "corpus.h"

namespace {

struct Timing {
    double seconds = 1e9;
    long peak_kib = 0;
    int status = -1;
};

// Runs a command in `dir`, its output going to a file there (grep stops at the first match when
// its output is /dev/null); records the wall time and peak memory.
Timing run_once(const std::string& dir, std::vector<std::string> command, bool c_locale) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        int null = ::open("/dev/null", O_RDWR);
        if (null < 0 || ::chdir(dir.c_str()) != 0) _exit(126);
        int out = ::open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0) _exit(126);
        ::dup2(null, 0);
        ::dup2(out, 1);
        ::dup2(out, 2);
        if (c_locale) ::setenv("LC_ALL", "C", 1);
        std::vector<char*> argv;
        for (std::string& word : command) argv.push_back(word.data());
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    ::wait4(child, &status, 0, &usage);
    Timing timing;
    timing.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timing.peak_kib = usage.ru_maxrss;
    timing.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return timing;
}

void keep_best(Timing& best, const Timing& run) {
    best.seconds = std::min(best.seconds, run.seconds);
    best.peak_kib = std::max(best.peak_kib, run.peak_kib);
    best.status = run.status;
}

off_t file_size(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [MIB [RUNS]]\n", argv[0]);
        return 2;
    }
    char resolved[4096];
    if (::realpath(argv[1], resolved) == nullptr) {
        std::perror(argv[1]);
        return 2;
    }
    const std::string program = resolved;
    const std::size_t mib = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 256;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;

    char pattern[] = "/tmp/travennik-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = pattern;
    const std::string corpus = dir + "/corpus.txt";
    const std::string token = dir + "/token.txt";
    if (!write_report_corpus(corpus, mib << 20) || !write_single_token(token, 64u << 20)) {
        std::fprintf(stderr, "could not write the corpus in %s\n", dir.c_str());
        return 1;
    }
    {
        std::FILE* serials = std::fopen((dir + "/serials.txt").c_str(), "w");
        for (const char* serial :
             {"UPA1P430B638", "UPA1P41098NV", "UPA1P3C091SM", "UPA1P41092S8", "UUL1P3C02028",
              "UPA1P38049TU", "UPL1P3A0BBY2", "UPL1P3909HUP", "UPA1P3C0907F", "UPL1P420FUUF",
              "UPL1P3805JE3", "UUL1P4403E1F", "UPA1P3502K70"}) {
            std::fprintf(serials, "%s\n", serial);
        }
        std::fclose(serials);
    }
    const off_t corpus_size = file_size(corpus);
    const double megabytes = static_cast<double>(corpus_size) / 1e6;

    std::printf("corpus: %.1f MB, best of %d runs each\n\n", megabytes, runs);
    std::printf("%-10s %10s %10s %12s %10s %8s\n", "mode", "tool MB/s", "grep MB/s", "grep/tool",
                "peak KiB", "exit");
    for (const char* mode : {"report", "ctnumber", "quistral", "pelvor"}) {
        Timing tool;
        Timing grep;
        for (int run = 0; run < runs; ++run) {
            keep_best(tool,
                      run_once(dir, {program, std::string("-") + mode, "-corpus.txt"}, false));
            if (::truncate(corpus.c_str(), corpus_size) != 0) std::perror("truncate");
            keep_best(grep,
                      run_once(dir, {"grep", "-c", "-F", "-f", "serials.txt", "corpus.txt"}, true));
        }
        std::printf("%-10s %10.0f %10.0f %12.2f %10ld %8d\n", mode, megabytes / tool.seconds,
                    megabytes / grep.seconds, grep.seconds / tool.seconds, tool.peak_kib,
                    tool.status);
    }
    Timing single;
    keep_best(single, run_once(dir, {program, "-report", "-token.txt"}, false));
    std::printf("%-10s %10.0f %10s %12s %10ld %8d\n", "1 token", 67.108864 / single.seconds, "-",
                "-", single.peak_kib, single.status);

    std::string cleanup = "rm -rf '" + dir + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
