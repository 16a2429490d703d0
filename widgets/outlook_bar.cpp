#include "widgets/outlook_bar.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QToolTip>
#include <qdrawutil.h>

namespace widgets {

// ---- items and buttons ---------------------------------------------------------------

void TGXOutlookItem::SetImageIndex(int index)
{
    m_imageIndex = index;
    m_bar->Changed();
}

void TGXOutlookItem::SetCaption(const QString &caption)
{
    m_caption = caption;
    m_bar->Changed();
}

void TGXOutlookItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    m_bar->Changed();
}

void TGXOutlookItem::SetVisible(bool visible)
{
    m_visible = visible;
    m_bar->Changed();
}

void TGXOutlookItem::Assign(const TGXOutlookItem &other)
{
    m_imageIndex = other.m_imageIndex;
    m_caption = other.m_caption;
    m_enabled = other.m_enabled;
    m_visible = other.m_visible;
    m_bar->Changed();
}

void TGXOutlookItems::SetCaption(const QString &caption)
{
    m_caption = caption;
    m_bar->Changed();
}

TGXOutlookItem *TGXOutlookItems::Add()
{
    m_items.push_back(std::make_unique<TGXOutlookItem>(m_bar));
    m_bar->Changed();
    return m_items.back().get();
}

// ---- the bar ------------------------------------------------------------------------

TGXCustomOutlookBar::TGXCustomOutlookBar(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Color = palette().color(QPalette::Dark);
    ButtonColor = palette().color(QPalette::Button);
    ButtonFont = font();
    SelectedFont = font();
    ItemHightlightFont = font();
    resize(100, 300);
}

TGXCustomOutlookBar::~TGXCustomOutlookBar() = default;

void TGXCustomOutlookBar::Changed()
{
    update();
}

TGXOutlookItems *TGXCustomOutlookBar::AddButton()
{
    m_buttons.push_back(std::make_unique<TGXOutlookItems>(this, ButtonCount()));
    // The first button becomes the selected one without a change event: there was no
    // selection to change from.
    if (m_selectedButton < 0)
        m_selectedButton = 0;
    update();
    return m_buttons.back().get();
}

void TGXCustomOutlookBar::ClearButtons()
{
    m_buttons.clear();
    m_selectedButton = -1;
    m_selectedItem = -1;
    m_topItem = 0;
    m_hover = m_pressed = HitInfo{};
    update();
}

void TGXCustomOutlookBar::SetSelectedButton(int index)
{
    if (index < 0)
        index = ButtonCount() > 0 ? 0 : -1;
    if (index < 0 || index >= ButtonCount() || index == m_selectedButton)
        return;
    m_selectedButton = index;
    m_selectedItem = -1;
    m_topItem = 0;
    update();
    emit OnChange();
}

void TGXCustomOutlookBar::SetSelectedItem(int index)
{
    if (index < 0)
        index = -1;
    if (m_selectedButton < 0)
        return;
    const TGXOutlookItems *button = Buttons(m_selectedButton);
    if (index >= button->Count())
        return; // outside the list: ignored
    if (index >= 0 && !button->Item(index)->Visible())
        index = -1; // a hidden item cannot be selected
    if (index == m_selectedItem)
        return;
    m_selectedItem = index;
    if (index < m_topItem) {
        m_topItem = index;
    } else {
        const int fits = VisibleSlotCount();
        if (fits > 0 && index > m_topItem + fits - 1)
            m_topItem = index - (fits - 1);
    }
    if (m_topItem < 0)
        m_topItem = 0;
    update();
    emit OnChange();
}

void TGXCustomOutlookBar::SetTopItem(int index)
{
    int count = m_selectedButton >= 0 ? Buttons(m_selectedButton)->Count() : 0;
    index = std::min(index, count - 1);
    index = std::max(index, 0);
    if (index == m_topItem)
        return;
    m_topItem = index;
    update();
}

void TGXCustomOutlookBar::SetImages(const TImageList *images)
{
    m_images = images;
    update();
}

QSize TGXCustomOutlookBar::imageSize() const
{
    if (!m_images)
        return {32, 32};
    return {m_images->Width(), m_images->Height()};
}

int TGXCustomOutlookBar::HeaderHeight() const
{
    return QFontMetrics(ButtonFont).height() + 8;
}

int TGXCustomOutlookBar::SlotHeight() const
{
    const Layout l = computeLayout();
    return l.slot > 0 ? l.slot : imageSize().height() + 12 + fontMetrics().height() + Spacing;
}

