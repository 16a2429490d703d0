#include "reportengine/vr_printer.h"

#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_user_interface.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cmath>
#include <cstdio>

namespace reportengine {

namespace {

std::function<void(TVRPrinter *)> &PreviewInterface()
{
    static std::function<void(TVRPrinter *)> f;
    return f;
}

bool g_searching = false;

int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

double FactorFor(int dpi)
{
    const double f = dpi / 254.0;
    return f < 0.1 ? kPageFactor : f;
}

QString SafeFileTitle(const QString &title)
{
    QString t = title.trimmed();
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : t)
        if (forbidden.contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    return t.isEmpty() ? QStringLiteral("Raport") : t;
}

} // namespace

TVRPrinter::TVRPrinter(QObject *parentReport, bool useStandardPrinter, int memoryLimit)
    : QObject(nullptr), XFactor(kPageFactor), YFactor(kPageFactor), Master(parentReport)
{
    InstallReportFontSubstitutes();
    m_settings.UseStandardPrinter = useStandardPrinter;
    m_settings.MemoryLimit = memoryLimit;
    if (useStandardPrinter) {
        m_printer = SharedPrinter();
    } else {
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrinter *shared = SharedPrinter();
        if (shared->outputFormat() == QPrinter::PdfFormat) {
            m_ownPrinter->setOutputFormat(QPrinter::PdfFormat);
        } else if (!shared->printerName().isEmpty()) {
            m_ownPrinter->setPrinterName(shared->printerName());
        }
        m_printer = m_ownPrinter.get();
    }
    m_settings.SetPrinter(m_printer);
    TopOffset = m_settings.TopOffset;
    LeftOffset = m_settings.LeftOffset;
}

TVRPrinter::~TVRPrinter()
{
    if (m_status == StatusBusy) {
        try {
            Exporting = true; // nobody will read the pages
            Cleanup();
        } catch (...) {
        }
    }
    DropOpenPage();
    if (m_printPainter && m_printPainter->isActive())
        EndPrinterDocument(false);
}

void TVRPrinter::RegisterPreviewInterface(std::function<void(TVRPrinter *)> showPreview)
{
    PreviewInterface() = std::move(showPreview);
}

void TVRPrinter::SetProgress(int percent)
{
    m_progress = percent;
    PostProgress();
}

void TVRPrinter::PostPageAvailable()
{
    const int pages = m_availablePages;
    QMetaObject::invokeMethod(this, [this, pages] { emit pageAvailable(pages); }, Qt::QueuedConnection);
}

void TVRPrinter::PostProgress()
{
    const int percent = m_progress;
    QMetaObject::invokeMethod(this, [this, percent] { emit progressChanged(percent); }, Qt::QueuedConnection);
}

void TVRPrinter::SetShowingPreview(bool showing)
{
    const bool wasShowing = m_showingPreview;
    m_showingPreview = showing;
    if (wasShowing && !showing) {
        Cancel();
        if (OnPreviewClosed)
            OnPreviewClosed(this);
    }
}

namespace {

// The paper as it stands in portrait, in tenths of a millimetre: a named size from its
// table, Default and Custom from the settings.
QSize portraitPaper(const TPrinterSettings &settings)
{
    const TVRPaperSize size = settings.PaperSize;
    if (size != TVRPaperSize::Default && size != TVRPaperSize::Custom)
        return QSize(Round(PaperInfo(size).WidthMm * 10), Round(PaperInfo(size).LengthMm * 10));
    return QSize(settings.PaperWidth, settings.PaperLength);
}

} // namespace

int TVRPrinter::PaperWidth() const
{
    const QSize paper = portraitPaper(m_settings);
    return m_settings.Orientation == TPrinterOrientation::poLandscape ? paper.height() : paper.width();
}

int TVRPrinter::PaperLength() const
{
    const QSize paper = portraitPaper(m_settings);
    return m_settings.Orientation == TPrinterOrientation::poLandscape ? paper.width() : paper.height();
}

int TVRPrinter::XPos(double v) const
{
    return Round((v - LeftOffset) * XFactor);
}

int TVRPrinter::YPos(double v) const
{
    return Round((v - TopOffset) * YFactor);
}

int TVRPrinter::XSize(double v) const
{
    return Round(v * XFactor);
}

int TVRPrinter::YSize(double v) const
{
    return Round(v * YFactor);
}

QFont TVRPrinter::CanvasFont(const QString &family, double pointSize, bool bold, bool italic) const
{
    QFont f = PageFont(family, pointSize, bold, italic);
    f.setPixelSize(qMax(1, Round(std::fabs(pointSize) / 72.0 * 254.0 * YFactor)));
    return f;
}

QString SuggestedPdfFileName(const QString &title)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(SafeFileTitle(title) + QStringLiteral(".pdf"));
}

