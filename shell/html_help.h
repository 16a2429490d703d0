#pragma once

// The program's help: one compiled help file, "Tarvelin.chm" beside the program, shown by
// the help viewer found on this system (xchm or kchmviewer) at the topic of the window the
// user asks about.
//
// The road of a request: F1 (or Pomoc > Indeks, or a help button) asks ShowHelpContext for
// a context; it sends the application's help commands HELP_SETPOPUP_POS and HELP_CONTEXT
// to the help hook, which the hidden window frmHTMLHelp owns; the hook turns the context
// command into HHHelpContext, which checks the file and the topic and starts the viewer.
// Every step goes to the help debug log. Problems (no viewer, a missing or damaged file, a
// topic the file does not hold, a viewer that does not start) are told in a message box
// and the program goes on.
//
// At most one viewer started by a help request runs at a time: a new request closes the
// previous one, and the viewer is closed when the program ends. Tests replace the viewer
// through the launcher seam (platform/launcher.h) or TARVELIN_CHM_VIEWER.

#include <QPoint>
#include <QString>
#include <QWidget>

namespace shell {

// The application's help commands.
enum HelpCommand : int {
    HELP_CONTEXT = 1,
    HELP_QUIT = 2,
    HELP_INDEX = 3, // also HELP_CONTENTS
    HELP_HELPONHELP = 4,
    HELP_SETINDEX = 5, // also HELP_SETCONTENTS
    HELP_CONTEXTPOPUP = 8,
    HELP_FORCEFILE = 9,
    HELP_CONTEXTMENU = 10,
    HELP_FINDER = 11,
    HELP_WM_HELP = 12,
    HELP_SETPOPUP_POS = 13,
    HELP_KEY = 257,
    HELP_COMMAND = 258,
    HELP_PARTIALKEY = 261,
    HELP_MULTIKEY = 513,
    HELP_SETWINPOS = 515,
};
// "1 (HELP_CONTEXT)"; an unknown number gives "99 (??)".
QString HelpCommandName(int command);

// The one kind of viewer the program uses (logged as 0).
enum THelpViewerKind : int { hvHtmlHelp = 0 };

// Result codes of showing a context.
enum HelpResult : int {
    hrShown = 0,
    hrNotInstalled = 1, // no help viewer on this system
    hrFileMissing = 2,
    hrFileDamaged = 3,  // not a sound help file
    hrNoTopic = 4,      // the file has no page for the context
    hrViewerFailed = 5, // the viewer did not start
};
// The message the user sees for a result code (empty for hrShown).
QString HelpErrorText(int code, const QString &file, int context);

// The help viewer program: TARVELIN_CHM_VIEWER when set, else xchm or kchmviewer, the
// first found on the search path; empty when there is none.
QString LocateHelpViewer();

// The help hook: takes the application's help commands while it lives and gives the
// previous hook back when it goes.
class THookHelpSystem
{
public:
    THookHelpSystem(const QString &chmFile, const QString &winDef, THelpViewerKind viewerKind);
    ~THookHelpSystem();
    THookHelpSystem(const THookHelpSystem &) = delete;
    THookHelpSystem &operator=(const THookHelpSystem &) = delete;

    // HELP_CONTEXT and HELP_CONTEXTPOPUP show the context Data, HELP_SETPOPUP_POS keeps the
    // position (x in the low, y in the high 16 bits); anything else is left to the system's
    // own help (callHelp true), which does not exist here. Always true.
    bool HelpHook(int command, qint64 data, bool &callHelp);

    QString ChmFile;
    QString WinDef;
    THelpViewerKind ViewerKind;
    QPoint PopupPos;

private:
    THookHelpSystem *m_previous;
};

// The hook in force, or nullptr.
THookHelpSystem *InstalledHelpHook();

// Shows the context and tells the user what went wrong; the result code.
int HHHelpContext(const QString &chmFile, int context, const QString &winDef, THelpViewerKind viewerKind);
// The file's path (a "%20" is a blank; a window definition follows after ">") at the
// context: checks the viewer, the file and the topic, then starts the viewer.
int ShowContext(const QString &path, int context, THelpViewerKind viewerKind);

// The application's help call: the command goes to the hook in force (the help window is
// created when it does not exist yet).
void ApplicationHelpCommand(int command, qint64 data);
// The help viewer's "help by context": the popup position of the control with help around
// the focus, then HELP_CONTEXT.
void ShowHelpContext(int context);

// F1 anywhere in the program asks for the help context of the control with the focus
// (HelpContextOf), and a help button for its window's; installed once at start-up, and
// working while a modal dialog is open too.
void InstallHelpKey();
// True while a command bound to the F1 key runs because F1 was pressed (and not because
// its menu item was chosen), so that the command can ask for the focus control's topic.
bool HelpKeyShortcutRunning();
// Closes the viewer a help request started, if it still runs.
void CloseHelpViewers();

// Hidden window "HTMLHelp" (start-up window 11) that owns the program's help hook; when it
// goes, at exit, the help viewer is closed.
class TfrmHTMLHelp : public QWidget
{
    Q_OBJECT
public:
    TfrmHTMLHelp();
    ~TfrmHTMLHelp() override;
    THookHelpSystem *Hook() const { return m_hook; }

private:
    THookHelpSystem *m_hook;
};

TfrmHTMLHelp *frmHTMLHelp();

} // namespace shell
