// The run of a report: preparing bands and controls, the page and column breaks, and
// printing one band with its controls (continued on the next pages while a stretching
// control has text left).

#include "reportengine/vr_report.h"

#include "reportengine/vr_data_set.h"
#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_printable.h"
#include "reportengine/vr_printer.h"

#include <QPainter>

#include <algorithm>

namespace reportengine {

namespace {

constexpr double kEpsilon = 1e-6;
// Pages one band may continue on before the run is stopped as endless.
constexpr int kMaxContinuationPages = 10000;

bool PrintsWithPage(TVRBandType type)
{
    return type == TVRBandType::rbPageHeader || type == TVRBandType::rbPageFooter ||
           type == TVRBandType::rbColumnHeader || type == TVRBandType::rbOverlay;
}

bool FullWidth(TVRBandType type)
{
    return type == TVRBandType::rbTitle || type == TVRBandType::rbPageHeader || type == TVRBandType::rbPageFooter ||
           type == TVRBandType::rbSummary || type == TVRBandType::rbOverlay;
}

QString BandName(const TVRCustomBand &band)
{
    return band.objectName().isEmpty() ? band.BandTypeName() : band.objectName();
}

} // namespace

// Everything a run changes on the report, put back however the run ends.
class TVelRep::RunScope
{
public:
    RunScope(TVelRep &report, bool inComposite) : m_report(report), m_units(report.Units())
    {
        report.m_running = true;
        report.m_cancelled = false;
        report.m_inComposite = inComposite;
        report.m_skipNextPageBreak = false;
        report.m_startingPage = 0;
        report.m_failedBand.clear();
        report.m_failedControl.clear();
        report.SetUnits(TVRUnit::Native);
    }
    ~RunScope()
    {
        m_report.UnprepareRun();
        m_report.SetUnits(m_units);
        m_report.m_running = false;
        m_report.m_inComposite = false;
        m_report.m_startingPage = 0;
    }
    RunScope(const RunScope &) = delete;
    RunScope &operator=(const RunScope &) = delete;

private:
    TVelRep &m_report;
    TVRUnit m_units;
};

bool TVelRep::AllowsRun()
{
    bool printReport = true;
    if (BeforePrint)
        BeforePrint(this, printReport);
    return printReport;
}

bool TVelRep::Run(bool inComposite, bool last, bool allowed)
{
    struct Detach
    {
        TVelRep &r;
        ~Detach() { r.m_runPrinter = nullptr; }
    } detach{*this};
    TVRPrinter *printer = m_runPrinter;
    if (!printer)
        return false;
    if (!allowed && !AllowsRun())
        return false;
    {
        RunScope scope(*this, inComposite);
        try {
            if (!inComposite) {
                ApplyPrinterSettings(*printer);
                printer->PageList().Compression = (Options & Compression) != 0;
                printer->BeginDoc();
                m_currentY = -1;
                m_pageNumber = 0;
                m_column = 1;
            }
            m_columns = m_page.Columns();
            if (m_exportFilter)
                m_exportFilter->Start(printer->PaperWidth(), printer->PaperLength(), m_font);
            PrepareRun();
            m_controller.Execute();
            if (printer->Cancelled())
                m_cancelled = true;
            if (!inComposite)
                m_currentX = m_page.NativeValue(TVRPage::LeftMarginValue);
            if ((!inComposite || last) && !m_cancelled && m_pageNumber > 0)
                EndPage(true);
            if (m_exportFilter && (!inComposite || last))
                m_exportFilter->Finish();
        } catch (...) {
            // The composite that began the job ends it; a job of our own is dropped.
            if (!inComposite) {
                try {
                    printer->Cleanup();
                } catch (...) {
                }
            }
            throw;
        }
    }
    if (m_cancelled)
        printer->Cleanup();
    else if (!inComposite) {
        if (m_exportFilter)
            printer->Cleanup();
        else
            printer->EndDoc();
    }
    return true;
}

void TVelRep::ApplyPrinterSettings(TVRPrinter &printer)
{
    // A print run after a confirmed print dialog prints what was chosen there.
    const bool chosen = m_dialogChosen && printer.Destination == TVRPrinter::DestinationPrinter;
    TPrinterSettings &p = printer.PrinterSettings();
    p.OnGetPrinterSettings = OnGetPrinterSettings;
    p.OnApplyPrinterSettings = OnApplyPrinterSettings;
    (chosen ? m_dialogSettings : PrinterSettings)
        .ApplyTo(printer, ReportTitle, m_page.PaperSize(), m_page.Orientation());
    if (!m_printPdfFile.isEmpty())
        p.PdfFileName = m_printPdfFile;
    if (m_page.PaperSize() == TVRPaperSize::Custom || m_page.PaperSize() == TVRPaperSize::Default) {
        // The page's own size, given portrait.
        int w = static_cast<int>(m_page.NativeValue(TVRPage::WidthValue) + 0.5);
        int l = static_cast<int>(m_page.NativeValue(TVRPage::LengthValue) + 0.5);
        if (m_page.Orientation() == TPrinterOrientation::poLandscape)
            std::swap(w, l);
        p.SetPaperWidth(w);
        p.SetPaperLength(l);
    }
}

QList<TVRDataSet *> TVelRep::AllDataSets() const
{
    QList<TVRDataSet *> sets;
    const auto add = [&sets](TVRDataSet *ds) {
        if (ds && !sets.contains(ds))
            sets.append(ds);
    };
    add(DataSet());
    for (TVRSubDetail *sub : findChildren<TVRSubDetail *>(Qt::FindDirectChildrenOnly))
        add(sub->DataSet());
    for (TVRDataSet *ds : DataSets)
        add(ds);
    return sets;
}

void TVelRep::LayOutBands()
{
    const double paperWidth =
        m_runPrinter && m_running ? m_runPrinter->PaperWidth() : m_page.NativeValue(TVRPage::WidthValue);
    const double full =
        paperWidth - m_page.NativeValue(TVRPage::LeftMarginValue) - m_page.NativeValue(TVRPage::RightMarginValue);
    const int columns = std::max(1, m_page.Columns());
    const double column = (full - (columns - 1) * m_page.NativeValue(TVRPage::ColumnSpaceValue)) / columns;
    for (TVRCustomBand *band : findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly)) {
        // A child band is as wide as the band its chain starts from.
        const TVRCustomBand *root = band;
        for (int depth = 0; depth < 100; ++depth) {
            const auto *child = qobject_cast<const TVRChildBand *>(root);
            if (!child || !child->ParentBand())
                break;
            root = child->ParentBand();
        }
        band->Size().SetNativeWidth(FullWidth(root->BandType()) ? full : column);
    }
}

