// Optical radiation entered in the real measurement window, headless: the shipped forms built
// into pages, times and values typed and left, the permitted values and multiples as shown,
// the ratings the panel stores, the skin-time message, the caption the rule picks, and a
// measurement saved and read back.

#include "shipped_form_fixture.h"

#include "assessment/rules/optical_radiation.h"
#include "storage/measurement_files.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>

using namespace shippedforms;

class OpticalWindow : public WindowOnShippedForm
{
};

TEST_F(OpticalWindow, InfraredForm1WorkedExamples)
{
    Open(50005, QStringLiteral("prm_podczerwone"), QStringLiteral("1.0"));
    for (const char *m : {"ed_SiatWartZm", "ed_RogartZm", "ed_TwWartZm", "ed_ReceWartZm"})
        Type(m, "0");
    Type("ed_RogCzas", "1");
    EXPECT_EQ(Shown("ed_RogWartDp"), "18000");
    Type("ed_TwSiatCzas", "10");
    EXPECT_EQ(Shown("ed_TwWartDp"), "35566");
    Type("ed_Zrodlo", "0.01");
    Type("ed_SiatCzas", "0.25");
    EXPECT_EQ(Shown("ed_SiatWartDp"), "707");
    Type("ed_SiatCzas", "0.5");
    EXPECT_EQ(Shown("ed_SiatWartDp"), "595");
    Type("ed_SiatWartZm", "500");
    EXPECT_EQ(Shown("ed_SiatKrotn"), "0.84");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 40, 40, 40}));
    // the multiple of the skin is taken against the limit as shown, 35566
    Type("ed_TwWartZm", "35566");
    EXPECT_EQ(Shown("ed_TwKrotn"), "1");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 40, 40, 40}));
    Type("ed_RogartZm", "18001");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 40, 40, 40}));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(OpticalWindow, InfraredForm2RatesAgainstTheLimitAsShown)
{
    Open(50005, QStringLiteral("prm_podczerwone"), QStringLiteral("2.0"));
    for (const char *m : {"ed_SiatWartZm", "ed_RogartZm", "ed_TwWartZm", "ed_ReceWartZm"})
        Type(m, "0");
    auto *stimulus = Control<QComboBox>("cb_cBodziec");
    ASSERT_TRUE(stimulus);
    ASSERT_EQ(stimulus->count(), 2);
    EXPECT_EQ(stimulus->currentIndex(), 0);
    Type("ed_Zrodlo", "0.5");
    Type("ed_SiatCzas", "0.5");
    EXPECT_EQ(Shown("ed_SiatWartDp"), "3.5E+7"); // 34976000 for a source of 1.7 mrad
    // above 34976000 but not above the 3.5E+7 the user sees: medium, not large
    Type("ed_SiatWartZm", "34980000");
    EXPECT_EQ(Shown("ed_SiatKrotn"), "1");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 40, 40, 40}));
    // the weak stimulus: a source of at least 11 mrad
    stimulus->setCurrentIndex(1);
    win->MeasurementPages().ChangeField(stimulus);
    EXPECT_EQ(Shown("ed_SiatWartDp"), "5.4E+6"); // 5e7 / (11 · 0.5^0.25)
    EXPECT_EQ(Shown("ed_SiatKrotn"), "6.48");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 40, 40, 40}));
}

TEST_F(OpticalWindow, SkinTimeAboveTenSecondsIsRefusedWithTheMessage)
{
    Open(50005, QStringLiteral("prm_podczerwone"), QStringLiteral("2.0"));
    for (const char *m : {"ed_SiatWartZm", "ed_RogartZm", "ed_ReceWartZm"})
        Type(m, "0");
    Type("ed_TwSiatCzas", "10");
    Type("ed_TwWartZm", "40000");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 30, 40, 40, 40}));
    Type("ed_TwSiatCzas", "10.5");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes.first().text, assessment::rules::SkinTimeMessage());
    EXPECT_TRUE(prompter.boxes.first().text.contains("podczerwonego \nwartość czasu"));
    EXPECT_EQ(Shown("ed_TwWartZm"), "0");
    EXPECT_EQ(Shown("ed_TwKrotn"), "0");
    EXPECT_EQ(storage::FindField(m->Fields, "TwWartZm")->Value, "0");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 40, 40, 40}));
}

