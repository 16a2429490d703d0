#pragma once

#include <QString>

class QDialog;

namespace platform {

// Every modal dialog the program builds itself (search, go to page, print settings, text
// settings) runs through one runner, so that a test can fill the real dialog in and
// answer it, and no headless run ever blocks in exec().
class DialogRunner
{
public:
    virtual ~DialogRunner() = default;
    // Runs the dialog modally; the result is QDialog::Accepted or QDialog::Rejected.
    virtual int Exec(QDialog &dialog) = 0;
};

// The runner in force: exec() unless a test installed another, or the environment
// variable TARVELIN_SCRIPTED_BOXES is set (then dialogs are named on stderr and
// rejected).
DialogRunner &CurrentDialogRunner();
// Installs r (not owned); nullptr restores the default. Returns the previous one.
DialogRunner *SetDialogRunner(DialogRunner *r);
int ExecDialog(QDialog &dialog);

} // namespace platform
