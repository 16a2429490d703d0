// F1 in every view and dialog of the program opens the help file at a page of its own.
#include "app/startup.h"
#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_param_risc_score.h"
#include "assessment/frm_ryz_zakl.h"
#include "printouts/frm_wydruk.h"
#include "printouts/frm_wydruk_rej.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "shell/frm_tree.h"
#include "shell/frm_www.h"
#include "shell/help_topics.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_dokum.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/frm_zestaw.h"

#include <gtest/gtest.h>

TEST(HelpTopics, F1InEveryViewAndDialogAsksForAPageOfItsOwn)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    app::RegisterViews();
    reportengine::TVRPrinter printer;
    reportengine::TVRStandardPreview preview(&printer);
    assessment::TfrmParamRiscScore riskScore;
    // The control that has the focus when F1 is pressed, in each window and in each view's panel.
    const std::tuple<QWidget *, const char *, int> cases[] = {
        {workstations::frmDefStan(appstate::State())->GetMainPanel(), "lbStanowiska", 1100},
        {assessment::frmRyzZakl(appstate::State())->GetMainPanel(), "lbCzyn", 1200},
        {workstations::frmDokum(appstate::State())->GetMainPanel(), "lbDatyOsob", 1300},
        {workstations::frmZestaw(appstate::State())->GetMainPanel(), "cbStanow", 1500},
        {workstations::frmCzynniki(appstate::State())->GetMainPanel(), "cbGrupyCzyn", 1600},
        {shell::frmWWW(), "pMainWWW", 1010},
        {assessment::frmNowyPomiar(), "eMscPom", 1220},
        {shell::frmTree(), "pTree", 1400},
        {printouts::frmWydruk(), "cbRodzWydr", 1320},
        {workstations::frmCzynnWl(), "edNazwaCzynnWl", 1610},
        {workstations::frmStanCzyn(appstate::State()), "lbStanCzyn", 1620},
        {&riskScore, "strGrPrawd", 9150},
        {&preview, "ThumbGrid", 1700},
        {printouts::frmWydrukRej(), "cbRejestr", 1510}, // "Wydruk", where F1 did nothing
    };
    for (const auto &[window, name, context] : cases) { // each a page of its own (the topics table says)
        const QWidget *control = window->findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(shell::HelpContextOf(control), context) << name;
    }
    // Every view the main window can host has a page of its own.
    for (const QString &name : appstate::RegisteredViewNames()) {
        const int context = shell::HelpContextOf(appstate::GetView(name)->GetMainPanel());
        EXPECT_TRUE(context > 0 && context != shell::MainWindowHelpContext) << name.toStdString();
    }
}
