#pragma once

// The report component: a page description, a stack of bands carrying printable
// controls, and the detail controller that walks the data. A run turns the bands into
// pages through a TVRPrinter: into stored page pictures (Prepare, Preview), onto a
// printer or a PDF file (Print), or into an export filter (ExportToFilter).
//
// What it guarantees:
// - every run leaves the report as it found it: units, band heights, prepared bands
//   and controls, the expression environment and the printer are restored or cleaned
//   up whether the run ends, is cancelled or fails in a handler; a handler's error
//   then goes on to the caller of the entry point, while the engine's own errors (an
//   expression that cannot be turned into text, a band taller than the page) make the
//   entry point return false and come back in the caller's TVRErrorDetails (shown by
//   the user interface when the caller handed in none);
// - pages begin only when a band prints, so a report that prints nothing makes no
//   page; the page footer stands on the bottom margin; a band that cannot fit even on
//   an empty page is an error, never an endless run of pages;
// - the pages of the last Prepare or Preview stay in VRPrinter() until the next of
//   them (Print and ExportToFilter use printers of their own), so a printing run can
//   print "page n of N" with N from a preparing run.
//
// Lengths are tenths of a millimetre during a run (the report switches to Native and
// back); positions are measured from the paper's corner.

#include "reportengine/vr_band.h"
#include "reportengine/vr_controller.h"
#include "reportengine/vr_error_details.h"
#include "reportengine/vr_frame.h"
#include "reportengine/vr_job_settings.h"
#include "reportengine/vr_page_setup.h"
#include "reportengine/vr_print_dialog_values.h"
#include "reportengine/vr_printable_host.h"
#include "reportengine/vr_printer_settings.h"
#include "reportengine/vr_report_producer.h"

#include "reportengine/expr_functions_environment.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace reportengine {

class TVRExportFilter;
class TVRPrintable;
class TVRPrinter;
class TVRReportDataSet;

// The printer settings a report applies to its printer at the start of a run (its
// paper and orientation are the page's).
struct TVelRepPrinterSettings : TVRJobSettings
{
    QString Title;
};

class TVelRep;

// Which of the report's standard bands exist; setting one makes or frees that band.
class TVelRepBands
{
public:
    explicit TVelRepBands(TVelRep &report) : m_report(report) {}
    bool HasTitle() const { return Has(TVRBandType::rbTitle); }
    bool HasPageHeader() const { return Has(TVRBandType::rbPageHeader); }
    bool HasColumnHeader() const { return Has(TVRBandType::rbColumnHeader); }
    bool HasDetail() const { return Has(TVRBandType::rbDetail); }
    bool HasPageFooter() const { return Has(TVRBandType::rbPageFooter); }
    bool HasSummary() const { return Has(TVRBandType::rbSummary); }
    void SetHasTitle(bool v) { Set(TVRBandType::rbTitle, v); }
    void SetHasPageHeader(bool v) { Set(TVRBandType::rbPageHeader, v); }
    void SetHasColumnHeader(bool v) { Set(TVRBandType::rbColumnHeader, v); }
    void SetHasDetail(bool v) { Set(TVRBandType::rbDetail, v); }
    void SetHasPageFooter(bool v) { Set(TVRBandType::rbPageFooter, v); }
    void SetHasSummary(bool v) { Set(TVRBandType::rbSummary, v); }

private:
    bool Has(TVRBandType type) const;
    void Set(TVRBandType type, bool has);

    TVelRep &m_report;
};

// The report is the master of its preview (TVRPreviewMaster) and may be one of the
// reports of a composite (TVRReportProducer).
class TVelRep : public QObject, public TVRReportHost, public TVRPreviewMaster, public TVRReportProducer
{
    Q_OBJECT

public:
    using TVRReportBeforePrintEvent = std::function<void(TVelRep *sender, bool &printReport)>;
    using TVRNotifyEvent = std::function<void(TVelRep *sender)>;
    using TVROnNeedDataEvent = TVRController::TVROnNeedDataEvent;

