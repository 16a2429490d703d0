#include "reportengine/vr_user_interface.h"

#include <QDebug>

namespace reportengine {

namespace {

// Constant-initialised, so that an interface put in force by a static initialiser of
// another file finds it ready.
TVRUserInterface *g_userInterface = nullptr;

} // namespace

TVRUserInterface *UserInterface()
{
    return g_userInterface;
}

TVRUserInterface *SetUserInterface(TVRUserInterface *ui)
{
    TVRUserInterface *previous = g_userInterface;
    g_userInterface = ui;
    return previous;
}

void HandOnError(TVRErrorDetails *details, const TVRErrorDetails &error)
{
    if (details) {
        *details = error;
        return;
    }
    if (g_userInterface)
        g_userInterface->ShowError(error);
    else
        qWarning().noquote() << "report engine:" << error.Message;
}

} // namespace reportengine
