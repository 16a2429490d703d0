#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "platform/cp1250.h"
#include "platform/window_registry.h"
#include "shell/frm_main.h"
#include "shell/help_debug_log.h"
#include "shell/help_topics.h"
#include "shell/html_help.h"
#include "storage/navigation_file.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/bitbtn_with_color.h"
#include "workstations/views.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>

using namespace shell;
using testsupport::FixtureFolder;
using testsupport::RecordingLauncher;
using testsupport::ScriptedPrompter;

namespace {

// A window as the main window hosts a view: the view's panel (named as the workstation
// view's) with an editor in it, inside a window of its own context.
struct HostedView
{
    HostedView()
    {
        window.setObjectName("frmMain");
        window.setProperty("helpContext", MainWindowHelpContext);
        panel = new QWidget(&window);
        panel->setObjectName("pDefStan");
        editor = new QLineEdit(panel);
        window.show();
        QApplication::setActiveWindow(&window);
        editor->setFocus();
    }
    QWidget window;
    QWidget *panel;
    QLineEdit *editor;
};

class HtmlHelp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::DestroyAllWindows(); // the help window of an earlier test goes, with its hook
        InstallHelpKey();
        launcher.availablePrograms << "xchm";
    }
    void TearDown() override
    {
        platform::DestroyAllWindows();
        FinishHelpDebugLog();
    }
    QStringList logTail()
    {
        QStringList lines = platform::DecodeCp1250(fx.Read("HHDebug.txt")).split("\r\n");
        const int end = lines.lastIndexOf(QString(79, '='));
        return lines.mid(end + 1, lines.size() - end - 2);
    }
    FixtureFolder fx{true};
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
};

} // namespace

TEST_F(HtmlHelp, F1OnAViewControlOpensItsTopicAndLogsEveryStep)
{
    InitHelpDebugLog(true, {"Tarvelin"}, QStringLiteral("/usr/bin/xchm"));
    frmHTMLHelp(); // as at start-up
    HostedView v;
    QTest::keyClick(v.editor, Qt::Key_F1);
    ASSERT_EQ(launcher.owned.size(), 1);
    EXPECT_EQ(launcher.owned[0].program, "/usr/bin/xchm");
    EXPECT_EQ(launcher.owned[0].arguments, (QStringList{"-c", "1100", fx.FilePath("Tarvelin.chm")}));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();

    const QPoint corner = v.panel->mapToGlobal(QPoint(0, 0));
    const qint32 packed = static_cast<qint32>((quint32(corner.y()) << 16) | quint32(corner.x() & 0xffff));
    const QStringList lines = logTail();
    ASSERT_EQ(lines.size(), 6) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("   THookHelpSystem.Create(\"Tarvelin.chm\",\"\", 0)")));
    EXPECT_TRUE(
        lines[1].endsWith(QStringLiteral("   THookHelpSystem.HelpHook(13 (HELP_SETPOPUP_POS), %1)").arg(packed)));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("   THookHelpSystem.HelpHook(1 (HELP_CONTEXT), 1100)")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("   HHHelpContext(\"Tarvelin.chm\", 1100, \"\", 0)")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("   ShowContext(\"Tarvelin.chm\", 1100)")));
    EXPECT_TRUE(lines[5].endsWith(QStringLiteral("     returned - 0"))) << lines[5].toStdString();
    EXPECT_EQ(frmHTMLHelp()->Hook()->PopupPos, corner);

    // One viewer at a time: the next request closes the previous one. Outside the view's
    // panel the window's own topic is asked for.
    v.window.setFocus();
    QTest::keyClick(&v.window, Qt::Key_F1);
    ASSERT_EQ(launcher.owned.size(), 2);
    EXPECT_EQ(launcher.owned[1].arguments.mid(0, 2), (QStringList{"-c", "1000"}));
    EXPECT_EQ(launcher.Running(), QList<qint64>{2});
    // Closing the program closes the viewer.
    platform::DestroyAllWindows();
    EXPECT_TRUE(launcher.Running().isEmpty());
    EXPECT_TRUE(logTail().last().endsWith(QStringLiteral("   THookHelpSystem.Destroy")));
}

