#include "reportengine/vr_preview.h"

#include "reportengine/vr_hyperlinks.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>

#include <cmath>

namespace reportengine {

namespace {

int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

} // namespace

// ---------------------------------------------------------------------------------------
// TVRPreviewImage

TVRPreviewImage::TVRPreviewImage(TVRPreview *preview) : QWidget(nullptr), m_preview(preview)
{
    setObjectName(QStringLiteral("VRPreviewImage"));
    setMouseTracking(true);
    resize(100, 50);
}

void TVRPreviewImage::LoadPage(TVRPrinter *printer, int pageNumber)
{
    m_pageNumber = pageNumber;
    try {
        m_page = printer ? printer->GetPage(pageNumber) : nullptr;
    } catch (const platform::TarvelinError &e) {
        // A damaged page of a stored file: said once, and no page shown.
        m_page.reset();
        platform::ShowError(e.message());
    }
    SetOverLink(nullptr);
    update();
}

void TVRPreviewImage::ClearPage()
{
    m_page.reset();
    SetOverLink(nullptr);
    update();
}

void TVRPreviewImage::paintEvent(QPaintEvent *)
{
    if (!m_page)
        return;
    const QSize px = m_preview->PagePixels();
    const int w = Round(px.width() * Zoom / 100.0);
    const int h = Round(px.height() * Zoom / 100.0);
    if (w <= 0 || h <= 0)
        return;
    QPainter p(this);
    // The shadow first, so the page's own border stands on it.
    p.fillRect(QRect(w, 2, 2, h), Qt::black);
    p.fillRect(QRect(2, h, w, 2), Qt::black);
    p.fillRect(QRect(0, 0, w, h), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, w - 1, h - 1));
    const QRect box = m_page->boundingRect();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setClipRect(QRect(0, 0, w, h));
    QTransform toImage;
    toImage.scale(double(w) / box.width(), double(h) / box.height());
    toImage.translate(-box.x(), -box.y());
    PlayPagePicture(p, *m_page, toImage);
}

const TVRLinkArea *TVRPreviewImage::AreaAt(const QPointF &widgetPos) const
{
    if (!m_page || LinkAreas.isEmpty())
        return nullptr;
    const QRect box = m_page->boundingRect();
    const QSize px = m_preview->PagePixels();
    const double w = px.width() * Zoom / 100.0;
    const double h = px.height() * Zoom / 100.0;
    if (w <= 0 || h <= 0 || box.width() <= 0 || box.height() <= 0)
        return nullptr;
    const QPointF onPage(widgetPos.x() * box.width() / w, widgetPos.y() * box.height() / h);
    for (const TVRLinkArea &a : LinkAreas)
        if (QRectF(a.Rect).contains(onPage))
            return &a;
    return nullptr;
}

void TVRPreviewImage::SetOverLink(const TVRLinkArea *area)
{
    const bool over = area != nullptr;
    if (over == m_overLink && (!over || area->Link == m_link))
        return;
    bool handled = false;
    if (over) {
        m_overLink = true;
        m_link = area->Link;
        setCursor(Qt::PointingHandCursor);
        if (OnHyperlink)
            OnHyperlink(m_preview, TVRHyperlinkEventType::heCursorMoveOver, m_link, handled);
    } else {
        m_overLink = false;
        m_link.clear();
        unsetCursor();
        if (OnHyperlink)
            OnHyperlink(m_preview, TVRHyperlinkEventType::heCursorMoveAway, QString(), handled);
    }
}

void TVRPreviewImage::mouseMoveEvent(QMouseEvent *event)
{
    SetOverLink(AreaAt(event->position()));
    QWidget::mouseMoveEvent(event);
}

void TVRPreviewImage::leaveEvent(QEvent *event)
{
    SetOverLink(nullptr);
    QWidget::leaveEvent(event);
}

void TVRPreviewImage::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    const TVRLinkArea *area = AreaAt(event->position());
    if (!area)
        return;
    const QString link = area->Link;
    bool handled = false;
    if (OnHyperlink)
        OnHyperlink(m_preview, TVRHyperlinkEventType::heGoto, link, handled);
    if (!handled)
        DispatchHyperlink(link);
}

// ---------------------------------------------------------------------------------------
// TVRPreview

TVRPreview::TVRPreview(QWidget *parent)
    : QScrollArea(parent), m_canvas(new QWidget), m_image(new TVRPreviewImage(this))
{
    setObjectName(QStringLiteral("VRPreview"));
    resize(250, 250);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    m_image->setParent(m_canvas);
    setWidget(m_canvas);
}

TVRPreview::~TVRPreview()
{
    Detach();
}

double TVRPreview::Factor() const
{
    const int dpi = logicalDpiX();
    return (dpi > 0 ? dpi : 96) / 254.0;
}

void TVRPreview::SetOutline(QTreeWidget *tree)
{
    m_outline = tree;
    if (m_printer && tree)
        m_printer->PageList().Outline().SetTreeView(tree);
}

void TVRPreview::Detach()
{
    for (const QMetaObject::Connection &c : m_connections)
        disconnect(c);
    m_connections.clear();
    if (m_printer && m_printer->Client == this) {
        m_printer->Client = nullptr;
        m_printer->SetShowingPreview(false);
    }
}

