// F1 in every view and dialog of the program opens the help file at a page of its own.
#include "app/startup.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_param_risc_score.h"
#include "assessment/frm_ryz_zakl.h"
#include "printouts/frm_wydruk.h"
#include "printouts/frm_wydruk_rej.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "shell/frm_main.h"
#include "shell/frm_tree.h"
#include "shell/frm_www.h"
#include "shell/help_topics.h"
#include "shell/html_help.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_dokum.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/frm_zestaw.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

TEST(HelpTopics, F1InEveryViewAndDialogOpensItsOwnPage)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    testsupport::RecordingLauncher launcher;
    launcher.availablePrograms << "xchm";
    app::RegisterViews();
    shell::InstallHelpKey();
    shell::TfrmMain main;
    // A view is seen in the main window, which lends it its panel.
    const auto hosted = [&main](appstate::TView *view) {
        QWidget *panel = view->GetMainPanel();
        main.ShowViewPanel(panel, QStringLiteral("widok"));
        panel->show();
        return static_cast<QWidget *>(&main);
    };
    reportengine::TVRPrinter printer;
    reportengine::TVRStandardPreview preview(&printer);
    assessment::TfrmParamRiscScore riskScore;

    const struct
    {
        const char *window;
        std::function<QWidget *()> open;
        const char *control; // what has the focus when F1 is pressed
        int context;
    } cases[] = {
        {"frmDefStan", [&] { return hosted(workstations::frmDefStan()); }, "lbStanowiska", 1100},
        {"frmRyzZakl", [&] { return hosted(assessment::frmRyzZakl()); }, "lbCzyn", 1200},
        {"frmDokum", [&] { return hosted(workstations::frmDokum()); }, "lbDatyOsob", 1300},
        {"frmZestaw", [&] { return hosted(workstations::frmZestaw()); }, "cbStanow", 1500},
        {"frmCzynniki", [&] { return hosted(workstations::frmCzynniki()); }, "cbGrupyCzyn", 1600},
        {"frmWWW", [&] { return hosted(shell::frmWWW()); }, "pMainWWW", 1010},
        {"frmNowyPomiar", [] { return assessment::frmNowyPomiar(); }, "eMscPom", 1220},
        {"frmTree", [] { return shell::frmTree(); }, "pTree", 1400},
        {"frmWydruk", [] { return printouts::frmWydruk(); }, "cbRodzWydr", 1320},
        {"frmWydrukRej", [] { return printouts::frmWydrukRej(); }, "cbRejestr", 1510},
        {"frmCzynnWl", [] { return workstations::frmCzynnWl(); }, "edNazwaCzynnWl", 1610},
        {"frmStanCzyn", [] { return workstations::frmStanCzyn(); }, "lbStanCzyn", 1620},
        {"frmParamRiscScore", [&] { return &riskScore; }, "strGrPrawd", 9150},
        {"VRStandardPreview", [&] { return &preview; }, "ThumbGrid", 1700},
    };
    QSet<QString> pages;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.window);
        QWidget *window = c.open();
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget *control = window->objectName() == QLatin1String(c.control)
                               ? window
                               : window->findChild<QWidget *>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr);
        control->setFocusPolicy(Qt::StrongFocus); // a panel stands for the controls on it
        control->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        const int started = launcher.owned.size();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_EQ(launcher.owned.size(), started + 1) << boxes.Texts().join('|').toStdString();
        EXPECT_EQ(launcher.owned.last().arguments,
                  (QStringList{"-c", QString::number(c.context), fx.FilePath("Tarvelin.chm")}));
        const QString page = shell::HelpTopicPage(c.context);
        EXPECT_FALSE(page.isEmpty());
        EXPECT_NE(page, shell::HelpTopicPage(shell::MainWindowHelpContext));
        EXPECT_FALSE(pages.contains(page)) << page.toStdString() << " is another window's page";
        pages << page;
        if (window != &main)
            window->hide();
    }
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('|').toStdString();
    // Every view the main window can host has a page of its own.
    for (const QString &name : appstate::RegisteredViewNames()) {
        const int context = shell::HelpContextOf(appstate::GetView(name)->GetMainPanel());
        EXPECT_GT(context, 0) << name.toStdString();
        EXPECT_NE(context, shell::MainWindowHelpContext) << name.toStdString();
    }
    shell::CloseHelpViewers();
}
