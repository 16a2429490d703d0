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
};

FileDialogs &CurrentFileDialogs();
FileDialogs *SetFileDialogs(FileDialogs *d); // not owned; nullptr restores the real one

} // namespace platform