QString TVRPrinter::PdfOutputFileName() const
{
    return m_settings.PdfFileName.isEmpty() ? SuggestedPdfFileName(Title) : m_settings.PdfFileName;
}

bool TVRPrinter::PageInRange(int page) const
{
    return (FirstPage < 1 || FirstPage <= page) && (LastPage < 1 || LastPage >= page);
}

void TVRPrinter::BeginPrinterDocument()
{
    if (m_printer->outputFormat() == QPrinter::NativeFormat) {
        // A queue that went away since it was chosen would swallow the job without a
        // word; the user is told instead and nothing is sent.
        const QString name = m_printer->printerName().isEmpty() ? m_settings.Device : m_printer->printerName();
        if (name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(name))
            throw platform::TarvelinError(QStringLiteral("Drukarka „%1” jest niedostępna.").arg(name));
    }
    m_printer->setDocName(Title);
    m_printer->setFullPage(true);
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        // The PDF grows in a file of its own beside the target and replaces the target
        // only when complete, so a cancelled or failed job leaves the old file as it was.
        m_pdfTarget = PdfOutputFileName();
        m_pdfPartial = m_pdfTarget + QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                    QLatin1Char('0'));
        m_printer->setOutputFileName(m_pdfPartial);
    } else {
        m_pdfTarget.clear();
        m_pdfPartial.clear();
    }
    m_printPainter = std::make_unique<QPainter>();
    if (!m_printPainter->begin(m_printer)) {
        m_printPainter.reset();
        if (!m_pdfPartial.isEmpty())
            QFile::remove(m_pdfPartial);
        throw platform::TarvelinError(m_pdfTarget.isEmpty()
                                          ? platform::FileAccessErrorText()
                                          : platform::FileAccessErrorText(QDir::toNativeSeparators(m_pdfTarget)));
    }
}

void TVRPrinter::EndPrinterDocument(bool keep)
{
    if (!m_printPainter)
        return;
    if (!keep)
        m_printer->abort();
    if (m_printPainter->isActive())
        m_printPainter->end();
    m_printPainter.reset();
    if (m_canvas && m_canvas != m_picturePainter.get())
        m_canvas = nullptr;
    if (m_pdfPartial.isEmpty())
        return;
    const QString partial = m_pdfPartial;
    m_pdfPartial.clear();
    if (keep && QFileInfo(partial).size() > 0) {
        if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(m_pdfTarget).constData()) == 0)
            return;
        QFile::remove(partial);
        throw platform::TarvelinError(platform::FileAccessErrorText(QDir::toNativeSeparators(m_pdfTarget)));
    }
    QFile::remove(partial);
}

void TVRPrinter::BeginDoc()
{
    DropOpenPage();
    m_availablePages = 0;
    m_progress = 0;
    m_cancelled = false;
    if (Destination == DestinationPrinter) {
        m_settings.ApplySettings();
        TopOffset = m_settings.TopOffset;
        LeftOffset = m_settings.LeftOffset;
    } else {
        TopOffset = LeftOffset = 0;
    }
    if (m_status != StatusReady)
        throw EVRError(QStringLiteral("VRPrinter not ready"));
    m_pageNumber = 0;
    m_status = StatusBusy;
    if (Destination == DestinationPages) {
        m_pageList.SetStream(std::make_unique<TVRStream>(m_settings.MemoryLimit));
        XFactor = YFactor = kPageFactor;
    } else {
        XFactor = FactorFor(m_printer->logicalDpiX());
        YFactor = FactorFor(m_printer->logicalDpiY());
    }
}

void TVRPrinter::DropOpenPage()
{
    if (m_picturePainter && m_picturePainter->isActive())
        m_picturePainter->end();
    if (m_canvas == m_picturePainter.get())
        m_canvas = nullptr;
    m_picturePainter.reset();
    m_pagePicture.reset();
}

void TVRPrinter::OpenPage()
{
    const bool toPrinter = Destination == DestinationPrinter && PageInRange(m_pageNumber);
    if (toPrinter) {
        if (!m_printPainter || !m_printPainter->isActive())
            BeginPrinterDocument();
        m_canvas = m_printPainter.get();
        XFactor = FactorFor(m_printer->logicalDpiX());
        YFactor = FactorFor(m_printer->logicalDpiY());
        return;
    }
    // A page of the page list, or a scratch page outside the printed range.
    m_pagePicture = NewPagePicture();
    m_pagePicture->setBoundingRect(PageBoundingRect(PaperWidth(), PaperLength()));
    m_picturePainter = std::make_unique<QPainter>(m_pagePicture.get());
    m_canvas = m_picturePainter.get();
    XFactor = YFactor = kPageFactor;
}

