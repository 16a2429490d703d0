#include "widgets/caption_panel.h"
#include "widgets/outlook_bar.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace widgets;

namespace {

// A bar with two buttons of n items each, shown at a fixed size.
struct BarFixture
{
    explicit BarFixture(int items = 3, int height = 400)
    {
        bar.resize(120, height);
        bar.SmoothScrolling = false;
        for (int b = 0; b < 2; ++b) {
            TGXOutlookItems *button = bar.AddButton();
            button->SetCaption(QStringLiteral("Grupa %1").arg(b));
            for (int i = 0; i < items; ++i) {
                TGXOutlookItem *item = button->Add();
                item->SetCaption(QStringLiteral("Element %1").arg(i));
                item->Tag = i + 1;
            }
        }
        bar.show();
    }
    TGXCustomOutlookBar bar;
};

} // namespace

TEST(OutlookBarSelection, FirstButtonIsSelectedWithoutChangeEvent)
{
    TGXCustomOutlookBar bar;
    QSignalSpy change(&bar, &TGXCustomOutlookBar::OnChange);
    EXPECT_EQ(bar.SelectedButton(), -1);
    bar.SetSelectedButton(0); // no buttons: stays -1
    EXPECT_EQ(bar.SelectedButton(), -1);
    bar.AddButton();
    EXPECT_EQ(bar.SelectedButton(), 0);
    EXPECT_EQ(change.count(), 0);
}

TEST(OutlookBarSelection, ChangeIsRaisedInsideTheSetterOnlyForARealChange)
{
    BarFixture f;
    int seenButton = -2;
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnChange, [&] { seenButton = f.bar.SelectedButton(); });
    QSignalSpy change(&f.bar, &TGXCustomOutlookBar::OnChange);
    f.bar.SetSelectedButton(0); // current: nothing
    EXPECT_EQ(change.count(), 0);
    f.bar.SetSelectedButton(1);
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(seenButton, 1); // synchronous, state already changed
    EXPECT_EQ(f.bar.SelectedItem(), -1);
    f.bar.SetSelectedButton(5); // outside: ignored
    EXPECT_EQ(f.bar.SelectedButton(), 1);
    EXPECT_EQ(change.count(), 1);
    f.bar.SetSelectedButton(-3); // negative becomes 0
    EXPECT_EQ(f.bar.SelectedButton(), 0);
}

TEST(OutlookBarSelection, ItemSetterRefusesHiddenAndIgnoresOutOfRange)
{
    BarFixture f;
    QSignalSpy change(&f.bar, &TGXCustomOutlookBar::OnChange);
    f.bar.SetSelectedItem(1);
    EXPECT_EQ(f.bar.SelectedItem(), 1);
    EXPECT_EQ(change.count(), 1);
    f.bar.SetSelectedItem(1);
    EXPECT_EQ(change.count(), 1);
    f.bar.SetSelectedItem(99);
    EXPECT_EQ(f.bar.SelectedItem(), 1);
    EXPECT_EQ(change.count(), 1);
    f.bar.Buttons(0)->Item(2)->SetVisible(false);
    f.bar.SetSelectedItem(2);
    EXPECT_EQ(f.bar.SelectedItem(), -1);
}

TEST(OutlookBarMouse, IconClickSelectsAndRaisesItemClickCaptionClickOnlySelects)
{
    BarFixture f;
    QStringList events;
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnChange, [&] { events << "change"; });
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnChanging, [&](bool *) { events << "changing"; });
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnItemClick, [&] { events << "itemclick"; });
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnItemTextClick, [&] { events << "textclick"; });
    int clicked = 0;
    f.bar.Buttons(0)->Item(1)->OnClick = [&] { ++clicked; };

    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.ItemImageRect(1).center());
    EXPECT_EQ(events, QStringList({"changing", "change", "itemclick"}));
    EXPECT_EQ(f.bar.SelectedItem(), 1);
    EXPECT_EQ(clicked, 1);

    events.clear();
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.ItemCaptionRect(2).center());
    EXPECT_EQ(events, QStringList({"change", "textclick"}));
    EXPECT_EQ(f.bar.SelectedItem(), 2);
}

