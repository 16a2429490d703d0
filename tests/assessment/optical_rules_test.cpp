// Optical radiation rules on the shipped forms held in memory: the permitted-value formulas
// row by row, the class boundaries, the multiples and their guards, and input that cannot be
// rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/optical_radiation.h"
#include "assessment/rules/radiation_common.h"

using namespace shippedforms;
using namespace assessment::rules;

TEST(OpticalRiskClass, EightyPercentIsSmallAndTheLimitItselfMedium)
{
    EXPECT_EQ(OpticalRiskClassOf(80, 100), 10);
    EXPECT_EQ(OpticalRiskClassOf(80.01, 100), 20);
    EXPECT_EQ(OpticalRiskClassOf(100, 100), 20);
    EXPECT_EQ(OpticalRiskClassOf(100.01, 100), 30);
    EXPECT_EQ(OpticalRiskClassOf(0, 0), 0);
    EXPECT_EQ(OpticalRiskClassOf(0.5, 0), 0);
    EXPECT_EQ(RadiationMultipleText(50, 100), "0.50");
    EXPECT_EQ(RadiationMultipleText(5, 0), "0");
    EXPECT_EQ(RadiationMultipleText(-1, 100), "");
    EXPECT_EQ(HighestDeterminedCode({10, 30, 20}), 30);
    EXPECT_EQ(HighestDeterminedCode({10, 0, 30}), 0);
}

TEST(RetinalThermalLimit, ShortPulseValueUpToTenMicroseconds)
{
    // The two formulas meet at 10 µs; the short-pulse constant holds below it.
    EXPECT_DOUBLE_EQ(RetinalThermalLimit(10, 0.000005, 28000000), 88900000);
    // from 10 µs on the time formula, which starts where the constant ends
    const double atTenMicroseconds = RetinalThermalLimit(10, 0.00001, 28000000);
    EXPECT_NE(atTenMicroseconds, 88900000);
    EXPECT_NEAR(atTenMicroseconds / 88900000, 1.0, 0.0002);
    EXPECT_NEAR(RetinalThermalLimit(10, 1, 28000000), 5000000, 1e-6);
    EXPECT_NEAR(RetinalThermalLimit(10, 10, 28000000), 5000000 / std::pow(10.0, 0.25), 1e-6);
    EXPECT_DOUBLE_EQ(RetinalThermalLimit(10, 10.01, 28000000), 2800000);
}

// ---- Ultraviolet ---------------------------------------------------------------------------

class Ultraviolet : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("prm_nadfioletowe_frm_1.xml")};
    void EnterAll(const char *face, const char *hands, const char *eyes, const char *uva)
    {
        f.Enter("ed_NSTwarzWartZm", face);
        f.Enter("ed_NSReceWartZm", hands);
        f.Enter("ed_NSOczyWartZm", eyes);
        f.Enter("ed_NPWartZm", uva);
    }
};

TEST_F(Ultraviolet, AdultsAgainstTheirLimitsPregnantWomenAgainstTheirOwnJuvenilesForbidden)
{
    EXPECT_EQ(f.Value("ed_NSTwarzWartDp"), "30");
    EXPECT_EQ(f.Value("ed_NPWartDp"), "10000");
    EnterAll("12", "25", "3", "4000");
    // no limits of pregnant women shipped: only they are not determined
    EXPECT_EQ(f.Value("ed_NSTwarzKrotnKc"), "");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 0, 40}));
    for (const char *kc : {"ed_NSTwarzWartDpKc", "ed_NSReceWartDpKc", "ed_NSOczyWartDpKc", "ed_NPWartDpKc"})
        f.Enter(kc, "10");
    EXPECT_EQ(f.Value("ed_NSReceKrotn"), "0.83");
    EXPECT_EQ(f.Value("ed_NSReceKrotnKc"), "2.5");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 30, 40}));
    f.Enter("ed_NSReceWartZm", "24");
    EXPECT_EQ(f.Value("ed_NSReceKrotn"), "0.8");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 30, 40}));
    f.Enter("ed_NPWartZm", "10001");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 40}));
    f.Enter("ed_NPWartDp", ""); // without an adults' limit no group is rated
    EXPECT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
}

