// Chemical and dust rules: the multiples of concentrations against limit values, the two
// rating rules at their boundaries and class bits, the dust kinds on the shipped forms held
// in memory, and input that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/chemical.h"
#include "assessment/rules/dust.h"

using namespace shippedforms;
using namespace assessment::rules;

namespace {

Groups chemical(const QString &typ, const QString &nds, const QString &ndsch = "0", const QString &ndsp = "0",
                const QString &sum = "0")
{
    assessment::TGroupRatings r{};
    if (!ChemicalRating({typ, nds, ndsch, ndsp, sum}, r))
        return NotDetermined;
    return {r.men, r.women, r.pregnantWomen, r.juveniles};
}

Groups dust(const QString &typ, const QString &total, const QString &resp = "0", const QString &fibres = "0",
            const QString &sum = "")
{
    assessment::TGroupRatings r{};
    if (!DustRisk({typ, total, resp, fibres, sum}, r))
        return NotDetermined;
    return {r.men, r.women, r.pregnantWomen, r.juveniles};
}

} // namespace

TEST(ConcentrationMultiples, MeasuredAgainstLimit)
{
    EXPECT_EQ(ConcentrationMultiple("50", "100"), "0.5");
    EXPECT_EQ(ConcentrationMultiple(".5", "1"), "0.5");
    EXPECT_EQ(ConcentrationMultiple("2", "0.3"), "6.67");
    // nothing measured, or a limit switched off: nothing to count
    EXPECT_EQ(ConcentrationMultiple("", "100"), "0");
    EXPECT_EQ(ConcentrationMultiple("0", ""), "0");
    EXPECT_EQ(ConcentrationMultiple("5", "-1"), "0");
    // measured but nothing to compare with, or no number: not known
    EXPECT_EQ(ConcentrationMultiple("5", ""), "");
    EXPECT_EQ(ConcentrationMultiple("5", "0"), "");
    EXPECT_EQ(ConcentrationMultiple("-5", "100"), "");
    EXPECT_EQ(ConcentrationMultiple("abc", "100"), "");
    EXPECT_EQ(ConcentrationMultiple("5", "x"), "");
}

TEST(ChemicalRating, BoundariesAreSmallUpToHalfAndMediumUpToOne)
{
    for (const auto &[multiple, code] : {std::pair{"0.5", 10}, {"0.51", 20}, {"1", 20}, {"1.01", 30}}) {
        EXPECT_EQ(chemical("0", multiple), Groups(4, code)) << multiple;
        EXPECT_EQ(dust("0", multiple), Groups(4, code)) << multiple;
    }
    // the largest of the multiples and the sum
    EXPECT_EQ(chemical("0", "0.1", "0.9"), (Groups{20, 20, 20, 20}));
    EXPECT_EQ(chemical("0", "0.1", "0", "1.2"), (Groups{30, 30, 30, 30}));
    EXPECT_EQ(chemical("0", "0.4", "0", "0", "0.7"), (Groups{20, 20, 20, 20}));
}

TEST(ChemicalRating, ClassBits)
{
    // carcinogenic: at least large, medium only while the NDS multiple is below 0.1
    EXPECT_EQ(chemical("1", "0.05"), (Groups{20, 20, 10, 10}));
    EXPECT_EQ(chemical("1", "0"), (Groups{30, 30, 10, 10}));
    EXPECT_EQ(chemical("32768", "0.3"), (Groups{30, 30, 10, 10}));
    // ... and never lowers what the short-term multiple made large
    EXPECT_EQ(chemical("1", "0.05", "1.5"), (Groups{30, 30, 30, 30}));
    EXPECT_EQ(chemical("256", "0.7"), (Groups{20, 20, 30, 20}));
    EXPECT_EQ(chemical("256", "0.66"), (Groups{20, 20, 20, 20}));
    EXPECT_EQ(chemical("768", "0.7"), (Groups{20, 20, 40, 40}));
    EXPECT_EQ(chemical("1024", "0.1"), (Groups{10, 10, 40, 40}));
}

TEST(ChemicalRating, WhatCannotBeRated)
{
    EXPECT_EQ(chemical("0", ""), NotDetermined);
    EXPECT_EQ(chemical("0", "0.2", "x"), NotDetermined);
    EXPECT_EQ(chemical("abc", "0.2"), NotDetermined);
    EXPECT_EQ(chemical("", "0.2"), (Groups{10, 10, 10, 10})); // no class bits given
}