void TVelRep::BuildControllers()
{
    const auto reset = [this](TVRController &c) {
        c.ParentReport = this;
        c.BeforeControllers.clear();
        c.AfterControllers.clear();
        c.Groups.clear();
    };
    reset(m_controller);
    m_controller.Header = TitleBand();
    m_controller.Detail = DetailBand();
    m_controller.Footer = SummaryBand();
    const auto bands = findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly);
    for (TVRCustomBand *b : bands)
        if (auto *cb = qobject_cast<TVRControllerBand *>(b))
            reset(cb->OwnController());
    // The controller a master stands for: the report's own for none or the report.
    const auto controllerOf = [this](QObject *master) -> TVRController * {
        if (!master || master == this)
            return &m_controller;
        auto *cb = qobject_cast<TVRControllerBand *>(master);
        return cb && cb->parent() == this ? &cb->OwnController() : nullptr;
    };
    for (TVRCustomBand *b : bands) {
        if (auto *group = qobject_cast<TVRGroup *>(b)) {
            if (TVRController *c = controllerOf(group->Master()))
                c->Groups.push_back(group);
        } else if (auto *cb = qobject_cast<TVRControllerBand *>(b)) {
            if (TVRController *c = controllerOf(cb->Master()); c && c != &cb->OwnController()) {
                auto &list = cb->OwnController().PrintBefore ? c->BeforeControllers : c->AfterControllers;
                list.push_back(&cb->OwnController());
            }
        }
    }
}

