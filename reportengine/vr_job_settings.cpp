#include "reportengine/vr_job_settings.h"

#include "reportengine/vr_print_dialog_values.h"
#include "reportengine/vr_printer.h"

namespace reportengine {

void TVRJobSettings::ApplyTo(TVRPrinter &printer, const QString &title, TVRPaperSize paper,
                             TPrinterOrientation orientation) const
{
    TPrinterSettings &s = printer.PrinterSettings();
    s.SetPrinterIndex(PrinterIndex);
    s.PdfFileName = PdfFileName;
    s.SetPaperSize(paper);
    s.SetOrientation(orientation);
    s.SetCopies(Copies);
    s.SetOutputBin(OutputBin);
    printer.FirstPage = FirstPage;
    printer.LastPage = LastPage;
    printer.Title = title;
    s.PrintMetaFile = PrintMetaFile;
    s.UseCustomBinCode = UseCustomBinCode;
    s.CustomBinCode = CustomBinCode;
    s.UseCustomPaperCode = UseCustomPaperCode;
    s.CustomPaperCode = CustomPaperCode;
    s.PrintQuality = PrintQuality;
    s.Collate = Collate;
    s.ColorOption = ColorOption;
    s.ExtendedDuplex = ExtendedDuplex;
    s.SetDuplex(Duplex);
}

void TVRJobSettings::TakeDialogChoice(const TVRPrintDialogValues &d)
{
    Copies = d.Copies();
    PrinterIndex = d.PrinterIndex;
    PdfFileName = d.PdfFileName;
    CustomBinCode = d.OutputBin;
    ExtendedDuplex = d.DuplexCode;
    OutputBin = BinFromCode(d.OutputBin > 255 ? d.OutputBin - 256 : d.OutputBin);
    const bool pageNumbers = d.PrintRange == TVRPrintRange::prPageNums;
    FirstPage = pageNumbers ? d.FromPage : 0;
    LastPage = pageNumbers ? d.ToPage : 0;
}

} // namespace reportengine
