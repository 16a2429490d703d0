#pragma once

// What the print dialog is opened with and what it reports when confirmed, as plain
// values: the report and the composite keep them between two dialogs and read the
// choice from them, while the dialog itself belongs to the user interface
// (vr_print_dialog.h, whose TVRPrintDialog carries these values).

#include <QString>

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

struct TVRPrintDialogValues
{
    // The chosen destination.
    QString Device;
    QString Driver;
    QString Port;

    bool Duplex = false;
    int DuplexCode = 0;
    int OutputBin = 0;     // Windows bin code
    int PaperSize = 0;     // Windows paper code
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
    void SetCopies(int copies) { m_copies = copies; }

private:
    int m_copies = 1;
};

} // namespace reportengine
