#include "reportengine/vr_report.h"

#include "reportengine/evaluator_result.h"
#include "reportengine/vr_data_set.h"
#include "reportengine/vr_printable.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_text_metrics.h"
#include "reportengine/vr_user_interface.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPageSize>
#include <QPrinterInfo>
#include <QScopeGuard>

#include <cmath>

namespace reportengine {

namespace {

// The paper of the default printer, once per program: A4 when there is none.
TVRPaperSize DefaultPrinterPaper()
{
    static const TVRPaperSize paper = [] {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return TVRPaperSize::A4;
        const QPageSize size = info.defaultPageSize();
        const TVRPaperSize p = size.isValid() ? PaperFromCode(size.windowsId()) : TVRPaperSize::Default;
        return p == TVRPaperSize::Default || p == TVRPaperSize::Custom ? TVRPaperSize::A4 : p;
    }();
    return paper;
}

} // namespace

bool TVelRepBands::Has(TVRBandType type) const
{
    return m_report.BandOfType(type) != nullptr;
}

void TVelRepBands::Set(TVRBandType type, bool has)
{
    if (has == Has(type))
        return;
    if (has) {
        m_report.CreateBand(type);
        return;
    }
    while (TVRCustomBand *band = m_report.BandOfType(type))
        delete band;
}

// ---------------------------------------------------------------------------------------

TVelRep::TVelRep(QObject *owner)
    : QObject(owner), m_bands(*this), m_controller(this), m_functions(std::make_unique<TVREvEnvironment>()),
      m_font(QStringLiteral("Arial"), 10)
{
    m_controller.ParentReport = this;
    m_functions->AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    m_functions->AddFunction(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    m_functions->AddFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
    if (QLocale::system().language() == QLocale::Japanese)
        m_font = QFont(QFont().family(), 10);
    m_page.ParentReport = this;
    m_page.SetPaperSize(DefaultPrinterPaper());
    m_page.OnChange = [this] { LayOutBands(); };
}

TVelRep::~TVelRep()
{
    m_page.OnChange = nullptr;
    delete m_printer.data();
}

void TVelRep::SetUnits(TVRUnit units)
{
    m_page.SetUnits(units);
    for (TVRCustomBand *band : findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly))
        band->Size().SetUnits(units);
    for (TVRPrintable *p : findChildren<TVRPrintable *>())
        p->Size().SetUnits(units);
}

void TVelRep::SetZoom(int zoom)
{
    if (zoom < 1 || zoom > 300)
        return;
    m_zoom = zoom;
    m_page.Zoom = zoom;
    for (TVRCustomBand *band : findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly))
        band->Size().Zoom = zoom;
    for (TVRPrintable *p : findChildren<TVRPrintable *>())
        p->Size().Zoom = zoom;
}

bool TVelRep::PrintIfEmpty() const
{
    return m_controller.PrintIfEmpty;
}

void TVelRep::SetPrintIfEmpty(bool print)
{
    m_controller.PrintIfEmpty = print;
}

TVRReportDataSet *TVelRep::DataSet() const
{
    return m_controller.DataSet;
}

void TVelRep::SetDataSet(TVRReportDataSet *dataSet)
{
    m_controller.DataSet = dataSet;
}

TVelRep::TVROnNeedDataEvent &TVelRep::OnNeedData()
{
    return m_controller.OnNeedData;
}

int TVelRep::RecordCount() const
{
    const TVRReportDataSet *ds = DataSet();
    return ds && ds->Active() ? ds->RecordCount() : 1;
}

bool TVelRep::Cancelled() const
{
    return m_cancelled;
}

int TVelRep::TextWidth(const QFont &font, const QString &text) const
{
    return static_cast<int>(std::lround(TVRTextMeasure(font).Width(text))) + 1;
}

QString TVelRep::NewBandName(TVRBandType type) const
{
    const QString base = BandTypeComponentName(type);
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (!findChild<QObject *>(name))
            return name;
    }
}

