#pragma once

// A printed figure: rectangle, ellipse, a vertical or horizontal rule, lines along the
// top and bottom or the left and right, a rounded rectangle. Statutory forms use shapes
// as table rules and as tick boxes switched on and off with Enabled.

#include "reportengine/vr_printable.h"

#include <QBrush>
#include <QPen>

namespace reportengine {

class TVRShape : public TVRPrintable
{
    Q_OBJECT

public:
    explicit TVRShape(QObject *parent = nullptr);

    TVRShapeType Shape() const { return m_shape; }
    void SetShape(TVRShapeType shape) { m_shape = shape; }
    // Fill (solid white unless set) and line (solid black, one page pixel wide).
    const QBrush &Brush() const { return m_brush; }
    void SetBrush(const QBrush &brush) { m_brush = brush; }
    const QPen &Pen() const { return m_pen; }
    void SetPen(const QPen &pen) { m_pen = pen; }
    // Corner of vrsRoundRect as a fraction of the width.
    double RoundFactor() const { return m_roundFactor; }
    void SetRoundFactor(double factor) { m_roundFactor = factor; }
    int VertAdjust() const { return m_vertAdjust; }
    void SetVertAdjust(int adjust) { m_vertAdjust = adjust; }

    void Print(double offsetX, double offsetY) override;

    // Draws the figure in a device rectangle (right and bottom edges outside it) with
    // the painter's pen and brush; an empty rectangle draws nothing.
    static void DrawFigure(QPainter &painter, TVRShapeType shape, const QRect &rect, double roundFactor);
    // Width and height of the corner ellipse of a round rectangle.
    static double CornerSize(int width, double roundFactor) { return width * roundFactor; }

private:
    TVRShapeType m_shape = TVRShapeType::vrsRectangle;
    QBrush m_brush{Qt::white};
    QPen m_pen{Qt::black, 1};
    double m_roundFactor = 0;
    int m_vertAdjust = 0;
};

} // namespace reportengine