void TVelRep::PrepareRun()
{
    const auto bands = findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly);
    m_pageFooterHeight = 0;
    for (TVRCustomBand *b : bands) {
        b->m_controller = nullptr;
        b->m_inPrint = false;
        if (b->BandType() != TVRBandType::rbPageFooter || !b->Enabled())
            continue;
        for (const TVRCustomBand *c = b; c; c = c->ChildBand())
            if (c->Enabled())
                m_pageFooterHeight += c->Size().NativeHeight();
    }
    for (TVRPrintable *p : findChildren<TVRPrintable *>())
        p->SetParentReport(this);
    LayOutBands();
    m_currentX = m_page.NativeValue(TVRPage::LeftMarginValue);
    m_contentTop = m_pageNumber > 0 ? -1e30 : 0;

    const QList<TVRDataSet *> dataSets = AllDataSets();
    m_functions->SetDataSets(dataSets);
    m_functions->Prepare();
    m_environmentPrepared = true;
    m_functions->SetStringValue(QStringLiteral("REPORTTITLE"), ReportTitle);
    SetEnvironmentInteger("PAGENUMBER", m_pageNumber);
    SetEnvironmentInteger("COLUMNNUMBER", m_column);

    BuildControllers();
    m_controller.Prepare();
    for (TVRCustomBand *b : bands)
        if (auto *group = qobject_cast<TVRGroup *>(b))
            group->Prepare(dataSets, m_functions.get());
    for (TVRCustomBand *b : bands)
        for (TVRPrintable *p : b->Printables())
            p->Prepare();
}

void TVelRep::UnprepareRun()
{
    for (TVRCustomBand *b : findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly)) {
        for (TVRPrintable *p : b->Printables())
            p->Unprepare();
        b->m_inPrint = false;
    }
    m_controller.Unprepare();
    if (m_environmentPrepared) {
        m_environmentPrepared = false;
        m_functions->UnPrepare();
    }
    m_functions->SetDataSets({});
}

void TVelRep::SetEnvironmentInteger(const char *name, int value)
{
    if (m_environmentPrepared)
        m_functions->SetIntegerValue(QString::fromLatin1(name), value);
}

// ---------------------------------------------------------------------------------------
// Pages and columns

double TVelRep::UsableBottom() const
{
    return m_runPrinter->PaperLength() - m_page.NativeValue(TVRPage::BottomMarginValue);
}

double TVelRep::BandBottomLimit(const TVRCustomBand &band, bool pageBand) const
{
    if (pageBand)
        return UsableBottom();
    // A summary that ends the document has the room of a page footer that will not
    // print there.
    const bool lastSummary =
        band.BandType() == TVRBandType::rbSummary && !(Options & LastPageFooter) && (!m_inComposite || Tag == 999);
    return UsableBottom() - (lastSummary ? 0 : m_pageFooterHeight);
}

double TVelRep::ColumnWidth() const
{
    if (const TVRCustomBand *detail = DetailBand())
        return detail->Size().NativeWidth();
    const double full = m_runPrinter->PaperWidth() - m_page.NativeValue(TVRPage::LeftMarginValue) -
                        m_page.NativeValue(TVRPage::RightMarginValue);
    return full / std::max(1, m_columns);
}

bool TVelRep::AtTopOfColumn() const
{
    return m_currentY <= m_contentTop + kEpsilon;
}

void TVelRep::EnsurePage()
{
    if (m_pageNumber == 0)
        BeginPage();
}

void TVelRep::StartNewPage()
{
    if (m_pageNumber > 0)
        EndPage(false);
    BeginPage();
}

