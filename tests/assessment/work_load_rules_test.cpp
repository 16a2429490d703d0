// Work-load rules on the shipped forms held in memory: the monotony and psychological
// scales, the static-load blocks with their angle lists, the physical-effort multiples and
// ratings, and input that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/work_load.h"

using namespace shippedforms;
using namespace assessment::rules;

TEST(WorkLoadScales, MonotonyBoundsPerOperationType)
{
    EXPECT_EQ(MonotonyCode(0, 149.9), 10);
    EXPECT_EQ(MonotonyCode(0, 150), 20);
    EXPECT_EQ(MonotonyCode(0, 3000), 20);
    EXPECT_EQ(MonotonyCode(0, 3000.5), 30);
    EXPECT_EQ(MonotonyCode(1, 799), 10);
    EXPECT_EQ(MonotonyCode(1, 800), 20);
    EXPECT_EQ(MonotonyCode(1, 1600), 20);
    EXPECT_EQ(MonotonyCode(1, 1601), 30);
    EXPECT_EQ(MonotonyCode(2, 299), 10);
    EXPECT_EQ(MonotonyCode(2, 800), 20);
    EXPECT_EQ(MonotonyCode(2, 801), 30);
    EXPECT_EQ(MonotonyCode(-1, 500), 0);
    EXPECT_EQ(MonotonyCode(3, 500), 0);
}

TEST(WorkLoadScales, PsychologicalScaleHasNoGapBetweenThreeAndFour)
{
    EXPECT_EQ(PsychologicalLoadCode(0), 10);
    EXPECT_EQ(PsychologicalLoadCode(3), 10);
    EXPECT_EQ(PsychologicalLoadCode(3.5), 20); // not large: the scale rises with the score
    EXPECT_EQ(PsychologicalLoadCode(4), 20);
    EXPECT_EQ(PsychologicalLoadCode(11), 20);
    EXPECT_EQ(PsychologicalLoadCode(11.5), 30);
    EXPECT_EQ(PsychologicalLoadCode(12), 30);
}

TEST(WorkLoadScales, StaticLoadTable)
{
    struct Case
    {
        int angle, position;
        double v;
        int code;
    };
    const Case cases[] = {
        {0, 1, 70, 10},   {0, 1, 70.1, 20}, {0, 1, 100, 20}, {0, 0, 50, 10},   {0, 0, 60, 20},
        {0, 0, 70.1, 30}, {1, 1, 50, 10},   {1, 1, 70, 20},  {1, 1, 71, 30},   {1, 0, 30, 10},
        {1, 0, 50, 20},   {1, 0, 50.1, 30}, {2, 0, 0, 10},   {2, 0, 29.9, 20}, {2, 0, 30, 30},
        {3, 0, 0.1, 20},  {3, 0, 100, 30},  {2, 1, 100, 10}, {3, 1, 45, 10},   {4, 0, 100, 10},
    };
    for (const Case &c : cases)
        EXPECT_EQ(StaticLoadClassOf(c.angle, c.position, c.v), c.code) << c.angle << " " << c.position << " " << c.v;
}

// ---- Monotony and psychological load -------------------------------------------------------------

class Monotony : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("monotypia_frm_1.xml")};
};

TEST_F(Monotony, TheOperationTypeChoosesTheBounds)
{
    EXPECT_EQ(f.form.ComboItems("cb_TypOper").size(), 3);
    f.Enter("ed_WartWyzn", "800");
    EXPECT_EQ(f.Ratings(), NotDetermined); // no type chosen yet
    f.Choose("cb_TypOper", 2);
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    f.Enter("ed_WartWyzn", "801");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Choose("cb_TypOper", 0);
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    for (const char *text : {"", "-5", "abc"}) {
        EXPECT_NO_THROW(f.Enter("ed_WartWyzn", text));
        EXPECT_EQ(f.Ratings(), NotDetermined) << text;
        f.Enter("ed_WartWyzn", "100");
        EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    }
}

class PsychologicalLoad : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("obc_psych_frm_1.xml")};
};

TEST_F(PsychologicalLoad, EveryGroupGetsTheScaleCode)
{
    f.Enter("ed_PWartZm", "3");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Enter("ed_PWartZm", "3.5");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    f.Enter("ed_PWartZm", "12");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Enter("ed_PWartZm", "-1");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_PWartZm", "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
}

// ---- Static load -------------------------------------------------------------------------------

class StaticLoad : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("obc_stat_frm_1.xml")};
};

