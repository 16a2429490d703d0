// Microclimate rules on the shipped forms held in memory: the permitted WBGT table, the
// wind chill and the allowed exposure time, each form's group ratings at their boundaries,
// and input that cannot be rated.

#include "shipped_form_fixture.h"

#include "assessment/rules/microclimate.h"

#include <cmath>

using namespace shippedforms;
using namespace assessment::rules;

// ---- Tables and formulas ---------------------------------------------------------------------

TEST(MicroclimateTables, PermittedWbgtByClassAcclimatisationAndAirMovement)
{
    const int expected[5][4] = {
        {33, 33, 32, 32}, {30, 30, 29, 29}, {28, 28, 26, 26}, {26, 25, 23, 22}, {25, 23, 20, 18}};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(PermittedWbgt(c, 0, 0), QString::number(expected[c][0])) << c;
        EXPECT_EQ(PermittedWbgt(c, 0, 1), QString::number(expected[c][1])) << c;
        EXPECT_EQ(PermittedWbgt(c, 1, 0), QString::number(expected[c][2])) << c;
        EXPECT_EQ(PermittedWbgt(c, 1, 1), QString::number(expected[c][3])) << c;
    }
    // nothing chosen counts as "other"
    EXPECT_EQ(PermittedWbgt(3, -1, -1), "22");
    EXPECT_EQ(PermittedWbgt(-1, 0, 0), "18");
    EXPECT_EQ(PermittedWbgt(5, 1, 1), "18");
    for (const auto &[metabolicClass, list] : {std::pair{0, 1}, {2, 1}, {3, 2}, {4, 2}, {-1, 0}})
        EXPECT_EQ(AirMovementList(metabolicClass), list) << metabolicClass;
}

TEST(MicroclimateTables, WindChillIsRoundedAndNeverAboveTheAir)
{
    EXPECT_EQ(WindChillTemperature(-10, 20), -18); // -17.86
    EXPECT_EQ(WindChillTemperature(-20, 30), -33); // -32.57
    // no wind: the formula gives warmer than the air, so the air itself
    EXPECT_EQ(WindChillTemperature(-10, 0), -10);
    EXPECT_EQ(WindChillTemperature(-10.5, 0), -10.5);
    EXPECT_FALSE(std::signbit(WindChillTemperature(0, 0)));
}

TEST(MicroclimateTables, AllowedExposureTimeByWindChill)
{
    // at -34: 0.8333 * -34 + 59.167 = 30.83
    for (const auto &[chill, time] : {std::pair{-18.0f, "Eksp. ciągła"},
                                      {-23.9f, "Eksp. ciągła"},
                                      {-24.0f, "530"},
                                      {-25.0f, "480"},
                                      {-33.0f, "80"},
                                      {-34.0f, "31"},
                                      {-58.0f, "11"},
                                      {-59.0f, "Eksp. zabroniona"},
                                      {-70.0f, "Eksp. zabroniona"},
                                      {std::nanf(""), ""}})
        EXPECT_EQ(AllowedExposureTime(chill), QString::fromUtf8(time)) << chill;
}

// ---- Hot -------------------------------------------------------------------------------------

class HotMicroclimate : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("mikroklimat_goracy_frm_1.xml")};
};

TEST_F(HotMicroclimate, ClassThreeBoundaries)
{
    f.Choose("cb_cKlasaMetabol", 3);
    EXPECT_EQ(f.Value("ed_WartDop"), "26");
    EXPECT_EQ(f.form.ComboItems("cb_cRuchPow"),
              (QStringList{"Wyczuwalny ruch powietrza", "Niewyczuwalny ruch powietrza"}));
    f.Enter("ed_WartZm", "26");
    EXPECT_EQ(f.Value("ed_Krotn"), "1");
    // juveniles against two thirds of 26
    const std::pair<const char *, Groups> rows[] = {{"26", {20, 20, 40, 40}},   {"23", {10, 10, 40, 40}},
                                                    {"26.1", {30, 30, 40, 40}}, {"18", {10, 10, 40, 40}},
                                                    {"15", {10, 10, 40, 20}},   {"14", {10, 10, 40, 10}}};
    for (const auto &[measured, ratings] : rows) {
        f.Enter("ed_WartZm", measured);
        EXPECT_EQ(f.Ratings(), ratings) << measured;
    }
}

