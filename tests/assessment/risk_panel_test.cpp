#include "assessment/frm_ocena_ryz.h"
#include "assessment/risk_ratings.h"

#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using assessment::CombinedRatingForYear;
using assessment::TfrmOcenaRyz;
using assessment::TGroupRatings;
using assessment::TRiskRatings;

namespace {

storage::TZatrudn Year(const QString &rok, const QString &men, const QString &women, const QString &pregnant,
                       const QString &juveniles)
{
    return storage::TZatrudn(rok, men, women, pregnant, juveniles, QStringLiteral("0"), QStringLiteral("0"));
}

void clickCaption(QGroupBox *g)
{
    const QPointF at(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, at, g->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(g, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, g->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(g, &release);
}

// The view the panel is docked in: a workstation and the date of its measurement; it keeps
// what the user chooses.
class StubHost : public assessment::TRiskPanelHost
{
public:
    storage::TStanowisko workstation{QStringLiteral("1"), QStringLiteral("Tokarz"), QStringLiteral("stan_1")};
    QString date = QStringLiteral("2021-03-15");
    bool byEmployment = true;
    QList<int> finals;
    QStringList measures;
    // What the view does with a rule's groups: combines them (by the employment of the
    // measurement's year, or as the plain maximum where it has no workstation) and has the
    // panel show them with why the combined rating stays not determined.
    TRiskRatings Show(TfrmOcenaRyz *panel, const TGroupRatings &groups)
    {
        const TRiskRatings r = byEmployment ? assessment::CombineRatings(groups, &workstation, date)
                                            : assessment::CombineAsMaximum(groups);
        panel->SetRiskAssessment(r, assessment::CombinedGap(r, &workstation));
        return r;
    }
    void FinalRatingChosen(int code) override { finals << code; }
    void MeasuresEdited(const QString &text) override { measures << text; }
};

class RiskPanel : public ::testing::Test
{
protected:
    testsupport::ScriptedPrompter prompter;
    StubHost host;
    TfrmOcenaRyz ownPanel; // every view's pages make a panel of their own
    TfrmOcenaRyz *panel = &ownPanel;

    void SetUp() override
    {
        panel->SetHost(&host);
        host.workstation.AddEmployment(Year("2021", "4", "0", "0", "0"));
        panel->LoadMeasuresText(QString());
    }
    void TearDown() override { panel->SetHost(nullptr); }
};

} // namespace

// ---- Combined rating by the employment of the measurement's year --------------------------

TEST(CombinedRating, OnlyGroupsEmployedInTheYearCount)
{
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("stan_1"));
    w.AddEmployment(Year("2020", "5", "0", "0", "0"));
    w.AddEmployment(Year("2021", "0", "3", "1", "2"));
    EXPECT_EQ(CombinedRatingForYear({30, 20, 10, 10}, &w, "2020-06-01"), 30);
    EXPECT_EQ(CombinedRatingForYear({10, 20, 30, 10}, &w, "2020-06-01"), 10);
    EXPECT_EQ(CombinedRatingForYear({30, 10, 20, 20}, &w, "2021-01-01"), 20);
    EXPECT_EQ(CombinedRatingForYear({30, 10, 10, 40}, &w, "2021-01-01"), 40);
    EXPECT_EQ(CombinedRatingForYear({30, 10, 10, 0}, &w, "2021-01-01"), 0); // juveniles employed, not rated
    EXPECT_EQ(CombinedRatingForYear({30, 10, 40, 0}, &w, "2021-01-01"), 40);
    EXPECT_EQ(CombinedRatingForYear({30, 30, 30, 30}, &w, "2019-12-31"), 0); // no row for the year
}

TEST(CombinedRating, MalformedDatesAndHeadCountsCountAsNobody)
{
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("stan_1"));
    w.AddEmployment(Year("2020", "", "abc", " 2 ", "-1"));
    EXPECT_EQ(CombinedRatingForYear({30, 30, 20, 30}, &w, "2020-06-01"), 20);
    EXPECT_EQ(CombinedRatingForYear({30, 30, 30, 30}, &w, "20x0-06-01"), 0);
    EXPECT_EQ(CombinedRatingForYear({30, 30, 30, 30}, &w, ""), 0);
    EXPECT_EQ(CombinedRatingForYear({30, 30, 30, 30}, nullptr, "2020-06-01"), 0);
}

