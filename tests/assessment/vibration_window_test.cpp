// Vibration and mechanical-hazard measurements entered in the real measurement window,
// headless: the shipped definitions built into pages, values typed and left, boxes clicked
// and items chosen, the ratings the panel shows and stores, saved and read back.

#include "shipped_form_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace shippedforms;

class VibrationWindow : public WindowOnShippedForm
{
protected:
    static std::vector<int> Ratings(const storage::TPomiarCzynn &r)
    {
        return {r.ocenam, r.ocenak, r.ocenakc, r.ocenaml, r.ocenamax, r.ocenakon};
    }
};

TEST_F(VibrationWindow, ClassBoundariesOfVibrationThroughTheHands)
{
    Open(10100, QStringLiteral("drgania_msc"), QStringLiteral("1.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "drgania_msc_Pomiar_01");
    auto *p = frmOcenaRyz();
    Type("ed_RownWartZm", "1.4");
    EXPECT_EQ(Shown("ed_RownKrotn"), "0.5");
    EXPECT_EQ(Shown("ed_RownKrotnMlKc"), "1.4");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 30, 30, 30, 30}));
    EXPECT_TRUE(p->rbOcenaMzczSrednie->isChecked());
    EXPECT_TRUE(p->rbOcenaMldcDuze->isChecked());
    Type("ed_RownWartZm", "2.8");
    EXPECT_EQ(Shown("ed_RownKrotn"), "1");
    EXPECT_TRUE(p->rbOcenaMzczDuze->isChecked());
    Type("ed_RownWartZm", "1.37");
    EXPECT_EQ(Shown("ed_RownKrotn"), "0.49");
    EXPECT_TRUE(p->rbOcenaMzczMale->isChecked());
    Type("ed_RownWartZm", "0.49");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(VibrationWindow, ClearedShortExposureIsSavedAndReadBack)
{
    Open(10100, QStringLiteral("drgania_msc"), QStringLiteral("1.0"));
    Type("ed_RownWartZm", "1.4");
    Type("ed_MaksWartZm", "12");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Click("ch_cbCzasEksp");
    EXPECT_EQ(Shown("ed_MaksWartZm"), "0");
    EXPECT_EQ(Shown("ed_MaksKrotn"), "0");
    EXPECT_EQ(Shown("ed_MaksKrotnMlKc"), "0");
    EXPECT_FALSE(Control<QLineEdit>("ed_MaksWartZm")->isEnabled());
    EXPECT_FALSE(Control<QLineEdit>("ed_MaksWartDopMlKc")->isEnabled());
    EXPECT_FALSE(Control<QLabel>("lb_pMaksSW")->isEnabled());
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 30, 30, 30, 30}));

    const storage::TMeasurementList back = SaveAndReadBack();
    ASSERT_EQ(back.size(), 1u);
    const storage::TPomiarCzynn &r = *back.front();
    EXPECT_EQ(Ratings(r), Stored());
    ASSERT_EQ(r.Fields.size(), m->Fields.size());
    for (size_t i = 0; i < r.Fields.size(); ++i)
        EXPECT_EQ(r.Fields[i]->Value, m->Fields[i]->Value) << r.Fields[i]->nazwa().toStdString();
    EXPECT_EQ(storage::FindField(r.Fields, "cbCzasEksp")->Value, "False");
    EXPECT_EQ(storage::FindField(r.Fields, "RownKrotn")->Value, "0.5");
    EXPECT_EQ(storage::FindField(r.Fields, "MaksWartZm")->Value, "0");
    // read back, the short exposure stays switched off
    EXPECT_FALSE(storage::FindField(r.Fields, "MaksWartZm")->enabled);
    EXPECT_TRUE(storage::FindField(r.Fields, "RownWartZm")->enabled);
}

TEST_F(VibrationWindow, GeneralVibrationForbidsWorkOfPregnantWomen)
{
    Open(10200, QStringLiteral("drgania_ogln"), QStringLiteral("1.0"));
    Type("ed_RownWartDopMl", "0.5");
    Type("ed_MaksWartDopMl", "2");
    Type("ed_RownWartZm", "0.3");
    EXPECT_EQ(Shown("ed_RownKrotn"), "0.38");
    EXPECT_EQ(Shown("ed_RownKrotnMl"), "0.6");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 40, 20, 40, 40}));
    auto *p = frmOcenaRyz();
    EXPECT_FALSE(p->rbOcenaKbtWCDuze->isChecked());
    EXPECT_TRUE(p->rbOcenaMldcSrednie->isChecked());
    const storage::TMeasurementList back = SaveAndReadBack();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(Ratings(*back.front()), Stored());
}