TVRBand *TVelRep::CreateBand(TVRBandType type)
{
    auto *band = new TVRBand(this, type);
    band->setObjectName(NewBandName(type));
    LayOutBands();
    return band;
}

TVRCustomBand *TVelRep::BandOfType(TVRBandType type) const
{
    for (QObject *o : children())
        if (auto *band = qobject_cast<TVRCustomBand *>(o); band && band->BandType() == type)
            return band;
    return nullptr;
}

std::vector<TVRCustomBand *> TVelRep::BandList() const
{
    std::vector<TVRCustomBand *> ordered;
    const auto bands = findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly);
    const auto addType = [&](TVRBandType type) {
        for (TVRCustomBand *b : bands)
            if (b->BandType() == type && std::find(ordered.begin(), ordered.end(), b) == ordered.end())
                ordered.push_back(b);
    };
    addType(TVRBandType::rbPageHeader);
    addType(TVRBandType::rbTitle);
    addType(TVRBandType::rbColumnHeader);
    // The controllers as the next run will link them.
    const_cast<TVelRep *>(this)->BuildControllers();
    std::vector<TVRCustomBand *> controlled;
    m_controller.RegisterBands(controlled);
    for (TVRCustomBand *b : controlled)
        if (b->BandType() != TVRBandType::rbTitle && std::find(ordered.begin(), ordered.end(), b) == ordered.end())
            ordered.push_back(b);
    addType(TVRBandType::rbPageFooter);
    for (TVRCustomBand *b : bands)
        if (b->BandType() != TVRBandType::rbChild && std::find(ordered.begin(), ordered.end(), b) == ordered.end())
            ordered.push_back(b);
    // Each band followed by its chain of children.
    std::vector<TVRCustomBand *> result;
    for (TVRCustomBand *b : ordered) {
        for (TVRCustomBand *c = b; c && std::find(result.begin(), result.end(), c) == result.end(); c = c->ChildBand())
            result.push_back(c);
    }
    return result;
}

// ---------------------------------------------------------------------------------------
// Printers and entry points

std::unique_ptr<TVRPrinter> TVelRep::MakePrinter(int destination)
{
    auto printer = std::make_unique<TVRPrinter>(this, PrinterSettings.UseStandardPrinter, PrinterSettings.MemoryLimit);
    printer->Destination = destination;
    if (m_printer)
        printer->Client = m_printer->Client;
    QPointer<TVelRep> self(this);
    printer->OnPreviewClosed = [self](TVRPrinter *) {
        if (self && self->AfterPreview)
            self->AfterPreview(self);
    };
    printer->OnEndOfJob = [self](TVRPrinter *) {
        if (self && self->AfterPrint)
            self->AfterPrint(self);
    };
    return printer;
}

TVRPrinter *TVelRep::VRPrinter() const
{
    return m_runPrinter ? m_runPrinter : m_printer.data();
}

bool TVelRep::CreateVRPrinter()
{
    if (m_running || (m_printer && m_printer->ShowingPreview()))
        return false;
    std::unique_ptr<TVRPrinter> printer = MakePrinter(TVRPrinter::DestinationPages);
    delete m_printer.data();
    m_printer = printer.release();
    return true;
}

bool TVelRep::RunEntry(TVRErrorDetails *details, bool allowed)
{
    try {
        if (!Run(false, false, allowed))
            return false;
    } catch (const TVREvaluatorError &e) {
        TVRErrorDetails error{e.message(), QString()};
        NameFailure(error);
        HandOnError(details, error);
        return false;
    } catch (const EVRError &e) {
        TVRErrorDetails error{e.message(), QString()};
        NameFailure(error);
        HandOnError(details, error);
        return false;
    }
    return !m_cancelled;
}

