// Vibration and mechanical-hazard rules on the shipped forms held in memory: the vibration
// class boundaries, each group's permitted values, the short-exposure switch, the mechanical
// result W and its table, and input that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/vibration.h"

using namespace shippedforms;
using namespace assessment::rules;

TEST(VibrationClass, OneIsAlreadyLargeAndAHalfMedium)
{
    EXPECT_EQ(VibrationClass(0), 10);
    EXPECT_EQ(VibrationClass(0.49), 10);
    EXPECT_EQ(VibrationClass(0.5), 20);
    EXPECT_EQ(VibrationClass(0.99), 20);
    EXPECT_EQ(VibrationClass(1.0), 30);
    EXPECT_EQ(VibrationClass(7.5), 30);
}

TEST(MechanicalHazardCode, TableByConsequenceClass)
{
    const double ws[] = {0, 0.399, 0.4, 0.599, 0.6, 1};
    const int expected[3][6] = {{10, 10, 10, 10, 20, 20}, {10, 10, 20, 20, 30, 30}, {20, 20, 30, 30, 30, 30}};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(MechanicalHazardCode(c, ws[i]), expected[c][i]) << c << " " << ws[i];
    EXPECT_EQ(MechanicalHazardCode(-1, 0.7), 0);
    EXPECT_EQ(MechanicalHazardCode(3, 0.7), 0);
}

// ---- Vibration through the hands ---------------------------------------------------------------

class LocalVibration : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("drgania_msc_frm_1.xml")};
};

TEST_F(LocalVibration, PermittedValuesComeWithTheForm)
{
    EXPECT_EQ(f.function, "drgania_msc_Pomiar_01");
    EXPECT_EQ(f.Value("ed_RownWartDop"), "2.8");
    EXPECT_EQ(f.Value("ed_RownWartDopMlKc"), "1");
    EXPECT_EQ(f.Value("ed_MaksWartDop"), "11.2");
    EXPECT_EQ(f.Value("ed_MaksWartDopMlKc"), "4");
    EXPECT_EQ(f.Value("ch_cbCzasEksp"), "True");
}

TEST_F(LocalVibration, ClassBoundariesOfTheDailyExposure)
{
    f.Enter("ed_RownWartZm", "1.4");
    EXPECT_EQ(f.Value("ed_RownKrotn"), "0.5");
    EXPECT_EQ(f.Value("ed_RownKrotnMlKc"), "1.4");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
    f.Enter("ed_RownWartZm", "2.8");
    EXPECT_EQ(f.Value("ed_RownKrotn"), "1");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Enter("ed_RownWartZm", "1.37"); // 0.489: handed over as 0.49
    EXPECT_EQ(f.Value("ed_RownKrotn"), "0.49");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 30, 30}));
    f.Enter("ed_RownWartZm", "0.49");
    EXPECT_EQ(f.Value("ed_RownKrotnMlKc"), "0.49");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
}

TEST_F(LocalVibration, TheShortExposureRatesWithTheDailyOne)
{
    f.Enter("ed_RownWartZm", "0.49");
    f.Enter("ed_MaksWartZm", "5.6");
    EXPECT_EQ(f.Value("ed_MaksKrotn"), "0.5");
    EXPECT_EQ(f.Value("ed_MaksKrotnMlKc"), "1.4");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
}

TEST_F(LocalVibration, ClearingTheShortExposureLeavesTheDailyOneToDecide)
{
    const QStringList switched{"lb_pMaksSW",         "lb_lMaksWartZm",  "lb_lMaksWartDp", "lb_lMaksKrotn",
                               "ed_MaksWartZm",      "ed_MaksWartDop",  "ed_MaksKrotn",   "lb_lMaksWartDopMlKc",
                               "ed_MaksWartDopMlKc", "ed_MaksKrotnMlKc"};
    f.Enter("ed_RownWartZm", "0.49");
    f.Enter("ed_MaksWartZm", "12");
    ASSERT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Click("ch_cbCzasEksp");
    EXPECT_EQ(f.Value("ed_MaksWartZm"), "0");
    EXPECT_EQ(f.Value("ed_MaksKrotn"), "0");
    EXPECT_EQ(f.Value("ed_MaksKrotnMlKc"), "0");
    for (const QString &n : switched)
        EXPECT_FALSE(f.Enabled(n)) << n.toStdString();
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Click("ch_cbCzasEksp");
    for (const QString &n : switched)
        EXPECT_TRUE(f.Enabled(n)) << n.toStdString();
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
}