QString TGXCustomOutlookBar::ToolTipAt(const QPoint &pos) const
{
    const HitInfo hit = HitTest(pos);
    if (hit.part == Part::Header && hit.index >= 0 && hit.index < ButtonCount())
        return displayCaption(Buttons(hit.index)->Caption());
    if ((hit.part == Part::Image || hit.part == Part::Caption) && m_selectedButton >= 0 && hit.index >= 0 &&
        hit.index < Buttons(m_selectedButton)->Count())
        return displayCaption(Buttons(m_selectedButton)->Item(hit.index)->Caption());
    return QString();
}

int TGXCustomOutlookBar::WidthForCaptions() const
{
    const QFontMetrics fm(ButtonFont);
    int widest = 0;
    for (int i = 0; i < ButtonCount(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(displayCaption(Buttons(i)->Caption())));
    // The frame (1 on each side), the header's text margin (2 on each side) and a little air.
    return widest + 2 + 4 + 8;
}

bool TGXCustomOutlookBar::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = ToolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

QString TGXCustomOutlookBar::displayCaption(const QString &caption) const
{
    if (!StripAccChar)
        return caption;
    QString c = caption;
    c.remove(QLatin1Char('&'));
    return c;
}

TGXCustomOutlookBar::Layout TGXCustomOutlookBar::computeLayout() const
{
    Layout l;
    const QRect client = rect().adjusted(1, 1, -1, -1);
    const int n = ButtonCount();
    const int hh = HeaderHeight();
    const int sel = m_selectedButton;
    l.headers.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (i <= sel)
            l.headers[static_cast<size_t>(i)] = QRect(client.left(), client.top() + i * hh, client.width(), hh);
        else
            l.headers[static_cast<size_t>(i)] =
                QRect(client.left(), client.bottom() + 1 - (n - i) * hh, client.width(), hh);
    }
    if (n == 0 || sel < 0)
        return l;
    l.area = QRect(QPoint(client.left(), client.top() + (sel + 1) * hh),
                   QPoint(client.right(), client.bottom() - (n - 1 - sel) * hh));
    const QSize img = imageSize();
    const int textH = fontMetrics().height();
    const TGXOutlookItems *button = Buttons(sel);
    // With word wrap a slot holds as many caption lines as the longest caption of the
    // button needs (at most three), so wrapped captions are not cut by the next item.
    int lines = 1;
    if (WordWrap) {
        for (int i = 0; i < button->Count(); ++i) {
            if (!button->Item(i)->Visible())
                continue;
            const QRect need = fontMetrics().boundingRect(QRect(0, 0, std::max(1, l.area.width() - 4), 10000),
                                                          Qt::AlignHCenter | Qt::TextWordWrap,
                                                          displayCaption(button->Item(i)->Caption()));
            lines = std::max(lines, std::min(3, (need.height() + textH - 1) / textH));
        }
    }
    l.slot = img.height() + 12 + textH * lines + Spacing;
    const int itemBody = l.slot - Spacing;
    l.fits = 0;
    while (l.area.height() > 0 && TopSpacing + l.fits * l.slot + itemBody <= l.area.height())
        ++l.fits;

    l.images.resize(static_cast<size_t>(button->Count()));
    l.captions.resize(static_cast<size_t>(button->Count()));
    int k = 0;
    bool more = false;
    for (int i = m_topItem; i < button->Count(); ++i) {
        const TGXOutlookItem *item = button->Item(i);
        if (!item->Visible())
            continue;
        if (k >= l.fits) {
            more = true; // the next item would pass the bottom: a scroll-down button instead
            break;
        }
        const int y = l.area.top() + TopSpacing + k * l.slot;
        const int w = img.width() + 8;
        const int x = l.area.left() + (l.area.width() - w) / 2;
        l.images[static_cast<size_t>(i)] = QRect(x, y, w, img.height() + 8);
        l.captions[static_cast<size_t>(i)] =
            QRect(l.area.left() + 2, y + img.height() + 10, l.area.width() - 4, textH * lines);
        ++k;
    }
    const bool down = more;
    const int s = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (ScrollBtnStyle == TGXScrollBtnStyle::sbButton) {
        if (m_topItem > 0)
            l.scrollUp = QRect(l.area.right() - 3 - s, l.area.top() + 4, s, s);
        if (down)
            l.scrollDown = QRect(l.area.right() - 3 - s, l.area.bottom() - 3 - s, s, s);
    } else {
        if (m_topItem > 0)
            l.scrollUp = QRect(l.area.left(), l.area.top(), l.area.width(), 10);
        if (down)
            l.scrollDown = QRect(l.area.left(), l.area.bottom() - 9, l.area.width(), 10);
    }
    return l;
}

QRect TGXCustomOutlookBar::ItemArea() const
{
    return computeLayout().area;
}

int TGXCustomOutlookBar::VisibleSlotCount() const
{
    return computeLayout().fits;
}

QRect TGXCustomOutlookBar::ScrollUpRect() const
{
    return computeLayout().scrollUp;
}

