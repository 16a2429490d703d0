#pragma once

// What the engine's core asks of the user interface on top of it. The core makes pages,
// prints and stores them and shows nothing itself: the preview window, the print dialog,
// the progress window and a failure no caller asked to read are asked of the interface
// in force.
//
// The standard interface (the preview window, the print dialog and the progress window
// of tarvelin_reportengine) is in force in every program that links that library, from
// before main() on (vr_install_standard_ui.cpp). A program that links the core alone has
// none: no preview opens, a print dialog counts as cancelled, no progress is shown and a
// failure reaches only the caller's error object, or the log.

#include "reportengine/vr_error_details.h"

#include <QString>

#include <memory>

class QObject;

namespace reportengine {

class TVRPrinter;
struct TVRPrintDialogValues;

class TVRUserInterface
{
public:
    virtual ~TVRUserInterface() = default;

    // Opens the preview of the printer's pages and returns without waiting for it.
    virtual void ShowPreview(TVRPrinter &printer) = 0;
    // Closes the preview window that shows the printer's pages, when one does.
    virtual void ClosePreviewWindow(TVRPrinter &printer) = 0;
    // A window following the printer's progress, whose Cancel stops the printer; it goes
    // with the returned object. An empty title keeps the window's own.
    virtual std::unique_ptr<QObject> ShowProgress(TVRPrinter &printer, const QString &title) = 0;
    // The print dialog opened on `values`; true when the user confirmed it, `values` then
    // holding the choice (unchanged when cancelled).
    virtual bool ExecutePrintDialog(TVRPrintDialogValues &values) = 0;
    // Tells the user why something was not made.
    virtual void ShowError(const TVRErrorDetails &error) = 0;
    // A notice the user only acknowledges.
    virtual void ShowNotice(const QString &text) = 0;
};

// The interface in force; nullptr when none is.
TVRUserInterface *UserInterface();
// Puts `ui` (not owned; nullptr for none) in force and returns the one before.
TVRUserInterface *SetUserInterface(TVRUserInterface *ui);

// A failure of an entry point: into the caller's error object when it handed one in,
// else shown by the interface in force (logged when there is none).
void HandOnError(TVRErrorDetails *details, const TVRErrorDetails &error);

} // namespace reportengine