TEST_F(HotMicroclimate, TheMultipleFollowsEveryChangeOfThePermittedValue)
{
    f.Choose("cb_cKlasaMetabol", 3);
    f.Enter("ed_WartZm", "26");
    f.Choose("cb_cRuchPow", 1);
    EXPECT_EQ(f.Value("ed_WartDop"), "25");
    EXPECT_EQ(f.Value("ed_Krotn"), "1.04");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 40, 40}));
    f.Choose("cb_cAklimat", 1);
    EXPECT_EQ(f.Value("ed_WartDop"), "22");
    EXPECT_EQ(f.Value("ed_Krotn"), "1.18");
    // a lighter class offers its own air-movement list, first item chosen
    f.Choose("cb_cKlasaMetabol", 1);
    EXPECT_EQ(f.form.ComboItems("cb_cRuchPow").size(), 1);
    EXPECT_EQ(f.Value("cb_cRuchPow"), "0");
    EXPECT_EQ(f.Value("ed_WartDop"), "29");
    EXPECT_EQ(f.Value("ed_Krotn"), "0.897");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
}

TEST_F(HotMicroclimate, WithoutAClassOrAMeasuredValueNothingIsRated)
{
    // a fresh form has no class chosen
    EXPECT_EQ(f.Value("cb_cKlasaMetabol"), "-1");
    EXPECT_EQ(f.Value("ed_WartDop"), "18");
    f.Enter("ed_WartZm", "20");
    EXPECT_EQ(f.Value("ed_Krotn"), "1.11");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Choose("cb_cKlasaMetabol", 2);
    EXPECT_EQ(f.Value("ed_WartDop"), "28");
    EXPECT_EQ(f.Value("ed_Krotn"), "0.714");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    f.Enter("ed_WartZm", "");
    EXPECT_EQ(f.Value("ed_Krotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_WartZm", "abc");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_WartZm", "20");
    f.form.Fields["cb_cKlasaMetabol"].value = QStringLiteral("7");
    f.Evaluate("cb_cKlasaMetabol");
    EXPECT_EQ(f.Value("ed_WartDop"), "18");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_TRUE(f.form.Messages.isEmpty());
}

// ---- Cold, form 1 ----------------------------------------------------------------------------

TEST_F(ShippedFormTest, ColdForm1RatesTheCoolingIndex)
{
    ShippedForm f(QStringLiteral("mikroklimat_zimny_frm_1.xml"));
    // no permitted value ships: nothing is rated until the user gives one
    f.Enter("ed_WartZm", "1200");
    EXPECT_EQ(f.Value("ed_Krotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_WartDop", "1500");
    EXPECT_EQ(f.Value("ed_Krotn"), "0.8");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    f.Enter("ed_WartZm", "1201");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Enter("ed_WartZm", "1500");
    EXPECT_EQ(f.Value("ed_Krotn"), "1");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 40, 40}));
    f.Enter("ed_WartDop", "3000");
    EXPECT_EQ(f.Value("ed_Krotn"), "0.5");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Enter("ed_WartDop", "0"); // a limit not given, not one every value reaches
    EXPECT_EQ(f.Value("ed_Krotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
}

// ---- Cold, form 2 ----------------------------------------------------------------------------

class ColdForm2 : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("mikroklimat_zimny_frm_2.xml")};
};

