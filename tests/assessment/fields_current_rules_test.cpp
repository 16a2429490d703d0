// Electromagnetic field, electric current and explosion rules on the shipped forms held in
// memory: the zone rules in their order, the limits of each form, and input that cannot be
// rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/fields_current.h"

using namespace shippedforms;
using namespace assessment::rules;

TEST(CurrentAndExplosionLimits, EachTableRow)
{
    struct Row
    {
        int (*riskClass)(double);
        double w;
        int code;
    } rows[] = {
        {LowVoltageRiskClass, 0.0000099, 10}, {LowVoltageRiskClass, 0.00001, 20}, {LowVoltageRiskClass, 0.000099, 20},
        {LowVoltageRiskClass, 0.0001, 30},    {HighVoltageRiskClass, 0.39, 10},   {HighVoltageRiskClass, 0.4, 20},
        {HighVoltageRiskClass, 0.59, 20},     {HighVoltageRiskClass, 0.6, 30},    {ExplosionFireRiskClass, 0.39, 10},
        {ExplosionFireRiskClass, 0.4, 20},    {ExplosionFireRiskClass, 0.59, 20}, {ExplosionFireRiskClass, 0.6, 30},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.riskClass(r.w), r.code) << r.w;
}

TEST(CurrentAndExplosionLimits, OnlyExplosionComparesInSinglePrecision)
{
    // just below the limit as a double, the limit itself as a single
    EXPECT_EQ(HighVoltageRiskClass(0.399999999), 10);
    EXPECT_EQ(ExplosionFireRiskClass(0.399999999), 20);
    EXPECT_EQ(HighVoltageRiskClass(0.599999999), 20);
    EXPECT_EQ(ExplosionFireRiskClass(0.599999999), 30);
}

class CurrentForms : public ShippedFormTest
{
};

TEST_F(CurrentForms, TheValueRatesEveryGroupAlikeAndBadInputRatesNone)
{
    for (const char *file : {"prad_NN_frm_1.xml", "prad_WN_frm_1.xml", "wybuch_pozar_frm_1.xml"}) {
        SCOPED_TRACE(file);
        ShippedForm f{QString::fromLatin1(file)};
        EXPECT_EQ(f.Value("ed_WartWyl"), "");
        f.Enter("ed_WartWyl", "0.7");
        EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
        f.Enter("ed_WartWyl", "0");
        EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
        for (const char *bad : {"", "-0.5", "abc"}) {
            f.Enter("ed_WartWyl", bad);
            EXPECT_EQ(f.Ratings(), NotDetermined) << bad;
        }
        // any field re-rates the form from its value
        f.form.Fields["ed_WartWyl"].value = QStringLiteral("0.5");
        f.Evaluate(QStringLiteral("me_Opis"));
        EXPECT_EQ(f.Ratings()[0], QString::fromLatin1(file).startsWith("prad_NN") ? 30 : 20);
    }
}

class ElectromagneticField : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("pole_frm_1.xml")};
    void Zones(int body, int limbs)
    {
        f.form.Fields["cb_EkspPrac"].value = QString::number(body);
        f.Choose("cb_EkspPracKon", limbs);
    }
};

TEST_F(ElectromagneticField, ZonesRateAdultsAndTheProtectedGroupsApart)
{
    EXPECT_EQ(f.Value("ed_Przekr"), "nie dotyczy");
    struct Row
    {
        int body, limbs;
        Groups groups;
    } rows[] = {
        {0, 0, {10, 10, 10, 10}},  {1, 1, {20, 20, 30, 30}}, {2, 0, {30, 30, 30, 30}},
        {0, -1, {10, 10, 10, 10}}, {-1, -1, NotDetermined},
    };
    for (const Row &r : rows) {
        Zones(r.body, r.limbs);
        EXPECT_EQ(f.Ratings(), r.groups) << r.body << " " << r.limbs;
    }
}

TEST_F(ElectromagneticField, ExceedancesAndExposureIndexesOverrideTheZones)
{
    Zones(0, 0);
    f.Enter("ed_Przekr", "  ");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Enter("ed_Przekr", "ekspozycja w strefie niebezpiecznej przy naprawie anteny");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Enter("ed_Przekr", "nie dotyczy");
    f.Enter("ed_WcCialo", ""); // not assessed: counts as 0
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    f.Enter("ed_WkKon", "2");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 30, 30}));
    f.Enter("ed_WkKon", "-1");
    EXPECT_EQ(f.Ratings(), NotDetermined);
}

TEST_F(ElectromagneticField, ANotDeterminedRatingNamesTheValueToMend)
{
    Zones(-1, -1);
    ASSERT_EQ(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.LastNamed(), "cb_EkspPrac: należy wybrać pozycję z listy");
    f.Enter("ed_WcCialo", "-1");
    ASSERT_EQ(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.LastNamed(), "ed_WcCialo: wartość musi być liczbą nie mniejszą od 0");
    f.Enter("ed_WcCialo", "0.5");
    f.Choose("cb_EkspPrac", 0);
    ASSERT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    const qsizetype reported = f.Named();
    f.Choose("cb_EkspPracKon", 0);
    ASSERT_EQ(f.Ratings(), (Groups{10, 10, 10, 10}));
    EXPECT_EQ(f.Named(), reported) << "a rated form reports nothing";
    ShippedForm current("prad_WN_frm_1.xml");
    current.Enter("ed_WartWyl", "-0.5");
    ASSERT_EQ(current.Ratings(), NotDetermined);
    EXPECT_EQ(current.LastNamed(), "ed_WartWyl: wartość musi być liczbą nie mniejszą od 0");
}
