// Noise rules on the shipped forms held in memory: multiples, class boundaries, each
// group's rating with its own permitted values, and input that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/noise.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"

#include <cmath>

using namespace shippedforms;
using namespace assessment::rules;

// ---- Multiples and the risk class ----------------------------------------------------------

TEST(NoiseMultiples, MultipleOfTwoLevelsByEnergyAndByPressure)
{
    struct Row
    {
        bool energy;
        double level, limit;
        const char *multiple;
    };
    // clang-format off
    const Row rows[] = {
        {true, 85, 85, "1.00"}, {true, 88, 85, "2.00"}, {true, 82, 85, "0.50"}, {true, 58, 55, "2.00"},
        {true, 58, 75, "0.02"}, {true, 0, 85, "0.00"},
        {true, 200, 85, "3.162277660E+11"}, // ten significant digits at most: beyond them the exponent form
        {false, 140, 135, "1.78"}, {false, 129, 135, "0.50"}, {false, 135, 135, "1.00"}, {false, 121, 115, "2.00"},
        // levels that give no multiple; 1e6 dB is beyond every number
        {true, -1, 85, ""}, {true, 85, 0, ""}, {true, 85, -3, ""}, {true, std::nan(""), 85, ""}, {true, 1e6, 85, ""},
        {false, -0.5, 135, ""}, {false, 140, 0, ""},
    };
    // clang-format on
    for (const Row &r : rows)
        EXPECT_EQ(r.energy ? NoiseEnergyMultipleOf(r.level, r.limit) : NoisePressureMultipleOf(r.level, r.limit),
                  r.multiple)
            << r.energy << " " << r.level << " " << r.limit;
}

TEST(NoiseRiskClass, HalfAndOneAreMediumComparedInSinglePrecision)
{
    for (const auto &[multiple, code] :
         {std::pair{0.0f, 10}, {0.49f, 10}, {0.5f, 20}, {0.75f, 20}, {1.0f, 20}, {1.01f, 30}, {200.0f, 30}})
        EXPECT_EQ(RiskClassFromMultiple(multiple), code) << multiple;
    // Above 1 as a double, exactly 1 as a single: medium.
    EXPECT_EQ(RiskClassFromMultiple(Single(1.00000001)), 20);
    EXPECT_EQ(RiskClassFromMultiple(Single(0.49999999999)), 20);
}

// ---- Audible noise -------------------------------------------------------------------------

class AudibleNoise : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("halas_fizyczny_frm_1.xml")};
};

TEST_F(AudibleNoise, PermittedValuesOfEachGroupComeWithTheForm)
{
    EXPECT_EQ(f.function, "halas_fizyczny_Pomiar_01");
    EXPECT_EQ(f.Value("ed_PEWartDop"), "85");
    EXPECT_EQ(f.Value("ed_PEWartDopMl"), "80");
    EXPECT_EQ(f.Value("ed_PEWartDopKc"), "65");
    EXPECT_EQ(f.Value("ed_MaksWartDop"), "115");
    EXPECT_EQ(f.Value("ed_MaksWartDopMlKc"), "110");
    EXPECT_EQ(f.Value("ed_SzWartDop"), "135");
    EXPECT_EQ(f.Value("ed_SzWartDopMlKc"), "130"); // the juveniles' limit protects pregnant women too
    for (const char *m : {"ed_PEKrotn", "ed_PEKrotnMl", "ed_PEKrotnKc", "ed_MaksKrotn", "ed_MaksKrotnMlKc",
                          "ed_SzKrotn", "ed_SzKrotnMlKc"})
        EXPECT_EQ(f.Value(m), "0") << m;
}

TEST_F(AudibleNoise, ExposureLevelGivesTheMultiplesOfEveryGroup)
{
    f.Enter("ed_PEWartZm", "88");
    EXPECT_EQ(f.Value("ed_PEKrotn"), "2");
    EXPECT_EQ(f.Value("ed_PEKrotnMl"), "6.31"); // 10^0.8
    EXPECT_EQ(f.Value("ed_PEKrotnKc"), "200");  // 10^2.3 = 199.53, shown with three digits
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
}

