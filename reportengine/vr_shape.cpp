#include "reportengine/vr_shape.h"

#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"

#include <QPainter>

#include <cmath>

namespace reportengine {

TVRShape::TVRShape(QObject *parent) : TVRPrintable(parent)
{
    SetBounds(PixelLeft(), PixelTop(), 65, 65);
}

void TVRShape::DrawFigure(QPainter &painter, TVRShapeType shape, const QRect &rect, double roundFactor)
{
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 0 || h <= 0)
        return;
    const int l = rect.left();
    const int t = rect.top();
    const int r = l + w - 1; // last pixel column inside
    const int b = t + h - 1;
    const QRect outline(l, t, w - 1, h - 1);
    switch (shape) {
    case TVRShapeType::vrsRectangle:
        painter.drawRect(outline);
        break;
    case TVRShapeType::vrsCircle:
        painter.drawEllipse(outline);
        break;
    case TVRShapeType::vrsVertLine:
        painter.drawLine(l + w / 2, t, l + w / 2, b);
        break;
    case TVRShapeType::vrsHorLine:
        painter.drawLine(l, t + h / 2, r, t + h / 2);
        break;
    case TVRShapeType::vrsTopAndBottom:
        painter.drawLine(l, t, r, t);
        painter.drawLine(l, b, r, b);
        break;
    case TVRShapeType::vrsRightAndLeft:
        painter.drawLine(l, t, l, b);
        painter.drawLine(r, t, r, b);
        break;
    case TVRShapeType::vrsRoundRect: {
        const double radius = CornerSize(w, roundFactor) / 2;
        painter.drawRoundedRect(outline, radius, radius);
        break;
    }
    }
}

void TVRShape::Print(double offsetX, double offsetY)
{
    TVRPrinter *printer = VRPrinter();
    if (!IsPrintable() || !printer)
        return;
    if (TVRExportFilter *filter = ExportFilter()) {
        TVRExportShape item;
        item.Rect = QRectF(offsetX + Size().NativeLeft(), offsetY + Size().NativeTop(), Size().NativeWidth(),
                           Size().NativeHeight());
        item.Shape = m_shape;
        item.Pen = m_pen;
        item.Brush = m_brush;
        item.RoundFactor = m_roundFactor;
        filter->ShapeOut(item);
    }
    QPainter *canvas = printer->Canvas();
    if (!canvas)
        return;
    // Line widths are page pixels, so a rule is as thick on a printer as in the preview.
    QPen pen = m_pen;
    if (pen.style() != Qt::NoPen)
        pen.setWidth(std::max(1, int(std::lround(std::max(1.0, m_pen.widthF()) * printer->XFactor / kPageFactor))));
    canvas->save();
    canvas->setPen(pen);
    canvas->setBrush(m_brush);
    const QRect rect = DeviceRect(*printer, offsetX, offsetY);
    DrawFigure(*canvas, m_shape, rect, m_roundFactor);
    canvas->restore();
    PaintFrame(*printer, rect);
}

} // namespace reportengine
