#pragma once

// The data files a reader of this run found damaged: cut short, emptied, or not readable
// whole. What was read of such a file is incomplete, and written back it would replace
// what the file still holds. So a damaged file is never written over: every writer of a
// data file asks here first and refuses it, naming it, until the user mends or removes it
// and the data are read again.

#include "storage/storage_result.h"

#include <QString>

namespace storage {

// A reader found the file damaged.
void MarkFileDamaged(const QString &storedPath);
// A reader found the file whole, or not there: once it has changed since it was found
// damaged (mended, replaced or removed), it may be written again.
void MarkFileReadWhole(const QString &storedPath);
// Whether the file was found damaged and is still there.
bool FileFoundDamaged(const QString &storedPath);

// Success, or the refusal naming the file when it was found damaged and is still there.
StorageResult RefuseDamagedFile(const QString &storedPath);
QString DamagedFileRefusalText(const QString &storedPath);

// What a reader tells the user about a damaged file: the Polish text naming it, and that
// what could be read is shown but will not be saved over it.
QString DamagedFileReadText(const QString &message);

// Removes the temporary files an interrupted save left beside the data files (".xml") in
// the folder of a data file (stored path), the first time that folder is read in a run.
void RemoveInterruptedSavesBeside(const QString &storedFilePath);

} // namespace storage
