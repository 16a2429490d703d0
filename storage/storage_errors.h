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

// What a reader or writer says when a stored path holds a folder, not a file: "Zamiast
// pliku jest katalog o tej nazwie : {path}".
QString FolderInPlaceOfFileText(const QString &storedPath);
// What a reader says of a file that is there but cannot be read: the text above for a
// folder, else "Błąd dostępu do pliku : {path}".
QString FileReadFailureText(const QString &storedPath);
// Whether anything stands at the path, a file or a folder.
bool SomethingAt(const QString &storedPath);
// "Nie powiodła się próba utworzenia katalogu : {path}" - a folder a save needs could not
// be made.
QString FolderNotCreatedText(const QString &storedPath);
// A file whose root element is not the one its reader expects (a file of another kind, or
// of another document, under this name): "Plik nie jest oczekiwanego rodzaju (element
// główny <found> zamiast <expected>) : {path}".
QString WrongRootText(const QString &storedPath, const QString &found, const QString &expected);

// Integer of an attribute or text; a malformed number throws with the file and line.
int ToIntAt(const QString &text, const QString &storedPath, int lineIndex, const QString &what);

} // namespace storage
