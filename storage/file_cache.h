#pragma once

// Decoded lines of definition and catalogue files, kept while the file stays unchanged.
// A workstation read builds the fields of every measurement from a definition and takes
// catalogue defaults for every field; reading those files again each time would make
// loading a workstation slow.

#include <QString>
#include <QStringList>
#include <memory>

namespace storage {

// The lines of a stored path, cut as the shared reading procedure cuts them when cut is
// true. A file that cannot be opened throws TarvelinError. The result stays valid after
// the cache drops it.
std::shared_ptr<const QStringList> CachedTextXmlLines(const QString &storedPath, bool cut);

// The same, but nullptr when the file does not exist (it still throws when it exists and
// cannot be read).
std::shared_ptr<const QStringList> CachedTextXmlLinesIfExists(const QString &storedPath, bool cut);

// The lines of a data file the program itself rewrites (the workstation list), uncut,
// read again only when the file changed: nullptr when it is missing or cannot be read. A
// file changed within the last seconds is read afresh each time, so that a rewrite of the
// same size within the clock's resolution is never taken for the old content.
std::shared_ptr<const QStringList> CachedDataFileLines(const QString &storedPath);

// A value that identifies the file's current content: changes when the file is rewritten
// (modification time, size, inode). Empty when the file is missing.
QByteArray FileStamp(const QString &filePath);
// FileStamp and the time of the file's last change of any kind (its permissions too).
// Empty when the file is missing.
QByteArray FileChangeStamp(const QString &filePath);

// Drops what is kept of one file; writers call it, because a rewrite within the same clock
// tick and of the same size could otherwise pass for the old content.
void ForgetCachedFile(const QString &storedPath);

void ClearFileCache();

} // namespace storage
