// Laser radiation: the rows of both MDE engines, their correction factors, the borders
// between time classes (where the published limits meet), the pulsed rule of form 1, the
// row captions of form 2, and both forms held in memory with input that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/laser.h"
#include "assessment/rules/laser_mde.h"

#include <cmath>

using namespace shippedforms;
using namespace assessment::rules;

namespace {

// Value and kind of a record, for one comparison.
::testing::AssertionResult Is(const TWartDop &r, double value, quint8 kind)
{
    if (!r.Found())
        return ::testing::AssertionFailure() << "no value, expected " << value;
    if (r.Kind != kind)
        return ::testing::AssertionFailure() << "kind " << int(r.Kind) << ", expected " << int(kind);
    if (std::fabs(r.Value - value) > 1e-5 * std::fabs(value))
        return ::testing::AssertionFailure() << r.Value << ", expected " << value;
    return ::testing::AssertionSuccess();
}

constexpr quint8 E = KindIrradiance;
constexpr quint8 H = KindRadiantExposure;
constexpr quint8 L = KindRadiance;
constexpr quint8 Lt = KindIntegratedRadiance;

// The radiant exposure a record allows over t.
double Dose(const TWartDop &r, double t)
{
    return r.Kind == KindIrradiance || r.Kind == KindRadiance ? r.Value * t : r.Value;
}

} // namespace

// ---- Form 1: the eye and skin tables -----------------------------------------------------------

TEST(LaserForm1Tables, EyeRowsOfTheBeamAndOfAnExtendedSource)
{
    const double c3 = std::pow(10.0, 0.015 * 100), c4 = std::pow(10.0, 0.3); // 650 and 850 nm
    const double c1 = 5600 * std::pow(1e-5, 0.25), t75 = std::pow(1e-3, 0.75);
    struct Row
    {
        int source;
        double t, lambda, value;
        quint8 kind;
    };
    // clang-format off
    const Row rows[] = {
        // below 1 ns
        {0, 1e-10, 180, 3e10, E}, {0, 1e-10, 310, 3e10, E}, {0, 1e-10, 399, 3e10, E}, {0, 1e-10, 500, 5e6, E},
        {0, 1e-10, 650, 5e6, E}, {0, 1e-10, 850, 5e6 * c4, E}, {0, 1e-10, 1064, 5e7, E}, {0, 1e-10, 1500, 1e11, E},
        {0, 1e-10, 1540, 1e11, E}, {0, 1e-10, 1e6, 1e11, E},
        // 10000 s to 30000 s
        {0, 2e4, 250, 30, H}, {0, 2e4, 310, 1000, H}, {0, 2e4, 350, 10, E}, {0, 2e4, 500, 0.01, E},
        {0, 2e4, 650, 0.01 * c3, E}, {0, 2e4, 850, 3.2 * c4, E}, {0, 2e4, 1064, 16, E}, {0, 2e4, 1540, 1000, E},
        // the formulas between
        {0, 1e-9, 250, 30, H}, {0, 5, 250, 30, H}, {0, 5e-7, 1450, 5600 * std::pow(5e-7, 0.25), H},
        {0, 1e-5, 1450, c1, H}, {0, 1e-5, 1540, c1, H}, {0, 1e-5, 10600, c1, H}, {0, 100, 10600, 1000, E},
        {0, 1e-3, 500, 18 * t75, H}, {0, 3e-5, 650, 18 * std::pow(3e-5, 0.75), H}, {0, 1, 850, 18 * c4, H},
        {0, 1e-3, 1064, 90 * t75, H}, {0, 100, 1064, 90 * std::pow(100, 0.75), H},
        // an extended source: radiance from 400 to 1400 nm, elsewhere as the beam
        {1, 1e-10, 500, 1e11, L}, {1, 1e-10, 650, 1e11, L}, {1, 1e-10, 1064, 5e11, L}, {1, 100, 500, 2.1e5, Lt},
        {1, 5000, 500, 2.1e5, Lt}, {1, 2e4, 500, 21, L}, {1, 2e4, 650, 21 * c3, L}, {1, 2e4, 850, 6400 * c4, L},
        {1, 2e4, 1064, 32000, L}, {1, 1e-5, 1450, c1, H}, {1, 1e-10, 350, 3e10, E},
    };
    // clang-format on
    for (const Row &r : rows)
        EXPECT_TRUE(Is(LaserMdeEye(r.source, r.t, r.lambda), r.value, r.kind))
            << "source " << r.source << ", " << r.t << " s, " << r.lambda << " nm";
}