TEST_F(AudibleNoise, EachGroupIsRatedOnItsOwnPermittedValue)
{
    f.Enter("ed_PEWartZm", "78");
    EXPECT_EQ(f.Value("ed_PEKrotn"), "0.2");    // 10^-0.7: small for adults
    EXPECT_EQ(f.Value("ed_PEKrotnMl"), "0.63"); // 10^-0.2: medium for juveniles
    EXPECT_EQ(f.Value("ed_PEKrotnKc"), "20");   // 10^1.3: large for pregnant women
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 30, 20}));
}

TEST_F(AudibleNoise, MultiplesOfExactlyHalfAndOneAreMedium)
{
    // 85.02 dB is 1.0046 times the limit: handed over as 1.00, shown 1, still medium
    const char *rows[][3] = {
        {"85", "1", "20"}, {"85.02", "1", "20"}, {"85.1", "1.02", "30"}, {"82", "0.5", "20"}, {"81.9", "0.49", "10"}};
    for (const auto &[level, multiple, code] : rows) {
        f.Enter("ed_PEWartZm", level);
        EXPECT_EQ(f.Value("ed_PEKrotn"), multiple) << level;
        EXPECT_EQ(f.Ratings()[0], atoi(code)) << level;
    }
}

TEST_F(AudibleNoise, ANotDeterminedRatingNamesTheLevelToMend)
{
    f.Enter("ed_PEWartZm", "88");
    f.Enter("ed_PEWartDopKc", "0");
    ASSERT_EQ(f.Ratings(), (Groups{30, 30, 0, 30})); // only the group of that limit
    EXPECT_EQ(f.LastNamed(), "ed_PEWartDopKc: wartość dopuszczalna musi być liczbą większą od 0");
    const qsizetype reported = f.Named();
    f.Enter("ed_PEWartDopKc", "65");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    EXPECT_EQ(f.Named(), reported) << "a rated form reports nothing";
    f.Enter("ed_PEWartZm", "-3");
    ASSERT_EQ(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.LastNamed(), "ed_PEWartZm: poziom zmierzony musi być liczbą nie mniejszą od 0");
}

TEST_F(AudibleNoise, PeakAndMaximumLevelsRateByPressure)
{
    f.Enter("ed_PEWartZm", "70"); // 3.16 times the 65 dB of pregnant women
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 30, 10}));
    f.Enter("ed_SzWartZm", "140");
    EXPECT_EQ(f.Value("ed_SzKrotn"), "1.78");
    EXPECT_EQ(f.Value("ed_SzKrotnMlKc"), "3.16");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Enter("ed_SzWartZm", "129");
    EXPECT_EQ(f.Value("ed_SzKrotn"), "0.5");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 20}));
    // the maximum level: 112 dB is below the adults' 115 dB, above the 110 dB of the others
    f.Enter("ed_SzWartZm", "120");
    f.Enter("ed_MaksWartZm", "112");
    EXPECT_EQ(f.Value("ed_MaksKrotn"), "0.71");
    EXPECT_EQ(f.Value("ed_MaksKrotnMlKc"), "1.26");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
}

TEST_F(AudibleNoise, LeavingALevelRecomputesOnlyItsOwnMultiples)
{
    f.Enter("ed_PEWartZm", "88");
    f.form.Writes.clear();
    f.Enter("ed_MaksWartZm", "100");
    EXPECT_EQ(f.form.Writes, (QStringList{"ed_MaksKrotn=0.18", "ed_MaksKrotnMlKc=0.32"}));
}

TEST_F(AudibleNoise, AnyOtherFieldOnlyReRates)
{
    f.Enter("ed_PEWartZm", "88");
    f.form.Writes.clear();
    const auto before = f.form.Ratings.size();
    f.Evaluate("me_Uwagi");
    EXPECT_TRUE(f.form.Writes.isEmpty());
    EXPECT_EQ(f.form.Ratings.size(), before + 1);
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
}

TEST_F(AudibleNoise, ACorrectedPermittedValueRecomputesItsMultiple)
{
    f.Enter("ed_PEWartZm", "88");
    f.Enter("ed_PEWartDop", "88");
    EXPECT_EQ(f.Value("ed_PEKrotn"), "1");
    EXPECT_EQ(f.Ratings()[0], 20);
    f.Enter("ed_PEWartDopKc", "90");
    EXPECT_EQ(f.Value("ed_PEKrotnKc"), "0.63");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 30}));
}

