#include "app/startup.h"
#include "platform/window_registry.h"
#include "printouts/form_page.h"
#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"
#include "shell/frm_main.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QProcess>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

TEST(StartupCheck, MissingIniReportsFileNameAndStops)
{
    FixtureFolder fx;
    ScriptedPrompter prompter;
    EXPECT_FALSE(app::RunModuleInitialisations({}));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Brak pliku konfiguracyjnego : Tarvelin.ini"));
    fx.Write("Tarvelin.ini", "");
    EXPECT_TRUE(app::RunModuleInitialisations({}));
    EXPECT_EQ(prompter.boxes.size(), 1);
}

TEST(StartupWindows, OnlyTheMainWindowIsMadeTheOthersByNameInTheirOrder)
{
    FixtureFolder fx(true);
    ScriptedPrompter prompter;
    const QStringList names = app::StartupWindowNames();
    ASSERT_EQ(names.size(), 26);
    EXPECT_EQ(names.first(), QStringLiteral("frmMain"));
    EXPECT_EQ(names[1], QStringLiteral("frmProgres"));
    EXPECT_EQ(names.last(), QStringLiteral("frmStatKartWypP2_2"));
    app::CreateStartupWindows();
    ASSERT_EQ(platform::RegisteredWindows(), QList<QWidget *>{shell::frmMain()});

    // Asked for out of order, by name or through the composer's own road: each is made
    // once, under its name, and stands where the list puts it (so exit destroys them in
    // the list's reverse order); the views' own windows stand where their view makes them.
    auto *card = dynamic_cast<printouts::TFormPage *>(platform::WindowByName("frmStatKartWypP2_2"));
    ASSERT_TRUE(card && printouts::PageForm("frmStatKartWypP2_2") == card);
    EXPECT_TRUE(card->LayoutErrors().isEmpty() && !card->Components().empty());
    EXPECT_EQ(platform::WindowByName("frmWydruk"), printouts::frmWydruk());
    for (const QString &name : names) {
        QWidget *w = platform::WindowByName(name);
        EXPECT_TRUE(w && w->objectName() == name && platform::WindowByName(name) == w) << name.toStdString();
    }
    QStringList expected = names, inOrder;
    for (const char *view : {"frmCzynniki", "frmStanCzyn", "frmZestaw", "frmCzynnWl"})
        expected.removeAll(view);
    for (QWidget *w : platform::RegisteredWindows())
        if (expected.contains(w->objectName()))
            inOrder << w->objectName();
    EXPECT_EQ(inOrder, expected);
    platform::DestroyAllWindows();
    EXPECT_TRUE(platform::RegisteredWindows().isEmpty());
}

TEST(Locale, PolishSystemLocaleStillGivesDotAndIsoDates)
{
    const char *polish = std::setlocale(LC_NUMERIC, "pl_PL.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    app::FixLocale();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 2.5);
    EXPECT_STREQ(buf, "2.5");
    EXPECT_EQ(QLocale().toString(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(QDate(2009, 3, 5).toString(QStringLiteral("yyyy-MM-dd")), QStringLiteral("2009-03-05"));
    if (!polish)
        GTEST_LOG_(INFO) << "pl_PL.UTF-8 is not generated here; checked the Qt side only";
}

TEST(GeometrySurvivesRestart, MainWindowSizeIsKept)
{
    FixtureFolder fx(true);
    shell::frmMain()->resize(900, 650);
    platform::DestroyAllWindows(); // as at exit: saves the geometry
    EXPECT_TRUE(fx.ReadText("Tarvelin.ini").contains("frmMain.Width=900"));
    EXPECT_EQ(shell::frmMain()->size(), QSize(900, 650));
    platform::DestroyAllWindows();
}

// The real executable, started as installed in a folder without its configuration file.
TEST(BlackBox, ProgramWithoutIniEndsWithNonZeroCode)
{
    const QString exe = QStringLiteral(TARVELIN_BINARY);
    FixtureFolder fx;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARVELIN_HOME", fx.Path());
    env.insert("TARVELIN_SCRIPTED_BOXES", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(exe, {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("Brak pliku konfiguracyjnego : Tarvelin.ini")));
}

TEST(BlackBox, ProgramStartsAndClosesCleanly)
{
    FixtureFolder fx(true);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARVELIN_HOME", fx.Path());
    env.insert("TARVELIN_SCRIPTED_BOXES", "1");
    env.insert("TARVELIN_AUTOCLOSE_MS", "500");
    if (!env.contains("DISPLAY"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TARVELIN_BINARY), {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    EXPECT_TRUE(fx.ReadText("Tarvelin.ini").contains("frmMain.Width="));
}

TEST(CommandLine, DebugSwitchesAndMarkerFile)
{
    FixtureFolder fx;
    EXPECT_FALSE(app::DebugModeRequested({"Tarvelin"}));
    EXPECT_TRUE(app::DebugModeRequested({"Tarvelin", "/DEBUG"}));
    EXPECT_TRUE(app::DebugModeRequested({"Tarvelin", "x", "-Debug"}));
    EXPECT_FALSE(app::DebugModeRequested({"/debug"})); // the program's own path is no parameter
    EXPECT_FALSE(app::DebugModeRequested({"Tarvelin", "--debug"}));
    fx.Write("debug.debug", "");
    EXPECT_TRUE(app::DebugModeRequested({"Tarvelin"}));
}
