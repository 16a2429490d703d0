#pragma once

#include "appstate/print_selection.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace appstate {

class TView;

// The views the main window can host, found by the name the navigation configuration gives
// them.
//
// Registering a view: once at start-up, before the main window is shown, the view's
// library calls
//
//     appstate::RegisterView(QStringLiteral("frmDefStan"),
//                            [] { return static_cast<appstate::TView *>(workstations::frmDefStan()); });
//
// from a function of its own (for example `workstations::RegisterViews()`) that
// app::RegisterViews() in app/startup.cpp calls; a static initialiser inside a static
// library would be dropped by the linker. The factory is called when the view is first
// needed and must return the same object every time (a window singleton, created on first
// use and destroyed at exit). A view window owns its main panel; the main window only
// borrows the panel while the view is shown and gives it back afterwards.
//
// The names the main window asks for: "frmCzynniki", "frmDefStan", "frmRyzZakl",
// "frmZestaw" (the `plik` of "frm" components), "frmDokum" (the document window, for every
// "dokfrm" component) and "frmWWW" (the web page view, for "htm" components). A name
// nobody registered is shown as a named placeholder panel, so the navigation works before
// every view exists.
using ViewFactory = std::function<TView *()>;

// Registers (or replaces) the factory of a view. Replacing forgets whether it was created.
void RegisterView(const QString &name, ViewFactory factory);
void UnregisterView(const QString &name); // tests
bool IsViewRegistered(const QString &name);
QStringList RegisteredViewNames();

// The view, created on first use; nullptr when no factory is registered under name.
TView *GetView(const QString &name);
// The view only when it was created already (commands never create a view window).
TView *CreatedView(const QString &name);

// Dialogs a view's Print opens that are not hosted views: the print composer "frmWydruk"
// and the printouts dialog "frmWydrukRej" register what they run with what the view hands
// them. RunCommandDialog returns false when nothing is registered.
using CommandDialog = std::function<void(const TPrintSelection &selection)>;
void RegisterCommandDialog(const QString &name, CommandDialog run);
void UnregisterCommandDialog(const QString &name);
bool RunCommandDialog(const QString &name, const TPrintSelection &selection = {});

// The name of the document window's registration.
inline QString DocumentViewName()
{
    return QStringLiteral("frmDokum");
}
inline QString WebViewName()
{
    return QStringLiteral("frmWWW");
}

} // namespace appstate
