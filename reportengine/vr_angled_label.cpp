#include "reportengine/vr_angled_label.h"

#include "reportengine/vr_band.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"
#include "reportengine/vr_text_metrics.h"
#include "reportengine/vr_user_interface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <cmath>

namespace reportengine {

namespace {

int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

// The font warnings come when the font is set, with no caller to hand them to: they
// are the user interface's to show.
void Notify(const QString &text)
{
    if (TVRUserInterface *ui = UserInterface())
        ui->ShowNotice(text);
}

const QStringList &ScalableFaces()
{
    static const QStringList faces = [] {
        QStringList list;
        for (const QString &family : QFontDatabase::families())
            if (QFontDatabase::isScalable(family))
                list << family;
        return list;
    }();
    return faces;
}

} // namespace

TVRAngledCustom::TVRAngledCustom(QObject *parent) : TVRPrintable(parent), TrueTypeFaces(ScalableFaces())
{
    SetTransparent(false);
    Recompute();
}

bool TVRAngledCustom::IsTrueType(const QFont &font) const
{
    // The face that actually draws counts: "Arial" is drawn with a metric twin.
    return TrueTypeFaces.contains(font.family(), Qt::CaseInsensitive) ||
           TrueTypeFaces.contains(ReportFontSubstitute(font.family()), Qt::CaseInsensitive) ||
           TrueTypeFaces.contains(QFontInfo(ReportTextFont(font)).family(), Qt::CaseInsensitive);
}

void TVRAngledCustom::SetAnchorStyle(TAnchorStyle style)
{
    if (style == m_anchorStyle)
        return;
    m_anchorStyle = style;
    Recompute();
}

void TVRAngledCustom::SetAngle(int angle)
{
    angle %= 360;
    if (angle < 0)
        angle += 360;
    if (angle == m_angle)
        return;
    m_angle = angle;
    Recompute();
}

void TVRAngledCustom::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        Recompute();
}

void TVRAngledCustom::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Recompute();
}

void TVRAngledCustom::SetTrueTypeAlert(TTrueTypeAlert alert)
{
    if (alert == m_alert)
        return;
    m_alert = alert;
    CheckFont();
}

void TVRAngledCustom::SetName(const QString &name)
{
    const QString oldName = Name();
    TVRPrintable::SetName(name);
    if (m_caption.isEmpty() || m_caption == oldName)
        SetCaption(name);
}

void TVRAngledCustom::SetFont(const QFont &font)
{
    TVRPrintable::SetFont(font);
    CheckFont();
    Recompute();
}

void TVRAngledCustom::CheckFont()
{
    if (m_checkingFont || m_alert == TTrueTypeAlert::ttaNone || IsTrueType(Font()))
        return;
    m_checkingFont = true;
    struct Done
    {
        bool &flag;
        ~Done() { flag = false; }
    } done{m_checkingFont};
    if (m_alert == TTrueTypeAlert::ttaMessage) {
        Notify(QStringLiteral("Font selected is not a TrueType Font and can't be rotated"));
        return;
    }
    QFont replacement = Font();
    const auto *band = qobject_cast<const TVRCustomBand *>(parent());
    const auto *report = qobject_cast<const TVelRep *>(parent());
    if (band && IsTrueType(band->Font()))
        replacement = band->Font();
    else if (report && IsTrueType(report->Font()))
        replacement = report->Font();
    else
        replacement.setFamily(QStringLiteral("Arial"));
    TVRPrintable::SetFont(replacement);
    if (m_alert == TTrueTypeAlert::ttaAbortMessage)
        Notify(QStringLiteral("Font selected is not a TrueType Font. '%1' was assigned").arg(replacement.family()));
}

