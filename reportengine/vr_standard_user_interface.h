#pragma once

// The engine's standard user interface: the preview window (vr_preview_window.h), the
// print dialog (vr_print_dialog.h), the progress window (vr_progress_form.h), and the
// program's message boxes for failures and notices. Every program that links
// tarvelin_reportengine has it in force before main() (vr_install_standard_ui.cpp);
// a test may put another in force with SetUserInterface and restore this one after.

#include "reportengine/vr_user_interface.h"

namespace reportengine {

class TVRStandardUserInterface : public TVRUserInterface
{
public:
    void ShowPreview(TVRPrinter &printer) override;
    void ClosePreviewWindow(TVRPrinter &printer) override;
    std::unique_ptr<QObject> ShowProgress(TVRPrinter &printer, const QString &title) override;
    bool ExecutePrintDialog(TVRPrintDialogValues &values) override;
    // A failure about a file is a warning naming it, any other an error.
    void ShowError(const TVRErrorDetails &error) override;
    void ShowNotice(const QString &text) override;
};

// Puts the standard interface in force (the same object every time).
void InstallStandardUserInterface();
TVRUserInterface *StandardUserInterface();

} // namespace reportengine