    explicit TVelRep(QObject *owner = nullptr);
    ~TVelRep() override;

    // Page and layout.
    TVRPage &Page() { return m_page; }
    const TVRPage &Page() const { return m_page; }
    TVelRepBands &Bands() { return m_bands; }
    TVRUnit Units() const { return m_page.Units(); }
    // The unit of the page, every band and every control on the report.
    void SetUnits(TVRUnit units);
    int Zoom() const { return m_zoom; }
    // Only 1..300 are taken.
    void SetZoom(int zoom);
    QFont Font() const { return m_font; }
    void SetFont(const QFont &font) { m_font = font; }
    TVRFrame &Frame() { return m_frame; }
    bool PrintIfEmpty() const;
    void SetPrintIfEmpty(bool print);

    QString ReportTitle;
    QStringList Description;
    int Options = FirstPageHeader | LastPageFooter;
    bool ShowProgress = true;
    bool SnapToGrid = true;
    // 999 while the report runs as the last of a composite run; 1 after a cancelled
    // print dialog, 0 after a confirmed one.
    int Tag = 0;
    TVelRepPrinterSettings PrinterSettings;

    // How the preview window is made.
    TVRFormStyle PrevFormStyle = TVRFormStyle::fsNormal;
    TVRWindowState PreviewInitialState = TVRWindowState::wsNormal;
    int PreviewWidth() const { return m_previewWidth > 0 ? m_previewWidth : 500; }
    void SetPreviewWidth(int width) { m_previewWidth = width; }
    int PreviewHeight() const { return m_previewHeight > 0 ? m_previewHeight : 500; }
    void SetPreviewHeight(int height) { m_previewHeight = height; }
    bool PrevShowThumbs = true;
    bool PrevShowSearch = true;
    TVRZoomState PrevInitialZoom = TVRZoomState::vrZoomOther;

    // Data.
    TVRController &Controller() { return m_controller; }
    const TVRController &Controller() const { return m_controller; }
    // The report's expression environment: PAGENUMBER, COLUMNNUMBER, REPORTTITLE.
    TVREvEnvironment &Functions() { return *m_functions; }
    TVRReportDataSet *DataSet() const;
    void SetDataSet(TVRReportDataSet *dataSet);
    // Further data sets whose fields expressions on the report may name.
    QList<TVRDataSet *> DataSets;
    // Every data set expressions on the report may name: the report's, the
    // sub-details' and the further ones.
    QList<TVRDataSet *> AllDataSets() const;
    // 1 without an active data set, else the data set's record count.
    int RecordCount() const;

    // Events.
    TVRReportBeforePrintEvent BeforePrint;
    TVRNotifyEvent AfterPrint;
    TVRNotifyEvent AfterPreview;
    TVRNotifyEvent OnPreview;
    TVRNotifyEvent OnStartPage;
    TVRNotifyEvent OnEndPage;
    TVROnNeedDataEvent &OnNeedData();
    TVRPrinterEvent OnGetPrinterSettings;
    TVRPrinterEvent OnApplyPrinterSettings;

    // Bands.
    // A new band of the type, named after it with the first free number ("DetailBand1").
    TVRBand *CreateBand(TVRBandType type);
    // That name for a band of the type: the type's component name and the first free
    // number.
    QString NewBandName(TVRBandType type) const;
    // The first band of the type, nullptr when none.
    TVRCustomBand *BandOfType(TVRBandType type) const;
    TVRCustomBand *TitleBand() const { return BandOfType(TVRBandType::rbTitle); }
    TVRCustomBand *PageHeaderBand() const { return BandOfType(TVRBandType::rbPageHeader); }
    TVRCustomBand *ColumnHeaderBand() const { return BandOfType(TVRBandType::rbColumnHeader); }
    TVRCustomBand *DetailBand() const { return BandOfType(TVRBandType::rbDetail); }
    TVRCustomBand *PageFooterBand() const { return BandOfType(TVRBandType::rbPageFooter); }
    TVRCustomBand *SummaryBand() const { return BandOfType(TVRBandType::rbSummary); }
    // Every band in print order: page headers, titles, column headers, the
    // controller's bands, page footers, then the rest; each followed by its children.
    std::vector<TVRCustomBand *> BandList() const;

