#include "storage/storage_errors.h"

#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/text_xml.h"

namespace storage {

void ThrowFileError(const QString &storedPath, int lineIndex, const QString &detail)
{
    throw FileDamagedError(
        storedPath, QStringLiteral("Błąd w pliku %1, wiersz %2: %3").arg(storedPath).arg(lineIndex + 1).arg(detail));
}

void ThrowStructureError(const QString &storedPath, const QString &detail)
{
    throw FileDamagedError(storedPath, StructureErrorText(storedPath, detail));
}

QString StructureErrorText(const QString &storedPath, const QString &detail)
{
    return QStringLiteral("Niepoprawna struktura pliku %1: %2").arg(storedPath, detail);
}

QString FolderInPlaceOfFileText(const QString &storedPath)
{
    return QStringLiteral("Zamiast pliku jest katalog o tej nazwie : ") + storedPath;
}

QString FileReadFailureText(const QString &storedPath)
{
    return platform::FolderExists(storedPath) ? FolderInPlaceOfFileText(storedPath)
                                              : platform::FileAccessErrorText(storedPath);
}

bool SomethingAt(const QString &storedPath)
{
    return platform::FileExists(storedPath) || platform::FolderExists(storedPath);
}

QString FolderNotCreatedText(const QString &storedPath)
{
    return QStringLiteral("Nie powiodła się próba utworzenia katalogu : ") + storedPath;
}

QString WrongRootText(const QString &storedPath, const QString &found, const QString &expected)
{
    return QStringLiteral("Plik nie jest oczekiwanego rodzaju (element główny <%1> zamiast <%2>) : %3")
        .arg(found, expected, storedPath);
}

int ToIntAt(const QString &text, const QString &storedPath, int lineIndex, const QString &what)
{
    int v = 0;
    if (!TryToInt(text, v))
        ThrowFileError(storedPath, lineIndex, QStringLiteral("%1 \"%2\" nie jest liczbą całkowitą").arg(what, text));
    return v;
}

} // namespace storage
