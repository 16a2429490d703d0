// A panel lent to a host site goes back exactly where it stood, whoever borrows it next.
#include "widgets/panel_host.h"

#include <QSplitter>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using widgets::TPanelHost;

namespace {

// A window whose panel stands second in a splitter, as the measurement window's page area.
struct SplitterHome
{
    QWidget window;
    QSplitter *split = new QSplitter(&window);
    QWidget *first = new QWidget(split);
    QWidget *panel = new QWidget(split);
    QWidget *third = new QWidget(split);
};

// A window whose panel stands in a box layout with a stretch.
struct LayoutHome
{
    QWidget window;
    QVBoxLayout *box = new QVBoxLayout(&window);
    QWidget *top = new QWidget;
    QWidget *panel = new QWidget;
    LayoutHome()
    {
        box->addWidget(top);
        box->addWidget(panel, 3);
    }
};

struct Site
{
    QWidget window;
    QWidget *site = new QWidget(&window);
    explicit Site(bool withLayout)
    {
        if (withLayout)
            new QVBoxLayout(site);
        site->resize(300, 200);
    }
};

} // namespace

TEST(PanelHost, APanelGoesBackToItsPlaceInASplitterOrLayout)
{
    SplitterHome s;
    LayoutHome l;
    Site a(true);
    TPanelHost host(a.site);

    host.Dock(s.panel);
    EXPECT_EQ(s.panel->parentWidget(), a.site);
    EXPECT_EQ(host.Panel(), s.panel);
    EXPECT_EQ(s.split->count(), 2);
    EXPECT_EQ(TPanelHost::HolderOf(s.panel), &host);

    // Docking another panel gives the first back, in its place between its neighbours.
    host.Dock(l.panel);
    EXPECT_EQ(s.split->indexOf(s.panel), 1);
    EXPECT_EQ(s.split->count(), 3);
    EXPECT_EQ(TPanelHost::HolderOf(s.panel), nullptr);

    host.GiveBack();
    EXPECT_EQ(l.panel->parentWidget(), &l.window);
    EXPECT_EQ(l.box->indexOf(l.panel), 1);
    EXPECT_EQ(l.box->stretch(1), 3);
    EXPECT_EQ(host.Panel(), nullptr);
}

TEST(PanelHost, ASecondHostTakesThePanelFromTheFirstAndItsHomeStaysTheOwner)
{
    SplitterHome s;
    Site a(true), b(false);
    TPanelHost first(a.site), second(b.site);
    b.window.show(); // a hidden widget hears of its resize only when shown

    first.Dock(s.panel);
    second.Dock(s.panel);
    EXPECT_EQ(first.Panel(), nullptr);
    EXPECT_EQ(s.panel->parentWidget(), b.site);
    // Without a layout the panel fills the site and follows its size.
    EXPECT_EQ(s.panel->geometry(), QRect(0, 0, 300, 200));
    b.site->resize(400, 250);
    EXPECT_EQ(s.panel->geometry(), QRect(0, 0, 400, 250));

    first.GiveBack(); // holds nothing any more: touches nothing
    EXPECT_EQ(s.panel->parentWidget(), b.site);
    second.GiveBack();
    EXPECT_EQ(s.panel->parentWidget(), s.split) << "home is the owner, not the first host";
    EXPECT_EQ(s.split->indexOf(s.panel), 1);
}

TEST(PanelHost, APanelItsOwnerTookBackIsOnlyForgottenAndVisibilityIsRestored)
{
    SplitterHome s;
    LayoutHome l;
    l.panel->hide();
    Site a(true);
    {
        TPanelHost host(a.site);
        host.Dock(s.panel);
        s.split->insertWidget(1, s.panel); // the owner takes its panel back by itself
        host.GiveBack();
        EXPECT_EQ(s.split->indexOf(s.panel), 1);

        host.Dock(l.panel);
        l.panel->show(); // the host shows what it docks
        EXPECT_FALSE(l.panel->isHidden());
    } // destroying the host gives the panel back, hidden as it was
    EXPECT_EQ(l.panel->parentWidget(), &l.window);
    EXPECT_TRUE(l.panel->isHidden());
}

TEST(PanelHost, APanelWhoseOwnerIsGoneStaysHiddenInTheSite)
{
    Site a(true);
    TPanelHost host(a.site);
    auto *owner = new QWidget;
    auto *panel = new QWidget(owner);
    host.Dock(panel);
    delete owner; // the panel is no longer its child
    host.GiveBack();
    EXPECT_EQ(panel->parentWidget(), a.site);
    EXPECT_TRUE(panel->isHidden());
}
