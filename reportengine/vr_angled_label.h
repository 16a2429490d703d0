#pragma once

// A one-line text printed at an angle (degrees counter-clockwise), for headings that
// run up the side of a table. With AutoSize the control takes the size of the rotated
// text's bounding box and keeps the corner or centre that AnchorStyle names in place;
// without it the text is placed inside the control by AnchorStyle.
//
// Only a scalable (TrueType) font can be rotated. When the font is not one,
// TrueTypeAlert decides: nothing, a message, or the font of the band (or report)
// taken instead, "Arial" when neither is scalable, with or without a message.
//
// The layout is computed in screen pixels at the report's zoom and printed through the
// control's height in pixels per report unit, so a control of no height prints
// nothing.

#include "reportengine/vr_printable.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace reportengine {

enum class TAnchorStyle { asNone, asTextLeft, asTextCenter, asTextRight };
enum class TTrueTypeAlert { ttaNone, ttaMessage, ttaAbort, ttaAbortMessage };

class TVRAngledCustom : public TVRPrintable
{
    Q_OBJECT

public:
    using TVROnPrintEvent = std::function<void(QObject *sender, QString &value)>;

    // The results of the layout, in screen pixels.
    struct Layout
    {
        int W = 0, H = 0; // the text, unrotated
        int Wx = 0, Hx = 0, Wy = 0, Hy = 0;
        int BoxWidth = 0, BoxHeight = 0;
        int NewLeft = 0, NewTop = 0; // the control's place with AutoSize
        int X = 0, Y = 0;            // where the rotated text starts, inside the control
    };

    explicit TVRAngledCustom(QObject *parent = nullptr);

    TAnchorStyle AnchorStyle() const { return m_anchorStyle; }
    void SetAnchorStyle(TAnchorStyle style);
    int Angle() const { return m_angle; }
    // Taken modulo 360; a negative angle counts from the other side (-90 is 270).
    void SetAngle(int angle);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TTrueTypeAlert TrueTypeAlert() const { return m_alert; }
    void SetTrueTypeAlert(TTrueTypeAlert alert);
    TVROnPrintEvent OnPrint;
    // The scalable fonts installed, filled when the control is made.
    QStringList TrueTypeFaces;
    bool IsTrueType(const QFont &font) const;

    const Layout &LayoutResult() const { return m_layout; }
    // Lays the text out again (and resizes the control with AutoSize).
    void Recompute();

    void SetName(const QString &name) override;
    void SetFont(const QFont &font) override;
    // Lays the text out for the run, at the report's zoom.
    void Prepare() override;
    void Print(double offsetX, double offsetY) override;

protected:
    void ParentChanged() override { Recompute(); }

private:
    void CheckFont();

    TAnchorStyle m_anchorStyle = TAnchorStyle::asNone;
    int m_angle = 45;
    bool m_autoSize = true;
    QString m_caption;
    TTrueTypeAlert m_alert = TTrueTypeAlert::ttaAbort;
    Layout m_layout;
    bool m_checkingFont = false;
};

class TVRAngledLabel : public TVRAngledCustom
{
    Q_OBJECT

public:
    using TVRAngledCustom::TVRAngledCustom;
};

} // namespace reportengine