TEST(OutlookBarMouse, HeaderClickChangesButtonAndCanBeRefused)
{
    BarFixture f;
    bool allow = false;
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnChanging, [&](bool *can) { *can = allow; });
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.HeaderRect(1).center());
    EXPECT_EQ(f.bar.SelectedButton(), 0);
    allow = true;
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.HeaderRect(1).center());
    EXPECT_EQ(f.bar.SelectedButton(), 1);
    // The second button's header moved to the top stack, just under the first.
    EXPECT_EQ(f.bar.HeaderRect(1).top(), f.bar.HeaderRect(0).bottom() + 1);
}

TEST(OutlookBarMouse, DisabledItemIsNotSelectedButItemClickIsRaised)
{
    BarFixture f;
    int clicked = 0;
    QSignalSpy itemClick(&f.bar, &TGXCustomOutlookBar::OnItemClick);
    f.bar.Buttons(0)->Item(0)->SetEnabled(false);
    f.bar.Buttons(0)->Item(0)->OnClick = [&] { ++clicked; };
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.ItemImageRect(0).center());
    EXPECT_EQ(f.bar.SelectedItem(), -1);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(itemClick.count(), 1);
}

TEST(OutlookBarMouse, PressedLookIsClearedBeforeHandlersRun)
{
    BarFixture f;
    TGXCustomOutlookBar::Part seen = TGXCustomOutlookBar::Part::Image;
    QObject::connect(&f.bar, &TGXCustomOutlookBar::OnItemClick, [&] { seen = f.bar.HoverPart().part; });
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.ItemImageRect(0).center());
    EXPECT_EQ(seen, TGXCustomOutlookBar::Part::None);
}

TEST(OutlookBarLayout, SlotAndHeaderArithmetic)
{
    BarFixture f;
    TImageList images(32, 32);
    f.bar.SetImages(&images);
    const int textH = f.bar.fontMetrics().height();
    EXPECT_EQ(f.bar.SlotHeight(), 32 + 12 + textH + f.bar.Spacing);
    EXPECT_EQ(f.bar.HeaderHeight(), QFontMetrics(f.bar.ButtonFont).height() + 8);
    const QRect img = f.bar.ItemImageRect(0);
    EXPECT_EQ(img.size(), QSize(40, 40));
    EXPECT_EQ(img.top(), f.bar.ItemArea().top() + f.bar.TopSpacing);
    EXPECT_EQ(f.bar.ItemImageRect(1).top() - img.top(), f.bar.SlotHeight());
    TImageList small(16, 16);
    f.bar.SetImages(&small);
    EXPECT_EQ(f.bar.ItemImageRect(0).size(), QSize(24, 24));
}

TEST(OutlookBarScrolling, ScrollButtonsMoveTopItemAndSelectionScrollsIntoView)
{
    BarFixture f(12, 260);
    const int fits = f.bar.VisibleSlotCount();
    ASSERT_GT(fits, 0);
    ASSERT_LT(fits, 12);
    EXPECT_TRUE(f.bar.ScrollUpRect().isEmpty());
    ASSERT_FALSE(f.bar.ScrollDownRect().isEmpty());
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.ScrollDownRect().center());
    EXPECT_EQ(f.bar.TopItem(), 1);
    ASSERT_FALSE(f.bar.ScrollUpRect().isEmpty());
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.bar.ScrollUpRect().center());
    EXPECT_EQ(f.bar.TopItem(), 0);

    f.bar.SetSelectedItem(10);
    EXPECT_EQ(f.bar.TopItem(), 10 - (fits - 1));
    EXPECT_FALSE(f.bar.ItemImageRect(10).isEmpty());
    f.bar.SetSelectedItem(0);
    EXPECT_EQ(f.bar.TopItem(), 0);
}

TEST(OutlookBarPainting, EmptyBarAndAmpersandCaptionsPaint)
{
    TGXCustomOutlookBar empty;
    empty.resize(100, 200);
    empty.grab(); // paints only its frame
    BarFixture f;
    f.bar.Buttons(0)->Item(0)->SetCaption("&Nowy");
    f.bar.WordWrap = true;
    const QImage img = f.bar.grab().toImage();
    EXPECT_FALSE(img.isNull());
}

