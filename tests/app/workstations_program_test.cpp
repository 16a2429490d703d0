// The workstation definition view in the running program: the main window opens it on the
// shipped data folder, and the toolbar commands create, modify and delete a workstation.
#include "appstate/appstate.h"
#include "platform/prompter.h"
#include "shell/frm_main.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/support/model_list.h"
#include "workstations/frm_def_stan.h"
#include "workstations/views.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

TEST(WorkstationsInProgram, CreateModifyRestartDelete)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    workstations::RegisterViews(appstate::State());
    auto &s = appstate::State();
    s.SetModified(false);
    {
        shell::TfrmMain w;
        w.show();
        ASSERT_EQ(s.ViewName, "frmDefStan");
        workstations::TfrmDefStan *view = workstations::frmDefStan(appstate::State());
        ASSERT_GE(view->lbStanowiska->count(), 3);
        const int shipped = view->lbStanowiska->count();
        // A shipped workstation opens with its current factors, without a message.
        const auto welding = testsupport::RowsWithText(view->lbStanowiska, QStringLiteral("Spawacz - spawalnia MAG"));
        ASSERT_EQ(welding.size(), 1u);
        view->lbStanowiska->setCurrentRow(welding[0]);
        EXPECT_EQ(view->lbStanCzyn->count(), 8);
        EXPECT_EQ(view->sgZatrudn->rowCount(), 6); // 2021 to 2026
        EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
        EXPECT_FALSE(s.Modified());

        w.NewForm();
        ASSERT_TRUE(view->EnteringNew());
        view->e_Nazwa->setText(QStringLiteral("Ślusarz - narzędziownia"));
        view->SprZmiany(view->e_Nazwa);
        view->e_Kod->setText(QStringLiteral("NARZ-01"));
        view->SprZmiany(view->e_Kod);
        EXPECT_TRUE(s.Modified());
        w.SaveForm();
        EXPECT_FALSE(s.Modified());
        const QString id = QString::number(shipped + 1);
        ASSERT_TRUE(fx.Exists(QStringLiteral("zaklocen/stan_%1/stanowisko_dane.xml").arg(id)));
        EXPECT_EQ(view->lbStanowiska->count(), shipped + 1);

        // Opened again, as after a restart: the list and the data come from the files.
        view->InitView();
        const auto found = testsupport::RowsWithText(view->lbStanowiska, QStringLiteral("Ślusarz - narzędziownia"));
        ASSERT_EQ(found.size(), 1u);
        view->lbStanowiska->setCurrentRow(found[0]);
        EXPECT_EQ(view->e_Kod->text(), "NARZ-01");
        view->e_Kod->setText(QStringLiteral("NARZ-02"));
        view->SprZmiany(view->e_Kod);
        w.SaveForm();
        storage::TStanowisko r(id, QString(), QStringLiteral("stan_") + id);
        storage::ReadWorkstationData(QStringLiteral("zaklocen\\stan_%1\\stanowisko_dane.xml").arg(id), r,
                                     storage::WorkstationReadOptions::AllFactors());
        EXPECT_EQ(r.Kod, "NARZ-02");

        boxes.Answer(platform::MsgYes);
        w.DeleteForm();
        EXPECT_FALSE(fx.Exists(QStringLiteral("zaklocen/stan_%1").arg(id)));
        EXPECT_EQ(view->lbStanowiska->count(), shipped);
        EXPECT_FALSE(fx.ReadText("zaklocen/struktura_dane.xml").contains(QStringLiteral("narzędziownia")));
        EXPECT_TRUE(fx.Exists("zaklocen/stan_1/stanowisko_dane.xml"));
        EXPECT_FALSE(s.Modified());
    }
    s.Workstations.clear();
}