QRect TGXCustomOutlookBar::ScrollDownRect() const
{
    return computeLayout().scrollDown;
}

QRect TGXCustomOutlookBar::ItemImageRect(int index) const
{
    const Layout l = computeLayout();
    return index >= 0 && index < static_cast<int>(l.images.size()) ? l.images[static_cast<size_t>(index)] : QRect();
}

QRect TGXCustomOutlookBar::ItemCaptionRect(int index) const
{
    const Layout l = computeLayout();
    return index >= 0 && index < static_cast<int>(l.captions.size()) ? l.captions[static_cast<size_t>(index)] : QRect();
}

QRect TGXCustomOutlookBar::HeaderRect(int index) const
{
    const Layout l = computeLayout();
    return index >= 0 && index < static_cast<int>(l.headers.size()) ? l.headers[static_cast<size_t>(index)] : QRect();
}

TGXCustomOutlookBar::HitInfo TGXCustomOutlookBar::HitTest(const QPoint &pos) const
{
    const Layout l = computeLayout();
    if (l.scrollUp.contains(pos))
        return {Part::Scroll, 1};
    if (l.scrollDown.contains(pos))
        return {Part::Scroll, 0};
    for (size_t i = 0; i < l.headers.size(); ++i)
        if (l.headers[i].contains(pos))
            return {Part::Header, static_cast<int>(i)};
    for (size_t i = 0; i < l.images.size(); ++i) {
        if (l.images[i].contains(pos))
            return {Part::Image, static_cast<int>(i)};
        if (l.captions[i].contains(pos))
            return {Part::Caption, static_cast<int>(i)};
    }
    return {};
}

// ---- painting -----------------------------------------------------------------------

void TGXCustomOutlookBar::drawFrame(QPainter &p, const QRect &r, bool sunken, bool raised) const
{
    if (sunken)
        qDrawShadePanel(&p, r, palette(), true, 1);
    else if (raised)
        qDrawShadePanel(&p, r, palette(), false, 1);
}

void TGXCustomOutlookBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Color);
    qDrawShadePanel(&p, rect(), palette(), true, 1);
    const Layout l = computeLayout();

    for (int i = 0; i < ButtonCount(); ++i) {
        const QRect r = l.headers[static_cast<size_t>(i)];
        Buttons(i)->HeaderRect = r;
        const bool down = m_pressed.part == Part::Header && m_pressed.index == i && m_hover == m_pressed;
        p.fillRect(r, ButtonColor);
        qDrawShadePanel(&p, r, palette(), down, 1);
        p.setFont(ButtonFont);
        p.setPen(ButtonFontColor.isValid() ? ButtonFontColor : palette().color(QPalette::ButtonText));
        p.drawText(
            r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter | Qt::TextSingleLine,
            QFontMetrics(ButtonFont).elidedText(displayCaption(Buttons(i)->Caption()), Qt::ElideRight, r.width() - 4));
    }
    if (l.area.isEmpty())
        return;

    if (!Background.isNull()) {
        p.save();
        p.setClipRect(l.area);
        p.drawTiledPixmap(l.area, Background);
        p.restore();
    } else {
        p.fillRect(l.area, Color);
    }
    qDrawShadePanel(&p, l.area, palette(), true, 1);

    const TGXOutlookItems *button = Buttons(m_selectedButton);
    const bool rowStyle = FrameStyle == TGXOutlookFrameStyle::fsRowRaised ||
                          FrameStyle == TGXOutlookFrameStyle::fsRowLowered ||
                          FrameStyle == TGXOutlookFrameStyle::fsRowButton;
    for (int i = 0; i < button->Count(); ++i) {
        TGXOutlookItem *item = button->Item(i);
        item->ImageRect = l.images[static_cast<size_t>(i)];
        item->CaptionRect = l.captions[static_cast<size_t>(i)];
        if (item->ImageRect.isEmpty())
            continue;
        const bool hover = (m_hover.part == Part::Image || m_hover.part == Part::Caption) && m_hover.index == i;
        const bool pressed = m_pressed.part == Part::Image && m_pressed.index == i && hover;
        const bool selected = i == m_selectedItem;
        QRect box = item->ImageRect;
        if (rowStyle)
            box = QRect(l.area.left() + 2, box.top(), l.area.width() - 4, box.height());
        if (hover && ItemHightlightColor.isValid())
            p.fillRect(box.united(item->CaptionRect), ItemHightlightColor);
        if (m_images && m_images->IsValidIndex(item->ImageIndex())) {
            const QPixmap &pm = m_images->Image(item->ImageIndex());
            const QPoint at(item->ImageRect.left() + 4 + (pressed ? 1 : 0),
                            item->ImageRect.top() + 4 + (pressed ? 1 : 0));
            if (item->Enabled())
                p.drawPixmap(at, pm);
            else
                style()->drawItemPixmap(&p, QRect(at, pm.size()), Qt::AlignCenter,
                                        style()->generatedIconPixmap(QIcon::Disabled, pm, nullptr));
        }
        if (FrameStyle != TGXOutlookFrameStyle::fsNone) {
            if (pressed || selected)
                drawFrame(p, box, true, false);
            else if (hover)
                drawFrame(p, box, false, true);
            else if (FrameStyle == TGXOutlookFrameStyle::fsRaised || FrameStyle == TGXOutlookFrameStyle::fsRowRaised)
                drawFrame(p, box, false, true);
            else if (FrameStyle == TGXOutlookFrameStyle::fsLowered || FrameStyle == TGXOutlookFrameStyle::fsRowLowered)
                drawFrame(p, box, true, false);
        }
        QFont f = font();
        if (hover)
            f = ItemHightlightFont;
        else if (selected)
            f = SelectedFont;
        p.setFont(f);
        p.setPen(item->Enabled() ? (ItemFontColor.isValid() ? ItemFontColor : palette().color(QPalette::BrightText))
                                 : palette().color(QPalette::Mid));
        const QString text = displayCaption(item->Caption());
        if (WordWrap)
            p.drawText(item->CaptionRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
        else
            p.drawText(item->CaptionRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                       QFontMetrics(f).elidedText(text, Qt::ElideRight, item->CaptionRect.width()));
    }

    auto drawScroll = [&](const QRect &r, bool up, int index) {
        if (r.isEmpty())
            return;
        const bool down = m_pressed.part == Part::Scroll && m_pressed.index == index;
        p.fillRect(r, palette().color(QPalette::Button));
        qDrawShadePanel(&p, r, palette(), down, 1);
        const QPoint c = r.center();
        QPolygon tri;
        if (up)
            tri << QPoint(c.x() - 3, c.y() + 2) << QPoint(c.x() + 3, c.y() + 2) << QPoint(c.x(), c.y() - 2);
        else
            tri << QPoint(c.x() - 3, c.y() - 2) << QPoint(c.x() + 3, c.y() - 2) << QPoint(c.x(), c.y() + 2);
        p.setBrush(Qt::black);
        p.setPen(Qt::black);
        p.drawPolygon(tri);
    };
    drawScroll(l.scrollUp, true, 1);
    drawScroll(l.scrollDown, false, 0);
}

