#include "platform/file_dialogs.h"

#include <QFileDialog>

namespace platform {

namespace {

class QtFileDialogs : public FileDialogs
{
public:
    QString OpenFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QString SaveFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, folder, filter);
    }
    QString SaveFileNameAskingNothing(QWidget *parent, const QString &caption, const QString &path,
                                      const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, path, filter, nullptr, QFileDialog::DontConfirmOverwrite);
    }
};

FileDialogs *installed = nullptr;

} // namespace

FileDialogs &CurrentFileDialogs()
{
    static QtFileDialogs real;
    return installed ? *installed : real;
}

FileDialogs *SetFileDialogs(FileDialogs *d)
{
    FileDialogs *old = installed;
    installed = d;
    return old;
}

} // namespace platform