TEST(DustRisk, TheEdgeCases)
{
    EXPECT_EQ(dust("0", "0.3", "1.2", "0.7"), (Groups{30, 30, 30, 30}));
    EXPECT_EQ(dust("1", "0.05", "0.02"), (Groups{20, 20, 40, 40}));
    EXPECT_EQ(dust("1", "0.2"), (Groups{30, 30, 40, 40}));
    EXPECT_EQ(dust("8", "0.2", "0.7"), (Groups{20, 20, 20, 40}));
    EXPECT_EQ(dust("8", "0.2", "0.66"), (Groups{20, 20, 20, 20}));
    EXPECT_EQ(dust("0", "0.2", "0.2", "0", "0.6"), (Groups{20, 20, 20, 20}));
    EXPECT_EQ(dust("0", "0.2", "0", "0", "1.1"), (Groups{30, 30, 30, 30}));
    EXPECT_EQ(dust("4", "0.2"), (Groups{10, 10, 10, 40}));
    // bit 2 makes it large only without bit 32; the groups at risk are forbidden either way
    EXPECT_EQ(dust("2", "0.2"), (Groups{30, 30, 40, 40}));
    EXPECT_EQ(dust("34", "0.2"), (Groups{10, 10, 40, 40}));
    // the class bits are rounded up
    EXPECT_EQ(dust("0.2", "0.2"), (Groups{30, 30, 40, 40}));
    EXPECT_EQ(dust("0", ""), NotDetermined);
    EXPECT_EQ(dust("0", "0.2", "-1"), NotDetermined);
}

// ---- The shipped dust forms in memory ---------------------------------------------------------

class DustForms : public ShippedFormTest
{
};

TEST_F(DustForms, CoalKindsSetLimitsClassAndTheRespirableRow)
{
    ShippedForm f("pyly_wegla_frm_1.xml");
    f.Enter("ed_PylCalkZm", "5");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "0.5");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Choose("cb_cmbIloscKrzem", 2);
    EXPECT_EQ(f.Value("ed_PylCalkDop"), "2");
    EXPECT_EQ(f.Value("ed_PylRespDop"), "1");
    EXPECT_EQ(f.Value("ed_Typ"), "8");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "2.5");
    EXPECT_TRUE(f.Enabled("ed_PylRespZm"));
    EXPECT_TRUE(f.Enabled("lb_lKrotnoscResp"));
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 40}));
    f.Enter("ed_PylRespZm", "0.4");
    EXPECT_EQ(f.Value("ed_PylRespKrotn"), "0.4");
    // the first kind has no respirable limit: the row is switched off and zeroed
    f.Choose("cb_cmbIloscKrzem", 0);
    EXPECT_EQ(f.Value("ed_PylCalkDop"), "10");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "0.5");
    EXPECT_EQ(f.Value("ed_PylRespZm"), "0");
    EXPECT_EQ(f.Value("ed_PylRespDop"), "0");
    EXPECT_EQ(f.Value("ed_PylRespKrotn"), "0");
    EXPECT_FALSE(f.Enabled("ed_PylRespZm"));
    EXPECT_FALSE(f.Enabled("lb_lPResp"));
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    EXPECT_TRUE(f.form.Messages.isEmpty());
}

TEST_F(DustForms, KindsThatTakeNoPartInTheSumHideAndUntickIt)
{
    ShippedForm f("pyly_drewna_frm_1.xml");
    f.Click("ch_cbSumNDS");
    f.Choose("cb_Rodz", 1);
    EXPECT_EQ(f.Value("ed_PylCalkDop"), "2");
    EXPECT_EQ(f.Value("ed_Typ"), "17");
    EXPECT_EQ(f.Value("ch_cbSumNDS"), "False");
    for (const char *n : {"ch_cbSumNDS", "lb_lSumNDS", "ed_SumNDS"})
        EXPECT_FALSE(f.form.Find(n)->visible) << n;
    f.Enter("ed_PylCalkZm", "0.1");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Choose("cb_Rodz", 0);
    EXPECT_TRUE(f.form.Find("ch_cbSumNDS")->visible);
    EXPECT_EQ(f.Value("ed_Typ"), "0");

    ShippedForm talc("pyly_talku_frm_1.xml");
    talc.Choose("cb_Rodz", 1);
    EXPECT_EQ(talc.form.Find("lb_lPResp")->value, "Włókna respirabilne [włókna/cm^3]");
    EXPECT_EQ(talc.Value("ed_PylRespDop"), "0.5");
    talc.Choose("cb_Rodz", 0);
    EXPECT_EQ(talc.form.Find("lb_lPResp")->value, "Pył respirabilny [mg/m^3]");
    talc.Enter("ed_PylRespZm", "0.7");
    EXPECT_EQ(talc.Ratings(), (Groups{20, 20, 20, 40}));
}

