#pragma once

#include "platform/tarvelin_error.h"

#include <QString>
#include <functional>

namespace platform {

enum class MsgIcon { None, Information, Warning, Error, Question };

// Buttons as a bit set, the answer as one of them.
enum MsgButton : int {
    MsgOk = 0x1,
    MsgCancel = 0x2,
    MsgYes = 0x4,
    MsgNo = 0x8,
    MsgAbort = 0x10,
    MsgRetry = 0x20,
    MsgIgnore = 0x40,
    // Not a button: with Yes and No, No is the default (Enter and Escape answer No).
    MsgDefaultNo = 0x100,
};

// Every message box of the program goes through one prompter, so that tests can script
// the answers and no headless run ever blocks on a modal window.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual int Ask(MsgIcon icon, const QString &caption, const QString &text, int buttons) = 0;
};

// The prompter in force: real message boxes unless a test installed another, or the
// environment variable TARVELIN_SCRIPTED_BOXES is set (then boxes are echoed to stderr
// and answered with their first button, No for Yes/No questions).
Prompter &CurrentPrompter();
// Installs p (not owned); nullptr restores the default. Returns the previous one.
Prompter *SetPrompter(Prompter *p);

// The usual calls. Caption empty means the application title.
int MessageBox(const QString &text, const QString &caption, MsgIcon icon, int buttons);
void ShowInfo(const QString &text, const QString &caption = QString());
void ShowWarning(const QString &text, const QString &caption = QString());
void ShowError(const QString &text, const QString &caption = QString());
bool AskYesNo(const QString &text, const QString &caption);
// A question that may also be called off: Tak / Nie / Anuluj with "Tak" the default button.
// Escape and closing the box answer Anuluj (MsgCancel), so a key pressed to get rid of the
// box never decides anything. Returns MsgYes, MsgNo or MsgCancel.
int AskYesNoCancel(const QString &text, const QString &caption);
// A question before something is deleted: Yes/No with "Nie" as the default button, so an
// Enter pressed out of habit deletes nothing.
bool ConfirmDeletion(const QString &text, const QString &caption);

// Shows FileAccessErrorText(path) (tarvelin_error.h) as a warning: the file is named.
void ShowFileAccessError(const QString &path);

// Whether a message box is being shown now; field exit handlers stay quiet while one is.
bool MessageBoxActive();

} // namespace platform