void TVelRep::NameFailure(TVRErrorDetails &error) const
{
    error.Report = objectName();
    error.Band = m_failedBand;
    error.Control = m_failedControl;
}

bool TVelRep::Prepare(TVRErrorDetails *details)
{
    if (!CreateVRPrinter())
        return false;
    m_printer->Title = ReportTitle;
    if (OnPreview) {
        QPointer<TVelRep> self(this);
        m_printer->OnPreview = [self] {
            if (self && self->OnPreview)
                self->OnPreview(self);
        };
    }
    m_runPrinter = m_printer;
    return RunEntry(details);
}

bool TVelRep::Preview(TVRErrorDetails *details)
{
    QCoreApplication::processEvents();
    if (!CreateVRPrinter())
        return false;
    QPointer<TVRPrinter> printer = m_printer;
    // A run BeforePrint refuses has nothing to show: asked before any window opens.
    if (!AllowsRun()) {
        delete printer.data();
        return false;
    }
    printer->Title = ReportTitle;
    m_dialogChosen = false; // a print dialog's range belongs to the preview it was chosen in
    QPointer<TVelRep> self(this);
    if (OnPreview)
        printer->OnPreview = [self] {
            if (self && self->OnPreview)
                self->OnPreview(self);
        };
    // The preview's Print runs the report again, straight to the printer; it comes from
    // the event loop, so nobody above could tell the user of a failure.
    connect(printer, &TVRPrinter::printRequested, this, [self](const QString &pdfFile) {
        if (!self)
            return;
        try {
            self->Print(pdfFile);
        } catch (const platform::TarvelinError &e) {
            HandOnError(nullptr, {e.message(), QString()});
        }
    });
    printer->Preview();
    // A run that did not end leaves no pages: its preview closes and the printer goes.
    const auto drop = [&printer] {
        if (printer) {
            if (TVRUserInterface *ui = UserInterface())
                ui->ClosePreviewWindow(*printer);
            if (printer && printer->ShowingPreview())
                printer->ClosePreview();
        }
        delete printer.data();
    };
    m_runPrinter = printer;
    bool made = false;
    try {
        made = RunEntry(details, true);
    } catch (...) {
        drop();
        throw;
    }
    if (!made) {
        drop();
        return false;
    }
    WaitForPreviewClose(printer);
    return true;
}

bool TVelRep::PrintWithProgress(std::unique_ptr<TVRPrinter> printer, const QString &progressTitle,
                                TVRErrorDetails *details)
{
    printer->Title = ReportTitle;
    std::unique_ptr<QObject> progress;
    if (ShowProgress)
        if (TVRUserInterface *ui = UserInterface())
            progress = ui->ShowProgress(*printer, progressTitle);
    m_runPrinter = printer.get();
    return RunEntry(details);
}

bool TVelRep::Print(const QString &pdfFile, TVRErrorDetails *details)
{
    if (m_running || !TVRPrinter::PrintersExist())
        return false;
    m_printPdfFile = pdfFile;
    const auto clear = qScopeGuard([this] { m_printPdfFile.clear(); });
    return PrintWithProgress(MakePrinter(TVRPrinter::DestinationPrinter), QString(), details);
}

bool TVelRep::ExportToFilter(TVRExportFilter *filter, TVRErrorDetails *details)
{
    if (m_running || !filter)
        return false;
    std::unique_ptr<TVRPrinter> printer = MakePrinter(TVRPrinter::DestinationPages);
    printer->Exporting = true;
    m_exportFilter = filter;
    struct Clear
    {
        TVelRep &r;
        ~Clear() { r.m_exportFilter = nullptr; }
    } clear{*this};
    return PrintWithProgress(std::move(printer), QStringLiteral("Export Progress"), details);
}