TEST_F(StaticLoad, ABodyPositionOffersItsOwnAngles)
{
    const QStringList standing = f.form.ComboItems("cb_KatM");
    ASSERT_EQ(standing.size(), 4);
    f.Choose("cb_KatM", 3);
    f.Choose("cb_PozycjaM", 1);
    const QStringList sitting = f.form.ComboItems("cb_KatM");
    ASSERT_EQ(sitting.size(), 2);
    EXPECT_EQ(f.Value("cb_KatM"), "0");
    EXPECT_EQ(f.form.Find("cb_KatM")->choiceNr, 2);
    EXPECT_EQ(f.form.ComboItems("cb_KatKMl"), standing); // the other blocks keep theirs
    f.Choose("cb_PozycjaM", 0);
    EXPECT_EQ(f.form.ComboItems("cb_KatM"), standing);
}

TEST_F(StaticLoad, EachGroupIsRatedOnItsBlock)
{
    EXPECT_EQ(f.Value("ed_WartWyznM"), "0");
    f.Choose("cb_KatM", 1);
    f.Enter("ed_WartWyznM", "40"); // standing, 20 to 60 degrees: medium
    EXPECT_EQ(f.Ratings(), (Groups{20, 10, 10, 10}));
    f.Choose("cb_KatKMl", 2);
    f.Enter("ed_WartWyznKMl", "29.9");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    // juveniles take the worse of their own block and the women's
    f.Choose("cb_KatMl", 2);
    f.Enter("ed_WartWyznMl", "30");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 30}));
    f.Enter("ed_WartWyznMl", "0");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    // sitting with the trunk leant a little: never large
    f.Choose("cb_PozycjaKMl", 1);
    f.Enter("ed_WartWyznKMl", "100");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
}

TEST_F(StaticLoad, AMissingValueOrChoiceLeavesTheFormNotDetermined)
{
    for (const char *text : {"", "-1"}) {
        EXPECT_NO_THROW(f.Enter("ed_WartWyznMl", text));
        EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 0})) << text; // the juveniles' own block
        f.Enter("ed_WartWyznMl", "0");
        EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    }
    f.Choose("cb_PozycjaM", -1);
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.form.ComboItems("cb_KatM").size(), 4); // no position: the angles stay
    f.Choose("cb_PozycjaM", 0);
    f.Choose("cb_KatM", -1);
    EXPECT_EQ(f.Ratings(), NotDetermined);
}

// ---- Physical effort -----------------------------------------------------------------------------

class PhysicalEffort : public ShippedFormTest
{
protected:
    ShippedForm f1{QStringLiteral("wysilek_fizyczny_frm_1.xml")};
    ShippedForm f2{QStringLiteral("wysilek_fizyczny_frm_2.xml")};

    // Permitted values typed by the user (the numbers serve the test only).
    static void Limits(ShippedForm &f)
    {
        const std::pair<const char *, const char *> limits[] = {
            {"ed_PracWartDop", "8400"},   {"ed_PracWartDopK", "5000"}, {"ed_PracWartDopKc", "3000"},
            {"ed_PracMinWartDopK", "30"}, {"ed_PracMinDopCh18", "25"}, {"ed_PracMinDopDz18", "20"},
            {"ed_Prac6DopCh18", "4000"},  {"ed_Prac6DopDz18", "3000"},
        };
        for (const auto &[name, value] : limits)
            f.Enter(name, value);
        if (f.form.Find("ed_PracMinWartDopM"))
            f.Enter("ed_PracMinWartDopM", "40");
    }
};

TEST_F(PhysicalEffort, NothingIsRatedUntilThePermittedValuesAreThere)
{
    EXPECT_EQ(f1.Value("ed_PracWartDop"), "");
    f1.Enter("ed_PracWartZm", "6000");
    EXPECT_EQ(f1.Value("ed_PracKrotn"), "");
    EXPECT_EQ(f1.Ratings(), NotDetermined);
    Limits(f1);
    EXPECT_EQ(f1.Value("ed_PracKrotn"), "0.71");
    EXPECT_EQ(f1.Value("ed_PracKrotnK"), "1.2");
    EXPECT_EQ(f1.Value("ed_PracKrotnKc"), "2");
    EXPECT_EQ(f1.Ratings(), (Groups{10, 30, 30, 10}));
}

TEST_F(PhysicalEffort, ShiftWorkBandsPerGroup)
{
    Limits(f1);
    f1.Enter("ed_PracWartZm", "2500");
    EXPECT_EQ(f1.Ratings(), (Groups{10, 10, 10, 10}));
    f1.Enter("ed_PracWartZm", "2501");
    EXPECT_EQ(f1.Ratings(), (Groups{10, 10, 20, 10}));
    f1.Enter("ed_PracWartZm", "4201");
    EXPECT_EQ(f1.Ratings(), (Groups{10, 20, 30, 10}));
    f1.Enter("ed_PracWartZm", "6300");
    EXPECT_EQ(f1.Ratings()[0], 10);
    f1.Enter("ed_PracWartZm", "6301");
    EXPECT_EQ(f1.Ratings()[0], 20);
    f1.Enter("ed_PracWartZm", "8401");
    EXPECT_EQ(f1.Ratings(), (Groups{30, 30, 30, 10}));
}

