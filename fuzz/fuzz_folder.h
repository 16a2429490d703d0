#pragma once

// The program folder the file readers are fuzzed in: a temporary directory made once per
// process, prepared by the target (catalogues, sub-folders) and then fed one input at a
// time.

#include "platform/paths.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
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

// Whether a text read from a file comes back unchanged after a write and a second read: no
// markup, no line breaks, and no "=", which could end a value with what reads as the next
// attribute's name.
inline bool Clean(const QString &s)
{
    for (QChar c : s)
        if (c == '<' || c == '>' || c == '&' || c == '"' || c == '=' || c == '\n' || c == '\r')
            return false;
    return true;
}

// Writes the input as the file relative ("/" separated) below the folder.
inline void Put(const QString &relative, const uint8_t *data, size_t size)
{
    QFile f(FolderOnce().filePath(relative));
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
}

} // namespace fuzzsupport
