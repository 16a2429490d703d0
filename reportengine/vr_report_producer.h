#pragma once

// What the preview window and the composite report need from a report.
//
// The report component implements both interfaces: TVRPreviewMaster for the preview of
// its own pages (the preview finds it as the TVRPrinter's Master, which must be a
// QObject deriving from it) and TVRReportProducer for taking part in a composite run.
// Nothing here knows bands or printable controls, so the preview and the composite can
// be driven by anything that draws pages onto a TVRPrinter.

#include "reportengine/vr_error_details.h"
#include "reportengine/vr_job_settings.h"
#include "reportengine/vr_printer_settings.h"

#include <QString>

namespace reportengine {

class TVRPrinter;
struct TVRPrintDialogValues;

enum class TVRZoomState { vrZoomToFit, vrZoomToWidth, vrZoomOther };
enum class TVRFormStyle { fsNormal, fsStayOnTop };
enum class TVRWindowState { wsNormal, wsMinimized, wsMaximized };

// Report options, as a set of bits.
enum TVRReportOption : int { FirstPageHeader = 0x1, LastPageFooter = 0x2, Compression = 0x4 };

// How a report wants its preview window made.
struct TVRPreviewSettings
{
    QString ReportTitle;
    TVRFormStyle PrevFormStyle = TVRFormStyle::fsNormal;
    int PreviewWidth = 500;
    int PreviewHeight = 500;
    TVRWindowState PreviewInitialState = TVRWindowState::wsNormal;
    bool PrevShowThumbs = true;
    bool PrevShowSearch = true;
    TVRZoomState PrevInitialZoom = TVRZoomState::vrZoomOther;
    int Zoom = 100;
    // A progress window while pages are printed or exported.
    bool ShowProgress = true;
};

// The report whose pages a preview shows. Besides these calls, the master runs its
// report again to the printer when its printer emits printRequested(pdfFile) (the
// preview's Print for pages the report made itself; a pdfFile named there is written by
// that print alone) and stops waiting when the printer emits previewClosed().
class TVRPreviewMaster
{
public:
    virtual ~TVRPreviewMaster() = default;
    virtual TVRPreviewSettings PreviewSettings() const = 0;
    // The preview's "Printer setup": the report's print dialog with its last values.
    // Returns the confirmed values (kept by the master) or nullptr when cancelled.
    virtual TVRPrintDialogValues *ExecutePrintDialog() = 0;
    // The values confirmed in that dialog, for the report's own printer settings; a
    // report keeps them only for pages it made itself, a composite's stand-in always.
    virtual void TakePrintSettings(const TVRPrintDialogValues &dialog, bool pagesFromFile) = 0;
    // What the master's next print run puts on its printer: its destination and PDF file.
    virtual const TVRJobSettings &NextPrintSettings() const = 0;
};

// Where a composite run stands between two of its reports.
struct TVRCompositeRunState
{
    double VerticalPosition = 0; // tenths of a millimetre from the paper's top
    int PageNumber = 0;          // pages begun so far
    int Column = 1;
    int Columns = 1;
};

// A report as one of the reports of a composite run.
class TVRReportProducer
{
public:
    virtual ~TVRReportProducer() = default;
    // Page and preview settings: the first report's are the composite's preview's.
    virtual TPrinterOrientation PageOrientation() const = 0;
    virtual TVRPaperSize PagePaperSize() const = 0;
    virtual int PageColumns() const = 0;
    virtual TVRPreviewSettings PreviewSettings() const = 0;
    // The report's BeforePrint and AfterPrint handlers, each when it has one; the
    // composite ignores what BeforePrint answers (the run calls it again and honours it).
    virtual void RunBeforePrint() = 0;
    virtual void RunAfterPrint() = 0;
    // Produces the report's pages into a job the composite has begun: the paper size
    // and orientation are the printer's, the run starts where state stands and leaves
    // it where its last page ends. The last report of the run finishes its last page
    // (it is marked with Tag 999 for the time of the run); no report ends the job.
    virtual void RunInComposite(TVRPrinter &printer, TVRCompositeRunState &state, bool last) = 0;
    virtual bool Cancelled() const = 0;
    // Stops the run at the next record (the preview closed while pages were made).
    virtual void Cancel() = 0;
    // Names, in error, where its last run failed (TVRErrorDetails: report, band, control).
    virtual void NameFailure(TVRErrorDetails &error) const { (void)error; }
};

} // namespace reportengine
