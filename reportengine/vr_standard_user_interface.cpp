#include "reportengine/vr_standard_user_interface.h"

#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_print_dialog.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_progress_form.h"

#include "platform/prompter.h"

#include <QWidget>

namespace reportengine {

void TVRStandardUserInterface::ShowPreview(TVRPrinter &printer)
{
    TVRStandardPreviewInterface().Show(&printer);
}

void TVRStandardUserInterface::ClosePreviewWindow(TVRPrinter &printer)
{
    if (auto *view = qobject_cast<QWidget *>(printer.Client.data()))
        view->window()->close();
}

std::unique_ptr<QObject> TVRStandardUserInterface::ShowProgress(TVRPrinter &printer, const QString &title)
{
    auto progress = std::make_unique<TVRProgressForm>();
    if (!title.isEmpty())
        progress->setWindowTitle(title);
    progress->SetPrinter(&printer);
    progress->show();
    return progress;
}

bool TVRStandardUserInterface::ExecutePrintDialog(TVRPrintDialogValues &values)
{
    TVRPrintDialog dialog;
    static_cast<TVRPrintDialogValues &>(dialog) = values;
    dialog.SetCopies(values.Copies()); // the printer object's copies too, as the dialog keeps them
    if (!dialog.Execute())
        return false;
    values = dialog;
    return true;
}

void TVRStandardUserInterface::ShowError(const TVRErrorDetails &error)
{
    if (!error.FileName.isEmpty())
        platform::ShowFileAccessError(error.FileName);
    else
        platform::ShowError(error.Message);
}

void TVRStandardUserInterface::ShowNotice(const QString &text)
{
    platform::MessageBox(text, QString(), platform::MsgIcon::None, platform::MsgOk);
}

TVRUserInterface *StandardUserInterface()
{
    // Never freed: previews may still close while the program ends.
    static TVRStandardUserInterface *const ui = new TVRStandardUserInterface;
    return ui;
}

void InstallStandardUserInterface()
{
    SetUserInterface(StandardUserInterface());
}

} // namespace reportengine