TVRPreviewSettings TVelRep::PreviewSettings() const
{
    TVRPreviewSettings s;
    s.ReportTitle = ReportTitle;
    s.PrevFormStyle = PrevFormStyle;
    s.PreviewWidth = PreviewWidth();
    s.PreviewHeight = PreviewHeight();
    s.PreviewInitialState = PreviewInitialState;
    s.PrevShowThumbs = PrevShowThumbs;
    s.PrevShowSearch = PrevShowSearch;
    s.PrevInitialZoom = PrevInitialZoom;
    s.Zoom = m_zoom;
    s.ShowProgress = ShowProgress;
    return s;
}

TVRPrintDialogValues *TVelRep::ExecutePrintDialog()
{
    TVRPrintDialogValues &d = m_printDialog;
    d.PrinterIndex = PrinterSettings.PrinterIndex;
    d.PdfFileName = PrinterSettings.PdfFileName;
    const TVRPrinter *printer = m_printer;
    const bool finished = printer && printer->Status() == TVRPrinter::StatusFinished && printer->PageCount() > 0;
    d.MinPage = 1;
    d.MaxPage = finished ? printer->PageCount() : 9999;
    d.FromPage = 1;
    d.ToPage = d.MaxPage;
    d.Options = poPageNums | poWarning;
    d.Orientation = m_page.Orientation() == TPrinterOrientation::poLandscape ? 2 : 1;
    d.SetCopies(PrinterSettings.Copies);
    TVRUserInterface *ui = UserInterface();
    if (!ui || !ui->ExecutePrintDialog(d)) {
        Tag = 1;
        return nullptr;
    }
    Tag = 0;
    m_settingsBeforeDialog = PrinterSettings;
    m_orientationBeforeDialog = m_page.Orientation();
    const TPrinterOrientation orientation =
        d.Orientation == 2 ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
    PrinterSettings.Copies = d.Copies();
    PrinterSettings.PrinterIndex = d.PrinterIndex;
    PrinterSettings.PdfFileName = d.PdfFileName;
    m_page.SetOrientation(orientation);
    TVelRepPrinterSettings &c = m_dialogSettings;
    c = PrinterSettings;
    c.TakeDialogChoice(d);
    c.PrintQuality = d.PrintQuality;
    c.Collate = d.Collate;
    c.ColorOption = d.ColorOption;
    c.CustomPaperCode = d.PaperSize;
    c.Duplex = d.Duplex;
    m_dialogChosen = true;
    return &d;
}

const TVRJobSettings &TVelRep::NextPrintSettings() const
{
    return m_dialogChosen ? m_dialogSettings : PrinterSettings;
}

void TVelRep::TakePrintSettings(const TVRPrintDialogValues &, bool pagesFromFile)
{
    // The dialog has stored the choice already; pages from a file leave the report's
    // own settings as they were.
    if (!pagesFromFile)
        return;
    PrinterSettings = m_settingsBeforeDialog;
    m_page.SetOrientation(m_orientationBeforeDialog);
    m_dialogChosen = false;
}

void TVelRep::RunBeforePrint()
{
    bool printReport = true;
    if (BeforePrint)
        BeforePrint(this, printReport);
}

void TVelRep::RunAfterPrint()
{
    if (AfterPrint)
        AfterPrint(this);
}

void TVelRep::RunInComposite(TVRPrinter &printer, TVRCompositeRunState &state, bool last)
{
    if (m_running)
        return;
    m_runPrinter = &printer;
    m_currentY = state.VerticalPosition;
    m_pageNumber = state.PageNumber;
    m_column = qMax(1, state.Column);
    const int tag = Tag;
    if (last)
        Tag = 999;
    struct Restore
    {
        TVelRep &r;
        int tag;
        ~Restore() { r.Tag = tag; }
    } restore{*this, tag};
    Run(true, last);
    state.VerticalPosition = m_currentY;
    state.PageNumber = m_pageNumber;
    state.Column = m_column;
    state.Columns = m_columns;
}

void TVelRep::Cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    if (m_runPrinter)
        m_runPrinter->Cancel();
}

} // namespace reportengine
