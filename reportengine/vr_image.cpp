#include "reportengine/vr_image.h"

#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"

#include <QImageReader>
#include <QPainter>

namespace reportengine {

TVRImage::TVRImage(QObject *parent) : TVRPrintable(parent)
{
    SetBounds(PixelLeft(), PixelTop(), 105, 105);
}

void TVRImage::SetPicture(const QImage &picture)
{
    m_picture = picture;
    PictureChanged();
}

bool TVRImage::LoadPicture(const QString &fileName)
{
    QImageReader reader(fileName);
    QImage picture = reader.read();
    SetPicture(picture);
    return !picture.isNull();
}

void TVRImage::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    PictureChanged();
}

void TVRImage::SetStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    m_stretch = stretch;
    PictureChanged();
}

void TVRImage::SetCenter(bool center)
{
    if (center == m_center)
        return;
    m_center = center;
    PictureChanged();
}

void TVRImage::PictureChanged()
{
    const int w = m_picture.width();
    const int h = m_picture.height();
    if (m_autoSize && w > 0 && h > 0)
        SetBounds(PixelLeft(), PixelTop(), w, h);
    // A picture that covers the whole control paints its background itself.
    SetTransparent(!(w >= PixelWidth() && h >= PixelHeight() && w > 0 && h > 0));
}

QRectF TVRImage::TargetRect(const QRect &rect, double scaleX, double scaleY) const
{
    if (m_stretch)
        return QRectF(rect);
    const QSizeF size(m_picture.width() * scaleX, m_picture.height() * scaleY);
    if (!m_center)
        return QRectF(rect.topLeft(), size);
    return QRectF(rect.left() + (rect.width() - size.width()) / 2, rect.top() + (rect.height() - size.height()) / 2,
                  size.width(), size.height());
}

void TVRImage::Print(double offsetX, double offsetY)
{
    TVRPrinter *printer = VRPrinter();
    if (!printer)
        return;
    const QRect rect = DeviceRect(*printer, offsetX, offsetY);
    if (!m_picture.isNull() && rect.width() > 0 && rect.height() > 0) {
        const QRectF target = TargetRect(rect, printer->XFactor / kPageFactor, printer->YFactor / kPageFactor);
        if (TVRExportFilter *filter = ExportFilter())
            filter->ImageOut(QRectF(target.left() / printer->XFactor + printer->LeftOffset,
                                    target.top() / printer->YFactor + printer->TopOffset,
                                    target.width() / printer->XFactor, target.height() / printer->YFactor),
                             m_picture);
        if (QPainter *canvas = printer->Canvas()) {
            canvas->save();
            canvas->setClipRect(rect, Qt::IntersectClip);
            canvas->setRenderHint(QPainter::SmoothPixmapTransform, m_picture.format() != QImage::Format_Mono &&
                                                                       m_picture.format() != QImage::Format_MonoLSB);
            canvas->drawImage(target, m_picture);
            canvas->restore();
        }
    }
    PaintFrame(*printer, rect);
}

} // namespace reportengine
