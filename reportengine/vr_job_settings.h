#pragma once

// What a report or a composite puts on the printer of a run besides its paper: the
// destination, copies, bins, page range, duplex, quality and the Windows-only codes,
// which are kept and handed on unchanged.

#include "reportengine/vr_printer_settings.h"

#include <QString>

namespace reportengine {

class TVRPrinter;
struct TVRPrintDialogValues;

struct TVRJobSettings
{
    int Copies = 1;
    TVRBin OutputBin = TVRBin::Auto;
    bool Duplex = false;
    int FirstPage = 0; // 0: from the first page
    int LastPage = 0;  // 0: to the last page
    bool UseStandardPrinter = false;
    bool UseCustomBinCode = false;
    int CustomBinCode = 0;
    int ExtendedDuplex = 0;
    bool UseCustomPaperCode = false;
    int CustomPaperCode = 0;
    bool PrintMetaFile = false;
    int MemoryLimit = 250000;
    int PrintQuality = 600;
    int Collate = 0;
    int ColorOption = 0;
    int PrinterIndex = -1; // index into PrinterNames(); -1 the default destination
    QString PdfFileName;   // written when the destination is the PDF file

    // Puts the settings on the printer of a run: the destination first (choosing one
    // reads its own paper), then paper and orientation, then the rest.
    void ApplyTo(TVRPrinter &printer, const QString &title, TVRPaperSize paper, TPrinterOrientation orientation) const;
    // What a confirmed print dialog chose: copies, destination, bin (a bin code above
    // 255 counts from 256), extended duplex and, when page numbers were chosen, the
    // range (else every page).
    void TakeDialogChoice(const TVRPrintDialogValues &dialog);
};

} // namespace reportengine
