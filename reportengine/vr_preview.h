#pragma once

// The scrolling page area of the preview: one page of a TVRPrinter at a zoom, drawn from
// the stored page picture with a border and a shadow.
//
// Layout at zoom z (percent) for a page of W x L tenths of a millimetre, on a screen of
// d pixels per inch: the page image is round(W / 100 * z * d / 254) + 4 pixels wide
// (likewise high), centred while it is smaller than the visible area. Zoom to fit takes
// 95 % of the visible area, zoom to width 90 % of its width.
//
// The preview never owns the printer: when the printer goes, the preview shows no page.

#include "reportengine/vr_report_producer.h"

#include <QList>
#include <QPicture>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QString>

#include <functional>
#include <memory>

class QTreeWidget;

namespace reportengine {

class TVRPreview;
class TVRPrinter;

enum class TVRHyperlinkEventType { heCursorMoveOver, heCursorMoveAway, heGoto, heGotoNewWindow };

using TVRPreviewHyperlinkEvent =
    std::function<void(TVRPreview *sender, TVRHyperlinkEventType type, const QString &link, bool &handled)>;

// A link area of a page, in page pixels (96 per inch).
struct TVRLinkArea
{
    QRect Rect;
    QString Link;
};

class TVRPreviewImage : public QWidget
{
    Q_OBJECT

public:
    explicit TVRPreviewImage(TVRPreview *preview);

    TVRPreview *Preview() const { return m_preview; }
    int PageNumber() const { return m_pageNumber; }
    // The page shown (nullptr while none).
    const QPicture *Page() const { return m_page.get(); }
    int Zoom = 100;
    QList<TVRLinkArea> LinkAreas;
    TVRPreviewHyperlinkEvent OnHyperlink;
    bool OverLink() const { return m_overLink; }
    QString CurrentLink() const { return m_link; }

    // Fetches page n of printer (nothing when it has none such).
    void LoadPage(TVRPrinter *printer, int pageNumber);
    void ClearPage();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const TVRLinkArea *AreaAt(const QPointF &widgetPos) const;
    void SetOverLink(const TVRLinkArea *area);

    TVRPreview *m_preview;
    int m_pageNumber = 0;
    std::unique_ptr<QPicture> m_page;
    bool m_overLink = false;
    QString m_link;
};

class TVRPreview : public QScrollArea
{
    Q_OBJECT

public:
    explicit TVRPreview(QWidget *parent = nullptr);
    ~TVRPreview() override;

    std::function<void(TVRPreview *sender, int pageNum)> OnPageAvailable;
    std::function<void(TVRPreview *sender, int progress)> OnProgressUpdate;
    void SetOnHyperlink(TVRPreviewHyperlinkEvent handler) { m_image->OnHyperlink = std::move(handler); }

    // The tree that shows the printer's outline (not owned).
    QTreeWidget *Outline() const { return m_outline; }
    void SetOutline(QTreeWidget *tree);

    TVRPrinter *VRPrinter() const { return m_printer; }
    // Detaches from the printer shown before (it is told its preview closed when this
    // preview was its client), attaches to this one and shows its page 1.
    void SetVRPrinter(TVRPrinter *printer);

    int PageNumber() const { return m_pageNumber; }
    // Only 1..the printer's page count is taken, and nothing happens for the page
    // already shown.
    void SetPageNumber(int pageNumber);
    // Shows page n from the printer even when it is the page shown (new pages).
    void ReloadPage(int pageNumber);

    int Zoom() const { return m_zoom; }
    // Only 2..2000 is taken; the zoom state becomes vrZoomOther.
    void SetZoom(int zoom);
    TVRZoomState ZoomState() const { return m_zoomState; }
    // Fit and width are applied again whenever the visible area changes.
    void SetZoomState(TVRZoomState state);
    void ZoomToFit();
    void ZoomToWidth();

    TVRPreviewImage *Image() const { return m_image; }
    // Page size in screen pixels at zoom 100: the shown page's own size, or the
    // printer's paper while no page is shown.
    QSize PagePixels() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void Layout();
    void PlaceImage();
    void ApplyZoomState();
    void PrinterPageAvailable(int pages);
    void PrinterProgress(int percent);
    void Detach();
    double Factor() const;

    QWidget *m_canvas; // the scrolled area: the page image and the room around it
    TVRPreviewImage *m_image;
    QPointer<TVRPrinter> m_printer;
    QPointer<QTreeWidget> m_outline;
    QList<QMetaObject::Connection> m_connections;
    int m_pageNumber = 1;
    int m_zoom = 100;
    TVRZoomState m_zoomState = TVRZoomState::vrZoomOther;
    bool m_applyingZoom = false;
};

} // namespace reportengine