void TVRPrinter::FinishPage()
{
    if (m_pageNumber < 1)
        return;
    if (Destination == DestinationPages) {
        if (!m_pagePicture)
            return;
        m_picturePainter->end();
        m_canvas = nullptr;
        try {
            m_pageList.AddPage(*m_pagePicture);
        } catch (...) {
            DropOpenPage();
            throw;
        }
        DropOpenPage();
    } else if (m_pagePicture) {
        DropOpenPage(); // scratch page outside the range
    } else if (m_pageNumber != LastPage && m_printPainter && m_printPainter->isActive()) {
        m_printer->newPage();
    }
    ++m_availablePages;
    PostPageAvailable();
}

void TVRPrinter::NewPage()
{
    if (m_status != StatusBusy)
        throw EVRError(QStringLiteral("Illegal call to NewPage"));
    FinishPage();
    ++m_pageNumber;
    OpenPage();
}

void TVRPrinter::EndDoc()
{
    if (m_status != StatusBusy)
        return;
    if (Destination == DestinationPrinter) {
        DropOpenPage();
        if (m_pageNumber > 0) {
            ++m_availablePages;
            PostPageAvailable();
        }
        m_canvas = nullptr;
        m_status = StatusFinished;
        EndPrinterDocument(true);
    } else {
        FinishPage();
        // The header gets its final count before anyone can save the pages.
        m_pageList.Finish();
        m_status = StatusFinished;
    }
    QCoreApplication::processEvents();
    if (Destination == DestinationPrinter && OnEndOfJob)
        OnEndOfJob(this);
}

void TVRPrinter::Cleanup()
{
    if (m_status == StatusBusy) {
        if (Destination == DestinationPrinter) {
            DropOpenPage();
            EndPrinterDocument(false);
        } else if (!Exporting && m_pagePicture) {
            m_status = StatusFinished;
            FinishPage();
            m_pageList.Finish();
        } else {
            DropOpenPage();
        }
    }
    m_canvas = nullptr;
    m_status = StatusFinished;
}

void TVRPrinter::Cancel()
{
    if (m_status == StatusBusy || m_printingStored)
        m_cancelled = true;
}

std::unique_ptr<QPicture> TVRPrinter::GetPage(int pageNumber)
{
    if ((m_status != StatusBusy && m_status != StatusFinished) || pageNumber < 1 || pageNumber > m_pageNumber)
        return nullptr;
    return m_pageList.GetPage(pageNumber);
}

void TVRPrinter::MatchPaperToPage(const QPicture &page)
{
    const QSizeF size = PageSizeTenthsMm(page);
    if (size.width() <= 0 || size.height() <= 0)
        return;
    const double w = size.width();
    const double l = size.height();
    bool matched = false;
    // Table sizes 1..26 within a millimetre; later matches win, as layouts expect
    // (A4Small over A4, Note over Letter).
    for (int i = 1; i <= 26; ++i) {
        const TVRPaperInfo &info = PaperInfo(static_cast<TVRPaperSize>(i));
        const double tw = info.WidthMm * 10;
        const double tl = info.LengthMm * 10;
        if (std::fabs(tw - w) <= 10 && std::fabs(tl - l) <= 10) {
            m_settings.PaperSize = static_cast<TVRPaperSize>(i);
            m_settings.Orientation = TPrinterOrientation::poPortrait;
            matched = true;
        } else if (std::fabs(tw - l) <= 10 && std::fabs(tl - w) <= 10) {
            m_settings.PaperSize = static_cast<TVRPaperSize>(i);
            m_settings.Orientation = TPrinterOrientation::poLandscape;
            matched = true;
        }
    }
    if (!matched) {
        m_settings.PaperSize = TVRPaperSize::Custom;
        m_settings.Orientation = TPrinterOrientation::poPortrait;
        m_settings.PaperWidth = Round(w);
        m_settings.PaperLength = Round(l);
    }
}

void TVRPrinter::Load(const QString &fileName)
{
    if (m_status == StatusBusy)
        throw platform::TarvelinError(
            QStringLiteral("Nie można wczytać zapisanego raportu, dopóki raport jest tworzony."));
    m_pageList.LoadFromFile(fileName); // the current pages stay when this throws
    DropOpenPage();
    m_pageNumber = m_pageList.PageCount();
    XFactor = YFactor = kPageFactor;
    if (m_pageNumber > 0) {
        if (const auto first = m_pageList.GetPage(1))
            MatchPaperToPage(*first);
    }
    m_status = StatusFinished;
    Loaded = true;
    m_availablePages = m_pageNumber;
    PostPageAvailable();
}