// ---- One group -------------------------------------------------------------------------

TEST_F(RiskPanel, CodesCheckAndColourOneButton)
{
    panel->UstawOceneRyzyka(panel->rbOcenaMzczMale, panel->rbOcenaMzczSrednie, panel->rbOcenaMzczDuze,
                            panel->gbMezczyzni, 10);
    EXPECT_TRUE(panel->rbOcenaMzczMale->isChecked());
    EXPECT_EQ(TfrmOcenaRyz::ButtonColour(panel->rbOcenaMzczMale), "#008000");
    panel->UstawOceneRyzyka(panel->rbOcenaMzczMale, panel->rbOcenaMzczSrednie, panel->rbOcenaMzczDuze,
                            panel->gbMezczyzni, 20);
    EXPECT_TRUE(panel->rbOcenaMzczSrednie->isChecked());
    EXPECT_FALSE(panel->rbOcenaMzczMale->isChecked());
    EXPECT_EQ(TfrmOcenaRyz::ButtonColour(panel->rbOcenaMzczMale), "");
    EXPECT_EQ(TfrmOcenaRyz::ButtonColour(panel->rbOcenaMzczSrednie), "#FFFF00");
    panel->UstawOceneRyzyka(panel->rbOcenaMzczMale, panel->rbOcenaMzczSrednie, panel->rbOcenaMzczDuze,
                            panel->gbMezczyzni, 30);
    EXPECT_EQ(TfrmOcenaRyz::ButtonColour(panel->rbOcenaMzczDuze), "#FF0000");
    for (int code : {0, 99}) {
        panel->UstawOceneRyzyka(panel->rbOcenaMzczMale, panel->rbOcenaMzczSrednie, panel->rbOcenaMzczDuze,
                                panel->gbMezczyzni, code);
        EXPECT_FALSE(panel->rbOcenaMzczDuze->isChecked()) << code;
        EXPECT_FALSE(panel->rbOcenaMzczSrednie->isChecked()) << code;
        EXPECT_FALSE(panel->rbOcenaMzczMale->isChecked()) << code;
        EXPECT_FALSE(TfrmOcenaRyz::CaptionRed(panel->gbMezczyzni)) << code;
    }
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(RiskPanel, WorkForbiddenPaintsTheCaptionRedUntilAnotherCode)
{
    panel->UstawOceneRyzyka(panel->rbOcenaMldcMale, panel->rbOcenaMldcSrednie, panel->rbOcenaMldcDuze,
                            panel->gbMlodociani, 30);
    panel->UstawOceneRyzyka(panel->rbOcenaMldcMale, panel->rbOcenaMldcSrednie, panel->rbOcenaMldcDuze,
                            panel->gbMlodociani, 40);
    EXPECT_FALSE(panel->rbOcenaMldcDuze->isChecked());
    EXPECT_TRUE(TfrmOcenaRyz::CaptionRed(panel->gbMlodociani));
    EXPECT_EQ(panel->ShownCode(panel->gbMlodociani), 40);
    panel->UstawOceneRyzyka(panel->rbOcenaMldcMale, panel->rbOcenaMldcSrednie, panel->rbOcenaMldcDuze,
                            panel->gbMlodociani, 20);
    EXPECT_FALSE(TfrmOcenaRyz::CaptionRed(panel->gbMlodociani));
    EXPECT_EQ(panel->ShownCode(panel->gbMlodociani), 20);
}

TEST_F(RiskPanel, AnInvalidCodeWarnsAndLeavesTheGroup)
{
    panel->UstawOceneRyzyka(panel->rbOcenaKbtMale, panel->rbOcenaKbtSrednie, panel->rbOcenaKbtDuze, panel->gbKobiety,
                            20);
    EXPECT_FALSE(panel->UstawOceneRyzyka(panel->rbOcenaKbtMale, panel->rbOcenaKbtSrednie, panel->rbOcenaKbtDuze,
                                         panel->gbKobiety, 25));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, " Błąd wewnętrzny! Niewłaściwa ocena ryzyka w UstawOceneRyzyka : 25");
    EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(panel->ShownCode(panel->gbKobiety), 20);
    EXPECT_EQ(TfrmOcenaRyz::ButtonColour(panel->rbOcenaKbtSrednie), "#FFFF00");
}

