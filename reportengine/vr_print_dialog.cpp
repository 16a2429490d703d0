#include "reportengine/vr_print_dialog.h"

#include "reportengine/vr_printer_settings.h"

#include "platform/dialog_runner.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <cmath>

namespace reportengine {

namespace {

constexpr int kReportedFields = dmOrientation | dmPaperSize | dmPaperLength | dmPaperWidth | dmCopies |
                                dmDefaultSource | dmPrintQuality | dmColor | dmDuplex | dmCollate;

// Centres a dialog horizontally and a third of the way down the screen when it is shown,
// without resizing it.
class CentreOnShow : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *w = static_cast<QWidget *>(watched);
            if (const QScreen *screen = w->screen()) {
                const QRect s = screen->geometry();
                w->move(s.x() + (s.width() - w->width()) / 2, s.y() + (s.height() - w->height()) / 3);
            }
        }
        return false;
    }
};

QPrinter::PrintRange QtRange(TVRPrintRange range)
{
    switch (range) {
    case TVRPrintRange::prSelection:
        return QPrinter::Selection;
    case TVRPrintRange::prPageNums:
        return QPrinter::PageRange;
    case TVRPrintRange::prAllPages:
        break;
    }
    return QPrinter::AllPages;
}

} // namespace

// ---------------------------------------------------------------------------------------

TVRCommonDialog::TVRCommonDialog(QObject *parent) : QObject(parent) {}

int TVRCommonDialog::RunModal(QDialog &dialog)
{
    const QPointer<QWidget> active = QApplication::activeWindow();
    CentreOnShow centre;
    dialog.installEventFilter(&centre);
    m_handle = &dialog;
    if (OnShow)
        OnShow(this);
    const int result = platform::ExecDialog(dialog);
    m_handle = nullptr;
    dialog.removeEventFilter(&centre);
    if (OnClose)
        OnClose(this);
    if (active)
        active->activateWindow();
    return result;
}

TVRBasePrintDialog::TVRBasePrintDialog(QObject *parent) : TVRCommonDialog(parent), m_printer(SharedPrinter()) {}

TVRPrintDialog::TVRPrintDialog(QObject *parent) : TVRBasePrintDialog(parent) {}

void TVRPrintDialog::SetCopies(int copies)
{
    TVRPrintDialogValues::SetCopies(copies);
    if (Printer() && copies >= 1)
        Printer()->setCopyCount(copies);
}

void TVRPrintDialog::PrepareDialog(QPrintDialog &dialog)
{
    QPrinter &p = *Printer();
    SelectPrinterDestination(p, PrinterIndex);
    if (p.outputFormat() == QPrinter::PdfFormat && !PdfFileName.isEmpty())
        p.setOutputFileName(PdfFileName);
    if (Copies() >= 1)
        p.setCopyCount(Copies());
    // The report's paper is offered, not the destination's own default.
    if (PaperSize > 0) {
        const QPageSize::PageSizeId id = QPageSize::id(PaperSize);
        if (id != QPageSize::Custom)
            p.setPageSize(QPageSize(id));
    }
    p.setPageOrientation(Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    p.setCollateCopies(Collate != 0);
    if (DuplexCode != 0)
        p.setDuplex(DuplexModeOf(DuplexCode));
    if (MinPage > 0 || MaxPage > 0)
        dialog.setMinMax(MinPage, MaxPage);
    if (FromPage >= 1 && ToPage >= FromPage)
        p.setFromTo(FromPage, ToPage);
    else
        p.setFromTo(0, 0);
    p.setPrintRange(QtRange(PrintRange));

    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    if (Options & poPageNums)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (Options & poSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    // The PDF file is one of the destinations, not a way of printing, so it stays on
    // offer unless it is switched off outright.
    if (!(Options & poDisablePrintToFile))
        options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
}

void TVRPrintDialog::TakeChoice(const QPrintDialog &dialog)
{
    Q_UNUSED(dialog);
    const QPrinter &p = *Printer();
    const bool pdf = p.outputFormat() == QPrinter::PdfFormat;
    PrinterIndex = PrinterDestinationIndex(p);
    Device = pdf ? PdfDestinationName() : p.printerName();
    Driver = pdf ? QString() : QPrinterInfo::printerInfo(p.printerName()).makeAndModel().left(63);
    Port.clear();
    PrintToFile = pdf;
    if (pdf && !p.outputFileName().isEmpty())
        PdfFileName = p.outputFileName();
    switch (p.printRange()) {
    case QPrinter::Selection:
        PrintRange = TVRPrintRange::prSelection;
        break;
    case QPrinter::PageRange:
        PrintRange = TVRPrintRange::prPageNums;
        break;
    default:
        PrintRange = TVRPrintRange::prAllPages;
        break;
    }
    FromPage = p.fromPage();
    ToPage = p.toPage();
    // Qt keeps the copy count in the printer object, whether the driver or the program
    // makes the copies.
    TVRPrintDialogValues::SetCopies(qMax(1, p.copyCount()));
    Fields = kReportedFields;
    OutputBin = static_cast<int>(p.paperSource()) + 1;
    const QPageSize size = p.pageLayout().pageSize();
    PaperSize = size.isValid() ? size.windowsId() : 0;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    Paperwidth = std::round(mm.width() * 10);
    Paperlength = std::round(mm.height() * 10);
    Orientation = p.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    PrintQuality = p.resolution();
    ColorOption = p.colorMode() == QPrinter::GrayScale ? 1 : 2;
    DuplexCode = DuplexCodeOf(p.duplex());
    Duplex = DuplexCode != 1;
    Collate = p.collateCopies() ? 1 : 0;
}

bool TVRPrintDialog::Execute(QWidget *parent)
{
    if (!Printer())
        return false;
    if (OutputBin > 0 && OutputBin <= QPrinter::LastPaperSource + 1)
        Printer()->setPaperSource(static_cast<QPrinter::PaperSource>(OutputBin - 1));
    QPrintDialog dialog(Printer(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    PrepareDialog(dialog);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    TakeChoice(dialog);
    return true;
}

} // namespace reportengine
