// Microclimate measurements entered in the real measurement window, headless: the shipped
// definitions built into pages, choices made and values typed, the fields and ratings the
// window shows and stores, saved and read back.

#include "shipped_form_fixture.h"

#include "storage/measurement_files.h"

#include <QCheckBox>
#include <QDir>
#include <QRadioButton>

using namespace shippedforms;

class MicroclimateWindow : public WindowOnShippedForm
{
protected:
    static QString Stored(const storage::TPomiarCzynn &r, const char *name)
    {
        const storage::TPomiar *f = storage::FindField(r.Fields, name);
        return f ? f->Value : QStringLiteral("<missing>");
    }
    using WindowOnShippedForm::Stored;
};

TEST_F(MicroclimateWindow, HotMicroclimateFollowsTheClassAndIsStored)
{
    Open(50001, QStringLiteral("mikroklimat_goracy"), QStringLiteral("1.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(Control<QComboBox>("cb_cKlasaMetabol")->currentIndex(), -1);
    EXPECT_EQ(Shown("ed_WartDop"), "18");
    Choose("cb_cKlasaMetabol", 3);
    auto *air = Control<QComboBox>("cb_cRuchPow");
    ASSERT_EQ(air->count(), 2);
    EXPECT_EQ(air->currentIndex(), 0);
    EXPECT_EQ(Shown("ed_WartDop"), "26");
    Type("ed_WartZm", "26");
    EXPECT_EQ(Shown("ed_Krotn"), "1");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 40, 40, 40, 40}));
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaMzczSrednie->isChecked());
    Choose("cb_cRuchPow", 1);
    EXPECT_EQ(Shown("ed_WartDop"), "25");
    EXPECT_EQ(Shown("ed_Krotn"), "1.04");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 40, 40, 40, 40}));
    Type("ed_WartZm", "15");
    EXPECT_EQ(Shown("ed_Krotn"), "0.6");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 40, 20, 40, 40}));
    EXPECT_TRUE(prompter.boxes.isEmpty());

    const auto back = SavedMeasurement();
    ASSERT_TRUE(back);
    const storage::TPomiarCzynn &r = *back;
    EXPECT_TRUE(Stored(r, "cKlasaMetabol").startsWith("Klasa 3"));
    EXPECT_EQ(Stored(r, "cRuchPow"), "Niewyczuwalny ruch powietrza");
    EXPECT_EQ(storage::FindField(r.Fields, "cRuchPow")->ChoiceNr, 2);
    EXPECT_EQ(Stored(r, "WartDop"), "25");
    EXPECT_EQ(Stored(r, "Krotn"), "0.6");
    // shown again from the file: the second list with its stored choice
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(back->Fields);
    air = Control<QComboBox>("cb_cRuchPow");
    ASSERT_TRUE(air);
    EXPECT_EQ(air->count(), 2);
    EXPECT_EQ(air->currentIndex(), 1);
    EXPECT_TRUE(air->isEnabled());
    EXPECT_EQ(Control<QComboBox>("cb_cKlasaMetabol")->currentIndex(), 3);
}

TEST_F(MicroclimateWindow, ModerateMicroclimate)
{
    Open(50003, QStringLiteral("mikroklimat_um"), QStringLiteral("1.0"));
    Type("ed_WartZmPMV", "-2");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    Type("ed_WartZmPMV", "2");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    Type("ed_WartZmPMV", "2.01");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    Type("ed_WartZmPMV", "0.5");
    Type("ed_WartZmPMV", "");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(MicroclimateWindow, WindChillOutdoorsThenIndoors)
{
    Open(50002, QStringLiteral("mikroklimat_zimny"), QStringLiteral("3.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(win->MeasurementPages().FormName(), "mikroklimat_zimny_Pomiar_03");
    // indoor work as loaded: the outdoor values cannot be typed
    EXPECT_FALSE(Control<QLineEdit>("ed_Ta")->isEnabled());
    auto *box = Control<QCheckBox>("ch_PracaZewn");
    ASSERT_TRUE(box);
    box->click();
    EXPECT_TRUE(Control<QLineEdit>("ed_Ta")->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>("ed_Va")->isEnabled());
    Type("ed_Ta", "-10");
    Type("ed_Va", "20");
    EXPECT_EQ(Shown("ed_WartZm"), "-18");
    EXPECT_EQ(Shown("ed_KrotnTwc"), "0.56");
    EXPECT_EQ(Shown("ed_CzasNar"), "Eksp. ciągła");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 40, 40, 40, 40}));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    {
        const auto back = SavedMeasurement();
        ASSERT_TRUE(back);
        const storage::TPomiarCzynn &r = *back;
        EXPECT_EQ(Stored(r, "CzasNar"), "Eksp. ciągła");
        EXPECT_EQ(Stored(r, "WartZm"), "-18");
        EXPECT_EQ(Stored(r, "KrotnTwc"), "0.56");
        EXPECT_EQ(Stored(r, "PracaZewn"), "True");
        EXPECT_TRUE(storage::FindField(r.Fields, "Ta")->enabled);
    }

    // air too warm for a wind chill: the message, and the ratings stay
    Type("ed_Ta", "10");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "Temperatura powietrza musi być mniejsza niż 10°C");
    EXPECT_EQ(Shown("ed_WartZm"), "-18");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 40, 40, 40, 40}));

    box->click();
    EXPECT_EQ(Shown("ed_Ta"), "0");
    EXPECT_EQ(Shown("ed_Va"), "0");
    EXPECT_EQ(Shown("ed_WartZm"), "0");
    EXPECT_EQ(Shown("ed_KrotnTwc"), "0");
    EXPECT_EQ(Shown("ed_CzasNar"), " ");
    EXPECT_FALSE(Control<QLineEdit>("ed_Ta")->isEnabled());
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 40, 40, 40, 40}));
    EXPECT_EQ(prompter.boxes.size(), 1);
    {
        const auto back = SavedMeasurement();
        ASSERT_TRUE(back);
        const storage::TPomiarCzynn &r = *back;
        EXPECT_EQ(Stored(r, "CzasNar"), " ");
        EXPECT_EQ(Stored(r, "PracaZewn"), "False");
        EXPECT_EQ(Stored(r, "WartZm"), "0");
        EXPECT_FALSE(storage::FindField(r.Fields, "Ta")->enabled);
        EXPECT_EQ(r.ocenam, 10);
    }
}