bool TVRPrinter::Save(const QString &fileName, TVRErrorDetails *details)
{
    if (m_status != StatusFinished)
        return false;
    if (m_pageList.SaveToFile(fileName))
        return true;
    const QString shown = QDir::toNativeSeparators(fileName);
    HandOnError(details, {platform::FileAccessErrorText(shown), shown});
    return false;
}

void TVRPrinter::Preview()
{
    if (OnPreview) {
        OnPreview();
        return;
    }
    // The user interface's preview is the one in force unless another was registered.
    if (PreviewInterface())
        PreviewInterface()(this);
    else if (TVRUserInterface *ui = UserInterface())
        ui->ShowPreview(*this);
}

void TVRPrinter::ClosePreview()
{
    QPointer<TVRPrinter> self(this);
    QMetaObject::invokeMethod(this, [self] { if (self) emit self->previewClosed(self.data()); }, Qt::QueuedConnection);
    SetShowingPreview(false);
}

void TVRPrinter::Print(const QString &pdfFile)
{
    if (Master && !Loaded && !m_settings.PrintMetaFile && m_status == StatusFinished) {
        QMetaObject::invokeMethod(this, [this, pdfFile] { emit printRequested(pdfFile); }, Qt::QueuedConnection);
        return;
    }
    if (m_status != StatusFinished || m_pageNumber < 1)
        return;
    if (m_printPainter && m_printPainter->isActive())
        EndPrinterDocument(false);
    m_settings.ApplySettings();
    const int first = FirstPage < 1 ? 1 : FirstPage;
    const int last = LastPage < 1 ? m_pageNumber : qMin(LastPage, m_pageNumber);
    if (first > last)
        return;
    m_printingStored = true;
    m_cancelled = false;
    // The file named for this print is not kept for the next one.
    const QString settingsFile = m_settings.PdfFileName;
    if (!pdfFile.isEmpty())
        m_settings.PdfFileName = pdfFile;
    const auto reset = qScopeGuard([this, settingsFile] {
        m_printingStored = false;
        m_settings.PdfFileName = settingsFile;
    });
    BeginPrinterDocument();
    QPainter &painter = *m_printPainter;
    const double fx = painter.device()->logicalDpiX() / 254.0;
    const double fy = painter.device()->logicalDpiY() / 254.0;
    const int w = PaperWidth();
    const int l = PaperLength();
    const int left = -Round(LeftOffset * fx);
    const int top = -Round(TopOffset * fy);
    const int right = Round((w - LeftOffset) * fx);
    const int bottom = Round((l - TopOffset) * fy);
    bool keep = true;
    try {
        for (int n = first; n <= last; ++n) {
            QCoreApplication::processEvents();
            m_progress = Round(double(n - first + 1) / double(last - first + 1) * 100.0);
            PostProgress();
            const std::unique_ptr<QPicture> page = m_pageList.GetPage(n);
            if (page) {
                const QRect box = page->boundingRect();
                const double bw = box.width() > 0 ? box.width() : PageBoundingRect(w, l).width();
                const double bh = box.height() > 0 ? box.height() : PageBoundingRect(w, l).height();
                QTransform mapping;
                mapping.translate(left, top);
                mapping.scale((right - left) / bw, (bottom - top) / bh);
                PlayPagePicture(painter, *page, mapping);
            }
            if (m_cancelled) {
                keep = false;
                break;
            }
            if (n != last)
                m_printer->newPage();
        }
    } catch (...) {
        EndPrinterDocument(false);
        throw;
    }
    EndPrinterDocument(keep);
}

bool TVRPrinter::SearchPage(const QString &text, const QPicture &page, bool matchCase)
{
    if (text.isEmpty() || g_searching)
        return false;
    const QScopedValueRollback<bool> searching(g_searching, true);
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringList texts = CapturePageTexts(page);
    for (const QString &t : texts)
        if (t.contains(text, cs))
            return true;
    return false;
}

void WaitForPreviewClose(TVRPrinter *printer)
{
    const QPointer<TVRPrinter> p(printer);
    if (!p || !p->ShowingPreview() || QCoreApplication::closingDown())
        return;
    QEventLoop loop;
    QObject::connect(p, &QObject::destroyed, &loop, &QEventLoop::quit);
    QObject::connect(p, &TVRPrinter::previewClosed, &loop, &QEventLoop::quit);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace reportengine