    // Entry points. Prepare, Preview, Print and ExportToFilter return false when
    // nothing was made: the report is running or its printer still shows a preview,
    // BeforePrint refused, the run was cancelled or stopped on an error of the engine;
    // that error comes back in `details` (shown by the user interface when none are
    // handed in).
    bool Prepare(TVRErrorDetails *details = nullptr);
    // Shows the preview (the OnPreview handler, the registered preview or the user
    // interface's window) while the pages are made and returns when it closes. Its
    // Print runs the report again to the printer; a run that is cancelled or fails
    // closes it, and one BeforePrint refuses opens none.
    bool Preview(TVRErrorDetails *details = nullptr);
    // pdfFile: the PDF file this print alone writes when it goes to the PDF destination
    // (empty: the file of the settings). The user interface shows the progress while
    // ShowProgress is set.
    bool Print(const QString &pdfFile = QString(), TVRErrorDetails *details = nullptr);
    bool ExportToFilter(TVRExportFilter *filter, TVRErrorDetails *details = nullptr);
    // The print dialog on the report's settings, the range 1..9999 (1..the page count
    // when the pages are finished). Confirmed: copies, destination and orientation
    // become the report's, the rest (range, duplex, bins, quality) is kept for the
    // next print run, Tag 0 and the dialog's values returned. Cancelled (or no user
    // interface): Tag 1 and nullptr.
    TVRPrintDialogValues *ExecutePrintDialog() override;
    // For pages loaded from a file the report's own settings stay as before the dialog.
    void TakePrintSettings(const TVRPrintDialogValues &dialog, bool pagesFromFile) override;
    const TVRJobSettings &NextPrintSettings() const override;
    TVRPreviewSettings PreviewSettings() const override;

    // As one of the reports of a composite run.
    TPrinterOrientation PageOrientation() const override { return m_page.Orientation(); }
    TVRPaperSize PagePaperSize() const override { return m_page.PaperSize(); }
    int PageColumns() const override { return m_page.Columns(); }
    void RunBeforePrint() override;
    void RunAfterPrint() override;
    // Produces the report into a job the composite has begun: paper and orientation
    // are the printer's, the run starts where `state` stands and leaves it where it
    // ended; the last report finishes its last page.
    void RunInComposite(TVRPrinter &printer, TVRCompositeRunState &state, bool last) override;
    // A new printer for the next run, unless a run is going on or the current
    // printer shows a preview.
    bool CreateVRPrinter();
    // The output of the last run (or the run going on); nullptr before the first.
    TVRPrinter *VRPrinter() const;

    // For band handlers during a run.
    void NewPage();
    void NewColumn();
    void Cancel() override;
    // Prints a band at the current position (with its child bands); false when it did
    // not print (none, disabled, or refused by its BeforePrint).
    bool PrintBand(TVRCustomBand *band);
    // Width of a text in screen pixels (96 per inch), as the text controls measure it.
    int TextWidth(const QFont &font, const QString &text) const;

    // Run state.
    bool Running() const { return m_running; }
    bool Cancelled() const override;
    // The report, and the band and control it was printing when its last run failed.
    void NameFailure(TVRErrorDetails &error) const override;
    bool Exporting() const { return m_exportFilter != nullptr; }
    bool InComposite() const { return m_inComposite; }
    int PageNumber() const { return m_pageNumber; }
    int CurrentColumn() const { return m_column; }
    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    double PageFooterHeight() const { return m_pageFooterHeight; }

