#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <map>

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

    qint64 StartOwned(const QString &program, const QStringList &arguments) override
    {
        auto *process = new QProcess;
        process->setProgram(program);
        process->setArguments(arguments);
        // A viewer that talks a lot on its console must not fill our memory.
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start();
        if (!process->waitForStarted(5000)) {
            delete process;
            return 0;
        }
        const qint64 handle = ++m_lastHandle;
        m_owned[handle] = process;
        return handle;
    }

    void Stop(qint64 handle) override
    {
        auto it = m_owned.find(handle);
        if (it == m_owned.end())
            return;
        QProcess *process = it->second;
        m_owned.erase(it);
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
        delete process;
    }

    ~RealLauncher() override
    {
        while (!m_owned.empty())
            Stop(m_owned.begin()->first);
    }

private:
    qint64 m_lastHandle = 0;
    std::map<qint64, QProcess *> m_owned;
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