TEST(ImageList, MagentaBecomesTransparentAndOtherSizesAreScaled)
{
    TImageList list(16, 16);
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    img.setPixel(0, 0, qRgb(0, 0, 0));
    EXPECT_EQ(list.AddMasked(img, QColor(255, 0, 255)), 0);
    const QImage stored = list.Image(0).toImage();
    EXPECT_EQ(stored.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(stored.pixel(8, 8)), 0);
    EXPECT_EQ(list.AddMaskedFile("/nonexistent/x.bmp", Qt::magenta), -1);
    EXPECT_EQ(list.Count(), 1);
}

TEST(CaptionPanel, ChildFillsTheAreaBelowTheBar)
{
    TFECaptionPanel panel;
    panel.SetCaptionHeight(20);
    panel.resize(300, 200);
    auto *child = new QLabel("x");
    panel.ContentLayout()->addWidget(child);
    panel.show();
    QApplication::processEvents();
    EXPECT_EQ(child->geometry().top(), 20);
    EXPECT_EQ(panel.ClientRect().top(), 20);
}

TEST(CaptionPanel, ButtonClickOnlyWhenReleasedInsideAndNotOnItsEdge)
{
    TFECaptionPanel panel;
    panel.resize(300, 200);
    panel.show();
    QSignalSpy click(&panel, &TFECaptionPanel::OnBtnClick);
    const QRect r = panel.ButtonRect();
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(r.top(), 1 + 2); // bar top (inside the bevel) + 2
    EXPECT_EQ(r.width(), r.height());
    QTest::mouseClick(&panel, Qt::LeftButton, {}, r.center());
    EXPECT_EQ(click.count(), 1);
    // Pressed on the button, released off it: no click.
    QTest::mousePress(&panel, Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(5, 100));
    EXPECT_EQ(click.count(), 1);
    // The edge pixel is outside.
    QTest::mouseClick(&panel, Qt::LeftButton, {}, r.topLeft());
    EXPECT_EQ(click.count(), 1);
    EXPECT_FALSE(panel.InsideButton(r.topLeft()));
    panel.SetButtonVisible(false);
    EXPECT_TRUE(panel.ButtonRect().isEmpty());
    QTest::mouseClick(&panel, Qt::LeftButton, {}, r.center());
    EXPECT_EQ(click.count(), 1);
}

TEST(OutlookBarLayout, WrappedCaptionsGetRoomForTheirLines)
{
    BarFixture f;
    f.bar.WordWrap = true;
    const int single = f.bar.SlotHeight();
    f.bar.Buttons(0)->Item(1)->SetCaption("Karta wypadku w drodze do pracy");
    const int textH = f.bar.fontMetrics().height();
    EXPECT_GE(f.bar.SlotHeight(), single + textH);
    EXPECT_LE(f.bar.SlotHeight(), single + 2 * textH);
    EXPECT_EQ(f.bar.ItemCaptionRect(0).height(), f.bar.SlotHeight() - 32 - 12 - f.bar.Spacing);
    EXPECT_LT(f.bar.ItemCaptionRect(0).bottom(), f.bar.ItemImageRect(1).top());
}

TEST(OutlookBarCaptions, ACaptionCutShortIsReadInFullAsTheTooltipAndTheBarKnowsTheWidthItNeeds)
{
    BarFixture f;
    const QString longCaption = QStringLiteral("Badania profilaktyczne i szkolenia BHP");
    f.bar.Buttons(1)->SetCaption(longCaption);
    f.bar.Changed();
    const QRect header = f.bar.HeaderRect(1);
    EXPECT_GT(QFontMetrics(f.bar.ButtonFont).horizontalAdvance(longCaption), header.width() - 4); // cut short
    EXPECT_EQ(f.bar.ToolTipAt(header.center()), longCaption);
    EXPECT_EQ(f.bar.ToolTipAt(f.bar.ItemImageRect(0).center()), "Element 0");
    EXPECT_EQ(f.bar.ToolTipAt(QPoint(-5, -5)), "");
    f.bar.resize(f.bar.WidthForCaptions(), f.bar.height());
    EXPECT_LE(QFontMetrics(f.bar.ButtonFont).horizontalAdvance(longCaption), f.bar.HeaderRect(1).width() - 4);
}