TEST_F(OpticalWindow, UltravioletRatesJuvenilesForbiddenWhereTheyAreEmployed)
{
    Open(50004, QStringLiteral("prm_nadfioletowe"), QStringLiteral("1.0"));
    EXPECT_EQ(Shown("ed_NSOczyWartDp"), "30");
    for (const char *kc : {"ed_NSTwarzWartDpKc", "ed_NSReceWartDpKc", "ed_NSOczyWartDpKc", "ed_NPWartDpKc"})
        Type(kc, "10");
    Type("ed_NSTwarzWartZm", "6");
    Type("ed_NSReceWartZm", "6");
    Type("ed_NSOczyWartZm", "2");
    Type("ed_NPWartZm", "9000");
    EXPECT_EQ(Shown("ed_NPKrotn"), "0.9");
    EXPECT_EQ(Shown("ed_NPKrotnKc"), "900");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 30, 40, 40, 40}));
}

TEST_F(OpticalWindow, VisibleForm2CaptionThermalSwitchAndReadBack)
{
    Open(50008, QStringLiteral("prm_widzialne"), QStringLiteral("2.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    // unticked as loaded: the thermal values cannot be typed
    EXPECT_FALSE(Control<QLineEdit>("ed_TOCzas")->isEnabled());
    Type("ed_FOWymiar", "5");
    Type("ed_FOCzas", "400");
    EXPECT_EQ(Caption("lb_lFOParam"), "Skuteczne natężenie napromienienia Eb [Wm^-2]");
    EXPECT_EQ(Shown("ed_FOWartDop"), "0.25");
    Type("ed_FOWartZm", "0.21");
    EXPECT_EQ(Shown("ed_FOKrotn"), "0.84");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));

    auto *thermal = Control<QCheckBox>("ch_cbZagrTO");
    ASSERT_TRUE(thermal);
    thermal->click();
    EXPECT_TRUE(Control<QLineEdit>("ed_TOCzas")->isEnabled());
    EXPECT_TRUE(Control<QLabel>("lb_TOParam")->isEnabled());
    Type("ed_TOWymiar", "0.5");
    Type("ed_TOCzas", "0.5");
    EXPECT_EQ(Shown("ed_TOWartDop"), "3.5E+7");
    Type("ed_TOWartZm", "40000000");
    EXPECT_EQ(Shown("ed_TOKrotn"), "1.14");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));

    const auto back = SavedMeasurement();
    ASSERT_TRUE(back);
    EXPECT_EQ(
        (std::vector<int>{back->ocenam, back->ocenak, back->ocenakc, back->ocenaml, back->ocenamax, back->ocenakon}),
        Stored());
    EXPECT_EQ(storage::FindField(back->Fields, "lFOParam")->ChoiceNr, 2);
    EXPECT_EQ(storage::FindField(back->Fields, "TOWartDop")->Value, "3.5E+7");
    EXPECT_EQ(storage::FindField(back->Fields, "cbZagrTO")->Value, "True");
    ASSERT_EQ(m->Fields.size(), back->Fields.size());
    for (size_t i = 0; i < m->Fields.size(); ++i) {
        EXPECT_EQ(m->Fields[i]->Value, back->Fields[i]->Value) << m->Fields[i]->nazwa().toStdString();
        EXPECT_EQ(m->Fields[i]->ChoiceNr, back->Fields[i]->ChoiceNr) << m->Fields[i]->nazwa().toStdString();
    }

    // shown again: the chosen caption and the thermal fields as saved
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(back->Fields);
    EXPECT_EQ(Caption("lb_lFOParam"), "Skuteczne natężenie napromienienia Eb [Wm^-2]");
    EXPECT_TRUE(Control<QLineEdit>("ed_TOCzas")->isEnabled());
    EXPECT_EQ(Shown("ed_TOKrotn"), "1.14");
    // back to the measurement's own items before the ones read back go
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(m->Fields);
}

TEST_F(OpticalWindow, VisibleForm1ThermalWorkedExample)
{
    Open(50008, QStringLiteral("prm_widzialne"), QStringLiteral("1.0"));
    Control<QCheckBox>("ch_cbZagrTO")->click();
    Type("ed_TOWymiar", "0.01");
    Type("ed_TOCzas", "0.25");
    EXPECT_EQ(Shown("ed_TOWartDop"), "707");
    // shown as 0.8 of the limit, yet not above 0.8 of it: small
    Type("ed_TOWartZm", "565");
    EXPECT_EQ(Shown("ed_TOKrotn"), "0.8");
    Type("ed_FOWymiar", "20");
    Type("ed_FOCzas", "20000");
    EXPECT_EQ(Caption("lb_lFOParam"), "Skuteczna luminancja energetyczna Ls [Wcm^-2sr^-1]");
    EXPECT_EQ(Shown("ed_FOWartDop"), "0.01");
    Type("ed_FOWartZm", "0.001");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    Type("ed_TOWartZm", "567");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
}
