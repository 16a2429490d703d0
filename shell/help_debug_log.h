#pragma once

// The help debug log "HHDebug.txt": once per run the environment of the help system, then
// every help request and what came of it. It is written only in debug mode (the marker
// file "debug.debug" beside the program, or "/debug" or "-debug" on the command line);
// an old log is deleted at every start, so a log on disk always belongs to the last run.
//
// Lines are Windows-1250 with CR LF, each written by its own open, append and close, so
// nothing is lost when the program stops abruptly. A line starting with "!", "-" or "="
// is written without its first character and without a time; "-" and "=" alone become
// separators of 79 characters; any other line starts with the time (HH:mm:ss) and three
// blanks.

#include <QString>
#include <QStringList>

namespace shell {

class TDLogFile
{
public:
    // An empty fileName means "HHDebug.txt" in the log folder; a file whose folder is
    // missing or not writable goes to the temporary folder under its own name. An old file
    // is deleted unless append is set (also when the log is not enabled).
    TDLogFile(const QString &fileName, bool enabled, bool timeStamps, bool writeHeader, bool append);

    // Writes one line by the rules above when the log is enabled; a file that cannot be
    // opened loses the line silently.
    void WriteLine(const QString &text) const;

    QString FileName;
    bool Enabled = false;
    bool TimeStamps = true;
    bool WriteHeader = true;
    bool Append = false;

private:
    void writeHeader() const;
};

// What the start-up found out about the program and the help system, for the log header.
struct HelpEnvironment
{
    QString ModulePath; // the program file
    QString ModuleDir;  // the program folder (without a trailing "/")
    QString ModuleName;
    QString RunDir;    // folder of the program as started (first command-line item)
    QString LogFolder; // ModuleDir when writable, else the temporary folder
    bool DebugMode = false;
    QStringList Arguments;
    // The help viewer found on this system: its path stands where a Windows system would
    // show the version of its HTML Help library, its name for the friendly version.
    QString hhVerStr, hhFriendlyVerStr;
    bool hhInstalled = false;
    // The web page view's browser control.
    QString ieVerStr, ieFriendlyVerStr;
    bool ieInstalled = false;
};

// Module start-up: works out the environment and creates the log, in debug mode only with
// its header; deletes an old log either way. helpViewer is the viewer program the help
// found (empty when none).
void InitHelpDebugLog(bool debugMode, const QStringList &arguments, const QString &helpViewer);
// The environment as the last InitHelpDebugLog found it.
const HelpEnvironment &HelpLogEnvironment();
// Writes a line to the log when it is on (after InitHelpDebugLog; before it, nothing).
void DebugOut(const QString &text);
// Closes the log at module end (no more lines are written).
void FinishHelpDebugLog();

// The system's temporary folder without a trailing "/" ("/tmp" when that is no folder).
QString TempFolder();
// Whether a file can be created in folder; probes with a uniquely named file that is
// removed again, so no file of the user's is ever touched.
bool FolderWritable(const QString &folder);

} // namespace shell
