#pragma once

// Several reports produced one after another into one output, so that they preview,
// print and save as one document with continuous page numbers. OnAddReports fills
// Reports afresh before every run (a preview runs it twice: once to see that there is
// anything, once in the run); Print from the preview runs every report again to the
// printer.
//
// The composite ignores Preview and Print while a run of its own is going on, and
// Preview while its preview is open, so one run never replaces the printer another is
// still using.
//
// A run that stops on an error of the engine returns false and hands the error back in
// the caller's TVRErrorDetails (shown by the user interface when none are handed in); a
// handler's error goes on to the caller as an exception. Either way the job is ended and
// the composite is ready for the next run.

#include "reportengine/vr_error_details.h"
#include "reportengine/vr_job_settings.h"
#include "reportengine/vr_print_dialog_values.h"
#include "reportengine/vr_printer_settings.h"
#include "reportengine/vr_report_producer.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace reportengine {

class TVRPrinter;

struct TVRCompositePrinterSettings : TVRJobSettings
{
    TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
    TVRPaperSize PaperSize = TVRPaperSize::Letter;

    void ApplyTo(TVRPrinter &printer, const QString &title) const
    {
        TVRJobSettings::ApplyTo(printer, title, PaperSize, Orientation);
    }
};

class TVRCompositeReport : public QObject
{
    Q_OBJECT

public:
    explicit TVRCompositeReport(QObject *owner = nullptr);
    ~TVRCompositeReport() override;

    std::function<void(TVRCompositeReport &composite)> OnAddReports;
    // After each report of a run (report set) and at the end of a run (report nullptr).
    std::function<void(TVRCompositeReport &composite, TVRReportProducer *report)> OnFinished;
    int Options = FirstPageHeader | LastPageFooter;
    TVRCompositePrinterSettings PrinterSettings;
    QString ReportTitle;
    // 1 after a cancelled print dialog, 0 after a confirmed one.
    int Tag = 0;

    // The reports of the current run, in order (not owned).
    std::vector<TVRReportProducer *> Reports;

    TVRPrinter *VRPrinter() const { return m_printer; }
    bool Running() const { return m_running; }

    // Shows the preview and runs the reports into it; returns when the preview closes.
    void Preview();
    // Runs the reports again straight to the printer (or the PDF file) of the settings,
    // with the user interface's progress window; pdfFile, when given, is the PDF file
    // this print alone writes. False when nothing was printed.
    bool Print(const QString &pdfFile = QString(), TVRErrorDetails *details = nullptr);
    // The print dialog (the user interface's) with the composite's settings; true when
    // confirmed.
    bool ExecutePrintDialog();
    TVRPrintDialogValues &PrintDialog() { return m_printDialog; }
    // Produces the pages of every report into VRPrinter (a new page printer when there
    // is none). A cancelled report ends the run and frees the printer with its pages.
    // False when the run did not end: no reports, a cancel, or an error of the engine.
    bool RunReports(TVRErrorDetails *details = nullptr);

private:
    class StandIn;

    bool RunReportsWith(const std::function<void()> &afterAddReports, TVRErrorDetails *details);
    void ReleasePrinter();
    void PreviewClosed();

    QPointer<TVRPrinter> m_printer;
    TVRReportProducer *m_current = nullptr;
    bool m_running = false;
    bool m_previewing = false;
    std::unique_ptr<StandIn> m_standIn;
    TVRPrintDialogValues m_printDialog;
    QString m_printPdfFile; // the file the print run going on was given
};

} // namespace reportengine
