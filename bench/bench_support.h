#pragma once

// Benchmarks run on a copy of the shipped installation in a temporary folder, so that
// what the program writes on the way (window geometry, data files) never lands in the
// source tree.

#include "platform/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <vector>

namespace bench {

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
