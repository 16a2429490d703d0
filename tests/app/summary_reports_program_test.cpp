// The printouts over all workstations in the running program, on the shipped installation:
// from the measurement summary the user gives Print and, in the printouts dialog, prints
// the summary information, the workstations by risk category (small ones only) and the list
// of harmful and arduous factors; each shows in the preview, is printed from it to a PDF
// file and closed. The list limited to carcinogens finds none among the samples.

#include "appstate/appstate.h"
#include "assessment/measurement_pages.h"
#include "printouts/frm_wydruk_rej.h"
#include "printouts/summary_reports.h"
#include "shell/frm_main.h"
#include "tests/printouts/pdf_lines.h"
#include "tests/printouts/printouts_fixture.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/outlook_bar.h"
#include "widgets/radio_group.h"
#include "workstations/frm_zestaw.h"
#include "workstations/views.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using pdflines::Lines;

TEST(SummaryReportsInProgram, KindsTwoToFourFromTheSummary)
{
    if (reportengine_test::Tool("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir out;
    workstations::RegisterViews(appstate::State());
    printouts::RegisterWorkstationPrintouts();
    printouts::RegisterSummaryReports();
    auto &s = appstate::State();
    s.SetModified(false);
    {
        shell::TfrmMain w;
        w.resize(1024, 768);
        w.show();
        QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->ItemImageRect(2).center());
        ASSERT_EQ(s.ViewName, "frmZestaw");
        // No workstation chosen: these printouts cover the whole data folder.
        workstations::TfrmZestaw *summary = workstations::frmZestaw(appstate::State());
        summary->dtOd->setDate(QDate(2024, 1, 1));
        summary->dtDo->setDate(QDate(2025, 12, 31));

        workstationprintouts::PreviewRun printed[3];
        int carcinogenBoxes = -1;
        dialogs.steps << [&](QDialog &d) {
            auto *dialog = qobject_cast<printouts::TfrmWydrukRej *>(&d);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->cbDuze->setChecked(false);
            dialog->cbSrednie->setChecked(false);
            for (int kind :
                 {printouts::kSummaryInformation, printouts::kWorkstationsByRisk, printouts::kHarmfulArduousFactors}) {
                dialog->rgRodzZest->Button(kind)->click();
                workstationprintouts::PreviewRun &run = printed[kind - printouts::kSummaryInformation];
                run.pdf = out.filePath(QStringLiteral("wydruk%1.pdf").arg(kind));
                workstationprintouts::PreviewWatcher watcher(run, dialogs);
                dialog->bOk->click();
            }
            dialog->rbTylkoRakotworcze->click();
            dialog->bOk->click();
            carcinogenBoxes = int(boxes.boxes.size());
            dialog->bClose->click();
            return d.result();
        };
        w.PrintForm();
        EXPECT_TRUE(dialogs.steps.isEmpty());
        for (workstationprintouts::PreviewRun &run : printed) {
            EXPECT_TRUE(run.shown && run.failure.isEmpty()) << run.failure.toStdString();
            workstationprintouts::ReadPdfPages(run);
        }
        const QString today = workstationprintouts::Today();

        const QStringList info = Lines(printed[0].pageTexts.join(QLatin1Char('\n')));
        EXPECT_TRUE(info.contains(QStringLiteral("Wydrukowano : ") + today));
        EXPECT_TRUE(info.contains(QStringLiteral("Dane o stanowiskach dotyczą okresu od: 2024-01-01 do: 2025-12-31")));
        EXPECT_TRUE(info.contains(QStringLiteral("Stanowisko: [SP-01] Spawacz - spawalnia MAG")));
        // The employment of the range's years only.
        EXPECT_TRUE(info.contains(QStringLiteral("2025 8 0 0 0 8")));
        EXPECT_FALSE(info.contains(QStringLiteral("2026 9 0 0 0 9")) || info.contains(QStringLiteral("2023 8 0 0 0 8")));
        // "OSTATNIE": carbon monoxide's latest measurement in the range, not the one of 2026.
        EXPECT_TRUE(info.contains(QStringLiteral("Tlenek węgla 2024-03-12 średnie / średnie")));
        EXPECT_TRUE(info.contains(QStringLiteral("Strona %1 / %1").arg(printed[0].pages)));

        const QStringList categories = Lines(printed[1].pageTexts.join(QLatin1Char('\n')));
        // The samples' factors rated "nieustalona" close the report under their own heading.
        EXPECT_EQ(categories.filter(QStringLiteral("Kategoria ryzyka")).join('|').toStdString(),
                  "Kategoria ryzyka: małe|Kategoria ryzyka: nieustalone");
        EXPECT_TRUE(categories.contains(QStringLiteral("Stanowisko : SP-01 Spawacz - spawalnia MAG")));

        const QStringList factors = Lines(printed[2].pageTexts.join(QLatin1Char('\n')));
        for (const char *line :
             {"Wykaz czynników szkodliwych i uciążliwych", "Czynniki biologiczne", "Czynniki chemiczne",
              "Stanowisko : Lakiernik - malarnia natryskowa", "Ksylen - mieszanina izomerów"})
            EXPECT_TRUE(factors.contains(QString::fromUtf8(line))) << line;
        EXPECT_LT(factors.indexOf(QStringLiteral("Czynniki uciążliwe")), factors.indexOf(QStringLiteral("Pyły")));

        // None of the samples is carcinogenic: nothing to print.
        EXPECT_EQ(boxes.Texts().join('|').toStdString(), "Brak danych do wydruku");
        EXPECT_EQ(carcinogenBoxes, 1);
    }
    s.Workstations.clear();
    workstations::frmZestaw(appstate::State())->MeasurementPages()->ClearMeasurementForm();
}