TEST(LaserForm1Tables, RegionsWithoutACertainValueAreNotRated)
{
    EXPECT_FALSE(LaserMdeEye(0, 1e-8, 1540).Found());
    EXPECT_FALSE(LaserMdeEye(0, 5e-7, 2000).Found());
    EXPECT_FALSE(LaserMdeEye(1, 1e-3, 500).Found()); // extended source, 1 us to 10 s
    EXPECT_FALSE(LaserMdeEye(1, 100, 850).Found());  // extended source, 10 s to 1000 s
    EXPECT_FALSE(LaserMdeEye(1, 11, 650).Found());   // up to T2 (1000 s at 650 nm)
    EXPECT_FALSE(LaserMdeEye(1, 1000, 650).Found());
    EXPECT_TRUE(Is(LaserMdeEye(1, 2000, 650), 2.1e5 * std::pow(10.0, 1.5), Lt));
    // outside the tables
    for (double t : {0.0, -1.0, 30000.5})
        EXPECT_FALSE(LaserMde(0, 0, t, 500).Found()) << t;
    for (double lambda : {179.9, 1000000.5})
        EXPECT_FALSE(LaserMde(1, 0, 1, lambda).Found()) << lambda;
    EXPECT_FALSE(LaserMde(2, 0, 1, 500).Found());
    EXPECT_FALSE(LaserMde(-1, 0, 1, 500).Found());
    // 30000 s itself belongs to the last class
    EXPECT_TRUE(Is(LaserMdeEye(0, 30000, 1064), 16, E));
    EXPECT_TRUE(Is(LaserMdeSkin(30000, 1064), 2000, E));
}

TEST(LaserForm1Tables, SkinTable)
{
    const double t1 = 1e-3; // T1 at 310 nm
    const double rows[][5] = {
        // t, then 250, 350, 1064 and 2000 nm
        {1e-10, 3e10, 3e10, 2e11, 1e11}, {1e-8, 30, 5600 * std::pow(1e-8, 0.25), 200, 100},
        {1, 30, 5600, 11000, 5600},      {100, 30, 10000, 2000, 1000},
        {20000, 30, 10, 2000, 1000},
    };
    const quint8 kinds[][4] = {{E, E, E, E}, {H, H, H, H}, {H, H, H, H}, {H, H, E, E}, {H, E, E, E}};
    for (int r = 0; r < 5; ++r) {
        int c = 0;
        for (double lambda : {250.0, 350.0, 1064.0, 2000.0}) {
            EXPECT_TRUE(Is(LaserMdeSkin(rows[r][0], lambda), rows[r][c + 1], kinds[r][c]))
                << rows[r][0] << " " << lambda;
            ++c;
        }
    }
    // 302.5 to 315 nm: C1 up to T1 (where it meets C2), C2 after it
    EXPECT_TRUE(Is(LaserMdeSkin(t1, 310), 5600 * std::pow(t1, 0.25), H));
    EXPECT_NEAR(LaserMdeSkin(t1, 310).Value, 995.8, 0.05);
    EXPECT_TRUE(Is(LaserMdeSkin(2e-3, 310), 1000, H));
    EXPECT_TRUE(Is(LaserMdeSkin(100, 310), 1000, H));
    EXPECT_TRUE(Is(LaserMdeSkin(1e-10, 310), 3e10, E));
}

