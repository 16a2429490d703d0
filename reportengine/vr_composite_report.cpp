#include "reportengine/vr_composite_report.h"

#include "reportengine/evaluator_result.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_user_interface.h"

#include "platform/tarvelin_error.h"

#include <QScopeGuard>

namespace reportengine {

// ---------------------------------------------------------------------------------------
// The master of the composite's preview: it stands for the composite, so the preview's
// printer setup and Print go to the composite, and the preview's look follows the first
// report.

class TVRCompositeReport::StandIn : public QObject, public TVRPreviewMaster
{
public:
    StandIn(TVRCompositeReport &composite, const TVRPreviewSettings &settings)
        : m_composite(composite), m_settings(settings)
    {
    }

    TVRPreviewSettings PreviewSettings() const override { return m_settings; }

    TVRPrintDialogValues *ExecutePrintDialog() override
    {
        return m_composite.ExecutePrintDialog() ? &m_composite.m_printDialog : nullptr;
    }

    const TVRJobSettings &NextPrintSettings() const override { return m_composite.PrinterSettings; }

    void TakePrintSettings(const TVRPrintDialogValues &dialog, bool) override
    {
        // The composite's own dialog stored the rest already.
        TVRCompositePrinterSettings &s = m_composite.PrinterSettings;
        s.Orientation = dialog.Orientation == 2 ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
        const TVRPaperSize paper = PaperFromCode(dialog.PaperSize);
        if (paper != TVRPaperSize::Default)
            s.PaperSize = paper;
    }