    // TVRReportHost.
    TVRPrinter *HostPrinter() const override { return m_running ? m_runPrinter : nullptr; }
    TVRExportFilter *HostExportFilter() const override { return m_exportFilter; }
    int HostZoom() const override { return m_zoom; }
    TVRUnit HostUnits() const override { return Units(); }
    QFont HostFont() const override { return m_font; }

    // Used by the controllers of a run.
    quint64 NextRecordSerial() { return ++m_recordSerial; }
    void SetSkipNextPageBreak() { m_skipNextPageBreak = true; }
    void ClearSkipNextPageBreak() { m_skipNextPageBreak = false; }

private:
    class RunScope;

    std::unique_ptr<TVRPrinter> MakePrinter(int destination);
    bool RunEntry(TVRErrorDetails *details, bool allowed = false);
    // BeforePrint's answer: false when the handler refuses the run.
    bool AllowsRun();
    // False when BeforePrint refused (asked here unless `allowed` says it agreed already).
    bool Run(bool inComposite, bool last, bool allowed = false);
    void ApplyPrinterSettings(TVRPrinter &printer);
    bool PrintWithProgress(std::unique_ptr<TVRPrinter> printer, const QString &progressTitle, TVRErrorDetails *details);
    void LayOutBands();
    void PrepareRun();
    void UnprepareRun();
    void BuildControllers();

    // Pages and columns.
    double UsableBottom() const;
    double BandBottomLimit(const TVRCustomBand &band, bool pageBand) const;
    double ColumnWidth() const;
    bool AtTopOfColumn() const;
    void EnsurePage();
    void StartNewPage();
    void BeginPage();
    void EndPage(bool last);
    void AdvanceColumn();
    void BeginColumn();
    void PrintPageBands(TVRBandType type);
    bool PrintBandInternal(TVRCustomBand *band, bool pageBand);
    bool PrintBandBody(TVRCustomBand *band, bool pageBand);
    void PrintControls(TVRCustomBand &band, const std::vector<TVRPrintable *> &printables, bool pageBand);
    void FillBand(const TVRCustomBand &band, double top, double height);
    void SetEnvironmentInteger(const char *name, int value);

    TVRPage m_page;
    TVelRepBands m_bands;
    TVRController m_controller;
    std::unique_ptr<TVREvEnvironment> m_functions;
    int m_zoom = 100;
    QFont m_font;
    TVRFrame m_frame;
    int m_previewWidth = 0;
    int m_previewHeight = 0;
    // The print dialog keeps its values between calls; what it chose beyond the
    // published settings applies to the next print runs.
    TVRPrintDialogValues m_printDialog;
    bool m_dialogChosen = false;
    TVelRepPrinterSettings m_dialogSettings;
    QString m_printPdfFile; // the file the print run going on was given
    TVelRepPrinterSettings m_settingsBeforeDialog;
    TPrinterOrientation m_orientationBeforeDialog = TPrinterOrientation::poPortrait;

    // The printer the report keeps between runs, and the one a run draws on.
    QPointer<TVRPrinter> m_printer;
    TVRPrinter *m_runPrinter = nullptr;
    TVRExportFilter *m_exportFilter = nullptr;

    // Run state.
    bool m_running = false;
    bool m_cancelled = false;
    bool m_inComposite = false;
    bool m_environmentPrepared = false;
    bool m_skipNextPageBreak = false;
    int m_startingPage = 0; // depth of page starts under way
    int m_pageNumber = 0;
    int m_column = 1;
    int m_columns = 1;
    double m_currentX = 0;
    double m_currentY = -1;
    double m_columnTop = 0;  // where the columns of the page begin
    double m_contentTop = 0; // below what a page or column starts with
    double m_pageFooterHeight = 0;
    quint64 m_recordSerial = 0;
    // Where the run failed: the innermost band and control an error left (NameFailure).
    QString m_failedBand;
    QString m_failedControl;
};

} // namespace reportengine
