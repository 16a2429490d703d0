#pragma once

// The print dialog of the report engine: the system's print dialog on the shared
// printer object, reporting the chosen destination, page range, copies, collation and
// the device values a report needs. It keeps its values between calls.
//
// The destination list is the print dialog's own: every CUPS queue and the PDF file
// ("Plik PDF", always offered, so printing to a file cannot be switched off except by
// poDisablePrintToFile). Bins have no counterpart on CUPS and go through unchanged.

#include "reportengine/vr_print_dialog_values.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QPrinter;
class QPrintDialog;
class QWidget;

namespace reportengine {

class TVRCommonDialog : public QObject
{
    Q_OBJECT

public:
    explicit TVRCommonDialog(QObject *parent = nullptr);

    bool Ctl3D = true;
    quint32 HelpContext = 0;
    std::function<void(TVRCommonDialog *)> OnShow;
    std::function<void(TVRCommonDialog *)> OnClose;

    // The dialog while it runs.
    QDialog *Handle() const { return m_handle; }

protected:
    // Runs a dialog modally through the dialog runner: centred a third of the way down
    // the screen when shown, OnShow before and OnClose after, and the window that was
    // active before made active again.
    int RunModal(QDialog &dialog);

private:
    QPointer<QDialog> m_handle;
};

class TVRBasePrintDialog : public TVRCommonDialog
{
    Q_OBJECT

public:
    explicit TVRBasePrintDialog(QObject *parent = nullptr);

    // The printer object the dialog works on: the application's shared one unless set.
    QPrinter *Printer() const { return m_printer; }
    void SetPrinter(QPrinter *printer) { m_printer = printer; }

private:
    QPrinter *m_printer;
};

// The dialog with its values (TVRPrintDialogValues), which it keeps between calls.
class TVRPrintDialog : public TVRBasePrintDialog, public TVRPrintDialogValues
{
    Q_OBJECT

public:
    explicit TVRPrintDialog(QObject *parent = nullptr);

    // Also sets the printer object's number of copies.
    void SetCopies(int copies);

    // Shows the dialog; true when the user confirmed it (the values then hold the
    // choice), false when cancelled (nothing changes).
    bool Execute(QWidget *parent = nullptr);

private:
    void PrepareDialog(QPrintDialog &dialog);
    void TakeChoice(const QPrintDialog &dialog);
};

} // namespace reportengine
