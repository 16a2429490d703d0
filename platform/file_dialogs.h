#pragma once

#include <QString>

class QWidget;

namespace platform {

// Open and save dialogs behind a seam: tests answer them with a prepared path (or an
// empty one for Cancel) instead of a modal window.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString OpenFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter) = 0;
    virtual QString SaveFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter) = 0;
    // A save dialog that leaves the question about replacing an existing file to the
    // caller, who asks it in its own words through the prompter. `path` may name the file
    // offered.
    virtual QString SaveFileNameAskingNothing(QWidget *parent, const QString &caption, const QString &path,
                                              const QString &filter)
    {
        return SaveFileName(parent, caption, path, filter);
    }
};

FileDialogs &CurrentFileDialogs();
FileDialogs *SetFileDialogs(FileDialogs *d); // not owned; nullptr restores the real one

} // namespace platform
