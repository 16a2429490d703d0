#include "tests/support/fakes.h"

#include <QDialog>

namespace testsupport {

ScriptedPrompter::ScriptedPrompter()
    : m_previous(platform::SetPrompter(this))
{
}

ScriptedPrompter::~ScriptedPrompter()
{
    platform::SetPrompter(m_previous);
}

int ScriptedPrompter::Ask(platform::MsgIcon icon, const QString &caption, const QString &text, int buttons)
{
    boxes.append(Box{icon, caption, text, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    if (buttons & platform::MsgNo)
        return platform::MsgNo;
    for (int b = platform::MsgOk; b <= platform::MsgIgnore; b <<= 1) {
        if (buttons & b)
            return b;
    }
    return platform::MsgOk;
}

QStringList ScriptedPrompter::Texts() const
{
    QStringList t;
    for (const Box &b : boxes)
        t << b.text;
    return t;
}

RecordingLauncher::RecordingLauncher()
    : m_previous(platform::SetLauncher(this))
{
}

RecordingLauncher::~RecordingLauncher()
{
    platform::SetLauncher(m_previous);
}

bool RecordingLauncher::StartDetached(const QString &program, const QStringList &arguments)
{
    started.append(Call{program, arguments});
    return result;
}

bool RecordingLauncher::OpenWithDesktop(const QString &filePathOrUrl)
{
    opened.append(filePathOrUrl);
    return result;
}

QString RecordingLauncher::FindProgram(const QString &name)
{
    return availablePrograms.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

qint64 RecordingLauncher::StartOwned(const QString &program, const QStringList &arguments)
{
    if (!result)
        return 0;
    owned.append(Call{program, arguments});
    return owned.size();
}

void RecordingLauncher::Stop(qint64 handle)
{
    if (handle > 0 && handle <= owned.size() && !stopped.contains(handle))
        stopped.append(handle);
}

QList<qint64> RecordingLauncher::Running() const
{
    QList<qint64> running;
    for (qint64 h = 1; h <= owned.size(); ++h)
        if (!stopped.contains(h))
            running.append(h);
    return running;
}

MemoryClipboard::MemoryClipboard()
    : m_previous(platform::SetClipboard(this))
{
}

MemoryClipboard::~MemoryClipboard()
{
    platform::SetClipboard(m_previous);
}

ScriptedFileDialogs::ScriptedFileDialogs()
    : m_previous(platform::SetFileDialogs(this))
{
}

ScriptedFileDialogs::~ScriptedFileDialogs()
{
    platform::SetFileDialogs(m_previous);
}

QString ScriptedFileDialogs::OpenFileName(QWidget *, const QString &caption, const QString &, const QString &)
{
    captions << caption;
    return answers.isEmpty() ? QString() : answers.dequeue();
}

QString ScriptedFileDialogs::SaveFileName(QWidget *, const QString &caption, const QString &folder, const QString &)
{
    captions << caption;
    folders << folder;
    return answers.isEmpty() ? QString() : answers.dequeue();
}

ScriptedDialogs::ScriptedDialogs()
    : m_previous(platform::SetDialogRunner(this))
{
}

ScriptedDialogs::~ScriptedDialogs()
{
    platform::SetDialogRunner(m_previous);
}

int ScriptedDialogs::Exec(QDialog &dialog)
{
    titles << dialog.windowTitle();
    if (steps.isEmpty())
        return QDialog::Rejected;
    const Step step = steps.dequeue();
    return step(dialog);
}

} // namespace testsupport