void TVRAngledCustom::Recompute()
{
    QFont font = Font();
    const int zoom = Size().Zoom;
    if (zoom != 100 && font.pointSizeF() > 0)
        font.setPointSize(std::max(1, Round(font.pointSizeF() * zoom / 100.0)));
    const TVRTextMeasure measure(font);
    Layout &r = m_layout;
    r.W = Round(measure.Width(m_caption));
    r.H = measure.LineHeight();
    const int a = m_angle;
    const int quadrantAngle = a < 90 ? 90 - a : a < 180 ? a - 90 : a < 270 ? 270 - a : a - 270;
    const double theta = M_PI * quadrantAngle / 180.0;
    r.Wx = Round(std::sin(theta) * r.W);
    r.Hx = Round(std::cos(theta) * r.H);
    r.Wy = Round(std::cos(theta) * r.W);
    r.Hy = Round(std::sin(theta) * r.H);
    r.BoxWidth = r.Wx + r.Hx;
    r.BoxHeight = r.Wy + r.Hy;

    const int left = PixelLeft();
    const int top = PixelTop();
    const int wc = PixelWidth();
    const int hc = PixelHeight();
    const bool rightward = a < 90 || a >= 270;
    r.NewLeft = left;
    r.NewTop = top;
    switch (m_anchorStyle) {
    case TAnchorStyle::asNone:
        break;
    case TAnchorStyle::asTextLeft:
        r.NewLeft = rightward ? left : left + wc - r.BoxWidth;
        r.NewTop = a >= 180 ? top : top + hc - r.BoxHeight;
        break;
    case TAnchorStyle::asTextCenter:
        r.NewLeft = left + Round((wc - r.BoxWidth) / 2.0);
        r.NewTop = top + Round((hc - r.BoxHeight) / 2.0);
        break;
    case TAnchorStyle::asTextRight:
        r.NewLeft = rightward ? left + wc - r.BoxWidth : left;
        r.NewTop = a < 180 ? top : top + hc - r.BoxHeight;
        break;
    }

    const int q = a / 90;
    if (m_autoSize || m_anchorStyle == TAnchorStyle::asNone) {
        const int xs[] = {0, r.Wx, r.BoxWidth, r.Hx};
        const int ys[] = {r.Wy, r.BoxHeight, r.Hy, 0};
        r.X = xs[q];
        r.Y = ys[q];
    } else {
        const int dx = Round((wc - r.BoxWidth) / 2.0);
        const int dy = Round((hc - r.BoxHeight) / 2.0);
        switch (m_anchorStyle) {
        case TAnchorStyle::asTextLeft: {
            const int xs[] = {0, wc - r.Hx, wc, r.Hx};
            const int ys[] = {hc - r.Hy, hc, r.Hy, 0};
            r.X = xs[q];
            r.Y = ys[q];
            break;
        }
        case TAnchorStyle::asTextCenter: {
            const int xs[] = {dx, dx + r.Wx, dx + r.BoxWidth, dx + r.Hx};
            const int ys[] = {dy + r.Wy, dy + r.BoxHeight, dy + r.Hy, dy};
            r.X = xs[q];
            r.Y = ys[q];
            break;
        }
        case TAnchorStyle::asTextRight: {
            const int xs[] = {wc - r.BoxWidth, r.Wx, r.BoxWidth, wc - r.Wx};
            const int ys[] = {r.Wy, r.BoxHeight, hc - r.Wy, hc - r.BoxHeight};
            r.X = xs[q];
            r.Y = ys[q];
            break;
        }
        case TAnchorStyle::asNone:
            break;
        }
    }
    if (m_autoSize)
        SetBounds(r.NewLeft, r.NewTop, r.BoxWidth, r.BoxHeight);
}

void TVRAngledCustom::Prepare()
{
    TVRPrintable::Prepare();
    Recompute();
}

void TVRAngledCustom::Print(double offsetX, double offsetY)
{
    TVRPrinter *printer = VRPrinter();
    if (!printer || !printer->Canvas())
        return;
    const QString savedCaption = m_caption;
    if (OnPrint) {
        QString value = m_caption;
        OnPrint(this, value);
        SetCaption(value);
    }
    struct RestoreCaption
    {
        TVRAngledCustom &label;
        QString caption;
        ~RestoreCaption() { label.SetCaption(caption); }
    } restore{*this, savedCaption};
    // A control of no height has no scale to place the text by.
    if (Size().NativeHeight() <= 0 || PixelHeight() <= 0)
        return;
    const double pixelsPerUnit = PixelHeight() / Size().NativeHeight();
    const double left = Size().NativeLeft() + offsetX;
    const double top = Size().NativeTop() + offsetY;
    const double originX = left + Round(m_layout.X / pixelsPerUnit);
    const double originY = top + Round(m_layout.Y / pixelsPerUnit);
    QPainter &canvas = *printer->Canvas();
    const QRect area = DeviceRect(*printer, offsetX, offsetY);
    if (PaintsBackground())
        FillArea(canvas, area, Color());
    if (!m_caption.isEmpty()) {
        const TVRTextMeasure measure(Font());
        BeginPagePixels(canvas, *printer, originX, originY);
        canvas.setClipRect(QRectF((left - originX) * kPageFactor, (top - originY) * kPageFactor,
                                  Size().NativeWidth() * kPageFactor, Size().NativeHeight() * kPageFactor),
                           Qt::IntersectClip);
        canvas.rotate(-m_angle);
        canvas.setFont(measure.Font());
        canvas.setPen(FontColor());
        canvas.drawText(QPointF(0, measure.Ascent()), m_caption);
        canvas.restore();
    }
    TVRPrintable::Print(offsetX, offsetY);
}

} // namespace reportengine