TEST_F(Ultraviolet, CorrectedZeroAndMissingValues)
{
    EnterAll("12", "25", "3", "4000");
    f.Enter("ed_NSTwarzWartDp", "12");
    EXPECT_EQ(f.Value("ed_NSTwarzKrotn"), "1");
    // a zero limit is one not given: nothing is rated against it, nor divided by it
    f.Enter("ed_NSTwarzWartDp", "0");
    EXPECT_EQ(f.Value("ed_NSTwarzKrotn"), "0");
    EXPECT_EQ(f.Ratings()[0], 0);
    EXPECT_EQ(f.LastNamed(), "ed_NSTwarzWartDp: wartość dopuszczalna musi być liczbą większą od 0");
    f.Enter("ed_NPWartZm", "-4");
    EXPECT_EQ(f.Value("ed_NPKrotn"), "");
    EXPECT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
}

// ---- Infrared ------------------------------------------------------------------------------

class Infrared : public ShippedFormTest
{
protected:
    ShippedForm f1{QStringLiteral("prm_podczerwone_frm_1.xml")};
    ShippedForm f2{QStringLiteral("prm_podczerwone_frm_2.xml")};
    // Every quantity measured as 0: nothing raises the rating unless a test enters it.
    void Measured(ShippedForm &f)
    {
        for (const char *m : {"ed_SiatWartZm", "ed_RogartZm", "ed_TwWartZm", "ed_ReceWartZm"})
            f.Enter(m, "0");
    }
};

TEST_F(Infrared, CorneaAndSkinLimitsByTime)
{
    struct Row
    {
        const char *field, *time, *limitField, *limit;
    } rows[] = {{"ed_RogCzas", "1", "ed_RogWartDp", "18000"},    {"ed_RogCzas", "16", "ed_RogWartDp", "2250"},
                {"ed_RogCzas", "999", "ed_RogWartDp", "101"},    {"ed_RogCzas", "1000", "ed_RogWartDp", "100"},
                {"ed_RogCzas", "0", "ed_RogWartDp", "0"},        {"ed_RogCzas", "", "ed_RogWartDp", "0"},
                {"ed_TwSiatCzas", "10", "ed_TwWartDp", "35566"}, {"ed_ReceCzas", "1", "ed_ReceWartDp", "20000"},
                {"ed_ReceCzas", "", "ed_ReceWartDp", "0"}};
    for (const Row &r : rows) {
        f1.Enter(r.field, "7"); // a value to change from
        f1.Enter(r.field, r.time);
        EXPECT_EQ(f1.Value(r.limitField), r.limit) << r.field << " " << r.time;
    }
    EXPECT_TRUE(f1.form.Messages.isEmpty());
}

TEST_F(Infrared, RetinaForm1ByTime)
{
    f1.Enter("ed_Zrodlo", "0.01");
    struct Row
    {
        const char *time, *limit;
    } rows[] = {{"0.25", "707"}, {"0.5", "595"}, {"9.99", "281"}, {"10", "60"}, {"100", "60"}, {"0", "0"}};
    for (const Row &r : rows) {
        f1.Enter("ed_SiatCzas", "3");
        f1.Enter("ed_SiatCzas", r.time);
        EXPECT_EQ(f1.Value("ed_SiatWartDp"), r.limit) << r.time;
    }
    f1.Enter("ed_Zrodlo", "0");
    EXPECT_EQ(f1.Value("ed_SiatWartDp"), "0");
}

TEST_F(Infrared, RetinaForm2ByStimulusSourceAndTime)
{
    struct Row
    {
        int stimulus;
        const char *alpha, *time, *limit;
    } rows[] = {
        {0, "0.5", "0.5", "3.5E+7"},                                // α limited to 1.7 mrad
        {0, "50", "1", "1.0E+6"},       {0, "200", "20", "280000"}, // α limited to 100 mrad
        {0, "10", "20", "2.8E+6"},      {0, "10", "0.000005", "8.9E+7"},
        {0, "10", "0.00002", "7.5E+7"}, // from 10 µs on the time formula
        {1, "5", "20", "545455"},       // α limited to 11 mrad
        {1, "50", "20", "120000"},      {1, "20", "0", "0"},
    };
    for (const Row &r : rows) {
        f2.Choose("cb_cBodziec", r.stimulus);
        f2.Enter("ed_Zrodlo", r.alpha);
        f2.Enter("ed_SiatCzas", "3");
        f2.Enter("ed_SiatCzas", r.time);
        EXPECT_EQ(f2.Value("ed_SiatWartDp"), r.limit) << r.stimulus << " " << r.alpha << " " << r.time;
    }
}

