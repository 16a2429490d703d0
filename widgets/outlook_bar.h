#pragma once

#include "widgets/image_list.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace widgets {

class TGXCustomOutlookBar;

enum class TGXOutlookFrameStyle { fsRaised, fsLowered, fsButton, fsNone, fsRowRaised, fsRowLowered, fsRowButton };
enum class TGXScrollBtnStyle { sbButton, sbSlider };

// One item of a button: an image with a caption under it.
class TGXOutlookItem
{
public:
    explicit TGXOutlookItem(TGXCustomOutlookBar *bar) : m_bar(bar) {}

    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    // Copies ImageIndex, Caption, Enabled and Visible.
    void Assign(const TGXOutlookItem &other);

    int Tag = 0;
    std::function<void()> OnClick; // run when the item's image is clicked while enabled

    // Where the item was laid out last (empty when not shown).
    QRect ImageRect;
    QRect CaptionRect;

private:
    TGXCustomOutlookBar *m_bar;
    int m_imageIndex = -1;
    QString m_caption;
    bool m_enabled = true;
    bool m_visible = true;
};

// One button of the bar with its items.
class TGXOutlookItems
{
public:
    TGXOutlookItems(TGXCustomOutlookBar *bar, int index) : m_bar(bar), m_index(index) {}

    const QString &Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    int Index() const { return m_index; }
    bool Visible = true;
    QRect HeaderRect; // as laid out last

    TGXOutlookItem *Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    TGXOutlookItem *Item(int index) const { return m_items[static_cast<size_t>(index)].get(); }

private:
    TGXCustomOutlookBar *m_bar;
    int m_index;
    QString m_caption;
    std::vector<std::unique_ptr<TGXOutlookItem>> m_items;
};

// The sliding side bar: a column of category buttons; the items of the selected button
// fill the space between the buttons above and below it. A click on an item's image opens
// it (OnItemClick); a click on its caption only selects it (OnItemTextClick). The change
// signal is raised synchronously inside the setters of SelectedButton and SelectedItem,
// and the owner relies on that order.
class TGXCustomOutlookBar : public QWidget
{
    Q_OBJECT
public:
    enum class Part { None, Header, Image, Caption, Scroll };
    struct HitInfo
    {
        Part part = Part::None;
        int index = -1;
        bool operator==(const HitInfo &o) const { return part == o.part && index == o.index; }
    };

    explicit TGXCustomOutlookBar(QWidget *parent = nullptr);
    ~TGXCustomOutlookBar() override;

    TGXOutlookItems *AddButton();
    TGXOutlookItems *Buttons(int index) const { return m_buttons[static_cast<size_t>(index)].get(); }
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    void ClearButtons();

    int SelectedButton() const { return m_selectedButton; }
    void SetSelectedButton(int index);
    int SelectedItem() const { return m_selectedItem; }
    void SetSelectedItem(int index);
    int TopItem() const { return m_topItem; }
    void SetTopItem(int index);

    // Settings (defaults as the bar is created).
    TGXOutlookFrameStyle FrameStyle = TGXOutlookFrameStyle::fsButton;
    int Spacing = 10;
    int TopSpacing = 4;
    bool SmoothScrolling = true; // the change of button is not animated; the result is the same
    int ScrollDelay = 5;
    TGXScrollBtnStyle ScrollBtnStyle = TGXScrollBtnStyle::sbButton;
    bool StripAccChar = true;
    bool AllowEditing = false; // in-place renaming is not offered
    bool WordWrap = false;
    QColor Color;
    QColor ButtonColor;
    QColor ItemHightlightColor; // invalid: no highlight fill
    QFont ButtonFont;
    QColor ButtonFontColor; // invalid: the button text colour of the palette
    QColor ItemFontColor;   // invalid: the bright text colour of the palette
    QFont SelectedFont;
    QFont ItemHightlightFont;
    QPixmap Background;

    const TImageList *Images() const { return m_images; }
    void SetImages(const TImageList *images);

    // Layout as the bar would paint it now (also before the first paint).
    QRect ItemArea() const;
    int HeaderHeight() const;
    int SlotHeight() const;
    int VisibleSlotCount() const;
    QRect ScrollUpRect() const;   // empty when no scroll-up button is shown
    QRect ScrollDownRect() const; // empty when no scroll-down button is shown
    QRect ItemImageRect(int index) const;
    QRect ItemCaptionRect(int index) const;
    QRect HeaderRect(int index) const;
    HitInfo HitTest(const QPoint &pos) const;
    HitInfo HoverPart() const { return m_hover; }
    // The full caption of the button header or item at pos (shown as its tooltip, since a
    // narrow bar cuts captions short); empty elsewhere.
    QString ToolTipAt(const QPoint &pos) const;
    // The bar's width at which every button header shows its whole caption.
    int WidthForCaptions() const;

    // Call after changing a setting directly.
    void Changed();

signals:
    void OnChange();
    void OnChanging(bool *canChange);
    void OnItemClick();
    void OnItemTextClick();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Layout
    {
        std::vector<QRect> headers;
        QRect area;
        std::vector<QRect> images; // per item of the selected button
        std::vector<QRect> captions;
        QRect scrollUp;
        QRect scrollDown;
        int slot = 0;
        int fits = 0;
    };
    Layout computeLayout() const;
    QSize imageSize() const;
    QString displayCaption(const QString &caption) const;
    void drawFrame(QPainter &p, const QRect &r, bool sunken, bool raised) const;

    std::vector<std::unique_ptr<TGXOutlookItems>> m_buttons;
    const TImageList *m_images = nullptr;
    int m_selectedButton = -1;
    int m_selectedItem = -1;
    int m_topItem = 0;
    HitInfo m_hover;
    HitInfo m_pressed;
};

// The bar as the main window uses it.
using TFEGXOutlookBar = TGXCustomOutlookBar;

} // namespace widgets
