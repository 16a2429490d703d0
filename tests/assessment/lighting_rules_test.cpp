// Lighting rules on forms held in memory: the rating classes at their boundaries, the
// requirement of the surroundings, the flicker lists, and values that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/lighting.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/selection_trees.h"

using namespace shippedforms;
using namespace assessment::rules;

// ---- Classes (the window tests go through the rest) ---------------------------------------------

TEST(LightingClasses, BoundariesAndValuesThatGiveNoRating)
{
    EXPECT_EQ(IlluminanceRating(0.8, 0), 10);
    EXPECT_EQ(IlluminanceRating(0.79, 0), 20);
    EXPECT_EQ(IlluminanceRating(0, 0.2), 20);
    EXPECT_EQ(IlluminanceRating(0, 0.19), 30);
    EXPECT_EQ(IlluminanceRating(0, 0), 0);
    EXPECT_EQ(SurroundingsRequirement(200, 2), 150);
    EXPECT_EQ(SurroundingsRequirement(150, 2), 150);
    EXPECT_EQ(SurroundingsRequirement(20, 1), 20);
    EXPECT_EQ(Uniformity1Rating(0, 0.4), 10);
    EXPECT_EQ(Uniformity1Rating(0.19, 0), 30);
    EXPECT_EQ(UniformityAreaRating(0.1, 0.4), 20);
    EXPECT_EQ(ColourRenderingRating(80, 59), 20);
    EXPECT_EQ(ColourRenderingRating(20, 20), 10); // 20 and 90 are not lowered
    EXPECT_EQ(ColourRenderingRating(15, 62), 0);
    EXPECT_EQ(FlickerRating(-1, 0), 0);
}

TEST(LightingMultiples, QuotientOfTwoFieldsNeverDividesByZero)
{
    assessment::TMemoryForm f;
    f.Add("ed_A", "200");
    f.Add("ed_B", "300");
    f.Add("ed_Empty");
    f.Add("ed_Neg", "-5");
    f.Add("ed_Word", "abc");
    EXPECT_EQ(QuotientMultipleOrZero(f, "ed_A", "ed_B"), "0.667");
    EXPECT_EQ(QuotientMultipleOrZero(f, "ed_Empty", "ed_B"), "0");
    EXPECT_EQ(QuotientMultipleOrZero(f, "ed_A", "ed_Empty"), "0");
    EXPECT_EQ(QuotientMultipleOrZero(f, "ed_A", "ed_Neg"), "0");
    EXPECT_EQ(QuotientMultipleOrZero(f, "ed_Word", "ed_B"), "0");
    EXPECT_EQ(QuotientMultipleOrZero(f, "ed_A", "ed_Missing"), "0");
}

// ---- The forms in memory ---------------------------------------------------------------------------

class LightingForms : public ShippedFormTest
{
};

TEST_F(LightingForms, FlickerWithoutAnEffectLeavesThePanel)
{
    assessment::TMemoryForm f;
    f.Name = "osw_tetn_Pomiar_01";
    f.AddCombo("cb_RodzMasz", {"z ruchomymi", "bez"}, 0);
    auto &effect = f.AddCombo("cb_Efekt", {"widoczne", "stroboskopowy", "niewidoczne"}, -1);
    effect.lists = {{"widoczne", "stroboskopowy", "niewidoczne"}, {"widoczne", "niewidoczne"}};
    EvaluateLightingForm(f, "cb_Efekt");
    EXPECT_TRUE(f.Ratings.isEmpty());
    // another machine kind: its own list, first entry chosen, rated at once
    f.Fields["cb_RodzMasz"].value = "1";
    EvaluateLightingForm(f, "cb_RodzMasz");
    EXPECT_EQ(f.Fields["cb_Efekt"].choiceNr, 2);
    EXPECT_EQ(f.ComboItems("cb_Efekt"), (QStringList{"widoczne", "niewidoczne"}));
    ASSERT_EQ(f.Ratings.size(), 1);
    EXPECT_EQ(f.Ratings.last().men, 20);
    EXPECT_EQ(f.Ratings.last().juveniles, 20);
}

