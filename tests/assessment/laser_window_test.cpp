// Laser measurements entered in the real measurement window, headless: both shipped forms
// built into pages, choices made and values typed, the permitted values, multiples, captions
// and ratings the window shows and stores, the messages, saved and read back.

#include "shipped_form_fixture.h"

using namespace shippedforms;

class LaserWindow : public WindowOnShippedForm
{
protected:
    bool Enabled(const QString &name)
    {
        auto *w = win->MeasurementPages().Pages()->findChild<QWidget *>(name);
        return w && w->isEnabled();
    }
    static int HeaderChoice(const storage::TPomiarCzynn &m, const char *name)
    {
        for (const auto &f : m.Fields)
            if (f->typ() == QLatin1String("naglowek") && f->nazwa() == QLatin1String(name))
                return f->ChoiceNr;
        return -1;
    }
    using Six = std::vector<int>;
};

TEST_F(LaserWindow, Form1PermittedValuesOfTheEyeAndTheSkin)
{
    Open(50006, QStringLiteral("prm_laser"), QStringLiteral("1.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "prm_laser_Pomiar_01");
    Type("ed_DlugFal", "1064");
    Type("ed_CzasEksp", "1e-10");
    EXPECT_EQ(Shown("ed_WartDop"), "5.0E+7");
    EXPECT_EQ(Caption("lb_lParam"), "Natężenie napromienienia E [W/m2]");
    EXPECT_EQ(Stored(), (Six{0, 0, 0, 0, 0, 0})); // nothing measured yet
    // the measured value at 0.8 of the permitted one: medium
    Type("ed_SrEksp", "4e7");
    EXPECT_EQ(Shown("ed_WartZm"), "4.0E+7");
    EXPECT_EQ(Shown("ed_Krotn"), "0.8");
    EXPECT_EQ(Stored(), (Six{20, 20, 20, 20, 20, 20}));
    Type("ed_SrEksp", "3.9e7");
    EXPECT_EQ(Stored(), (Six{10, 10, 10, 10, 10, 10}));

    // the skin: its list of sources, then 2000 W/m2 at 100 s
    Choose("cb_cDzialanie", 1);
    EXPECT_EQ(Control<QComboBox>("cb_cZrodlo")->count(), 1);
    Type("ed_CzasEksp", "100");
    EXPECT_EQ(Shown("ed_WartDop"), "2000");
    Type("ed_SrEksp", "2500");
    EXPECT_EQ(Shown("ed_Krotn"), "1.25");
    EXPECT_EQ(Stored(), (Six{30, 30, 30, 30, 30, 30}));
    // 310 nm at T1: C1, where it meets C2
    Type("ed_DlugFal", "310");
    Type("ed_CzasEksp", "0.001");
    EXPECT_EQ(Shown("ed_WartDop"), "996");
    EXPECT_EQ(Caption("lb_lParam"), "Napromienienie N [J/m2]");
    EXPECT_TRUE(prompter.boxes.isEmpty());

    auto back = SavedMeasurement();
    ASSERT_TRUE(back);
    EXPECT_EQ(storage::FindField(back->Fields, "WartDop")->Value, "996");
    EXPECT_EQ(storage::FindField(back->Fields, "cDzialanie")->Value, " na skórę ");
    EXPECT_EQ(storage::FindField(back->Fields, "cZrodlo")->ChoiceNr, 2);
    EXPECT_EQ(HeaderChoice(*back, "lParam"), 1);
}

TEST_F(LaserWindow, Form1ChecksOfTheFieldLeftAndTimesAtTheEndOfTheTable)
{
    Open(50006, QStringLiteral("prm_laser"), QStringLiteral("1.0"));
    Choose("cb_cDzialanie", 1);
    Type("ed_DlugFal", "1064");
    Type("ed_SrEksp", "100");
    Type("ed_CzasEksp", "30000"); // the last class holds it
    EXPECT_EQ(Shown("ed_WartDop"), "2000");
    EXPECT_EQ(Stored(), (Six{10, 10, 10, 10, 10, 10}));
    EXPECT_TRUE(prompter.boxes.isEmpty());

    Type("ed_CzasEksp", "30001");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "Czas ekspozycji nie może być większy niż 3e4 s");
    EXPECT_EQ(prompter.boxes[0].caption, "Nieprawidłowy czas ekspozycji");
    EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Error);
    EXPECT_EQ(Stored(), (Six{10, 10, 10, 10, 10, 10})); // not rated again

    Type("ed_CzasEksp", "100");
    Type("ed_DlugFal", "179");
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(prompter.boxes[1].text, "Długość fali musi być z zakresu od 180 do 1e6 nm");
    EXPECT_EQ(prompter.boxes[1].caption, "Nieprawidłowa długość fali");
    Type("ed_DlugFal", "180");
    Type("ed_DlugFal", "1000000");
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(Shown("ed_WartDop"), "1000");
    Type("ed_LiczImp", "0");
    ASSERT_EQ(prompter.boxes.size(), 3);
    EXPECT_EQ(prompter.boxes[2].text, "Liczba impulsów musi być większa od 0 ");
    EXPECT_EQ(prompter.boxes[2].caption, "Nieprawidłowa liczba impólsów");

    // the eye about 1.54 um below 1 us: no certain value, nothing written, not rated
    Choose("cb_cDzialanie", 0);
    Type("ed_DlugFal", "1540");
    Type("ed_CzasEksp", "1e-8");
    EXPECT_EQ(Shown("ed_WartDop"), "1000");
    EXPECT_EQ(Stored(), (Six{0, 0, 0, 0, 0, 0}));
}