TEST_F(AudibleNoise, APermittedValueWithNothingMeasuredLeavesTheMultiple)
{
    f.Enter("ed_SzWartDop", "130");
    EXPECT_EQ(f.Value("ed_SzKrotn"), "0");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
}

// ---- Input that cannot be rated --------------------------------------------------------------

TEST_F(AudibleNoise, AnEmptyLevelLeavesTheFormNotDetermined)
{
    f.Enter("ed_PEWartZm", "88");
    ASSERT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    EXPECT_NO_THROW(f.Enter("ed_PEWartZm", ""));
    EXPECT_EQ(f.Value("ed_PEKrotn"), "");
    EXPECT_EQ(f.Value("ed_PEKrotnMl"), "");
    EXPECT_EQ(f.Value("ed_PEKrotnKc"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_TRUE(f.form.Messages.isEmpty());
    // another field left meanwhile does not bring back the old rating
    f.Evaluate("me_Uwagi");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    // a level typed again rates again
    f.Enter("ed_PEWartZm", "82");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
}

TEST_F(AudibleNoise, ALevelThatIsNoNumberOrNegativeLeavesTheFormNotDetermined)
{
    for (const char *text : {"abc", "85 dB", "8,5", "1e999", "nan", "-5"}) {
        for (const auto &[level, multiples] : {std::pair{"ed_PEWartZm", "ed_PEKrotn ed_PEKrotnMl ed_PEKrotnKc"},
                                               {"ed_SzWartZm", "ed_SzKrotn ed_SzKrotnMlKc"}}) {
            EXPECT_NO_THROW(f.Enter(level, text));
            for (const QString &m : QString::fromLatin1(multiples).split(' '))
                EXPECT_EQ(f.Value(m), "") << text << " " << m.toStdString();
            EXPECT_EQ(f.Ratings(), NotDetermined) << text;
            f.Enter(level, "88");
        }
    }
}

TEST_F(AudibleNoise, APermittedValueOfZeroLeavesTheFormNotDetermined)
{
    f.Enter("ed_PEWartZm", "88");
    EXPECT_NO_THROW(f.Enter("ed_PEWartDopMl", "0"));
    EXPECT_EQ(f.Value("ed_PEKrotnMl"), "");
    EXPECT_EQ(f.Value("ed_PEKrotn"), "2"); // the other multiples stand
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 0}));
    f.Enter("ed_PEWartDopMl", "");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 0}));
    f.Enter("ed_PEWartDopMl", "-80");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 0}));
    f.Enter("ed_PEWartDopMl", "80");
    EXPECT_EQ(f.Value("ed_PEKrotnMl"), "6.31");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
}

TEST_F(AudibleNoise, AMultipleMissingFromTheFormLeavesItsGroupsNotDetermined)
{
    f.form.Fields.remove("ed_SzKrotnMlKc");
    f.Enter("ed_PEWartZm", "88");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 0, 0}));
}

// ---- Nuisance noise ----------------------------------------------------------------------------

class NuisanceNoise : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("halas_uciazliwy_frm_1.xml")};
};

TEST_F(NuisanceNoise, TheComboChoosesThePermittedLevel)
{
    f.Choose("cb_cWartDop", 2);
    f.Enter("ed_PEWartZm", "58");
    EXPECT_EQ(f.Value("ed_PEKrotn"), "2");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.form.Writes.clear();
    f.Choose("cb_cWartDop", 0);
    EXPECT_EQ(f.Value("ed_PEKrotn"), "0.02");
    EXPECT_EQ(f.Value("ed_PEWartZm"), "58");
    EXPECT_EQ(f.form.Writes, QStringList{"ed_PEKrotn=0.02"});
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Choose("cb_cWartDop", 1);
    EXPECT_EQ(f.Value("ed_PEKrotn"), "0.2");
}

