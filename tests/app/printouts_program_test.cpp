// The workstation printouts in the running program, on the shipped installation: from the
// measurement summary the user chooses a workstation and a range, gives Print, and in the
// printouts dialog prints the register with the measurement cards and then the risk
// assessment card; each shows in the preview, is printed from it to a PDF file and closed.

#include "appstate/appstate.h"
#include "assessment/measurement_pages.h"
#include "printouts/frm_stat_rep.h"
#include "printouts/frm_wydruk_rej.h"
#include "shell/frm_main.h"
#include "tests/printouts/printouts_fixture.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/outlook_bar.h"
#include "widgets/radio_group.h"
#include "workstations/frm_zestaw.h"
#include "workstations/views.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(PrintoutsInProgram, RegisterCardsAndRiskCardFromTheSummary)
{
    if (reportengine_test::Tool("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir out;
    workstations::RegisterViews(appstate::State());
    printouts::RegisterWorkstationPrintouts();
    auto &s = appstate::State();
    s.SetModified(false);
    {
        shell::TfrmMain w;
        w.resize(1024, 768);
        w.show();
        QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->ItemImageRect(2).center());
        ASSERT_EQ(s.ViewName, "frmZestaw");
        workstations::TfrmZestaw *summary = workstations::frmZestaw(appstate::State());
        summary->cbStanow->setCurrentIndex(summary->cbStanow->findText(QStringLiteral("Spawacz - spawalnia MAG")));
        summary->cbStanowClick();
        summary->dtOd->setDate(QDate(2024, 1, 1));
        summary->dtDo->setDate(QDate(2026, 12, 31));
        summary->rgZakres->SetItemIndex(1); // "WSZYSTKIE"
        summary->bWyswietlClick();
        ASSERT_GT(summary->lbCzyn->count(), 0);

        // In the dialog: the register with the cards, then the risk card, then "Zamknij".
        workstationprintouts::PreviewRun printed[2];
        dialogs.steps << [&](QDialog &d) {
            auto *dialog = qobject_cast<printouts::TfrmWydrukRej *>(&d);
            if (!dialog)
                return int(QDialog::Rejected);
            for (int kind : {printouts::kRegisterAndCards, printouts::kRiskAssessmentCard}) {
                dialog->rgRodzZest->Button(kind)->click();
                printed[kind].pdf = out.filePath(QStringLiteral("wydruk%1.pdf").arg(kind));
                workstationprintouts::PreviewWatcher watcher(printed[kind], dialogs);
                dialog->bOk->click();
            }
            dialog->bClose->click();
            return d.result();
        };
        w.PrintForm();
        EXPECT_TRUE(dialogs.steps.isEmpty());
        EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();

        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        for (workstationprintouts::PreviewRun &run : printed) {
            EXPECT_TRUE(run.failure.isEmpty()) << run.failure.toStdString();
            EXPECT_FALSE(run.waitWindowVisible);
        }
        ASSERT_EQ(printed[0].pages, 5);
        EXPECT_EQ(reportengine_test::PdfPageCount(printed[0].pdf), 5);
        const QString reg = reportengine_test::PdfText(printed[0].pdf);
        for (const QString &text : {QStringLiteral("REJESTR CZYNNIKÓW SZKODLIWYCH"),
                                    QStringLiteral("KARTA BADAŃ I POMIARÓW CZYNNIKÓW SZKODLIWYCH"),
                                    QStringLiteral("Strona 1 / 5"), QStringLiteral("Strona 5 / 5"),
                                    QStringLiteral("Wydrukowano: ") + QDate::currentDate().toString("dd-MM-yyyy"),
                                    QStringLiteral("LEX,8h [dB] = 88.4")})
            EXPECT_TRUE(reg.contains(text)) << text.toStdString();
        ASSERT_EQ(printed[1].pages, 1);
        const QString card = reportengine_test::PdfText(printed[1].pdf);
        for (const QString &text :
             {QStringLiteral("KARTA OCENY RYZYKA ZAWODOWEGO NA STANOWISKU PRACY"), QStringLiteral("Strona 1 / 1"),
              today, QStringLiteral("duże"), QStringLiteral("średnie"), QStringLiteral("nieustalona")})
            EXPECT_TRUE(card.contains(text)) << text.toStdString();
    }
    s.Workstations.clear();
    workstations::frmZestaw(appstate::State())->MeasurementPages()->ClearMeasurementForm();
}
