#pragma once

// Messages of the storage readers for malformed files.

#include "platform/tarvelin_error.h"

#include <QString>

namespace storage {

// The one error a reader throws for a malformed file or one it cannot open; it carries the
// Polish message naming the file (and the line). The caller shows it.
using StorageError = platform::TarvelinError;

// What the two throwers below throw: the file they name is damaged, not some other file
// its reading needed.
class FileDamagedError : public StorageError
{
public:
    FileDamagedError(const QString &storedPath, const QString &message) : StorageError(message), m_path(storedPath) {}
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

// "Błąd w pliku {path}, wiersz {n}: {detail}" — names the file and the line the user
// would look at (line numbers from 1).
[[noreturn]] void ThrowFileError(const QString &storedPath, int lineIndex, const QString &detail);
// "Niepoprawna struktura pliku {path}: {detail}"
[[noreturn]] void ThrowStructureError(const QString &storedPath, const QString &detail);
// The same text, for readers that hand it to their caller instead of throwing.
QString StructureErrorText(const QString &storedPath, const QString &detail);

// Integer of an attribute or text; a malformed number throws with the file and line.
int ToIntAt(const QString &text, const QString &storedPath, int lineIndex, const QString &what);

} // namespace storage