TEST_F(HtmlHelp, F1InADialogWithItsOwnContextAndKchmviewerPages)
{
    launcher.availablePrograms = QStringList{"kchmviewer"};
    QDialog editor;
    editor.setProperty("helpContext", 9150); // the Risk Score parameter editor
    auto *grid = new QLineEdit(&editor);
    editor.show();
    QApplication::setActiveWindow(&editor);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F1);
    ASSERT_EQ(launcher.owned.size(), 1);
    EXPECT_EQ(launcher.owned[0].program, "/usr/bin/kchmviewer");
    EXPECT_EQ(launcher.owned[0].arguments,
              (QStringList{"-showPage", "parametry_risk_score.html", fx.FilePath("Tarvelin.chm")}));
    // A help button of the dialog asks for the same topic.
    auto *help = new widgets::TBitBtnWithColor(&editor);
    help->SetKind(widgets::TBitBtnWithColorKind::bkHelp);
    help->click();
    ASSERT_EQ(launcher.owned.size(), 2);
    EXPECT_EQ(launcher.owned[1].arguments.value(1), "parametry_risk_score.html");
}

TEST_F(HtmlHelp, WhatCannotBeShownIsToldAndTheProgramGoesOn)
{
    InitHelpDebugLog(true, {"Tarvelin"}, QString());
    struct Case
    {
        const char *what;
        std::function<void()> prepare;
        int context;
        QString message;
    };
    const QString file = fx.FilePath("Tarvelin.chm");
    const std::vector<Case> cases = {
        {"no viewer", [&] { launcher.availablePrograms.clear(); }, 1000,
         QStringLiteral("MS Html Help is not installed on this PC.")},
        {"topic the file does not have", [&] { launcher.availablePrograms = {"xchm"}; }, 4242,
         QStringLiteral("W pliku pomocy nie ma tematu nr 4242:\n") + file},
        {"viewer that does not start", [&] { launcher.result = false; }, 1000,
         QStringLiteral("Nie udało się uruchomić przeglądarki pomocy /usr/bin/xchm.")},
        {"damaged file", [&] { fx.Write("Tarvelin.chm", fx.Read("Tarvelin.chm").left(700)); }, 1000,
         QStringLiteral("Plik pomocy jest uszkodzony lub nie jest plikiem pomocy:\n") + file},
        {"missing file", [&] { QFile::remove(file); }, 1000, QStringLiteral("Nie znaleziono pliku pomocy:\n") + file},
    };
    for (const Case &c : cases) {
        prompter.boxes.clear();
        c.prepare();
        ShowHelpContext(c.context);
        ASSERT_EQ(prompter.boxes.size(), 1) << c.what;
        EXPECT_EQ(prompter.boxes[0].text, c.message) << c.what;
        EXPECT_EQ(prompter.boxes[0].caption, "Tarvelin");
        EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Warning);
    }
    EXPECT_TRUE(launcher.owned.isEmpty());
    const QString log = logTail().join('\n');
    EXPECT_TRUE(log.contains(QStringLiteral("     returned - 1\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("   HHShowError(1), \"MS Html Help is not installed on this PC.\"")));
}

TEST_F(HtmlHelp, HookTakesContextsAndPositionsAndLeavesTheRest)
{
    THookHelpSystem hook("Tarvelin.chm", QString(), hvHtmlHelp);
    EXPECT_EQ(InstalledHelpHook(), &hook);
    bool callHelp = false;
    EXPECT_TRUE(hook.HelpHook(HELP_SETPOPUP_POS, (7 << 16) | 12, callHelp));
    EXPECT_FALSE(callHelp);
    EXPECT_EQ(hook.PopupPos, QPoint(12, 7));
    for (int command : {int(HELP_QUIT), int(HELP_INDEX), int(HELP_KEY), int(HELP_FINDER), 77}) {
        callHelp = false;
        EXPECT_TRUE(hook.HelpHook(command, 0, callHelp));
        EXPECT_TRUE(callHelp) << command;
    }
    EXPECT_TRUE(launcher.owned.isEmpty());
    hook.HelpHook(HELP_CONTEXTPOPUP, 1300, callHelp);
    EXPECT_FALSE(callHelp);
    ASSERT_EQ(launcher.owned.size(), 1);
    EXPECT_EQ(launcher.owned[0].arguments.value(1), "1300");
    EXPECT_EQ(HelpCommandName(HELP_CONTEXT), "1 (HELP_CONTEXT)");
    EXPECT_EQ(HelpCommandName(HELP_INDEX), "3 (HELP_INDEX or HELP_CONTENTS)");
    EXPECT_EQ(HelpCommandName(HELP_SETWINPOS), "515 (HELP_SETWINPOS)");
    EXPECT_EQ(HelpCommandName(6), "6 (?"
                                  "?)"); // any other number
}

