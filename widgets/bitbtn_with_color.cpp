#include "widgets/bitbtn_with_color.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QShowEvent>
#include <QVariant>
#include <qdrawutil.h>

#include <algorithm>
#include <array>
#include <optional>

namespace widgets {

namespace {

TBitBtnWithColor::HelpHandler &helpHandler()
{
    static TBitBtnWithColor::HelpHandler handler;
    return handler;
}

// The kinds' pictures, each looked up the first time a button takes that kind.
QPixmap kindGlyph(TBitBtnWithColorKind kind)
{
    static std::array<std::optional<QPixmap>, 11> glyphs;
    std::optional<QPixmap> &g = glyphs[std::size_t(kind)];
    if (!g) {
        const QString resource = TBitBtnWithColor::SettingsOf(kind).Resource;
        g = resource.isEmpty() ? QPixmap() : QPixmap(QStringLiteral(":/widgets/") + resource + QStringLiteral(".bmp"));
    }
    return *g;
}

bool sameColour(QRgb a, QRgb b)
{
    return (a & 0xffffff) == (b & 0xffffff);
}

} // namespace

TBitBtnWithColor::TBitBtnWithColor(QWidget *parent) : QPushButton(parent)
{
    m_color = palette().color(QPalette::Button);
    connect(this, &QAbstractButton::clicked, this, &TBitBtnWithColor::handleClick);
}

TBitBtnWithColor::KindSettings TBitBtnWithColor::SettingsOf(TBitBtnWithColorKind kind)
{
    using K = TBitBtnWithColorKind;
    switch (kind) {
    case K::bkCustom:
        return {};
    case K::bkOK:
        return {true, false, 1, QStringLiteral("OK"), QStringLiteral("BBCOK")};
    case K::bkCancel:
        return {false, true, 2, QStringLiteral("Anuluj"), QStringLiteral("BBCCANCEL")};
    case K::bkHelp:
        return {false, false, 0, QStringLiteral("&Pomoc"), QStringLiteral("BBCHELP")};
    case K::bkYes:
        return {true, false, 6, QStringLiteral("&Tak"), QStringLiteral("BBCYES")};
    case K::bkNo:
        return {false, true, 7, QStringLiteral("&Nie"), QStringLiteral("BBCNO")};
    case K::bkClose:
        return {false, false, 0, QStringLiteral("&Zamknij"), QStringLiteral("BBCCLOSE")};
    case K::bkAbort:
        return {false, false, 3, QStringLiteral("Przerwij"), QStringLiteral("BBCABORT")};
    case K::bkRetry:
        return {false, false, 4, QStringLiteral("&Ponów"), QStringLiteral("BBCRETRY")};
    case K::bkIgnore:
        return {false, false, 5, QStringLiteral("&Ignoruj"), QStringLiteral("BBCIGNORE")};
    case K::bkAll:
        return {false, false, 8, QStringLiteral("&Wszystkie"), QStringLiteral("BBCALL")};
    }
    return {};
}

void TBitBtnWithColor::SetColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TBitBtnWithColor::SetGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    m_glyphByUser = true;
    update();
}

TBitBtnWithColorKind TBitBtnWithColor::Kind()
{
    if (m_kind != TBitBtnWithColorKind::bkCustom) {
        const KindSettings s = SettingsOf(m_kind);
        if (m_default != s.Default || m_cancel != s.Cancel || m_modalResult != s.ModalResult || m_glyphByUser)
            m_kind = TBitBtnWithColorKind::bkCustom;
    }
    return m_kind;
}

void TBitBtnWithColor::SetKind(TBitBtnWithColorKind kind)
{
    if (kind == m_kind)
        return;
    if (kind != TBitBtnWithColorKind::bkCustom) {
        const KindSettings s = SettingsOf(kind);
        SetDefault(s.Default);
        SetCancel(s.Cancel);
        m_modalResult = s.ModalResult;
        setText(s.Caption);
        m_glyph = kindGlyph(kind);
        m_numGlyphs = 2;
        m_glyphByUser = false;
    }
    m_kind = kind;
    update();
}