    void Watch(TVRPrinter *printer)
    {
        TVRCompositeReport *composite = &m_composite;
        connect(printer, &TVRPrinter::printRequested, this, [composite](const QString &pdfFile) {
            // A request from the event loop: nobody above it could tell the user.
            try {
                composite->Print(pdfFile);
            } catch (const platform::TarvelinError &e) {
                HandOnError(nullptr, {e.message(), QString()});
            }
        });
        connect(printer, &TVRPrinter::previewClosed, this, [composite] { composite->PreviewClosed(); });
    }

private:
    TVRCompositeReport &m_composite;
    TVRPreviewSettings m_settings;
};

// ---------------------------------------------------------------------------------------

TVRCompositeReport::TVRCompositeReport(QObject *owner) : QObject(owner) {}

TVRCompositeReport::~TVRCompositeReport()
{
    if (m_printer)
        delete m_printer.data();
}

void TVRCompositeReport::ReleasePrinter()
{
    // Freed from the event loop: the request that asks for it may come from the
    // printer's own signal.
    if (TVRPrinter *p = m_printer) {
        m_printer = nullptr;
        p->deleteLater();
    }
}

void TVRCompositeReport::PreviewClosed()
{
    if (m_running) {
        if (m_current)
            m_current->Cancel();
    } else {
        ReleasePrinter();
    }
}

bool TVRCompositeReport::RunReports(TVRErrorDetails *details)
{
    return RunReportsWith(nullptr, details);
}

bool TVRCompositeReport::RunReportsWith(const std::function<void()> &afterAddReports, TVRErrorDetails *details)
{
    Reports.clear();
    if (OnAddReports)
        OnAddReports(*this);
    if (afterAddReports)
        afterAddReports();
    if (Reports.empty()) {
        if (OnFinished)
            OnFinished(*this, nullptr);
        return false;
    }
    // A run needs a printer of its own; one whose job has run already holds pages of
    // an earlier run.
    if (m_printer && m_printer->Status() != TVRPrinter::StatusReady)
        ReleasePrinter();
    if (!m_printer)
        m_printer = new TVRPrinter(this, PrinterSettings.UseStandardPrinter, PrinterSettings.MemoryLimit);
    TVRPrinter &printer = *m_printer;
    PrinterSettings.ApplyTo(printer, ReportTitle);
    if (!m_printPdfFile.isEmpty())
        printer.PrinterSettings().PdfFileName = m_printPdfFile;
    printer.PageList().Compression = (Options & Compression) != 0;
    printer.BeginDoc();

    TVRCompositeRunState state;
    state.Columns = qMax(1, Reports.front()->PageColumns());
    m_running = true;
    bool cancelled = false;
    // An error ends the job here, so that the composite and its printer are ready for
    // the next run: the engine's own comes back as data, a handler's goes on as it is.
    const auto endJob = [this, &printer] {
        m_current = nullptr;
        m_running = false;
        printer.Cleanup();
    };
    // The report that failed names where it did.
    const auto failed = [&](const QString &message) {
        TVRErrorDetails error{message, QString()};
        if (m_current)
            m_current->NameFailure(error);
        endJob();
        HandOnError(details, error);
    };
    try {
        for (size_t i = 0; i < Reports.size(); ++i) {
            TVRReportProducer *report = Reports[i];
            m_current = report;
            report->RunBeforePrint();
            report->RunInComposite(printer, state, i + 1 == Reports.size());
            report->RunAfterPrint();
            if (report->Cancelled() || printer.Cancelled()) {
                cancelled = true;
                break;
            }
            if (OnFinished)
                OnFinished(*this, report);
        }
    } catch (const TVREvaluatorError &e) {
        failed(e.message());
        return false;
    } catch (const EVRError &e) {
        failed(e.message());
        return false;
    } catch (...) {
        endJob();
        throw;
    }
    m_current = nullptr;
    if (cancelled)
        ReleasePrinter(); // no pages remain
    else
        printer.EndDoc();
    m_running = false;
    if (OnFinished)
        OnFinished(*this, nullptr);
    return !cancelled;
}

void TVRCompositeReport::Preview()
{
    if (m_running || m_previewing)
        return;
    if (OnAddReports)
        OnAddReports(*this);
    if (Reports.empty())
        return;
    TVRReportProducer *first = Reports.front();
    TVRPreviewSettings settings = first->PreviewSettings();
    settings.ReportTitle = ReportTitle;
    if (m_printer) // the pages of an earlier preview
        ReleasePrinter();
    m_standIn = std::make_unique<StandIn>(*this, settings);
    auto *printer = new TVRPrinter(m_standIn.get(), PrinterSettings.UseStandardPrinter, PrinterSettings.MemoryLimit);
    printer->Destination = TVRPrinter::DestinationPages;
    printer->Title = ReportTitle;
    printer->SetOrientation(first->PageOrientation());
    printer->SetPaperSize(first->PagePaperSize());
    m_printer = printer;
    m_standIn->Watch(printer);
    m_previewing = true;
    struct Done
    {
        TVRCompositeReport &c;
        ~Done() { c.m_previewing = false; }
    } done{*this};
    printer->Preview();
    RunReports();
    WaitForPreviewClose(m_printer);
    ReleasePrinter();
}

bool TVRCompositeReport::Print(const QString &pdfFile, TVRErrorDetails *details)
{
    if (m_running)
        return false;
    m_printPdfFile = pdfFile;
    const auto clear = qScopeGuard([this] { m_printPdfFile.clear(); });
    const QPointer<TVRPrinter> previous = m_printer;
    auto *printer = new TVRPrinter(this, PrinterSettings.UseStandardPrinter, PrinterSettings.MemoryLimit);
    printer->Destination = TVRPrinter::DestinationPrinter;
    m_printer = printer;
    std::unique_ptr<QObject> progress;
    const auto showProgress = [this, printer, &progress] {
        if (Reports.empty() || !Reports.front()->PreviewSettings().ShowProgress)
            return;
        if (TVRUserInterface *ui = UserInterface())
            progress = ui->ShowProgress(*printer, QString());
    };
    struct Restore
    {
        TVRCompositeReport &c;
        QPointer<TVRPrinter> printer;
        QPointer<TVRPrinter> previous;
        ~Restore()
        {
            if (printer && c.m_printer == printer)
                c.ReleasePrinter();
            c.m_printer = previous;
        }
    } restore{*this, printer, previous};
    return RunReportsWith(showProgress, details);
}

bool TVRCompositeReport::ExecutePrintDialog()
{
    TVRPrintDialogValues &d = m_printDialog;
    d.PrinterIndex = PrinterSettings.PrinterIndex;
    d.PdfFileName = PrinterSettings.PdfFileName;
    const bool finished = m_printer && m_printer->Status() == TVRPrinter::StatusFinished;
    const int last = finished ? qMax(1, m_printer->PageCount()) : 9999;
    d.MinPage = 1;
    d.MaxPage = last;
    const bool range = PrinterSettings.FirstPage > 0;
    d.FromPage = range ? qBound(1, PrinterSettings.FirstPage, last) : 1;
    d.ToPage = range && PrinterSettings.LastPage > 0 ? qBound(d.FromPage, PrinterSettings.LastPage, last) : last;
    d.PrintRange = range ? TVRPrintRange::prPageNums : TVRPrintRange::prAllPages;
    d.Options = poPageNums | poWarning;
    d.Orientation = PrinterSettings.Orientation == TPrinterOrientation::poLandscape ? 2 : 1;
    d.PaperSize = PaperCode(PrinterSettings.PaperSize);
    d.SetCopies(PrinterSettings.Copies);
    TVRUserInterface *ui = UserInterface();
    if (!ui || !ui->ExecutePrintDialog(d)) {
        Tag = 1;
        return false;
    }
    PrinterSettings.TakeDialogChoice(d);
    Tag = 0;
    return true;
}

} // namespace reportengine