TEST_F(LaserWindow, Form2SwitchesAndTheTimeMessage)
{
    Open(50006, QStringLiteral("prm_laser"), QStringLiteral("2.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "prm_laser_Pomiar_02");
    EXPECT_FALSE(Enabled("ed_CzestPracy")); // continuous as loaded
    Choose("cb_cPromieniowanie", 1);
    for (const char *name : {"ed_CzestPracy", "ed_CzasImp", "lb_lCzestPracy", "lb_lCzasImp"})
        EXPECT_TRUE(Enabled(name)) << name;
    EXPECT_EQ(Caption("lb_lParam"), "Zmierzone napromienienie pojedynczym impulsem N [J/m2]");
    Type("ed_CzestPracy", "50");
    Choose("cb_cPromieniowanie", 0);
    EXPECT_EQ(Shown("ed_CzestPracy"), "0");
    EXPECT_FALSE(Enabled("ed_CzestPracy"));
    EXPECT_FALSE(Enabled("lb_lCzasImp"));
    EXPECT_EQ(Caption("lb_lParam"), "Zmierzone natężenie napromienienia E [W/m2]");

    Type("ed_DlugFal", "500");
    EXPECT_TRUE(Enabled("ed_KatAlfa"));
    EXPECT_TRUE(Enabled("ed_CalkCzasEksp"));
    Type("ed_KatAlfa", "15");
    Choose("cb_cDzialanie", 0); // the skin: no angle
    EXPECT_EQ(Shown("ed_KatAlfa"), "0");
    EXPECT_FALSE(Enabled("lb_lKatAlfa"));
    Choose("cb_cDzialanie", 1);
    EXPECT_TRUE(Enabled("ed_KatAlfa"));
    Type("ed_CalkCzasEksp", "3600");
    Type("ed_DlugFal", "700");
    EXPECT_EQ(Shown("ed_CalkCzasEksp"), "0");
    EXPECT_FALSE(Enabled("ed_CalkCzasEksp"));
    EXPECT_TRUE(Enabled("ed_KatAlfa"));
    Type("ed_DlugFal", "1500");
    EXPECT_FALSE(Enabled("ed_KatAlfa"));
    EXPECT_TRUE(prompter.boxes.isEmpty());

    Type("ed_DlugFal", "500");
    Type("ed_JednCzasEksp", "100");
    Type("ed_WartZm", "0.5");
    Type("ed_CalkCzasEksp", "50"); // shown, and the rows are filled all the same
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text,
              "Uwaga niepoprawne dane:\nCałkowity czas ekspozycji mniejszy od jednorazowego czasu ekspozycji !!!");
    EXPECT_EQ(Caption("lb_lParam2"), "fotochemiczne  - N [J/m2]");
    EXPECT_EQ(Shown("ed_WartDop2"), "1000"); // 100 C3 below 100 s
    EXPECT_EQ(Shown("ed_WartZm2"), "25");
}

TEST_F(LaserWindow, Form2SkinRowsRatingsAndCaptionsStored)
{
    Open(50006, QStringLiteral("prm_laser"), QStringLiteral("2.0"));
    Choose("cb_cDzialanie", 0);
    Type("ed_DlugFal", "1064");
    Type("ed_JednCzasEksp", "100");
    Type("ed_WartZm", "8000");
    EXPECT_EQ(Shown("ed_WartDop1"), "10000");
    EXPECT_EQ(Shown("ed_WartZm1"), "8000");
    EXPECT_EQ(Shown("ed_Krotn1"), "0.8");
    EXPECT_EQ(Caption("lb_lParam1"), "termiczne  - E [W/m2]");
    EXPECT_EQ(Shown("ed_WartDop2"), "0"); // no photochemical row at 1064 nm
    EXPECT_EQ(Caption("lb_lParam2"), "");
    EXPECT_EQ(Stored(), (Six{20, 20, 20, 40, 40, 40}));

    Type("ed_DlugFal", "500");
    Type("ed_JednCzasEksp", "5e-10");
    Type("ed_CalkCzasEksp", "28800");
    EXPECT_EQ(Shown("ed_WartDop1"), "2.0E+11");
    EXPECT_EQ(Shown("ed_WartDop2"), "2000");
    EXPECT_EQ(Caption("lb_lParam2"), "fotochemiczne  - E [W/m2]");
    EXPECT_EQ(Shown("ed_Krotn2"), "4");
    EXPECT_EQ(Stored(), (Six{30, 30, 30, 40, 40, 40}));

    auto back = SavedMeasurement();
    ASSERT_TRUE(back);
    EXPECT_EQ(storage::FindField(back->Fields, "WartDop1")->Value, "2.0E+11");
    EXPECT_EQ(HeaderChoice(*back, "lParam2"), 4);
    EXPECT_EQ(HeaderChoice(*back, "lParam3"), 1);
    // shown again from the file: the rows keep their captions
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(back->Fields);
    EXPECT_EQ(Caption("lb_lParam2"), "fotochemiczne  - E [W/m2]");
}

TEST_F(LaserWindow, Form2RowsSettleEvenWhenTheirFieldsEvaluateOnExit)
{
    Open(50006, QStringLiteral("prm_laser"), QStringLiteral("2.0"));
    // A definition that let the result fields evaluate: every refill would start the next.
    for (const auto &f : m->Fields)
        if (f->nazwa().startsWith(QLatin1String("WartDop")) || f->nazwa().startsWith(QLatin1String("Krotn")))
            f->onexit = true;
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(m->Fields);
    Type("ed_DlugFal", "1064");
    Type("ed_JednCzasEksp", "100");
    Type("ed_WartZm", "60");
    EXPECT_EQ(Shown("ed_WartDop1"), "50.6");
    EXPECT_EQ(Shown("ed_Krotn1"), "1.19");
    EXPECT_EQ(Stored(), (Six{30, 30, 30, 40, 40, 40}));
}