void TBitBtnWithColor::SetLayout(TButtonLayout layout)
{
    if (layout != m_layout) {
        m_layout = layout;
        update();
    }
}

void TBitBtnWithColor::SetMargin(int margin)
{
    if (margin != m_margin) {
        m_margin = margin;
        update();
    }
}

void TBitBtnWithColor::SetNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (count != m_numGlyphs) {
        m_numGlyphs = count;
        update();
    }
}

void TBitBtnWithColor::SetSpacing(int spacing)
{
    if (spacing != m_spacing) {
        m_spacing = spacing;
        update();
    }
}

void TBitBtnWithColor::SetStyle(TButtonStyle style)
{
    if (style != m_style) {
        m_style = style;
        update();
    }
}

void TBitBtnWithColor::SetDefault(bool isDefault)
{
    m_default = isDefault;
    setDefault(isDefault);
}

void TBitBtnWithColor::SetCancel(bool cancel)
{
    m_cancel = cancel;
    if (!cancel && m_filteredWindow) {
        m_filteredWindow->removeEventFilter(this);
        m_filteredWindow = nullptr;
    } else if (cancel && isVisible()) {
        QShowEvent e;
        showEvent(&e);
    }
}

void TBitBtnWithColor::showEvent(QShowEvent *event)
{
    QPushButton::showEvent(event);
    QWidget *w = window();
    if (m_cancel && w != this && w != m_filteredWindow) {
        if (m_filteredWindow)
            m_filteredWindow->removeEventFilter(this);
        m_filteredWindow = w;
        w->installEventFilter(this);
    }
}

bool TBitBtnWithColor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_filteredWindow && m_cancel && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && isVisible() && isEnabled()) {
        click();
        return true;
    }
    return QPushButton::eventFilter(watched, event);
}

int TBitBtnWithColor::HelpContextOf(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        const int context = w->property("helpContext").toInt();
        if (context != 0)
            return context;
    }
    return 0;
}

void TBitBtnWithColor::SetHelpHandler(HelpHandler handler)
{
    helpHandler() = std::move(handler);
}

void TBitBtnWithColor::handleClick()
{
    const TBitBtnWithColorKind kind = Kind();
    if (kind == TBitBtnWithColorKind::bkHelp) {
        const int context = HelpContextOf(this);
        if (context != 0 && helpHandler()) {
            helpHandler()(context);
            return;
        }
    } else if (kind == TBitBtnWithColorKind::bkClose) {
        QWidget *w = window();
        if (w && w != this) {
            w->close();
            return;
        }
    }
    // A handler may close and delete the window the button stands on.
    QPointer<TBitBtnWithColor> self(this);
    emit OnClick();
    if (!self || m_modalResult == 0)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(window()))
        dialog->done(m_modalResult);
}

