#include "widgets/form_geometry.h"
#include "tests/support/fixture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QSplitter>
#include <QWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

using testsupport::FixtureFolder;

namespace {

struct Window
{
    QWidget form;
    QSplitter *split;
    QWidget *pLeft;
    QWidget *pRight;
    Window()
    {
        form.setObjectName("frmTest");
        split = new QSplitter(&form);
        split->setObjectName("split");
        split->resize(600, 400);
        pLeft = new QWidget(split);
        pLeft->setObjectName("pLeft");
        pRight = new QWidget(split);
        pRight->setObjectName("pRight");
        split->setSizes({100, 500});
        form.resize(700, 500);
        form.move(10, 20);
    }
};

} // namespace

TEST(FormGeometry, FreshInstallationKeepsDesignedGeometry)
{
    FixtureFolder fx;
    Window w;
    widgets::RestoreFormGeometry(&w.form);
    EXPECT_EQ(w.form.size(), QSize(700, 500));
    EXPECT_EQ(widgets::ExtractComponentName("frmMain.Top"), QStringLiteral("frmMain"));
    EXPECT_EQ(widgets::ExtractComponentName("bez"), QStringLiteral("bez"));
}

TEST(FormGeometry, SaveThenRestoreWindowAndSplitterPane)
{
    FixtureFolder fx;
    int saved = 0;
    {
        Window w;
        w.form.resize(810, 590);
        w.form.move(33, 44);
        w.split->setSizes({150, 450});
        saved = w.split->sizes().value(0);
        ASSERT_TRUE(widgets::SaveFormGeometry(&w.form, w.pLeft, nullptr));
    }
    const QString ini = fx.ReadText("Tarvelin.ini");
    EXPECT_TRUE(ini.contains("[frmTest]\nfrmTest.ClassName=QWidget\nfrmTest.Top=44\nfrmTest.Left=33\nfrmTest.Width=810\nfrmTest.Height=590\npLeft.ClassName="));
    EXPECT_TRUE(ini.contains(QStringLiteral("pLeft.Width=%1\n").arg(saved)));
    Window again;
    widgets::RestoreFormGeometry(&again.form);
    EXPECT_EQ(again.form.size(), QSize(810, 590));
    EXPECT_EQ(again.form.pos(), QPoint(33, 44));
    EXPECT_EQ(again.split->sizes().value(0), saved);
    EXPECT_GT(saved, 140);
}

TEST(FormGeometry, PaneOfASplitterNotLaidOutYetNeverSqueezesItsNeighbour)
{
    FixtureFolder fx;
    fx.WriteText("Tarvelin.ini", "[frmTest]\npLeft.Width=200\n");
    // As in a view window: the splitter sits in a layout and gets its size only when the
    // panel is shown; until then its sizes mean nothing.
    QWidget form;
    form.setObjectName("frmTest");
    auto *layout = new QHBoxLayout(&form);
    auto *split = new QSplitter(&form);
    layout->addWidget(split);
    auto *pLeft = new QWidget(split);
    pLeft->setObjectName("pLeft");
    auto *pRight = new QWidget(split);
    split->setSizes({100, 500});
    form.resize(920, 600);
    widgets::RestoreFormGeometry(&form);
    form.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(split->sizes().value(0), 200);
    EXPECT_GT(split->sizes().value(1), 500);
    EXPECT_GT(pRight->width(), 500);
}

TEST(FormGeometry, UnsetValuesAndUnknownComponentsAreIgnored)
{
    FixtureFolder fx;
    fx.WriteText("Tarvelin.ini", "[frmTest]\nfrmTest.Top=-9999\nfrmTest.Left=5\nfrmTest.Width=640\nfrmGone.Width=1\nfrmTest.Height=abc\n");
    Window w;
    widgets::RestoreFormGeometry(&w.form);
    EXPECT_EQ(w.form.y(), 20);
    EXPECT_EQ(w.form.x(), 5);
    EXPECT_EQ(w.form.width(), 640);
    EXPECT_EQ(w.form.height(), 500);
    // Saving keeps the foreign key it does not own.
    widgets::SaveFormGeometry(&w.form);
    EXPECT_TRUE(fx.ReadText("Tarvelin.ini").contains("frmGone.Width=1"));
}

TEST(FormGeometry, ShownWindowComesBackWhereItWas)
{
    // Top and Left are the window's outer position, as move() takes it; saving the inner
    // position would move a framed window down and right on every run.
    FixtureFolder fx;
    QPoint where;
    {
        Window w;
        w.form.show();
        w.form.move(60, 70);
        where = w.form.pos();
        ASSERT_TRUE(widgets::SaveFormGeometry(&w.form));
    }
    Window again;
    again.form.show();
    widgets::RestoreFormGeometry(&again.form);
    EXPECT_EQ(again.form.pos(), where);
    again.form.hide();
}

TEST(FormGeometry, WindowSavedOnAScreenThatIsGoneComesBackIntoView)
{
    FixtureFolder fx;
    fx.WriteText("Tarvelin.ini", "[frmTest]\nfrmTest.Top=4000\nfrmTest.Left=9000\nfrmTest.Width=640\nfrmTest.Height=480\n");
    Window w;
    widgets::RestoreFormGeometry(&w.form);
    EXPECT_EQ(w.form.size(), QSize(640, 480));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(w.form.pos(), w.form.size())));
    EXPECT_EQ(w.form.pos(), screen.topLeft());
}

// At exit every window stores its geometry: the file is written once, at the end, with
// what one write per window would have left; and not at all when nothing changed.
TEST(FormGeometry, ExitBatchWritesOnceTheSameContentAndNothingWhenUnchanged)
{
    const QByteArray shipped = "; ustawienia\r\n[frmTest]\r\nfrmTest.Width=1\r\n";
    FixtureFolder fx;
    Window w;
    QWidget other;
    other.setObjectName("frmOther");
    const auto saveBoth = [&] {
        EXPECT_TRUE(widgets::SaveFormGeometry(&w.form, w.pLeft, nullptr));
        EXPECT_TRUE(widgets::SaveFormGeometry(&other));
    };
    const auto inode = [&] {
        struct stat st = {};
        return ::stat(fx.FilePath("Tarvelin.ini").toLocal8Bit().constData(), &st) == 0 ? st.st_ino : 0;
    };
    fx.Write("Tarvelin.ini", shipped);
    saveBoth();
    const QByteArray oneByOne = fx.Read("Tarvelin.ini");
    fx.Write("Tarvelin.ini", shipped);
    {
        widgets::GeometryBatch batch;
        EXPECT_TRUE(widgets::SaveFormGeometry(&w.form, w.pLeft, nullptr));
        EXPECT_EQ(fx.Read("Tarvelin.ini"), shipped);
        EXPECT_TRUE(widgets::SaveFormGeometry(&other));
    }
    EXPECT_EQ(fx.Read("Tarvelin.ini"), oneByOne);
    const auto written = inode();
    {
        widgets::GeometryBatch batch;
        saveBoth();
    }
    saveBoth();
    EXPECT_EQ(inode(), written);
    EXPECT_EQ(fx.Read("Tarvelin.ini"), oneByOne);
}