// ---- SetRiskAssessment --------------------------------------------------------------------

TEST_F(RiskPanel, MenEmployedWomenNotCombinedTakesTheMen)
{
    const TRiskRatings shown = host.Show(panel, {30, 20, 10, 10});
    EXPECT_EQ(panel->ShownCode(panel->gbMezczyzni), 30);
    EXPECT_EQ(panel->ShownCode(panel->gbKobiety), 20);
    EXPECT_EQ(panel->ShownCode(panel->gbKompLaczna), 30);
    EXPECT_EQ(panel->ShownCode(panel->gbOcena), 30);
    EXPECT_EQ(shown.combined, 30);
    EXPECT_EQ(shown.final, 30);
}

TEST_F(RiskPanel, NoEmploymentRowForTheYearGivesZeroAndNoFinalButton)
{
    host.date = QStringLiteral("2019-01-01");
    const TRiskRatings shown = host.Show(panel, TGroupRatings::All(30));
    EXPECT_EQ(shown.combined, 0);
    EXPECT_EQ(shown.final, 0);
    EXPECT_FALSE(panel->rbOcenaKoncDuze->isChecked());
    EXPECT_FALSE(panel->rbOcenaKoncSrednie->isChecked());
    EXPECT_FALSE(panel->rbOcenaKoncMale->isChecked());
}

TEST_F(RiskPanel, AFinalChosenByHandIsShownAsStoredAndTheCombinedIsRecomputed)
{
    storage::TPomiarCzynn stored(storage::TMeasurementAttributes{.id = 1, .data = host.date, .ver = "1", .ocenam = 10,
        .ocenak = 10, .ocenakc = 10, .ocenaml = 10, .ocenamax = 30, .ocenakon = 40});
    const TRiskRatings shown = assessment::ShownRatings(stored, &host.workstation);
    panel->SetRiskAssessment(shown);
    EXPECT_EQ(panel->ShownCode(panel->gbKompLaczna), 10);
    EXPECT_TRUE(TfrmOcenaRyz::CaptionRed(panel->gbOcena));
    EXPECT_EQ(shown.combined, 10);
    EXPECT_EQ(shown.final, 40);
}

TEST_F(RiskPanel, HostsThatDoNotRateByEmploymentAndNoHostTakeThePlainMaximum)
{
    host.byEmployment = false;
    EXPECT_EQ(host.Show(panel, {10, 30, 20, 10}).combined, 30);
    panel->SetHost(nullptr);
    EXPECT_EQ(host.Show(panel, {10, 20, 10, 10}).combined, 20);
    EXPECT_EQ(panel->ShownCode(panel->gbKompLaczna), 20);
}

TEST_F(RiskPanel, TheEmploymentOfTheYearDecidesWhoeverHostsThePanel)
{
    host.Show(panel, {10, 30, 10, 10});
    EXPECT_EQ(panel->ShownCode(panel->gbKompLaczna), 10);
}

TEST_F(RiskPanel, RatedGroupsWithoutEmploymentInTheYearSayWhyTheCombinedIsMissing)
{
    host.date = QStringLiteral("2019-05-01");
    host.Show(panel, TGroupRatings::All(30));
    EXPECT_EQ(panel->NotDeterminedReason(), "Ocena łączna nie została określona: stanowisko nie ma danych o "
                                            "zatrudnieniu w roku 2019, roku pomiaru.");
    EXPECT_FALSE(panel->lBrakOceny->isHidden());
    host.workstation.AddEmployment(Year("2019", "0", "", "0", "0"));
    host.Show(panel, TGroupRatings::All(30));
    EXPECT_EQ(panel->NotDeterminedReason(), "Ocena łączna nie została określona: w roku 2019, roku pomiaru, na "
                                            "stanowisku nie zatrudniono nikogo.");
    host.Show(panel, TGroupRatings::All(0)); // nothing rated: nothing to explain
    EXPECT_TRUE(panel->NotDeterminedReason().isEmpty());
    host.date = QStringLiteral("2021-03-15");
    host.Show(panel, TGroupRatings::All(30));
    EXPECT_TRUE(panel->lBrakOceny->isHidden());
}

