#include "reportengine/vr_printable.h"

#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"

#include <QPainter>

#include <cmath>

namespace reportengine {

TVRPrintable::TVRPrintable(QObject *parent) : QObject(parent), m_font(QStringLiteral("Arial"), 10)
{
    m_size.OnChange = [this] { SizeChanged(); };
    TakeReportFromParent();
    SetBounds(0, 0, 10, 10);
}

TVRPrintable::~TVRPrintable() = default;

void TVRPrintable::SetName(const QString &name)
{
    setObjectName(name);
}

void TVRPrintable::SetAlignToBand(bool align)
{
    m_alignToBand = align;
    AlignIt();
}

void TVRPrintable::SetAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    if (m_alignToBand)
        AlignIt();
}

void TVRPrintable::SetFont(const QFont &font)
{
    m_font = font;
}

void TVRPrintable::SetBounds(int left, int top, int width, int height)
{
    const auto px = [this](int v, bool horizontal) { return m_size.SaveUnit(v, TVRUnit::Pixels, horizontal); };
    if (height != PixelHeight())
        m_size.SetNativeHeight(px(height, false));
    if (width != PixelWidth())
        m_size.SetNativeWidth(px(width, true));
    if (top != PixelTop())
        m_size.SetNativeTop(px(top, false));
    if (left != PixelLeft())
        m_size.SetNativeLeft(px(left, true));
}

int TVRPrintable::PixelLeft() const
{
    return static_cast<int>(std::lround(m_size.LoadUnit(m_size.NativeLeft(), TVRUnit::Pixels, true)));
}

int TVRPrintable::PixelTop() const
{
    return static_cast<int>(std::lround(m_size.LoadUnit(m_size.NativeTop(), TVRUnit::Pixels, false)));
}

int TVRPrintable::PixelWidth() const
{
    return static_cast<int>(std::lround(m_size.LoadUnit(m_size.NativeWidth(), TVRUnit::Pixels, true)));
}

int TVRPrintable::PixelHeight() const
{
    return static_cast<int>(std::lround(m_size.LoadUnit(m_size.NativeHeight(), TVRUnit::Pixels, false)));
}

void TVRPrintable::SizeChanged()
{
    if (m_alignToBand && !m_aligning)
        AlignIt();
}

TVRBandHost *TVRPrintable::ParentBand() const
{
    return dynamic_cast<TVRBandHost *>(parent());
}

void TVRPrintable::SetParentReport(TVRReportHost *report)
{
    m_parentReport = report;
    m_size.ParentReport = report;
    if (report) {
        m_size.SetUnits(report->HostUnits());
        m_size.Zoom = report->HostZoom();
    }
}

void TVRPrintable::TakeReportFromParent()
{
    if (TVRBandHost *band = ParentBand())
        SetParentReport(band->HostReport());
    else
        SetParentReport(dynamic_cast<TVRReportHost *>(parent()));
}

void TVRPrintable::SetParent(QObject *parent)
{
    setParent(parent);
    TakeReportFromParent();
    ParentChanged();
}

TVRPrinter *TVRPrintable::VRPrinter() const
{
    if (m_printer)
        return m_printer.data();
    return m_parentReport ? m_parentReport->HostPrinter() : nullptr;
}

TVRExportFilter *TVRPrintable::ExportFilter() const
{
    return m_parentReport ? m_parentReport->HostExportFilter() : nullptr;
}

void TVRPrintable::AlignIt()
{
    if (!m_alignToBand || m_aligning)
        return;
    m_aligning = true;
    // Placed in whole pixels, as on a form.
    TVRBandHost *band = ParentBand();
    const int bandWidth =
        band ? static_cast<int>(std::lround(m_size.LoadUnit(band->HostWidth(), TVRUnit::Pixels, true))) : 0;
    switch (m_alignment) {
    case TAlignment::taLeftJustify:
        SetBounds(0, PixelTop(), PixelWidth(), PixelHeight());
        break;
    case TAlignment::taRightJustify:
        if (band)
            SetBounds(bandWidth - PixelWidth(), PixelTop(), PixelWidth(), PixelHeight());
        break;
    case TAlignment::taCenter:
        if (band)
            SetBounds((bandWidth - PixelWidth()) / 2, PixelTop(), PixelWidth(), PixelHeight());
        break;
    }
    m_aligning = false;
}

