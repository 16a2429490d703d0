#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

// Splits decoded text into lines at CR LF, LF or a lone CR. A final line end does not
// make an empty last line (readers never look at the last line, and a phantom one would
// hide the closing root tag from them).
QStringList SplitLines(const QString &text);

// The lines of a Windows-1250 file's bytes, as ReadLinesCp1250 gives them.
QStringList DecodeLinesCp1250(const QByteArray &bytes);

// Reads a whole Windows-1250 file as lines; the path is a file-system path (see
// ToFilePath). std::nullopt when the file cannot be opened.
std::optional<QStringList> ReadLinesCp1250(const QString &filePath);

// As above, but a file that cannot be opened raises TarvelinError with the file access
// text naming the file, which the event boundary shows.
QStringList ReadLinesCp1250OrThrow(const QString &filePath);

// The one way a file is replaced: the bytes go into a temporary file beside the target,
// are flushed and synced to the disk, and only then does the temporary file take the
// target's name. A full disk, a write error or a kill leaves the old file byte for byte.
// Returns success and shows nothing.
bool WriteFileAtomically(const QString &filePath, const QByteArray &bytes);

// One file of a save that rewrites several.
struct FileWrite
{
    QString filePath;
    QByteArray bytes;
};
// Writes the temporary file of every file first and replaces the targets only when all
// of them were written whole: a failure part-way replaces nothing, and failedPath (when
// given) names the file that could not be written. Returns success and shows nothing.
bool WriteFilesAtomically(const std::vector<FileWrite> &files, QString *failedPath = nullptr);

// Whether name is the name of a temporary file a save of dataFileName leaves when it is
// interrupted: the data file's name, ".tarvelin-zapis-" and six letters or digits.
bool IsInterruptedSaveName(const QString &name, const QString &dataFileName);
// Removes from the folder (a file-system path) every temporary file left by an interrupted
// save of a data file that stands beside it and that isDataFile accepts (by its name).
// Nothing else is touched. Returns the names removed.
QStringList RemoveInterruptedSaves(const QString &folderPath, const std::function<bool(const QString &)> &isDataFile);

// Writes lines in Windows-1250, each followed by CR LF, atomically. Returns success and
// shows nothing (the caller says what failed); on failure the old file is untouched.
// Line breaks inside a line ("\n" in memory) are written as CR LF.
bool WriteLinesCp1250(const QString &filePath, const QStringList &lines);
// The bytes WriteLinesCp1250 writes.
QByteArray EncodeLinesCp1250(const QStringList &lines);

} // namespace platform