TEST_F(NuisanceNoise, EachRoomIsOfferedWithItsOwnLevel)
{
    // A dispatch cabin with telephone links may have 65 dB, not 75: its room must be found
    // under the level that applies to it, or the rating comes out too mild.
    const QStringList items = f.form.ComboItems("cb_cWartDop");
    ASSERT_EQ(items.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(items[i].startsWith(QStringList{"75 dB", "65 dB", "55 dB"}[i])) << i;
    EXPECT_TRUE(items[0].contains(QStringLiteral("bezpośredniego sterowania bez łączności telefonicznej")));
    EXPECT_FALSE(items[0].contains(QStringLiteral("dyspozytorsk")));
    EXPECT_TRUE(items[1].contains(QStringLiteral("kabiny dyspozytorskie")));
    EXPECT_TRUE(items[1].contains(QStringLiteral("z łącznością telefoniczną")));
    EXPECT_TRUE(items[1].contains(QStringLiteral("prac precyzyjnych")));
    EXPECT_TRUE(items[2].contains(QStringLiteral("pomieszczenia administracyjne")));
}

TEST_F(NuisanceNoise, NoChoiceLeavesTheFormNotDetermined)
{
    f.Enter("ed_PEWartZm", "58");
    f.Choose("cb_cWartDop", -1);
    EXPECT_EQ(f.Value("ed_PEKrotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Choose("cb_cWartDop", 3);
    EXPECT_EQ(f.Ratings(), NotDetermined);
    ASSERT_FALSE(f.form.InvalidFields.isEmpty());
    EXPECT_EQ(f.LastNamed(), "cb_cWartDop: należy wybrać pozycję z listy");
}

TEST_F(NuisanceNoise, PregnantWomenAndJuvenilesAddTheirOwnPeakAndMaximum)
{
    f.Enter("ed_PEWartZm", "60"); // 0.03 of 75 dB
    f.Enter("ed_MaksWartZm", "112");
    EXPECT_EQ(f.Value("ed_MaksKrotn"), "0.71");
    EXPECT_EQ(f.Value("ed_MaksKrotnMlKc"), "1.26");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
    f.Enter("ed_MaksWartZm", "90");
    f.Enter("ed_SzWartZm", "135"); // the adults' limit, 1.78 times the others' 130 dB
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
}

// ---- Infrasonic noise ----------------------------------------------------------------------

class InfrasonicNoise : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("halas_infra_frm_1.xml")};
    ShippedForm concentration{QStringLiteral("halas_infra_uc_frm_1.xml")};
};

TEST_F(InfrasonicNoise, AdultsAndTheSharedGroupValues)
{
    EXPECT_EQ(f.function, "halas_infra_Pomiar_01");
    EXPECT_EQ(f.Value("ed_PCWartDop"), "102");
    EXPECT_EQ(f.Value("ed_PCWartDopMlKc"), "86");
    EXPECT_EQ(f.Value("ed_SzWartDop"), "145");
    EXPECT_EQ(f.Value("ed_SzWartDopMlKc"), "135");
    // the equivalent level rates the same on the form for work that needs concentration
    for (ShippedForm *form : {&f, &concentration}) {
        form->Enter("ed_PCWartZm", "90");
        EXPECT_EQ(form->Value("ed_PCKrotn"), "0.06");
        EXPECT_EQ(form->Value("ed_PCKrotnMlKc"), "2.51");
        EXPECT_EQ(form->Ratings(), (Groups{10, 10, 30, 30}));
    }
    f.Enter("ed_SzWartZm", "145");
    EXPECT_EQ(f.Value("ed_SzKrotn"), "1");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
    f.Enter("ed_PCWartZm", "105");
    EXPECT_EQ(f.Value("ed_PCKrotn"), "2");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
}

// ---- Infrasonic noise at work that needs concentration -----------------------------------------

class InfrasonicNuisance : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("halas_infra_uc_frm_1.xml")};
    const QStringList switched{"lb_lPCCzasWartZm", "lb_lPCCzasWartDp", "lb_lPCCzasKrotn", "lb_pPozCisnCzas",
                               "ed_PCCzasWartZm",  "ed_PCCzasWartDp",  "ed_PCCzasKrotn"};
};

TEST_F(InfrasonicNuisance, TheCheckBoxSwitchesTheConcentrationLevel)
{
    f.Click("ch_Koncentr");
    for (const QString &n : switched)
        EXPECT_TRUE(f.Enabled(n)) << n.toStdString();
    f.Enter("ed_PCCzasWartDp", "86");
    f.Enter("ed_PCCzasWartZm", "89");
    EXPECT_EQ(f.Value("ed_PCCzasKrotn"), "2");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Click("ch_Koncentr");
    EXPECT_EQ(f.Value("ed_PCCzasWartZm"), "0");
    EXPECT_EQ(f.Value("ed_PCCzasKrotn"), "0");
    for (const QString &n : switched)
        EXPECT_FALSE(f.Enabled(n)) << n.toStdString();
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
}