TEST(LaserForm1Tables, NeighbouringClassesMeetWherePublished)
{
    // Every time-class border of both tables, in each band: the dose allowed just below and
    // just above agrees within 10 %. A wrong constant or exponent breaks this.
    const double eyeBorders[] = {1e-9, 1e-7, 1e-6, 1.8e-5, 5e-5, 10, 1000, 10000};
    const double eyeBands[] = {250, 305, 310, 350, 450, 560, 690, 800, 1200, 1450, 1600, 5000};
    for (int source : {0, 1}) {
        for (double lambda : eyeBands) {
            for (double t : eyeBorders) {
                const TWartDop a = LaserMdeEye(source, t * (1 - 1e-9), lambda);
                const TWartDop b = LaserMdeEye(source, t * (1 + 1e-9), lambda);
                if (!a.Found() || !b.Found())
                    continue;
                const double ratio = Dose(b, t) / Dose(a, t);
                EXPECT_NEAR(ratio, 1, 0.1) << "source " << source << ", " << lambda << " nm, " << t << " s";
            }
        }
    }
    for (double lambda : {250.0, 310.0, 350.0, 1064.0, 2000.0})
        for (double t : {1e-9, 1e-7, 10.0, 1000.0})
            EXPECT_NEAR(Dose(LaserMdeSkin(t * (1 + 1e-9), lambda), t) / Dose(LaserMdeSkin(t * (1 - 1e-9), lambda), t),
                        1, 0.1)
                << lambda << " nm, " << t << " s";
}

TEST(LaserForm1Tables, PulsedRuleTakesTheRuleTheMeasurementExceedsMost)
{
    // 500 nm, 1 s of 16 pulses of 1 us: whole 18 J/m2, single pulse 5e-3, train 2.5e-3
    const TLaserPulsed train = LaserMdePulsed(0, 0, 500, 1, 1e-6, 16, 1, 2e-3);
    EXPECT_TRUE(Is(train.Permitted, 2.5e-3, H));
    EXPECT_DOUBLE_EQ(train.Measured, 2e-3);
    const TLaserPulsed whole = LaserMdePulsed(0, 0, 500, 1, 1e-6, 16, 20, 2e-3);
    EXPECT_TRUE(Is(whole.Permitted, 18, H));
    EXPECT_DOUBLE_EQ(whole.Measured, 20);
    // 1550 nm: no pulse-train rule, however many pulses
    const TLaserPulsed single = LaserMdePulsed(0, 0, 1550, 1, 1e-5, 1e8, 1, 10);
    EXPECT_TRUE(Is(single.Permitted, 5600 * std::pow(1e-5, 0.25), H));
    EXPECT_DOUBLE_EQ(single.Measured, 10);
    // no pulse count where it counts, or a time outside the tables
    EXPECT_FALSE(LaserMdePulsed(0, 0, 500, 1, 1e-6, 0, 1, 1).Permitted.Found());
    EXPECT_TRUE(LaserMdePulsed(0, 0, 1550, 1, 1e-5, 0, 1, 1).Permitted.Found());
    EXPECT_FALSE(LaserMdePulsed(0, 0, 500, 40000, 1e-6, 16, 1, 1).Permitted.Found());
}

// ---- Form 2: the engine ----------------------------------------------------------------------

TEST(LaserForm2Engine, CorrectionFactorsAndShortestTimes)
{
    // clang-format off
    const std::tuple<double (*)(double), double, double> factors[] = {
        {LaserC3, 449, 1}, {LaserC3, 500, 10}, {LaserC4, 700, 1}, {LaserC4, 1050, std::pow(10.0, 0.7)},
        {LaserC4, 1064, 5}, {LaserC7, 1150, 1}, {LaserC7, 1200, std::pow(10.0, 0.9)}, {LaserC7, 1300, 8},
        {LaserC6, 1, 1}, {LaserC6, 15, 10}, {LaserC6, 150, 150}, {LaserT2, 1, 10}, {LaserT2, 100, 100},
        {LaserT2, 50.75, 10 * std::pow(10.0, 0.5)}};
    // clang-format on
    for (const auto &[factor, argument, value] : factors)
        EXPECT_DOUBLE_EQ(factor(argument), value) << argument;
    const double minTimes[][2] = {{400, 1e-9}, {1050, 1.8e-5}, {1400, 5e-5}, {1450, 1e-3}, {1500, 1e-3},
                                  {1800, 10},  {2600, 1e-3},   {2601, 1e-7}};
    for (const auto &m : minTimes)
        EXPECT_DOUBLE_EQ(LaserMinTime(m[0]), m[1]) << m[0];
    EXPECT_EQ(CompareSignificant(1e-9, 1e-9), 0);
    EXPECT_EQ(CompareSignificant(9.99e-10, 1e-9), -1);
    EXPECT_EQ(CompareSignificant(10.0001, 10), 1);
    EXPECT_EQ(CompareSignificant(1.2345, 1.2344), 1); // against 1.23
    EXPECT_EQ(CompareSignificant(1.2301, 1.2344), 1);
    EXPECT_EQ(CompareSignificant(1.2299, 1.2344), -1);
}