TEST_F(DustForms, OrganicKindRatesAndGraphiteCountsItsSum)
{
    ShippedForm organic("pyly_organiczne_frm_1.xml");
    organic.Enter("ed_PylCalkZm", "3");
    ASSERT_EQ(organic.Ratings(), (Groups{20, 20, 20, 20}));
    organic.Choose("cb_cmbIloscKrzem", 1);
    EXPECT_EQ(organic.Value("ed_PylCalkKrotn"), "1.5");
    EXPECT_EQ(organic.Ratings(), (Groups{30, 30, 30, 30}));

    ShippedForm graphite("pyly_grafitu_frm_1.xml");
    graphite.form.Fields["ed_SumNDS"].value = "1.2";
    graphite.Enter("ed_PylCalkZm", "1");
    EXPECT_EQ(graphite.Value("ed_PylCalkKrotn"), "0.25");
    EXPECT_EQ(graphite.Ratings(), (Groups{30, 30, 30, 30}));
    graphite.Choose("cb_Rodz", 1);
    EXPECT_FALSE(graphite.Enabled("ed_PylRespZm"));
    EXPECT_EQ(graphite.Value("ed_PylCalkDop"), "6");
}

TEST_F(DustForms, AsbestosRatesOnlyItsConcentrations)
{
    ShippedForm f("pyly_azbestu_frm_1.xml");
    EXPECT_FALSE(f.form.Find("ch_cbSumNDS"));
    f.Evaluate("ed_Typ");
    EXPECT_TRUE(f.form.Ratings.isEmpty());
    f.Enter("ed_PylCalkDop", "0.5");
    f.Enter("ed_PylCalkZm", "0.02");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "0.04");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
}

TEST_F(DustForms, ConcentrationsWithoutLimitsAreNotRated)
{
    ShippedForm f("pyly_cementow_frm_1.xml");
    f.Enter("ed_PylCalkZm", "3");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_PylCalkDop", "6");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "0.5");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Enter("ed_PylCalkZm", "-3");
    EXPECT_EQ(f.Value("ed_PylCalkKrotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_TRUE(f.form.Messages.isEmpty());
}

TEST_F(ShippedFormTest, ANotDeterminedDustOrChemicalRatingNamesTheValueToMend)
{
    // file, measured field, limit field, a measured value, a limit that rates it small
    const char *forms[][5] = {{"pyly_cementow_frm_1.xml", "ed_PylCalkZm", "ed_PylCalkDop", "3", "6"},
                              {"chemiczny_frm_1.xml", "ed_NDSChZm", "ed_NDSCh", "5", "20"}};
    for (const auto &[file, measured, limit, value, permitted] : forms) {
        SCOPED_TRACE(file);
        ShippedForm f(QString::fromLatin1(file));
        f.Enter(measured, value);
        f.Enter(limit, "0");
        ASSERT_EQ(f.Ratings(), NotDetermined);
        EXPECT_EQ(f.LastNamed(), QString::fromLatin1(limit) + ": wartość dopuszczalna musi być liczbą większą od 0");
        const qsizetype reported = f.Named();
        f.Enter(limit, permitted);
        ASSERT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
        EXPECT_EQ(f.Named(), reported) << "a rated form reports nothing";
        f.Enter(measured, "-3");
        ASSERT_EQ(f.Ratings(), NotDetermined);
        EXPECT_EQ(f.LastNamed(),
                  QString::fromLatin1(measured) + ": wartość zmierzona musi być liczbą nie mniejszą od 0");
    }
}

// ---- The workstation sum on a workstation in memory ---------------------------------------------

namespace {

// A factor of the group "chem" with one measurement of the given date and values.
storage::TPomiarCzynn *addSubstance(storage::TStanowisko &w, int id, const QString &date,
                                    const QList<std::pair<QString, QString>> &values)
{
    storage::TCzynnik *f = w.AddFactor(std::make_unique<storage::TCzynnik>(
        QStringLiteral("Substancja %1").arg(id), QStringLiteral("chem"), id, QStringLiteral("1.0"),
        QStringLiteral("chemiczny"), QStringLiteral("T"), QStringLiteral("T")));
    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .id = 1, .data = date, .ver = QStringLiteral("1"), .ocenam = 10, .ocenak = 10, .ocenakc = 10, .ocenaml = 10,
        .ocenamax = 10, .ocenakon = 10
    });
    for (const auto &[name, value] : values) {
        auto p = std::make_unique<storage::TPomiar>();
        p->EditDefinition().nazwa = name;
        p->Value = value;
        m->Fields.push_back(std::move(p));
    }
    return storage::AddMeasurement(f->Measurements, std::move(m));
}

std::vector<int> stored(const storage::TPomiarCzynn *m)
{
    return {m->ocenam, m->ocenak, m->ocenakc, m->ocenaml, m->ocenamax, m->ocenakon};
}

} // namespace

