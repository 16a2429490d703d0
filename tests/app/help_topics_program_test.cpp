// F1 in every view and dialog of the program opens the help file at a page of its own.
#include "app/startup.h"
#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_param_risc_score.h"
#include "printouts/frm_wydruk.h"
#include "printouts/frm_wydruk_rej.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "shell/frm_tree.h"
#include "shell/help_topics.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_stan_czyn.h"

#include <gtest/gtest.h>

TEST(HelpTopics, F1InEveryViewAndDialogAsksForAPageOfItsOwn)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    app::RegisterViews();
    reportengine::TVRPrinter printer;
    reportengine::TVRStandardPreview preview(&printer);
    assessment::TfrmParamRiscScore riskScore;
    // Every control of each dialog and of each view's panel (the web page's among them) F1 may be
    // pressed in ("Wydruk" of the registers, where it did nothing, too); each a page of its own.
    QList<QWidget *> windows = {&riskScore, &preview};
    windows << assessment::frmNowyPomiar() << shell::frmTree() << printouts::frmWydruk() << workstations::frmCzynnWl()
            << workstations::frmStanCzyn(appstate::State()) << printouts::frmWydrukRej();
    for (const QString &name : appstate::RegisteredViewNames())
        windows << appstate::GetView(name)->GetMainPanel();
    QSet<int> taken;
    for (QWidget *window : windows) {
        const int context = shell::HelpContextOf(window);
        EXPECT_TRUE(context > 0 && context != shell::MainWindowHelpContext && !taken.contains(context))
            << window->objectName().toStdString();
        taken.insert(context);
        for (const QWidget *control : window->findChildren<QWidget *>())
            EXPECT_GT(shell::HelpContextOf(control), 0) << control->objectName().toStdString();
    }
}