TEST(LaserForm2Engine, RowsOfTheSkinAndTheEyeRoutines)
{
    const double c4 = std::pow(10.0, 0.2), c7 = 8, c6 = 10;        // 800 nm, 1300 nm, alpha 15 mrad
    const double t75 = std::pow(1e-10, 0.75), cb = 10;             // 1e-10 s, C3 at 500 nm
    const double c6b = 50.75 / 1.5, t2 = 10 * std::pow(10.0, 0.5); // alpha 50.75 mrad
    const auto P = LaserEffect::Photochemical;
    const auto T = LaserEffect::Thermal;
    struct Row
    {
        int target;
        double lambda, alpha, t;
        LaserEffect effect;
        double value;
        quint8 kind;
    };
    // clang-format off
    const Row rows[] = {
        // skin below 1 ns, then 400 to 1400 nm, elsewhere the eye's values whatever the angle
        {0, 300, 0, 5e-10, T, 3e10, E}, {0, 500, 0, 5e-10, T, 2e11, E}, {0, 800, 0, 5e-10, T, 2e11 * c4, E},
        {0, 1450, 0, 5e-10, T, 1e12, E}, {0, 1600, 0, 5e-10, T, 1e13, E}, {0, 2000, 0, 5e-10, T, 1e12, E},
        {0, 3000, 0, 5e-10, T, 1e11, E}, {0, 800, 0, 1e-8, T, 200 * c4, H}, {0, 800, 0, 1, T, 1.1e4 * c4, H},
        {0, 1064, 0, 100, T, 10000, E}, {0, 250, 50, 1, T, 30, H}, {0, 400, 50, 1, T, 5600, H},
        {0, 1600, 50, 100, T, 1000, E},
        // the eye below 10 ps, then below 1 ns
        {1, 200, 15, 1e-12, T, 3e10, E}, {1, 305.5, 15, 1e-12, T, 3e10, E}, {1, 500, 15, 1e-12, T, 1.5e-4 * c6, H},
        {1, 800, 15, 1e-12, T, 1.5e-4 * c4 * c6, H}, {1, 1300, 15, 1e-12, T, 1.5e-3 * c6 * c7, H},
        {1, 1450, 15, 1e-12, T, 1e12, E}, {1, 1600, 15, 1e-12, T, 1e13, E}, {1, 2000, 15, 1e-12, T, 1e12, E},
        {1, 3000, 15, 1e-12, T, 1e11, E}, {1, 500, 15, 1e-10, T, 2.7e4 * t75 * c6, H},
        {1, 800, 15, 1e-10, T, 2.7e4 * t75 * c4 * c6, H}, {1, 1300, 15, 1e-10, T, 2.7e5 * t75 * c6 * c7, H},
        {1, 350, 15, 1e-10, T, 3e10, E},
        // the eye from 1 ns to 10 s
        {1, 305.5, 15, 1, T, 160, H}, {1, 500, 1, 1e-6, T, 5e-3, H}, {1, 1600, 1, 1e-6, T, 1e4, H},
        // the eye from 10 s on
        {1, 250, 0, 100, T, 30, H}, {1, 302.5, 0, 100, P, 40, H}, {1, 308.5, 0, 100, P, 630, H},
        {1, 314.5, 0, 100, P, 10000, H}, {1, 500, 0, 50, P, 100 * cb, H}, {1, 500, 0, 100, P, cb, E},
        {1, 500, 50.75, 20, T, 18 * c6b * std::pow(20, 0.75), H},
        {1, 500, 50.75, 100, T, 18 * c6b * std::pow(t2, -0.25), E},
        {1, 800, 0, 100, T, 18 * c4 * std::pow(10.0, -0.25), E}, {1, 1300, 150, 1000, T, 1000, E}, // at most 1000
        {1, 10600, 0, 100, T, 1000, E},
    };
    // clang-format on
    for (const Row &r : rows)
        EXPECT_TRUE(Is(ComputeLaserMde(r.target, r.lambda, r.alpha, r.t, r.effect), r.value, r.kind))
            << "target " << r.target << ", " << r.lambda << " nm, " << r.t << " s";
    const double steps[] = {40, 60, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000};
    for (int k = 0; k < 13; ++k)
        EXPECT_TRUE(Is(ComputeLaserMde(1, 302.5 + k, 0, 100, P), steps[k], H)) << k;
    // no certain value, or no target
    EXPECT_FALSE(ComputeLaserMde(1, 314.5, 1, 1, T).Found());
    EXPECT_FALSE(ComputeLaserMde(1, 350, 0, 2000, T).Found());
    EXPECT_FALSE(ComputeLaserMde(2, 500, 0, 100, T).Found());
    EXPECT_FALSE(ComputeLaserMde(1, 500, 0, 0, T).Found());
}