void TVRPreview::SetVRPrinter(TVRPrinter *printer)
{
    if (printer == m_printer)
        return;
    Detach();
    m_printer = printer;
    if (printer) {
        printer->Client = this;
        printer->SetShowingPreview(true);
        m_connections << connect(printer, &TVRPrinter::pageAvailable, this, &TVRPreview::PrinterPageAvailable)
                      << connect(printer, &TVRPrinter::progressChanged, this, &TVRPreview::PrinterProgress)
                      // A printer freed under the preview leaves it showing no page.
                      << connect(printer, &QObject::destroyed, m_image, &TVRPreviewImage::ClearPage);
        if (m_outline)
            printer->PageList().Outline().SetTreeView(m_outline);
    }
    ReloadPage(1);
    Layout();
}

void TVRPreview::ReloadPage(int pageNumber)
{
    m_pageNumber = pageNumber;
    if (m_printer)
        m_image->LoadPage(m_printer, pageNumber);
    else
        m_image->ClearPage();
    Layout();
}

void TVRPreview::SetPageNumber(int pageNumber)
{
    if (!m_printer || pageNumber < 1 || pageNumber > m_printer->PageList().PageCount())
        return;
    if (pageNumber == m_pageNumber && m_image->Page())
        return;
    ReloadPage(pageNumber);
}

QSize TVRPreview::PagePixels() const
{
    double w = 0, l = 0;
    if (const QPicture *page = m_image->Page()) {
        const QSizeF size = PageSizeTenthsMm(*page);
        w = size.width();
        l = size.height();
    }
    if ((w <= 0 || l <= 0) && m_printer) {
        w = m_printer->PaperWidth();
        l = m_printer->PaperLength();
    }
    if (w <= 0 || l <= 0) {
        const TVRPaperInfo &first = PaperInfo(TVRPaperSize::Letter);
        w = first.WidthMm * 10;
        l = first.LengthMm * 10;
    }
    const double f = Factor();
    return QSize(Round(w * f), Round(l * f));
}

void TVRPreview::Layout()
{
    const QSize px = PagePixels();
    m_image->Zoom = m_zoom;
    m_image->resize(Round(px.width() * m_zoom / 100.0) + 4, Round(px.height() * m_zoom / 100.0) + 4);
    PlaceImage();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    m_image->update();
}

void TVRPreview::PlaceImage()
{
    // The visible area the image will have, scroll bars counted as they will be, so
    // that a centred page never brings a scroll bar that then moves it.
    const QSize image = m_image->size();
    const QSize most = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needH = image.width() > most.width();
    bool needV = image.height() > most.height();
    if (needH && !needV)
        needV = image.height() > most.height() - bar;
    if (needV && !needH)
        needH = image.width() > most.width() - bar;
    const QSize client(most.width() - (needV ? bar : 0), most.height() - (needH ? bar : 0));
    m_canvas->resize(qMax(image.width(), client.width()), qMax(image.height(), client.height()));
    m_image->move(image.width() < client.width() ? (client.width() - image.width()) / 2 : 0,
                  image.height() < client.height() ? (client.height() - image.height()) / 2 : 0);
}

void TVRPreview::SetZoom(int zoom)
{
    if (zoom < 2 || zoom > 2000)
        return;
    m_zoom = zoom;
    m_zoomState = TVRZoomState::vrZoomOther;
    Layout();
}

void TVRPreview::ZoomToFit()
{
    const QSize page = PagePixels();
    const QSize client = maximumViewportSize();
    if (page.width() <= 0 || page.height() <= 0)
        return;
    const int byWidth = Round(double(client.width()) / page.width() * 95);
    const int byHeight = Round(double(client.height()) / page.height() * 95);
    m_zoom = qBound(2, qMin(byWidth, byHeight), 2000);
    m_zoomState = TVRZoomState::vrZoomToFit;
    Layout();
}

void TVRPreview::ZoomToWidth()
{
    const QSize page = PagePixels();
    if (page.width() <= 0)
        return;
    const int share = m_printer ? 90 : 95;
    m_zoom = qBound(2, Round(double(maximumViewportSize().width()) / page.width() * share), 2000);
    m_zoomState = TVRZoomState::vrZoomToWidth;
    Layout();
}

void TVRPreview::SetZoomState(TVRZoomState state)
{
    m_zoomState = state;
    ApplyZoomState();
}

void TVRPreview::ApplyZoomState()
{
    if (m_applyingZoom)
        return;
    m_applyingZoom = true;
    if (m_zoomState == TVRZoomState::vrZoomToFit)
        ZoomToFit();
    else if (m_zoomState == TVRZoomState::vrZoomToWidth)
        ZoomToWidth();
    else
        Layout();
    m_applyingZoom = false;
}

void TVRPreview::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_zoomState != TVRZoomState::vrZoomOther)
        ApplyZoomState();
}

bool TVRPreview::viewportEvent(QEvent *event)
{
    const bool result = QScrollArea::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        PlaceImage();
    return result;
}

void TVRPreview::PrinterPageAvailable(int pages)
{
    if (!m_image->Page() && m_pageNumber >= 1 && m_pageNumber <= pages) {
        ReloadPage(m_pageNumber);
        if (m_pageNumber == 1)
            ApplyZoomState();
    }
    if (OnPageAvailable)
        OnPageAvailable(this, pages);
}

void TVRPreview::PrinterProgress(int percent)
{
    if (OnProgressUpdate)
        OnProgressUpdate(this, percent);
}

} // namespace reportengine