TEST_F(ColdForm2, ClothingInsulationAgainstTheRequiredOne)
{
    f.Enter("ed_IREQmin", "1.5");
    EXPECT_EQ(f.Value("ed_Krotn"), "0"); // nothing worn given yet
    f.Enter("ed_IREQneutral", "2.5");
    f.Enter("ed_Iclr", "1.2");
    EXPECT_EQ(f.Value("ed_Krotn"), "0.8");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 40, 40}));
    f.Enter("ed_Iclr", "1.5");
    EXPECT_EQ(f.Ratings()[0], 30);
    f.Enter("ed_Iclr", "2");
    EXPECT_EQ(f.Value("ed_Krotn"), "1.33");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Enter("ed_Iclr", "2.5");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    // no clothing given is never large, and leaves no multiple of earlier values
    f.Enter("ed_Iclr", "0");
    EXPECT_EQ(f.Value("ed_Krotn"), "0");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    f.Enter("ed_Iclr", "-1");
    EXPECT_EQ(f.Value("ed_Krotn"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
}

TEST_F(ColdForm2, OutdoorWorkByTheCoolingIndex)
{
    EXPECT_EQ(f.Value("ch_PracaZewn"), "False");
    EXPECT_EQ(f.Value("ed_WartDop"), "1000");
    f.Click("ch_PracaZewn");
    EXPECT_TRUE(f.Enabled("ed_WartZm"));
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    f.Enter("ed_WartZm", "601");
    EXPECT_EQ(f.Value("ed_KrotnWCI"), "0.6");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Enter("ed_WartZm", "1000");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 40, 40}));
    f.Enter("ed_WartDop", "0");
    EXPECT_EQ(f.Value("ed_KrotnWCI"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    // indoors the zeroed cooling index counts for nothing, whatever its permitted value
    f.Click("ch_PracaZewn");
    EXPECT_EQ(f.Value("ed_WartZm"), "0");
    EXPECT_EQ(f.Value("ed_KrotnWCI"), "0");
    for (const char *n :
         {"lb_lWartZm", "lb_lWartDp", "lb_lKrotnWCI", "ed_WartZm", "ed_WartDop", "ed_KrotnWCI", "lb_pWCI"})
        EXPECT_FALSE(f.Enabled(n)) << n;
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
}

// ---- Cold, form 3 ----------------------------------------------------------------------------

class ColdForm3 : public ShippedFormTest
{
protected:
    ShippedForm f{QStringLiteral("mikroklimat_zimny_frm_3.xml")};
    void Outdoors()
    {
        f.Click("ch_PracaZewn");
        f.Enter("ed_Ta", "-10");
        f.Enter("ed_Va", "20");
    }
};

TEST_F(ColdForm3, WindChillMultipleAndAllowedTime)
{
    EXPECT_EQ(f.Value("ed_WartDop"), "-32");
    f.Click("ch_PracaZewn");
    EXPECT_EQ(f.Ratings(), NotDetermined); // no temperature or wind yet
    f.Enter("ed_Ta", "-20");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_Va", "30");
    EXPECT_EQ(f.Value("ed_WartZm"), "-33");
    EXPECT_EQ(f.Value("ed_KrotnTwc"), "1.03");
    EXPECT_EQ(f.Value("ed_CzasNar"), "80");
    EXPECT_EQ(f.Ratings(), (Groups{30, 30, 40, 40}));
    // a milder permitted value: the multiple follows
    f.Enter("ed_WartDop", "-40");
    EXPECT_EQ(f.Value("ed_KrotnTwc"), "0.83");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Enter("ed_WartDop", "0");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.LastNamed(), "ed_WartDop: wartość dopuszczalna musi być liczbą różną od 0");
    f.Enter("ed_WartDop", "-40");
    // the allowed time is written without evaluating the form again
    const int before = f.form.Ratings.size();
    f.Enter("ed_Va", "31");
    EXPECT_EQ(f.form.Ratings.size(), before + 1);
}

TEST_F(ColdForm3, TheAllowedTimeFieldTakesTextQuietly)
{
    // written through the exit handler: it must neither evaluate nor refuse a text
    const storage::TPomiar *item = storage::FindField(f.items, "CzasNar");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->typ(), "edit");
    EXPECT_FALSE(item->onexit);
    EXPECT_FALSE(item->sprpopr());
    EXPECT_TRUE(item->readonly());
}