TEST_F(InfrasonicNuisance, AConcentrationLevelWithoutItsPermittedValueIsNotDetermined)
{
    f.Click("ch_Koncentr");
    f.Enter("ed_PCCzasWartZm", "89");
    EXPECT_EQ(f.Value("ed_PCCzasKrotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    // unticked, the level counts for nothing again
    f.Click("ch_Koncentr");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
}

// ---- Ultrasonic noise --------------------------------------------------------------------------

class UltrasonicNoise1 : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("halas_ultra_frm_1.xml")};
    void SetUp() override
    {
        ShippedFormTest::SetUp();
        // the groups' permitted values are typed by the user
        for (const QString &b : UltrasonicBands()) {
            f.Enter("ed_PCWartDopMl" + b, "77");
            f.Enter("ed_PCWartDopKc" + b, "77");
        }
    }
};

TEST_F(UltrasonicNoise1, AdultPermittedValuesByBand)
{
    const QStringList pc{"80", "80", "80", "90", "105", "110", "110"};
    const QStringList pm{"100", "100", "100", "110", "125", "130", "130"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(f.Value("ed_PCWartDop" + UltrasonicBands()[i]), pc[i]);
        EXPECT_EQ(f.Value("ed_PMWartDop" + UltrasonicBands()[i]), pm[i]);
    }
}

TEST_F(UltrasonicNoise1, LeavingOneBandRecomputesOnlyThatBand)
{
    f.form.Writes.clear();
    f.Enter("ed_PCWartZm_31", "113");
    EXPECT_EQ(f.form.Writes, (QStringList{"ed_PCKrotn_31=2", "ed_PCKrotnMl_31=3981", "ed_PCKrotnKc_31=3981"}));
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.form.Writes.clear();
    f.Enter("ed_PMWartZm_25", "119");
    EXPECT_EQ(f.form.Writes, QStringList{"ed_PMKrotn_25=0.5"});
}

TEST_F(UltrasonicNoise1, TheRatingCoversAllSevenBands)
{
    f.Enter("ed_PCWartZm_10", "74"); // 0.25 of 80 dB, 0.5 of 77 dB
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 20, 20}));
    f.Enter("ed_PMWartZm_40", "131");
    EXPECT_EQ(f.Value("ed_PMKrotn_40"), "1.12");
    // pregnant women and juveniles are rated on the adults' maximum level
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
}

TEST_F(UltrasonicNoise1, AGroupValueLeftOutLeavesOnlyThatGroupNotDetermined)
{
    f.Enter("ed_PCWartDopKc_20", "");
    f.Enter("ed_PCWartZm_20", "85");
    EXPECT_EQ(f.Value("ed_PCKrotnKc_20"), "");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 0, 30}));
}

TEST_F(AudibleNoise, APeakOf132DecibelsIsLargeForJuvenilesAndPregnantWomen)
{
    f.Enter("ed_SzWartZm", "132"); // 0.71 of the adults' 135 dB, 1.26 of the others' 130 dB
    EXPECT_EQ(f.Value("ed_SzKrotn") + " " + f.Value("ed_SzKrotnMlKc"), "0.71 1.26");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 30}));
}

class UltrasonicNoise2 : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("halas_ultra_frm_2.xml")};
};

TEST_F(UltrasonicNoise2, PregnantWomenHaveTheirOwnMaximumJuvenilesTheAdults)
{
    EXPECT_EQ(f.function, "halas_ultra_Pomiar_02");
    f.Enter("ed_PCWartDopKcMl_16", "77");
    f.Enter("ed_PMWartDopKc_16", "97");
    f.Enter("ed_PCWartZm_16", "70");
    EXPECT_EQ(f.Value("ed_PCKrotn_16"), "0.1");
    EXPECT_EQ(f.Value("ed_PCKrotnKcMl_16"), "0.2");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.form.Writes.clear();
    f.Enter("ed_PMWartZm_16", "99");
    EXPECT_EQ(f.form.Writes, (QStringList{"ed_PMKrotn_16=0.89", "ed_PMKrotnKc_16=1.26"}));
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 20}));
}