// ---- mouse --------------------------------------------------------------------------

void TGXCustomOutlookBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = HitTest(event->position().toPoint());
    m_hover = m_pressed;
    update();
}

void TGXCustomOutlookBar::mouseMoveEvent(QMouseEvent *event)
{
    const HitInfo h = HitTest(event->position().toPoint());
    if (!(h == m_hover)) {
        m_hover = h;
        update();
    }
}

void TGXCustomOutlookBar::leaveEvent(QEvent *)
{
    if (m_hover.part != Part::None) {
        m_hover = {};
        update();
    }
}

void TGXCustomOutlookBar::resizeEvent(QResizeEvent *)
{
    update();
}

void TGXCustomOutlookBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const HitInfo h = HitTest(event->position().toPoint());
    // The pressed look is cleared before any handler runs: a message box opened by a
    // handler must not show the item held down all the while.
    m_pressed = {};
    m_hover = {};
    update();
    QPointer<TGXCustomOutlookBar> self(this);

    if (h.part == Part::Header || h.part == Part::Image) {
        bool canChange = true;
        emit OnChanging(&canChange);
        if (!self || !canChange)
            return;
    }
    switch (h.part) {
    case Part::Header:
        SetSelectedButton(h.index);
        break;
    case Part::Image: {
        if (m_selectedButton < 0 || h.index >= Buttons(m_selectedButton)->Count())
            break;
        TGXOutlookItem *item = Buttons(m_selectedButton)->Item(h.index);
        if (item->Enabled()) {
            SetSelectedItem(h.index);
            if (!self)
                return;
            if (item->OnClick)
                item->OnClick();
            if (!self)
                return;
        }
        emit OnItemClick();
        break;
    }
    case Part::Scroll:
        if (h.index == 1)
            SetTopItem(m_topItem - 1);
        else
            SetTopItem(m_topItem + 1);
        break;
    case Part::Caption: {
        if (m_selectedButton < 0 || h.index >= Buttons(m_selectedButton)->Count())
            break;
        if (Buttons(m_selectedButton)->Item(h.index)->Enabled())
            SetSelectedItem(h.index);
        if (!self)
            return;
        emit OnItemTextClick();
        break;
    }
    case Part::None:
        break;
    }
}

} // namespace widgets