void TVelRep::BeginPage()
{
    ++m_startingPage;
    struct Done
    {
        int &depth;
        ~Done() { --depth; }
    } done{m_startingPage};
    if (m_exportFilter)
        m_exportFilter->NewPage();
    ++m_pageNumber;
    SetEnvironmentInteger("PAGENUMBER", m_pageNumber);
    m_runPrinter->NewPage();
    m_currentY = m_page.NativeValue(TVRPage::TopMarginValue);
    m_currentX = m_page.NativeValue(TVRPage::LeftMarginValue);
    m_column = 1;
    m_skipNextPageBreak = false;
    if (OnStartPage)
        OnStartPage(this);
    if (m_pageNumber > 1 || (Options & FirstPageHeader))
        PrintPageBands(TVRBandType::rbPageHeader);
    m_columnTop = m_currentY;
    BeginColumn();
}

void TVelRep::BeginColumn()
{
    SetEnvironmentInteger("COLUMNNUMBER", m_column);
    if (TVRCustomBand *header = ColumnHeaderBand())
        PrintBandInternal(header, true);
    m_controller.ReprintGroupHeaders();
    m_contentTop = m_currentY;
}

void TVelRep::EndPage(bool last)
{
    if (!last || (Options & LastPageFooter)) {
        m_currentY = UsableBottom() - m_pageFooterHeight;
        PrintPageBands(TVRBandType::rbPageFooter);
    }
    // Overlays print over the whole page, from its top margin.
    const double y = m_currentY;
    m_currentY = m_page.NativeValue(TVRPage::TopMarginValue);
    PrintPageBands(TVRBandType::rbOverlay);
    m_currentY = y;
    if (m_frame.AnyFrame() && m_runPrinter->Canvas()) {
        const TVRPrinter &p = *m_runPrinter;
        const double left = m_page.NativeValue(TVRPage::LeftMarginValue);
        const double top = m_page.NativeValue(TVRPage::TopMarginValue);
        const double right = p.PaperWidth() - m_page.NativeValue(TVRPage::RightMarginValue);
        const QRect rect(p.XPos(left), p.YPos(top), p.XPos(right) - p.XPos(left), p.YPos(UsableBottom()) - p.YPos(top));
        m_frame.PaintIt(*p.Canvas(), rect, p.XFactor, p.YFactor, m_exportFilter);
    }
    if (OnEndPage)
        OnEndPage(this);
    if (m_exportFilter)
        m_exportFilter->EndPage();
}

void TVelRep::AdvanceColumn()
{
    m_skipNextPageBreak = false;
    if (m_column >= m_columns) {
        StartNewPage();
        return;
    }
    ++m_column;
    m_currentX += ColumnWidth() + m_page.NativeValue(TVRPage::ColumnSpaceValue);
    m_currentY = m_columnTop;
    ++m_startingPage;
    BeginColumn();
    --m_startingPage;
}

void TVelRep::PrintPageBands(TVRBandType type)
{
    for (TVRCustomBand *band : findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly))
        if (band->BandType() == type)
            PrintBandInternal(band, true);
}

void TVelRep::NewPage()
{
    if (!m_running || m_startingPage > 0)
        return;
    if (m_skipNextPageBreak) {
        m_skipNextPageBreak = false;
        return;
    }
    StartNewPage();
}

void TVelRep::NewColumn()
{
    if (!m_running || m_startingPage > 0)
        return;
    // A column with nothing in it yet is the new column already.
    if (m_pageNumber == 0 || AtTopOfColumn())
        return;
    AdvanceColumn();
}

// ---------------------------------------------------------------------------------------
// Bands

bool TVelRep::PrintBand(TVRCustomBand *band)
{
    if (!band || !m_running || !m_runPrinter)
        return false;
    return PrintBandInternal(band, PrintsWithPage(band->BandType()));
}

bool TVelRep::PrintBandInternal(TVRCustomBand *band, bool pageBand)
{
    try {
        return PrintBandBody(band, pageBand);
    } catch (...) {
        // The innermost band names the failure: a child band, or the page band a page
        // break printed inside this one.
        if (m_failedBand.isEmpty())
            m_failedBand = BandName(*band);
        throw;
    }
}