TEST_F(PhysicalEffort, WorkPerMinuteAndTheJuvenilesLimits)
{
    Limits(f1);
    Limits(f2);
    for (ShippedForm *f : {&f1, &f2}) {
        f->Enter("ed_PracMinWartZm", "21");
        EXPECT_EQ(f->Value("ed_PracMinKrotnK"), "0.7");
        EXPECT_EQ(f->Value("ed_PracMinKrotnCh18"), "0.84");
        EXPECT_EQ(f->Value("ed_PracMinKrotnDz18"), "1.05");
        // juveniles are never medium or large: beyond a limit the work is forbidden
        EXPECT_EQ(f->Ratings(), (Groups{10, 10, 10, 40}));
        f->Enter("ed_PracMinWartZm", "10");
        EXPECT_EQ(f->Ratings(), (Groups{10, 10, 10, 10}));
        f->Enter("ed_Prac6WartZm", "3001");
        EXPECT_EQ(f->Value("ed_Prac6KrotnDz18"), "1");
        EXPECT_EQ(f->Value("ed_Prac6KrotnCh18"), "0.75");
        EXPECT_EQ(f->Ratings(), (Groups{10, 10, 10, 40}));
        f->Enter("ed_Prac6WartZm", "0");
        f->Enter("ed_PracMinWartZm", "31");
        EXPECT_EQ(f->Ratings()[1], 30);
    }
    // only the second form has a limit per minute for men
    EXPECT_EQ(f1.Ratings()[0], 10);
    f2.Enter("ed_PracMinWartZm", "42");
    EXPECT_EQ(f2.Value("ed_PracMinKrotnM"), "1.05");
    EXPECT_EQ(f2.Ratings()[0], 30);
}

TEST_F(PhysicalEffort, ValuesThatCannotBeRatedLeaveTheFormNotDetermined)
{
    Limits(f2);
    f2.Enter("ed_PracWartZm", "3000");
    ASSERT_EQ(f2.Ratings(), (Groups{10, 10, 20, 10}));
    f2.Enter("ed_PracWartDopKc", "0");
    EXPECT_EQ(f2.Value("ed_PracKrotnKc"), "");
    EXPECT_EQ(f2.Ratings(), (Groups{10, 10, 0, 10}));
    f2.Enter("ed_PracWartDopKc", "3000");
    for (const char *text : {"", "-1", "x"}) {
        EXPECT_NO_THROW(f2.Enter("ed_Prac6WartZm", text));
        EXPECT_EQ(f2.Ratings(), (Groups{10, 10, 20, 0})) << text;
    }
    f2.Enter("ed_Prac6WartZm", "0");
    f2.Enter("ed_PracMinWartDopM", "");
    EXPECT_EQ(f2.Ratings(), NotDetermined);
    EXPECT_TRUE(f2.form.Messages.isEmpty());
}

TEST_F(PhysicalEffort, ANotDeterminedRatingNamesTheValueToMend)
{
    Limits(f1);
    f1.Enter("ed_PracWartZm", "3000");
    f1.Enter("ed_PracWartDopK", "0");
    ASSERT_EQ(f1.Ratings(), NotDetermined);
    EXPECT_EQ(f1.LastNamed(), "ed_PracWartDopK: wartość dopuszczalna musi być liczbą większą od 0");
    const qsizetype reported = f1.Named();
    f1.Enter("ed_PracWartDopK", "5000");
    ASSERT_EQ(f1.Ratings(), (Groups{10, 10, 20, 10}));
    EXPECT_EQ(f1.Named(), reported) << "a rated form reports nothing";
    f1.Enter("ed_PracMinWartZm", "-1");
    ASSERT_EQ(f1.Ratings(), NotDetermined);
    EXPECT_EQ(f1.LastNamed(), "ed_PracMinWartZm: wartość zmierzona musi być liczbą nie mniejszą od 0");
    // the static load names the choice still to be made
    ShippedForm statics("obc_stat_frm_1.xml");
    statics.Choose("cb_KatM", -1);
    ASSERT_EQ(statics.Ratings(), NotDetermined);
    EXPECT_EQ(statics.LastNamed(), "cb_KatM: należy wybrać pozycję z listy");
}
