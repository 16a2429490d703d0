#pragma once

// The frame of a control, a band or a report: up to four sides of a rectangle, drawn
// as filled strips in the resolution of the output, so that a 1-point frame is as thick
// on a 600-dpi printer (8 pixels) as on a page picture (1 pixel).

#include "reportengine/vr_types.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace reportengine {

class TVRExportFilter;

class TVRFrame
{
public:
    enum Side { Top = 0, Bottom = 1, Left = 2, Right = 3 };

    QColor Color = Qt::black;
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1; // points

    bool DrawTop() const { return m_draw[Top]; }
    bool DrawBottom() const { return m_draw[Bottom]; }
    bool DrawLeft() const { return m_draw[Left]; }
    bool DrawRight() const { return m_draw[Right]; }
    bool Draw(int side) const { return side >= 0 && side < 4 && m_draw[side]; }
    void SetDraw(int side, bool value)
    {
        if (side >= 0 && side < 4)
            m_draw[side] = value;
    }
    void SetDrawTop(bool v) { SetDraw(Top, v); }
    void SetDrawBottom(bool v) { SetDraw(Bottom, v); }
    void SetDrawLeft(bool v) { SetDraw(Left, v); }
    void SetDrawRight(bool v) { SetDraw(Right, v); }
    // All four sides.
    void SetAll(bool value);
    bool AnyFrame() const { return m_draw[Top] || m_draw[Bottom] || m_draw[Left] || m_draw[Right]; }

    // Thickness of a side in device pixels for a device of `factor` pixels per tenth
    // of a millimetre: at least 1 for a frame of a point or more (and for -1).
    static int Thickness(int widthPoints, double factor);
    int HorizontalThickness(double yFactor) const { return Thickness(Width, yFactor); }
    int VerticalThickness(double xFactor) const { return Thickness(Width, xFactor); }

    // Draws the sides inside the device rectangle (right and bottom exclusive). With a
    // filter (an export run) every drawn side is also handed to it as a line shape.
    void PaintIt(QPainter &canvas, const QRect &rect, double xFactor, double yFactor,
                 TVRExportFilter *filter = nullptr) const;

private:
    bool m_draw[4] = {false, false, false, false};
};

} // namespace reportengine
