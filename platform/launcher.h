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
};

Launcher &CurrentLauncher();
Launcher *SetLauncher(Launcher *l); // not owned; nullptr restores the real one

} // namespace platform
