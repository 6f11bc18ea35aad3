// Times two commands side by side, A B A B ..., and prints the median of the
// pair-by-pair time ratios A/B and the peak resident memory of A; with cpu=LIMIT, also
// the median of A's processor time (user and system) over its wall time, against LIMIT.
//
//   compare_runs RUNS LABEL TARGET_RATIO PEAK_LIMIT_MIB [cpu=LIMIT] -- A_ARGS... ::: B_ARGS...
//
// A peak limit of 0 sets none; a target ratio of "-" sets none, the ratio only shown.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double seconds;
    double processorSeconds;
    long peakKiB;
};

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

Run Measure(std::vector<char*> arguments)
{
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // Diagnostics some commands write to standard error (generate's failed check) are no part of a timing.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ) != 0) {
        std::perror(arguments[0]);
        std::exit(2);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return { std::chrono::duration<double>(end - start).count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
             usage.ru_maxrss };
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    int first = 5;
    double cpuLimit = 0;
    if (argc > first && std::strncmp(argv[first], "cpu=", 4) == 0)
        cpuLimit = std::atof(argv[first++] + 4);
    if (argc < first + 3 || std::strcmp(argv[first], "--") != 0) {
        std::fprintf(stderr,
                     "usage: compare_runs RUNS LABEL TARGET_RATIO PEAK_LIMIT_MIB [cpu=LIMIT] -- A... ::: B...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string label = argv[2];
    const bool hasTarget = std::strcmp(argv[3], "-") != 0;
    const double target = std::atof(argv[3]);
    const double peakLimit = std::atof(argv[4]);
    std::vector<char*> a;
    std::vector<char*> b;
    std::vector<char*>* side = &a;
    for (int i = first + 1; i < argc; ++i) {
        if (std::strcmp(argv[i], ":::") == 0)
            side = &b;
        else
            side->push_back(argv[i]);
    }
    Measure(a); // warm the page cache
    Measure(b);
    std::vector<double> ratios;
    std::vector<double> secondsA;
    std::vector<double> processorShares;
    long peakKiB = 0;
    for (int run = 0; run < runs; ++run) {
        const Run runA = Measure(a);
        const Run runB = Measure(b);
        ratios.push_back(runA.seconds / runB.seconds);
        secondsA.push_back(runA.seconds);
        processorShares.push_back(runA.processorSeconds / runA.seconds);
        peakKiB = std::max(peakKiB, runA.peakKiB);
    }
    const double ratio = Median(ratios);
    const double peak = static_cast<double>(peakKiB) / 1024;
    std::printf("%-34s ratio %6.3fx", label.c_str(), ratio);
    if (hasTarget)
        std::printf(" (target <= %.2fx) %-6s", target, ratio <= target ? "met" : "MISSED");
    std::printf("  median %.3f s  peak %5.1f MiB", Median(secondsA), peak);
    if (peakLimit > 0)
        std::printf(" (target < %.0f MiB) %s", peakLimit, peak < peakLimit ? "met" : "MISSED");
    if (cpuLimit > 0) {
        const double share = Median(processorShares);
        std::printf("  cpu %.2fx wall (target <= %.2fx) %s", share, cpuLimit, share <= cpuLimit ? "met" : "MISSED");
    }
    std::printf("\n");
    return 0;
}