// ---- Any text in any field -------------------------------------------------------------------

TEST_F(ShippedFormTest, NoTextInAnyFieldBreaksANoiseRule)
{
    const QStringList texts = {"",      " ",      "-",     "1e308", "1e-308", " 85 ", "0",   "-0",
                               "NaN",   "∞",      "85dB",  "1,5",   "0x55",   "+88",  "1e6", QString(300, '9'),
                               "99999", "0.0001", "-1e-9", "85.",   ".85",    "8 5",  "२३"};
    for (const char *file : {"halas_fizyczny_frm_1.xml", "halas_uciazliwy_frm_1.xml", "halas_infra_frm_1.xml",
                             "halas_infra_uc_frm_1.xml", "halas_ultra_frm_1.xml", "halas_ultra_frm_2.xml"}) {
        SCOPED_TRACE(file);
        ShippedForm f{QString::fromLatin1(file)};
        const auto *fields = assessment::rules::RuleFields(f.function);
        ASSERT_TRUE(fields);
        for (const QString &name : fields->Edited) {
            for (const QString &t : texts) {
                EXPECT_NO_THROW(f.Enter(name, t));
                EXPECT_NO_THROW(f.Evaluate(name));
                for (int code : f.Ratings())
                    EXPECT_TRUE(code == 0 || code == 10 || code == 20 || code == 30) << code;
            }
            f.Enter(name, "80");
        }
        for (int index : {-1, 0, 1, 2, 3, 1000})
            if (f.form.HasCombo("cb_cWartDop")) {
                EXPECT_NO_THROW(f.Choose("cb_cWartDop", index));
            }
        if (f.form.Find("ch_Koncentr")) {
            for (int i = 0; i < 3; ++i)
                EXPECT_NO_THROW(f.Click("ch_Koncentr"));
        }
    }
}

// ---- Registration ------------------------------------------------------------------------------

TEST(NoiseRegistration, TheFamilyRuleServesTheSixNoiseFormsByName)
{
    RegisterNoiseRules();
    for (const char *name : {"halas_fizyczny_Pomiar_01", "halas_infra_Pomiar_01", "halas_uciazliwy_Pomiar_01",
                             "halas_ultra_Pomiar_01", "halas_ultra_Pomiar_02", "halas_infra_uc_Pomiar_01"}) {
        EXPECT_TRUE(assessment::FindEvaluationRule(QString::fromLatin1(name))) << name;
        EXPECT_TRUE(assessment::rules::RuleFields(QString::fromLatin1(name))) << name;
    }
    // the same sender on two forms: each form's own rule
    assessment::TMemoryForm audible;
    audible.Name = QStringLiteral("halas_fizyczny_Pomiar_01");
    assessment::TMemoryForm infrasonic;
    infrasonic.Name = QStringLiteral("halas_infra_Pomiar_01");
    for (auto *f : {&audible, &infrasonic}) {
        f->Add("ed_SzWartZm", "140");
        f->Add("ed_SzWartDop", "135");
        f->Add("ed_SzKrotn", "0");
        f->Add("ed_SzWartDopMlKc", "135");
        f->Add("ed_SzKrotnMlKc", "0");
        for (const char *m : {"ed_PEKrotn", "ed_PEKrotnMl", "ed_PEKrotnKc", "ed_MaksKrotn", "ed_MaksKrotnMlKc",
                              "ed_PCKrotn", "ed_PCKrotnMlKc"})
            f->Add(m, "0");
        EvaluateNoiseForm(*f, QStringLiteral("ed_SzWartZm"));
        EXPECT_EQ(f->GetFieldValue("ed_SzKrotn"), "1.78");
        ASSERT_EQ(f->Ratings.size(), 1);
        EXPECT_EQ(f->Ratings[0].men, 30);
    }
    // a form of another family is left alone
    assessment::TMemoryForm dust;
    dust.Name = QStringLiteral("pyly_Pomiar_01");
    dust.Add("ed_SzWartZm", "140");
    dust.Add("ed_SzWartDop", "135");
    dust.Add("ed_SzKrotn", "0");
    EvaluateNoiseForm(dust, QStringLiteral("ed_SzWartZm"));
    EXPECT_TRUE(dust.Writes.isEmpty());
    EXPECT_TRUE(dust.Ratings.isEmpty());
}
