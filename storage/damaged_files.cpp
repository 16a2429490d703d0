#include "storage/damaged_files.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "storage/file_cache.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace storage {

namespace {

// One key per file, however its stored path is spelt.
QString keyOf(const QString &storedPath)
{
    return QDir::cleanPath(QFileInfo(platform::ToFilePath(storedPath)).absoluteFilePath());
}

// The damaged files, each with its stamp (FileChangeStamp) when it was found damaged: a
// file is mended when its content or, for one that could not be read, its permissions
// change.
QHash<QString, QByteArray> &damaged()
{
    static QHash<QString, QByteArray> files;
    return files;
}

} // namespace

void MarkFileDamaged(const QString &storedPath)
{
    const QString key = keyOf(storedPath);
    damaged().insert(key, FileChangeStamp(key));
}

void MarkFileReadWhole(const QString &storedPath)
{
    if (damaged().isEmpty())
        return;
    // Only a file changed since: a read of one factor's block of a shared file does not
    // look at the block that was found damaged.
    const QString key = keyOf(storedPath);
    const auto it = damaged().constFind(key);
    if (it != damaged().cend() && it.value() != FileChangeStamp(key))
        damaged().erase(it);
}

bool FileFoundDamaged(const QString &storedPath)
{
    if (damaged().isEmpty())
        return false;
    const QString key = keyOf(storedPath);
    if (!damaged().contains(key))
        return false;
    // Removed by the user: what was read may be written as a new file.
    if (!QFileInfo::exists(key)) {
        damaged().remove(key);
        return false;
    }
    return true;
}

QString DamagedFileRefusalText(const QString &storedPath)
{
    return QStringLiteral("Plik %1 jest uszkodzony lub niekompletny, dlatego nie zostanie nadpisany. Zapis "
                          "odrzucono: popraw lub usuń ten plik, a następnie ponownie otwórz dane.")
        .arg(storedPath);
}

StorageResult RefuseDamagedFile(const QString &storedPath)
{
    if (FileFoundDamaged(storedPath))
        return StorageResult::Failure(DamagedFileRefusalText(storedPath));
    return {};
}

QString DamagedFileReadText(const QString &message)
{
    return message + QStringLiteral("\nPokazano to, co udało się odczytać; plik nie zostanie nadpisany, dopóki nie "
                                    "zostanie poprawiony lub usunięty.");
}

void RemoveInterruptedSavesBeside(const QString &storedFilePath)
{
    // The folder as stored is looked up first: a list of thousands of workstations names
    // each folder at every load, and finding its file on disk takes a look at the disk.
    static QSet<QString> seen;
    const QString stored = platform::ProgramFolder() + QLatin1Char('|') +
                           storedFilePath.left(std::max(storedFilePath.lastIndexOf(QLatin1Char('\\')),
                                                        storedFilePath.lastIndexOf(QLatin1Char('/'))));
    if (seen.contains(stored))
        return;
    seen.insert(stored);
    static QSet<QString> cleaned;
    const QString folder = QFileInfo(keyOf(storedFilePath)).absolutePath();
    if (cleaned.contains(folder))
        return;
    cleaned.insert(folder);
    platform::RemoveInterruptedSaves(
        folder, [](const QString &name) { return name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive); });
}

} // namespace storage