TEST_F(LocalVibration, ACorrectedPermittedValueRecomputesItsMultiple)
{
    f.Enter("ed_RownWartZm", "1.4");
    f.Enter("ed_RownWartDopMlKc", "2.8");
    EXPECT_EQ(f.Value("ed_RownKrotnMlKc"), "0.5");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
}

TEST_F(LocalVibration, ValuesThatCannotBeRatedLeaveTheFormNotDetermined)
{
    for (const char *text : {"", "-1", "abc", "1e999"}) {
        f.Enter("ed_RownWartZm", "1.4");
        ASSERT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
        EXPECT_NO_THROW(f.Enter("ed_RownWartZm", text));
        EXPECT_EQ(f.Value("ed_RownKrotn"), "") << text;
        EXPECT_EQ(f.Ratings(), NotDetermined) << text;
    }
    f.Enter("ed_RownWartZm", "1.4");
    for (const char *text : {"0", "", "-2.8"}) {
        EXPECT_NO_THROW(f.Enter("ed_RownWartDopMlKc", text));
        EXPECT_EQ(f.Value("ed_RownKrotnMlKc"), "") << text;
        EXPECT_EQ(f.Value("ed_RownKrotn"), "0.5"); // the others stand
        EXPECT_EQ(f.Ratings(), (Groups{20, 20, 0, 0})) << text;
    }
    EXPECT_TRUE(f.form.Messages.isEmpty());
}

// ---- General vibration -------------------------------------------------------------------------

class GeneralVibration : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("drgania_ogln_frm_1.xml")};
};

TEST_F(GeneralVibration, PregnantWomenAreAlwaysForbidden)
{
    EXPECT_EQ(f.Value("ed_RownWartDop"), "0.8");
    EXPECT_EQ(f.Value("ed_MaksWartDop"), "3.2");
    // The juveniles' values are the user's to type; until then only juveniles are not rated.
    EXPECT_EQ(f.Value("ed_RownWartDopMl"), "");
    f.Enter("ed_RownWartZm", "0.6"); // 0.75 of 0.8 m/s^2
    EXPECT_EQ(f.Value("ed_RownKrotn"), "0.75");
    EXPECT_EQ(f.Value("ed_RownKrotnMl"), "");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 0}));
    f.Enter("ed_RownWartZm", "0.3");
    f.Enter("ed_RownWartDopMl", "0.5");
    f.Enter("ed_MaksWartDopMl", "2");
    EXPECT_EQ(f.Value("ed_RownKrotnMl"), "0.6");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 20}));
    f.Enter("ed_MaksWartZm", "3.2");
    EXPECT_EQ(f.Value("ed_MaksKrotn"), "1");
    EXPECT_EQ(f.Value("ed_MaksKrotnMl"), "1.6");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 40, 30}));
    f.Click("ch_cbCzasEksp");
    EXPECT_EQ(f.Value("ed_MaksKrotnMl"), "0");
    EXPECT_FALSE(f.Enabled("ed_MaksWartDopMl"));
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 20}));
}

// ---- Mechanical hazards ------------------------------------------------------------------------

class MechanicalHazard : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("mechaniczne_frm_1.xml"), 4000};

    // Marks requirement i as applying, with its weight and assessment item indexes.
    void Applies(int i, int weight, int value)
    {
        const QString n = QString::number(i);
        f.Choose("cb_cWaga" + n, weight);
        f.Choose("cb_cWartosc" + n, value);
        if (f.Value("ch_cbIstotne" + n) != "True")
            f.Click("ch_cbIstotne" + n);
    }
};