TBitBtnWithColor::Placement TBitBtnWithColor::LayoutGlyphAndCaption(const QRect &inner, QSize glyph, QSize caption,
                                                                    TButtonLayout layout, int margin, int spacing)
{
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    // Along the layout direction (main) and across it (cross).
    auto main = [horizontal](QSize s) { return horizontal ? s.width() : s.height(); };
    auto cross = [horizontal](QSize s) { return horizontal ? s.height() : s.width(); };
    // An empty glyph or caption takes no room.
    if (glyph.width() <= 0 || glyph.height() <= 0)
        glyph = QSize(0, 0);
    if (caption.width() <= 0 || caption.height() <= 0)
        caption = QSize(0, 0);
    const QSize client = inner.size();
    const int glyphCross = (cross(client) - cross(glyph) + 1) / 2;
    const int captionCross = (cross(client) - cross(caption) + 1) / 2;
    if (caption.width() == 0 || glyph.width() == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (main(client) - (main(glyph) + main(caption))) / 3;
            spacing = margin;
        } else {
            margin = (main(client) - (main(glyph) + spacing + main(caption)) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (main(client) - (margin + main(glyph)) - main(caption)) / 2;
    }
    int glyphMain = 0;
    int captionMain = 0;
    if (layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop) {
        glyphMain = margin;
        captionMain = glyphMain + main(glyph) + spacing;
    } else {
        glyphMain = main(client) - margin - main(glyph);
        captionMain = glyphMain - spacing - main(caption);
    }
    auto at = [&](int m, int c, QSize s) {
        return horizontal ? QRect(inner.topLeft() + QPoint(m, c), s) : QRect(inner.topLeft() + QPoint(c, m), s);
    };
    return {at(glyphMain, glyphCross, glyph), at(captionMain, captionCross, caption)};
}

QColor TBitBtnWithColor::TransparentColor() const
{
    if (m_glyph.isNull())
        return QColor(0x80, 0x80, 0x00); // olive
    const QImage image = m_glyph.toImage();
    return QColor(image.pixel(0, image.height() - 1));
}

QImage TBitBtnWithColor::GlyphImage(GlyphState state) const
{
    if (m_glyph.isNull())
        return QImage();
    const QImage source = m_glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    const int w = source.width() / m_numGlyphs;
    const int h = source.height();
    const QRgb transparent = TransparentColor().rgb();
    if (state == GlyphDisabled && m_numGlyphs < 2) {
        // The shape in the highlight colour one pixel down and right, then in the shadow
        // colour, on the face colour: the glyph looks pressed into the face.
        auto shape = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < w && y < h && !sameColour(source.pixel(x, y), transparent);
        };
        QImage out(w, h, QImage::Format_ARGB32);
        out.fill(m_color);
        const QRgb light = palette().color(QPalette::Light).rgb();
        const QRgb dark = palette().color(QPalette::Dark).rgb();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (shape(x - 1, y - 1))
                    out.setPixel(x, y, light);
            }
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (shape(x, y))
                    out.setPixel(x, y, dark);
            }
        }
        return out;
    }
    const int part = int(state) < m_numGlyphs ? int(state) : GlyphUp;
    QImage out = source.copy(part * w, 0, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (sameColour(out.pixel(x, y), transparent))
                out.setPixel(x, y, 0);
        }
    }
    return out;
}

void TBitBtnWithColor::drawFace(QPainter &p, QRect &r, bool down, bool focusFrame, bool defaultFrame)
{
    if (focusFrame) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (down) {
        p.setPen(palette().color(QPalette::Dark));
        p.setBrush(m_color);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        const QBrush face(m_color);
        qDrawWinButton(&p, r, palette(), false, &face);
    }
    r.adjust(1, 1, -1, -1);
    if (defaultFrame)
        r.adjust(1, 1, -1, -1);
}

void TBitBtnWithColor::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QRect r = rect();
    const bool down = isDown() || isChecked();
    const bool defaultFrame = hasFocus();
    const bool focusFrame = defaultFrame || isDefault();
    drawFace(p, r, down, focusFrame, defaultFrame);

    p.setFont(font());
    const QString caption = text();
    const QSize captionSize = caption.isEmpty() ? QSize() : fontMetrics().size(Qt::TextShowMnemonic, caption);
    const GlyphState state = !isEnabled() ? GlyphDisabled : down ? GlyphDown : GlyphUp;
    const QImage glyph = GlyphImage(state);
    Placement place =
        LayoutGlyphAndCaption(QRect(QPoint(0, 0), r.size()), glyph.size(), captionSize, m_layout, m_margin, m_spacing);
    const QPoint offset = r.topLeft() + (down ? QPoint(1, 1) : QPoint(0, 0));
    place.GlyphRect.translate(offset);
    place.CaptionRect.translate(offset);
    if (!glyph.isNull())
        p.drawImage(place.GlyphRect.topLeft(), glyph);
    if (!caption.isEmpty()) {
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
        if (isEnabled()) {
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(place.CaptionRect, flags, caption);
        } else {
            p.setPen(palette().color(QPalette::Light));
            p.drawText(place.CaptionRect.translated(1, 1), flags, caption);
            p.setPen(palette().color(QPalette::Dark));
            p.drawText(place.CaptionRect, flags, caption);
        }
    }
    if (defaultFrame) {
        QPen dotted(palette().color(QPalette::WindowText));
        dotted.setStyle(Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

} // namespace widgets