TEST_F(Infrared, MultiplesFollowANewLimitOnlyOnceSomethingWasMeasured)
{
    Measured(f2);
    f2.Enter("ed_RogCzas", "1");
    EXPECT_EQ(f2.Value("ed_RogKrotn"), "0"); // measured "0": the multiple stays
    f2.Enter("ed_RogartZm", "9000");
    EXPECT_EQ(f2.Value("ed_RogKrotn"), "0.5");
    f2.Enter("ed_RogCzas", "16");
    EXPECT_EQ(f2.Value("ed_RogWartDp"), "2250");
    EXPECT_EQ(f2.Value("ed_RogKrotn"), "4");
    EXPECT_EQ(f2.Ratings(), (Groups{30, 30, 30, 40}));
    // no time, no limit: the quantity does not raise the rating
    f2.Enter("ed_RogCzas", "0");
    EXPECT_EQ(f2.Value("ed_RogKrotn"), "0");
    EXPECT_EQ(f2.Ratings(), (Groups{10, 10, 10, 40}));
}

TEST_F(Infrared, InputThatCannotBeRated)
{
    Measured(f2);
    ASSERT_EQ(f2.Ratings(), (Groups{10, 10, 10, 40}));
    f2.Enter("ed_SiatWartZm", "");
    EXPECT_EQ(f2.Ratings(), (Groups{0, 0, 0, 40}));
    f2.Enter("ed_SiatWartZm", "5");
    f2.Enter("ed_RogCzas", "-3");
    EXPECT_EQ(f2.Value("ed_RogWartDp"), "");
    EXPECT_EQ(f2.Ratings(), (Groups{0, 0, 0, 40}));
    f2.Enter("ed_RogCzas", "2");
    f2.Choose("cb_cBodziec", -1);
    EXPECT_EQ(f2.Value("ed_SiatWartDp"), "");
    EXPECT_EQ(f2.Ratings(), (Groups{0, 0, 0, 40}));
    f2.Choose("cb_cBodziec", 0);
    f2.Enter("ed_Zrodlo", "-2");
    EXPECT_EQ(f2.Value("ed_SiatWartDp"), "");
    EXPECT_TRUE(f2.form.Messages.isEmpty());
}

TEST_F(Infrared, ANotDeterminedRatingNamesTheValueToMend)
{
    Measured(f1);
    ASSERT_EQ(f1.Ratings(), (Groups{10, 10, 10, 40}));
    const qsizetype reported = f1.Named();
    f1.Enter("ed_ReceWartZm", "1");
    ASSERT_EQ(f1.Ratings(), (Groups{10, 10, 10, 40}));
    EXPECT_EQ(f1.Named(), reported) << "a rated form reports nothing";
    f1.Enter("ed_RogartZm", "-5");
    ASSERT_EQ(f1.Ratings(), (Groups{0, 0, 0, 40}));
    EXPECT_EQ(f1.LastNamed(), "ed_RogartZm: wartość zmierzona musi być liczbą nie mniejszą od 0");
    f1.Enter("ed_RogartZm", "0");
    // a time that gives no permitted value is named, not the value computed from it
    f1.Enter("ed_RogCzas", "-1");
    ASSERT_EQ(f1.Ratings(), (Groups{0, 0, 0, 40}));
    EXPECT_EQ(f1.LastNamed(), "ed_RogCzas: wartość musi być liczbą nie mniejszą od 0");
}

// ---- Visible -------------------------------------------------------------------------------

