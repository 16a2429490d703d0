#include "widgets/caption_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>
#include <qdrawutil.h>

namespace widgets {

namespace {
constexpr int kBevel = 1;
}

TFECustomCaptionPanel::TFECustomCaptionPanel(QWidget *parent) : QFrame(parent)
{
    // The lowered outer bevel is drawn by paintEvent, so the client area does not depend
    // on the style's frame metrics.
    setFrameStyle(QFrame::NoFrame);
    setMouseTracking(true);
    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(0);
    updateMargins();
}

void TFECustomCaptionPanel::updateMargins()
{
    // The client area starts CaptionHeight pixels below the panel's top edge.
    m_layout->setContentsMargins(0, 0, 0, 0);
    setContentsMargins(kBevel, m_captionHeight, kBevel, kBevel);
}

void TFECustomCaptionPanel::SetCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TFECustomCaptionPanel::SetCaptionHeight(int height)
{
    m_captionHeight = height;
    updateMargins();
    update();
}

void TFECustomCaptionPanel::SetButtonVisible(bool visible)
{
    m_buttonVisible = visible;
    m_layout->invalidate();
    update();
}

void TFECustomCaptionPanel::SetButtonFlat(bool flat)
{
    m_buttonFlat = flat;
    update();
}

void TFECustomCaptionPanel::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QRect TFECustomCaptionPanel::ClientRect() const
{
    return contentsRect();
}

namespace {
QRect barRect(const QFrame *w, int captionHeight)
{
    return QRect(kBevel, kBevel, w->width() - 2 * kBevel, captionHeight - kBevel);
}
} // namespace

QRect TFECustomCaptionPanel::ButtonRect() const
{
    if (!m_buttonVisible)
        return {};
    const QRect bar = barRect(this, m_captionHeight);
    const int top = bar.top() + 2;
    const int bottom = bar.bottom() - 2;
    const int right = bar.right() - 4;
    const int left = right - (bottom - top);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool TFECustomCaptionPanel::InsideButton(const QPoint &pos) const
{
    const QRect r = ButtonRect();
    if (r.isEmpty())
        return false;
    return pos.x() > r.left() && pos.x() < r.right() && pos.y() > r.top() && pos.y() < r.bottom();
}

void TFECustomCaptionPanel::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    qDrawShadePanel(&p, rect(), palette(), true, kBevel);
    const QRect bar = barRect(this, m_captionHeight);
    p.fillRect(bar, palette().color(QPalette::Button));
    qDrawShadePanel(&p, bar, palette(), false, 1);
    int textRight = bar.right() - 2;
    const QRect btn = ButtonRect();
    if (!btn.isEmpty()) {
        const int state = m_pressed ? 2 : (m_buttonFlat ? m_buttonState : 1);
        p.fillRect(btn, palette().color(QPalette::Button));
        const QIcon close = style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this);
        close.paint(&p, btn.adjusted(1, 1, -1, -1));
        if (state == 1)
            qDrawShadePanel(&p, btn, palette(), false, 1);
        else if (state == 2)
            qDrawShadePanel(&p, btn, palette(), true, 1);
        textRight = btn.left() - 2;
    }
    QRect text(QPoint(bar.left() + 2, bar.top()), QPoint(textRight, bar.bottom()));
    p.setFont(font());
    p.setPen(CaptionFontColor.isValid() ? CaptionFontColor : palette().color(QPalette::WindowText));
    Qt::Alignment h = m_alignment & Qt::AlignHorizontal_Mask;
    if (!h)
        h = Qt::AlignHCenter;
    p.drawText(text, h | Qt::AlignVCenter | Qt::TextExpandTabs | Qt::TextSingleLine, m_caption);
}

void TFECustomCaptionPanel::setButtonState(int state)
{
    if (state != m_buttonState) {
        m_buttonState = state;
        update(ButtonRect().adjusted(-1, -1, 1, 1));
    }
}

void TFECustomCaptionPanel::enterEvent(QEnterEvent *)
{
    m_inside = true;
}

void TFECustomCaptionPanel::leaveEvent(QEvent *)
{
    m_inside = false;
    if (!m_pressed)
        setButtonState(0);
}

void TFECustomCaptionPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed || !m_buttonFlat || !m_buttonVisible)
        return;
    setButtonState(InsideButton(event->position().toPoint()) ? 1 : 0);
}

void TFECustomCaptionPanel::mousePressEvent(QMouseEvent *event)
{
    if (!InsideButton(event->position().toPoint()))
        return;
    m_pressed = true;
    setButtonState(2);
}

void TFECustomCaptionPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    const QPoint pos = event->position().toPoint();
    const bool inside = InsideButton(pos);
    if (!m_buttonFlat)
        setButtonState(1);
    else
        setButtonState(inside && rect().contains(pos) ? 1 : 0);
    m_pressed = false;
    if (inside)
        emit OnBtnClick();
}

} // namespace widgets