TEST_F(RiskPanel, NoMeasurementDateRatesZeroWithoutFailing)
{
    host.date.clear();
    host.Show(panel, TGroupRatings::All(30));
    EXPECT_EQ(panel->ShownCode(panel->gbKompLaczna), 0);
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

// ---- The user's choices -------------------------------------------------------------------

TEST_F(RiskPanel, ClickingAFinalButtonReportsItsTagTheProgramsChecksDoNot)
{
    panel->gbOcena->setEnabled(true);
    host.Show(panel, TGroupRatings::All(10));
    EXPECT_TRUE(host.finals.isEmpty());
    panel->rbOcenaKoncDuze->click();
    EXPECT_EQ(host.finals, QList<int>{30});
    EXPECT_EQ(TfrmOcenaRyz::ButtonColour(panel->rbOcenaKoncDuze), "#FF0000");
}

TEST_F(RiskPanel, ClickingTheFinalCaptionReportsWorkForbiddenAndClickingAgainClearsIt)
{
    panel->gbOcena->setEnabled(true);
    host.Show(panel, TGroupRatings::All(20));
    clickCaption(panel->gbOcena);
    EXPECT_TRUE(TfrmOcenaRyz::CaptionRed(panel->gbOcena));
    EXPECT_FALSE(panel->rbOcenaKoncSrednie->isChecked());
    clickCaption(panel->gbOcena);
    EXPECT_FALSE(TfrmOcenaRyz::CaptionRed(panel->gbOcena));
    EXPECT_EQ(host.finals, (QList<int>{40, 0}));
}

TEST_F(RiskPanel, WithoutAHostChoicesGoNowhere)
{
    panel->SetHost(nullptr);
    panel->gbOcena->setEnabled(true);
    panel->rbOcenaKoncMale->click();
    panel->gbOcenaClick();
    panel->mSrodOgrRyz->setPlainText(QStringLiteral("x"));
    EXPECT_TRUE(host.finals.isEmpty());
    EXPECT_TRUE(host.measures.isEmpty());
}

TEST_F(RiskPanel, DockingSetsTheHostAndTakingOffForgetsIt)
{
    panel->SetHost(nullptr);
    QWidget tab;
    panel->PlaceOnPage(&tab, true, &host);
    EXPECT_EQ(panel->Host(), &host);
    EXPECT_TRUE(panel->gbOcena->isEnabled());
    panel->TakeOffPage();
    EXPECT_EQ(panel->Host(), nullptr);
}

TEST_F(RiskPanel, MeasuresTypedAreReportedLoadedOnesAreNot)
{
    panel->LoadMeasuresText(QStringLiteral("z pliku"));
    EXPECT_TRUE(host.measures.isEmpty());
    EXPECT_EQ(panel->MeasuresText(), "z pliku");
    panel->mSrodOgrRyz->setPlainText(QStringLiteral("Rękawice"));
    ASSERT_FALSE(host.measures.isEmpty());
    EXPECT_EQ(host.measures.last(), "Rękawice");
}

TEST_F(RiskPanel, NamesCaptionsAndDisplayOnlyGroups)
{
    EXPECT_EQ(panel->objectName(), "frmOcenaRyz");
    EXPECT_EQ(panel->pOcenaRyz->objectName(), "pOcenaRyz");
    EXPECT_EQ(panel->gbMlodociani->title(), "Młodociani");
    EXPECT_EQ(panel->gbKobCiez->title(), "Kobiety w ciąży");
    EXPECT_EQ(panel->gbMezczyzni->title(), "Mężczyźni");
    EXPECT_EQ(panel->gbKompLaczna->title(), "Ocena łączna");
    EXPECT_EQ(panel->gbOcena->title(), "Ocena końcowa");
    EXPECT_EQ(panel->rbOcenaKbtWCSrednie->objectName(), "rbOcenaKbtWCSrednie");
    EXPECT_EQ(panel->rbOcenaKbtWCSrednie->text(), "Średnie");
    EXPECT_EQ(panel->rbOcenaKoncDuze->property("tag").toInt(), 30);
    EXPECT_EQ(panel->rbOcenaKoncMale->property("tag").toInt(), 10);
    for (QGroupBox *g : {panel->gbMlodociani, panel->gbKobCiez, panel->gbKobiety, panel->gbMezczyzni, panel->gbKompLaczna})
        EXPECT_FALSE(g->isEnabled()) << g->objectName().toStdString();
}
