#pragma once

#include <QStringList>

namespace app {

// Process-wide number and date formats: "." and yyyy-MM-dd whatever the system locale.
void FixLocale();

// The module initialisations, in their order; false when the program must end (the
// configuration file is missing).
bool RunModuleInitialisations(const QStringList &arguments);

// Registers the views the main window hosts (see appstate/view_registry.h); each
// view's library adds its registration call here. Called by CreateStartupWindows.
void RegisterViews();

// Debug mode of the help log: the file "debug.debug" beside the executable, or a command
// line parameter "/debug" or "-debug" in any case. The first item of arguments is the
// program itself and is not a parameter.
bool DebugModeRequested(const QStringList &arguments);
// What the start-up decided.
bool DebugMode();

// Creates the main window; the other start-up windows keep their names and their order
// (of destruction at exit) and are made on first use, also when asked for by name
// (platform::WindowByName).
void CreateStartupWindows();
// Names of the start-up windows in their order (component names).
QStringList StartupWindowNames();

// The whole program: start-up, message loop, teardown. Returns the exit code.
int RunTarvelin(int argc, char **argv);

} // namespace app