TEST_F(LightingForms, BadValuesAreNotRatedAndNeverFail)
{
    for (const char *file : {"osw_natezenie_frm_1.xml", "osw_natezenie_frm_2.xml", "osw_olsnienie_frm_1.xml",
                             "osw_rownomiernosc_frm_1.xml", "osw_rownomiernosc_frm_2.xml",
                             "osw_rozroznaniebarw_frm_1.xml", "osw_rozroznaniebarw_frm_2.xml"}) {
        SCOPED_TRACE(file);
        ShippedForm f{QString::fromLatin1(file)};
        const TRuleFields *fields = RuleFields(f.function);
        ASSERT_TRUE(fields);
        for (const char *bad : {"0", "-3", "abc", "1e400", ""}) {
            for (const QString &name : fields->Edited)
                f.Enter(name, QString::fromLatin1(bad));
            ASSERT_FALSE(f.Ratings().empty());
            EXPECT_EQ(f.Ratings(), Groups(4, 0)) << bad;
            for (const QString &name : fields->Computed) {
                double v = 0;
                EXPECT_TRUE(ParseNumber(f.Value(name), v))
                    << name.toStdString() << " = " << f.Value(name).toStdString();
            }
        }
    }
}

TEST_F(LightingForms, ANotDeterminedRatingNamesTheValueToMend)
{
    ShippedForm glare("osw_olsnienie_frm_1.xml");
    glare.Enter("ed_ZmierzoneLumin", "1500");
    glare.Enter("ed_GranLumin", "0");
    ASSERT_EQ(glare.Ratings(), NotDetermined);
    EXPECT_EQ(glare.LastNamed(), "ed_GranLumin: wartość dopuszczalna musi być liczbą większą od 0");
    const qsizetype reported = glare.Named();
    glare.Enter("ed_GranLumin", "1000");
    ASSERT_EQ(glare.Ratings(), (Groups{30, 30, 30, 30}));
    EXPECT_EQ(glare.Named(), reported) << "a rated form reports nothing";
    glare.Enter("ed_ZmierzoneLumin", "-5");
    ASSERT_EQ(glare.Ratings(), NotDetermined);
    EXPECT_EQ(glare.LastNamed(), "ed_ZmierzoneLumin: wartość musi być liczbą większą od 0");
    // a colour rendering requirement the reduced rule cannot use
    ShippedForm colour("osw_rozroznaniebarw_frm_1.xml");
    colour.Enter("ed_Wyznaczony", "80");
    colour.Enter("ed_RodzWnetrzaBWymagany", "15");
    ASSERT_EQ(colour.Ratings(), NotDetermined);
    EXPECT_EQ(colour.LastNamed(), "ed_RodzWnetrzaBWymagany: wartość musi być liczbą nie mniejszą od 20");
}

TEST_F(LightingForms, EveryLeafOfTheTreeOfInteriorsIsARequirementTheFormsAccept)
{
    std::vector<storage::TZalTreeParam> nodes;
    storage::ReadParamTree(QStringLiteral("zaklocen\\frm\\zalaczn\\osw_wnetrza.xml"), nodes);
    int leaves = 0;
    for (const auto &n : nodes) {
        if (n.par1.isEmpty() && n.par2.isEmpty() && n.par3.isEmpty())
            continue; // a group
        ++leaves;
        SCOPED_TRACE(n.Text.toStdString());
        double e = 0, ra = 0, u = 0;
        ASSERT_TRUE(ParseNumber(n.par1, e) && ParseNumber(n.par2, ra) && ParseNumber(n.par3, u));
        EXPECT_GT(e, 0);
        EXPECT_GT(ra, 20); // accepted by the second colour rendering form
        EXPECT_LE(ra, 100);
        EXPECT_GE(u, 0.4); // accepted by the second uniformity form
        EXPECT_LE(u, 0.7);
        EXPECT_EQ(n.Level, 1);
    }
    EXPECT_GT(leaves, 40);
}