TEST_F(MechanicalHazard, TheFactorsRequirementsAreIncludedWithTheirLists)
{
    EXPECT_EQ(f.function, "mechaniczne_Pomiar_01");
    EXPECT_EQ(f.Value("ed_CzasEksp"), "8");
    EXPECT_EQ(f.Value("ed_CzasPracy"), "8");
    EXPECT_EQ(f.Value("ed_WartWyl"), "0");
    EXPECT_EQ(f.Value("cb_cCNast"), "-1");
    EXPECT_EQ(f.form.ComboItems("cb_cCNast").size(), 3);
    EXPECT_EQ(f.form.ComboItems("cb_cWaga1").size(), 3);
    EXPECT_EQ(f.form.ComboItems("cb_cWartosc1").size(), 3);
    EXPECT_EQ(f.Value("ch_cbIstotne1"), "False");
    EXPECT_TRUE(f.form.Find("ch_cbIstotne8"));
    EXPECT_FALSE(f.form.Find("ch_cbIstotne9"));
}

TEST_F(MechanicalHazard, NoRequirementApplyingGivesWZero)
{
    f.Choose("cb_cCNast", 2);
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    f.form.Fields["ed_WartWyl"].value = "0.7";
    f.form.Writes.clear();
    f.Enter("ed_CzasEksp", "4"); // no check box left: the result is not rewritten
    EXPECT_TRUE(f.form.Writes.isEmpty());
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Click("ch_cbIstotne3");
    f.Click("ch_cbIstotne3"); // ticked with no weight chosen, then cleared: W = 0 written
    EXPECT_EQ(f.Value("ed_WartWyl"), "0");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
}

TEST_F(MechanicalHazard, ExposureShareWeighsTheMeanAssessment)
{
    f.Enter("ed_CzasEksp", "4");
    f.Choose("cb_cCNast", 1);
    Applies(1, 0, 1); // N = 1, S = 0.5: W = 1 - 1.3^-0.5 * 0.5 = 0.5615
    EXPECT_EQ(f.Value("ed_WartWyl"), "0.561");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    f.Choose("cb_cCNast", 2);
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Choose("cb_cCNast", 0);
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
}

TEST_F(MechanicalHazard, WorkingTimeZeroTakesNoExposureShare)
{
    f.Enter("ed_CzasPracy", "0");
    f.Choose("cb_cCNast", 1);
    Applies(1, 1, 0);
    Applies(2, 2, 2); // N = 5, S = 3: A = 0.6, W = 1 - A = 0.4 exactly
    EXPECT_EQ(f.Value("ed_WartWyl"), "0.4");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    Applies(1, 1, 2);
    Applies(2, 2, 0); // S = 2: A = 0.4, W = 0.6
    EXPECT_EQ(f.Value("ed_WartWyl"), "0.6");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
}

TEST_F(MechanicalHazard, EveryRequirementFullyMetGivesWZero)
{
    f.Choose("cb_cCNast", 2);
    Applies(1, 2, 2);
    Applies(4, 0, 2);
    EXPECT_EQ(f.Value("ed_WartWyl"), "0");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
}

TEST_F(MechanicalHazard, InputThatCannotBeRatedLeavesTheFormNotDetermined)
{
    f.Choose("cb_cCNast", 1);
    Applies(1, 0, 1); // W = 1 - 0.5 / 1.3 = 0.615
    ASSERT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    for (const char *text : {"0", "", "-2", "abc"}) {
        EXPECT_NO_THROW(f.Enter("ed_CzasEksp", text));
        EXPECT_EQ(f.Value("ed_WartWyl"), "") << text;
        EXPECT_EQ(f.Ratings(), NotDetermined) << text;
    }
    f.Enter("ed_CzasEksp", "8");
    EXPECT_EQ(f.Value("ed_WartWyl"), "0.615");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Enter("ed_CzasPracy", "-8");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_CzasPracy", "8");
    // a requirement that applies with no weight or assessment chosen
    f.Click("ch_cbIstotne2");
    EXPECT_EQ(f.Value("ed_WartWyl"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Choose("cb_cWaga2", 0);
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Choose("cb_cWartosc2", 1);
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Choose("cb_cCNast", -1);
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_TRUE(f.form.Messages.isEmpty());
}
