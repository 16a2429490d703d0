// Start-up of the whole program: the process started, its main window shown, closed and
// the process ended, on a copy of the shipped installation (offscreen), side by side with
// a bare Qt main window program built in the same tree. Pairs run alternately, the order
// swapped each pair, so both see the same machine; the medians are compared. Peak memory
// is the child's maximum resident set as the kernel reports it on exit.
#include "bench/bench_support.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <vector>

extern char **environ;

namespace {

struct Run
{
    double ms = 0;
    double cpuMs = 0; // user and system time: steadier than the wall clock on a busy machine
    double maxRssMiB = 0;
    bool ok = false;
};

Run runOnce(const char *exe, const std::vector<std::string> &extraEnv)
{
    // The variables given here replace the inherited ones of the same name.
    const auto overridden = [&extraEnv](const std::string &entry) {
        for (const std::string &e : extraEnv)
            if (entry.compare(0, e.find('=') + 1, e, 0, e.find('=') + 1) == 0)
                return true;
        return false;
    };
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e)
        if (!overridden(*e))
            env.emplace_back(*e);
    for (const std::string &e : extraEnv)
        env.push_back(e);
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = exe;
    char *argv[] = {program.data(), nullptr};

    Run r;
    timespec t0{}, t1{};
    clock_gettime(CLOCK_MONOTONIC, &t0);
    pid_t pid = 0;
    if (posix_spawn(&pid, exe, nullptr, nullptr, argv, envp.data()) != 0)
        return r;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return r;
    clock_gettime(CLOCK_MONOTONIC, &t1);
    r.ms = (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6;
    r.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    r.maxRssMiB = usage.ru_maxrss / 1024.0; // kilobytes on Linux
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    bench::ReadMode(argc, argv);
    // A number as argument: that many pairs.
    const int given = argc > 1 ? std::atoi(argv[1]) : 0;
    const int pairs = given > 0 ? given : bench::Sized(15, 1);
    QTemporaryDir installCopy;
    bench::CopyFolder(QStringLiteral(TARVELIN_INSTALL_DIR), installCopy.path());

    // Both close their window as soon as the message loop runs, the program through its
    // own test seam; its message boxes, if any came, would be answered, not waited on.
    const std::vector<std::string> common = {"QT_QPA_PLATFORM=offscreen", "TARVELIN_AUTOCLOSE_MS=1"};
    std::vector<std::string> programEnv = common;
    programEnv.push_back("TARVELIN_HOME=" + installCopy.path().toStdString());
    programEnv.push_back("TARVELIN_SCRIPTED_BOXES=1");

    // One unmeasured run each, so that both start from a warm file cache; the program's
    // first run also stores its window geometry, which the measured runs, like a user's
    // start and close, then find unchanged.
    runOnce(TARVELIN_BINARY, programEnv);
    runOnce(BARE_BINARY, common);

    std::vector<double> programMs, bareMs, programCpu, bareCpu, programMiB, bareMiB;
    for (int i = 0; i < pairs; ++i) {
        Run p, b;
        if (i % 2 == 0) {
            p = runOnce(TARVELIN_BINARY, programEnv);
            b = runOnce(BARE_BINARY, common);
        } else {
            b = runOnce(BARE_BINARY, common);
            p = runOnce(TARVELIN_BINARY, programEnv);
        }
        if (!p.ok || !b.ok) {
            std::fprintf(stderr, "a run failed (program %s, bare window %s)\n", p.ok ? "ok" : "failed",
                         b.ok ? "ok" : "failed");
            return 1;
        }
        programMs.push_back(p.ms);
        bareMs.push_back(b.ms);
        programCpu.push_back(p.cpuMs);
        bareCpu.push_back(b.cpuMs);
        programMiB.push_back(p.maxRssMiB);
        bareMiB.push_back(b.maxRssMiB);
    }
    const double pt = bench::Median(programMs), bt = bench::Median(bareMs);
    const double pc = bench::Median(programCpu), bc = bench::Median(bareCpu);
    const double pm = bench::Median(programMiB), bm = bench::Median(bareMiB);
    std::printf("start, main window shown, exit (medians of %d pairs, offscreen)\n", pairs);
    std::printf("                     wall        processor   peak memory\n");
    std::printf("  Tarvelin         : %6.1f ms   %6.1f ms   %5.1f MiB\n", pt, pc, pm);
    std::printf("  bare main window : %6.1f ms   %6.1f ms   %5.1f MiB\n", bt, bc, bm);
    std::printf("  ratio            : %6.2fx     %6.2fx     %5.2fx  (targets: 1.5x time, 1.3x memory)\n", pt / bt,
                pc / bc, pm / bm);
    return 0;
}
