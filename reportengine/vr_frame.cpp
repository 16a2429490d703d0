#include "reportengine/vr_frame.h"

#include "reportengine/vr_export_filter.h"

#include <QPainter>

#include <cmath>

namespace reportengine {

void TVRFrame::SetAll(bool value)
{
    for (bool &d : m_draw)
        d = value;
}

int TVRFrame::Thickness(int widthPoints, double factor)
{
    // Points to tenths of a millimetre to device pixels.
    const long t = std::lround(widthPoints / 72.0 * 254.0 * factor);
    if ((t < 1 && widthPoints >= 1) || widthPoints == -1)
        return 1;
    return t < 0 ? 0 : static_cast<int>(t);
}

void TVRFrame::PaintIt(QPainter &canvas, const QRect &rect, double xFactor, double yFactor,
                       TVRExportFilter *filter) const
{
    if (!AnyFrame())
        return;
    const int th = HorizontalThickness(yFactor);
    const int tw = VerticalThickness(xFactor);
    const int l = rect.left();
    const int t = rect.top();
    const int r = l + rect.width();
    const int b = t + rect.height();
    struct Strip
    {
        bool draw;
        QRect box;
        TVRShapeType line;
    };
    const Strip strips[] = {
        {DrawTop(), QRect(l, t, r - l, th), TVRShapeType::vrsHorLine},
        {DrawBottom(), QRect(l, b - th, r - l, th), TVRShapeType::vrsHorLine},
        {DrawLeft(), QRect(l, t, tw, b - t), TVRShapeType::vrsVertLine},
        {DrawRight(), QRect(r - tw, t, tw, b - t), TVRShapeType::vrsVertLine},
    };
    for (const Strip &s : strips) {
        if (!s.draw || s.box.width() <= 0 || s.box.height() <= 0)
            continue;
        canvas.fillRect(s.box, Color);
        if (filter && xFactor > 0 && yFactor > 0) {
            TVRExportShape shape;
            shape.Rect = QRectF(s.box.left() / xFactor, s.box.top() / yFactor, s.box.width() / xFactor,
                                s.box.height() / yFactor);
            shape.Shape = s.line;
            shape.Pen = QPen(Color, s.line == TVRShapeType::vrsHorLine ? shape.Rect.height() : shape.Rect.width());
            shape.Brush = QBrush(Color);
            filter->ShapeOut(shape);
        }
    }
}

} // namespace reportengine