bool TVelRep::PrintBandBody(TVRCustomBand *band, bool pageBand)
{
    // A band is never printed inside its own printing (a group header reprinted on the
    // page its own continuation starts).
    if (band->m_inPrint)
        return false;
    bool printBand = band->Enabled();
    if (printBand && band->BeforePrint)
        band->BeforePrint(band, printBand);
    if (!printBand) {
        if (band->m_controller)
            band->m_controller->NotifyClients(0);
        if (band->AfterPrint)
            band->AfterPrint(band, false);
        return false;
    }
    band->m_inPrint = true;
    const double designed = band->Size().NativeHeight();
    struct Restore
    {
        TVRCustomBand &band;
        double height;
        ~Restore()
        {
            band.Size().SetNativeHeight(height);
            band.m_inPrint = false;
        }
    } restore{*band, designed};

    if (!pageBand) {
        if (m_pageNumber > 0 && m_startingPage == 0) {
            if (band->ForceNewPage)
                NewPage();
            else if (band->ForceNewColumn)
                NewColumn();
        }
        EnsurePage();
    }
    // The record's values go into the aggregates of the band's controls and of the
    // controls that follow the band's controller.
    const std::vector<TVRPrintable *> printables = band->Printables();
    for (TVRPrintable *p : printables)
        p->VRNotification(band, 0);
    if (band->m_controller)
        band->m_controller->NotifyClients(0);

    const double limit = BandBottomLimit(*band, pageBand);
    if (!pageBand) {
        const TVRCustomBand *link = band->LinkBand();
        const double linkHeight = link && link->Enabled() ? link->Size().NativeHeight() : 0;
        const bool measure = band->KeepOnOnePage || band->PreCaluculateBandHeight;
        const double stretched = measure ? band->StretchedHeight() : designed;
        const double needed = (band->KeepOnOnePage ? std::max(designed, stretched) : designed) + linkHeight;
        if (m_currentY + needed > limit + kEpsilon && !AtTopOfColumn() && m_startingPage == 0)
            AdvanceColumn();
        if (m_currentY + designed > limit + kEpsilon)
            throw EVRError(QStringLiteral("Band %1 is too high to fit on a page").arg(BandName(*band)));
        if (band->AlignToBottom) {
            const bool noFooter = band->BandType() == TVRBandType::rbSummary && !(Options & LastPageFooter);
            const double y = UsableBottom() - (noFooter ? 0 : m_pageFooterHeight) - designed;
            if (y > m_currentY)
                m_currentY = y;
        }
        if (band->PreCaluculateBandHeight)
            band->Size().SetNativeHeight(std::max(designed, std::min(stretched, limit - m_currentY)));
    }

    if (!band->TransparentBand)
        FillBand(*band, m_currentY, band->Size().NativeHeight());
    band->m_expandLimit = limit;
    PrintControls(*band, printables, pageBand);
    if (band->AfterPrint)
        band->AfterPrint(band, true);
    if (TVRChildBand *child = band->ChildBand()) {
        // A page footer's child prints as part of the page footer.
        const bool footerChild = pageBand && band->BandType() == TVRBandType::rbPageFooter;
        if (footerChild)
            child->SetType(TVRBandType::rbPageFooter);
        try {
            PrintBandInternal(child, pageBand);
        } catch (...) {
            if (footerChild)
                child->SetType(TVRBandType::rbChild);
            throw;
        }
        if (footerChild)
            child->SetType(TVRBandType::rbChild);
    }
    return true;
}

