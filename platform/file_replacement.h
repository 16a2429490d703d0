#pragma once

// Replacing files on the disk: the one way the program writes a file it keeps. What it
// guarantees:
// - the old file stays byte for byte unless the new bytes reached the disk whole: they go
//   into a temporary file beside the target, are flushed and synced, and only then does the
//   temporary file take the target's name (the folder is synced after);
// - a target that is a symbolic link is written through: the file it points to is replaced
//   and the link stays;
// - a target that is there but that this user may not read or write is refused, as a plain
//   write of it would be (the rename would need only the folder's permission);
// - a save of several files replaces all of them or none: until every rename has succeeded
//   the old version of each file stays beside it (a hard link), and when a rename fails the
//   files already replaced get their old versions back. A save killed part-way is undone
//   by the next clean-up of any of its folders (RemoveInterruptedSaves), which finds the
//   save's list of files beside each of them; a save that had replaced every file when it
//   was killed stays as it is.
// Nothing here shows a message: callers are told success, and which file failed.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace platform {

// Returns success; on failure the old file is untouched.
bool WriteFileAtomically(const QString &filePath, const QByteArray &bytes);

// One file of a save that rewrites several.
struct FileWrite
{
    QString filePath;
    QByteArray bytes;
};
// All of them or none; failedPath (when given) gets the filePath of the file that could not
// be written or replaced.
bool WriteFilesAtomically(const std::vector<FileWrite> &files, QString *failedPath = nullptr);

// For tests: hook is asked before each rename of a save, with the rename's number (from 1),
// and once more, with the number of files + 1, when every file is in place and the save is
// about to be made done; false fails that step as a full disk would. An empty hook: none.
void SetRenameHookForTests(std::function<bool(int step)> hook);

// Whether name is the name of a temporary file a save of dataFileName leaves when it is
// interrupted: the data file's name, ".tarvelin-zapis-" and six letters or digits.
bool IsInterruptedSaveName(const QString &name, const QString &dataFileName);

// Clears from the folder (a file-system path) what interrupted saves of the data files it
// holds left there, a data file being one whose name isDataFile accepts (whether it is there
// or not: a first save may have been interrupted): a save of several files that was killed
// part-way is undone first, in every folder it wrote to. Left alone are the files of a save
// still running (in another copy of the program) and a temporary file written in the last
// minute, which may be one. Leftovers of a data file that is a symbolic link stand beside
// the file it points to and are cleared there. Nothing else is touched. Returns the names
// removed.
QStringList RemoveInterruptedSaves(const QString &folderPath, const std::function<bool(const QString &)> &isDataFile);

} // namespace platform
