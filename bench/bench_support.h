#pragma once

// Benchmarks run on a copy of the shipped installation in a temporary folder, so that
// what the program writes on the way (window geometry, data files) never lands in the
// source tree.
//
// Every benchmark also runs in a quick mode (argument --quick, or TARVELIN_BENCH_QUICK set
// in the environment): a few rounds on small data. The tests run each one so, once, to
// prove that it still does the work it measures; its figures are not judged then. A
// benchmark checks what its work left behind and exits non-zero when the work was not done.

#include "platform/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace bench {

inline bool &QuickMode()
{
    static bool quick = false;
    return quick;
}

// Reads the mode from the arguments and the environment; call first in main.
inline void ReadMode(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quick") == 0)
            QuickMode() = true;
    if (qEnvironmentVariableIsSet("TARVELIN_BENCH_QUICK"))
        QuickMode() = true;
}

// full normally, quick in the quick mode: a count of rounds or a size of data.
inline int Sized(int full, int quick)
{
    return QuickMode() ? quick : full;
}

// Ends the benchmark with a message when its work was not done.
inline void Require(bool done, const char *what)
{
    if (done)
        return;
    std::printf("not done: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

inline void CopyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + '/' + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

// Copies the installation into dir and makes it the program folder.
inline void UseInstallationCopy(const QTemporaryDir &dir)
{
    CopyFolder(QStringLiteral(TARVELIN_INSTALL_DIR), dir.path());
    platform::SetProgramFolder(dir.path());
}

// The middle of a set of timings, steadier than the mean on a shared machine.
inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Processor time of this thread: the figure "on one core", whatever else the machine
// runs.
inline double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

} // namespace bench