void TVelRep::FillBand(const TVRCustomBand &band, double top, double height)
{
    // White is the paper's own colour.
    const QColor color = band.Color();
    if (color == QColor(Qt::white) || !color.isValid())
        return;
    const double width = band.Size().NativeWidth();
    if (m_exportFilter) {
        TVRExportShape shape;
        shape.Rect = QRectF(m_currentX, top, width, height);
        shape.Pen = QPen(Qt::NoPen);
        shape.Brush = QBrush(color);
        m_exportFilter->ShapeOut(shape);
        return;
    }
    const TVRPrinter &p = *m_runPrinter;
    if (QPainter *canvas = p.Canvas())
        canvas->fillRect(QRect(p.XPos(m_currentX), p.YPos(top), p.XSize(width), p.YSize(height)), color);
}

void TVelRep::PrintControls(TVRCustomBand &band, const std::vector<TVRPrintable *> &printables, bool pageBand)
{
    struct SavedSize
    {
        TVRPrintable *control;
        double left, top, width, height;
    };
    std::vector<SavedSize> saved;
    std::vector<TVRPrintable *> pending;
    for (TVRPrintable *p : printables) {
        if (!p->Enabled())
            continue;
        pending.push_back(p);
        const TVRPrintableSize &s = p->Size();
        saved.push_back({p, s.NativeLeft(), s.NativeTop(), s.NativeWidth(), s.NativeHeight()});
    }
    band.m_printTop = m_currentY;
    band.m_stretch = 0;
    // A control whose box meets none printed before it in this band (on a band that
    // paints nothing) has only paper under it. Bands do not overlap, and a control
    // stays inside its band as on the form it was laid out on.
    const bool paperBand = band.TransparentBand || band.Color() == QColor(Qt::white);
    std::vector<QRectF> printed;
    std::vector<TVRPrintable *> unfinished;
    for (int pages = 0;; ++pages) {
        printed.clear();
        for (TVRPrintable *p : pending) {
            const TVRPrintableSize &s = p->Size();
            const QRectF box(s.NativeLeft(), s.NativeTop(), s.NativeWidth(), s.NativeHeight());
            bool blank = paperBand;
            for (const QRectF &r : printed)
                if (blank && r.intersects(box))
                    blank = false;
            p->SetBlankBehind(blank);
            try {
                p->Print(m_currentX, band.m_printTop);
            } catch (...) {
                if (m_failedControl.isEmpty())
                    m_failedControl = p->Name();
                throw;
            }
            // A control that grew with the band may cover the band's whole new height.
            printed.push_back(box.united(
                QRectF(box.left(), box.top(), box.width(), band.Size().NativeHeight() + band.m_stretch - box.top())));
        }
        if (band.Frame().AnyFrame() && m_runPrinter->Canvas()) {
            const TVRPrinter &p = *m_runPrinter;
            const QRect rect(p.XPos(m_currentX), p.YPos(band.m_printTop), p.XSize(band.Size().NativeWidth()),
                             p.YSize(band.Size().NativeHeight() + band.m_stretch) + 1);
            band.Frame().PaintIt(*p.Canvas(), rect, p.XFactor, p.YFactor, m_exportFilter);
        }
        unfinished.clear();
        for (TVRPrintable *p : pending)
            if (!p->Finished())
                unfinished.push_back(p);
        if (unfinished.empty())
            break;
        if (pageBand || m_startingPage > 0) {
            // What the page's own bands cannot fit is cut off, never continued.
            for (TVRPrintable *p : unfinished)
                p->ResetFinished();
            break;
        }
        if (pages >= kMaxContinuationPages)
            throw EVRError(QStringLiteral("Band %1 is too high to fit on a page").arg(BandName(band)));
        AdvanceColumn();
        band.m_printTop = m_currentY;
        band.m_stretch = 0;
        pending.swap(unfinished);
    }
    m_currentY = band.m_printTop + band.Size().NativeHeight() + band.m_stretch;
    for (const SavedSize &s : saved) {
        TVRPrintableSize &size = s.control->Size();
        size.SetNativeLeft(s.left);
        size.SetNativeTop(s.top);
        size.SetNativeWidth(s.width);
        size.SetNativeHeight(s.height);
    }
}

} // namespace reportengine
