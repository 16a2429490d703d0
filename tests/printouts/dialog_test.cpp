// The printouts dialog itself: its kinds, tabs and defaults, the employee list, a kind that
// nobody provides, the order of the wait window and the preview for any kind, and the wait
// window's blinking.

#include "printouts_fixture.h"

#include "reportengine/vr_band.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_printer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace workstationprintouts;

namespace {

// A report of one page that says what it was given.
class FakeReport : public printouts::TWorkstationReportForm
{
public:
    FakeReport()
    {
        auto *band = report.CreateBand(reportengine::TVRBandType::rbDetail);
        band->Size().SetNativeHeight(100);
        label = new reportengine::TVRLabel(band);
        report.ShowProgress = false;
        report.OnNeedData() = [this](QObject *, bool &more) {
            more = more && !given;
            given = true;
        };
        report.BeforePrint = [this](reportengine::TVelRep *, bool &) {
            given = false;
            ++runs;
            waitWindowShown = waitWindowShown || printouts::frmStatRep()->isVisible();
            label->SetCaption(QStringLiteral("Stanowisk: %1, od %2")
                                  .arg(options.Factors.size())
                                  .arg(options.DateFrom.toString(Qt::ISODate)));
        };
    }
    void SetOptions(const printouts::TWorkstationReportOptions &o) override { options = o; }
    reportengine::TVelRep &Report() override { return report; }
    void SetPageCount(int pages) override { pageCount = pages; }

    reportengine::TVelRep report;
    reportengine::TVRLabel *label = nullptr;
    printouts::TWorkstationReportOptions options;
    bool given = false;
    int runs = 0;
    int pageCount = -1;
    bool waitWindowShown = false;
};

class PrintoutsDialog : public PrintoutsTest
{
protected:
    void TearDown() override
    {
        for (int kind = 0; kind < printouts::kWorkstationReportKinds; ++kind)
            printouts::RegisterWorkstationReport(kind, {});
        printouts::RegisterWorkstationPrintouts();
        PrintoutsTest::TearDown();
    }
};

TEST_F(PrintoutsDialog, KindsTabsAndDefaults)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Wydruk"));
    EXPECT_FALSE(dialog->lbPomCzyn->isVisibleTo(dialog.get()));
    ASSERT_EQ(dialog->pgcZestawienia->count(), 5);
    for (int kind = 0; kind < 5; ++kind) {
        Kind(kind);
        for (int tab = 0; tab < 5; ++tab)
            EXPECT_EQ(dialog->pgcZestawienia->isTabVisible(tab), tab == kind) << kind << " " << tab;
        EXPECT_EQ(dialog->pgcZestawienia->tabText(kind), dialog->rgRodzZest->Button(kind)->text());
    }
    // Opened again: the register, whatever was chosen before.
    dialog->FormShow();
    EXPECT_EQ(dialog->Kind(), printouts::kRegisterAndCards);
    EXPECT_TRUE(dialog->pgcZestawienia->isTabVisible(0) && !dialog->pgcZestawienia->isTabVisible(4));

    const printouts::TWorkstationReportOptions o = dialog->Options();
    EXPECT_TRUE(o.Rejestr && o.KartaBadan && o.PomChem && o.PomPyl && o.PomFiz);
    EXPECT_FALSE(o.KartaBadanUc || o.IncludeSelectedEmployees || o.TylkoRakotworcze);
    EXPECT_TRUE(o.Administracja && o.OcRyzyka && o.Male && o.Srednie && o.Duze && o.ElementStruktury);
    EXPECT_TRUE(dialog->rbGrupy->isChecked());
    // The summary view's choices come with the options.
    EXPECT_EQ(o.DateTo, QDate::currentDate());
    EXPECT_TRUE(o.LatestOnly);
    EXPECT_EQ(o.Workstation, nullptr);

    dialog->cbKartaBadan->click();
    EXPECT_FALSE(dialog->cbPomChem->isEnabled() || dialog->cbPomPyl->isEnabled() || dialog->cbPomFiz->isEnabled());
    EXPECT_FALSE(dialog->Options().KartaBadan);
    dialog->cbKartaBadan->click();
    EXPECT_TRUE(dialog->cbPomChem->isEnabled() && dialog->cbPomPyl->isEnabled() && dialog->cbPomFiz->isEnabled());
    dialog->rbTylkoRakotworcze->setChecked(true);
    EXPECT_TRUE(dialog->Options().TylkoRakotworcze);
}

TEST_F(PrintoutsDialog, EmployeesAreAddedAndDeletedAsTheUserChooses)
{
    for (const char *name : {"Nowak Jan", "Kowalska Ewa", "Wiśniewski Adam"}) {
        dialog->NazwiskoImie->setText(QString::fromUtf8(name));
        dialog->btDodaj->click();
    }
    EXPECT_TRUE(dialog->NazwiskoImie->text().isEmpty());
    ASSERT_EQ(dialog->lbPracownicy->count(), 3);
    EXPECT_EQ(dialog->lbPracownicy->selectionMode(), QAbstractItemView::ExtendedSelection);
    dialog->lbPracownicy->item(0)->setSelected(true);
    dialog->lbPracownicy->item(2)->setSelected(true);
    printouts::TWorkstationReportOptions o = dialog->Options();
    EXPECT_EQ(o.Employees, QStringList({"Nowak Jan", "Kowalska Ewa", "Wiśniewski Adam"}));
    EXPECT_EQ(o.SelectedEmployees, QStringList({"Nowak Jan", "Wiśniewski Adam"}));
    dialog->btUsun->click();
    o = dialog->Options();
    EXPECT_EQ(o.Employees, QStringList{"Kowalska Ewa"});
    EXPECT_TRUE(o.SelectedEmployees.isEmpty());
}

