#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starts external programs (help viewers, the desktop's program for a file) detached,
// with the arguments kept apart so that blanks in paths do no harm. Tests install a
// recorder instead.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool StartDetached(const QString &program, const QStringList &arguments) = 0;
    // Opens a file or link with the program the desktop associates with it.
    virtual bool OpenWithDesktop(const QString &filePathOrUrl) = 0;
    // Finds a program on the search path; empty when none.
    virtual QString FindProgram(const QString &name) = 0;
    // Starts a program that stays this program's own, so that it can be ended again (the
    // help viewer is closed when the program ends). A handle above 0, or 0 when the
    // program could not be started.
    virtual qint64 StartOwned(const QString &program, const QStringList &arguments) = 0;
    // Ends a program started by StartOwned, if it still runs, and forgets the handle.
    virtual void Stop(qint64 handle) = 0;
};

Launcher &CurrentLauncher();
Launcher *SetLauncher(Launcher *l); // not owned; nullptr restores the real one

} // namespace platform
