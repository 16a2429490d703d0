#include "app/startup.h"
#include "platform/cp1250.h"
#include "platform/window_registry.h"
#include "shell/frm_main.h"
#include "shell/help_debug_log.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

// On a real X display (ctest runs it under Xvfb): the program as started, F1 pressed in the
// main window, and the system's help viewer showing the page of the view on screen. The
// screen is kept as test-output/help_f1.png in the build folder.
TEST(HelpOnScreen, F1InTheMainWindowShowsThePageOfTheCurrentView)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (ctest runs it under xvfb-run)";
    ASSERT_FALSE(QStandardPaths::findExecutable("xchm").isEmpty()) << "tools/deps.sh installs xchm";
    FixtureFolder fx(true);
    ScriptedPrompter prompter;
    ASSERT_TRUE(app::RunModuleInitialisations({"Tarvelin", "/debug"}));
    app::CreateStartupWindows();
    shell::TfrmMain *w = shell::frmMain();
    w->move(0, 0);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QApplication::setActiveWindow(w);
    QTest::qWait(300);
    // The first item shown at start is the workstation view; the focus is on the bar.
    ASSERT_EQ(w->property("helpContext").toInt(), 1100);
    QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    ASSERT_EQ(focus->window(), w);
    QTest::keyClick(focus, Qt::Key_F1);
    QTest::qWait(5000); // the viewer starts and draws its page

    const QString out = QStringLiteral(TARVELIN_TEST_OUTPUT);
    QDir().mkpath(out);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    EXPECT_TRUE(shot.save(out + QStringLiteral("/help_f1.png")));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();
    const QString log = platform::DecodeCp1250(fx.Read("HHDebug.txt"));
    EXPECT_TRUE(log.contains(QStringLiteral("ShowContext(\"Tarvelin.chm\", 1100)\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("  returned - 0\r\n"))) << log.toStdString();

    platform::DestroyAllWindows(); // closes the viewer
    shell::FinishHelpDebugLog();
    EXPECT_TRUE(platform::DecodeCp1250(fx.Read("HHDebug.txt")).contains(QStringLiteral("THookHelpSystem.Destroy")));
}