TEST(LaserForm2Engine, NeighbouringClassesMeetWherePublished)
{
    const double borders[] = {1e-11, 1e-9, 1e-7, 1.8e-5, 5e-5, 1e-3, 10};
    for (int target : {0, 1}) {
        for (double lambda : {250.0, 350.0, 500.0, 800.0, 1300.0, 1450.0, 1600.0, 2000.0, 3000.0}) {
            for (double t : borders) {
                const TWartDop a = ComputeLaserMde(target, lambda, 0, t * 0.999, LaserEffect::Thermal);
                const TWartDop b = ComputeLaserMde(target, lambda, 0, t * 1.001, LaserEffect::Thermal);
                if (!a.Found() || !b.Found())
                    continue;
                EXPECT_NEAR(Dose(b, t) / Dose(a, t), 1, 0.1) << target << ", " << lambda << " nm, " << t << " s";
            }
        }
    }
}

TEST(LaserForm2Engine, RowCaptionsNameTheEffectWhereItApplies)
{
    EXPECT_EQ(LaserParamCaption(LaserRow::PulsedPhotochemical, 600, E), "fotochemiczne - E [W/m2]");
    EXPECT_EQ(LaserParamCaption(LaserRow::PulsedPhotochemical, 179, E), "");
    EXPECT_EQ(LaserParamCaption(LaserRow::Photochemical, 601, H), "");
    EXPECT_EQ(LaserRowCaptions().first(), "");
}

// ---- Both forms held in memory ---------------------------------------------------------------

class Laser1InMemory : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("prm_laser_frm_1.xml")};
};

TEST_F(Laser1InMemory, BadInputIsNotRated)
{
    f.Enter("ed_SrEksp", "1");
    f.Enter("ed_CzasEksp", "100");
    EXPECT_EQ(f.Ratings(), NotDetermined); // no wavelength yet
    f.Enter("ed_DlugFal", "1064");
    EXPECT_EQ(f.Value("ed_WartDop"), "2846"); // 90 t^0.75
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Enter("ed_SrEksp", "-1");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_SrEksp", "");
    EXPECT_EQ(f.Value("ed_WartZm"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_SrEksp", "8000");
    f.form.Fields["cb_cZrodlo"].value = "-1";
    f.Enter("ed_DlugFal", "1065");
    EXPECT_EQ(f.Ratings(), NotDetermined); // the eye needs the kind of viewing
    f.Choose("cb_cPromieniowanie", 1);     // pulsed, no pulse typed
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_TRUE(f.form.Messages.isEmpty());
}

class Laser2InMemory : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("prm_laser_frm_2.xml")};
};

