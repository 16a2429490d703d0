// "5 kroków" and Risk Score: the rules on a form in memory (band edges, the bracketed values,
// unchosen items, damaged parameter files) and the shipped forms in the real measurement
// window, rated, shown, saved and read back, and rated anew after the parameters are saved.

#include "shipped_form_fixture.h"

#include "assessment/frm_param_risc_score.h"
#include "assessment/rules/own_methods.h"
#include "assessment/rules/risk_score_sets.h"
#include "storage/measurement_files.h"
#include "widgets/bitbtn_with_color.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

using namespace shippedforms;
using assessment::TMemoryForm;
using assessment::rules::ValueInBrackets;

namespace {

const QString Decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n");

// Bands "Pasmo 1".."Pasmo 5" with minima 0, 20, 70, 200, 400 and codes 10, 10, 20, 30, 40.
void writeBands(const testsupport::FixtureFolder &fx)
{
    QString text = Decl + "<RiskScore ver=\"1.0\">\n";
    const char *minima[] = {"0", "20", "70", "200", "400"};
    const int codes[] = {10, 10, 20, 30, 40};
    for (int i = 0; i < 5; ++i)
        text += QString("  <poz nazwa=\"Opis%1\">Pasmo %1</poz>\n  <poz nazwa=\"Ryzyko%1\">%2</poz>\n"
                        "  <poz nazwa=\"SterRyz%1\">%3</poz>\n")
                    .arg(i + 1)
                    .arg(minima[i])
                    .arg(codes[i]);
    fx.WriteText("zaklocen/frm/zalaczn/metRiskScore_1.xml", text + "</RiskScore>\n");
}

class RiskScoreRule : public ::testing::Test
{
protected:
    testsupport::FixtureFolder folder;
    TMemoryForm form;
    void SetUp() override
    {
        assessment::ReloadRiskScoreSets();
        for (const char *t : {"Prawd", "Eksp", "Skutki"})
            folder.WriteText(QString("zaklocen/frm/zalaczn/metRiskScore_%1_1.xml").arg(t),
                             Decl + QString("<RiskScore_%1 ver=\"1.0\">\n</RiskScore_%1>\n").arg(t));
        form.Name = "metRiskScore_Pomiar_01";
        form.AddCombo("cb_cSkutki", {"A (20)", "B (20.5)", "C (400)", "D (401)", "E (0.2)"});
        form.AddCombo("cb_cPrawd", {"jeden (1)", "dziesięć (10)"}, 0);
        form.AddCombo("cb_cEksp", {"jeden (1)", "dziesięć (10)"}, 0);
        form.Add("ed_WskRyzyka");
    }
    void TearDown() override { assessment::ReloadRiskScoreSets(); }
    // Chooses item s of the consequences, rates, returns the shown text and the code.
    std::pair<QString, int> Rate(int s, int p = 0, int e = 0)
    {
        form.Fields["cb_cSkutki"].value = QString::number(s);
        form.Fields["cb_cPrawd"].value = QString::number(p);
        form.Fields["cb_cEksp"].value = QString::number(e);
        assessment::rules::EvaluateRiskScore(form, "cb_cSkutki");
        const int code = form.Ratings.isEmpty() ? -1 : form.Ratings.last().men;
        return {form.GetFieldValue("ed_WskRyzyka"), code};
    }
};

} // namespace

TEST(OwnMethodRules, ValueInBracketsIsTolerant)
{
    EXPECT_FLOAT_EQ(ValueInBrackets(" Możliwe (6)"), 6);
    EXPECT_FLOAT_EQ(ValueInBrackets("Ciężkie (trwałe) urazy (15)"), 15); // a description's own brackets
    EXPECT_FLOAT_EQ(ValueInBrackets("Rzadka (0,5)"), 0.5f);
    EXPECT_FLOAT_EQ(ValueInBrackets("Rzadka ( .5 ) dopisek"), 0.5f);
    for (const char *bad : {"", "bez nawiasu", "Zła (abc)", "Ujemna (-3)", "Pusta ()"})
        EXPECT_EQ(ValueInBrackets(bad), 0.0f) << bad;
}

