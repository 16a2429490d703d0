#pragma once

// The output object of one report run: it opens the job, gives the report a canvas for
// each page, converts tenths of a millimetre to device pixels and sends each finished
// page into the page list (for the preview, saving and later printing) or straight to
// a printer or PDF file.
//
// Notifications to the preview, the progress window and the report are queued signals,
// delivered from the event loop in the order they were raised:
//   progressChanged(percent), pageAvailable(pages available), printRequested(pdfFile)
//   (the master should run its report again to the printer; pdfFile as for Print),
//   previewClosed(printer).

#include "reportengine/vr_error_details.h"
#include "reportengine/vr_page_list.h"
#include "reportengine/vr_printer_settings.h"

#include "platform/tarvelin_error.h"

#include <QObject>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace reportengine {

// Errors of the job protocol ("VRPrinter not ready", "Illegal call to NewPage").
class EVRError : public platform::TarvelinError
{
public:
    using platform::TarvelinError::TarvelinError;
};

// A PDF file for a print titled so: the title (made safe as a file name) with ".pdf", in
// the user's documents folder, or the home folder when there is none.
QString SuggestedPdfFileName(const QString &title);

class TVRPrinter : public QObject
{
    Q_OBJECT

public:
    enum Destinations { DestinationPages = 0, DestinationPrinter = 1 };
    enum Statuses { StatusReady = 0, StatusBusy = 1, StatusFinished = 2 };

    // parentReport is the report or composite that made the printer (its Master
    // unless changed). A standard-printer run draws on the application's shared
    // printer object, any other on a private one that starts on the same destination.
    explicit TVRPrinter(QObject *parentReport = nullptr, bool useStandardPrinter = false, int memoryLimit = 250000);
    ~TVRPrinter() override;

    int Destination = DestinationPages;
    int Status() const { return m_status; }
    bool Cancelled() const { return m_cancelled; }
    // Canvas of the current page (nullptr when no page is open).
    QPainter *Canvas() const { return m_canvas; }
    // Pages begun so far; after a run, the page count.
    int PageNumber() const { return m_pageNumber; }
    int PageCount() const { return m_pageNumber; }
    int AvailablePages() const { return m_availablePages; }
    int Progress() const { return m_progress; }
    void SetProgress(int percent);

    int FirstPage = 0; // 0: open
    int LastPage = 0;  // 0: open
    int LeftOffset = 0; // tenths of a millimetre; always 0 (full-page printing)
    int TopOffset = 0;
    double XFactor; // device pixels per tenth of a millimetre
    double YFactor;
    QString Title;
    QPointer<QObject> Client;
    QPointer<QObject> Master;
    bool Loaded = false;
    bool Exporting = false;

    bool ShowingPreview() const { return m_showingPreview; }
    // Turning it off cancels a busy job and calls OnPreviewClosed.
    void SetShowingPreview(bool showing);

    // Handed over by the report.
    std::function<void()> OnPreview;
    std::function<void()> OnPrintDialog;
    std::function<void()> OnExport;
    std::function<void(TVRPrinter *)> OnPreviewClosed;
    std::function<void(TVRPrinter *)> OnEndOfJob;

    TVRPageList &PageList() { return m_pageList; }
    TPrinterSettings &PrinterSettings() { return m_settings; }
    QPrinter *Printer() const { return m_printer; }

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Cleanup();
    void Cancel();

    // A page picture the caller owns, or nullptr unless a job ran (Status 1 or 2), the
    // number is in 1..PageNumber and that page is finished.
    std::unique_ptr<QPicture> GetPage(int pageNumber);
    // Replaces the pages by a stored report file. Refused (TarvelinError) while a run is
    // producing pages, and for a missing or damaged file; the current pages stay then.
    void Load(const QString &fileName);
    // Saves the finished pages as a stored report file. Refused (false) while a run is
    // busy; false with "Błąd dostępu do pliku" and the file named (details, or shown by
    // the user interface when none are handed in) when the file cannot be written.
    bool Save(const QString &fileName, TVRErrorDetails *details = nullptr);
    // Shows the pages: the OnPreview handler, the registered preview, or the user
    // interface's preview window.
    void Preview();
    // Prints the finished pages (the preview's Print), or asks the master to run the
    // report again when the pages came from that report. pdfFile: the PDF file the user
    // named for this print alone, written when it goes to the PDF destination (empty: the
    // file of the settings).
    void Print(const QString &pdfFile = QString());
    void ClosePreview();

    int XPos(double v) const;
    int YPos(double v) const;
    int XSize(double v) const;
    int YSize(double v) const;
    // A font for the current canvas: the family as laid out, sized in the canvas's
    // pixels (13 pixels for 10 points on a page picture), so text has the same size on
    // pages and on a printer.
    QFont CanvasFont(const QString &family, double pointSize, bool bold = false, bool italic = false) const;

    // Whether the page shows text (whole characters compared, Polish letters
    // included). One search at a time: a search started while another runs finds
    // nothing. An empty text is never found.
    static bool SearchPage(const QString &text, const QPicture &page, bool matchCase);

    // Settings pass-through.
    int PrinterIndex() const { return m_settings.PrinterIndex(); }
    void SetPrinterIndex(int index) { m_settings.SetPrinterIndex(index); }
    TVRPaperSize PaperSize() const { return m_settings.PaperSize; }
    void SetPaperSize(TVRPaperSize size) { m_settings.SetPaperSize(size); }
    TPrinterOrientation Orientation() const { return m_settings.Orientation; }
    void SetOrientation(TPrinterOrientation o) { m_settings.SetOrientation(o); }
    int Copies() const { return m_settings.Copies; }
    void SetCopies(int copies) { m_settings.SetCopies(copies); }
    // Paper size as the page lies, in tenths of a millimetre.
    int PaperWidth() const;
    int PaperLength() const;

    // There is always at least the PDF destination.
    static bool PrintersExist() { return true; }
    // The preview shown by Preview() when the report has no handler of its own (the
    // user interface's preview window unless another is registered).
    static void RegisterPreviewInterface(std::function<void(TVRPrinter *)> showPreview);

    // The PDF file a PDF job writes (settings' PdfFileName or SuggestedPdfFileName).
    QString PdfOutputFileName() const;

signals:
    void progressChanged(int percent);
    void pageAvailable(int pages);
    void printRequested(const QString &pdfFile);
    void previewClosed(reportengine::TVRPrinter *printer);

private:
    void OpenPage();
    void FinishPage();
    void DropOpenPage();
    bool PageInRange(int page) const;
    void BeginPrinterDocument();
    void EndPrinterDocument(bool keep);
    void PostPageAvailable();
    void PostProgress();
    void MatchPaperToPage(const QPicture &page);

    TVRPageList m_pageList;
    TPrinterSettings m_settings;
    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter *m_printer = nullptr;
    std::unique_ptr<QPicture> m_pagePicture;
    std::unique_ptr<QPainter> m_picturePainter;
    std::unique_ptr<QPainter> m_printPainter;
    QPainter *m_canvas = nullptr;
    QString m_pdfTarget;
    QString m_pdfPartial;
    int m_status = StatusReady;
    bool m_cancelled = false;
    bool m_printingStored = false;
    bool m_showingPreview = false;
    int m_pageNumber = 0;
    int m_availablePages = 0;
    int m_progress = 0;
};

// Handles events until the printer is gone, its preview has closed or the application
// is quitting. Returns at once when the printer shows no preview.
void WaitForPreviewClose(TVRPrinter *printer);

} // namespace reportengine
