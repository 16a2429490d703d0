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

} // namespace bench