TEST(WorkstationSums, OnlyMarkedMeasurementsOfTheDateAddAndAreRatedAgain)
{
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("Lakiernik"), QStringLiteral("stan_1"));
    w.AddEmployment(storage::TZatrudn(QStringLiteral("2021"), QStringLiteral("2"), QStringLiteral("0"),
                                      QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                      QStringLiteral("0")));
    const QString day = QStringLiteral("2021-05-04");
    // forbidden to pregnant women and juveniles, but only men are employed
    auto *a = addSubstance(w, 1, day, {{"Typ", "1024"}, {"NDSKrotn", "0.4"}, {"cbSumNDS", "True"}, {"SumNDS", "0"}});
    auto *garbled = addSubstance(w, 2, day, {{"NDSKrotn", "abc"}, {"cbSumNDS", "True"}, {"SumNDS", "0"}});
    auto *otherDay = addSubstance(w, 3, "2021-06-01", {{"NDSKrotn", "0.9"}, {"cbSumNDS", "True"}, {"SumNDS", "0"}});
    auto *unmarked = addSubstance(w, 4, day, {{"NDSKrotn", "0.5"}, {"cbSumNDS", "False"}, {"SumNDS", "0"}});
    auto *shown = addSubstance(w, 5, day, {{"NDSKrotn", "0.3"}, {"cbSumNDS", "True"}, {"SumNDS", "0"}});

    assessment::TMemoryForm form;
    form.Add("ch_cbSumNDS", "True");
    form.Add("ed_SumNDS", "0");
    SumOfChemicalFractions(form, true);
    EXPECT_EQ(form.GetFieldValue("ed_SumNDS"), "0"); // nothing shown: nothing summed
    EXPECT_EQ(storage::FindField(a->Fields, "SumNDS")->Value, "0");

    form.Shown = {&w, w.Factors.back().factor.get(), day};
    SumOfChemicalFractions(form, true);
    EXPECT_EQ(form.GetFieldValue("ed_SumNDS"), "0.7");
    EXPECT_EQ(storage::FindField(a->Fields, "SumNDS")->Value, "0.7");
    EXPECT_EQ(stored(a), (std::vector<int>{20, 20, 40, 40, 20, 20}));
    EXPECT_EQ(storage::FindField(garbled->Fields, "SumNDS")->Value, "0.7");
    EXPECT_EQ(stored(garbled), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(storage::FindField(otherDay->Fields, "SumNDS")->Value, "0");
    EXPECT_EQ(stored(otherDay), (std::vector<int>(6, 10)));
    EXPECT_EQ(storage::FindField(unmarked->Fields, "SumNDS")->Value, "0");
    EXPECT_EQ(stored(unmarked), (std::vector<int>(6, 10)));
    // the shown measurement holds the sum; its rating is its form's to make
    EXPECT_EQ(storage::FindField(shown->Fields, "SumNDS")->Value, "0.7");
    EXPECT_EQ(stored(shown), (std::vector<int>(6, 10)));

    // without the shown measurement (it is being deleted)
    SumOfChemicalFractions(form, false);
    EXPECT_EQ(storage::FindField(a->Fields, "SumNDS")->Value, "0.4");
    EXPECT_EQ(stored(a), (std::vector<int>{10, 10, 40, 40, 10, 10}));
    form.Fields["ch_cbSumNDS"].value = "False";
    SumOfChemicalFractions(form, true);
    EXPECT_EQ(form.GetFieldValue("ed_SumNDS"), "0");
}