TEST_F(ColdForm3, AirAtTenDegreesIsRefused)
{
    Outdoors();
    const int before = f.form.Ratings.size();
    f.Enter("ed_Ta", "10");
    EXPECT_EQ(f.form.Messages, QStringList{"Temperatura powietrza musi być mniejsza niż 10°C"});
    EXPECT_EQ(f.form.Focused, "ed_Ta");
    EXPECT_EQ(f.form.Ratings.size(), before);
    EXPECT_EQ(f.Value("ed_WartZm"), "-18");
    // a wind speed typed while the air is still too warm gives no wind chill
    f.Enter("ed_Va", "25");
    EXPECT_EQ(f.Value("ed_WartZm"), "");
    EXPECT_EQ(f.Value("ed_CzasNar"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_Ta", "9.9");
    EXPECT_EQ(f.form.Messages.size(), 1);
    EXPECT_NE(f.Value("ed_WartZm"), "");
}

TEST_F(ColdForm3, ValuesThatGiveNoWindChill)
{
    Outdoors();
    f.Enter("ed_Va", "-5");
    EXPECT_EQ(f.Value("ed_WartZm"), "");
    EXPECT_EQ(f.Value("ed_KrotnTwc"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    f.Enter("ed_Va", "20");
    ASSERT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Enter("ed_Ta", "");
    EXPECT_EQ(f.Value("ed_WartZm"), "");
    EXPECT_EQ(f.Ratings(), NotDetermined);
    EXPECT_TRUE(f.form.Messages.isEmpty());
}

TEST_F(ColdForm3, ANotDeterminedRatingNamesTheValueToMend)
{
    Outdoors();
    f.Enter("ed_Va", "-2");
    ASSERT_EQ(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.LastNamed(), "ed_Va: wartość musi być liczbą nie mniejszą od 0");
    const qsizetype reported = f.Named();
    f.Enter("ed_Va", "20");
    ASSERT_NE(f.Ratings(), NotDetermined);
    EXPECT_EQ(f.Named(), reported) << "a rated form reports nothing";
    // an index out of its range, and a permitted value the user has still to give
    ShippedForm moderate("mikroklimat_um_frm_1.xml");
    moderate.Enter("ed_WartZmPMV", "2.5");
    ASSERT_EQ(moderate.Ratings(), NotDetermined);
    EXPECT_EQ(moderate.LastNamed(), "ed_WartZmPMV: wskaźnik PMV musi być liczbą od -2 do 2");
    ShippedForm cold1("mikroklimat_zimny_frm_1.xml");
    cold1.Enter("ed_WartZm", "1200");
    ASSERT_EQ(cold1.Ratings(), NotDetermined);
    EXPECT_EQ(cold1.LastNamed(), "ed_WartDop: wartość dopuszczalna musi być liczbą większą od 0");
}

TEST_F(ColdForm3, IndoorWorkClearsTheOutdoorValues)
{
    Outdoors();
    f.Enter("ed_IREQmin", "1.5");
    f.Enter("ed_Iclr", "2");
    ASSERT_EQ(f.Ratings(), (Groups{20, 20, 40, 40}));
    f.Click("ch_PracaZewn");
    for (const char *n : {"ed_WartZm", "ed_KrotnTwc", "ed_Va", "ed_Ta"})
        EXPECT_EQ(f.Value(n), "0") << n;
    EXPECT_EQ(f.Value("ed_CzasNar"), " ");
    for (const char *n : {"lb_lWartZm", "lb_lWartDp", "lb_lKrotnTwc", "ed_WartZm", "ed_WartDop", "ed_KrotnTwc",
                          "lb_lCzasNar", "ed_CzasNar", "lb_lTa", "ed_Ta", "lb_lVa", "ed_Va", "lb_ptwc"})
        EXPECT_FALSE(f.Enabled(n)) << n;
    // the clothing alone rates; a permitted value of 0 would have made the zeros large
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    f.form.Fields["ed_WartDop"].value = QStringLiteral("0");
    f.Evaluate("ed_IREQneutral");
    EXPECT_EQ(f.Ratings(), (Groups{10, 10, 40, 40}));
    f.Click("ch_PracaZewn");
    EXPECT_TRUE(f.Enabled("ed_Ta"));
    EXPECT_TRUE(f.Enabled("lb_ptwc"));
}
