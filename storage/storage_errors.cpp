#include "storage/storage_errors.h"

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

int ToIntAt(const QString &text, const QString &storedPath, int lineIndex, const QString &what)
{
    int v = 0;
    if (!TryToInt(text, v))
        ThrowFileError(storedPath, lineIndex, QStringLiteral("%1 \"%2\" nie jest liczbą całkowitą").arg(what, text));
    return v;
}

} // namespace storage