TEST(OwnMethodRules, FiveStepsAddsTheGradesAndAnUnchosenItemRatesSmall)
{
    assessment::rules::RegisterRules();
    const auto rule = assessment::FindEvaluationRule("met5Krok_Pomiar_01");
    ASSERT_TRUE(rule);
    TMemoryForm form;
    form.Name = "met5Krok_Pomiar_01";
    const QStringList five = {"a", "b", "c", "d", "e"};
    form.AddCombo("cb_cCNast", five);
    form.AddCombo("cb_cPrawd", five);
    auto rate = [&](int c, int p) {
        form.Fields["cb_cCNast"].value = QString::number(c);
        form.Fields["cb_cPrawd"].value = QString::number(p);
        rule(form, "cb_cCNast");
        const auto &r = form.Ratings.last();
        EXPECT_TRUE(r.men == r.women && r.women == r.pregnantWomen && r.pregnantWomen == r.juveniles);
        return r.men;
    };
    EXPECT_EQ(rate(2, 2), 30);
    EXPECT_EQ(rate(0, 2), 20);
    EXPECT_EQ(rate(1, 0), 10);
    EXPECT_EQ(rate(0, 1), 10);
    EXPECT_EQ(rate(2, 1), 30);
    EXPECT_EQ(rate(-1, 4), 10); // -1 + 4 would pass for 3
    EXPECT_EQ(rate(3, -1), 10);
}

TEST_F(RiskScoreRule, BandsIncludeTheirUpperMinimum)
{
    writeBands(folder);
    EXPECT_EQ(Rate(0), std::make_pair(QString("Pasmo 1 (20)"), 10));
    EXPECT_EQ(Rate(1), std::make_pair(QString("Pasmo 2 (20.5)"), 10));
    EXPECT_EQ(Rate(2), std::make_pair(QString("Pasmo 4 (400)"), 30));
    EXPECT_EQ(Rate(3), std::make_pair(QString("Pasmo 5 (401)"), 40));
    // 0.2 x 10 x 10 in single precision is exactly the minimum 20
    EXPECT_EQ(Rate(4, 1, 1), std::make_pair(QString("Pasmo 1 (20)"), 10));
    EXPECT_EQ(Rate(4, 0, 1), std::make_pair(QString("Pasmo 1 (2)"), 10));
    const auto &r = form.Ratings.last();
    EXPECT_EQ((std::vector<int>{r.women, r.pregnantWomen, r.juveniles}), (std::vector<int>{10, 10, 10}));
    EXPECT_TRUE(form.Messages.isEmpty());
}

TEST_F(RiskScoreRule, UnchosenItemsMakeRZeroInTheFirstBand)
{
    writeBands(folder);
    EXPECT_EQ(Rate(-1), std::make_pair(QString("Pasmo 1 (0)"), 10));
}

TEST_F(RiskScoreRule, DamagedBandsAreNamedOnceAndRateNothing)
{
    // minima out of order: a rating from them could be wrong
    folder.WriteText("zaklocen/frm/zalaczn/metRiskScore_1.xml",
                     Decl + "<RiskScore ver=\"1.0\">\n  <poz nazwa=\"Ryzyko2\">70</poz>\n"
                            "  <poz nazwa=\"Ryzyko3\">20</poz>\n</RiskScore>\n");
    EXPECT_EQ(Rate(2), std::make_pair(QString(" (400)"), 0));
    ASSERT_EQ(form.Messages.size(), 1);
    EXPECT_TRUE(form.Messages[0].contains("metRiskScore_1.xml"));
    Rate(1);
    EXPECT_EQ(form.Messages.size(), 1);

    // a missing file is named with the file access message
    assessment::ReloadRiskScoreSets();
    QFile::remove(folder.FilePath("zaklocen/frm/zalaczn/metRiskScore_1.xml"));
    EXPECT_EQ(Rate(0).second, 0);
    EXPECT_EQ(form.Messages.value(1), "Błąd dostępu do pliku : zaklocen\\frm\\zalaczn\\metRiskScore_1.xml");
}

// ---- The shipped forms in the measurement window --------------------------------------------

class OwnMethodWindow : public WindowOnShippedForm
{
protected:
    void SetUp() override
    {
        WindowOnShippedForm::SetUp();
        assessment::ReloadRiskScoreSets();
    }
    void TearDown() override
    {
        assessment::SetRiskScoreEditorRunner({});
        WindowOnShippedForm::TearDown();
        assessment::ReloadRiskScoreSets();
    }
};