TEST_F(Laser2InMemory, PulsedRowsAndTheirMeasuredValues)
{
    // the row headers offer every caption the rule writes, in its order
    for (const char *header : {"lb_lParam1", "lb_lParam2", "lb_lParam3"})
        EXPECT_EQ(f.form.Fields[header].captions, LaserRowCaptions().join(';')) << header;
    f.Choose("cb_cPromieniowanie", 1);
    EXPECT_EQ(f.form.Fields["lb_lParam"].value, "Zmierzone napromienienie pojedynczym impulsem N [J/m2]");
    f.Enter("ed_DlugFal", "1064");
    f.Enter("ed_CzasImp", "1e-8");
    f.Enter("ed_CzestPracy", "10000");
    f.Enter("ed_JednCzasEksp", "0.25");
    f.Enter("ed_WartZm", "0.01");
    // one pulse: 5e-2 J/m2
    EXPECT_EQ(f.Value("ed_WartDop1"), "0.05");
    EXPECT_EQ(f.Value("ed_Krotn1"), "0.2");
    EXPECT_EQ(f.form.Fields["lb_lParam1"].value, "termiczne - pojedynczy impuls - N [J/m2]");
    // 2500 pulses in 0.25 s: a group of 50 us (the shortest time counted) allows
    // 90 * (5e-5)^0.75 / 2500^0.25 = 7.57e-3 J/m2 a pulse, the whole 0.25 s
    // 90 * 0.25^0.75 = 31.8 J/m2, 0.0127 a pulse: the group governs
    EXPECT_EQ(f.Value("ed_WartDop2"), "0.00757");
    EXPECT_EQ(f.Value("ed_WartZm2"), "0.01");
    EXPECT_EQ(f.Value("ed_Krotn2"), "1.32");
    EXPECT_EQ(f.form.Fields["lb_lParam2"].value, "termiczne - grupa impulsów - N [J/m2]");
    EXPECT_EQ(f.Value("ed_WartDop3"), "0"); // no photochemical row from 600 nm on
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 40}));
    // a repetition rate so high that the mean power governs: 1e6 pulses of 3e-5 J/m2
    f.Enter("ed_CzestPracy", "4000000");
    f.Enter("ed_WartZm", "0.00003");
    EXPECT_EQ(f.Value("ed_WartDop2"), "31.8");
    EXPECT_EQ(f.Value("ed_WartZm2"), "30");
    EXPECT_EQ(f.Value("ed_Krotn2"), "0.943");
    EXPECT_EQ(f.form.Fields["lb_lParam2"].value, "termiczne - grupa impulsów - N [J/m2]");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 40}));
}

TEST_F(Laser2InMemory, BadInputIsNotRated)
{
    f.Enter("ed_WartZm", "1");
    EXPECT_EQ(f.Ratings(), (Groups{0, 0, 0, 40})); // no wavelength, no time
    f.Enter("ed_DlugFal", "1064");
    f.Enter("ed_JednCzasEksp", "100");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 40}));
    f.Enter("ed_DlugFal", "100");
    EXPECT_EQ(f.Value("ed_WartDop1"), "0");
    EXPECT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
    f.Enter("ed_DlugFal", "1064");
    f.Enter("ed_WartZm", "x");
    EXPECT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
    f.Enter("ed_WartZm", "1");
    f.form.Fields["cb_cDzialanie"].value = "-1";
    f.Enter("ed_JednCzasEksp", "101");
    EXPECT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
}

TEST_F(Laser2InMemory, ANotDeterminedRatingNamesTheValueToMend)
{
    f.Enter("ed_DlugFal", "1064");
    f.Enter("ed_JednCzasEksp", "100");
    f.Enter("ed_WartZm", "-1");
    ASSERT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
    EXPECT_EQ(f.LastNamed(), "ed_WartZm: wartość zmierzona musi być liczbą nie mniejszą od 0");
    f.Enter("ed_WartZm", "1");
    ASSERT_EQ(f.Ratings(), (Groups{10, 10, 10, 40}));
    const qsizetype reported = f.Named();
    f.Enter("ed_JednCzasEksp", "200");
    ASSERT_NE(f.Ratings(), (Groups{0, 0, 0, 40}));
    EXPECT_EQ(f.Named(), reported) << "a rated form reports nothing";
    f.Enter("ed_JednCzasEksp", "-100");
    ASSERT_EQ(f.Ratings(), (Groups{0, 0, 0, 40}));
    EXPECT_EQ(f.LastNamed(), "ed_JednCzasEksp: wartość musi być liczbą nie mniejszą od 0");
    // form 1: a mean exposure below 0 leaves the measured value unknown
    ShippedForm f1("prm_laser_frm_1.xml");
    f1.Enter("ed_CzasEksp", "100");
    f1.Enter("ed_DlugFal", "1064");
    f1.Enter("ed_SrEksp", "-1");
    ASSERT_EQ(f1.Ratings(), NotDetermined);
    EXPECT_EQ(f1.LastNamed(), "ed_SrEksp: wartość zmierzona musi być liczbą nie mniejszą od 0");
}