// The real launcher with a stand-in viewer: the process really ends when the program does,
// and a help file name with "%20" and blanks around it is the program folder's file.
TEST(HtmlHelpProcess, ViewerIsAProcessThatEndsWithTheProgram)
{
    FixtureFolder fx(true);
    ScriptedPrompter prompter;
    fx.Write(
        "xchm",
        // The pid is written last: the test waits for it and then reads the arguments.
        "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/args\"\necho $$ > \"$(dirname \"$0\")/pid.tmp\"\nmv \"$(dirname \"$0\")/pid.tmp\" \"$(dirname \"$0\")/pid\"\nexec sleep 30\n");
    QFile::setPermissions(fx.FilePath("xchm"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("TARVELIN_CHM_VIEWER", fx.FilePath("xchm").toLocal8Bit());
    QFile::copy(fx.FilePath("Tarvelin.chm"), fx.FilePath("Pomoc programu.chm"));
    auto hook = std::make_unique<THookHelpSystem>(" Pomoc%20programu.chm ", QString(), hvHtmlHelp);
    bool callHelp;
    hook->HelpHook(HELP_CONTEXT, 1200, callHelp);
    qint64 pid = 0;
    for (int i = 0; i < 250 && !pid; ++i) {
        QThread::msleep(20);
        pid = fx.Read("pid").trimmed().toLongLong();
    }
    ASSERT_GT(pid, 0);
    EXPECT_EQ(fx.Read("args").trimmed(), "-c 1200 " + fx.FilePath("Pomoc programu.chm").toLocal8Bit());
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0);
    hook.reset(); // at exit
    EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0);
    qunsetenv("TARVELIN_CHM_VIEWER");
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();
}

// F1 in the main window asks for the page of the view it shows, whether the key comes
// through the program-wide help key or through the command the key is bound to; the menu
// item Indeks opens the main window's own topic.
TEST_F(HtmlHelp, F1InTheMainWindowOpensTheShownViewsPageIndeksTheMainPage)
{
    workstations::RegisterViews(appstate::State());
    {
        TfrmMain w;
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        ASSERT_EQ(w.HostedPanel->objectName(), "pDefStan"); // the first item: workstations
        QWidget *focus = QApplication::focusWidget();
        ASSERT_TRUE(focus && focus->window() == &w);
        QTest::keyClick(focus, Qt::Key_F1); // the program-wide help key
        int indeks = 0;
        QObject::connect(w.mIndeks, &QAction::triggered, [&] { ++indeks; });
        w.mIndeks->setShortcut(QKeySequence::HelpContents); // F1 on the command
        QTest::keyClick(focus, Qt::Key_F1);
        EXPECT_EQ(indeks, 1);
        QTest::qWait(1);
        w.mIndeks->trigger(); // chosen in the menu
        ASSERT_EQ(launcher.owned.size(), 3);
        EXPECT_EQ(launcher.owned[0].arguments.value(1), "1100");
        EXPECT_EQ(launcher.owned[1].arguments.value(1), "1100");
        EXPECT_EQ(launcher.owned[2].arguments.value(1), "1000");
        EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();
    }
    appstate::UnregisterView("frmDefStan");
    appstate::UnregisterView(appstate::DocumentViewName());
    appstate::State().ViewName.clear();
    appstate::State().ViewKind = storage::TViewKind::None;
    storage::NavigationGroups().clear();
}