TEST_F(OwnMethodWindow, RiskScoreShowsTheBandAndRTheChoicesComeFromTheParameterTables)
{
    Open(100001, "metRiskScore", "1.0");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    auto *severity = Control<QComboBox>("cb_cSkutki");
    ASSERT_TRUE(severity);
    EXPECT_EQ(severity->count(), 6);
    EXPECT_EQ(severity->itemText(2), " Poważne (7)");
    EXPECT_EQ(Control<QComboBox>("cb_cPrawd")->count(), 7);
    EXPECT_TRUE(Control<QLabel>("lb_lInfo")->isHidden());
    EXPECT_TRUE(Control<QLineEdit>("ed_WskRyzyka")->isReadOnly());

    Choose("cb_cSkutki", 2); // 7
    Choose("cb_cPrawd", 4);  // 3
    Choose("cb_cEksp", 4);   // 6
    EXPECT_EQ(Shown("ed_WskRyzyka"), "Ryzyko istotne (126)");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaMzczSrednie->isChecked());
    Choose("cb_cEksp", 5); // 10: R = 210
    EXPECT_EQ(Shown("ed_WskRyzyka"), "Ryzyko wysokie (210)");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    EXPECT_TRUE(prompter.boxes.isEmpty());

    const storage::TMeasurementList saved = SaveAndReadBack();
    ASSERT_EQ(saved.size(), 1u);
    const auto &back = saved.front();
    EXPECT_EQ(storage::FindField(back->Fields, "cSkutki")->Value, " Poważne (7)");
    EXPECT_EQ(storage::FindField(back->Fields, "WskRyzyka")->Value, "Ryzyko wysokie (210)");
    EXPECT_EQ(back->ocenakon, 30);
}

TEST_F(OwnMethodWindow, FiveStepsRatesTheShippedGrades)
{
    Open(100002, "met5Krok", "1.0");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(Control<QComboBox>("cb_cCNast")->count(), 3);
    Choose("cb_cCNast", 1);
    EXPECT_EQ(Stored()[0], 10); // probability not chosen yet
    Choose("cb_cPrawd", 1);
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    Choose("cb_cCNast", 2);
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    const storage::TMeasurementList saved = SaveAndReadBack();
    ASSERT_EQ(saved.size(), 1u);
    const auto &back = saved.front();
    EXPECT_EQ(back->ocenam, 30);
    EXPECT_TRUE(storage::FindField(back->Fields, "cCNast")->Value.startsWith("duża"));
}

TEST_F(OwnMethodWindow, SavedParametersRateTheNextChoiceAndStoredChoicesNoLongerListedAreLocked)
{
    Open(100001, "metRiskScore", "1.0");
    Choose("cb_cSkutki", 3); // 15
    Choose("cb_cPrawd", 5);  // 6
    Choose("cb_cEksp", 1);   // 1: R = 90
    EXPECT_EQ(Control<QLineEdit>("ed_WskRyzyka")->text(), "Ryzyko istotne (90)");
    EXPECT_EQ(Stored()[0], 20);

    // the minimum of band 3 raised to 100, the probability "Całkiem możliwe" renamed
    assessment::SetRiskScoreEditorRunner([&](assessment::TfrmParamRiscScore &e) {
        e.bEdytuj->click();
        e.strGrWskRyz->item(2, 2)->setText("100");
        e.strGrPrawd->item(5, 1)->setText("Dość możliwe");
        e.bZapisz->click();
        EXPECT_TRUE(e.InEditMode());
        e.bZamknij->click();
    });
    assessment::ShowRiskScoreParameters(win.get(), 0);
    // Saved whole: nothing to lose, so closing asks nothing.
    ASSERT_EQ(prompter.boxes.size(), 0) << prompter.Texts().join('|').toStdString();
    const QString main = folder.ReadText("zaklocen/frm/zalaczn/metRiskScore_1.xml");
    EXPECT_TRUE(main.contains("<poz nazwa=\"Ryzyko3\">100</poz>"));
    EXPECT_TRUE(main.contains("<poz nazwa=\"Wersja\">1</poz>"));
    EXPECT_TRUE(
        folder.ReadText("zaklocen/frm/zalaczn/metRiskScore_Prawd_1.xml").contains("OpisPodst=\"Dość możliwe\""));

    // the bands in force at once
    Choose("cb_cEksp", 1);
    EXPECT_EQ(Control<QLineEdit>("ed_WskRyzyka")->text(), "Ryzyko możliwe (90)");
    EXPECT_EQ(Stored()[0], 10);

    // the stored " Całkiem możliwe (6)" is no longer offered: shown as stored, locked, explained
    win->ShowMeasurement(m);
    EXPECT_FALSE(Control<QLabel>("lb_lInfo")->isHidden());
    for (const char *name : {"cb_cSkutki", "cb_cPrawd", "cb_cEksp"})
        EXPECT_FALSE(Control<QComboBox>(name)->isEnabled()) << name;
    EXPECT_EQ(Control<QComboBox>("cb_cPrawd")->currentText(), " Całkiem możliwe (6)");
}
