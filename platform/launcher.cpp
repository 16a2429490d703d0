#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

class RealLauncher : public Launcher
{
public:
    bool StartDetached(const QString &program, const QStringList &arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
    bool OpenWithDesktop(const QString &filePathOrUrl) override
    {
        const QUrl url = QFileInfo::exists(filePathOrUrl) ? QUrl::fromLocalFile(filePathOrUrl)
                                                          : QUrl::fromUserInput(filePathOrUrl);
        return QDesktopServices::openUrl(url);
    }
    QString FindProgram(const QString &name) override { return QStandardPaths::findExecutable(name); }
};

Launcher *installed = nullptr;

} // namespace

Launcher &CurrentLauncher()
{
    static RealLauncher real;
    return installed ? *installed : real;
}

Launcher *SetLauncher(Launcher *l)
{
    Launcher *old = installed;
    installed = l;
    return old;
}

} // namespace platform
