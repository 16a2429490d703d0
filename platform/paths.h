#pragma once

#include <QString>

namespace platform {

// The program folder: where the executable stands, unless the environment variable
// TARVELIN_HOME names another (tests point it at a fixture installation). Paths inside
// the program keep their stored form with "\"; they turn into file paths only here.
QString ProgramFolder();
void SetProgramFolder(const QString &folder); // tests and start-up only
QString ExecutablePath();

// Turns a stored path ("zaklocen\frm\x.xml", relative to the program folder, or already
// absolute) into a path the file system understands. When the exact name is missing, a
// case-insensitive match is looked up folder by folder, because the installation was
// written on a system that ignores case.
QString ToFilePath(const QString &storedPath);

// Joins two stored path pieces with exactly one "\" between them.
QString JoinStoredPath(const QString &folder, const QString &name);

bool FileExists(const QString &storedPath);
bool FolderExists(const QString &storedPath);

} // namespace platform
