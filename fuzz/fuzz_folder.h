#pragma once

// The program folder the file readers are fuzzed in: a temporary directory made once per
// process, prepared by the target (catalogues, sub-folders) and then fed one input at a
// time.

#include "platform/paths.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzzsupport {

inline QTemporaryDir &FolderOnce()
{
    static QTemporaryDir dir;
    return dir;
}

// Makes the folder the program folder on the first call and runs setup on it then.
template <typename Setup>
QTemporaryDir &Folder(Setup setup)
{
    QTemporaryDir &dir = FolderOnce();
    static bool once = [&] {
        qputenv("TARVELIN_SCRIPTED_BOXES", "1");
        platform::SetProgramFolder(dir.path());
        setup(QDir(dir.path()));
        return true;
    }();
    (void)once;
    return dir;
}

// Writes the input as the file relative ("/" separated) below the folder.
inline void Put(const QString &relative, const uint8_t *data, size_t size)
{
    QFile f(FolderOnce().filePath(relative));
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
}

} // namespace fuzzsupport