void TVRPrintable::Prepare()
{
    m_isPrinting = true;
    m_printer = m_parentReport ? m_parentReport->HostPrinter() : nullptr;
    m_finished = true;
}

void TVRPrintable::Unprepare()
{
    m_isPrinting = false;
    m_printer = nullptr;
    m_finished = true;
}

void TVRPrintable::VRNotification(QObject *, int operation)
{
    if (operation == 2)
        AlignIt();
}

QRect TVRPrintable::DeviceRect(const TVRPrinter &printer, double offsetX, double offsetY) const
{
    const double l = offsetX + m_size.NativeLeft();
    const double t = offsetY + m_size.NativeTop();
    const int left = printer.XPos(l);
    const int top = printer.YPos(t);
    return QRect(left, top, printer.XPos(l + m_size.NativeWidth()) - left, printer.YPos(t + m_size.NativeHeight()) - top);
}

void TVRPrintable::PaintFrame(TVRPrinter &printer, const QRect &deviceRect) const
{
    if (m_frame.AnyFrame() && printer.Canvas())
        m_frame.PaintIt(*printer.Canvas(), deviceRect, printer.XFactor, printer.YFactor, ExportFilter());
}

void TVRPrintable::BeginPagePixels(QPainter &painter, const TVRPrinter &printer, double x, double y)
{
    painter.save();
    painter.translate((x - printer.LeftOffset) * printer.XFactor, (y - printer.TopOffset) * printer.YFactor);
    painter.scale(printer.XFactor / kPageFactor, printer.YFactor / kPageFactor);
}

void TVRPrintable::FillArea(QPainter &painter, const QRect &rect, const QColor &color)
{
    if (painter.pen().style() != Qt::NoPen)
        painter.setPen(Qt::NoPen);
    if (painter.brush().style() != Qt::SolidPattern || painter.brush().color() != color)
        painter.setBrush(color);
    painter.drawRect(rect);
}

TVRPrintable::PagePixels::PagePixels(QPainter &painter, const TVRPrinter &printer, double x, double y)
    : m_painter(painter)
{
    const double dx = (x - printer.LeftOffset) * printer.XFactor;
    const double dy = (y - printer.TopOffset) * printer.YFactor;
    if (printer.XFactor == kPageFactor && printer.YFactor == kPageFactor && painter.worldTransform().isIdentity()) {
        m_dx = dx;
        m_dy = dy;
        return;
    }
    m_previous = painter.worldTransform();
    QTransform t = m_previous;
    t.translate(dx, dy);
    t.scale(printer.XFactor / kPageFactor, printer.YFactor / kPageFactor);
    painter.setWorldTransform(t);
    m_transformed = true;
}

TVRPrintable::PagePixels::~PagePixels()
{
    if (m_saved)
        m_painter.restore();
    else if (m_clipped)
        m_painter.setClipping(false);
    if (m_transformed)
        m_painter.setWorldTransform(m_previous);
}

void TVRPrintable::PagePixels::Clip(const QRectF &rect)
{
    const QRectF r = rect.translated(m_dx, m_dy);
    if (m_clipped || m_saved || m_painter.hasClipping()) {
        // A clip already in force is narrowed, and put back as it was at the end.
        if (!m_saved && !m_clipped) {
            m_painter.save();
            m_saved = true;
        }
        m_painter.setClipRect(r, Qt::IntersectClip);
        return;
    }
    m_painter.setClipRect(r);
    m_clipped = true;
}

void TVRPrintable::Print(double offsetX, double offsetY)
{
    TVRPrinter *printer = VRPrinter();
    if (!printer || !printer->Canvas())
        return;
    PaintFrame(*printer, DeviceRect(*printer, offsetX, offsetY));
}

} // namespace reportengine