TEST_F(PrintoutsDialog, AKindNobodyProvidesIsNotAvailable)
{
    printouts::RegisterWorkstationReport(printouts::kHarmfulArduousFactors, {});
    Kind(printouts::kHarmfulArduousFactors);
    const PreviewRun run = Print();
    EXPECT_FALSE(run.shown || printouts::frmStatRep()->isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList{printouts::ReportNotAvailableText()});
    EXPECT_FALSE(printouts::IsWorkstationReportRegistered(7));
    EXPECT_EQ(printouts::WorkstationReport(-1), nullptr);
}

TEST_F(PrintoutsDialog, AnyKindCountsItsPagesUnderTheWaitWindowWhichIsGoneBeforeThePreview)
{
    FakeReport fake;
    printouts::RegisterWorkstationReport(printouts::kWorkstationsByRisk,
                                         [&fake] { return static_cast<printouts::TWorkstationReportForm *>(&fake); });
    // The whole data folder: no workstation and no factor list needed.
    Kind(printouts::kWorkstationsByRisk);
    dialog->cbMale->setChecked(false);
    view->dtOd->setDate(Day("2025-01-01"));
    const PreviewRun run = Print();
    ASSERT_TRUE(run.shown);
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    EXPECT_TRUE(fake.runs == 2 && fake.pageCount == 1); // counting, then the preview
    EXPECT_TRUE(fake.waitWindowShown && !run.waitWindowVisible);
    EXPECT_TRUE(!fake.options.Male && fake.options.Duze);
    ASSERT_EQ(run.pageTexts.size(), 1);
    EXPECT_EQ(run.pageTexts[0], QStringLiteral("Stanowisk: 0, od 2025-01-01"));
}

// A control the engine cannot print.
class BrokenLabel : public reportengine::TVRLabel
{
public:
    using reportengine::TVRLabel::TVRLabel;
    void Print(double, double) override { throw reportengine::EVRError(QStringLiteral("Error in expression : X")); }
};

TEST_F(PrintoutsDialog, AReportThatCannotBePreparedIsNamedWithItsWorkstationAndWhereItFailed)
{
    Choose(QStringLiteral("Spawacz - spawalnia MAG"), "2024-01-01", "2026-12-31", false);
    const QString says = QStringLiteral("Nie można przygotować wydruku \"%1\"%2:\n%3\n(miejsce w raporcie vrZepsuty: "
                                        "pasmo bWysoki%4)"),
                  of = QStringLiteral(" dla stanowiska \"Spawacz - spawalnia MAG\""),
                  broken = QStringLiteral("Error in expression : X"), control = QStringLiteral(", element lZepsuty");
    // The register's band is too high for a page; the others hold a control that cannot be printed.
    const std::pair<int, QString> cases[] = {
        {printouts::kRegisterAndCards,
         says.arg("Rejestr i karta badań czynników", of, "Band bWysoki is too high to fit on a page", "")},
        {printouts::kRiskAssessmentCard, says.arg("Karta oceny ryzyka zawodowego", of, broken, control)},
        {printouts::kWorkstationsByRisk, says.arg("Zestawienie stanowisk wg kategorii ryzyka", "", broken, control)},
    };
    for (const auto &[kind, said] : cases) {
        FakeReport fake;
        fake.report.setObjectName(QStringLiteral("vrZepsuty"));
        auto *band = qobject_cast<reportengine::TVRCustomBand *>(fake.label->parent());
        band->setObjectName(QStringLiteral("bWysoki"));
        if (kind == printouts::kRegisterAndCards)
            band->Size().SetNativeHeight(100000);
        else
            (new BrokenLabel(band))->setObjectName(QStringLiteral("lZepsuty"));
        printouts::RegisterWorkstationReport(
            kind, [&fake] { return static_cast<printouts::TWorkstationReportForm *>(&fake); });
        Kind(kind);
        boxes.boxes.clear();
        // Said once, by the dialog: the engine's own box stays shut.
        EXPECT_FALSE(Print().shown || printouts::frmStatRep()->isVisible()) << kind;
        EXPECT_EQ(boxes.Texts().join('|').toStdString(), said.toStdString()) << kind;
    }
}

TEST(WaitWindow, BlinksEvery300MsWhileShownAndNeverGrabsTheMouse)
{
    printouts::TfrmStatRep wait;
    EXPECT_TRUE(wait.windowType() == Qt::Tool &&
                wait.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    EXPECT_EQ(wait.lUwaga->text(), QStringLiteral("Proszę czekać - trwa proces przygotowania raportu !"));
    EXPECT_EQ(wait.BlinkTimer->interval(), 300);
    EXPECT_FALSE(wait.BlinkTimer->isActive());
    wait.show();
    EXPECT_TRUE(wait.BlinkTimer->isActive());
    EXPECT_TRUE(wait.lUwaga->isVisible());
    const QSize size = wait.size();
    wait.BlinkTimerTimer();
    EXPECT_FALSE(wait.lUwaga->isVisible());
    EXPECT_EQ(wait.size(), size);
    EXPECT_TRUE(reportengine_test::SpinUntil([&] { return wait.lUwaga->isVisible(); }, 2000));
    wait.close();
    EXPECT_FALSE(wait.BlinkTimer->isActive());
}

} // namespace