TEST_F(VibrationWindow, GeneralVibrationWithoutPregnantWomenEmployed)
{
    Open(10200, QStringLiteral("drgania_ogln"), QStringLiteral("1.0"), QStringLiteral("0"));
    Type("ed_RownWartZm", "0.8");
    // the juveniles' permitted value is not typed yet: not rated, pregnant women forbidden
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 40, 0, 30, 30}));
    Type("ed_RownWartDopMl", "0.5");
    Type("ed_MaksWartDopMl", "2");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 40, 30, 30, 30}));
}

TEST_F(VibrationWindow, TheValueToMendIsNamedThoughPregnantWomenAreRatedForbidden)
{
    Open(10200, QStringLiteral("drgania_ogln"), QStringLiteral("1.0"));
    Type("ed_RownWartZm", "0.8");
    Type("ed_RownWartDopMl", "0");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 40, 0, 40, 40}));
    // The panel names the juveniles' permitted value by its row, though pregnant women are rated.
    const QString row = QStringLiteral("Wartość ekspozycji dziennej A(8) - równoważna energetycznie dla 8 godzin "
                                       "działania wartość skuteczna ważonego przyspieszenia drgań [m/s^2]");
    EXPECT_EQ(frmOcenaRyz()->NotDeterminedReason(),
              QStringLiteral("Ryzyko nie zostało określone: pole „%1 - młodociani: Wartość dopuszczalna” ma niepoprawną wartość „0” "
                             "(wartość dopuszczalna musi być liczbą większą od 0).")
                  .arg(row));
    EXPECT_FALSE(frmOcenaRyz()->lBrakOceny->isHidden());
    Type("ed_RownWartDopMl", "0.5");
    Type("ed_MaksWartDopMl", "2");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 40, 30, 40, 40}));
    EXPECT_TRUE(frmOcenaRyz()->lBrakOceny->isHidden());
    Type("ed_RownWartZm", "-1");
    EXPECT_EQ(frmOcenaRyz()->NotDeterminedReason(),
              QStringLiteral("Ryzyko nie zostało określone: pole „%1: Wartość zmierzona” ma niepoprawną wartość „-1” (wartość zmierzona "
                             "musi być liczbą nie mniejszą od 0).")
                  .arg(row));
}

TEST_F(VibrationWindow, MechanicalRequirementsRatedSavedAndReadBack)
{
    Open(4000, QStringLiteral("mechaniczne"), QStringLiteral("1.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "mechaniczne_Pomiar_01");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    ASSERT_TRUE(Control<QCheckBox>("ch_cbIstotne8"));
    EXPECT_EQ(Control<QComboBox>("cb_cCNast")->currentIndex(), -1);
    Type("ed_CzasPracy", "0");
    Choose("cb_cCNast", 1);
    Choose("cb_cWaga1", 1);
    Choose("cb_cWartosc1", 0);
    Choose("cb_cWaga2", 2);
    Choose("cb_cWartosc2", 2);
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10})); // nothing applies yet: W 0
    Click("ch_cbIstotne1");
    Click("ch_cbIstotne2");
    EXPECT_EQ(Shown("ed_WartWyl"), "0.4"); // x = 0: W = 1 - 3 / 5
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    Choose("cb_cWartosc1", 2);
    Choose("cb_cWartosc2", 0);
    EXPECT_EQ(Shown("ed_WartWyl"), "0.6");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Type("ed_CzasPracy", "8");
    EXPECT_EQ(Shown("ed_WartWyl"), "0.692"); // 1 - 0.4 / 1.3
    Type("ed_CzasEksp", "0");
    EXPECT_EQ(Shown("ed_WartWyl"), "");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    Type("ed_CzasEksp", "2");
    EXPECT_EQ(Shown("ed_WartWyl"), "0.625");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    EXPECT_TRUE(prompter.boxes.isEmpty());

    const storage::TMeasurementList back = SaveAndReadBack();
    ASSERT_EQ(back.size(), 1u);
    const storage::TPomiarCzynn &r = *back.front();
    EXPECT_EQ(Ratings(r), Stored());
    EXPECT_TRUE(storage::SameFields(m->Fields, r.Fields));
    EXPECT_EQ(storage::FindField(r.Fields, "cbIstotne2")->Value, "True");
    EXPECT_EQ(storage::FindField(r.Fields, "cbIstotne3")->Value, "False");
    EXPECT_EQ(storage::FindField(r.Fields, "cWartosc1")->Value, Control<QComboBox>("cb_cWartosc1")->itemText(2));
    EXPECT_EQ(storage::FindField(r.Fields, "WartWyl")->Value, "0.625");
}
