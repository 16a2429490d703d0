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

#include "reportengine/vr_job_settings.h"
#include "reportengine/vr_print_dialog.h"
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
    // Runs the reports again straight to the printer (or the PDF file) of the settings;
    // pdfFile, when given, is the PDF file this print alone writes.
    void Print(const QString &pdfFile = QString());
    // The print dialog with the composite's settings; true when confirmed.
    bool ExecutePrintDialog();
    TVRPrintDialog &PrintDialog() { return m_printDialog; }
    // Produces the pages of every report into VRPrinter (a new page printer when there
    // is none). A cancelled report ends the run and frees the printer with its pages.
    void RunReports();

private:
    class StandIn;

    void RunReportsWith(const std::function<void()> &afterAddReports);
    void ReleasePrinter();
    void PreviewClosed();

    QPointer<TVRPrinter> m_printer;
    TVRReportProducer *m_current = nullptr;
    bool m_running = false;
    bool m_previewing = false;
    std::unique_ptr<StandIn> m_standIn;
    TVRPrintDialog m_printDialog;
    QString m_printPdfFile; // the file the print run going on was given
};

} // namespace reportengine
