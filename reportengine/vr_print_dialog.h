#pragma once

// The print dialog of the report engine: the system's print dialog on the shared
// printer object, reporting the chosen destination, page range, copies, collation and
// the device values a report needs. It keeps its values between calls.
//
// The destination list is the print dialog's own: every CUPS queue and the PDF file
// ("Plik PDF", always offered, so printing to a file cannot be switched off except by
// poDisablePrintToFile). Bins have no counterpart on CUPS and go through unchanged.

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QPrinter;
class QPrintDialog;
class QWidget;

namespace reportengine {

// Dialog options, as a set of bits.
enum TVRPrintDialogOption : int {
    poPrintToFile = 0x1,
    poPageNums = 0x2,
    poSelection = 0x4,
    poWarning = 0x8,
    poHelp = 0x10,
    poDisablePrintToFile = 0x20,
};

enum class TVRPrintRange { prAllPages, prSelection, prPageNums };

// Bits of the device values a confirmed dialog reports (the Windows field mask).
enum TVRDeviceField : int {
    dmOrientation = 0x1,
    dmPaperSize = 0x2,
    dmPaperLength = 0x4,
    dmPaperWidth = 0x8,
    dmCopies = 0x100,
    dmDefaultSource = 0x200,
    dmPrintQuality = 0x400,
    dmColor = 0x800,
    dmDuplex = 0x1000,
    dmCollate = 0x8000,
};

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

    // The chosen destination.
    QString Device;
    QString Driver;
    QString Port;

private:
    QPrinter *m_printer;
};

class TVRPrintDialog : public TVRBasePrintDialog
{
    Q_OBJECT

public:
    explicit TVRPrintDialog(QObject *parent = nullptr);

    bool Duplex = false;
    int DuplexCode = 0;
    int OutputBin = 0; // Windows bin code
    int PaperSize = 0; // Windows paper code
    double Paperwidth = 0; // tenths of a millimetre
    double Paperlength = 0;
    int Collate = 0;
    int FromPage = 0;
    int ToPage = 0;
    int MinPage = 0;
    int MaxPage = 0;
    int PrintQuality = 0;
    int ColorOption = 0;
    int Options = 0;
    bool PrintToFile = false;
    TVRPrintRange PrintRange = TVRPrintRange::prAllPages;
    int Orientation = 1; // 1 portrait, 2 landscape
    int Fields = 0;      // TVRDeviceField bits of the values reported
    // Destination as an index into PrinterNames() (-1 the default), and the PDF file
    // written when the destination is the PDF file.
    int PrinterIndex = -1;
    QString PdfFileName;

    int Copies() const { return m_copies; }
    // Also sets the printer object's number of copies.
    void SetCopies(int copies);

    // Shows the dialog; true when the user confirmed it (the values above then hold
    // the choice), false when cancelled (nothing changes).
    bool Execute(QWidget *parent = nullptr);

private:
    void PrepareDialog(QPrintDialog &dialog);
    void TakeChoice(const QPrintDialog &dialog);

    int m_copies = 1;
};

} // namespace reportengine