class Visible : public ShippedFormTest
{
protected:
    ShippedForm f1{QStringLiteral("prm_widzialne_frm_1.xml")};
    ShippedForm f2{QStringLiteral("prm_widzialne_frm_2.xml")};
    void SetUp() override
    {
        ShippedFormTest::SetUp();
        for (ShippedForm *f : {&f1, &f2})
            f->form.Fields["lb_lFOParam"].captions = storage::FindField(f->items, "lFOParam")->etyk;
    }
    QString Caption(ShippedForm &f) { return f.form.Fields["lb_lFOParam"].value; }
};

TEST_F(Visible, PhotochemicalLimitAndCaptionByTableRow)
{
    struct Row
    {
        int version;
        const char *alpha, *time, *limit, *caption;
    } rows[] = {
        {1, "11", "10000", "100", "Zintegrowana luminancja energetyczna Lzint [Jcm^-2sr^-1]"},
        {1, "11", "10001", "0.01", "Skuteczna luminancja energetyczna Ls [Wcm^-2sr^-1]"},
        {1, "10.9", "10000", "0.01", "Skuteczne napromienienie Ns [Jcm^-2]"},
        {1, "10.9", "10001", "1", "Skuteczne natężenie napromienienia Es [µWcm^-2]"},
        {2, "11", "400", "2500", "Skuteczna luminancja energetyczna Lb [Wm^-2sr^-1]"},
        {2, "11", "10001", "100", "Skuteczna luminancja energetyczna Lb [Wm^-2sr^-1]"},
        {2, "10.9", "400", "0.25", "Skuteczne natężenie napromienienia Eb [Wm^-2]"},
        {2, "10.9", "10001", "0.01", "Skuteczne natężenie napromienienia Eb [Wm^-2]"},
    };
    for (const Row &r : rows) {
        ShippedForm &f = r.version == 1 ? f1 : f2;
        f.Enter("ed_FOWymiar", r.alpha);
        f.Enter("ed_FOCzas", "3");
        f.Enter("ed_FOCzas", r.time);
        SCOPED_TRACE(testing::Message() << r.version << " " << r.alpha << " " << r.time);
        EXPECT_EQ(f.Value("ed_FOWartDop"), r.limit);
        EXPECT_EQ(Caption(f), QString::fromUtf8(r.caption));
    }
}

TEST_F(Visible, NoTimeNoLimitAndNothingDividedByIt)
{
    f1.Click("ch_cbZagrTO");
    f1.Enter("ed_TOWymiar", "0.01");
    f1.Enter("ed_TOCzas", "0.25");
    f1.Enter("ed_TOWartZm", "600");
    f1.Enter("ed_TOCzas", "0");
    EXPECT_EQ(f1.Value("ed_TOWartDop"), "0");
    EXPECT_EQ(f1.Value("ed_TOKrotn"), "0");
    // form 2: no exposure time, no photochemical limit
    f2.Enter("ed_FOWymiar", "20");
    f2.Enter("ed_FOCzas", "0");
    EXPECT_EQ(f2.Value("ed_FOWartDop"), "0");
    f2.Enter("ed_FOWartZm", "5");
    EXPECT_EQ(f2.Value("ed_FOKrotn"), "0");
    EXPECT_EQ(f2.Ratings(), NotDetermined);
    EXPECT_EQ(f2.LastNamed(), "ed_FOCzas: wartość musi być liczbą większą od 0");
    EXPECT_TRUE(f2.form.Messages.isEmpty());
}

TEST_F(Visible, NothingMeasuredOrANegativeTimeIsNotRated)
{
    f1.Enter("ed_FOWymiar", "20");
    f1.Enter("ed_FOCzas", "100");
    EXPECT_EQ(f1.Ratings(), NotDetermined);
    f1.Enter("ed_FOWartZm", "50");
    EXPECT_EQ(f1.Ratings(), (Groups{10, 10, 10, 10}));
    f1.Enter("ed_FOCzas", "-100");
    EXPECT_EQ(f1.Value("ed_FOWartDop"), "");
    EXPECT_EQ(f1.Value("ed_FOKrotn"), "");
    EXPECT_EQ(f1.Ratings(), NotDetermined);
}
