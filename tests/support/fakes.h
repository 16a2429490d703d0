#pragma once

#include "platform/clipboard.h"
#include "platform/dialog_runner.h"
#include "platform/file_dialogs.h"
#include "platform/launcher.h"
#include "platform/prompter.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <QString>
#include <QStringList>

namespace testsupport {

// Records every message box and answers from a queue (then the default answer: No for
// questions, the first button otherwise). Installed for its lifetime.
class ScriptedPrompter : public platform::Prompter
{
public:
    struct Box
    {
        platform::MsgIcon icon;
        QString caption;
        QString text;
        int buttons;
    };
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    int Ask(platform::MsgIcon icon, const QString &caption, const QString &text, int buttons) override;

    void Answer(int button) { answers.enqueue(button); }
    QStringList Texts() const;

    QList<Box> boxes;
    QQueue<int> answers;

private:
    platform::Prompter *m_previous;
};

class RecordingLauncher : public platform::Launcher
{
public:
    RecordingLauncher();
    ~RecordingLauncher() override;
    bool StartDetached(const QString &program, const QStringList &arguments) override;
    bool OpenWithDesktop(const QString &filePathOrUrl) override;
    QString FindProgram(const QString &name) override;
    // Owned programs are recorded as started; the handle is their position in owned + 1.
    qint64 StartOwned(const QString &program, const QStringList &arguments) override;
    void Stop(qint64 handle) override;
    // Owned programs started and not stopped yet (their handles).
    QList<qint64> Running() const;

    struct Call
    {
        QString program;
        QStringList arguments;
    };
    QList<Call> started;
    QStringList opened;
    QList<Call> owned;
    QList<qint64> stopped;
    QStringList availablePrograms; // names FindProgram finds
    bool result = true;

private:
    platform::Launcher *m_previous;
};

class MemoryClipboard : public platform::Clipboard
{
public:
    MemoryClipboard();
    ~MemoryClipboard() override;
    QString Text() override { return text; }
    void SetText(const QString &t) override { text = t; }
    QString text;

private:
    platform::Clipboard *m_previous;
};

class ScriptedFileDialogs : public platform::FileDialogs
{
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;
    QString OpenFileName(QWidget *, const QString &caption, const QString &, const QString &) override;
    QString SaveFileName(QWidget *, const QString &caption, const QString &, const QString &) override;
    QQueue<QString> answers; // empty answer = Cancel
    QStringList captions;
    QStringList folders; // what each save dialog offered

private:
    platform::FileDialogs *m_previous;
};

// Answers our own modal dialogs: each call takes the next step of the script, which gets
// the real dialog (to fill in and accept, reject, or inspect) and returns its result;
// with no step left the dialog is rejected. The window titles are recorded.
class ScriptedDialogs : public platform::DialogRunner
{
public:
    using Step = std::function<int(QDialog &)>;
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    int Exec(QDialog &dialog) override;

    QQueue<Step> steps;
    QStringList titles;

private:
    platform::DialogRunner *m_previous;
};

} // namespace testsupport
