// Noise measurements entered in the real measurement window, headless: the shipped form
// definitions built into pages, values typed and left, the multiples and the ratings the
// panel shows and stores, saved and read back.

#include "shipped_form_fixture.h"

#include "assessment/frm_nowy_pomiar.h"
#include "assessment/rules/noise.h"
#include "storage/measurement_files.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace shippedforms;

class NoiseWindow : public WindowOnShippedForm
{
};

TEST_F(NoiseWindow, AudibleNoiseIsRatedForEveryGroupAndStored)
{
    Open(30001, QStringLiteral("halas_fizyczny"), QStringLiteral("1.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(Shown("ed_PEWartDop"), "85");
    EXPECT_EQ(Shown("ed_PEWartDopMl"), "80");
    EXPECT_EQ(Shown("ed_PEWartDopKc"), "65");
    Type("ed_PEWartZm", "78");
    EXPECT_EQ(Shown("ed_PEKrotn"), "0.2");
    EXPECT_EQ(Shown("ed_PEKrotnMl"), "0.63");
    EXPECT_EQ(Shown("ed_PEKrotnKc"), "20");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 30, 20, 30, 30}));
    auto *p = frmOcenaRyz();
    EXPECT_TRUE(p->rbOcenaMzczMale->isChecked());
    EXPECT_TRUE(p->rbOcenaKbtMale->isChecked());
    EXPECT_TRUE(p->rbOcenaKbtWCDuze->isChecked());
    EXPECT_TRUE(p->rbOcenaMldcSrednie->isChecked());
    EXPECT_TRUE(p->rbOcenaKompDuze->isChecked());
    EXPECT_TRUE(p->rbOcenaKoncDuze->isChecked());
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(NoiseWindow, ClassBoundariesAsTheUserSeesThem)
{
    Open(30001, QStringLiteral("halas_fizyczny"), QStringLiteral("1.0"));
    auto *p = frmOcenaRyz();
    Type("ed_PEWartZm", "85");
    EXPECT_EQ(Shown("ed_PEKrotn"), "1");
    EXPECT_TRUE(p->rbOcenaMzczSrednie->isChecked());
    Type("ed_PEWartZm", "82");
    EXPECT_EQ(Shown("ed_PEKrotn"), "0.5");
    EXPECT_TRUE(p->rbOcenaMzczSrednie->isChecked());
    Type("ed_PEWartZm", "81.9");
    EXPECT_EQ(Shown("ed_PEKrotn"), "0.49");
    EXPECT_TRUE(p->rbOcenaMzczMale->isChecked());
    Type("ed_PEWartZm", "85.1");
    EXPECT_EQ(Shown("ed_PEKrotn"), "1.02");
    EXPECT_TRUE(p->rbOcenaMzczDuze->isChecked());
}

TEST_F(NoiseWindow, TheCombinedRatingCountsOnlyTheGroupsEmployed)
{
    Open(30001, QStringLiteral("halas_fizyczny"), QStringLiteral("1.0"), QStringLiteral("0"));
    Type("ed_PEWartZm", "78");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 30, 20, 10, 10}));
}

TEST_F(NoiseWindow, SavedAndReadBackUnchanged)
{
    Open(30001, QStringLiteral("halas_fizyczny"), QStringLiteral("1.0"));
    Type("ed_PEWartZm", "88");
    Type("ed_MaksWartZm", "112");
    Type("ed_SzWartZm", "129");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    ASSERT_TRUE(QDir().mkpath(folder.FilePath("zaklocen/stan_9")));
    ASSERT_TRUE(storage::WriteMeasurementFile(QStringLiteral("zaklocen\\stan_9\\"),
                                              QStringLiteral("halas_fizyczny_dane"), {factor}));
    storage::TMeasurementList back;
    storage::ReadMeasurements(QStringLiteral("zaklocen\\stan_9\\"), QStringLiteral("halas_fizyczny"), back, 30001,
                              QStringLiteral("zaklocen\\frm\\"));
    ASSERT_EQ(back.size(), 1u);
    const storage::TPomiarCzynn &r = *back.front();
    EXPECT_EQ((std::vector<int>{r.ocenam, r.ocenak, r.ocenakc, r.ocenaml, r.ocenamax, r.ocenakon}), Stored());
    for (const char *n : {"PEWartZm", "PEKrotn", "PEKrotnMl", "PEKrotnKc", "MaksWartZm", "MaksKrotn", "MaksKrotnMlKc",
                          "SzWartZm", "SzKrotn", "SzKrotnMlKc", "PEWartDop", "PEWartDopKc"}) {
        const storage::TPomiar *a = storage::FindField(m->Fields, n);
        const storage::TPomiar *b = storage::FindField(r.Fields, n);
        ASSERT_TRUE(a && b) << n;
        EXPECT_EQ(a->Value, b->Value) << n;
    }
    EXPECT_EQ(storage::FindField(r.Fields, "PEKrotn")->Value, "2");
    EXPECT_EQ(storage::FindField(r.Fields, "SzKrotn")->Value, "0.5");
    EXPECT_TRUE(storage::SameFields(m->Fields, r.Fields));
}

TEST_F(NoiseWindow, LevelsThatCannotBeRatedLeaveTheRatingNotDetermined)
{
    Open(30001, QStringLiteral("halas_fizyczny"), QStringLiteral("1.0"));
    Type("ed_PEWartZm", "88");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Type("ed_PEWartZm", "");
    EXPECT_EQ(Shown("ed_PEKrotn"), "");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(frmOcenaRyz()->rbOcenaKompDuze->isChecked());
    EXPECT_TRUE(prompter.boxes.isEmpty());
    Type("ed_PEWartZm", "88");
    Type("ed_PEWartZm", "-3");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    Type("ed_PEWartZm", "88");
    Type("ed_PEWartDopKc", "0");
    EXPECT_EQ(Shown("ed_PEKrotnKc"), "");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 0, 30, 0, 0})); // pregnant women employed, not rated
    EXPECT_TRUE(prompter.boxes.isEmpty());
    // The panel says which value to mend, by the row the user sees it in.
    EXPECT_EQ(frmOcenaRyz()->NotDeterminedReason().toStdString(),
              "Ryzyko nie zostało określone: pole „Poziom ekspozycji na hałas odniesiony do 8-godzinnego dobowego "
              "wymiaru czasu pracy LEX,8h [dB] - kobiety w ciąży: Wartość dopuszczalna” ma niepoprawną wartość „0” (wartość dopuszczalna "
              "musi być liczbą większą od 0).");
    EXPECT_FALSE(frmOcenaRyz()->lBrakOceny->isHidden());
    // text that is no number is refused by the window before any rule sees it
    Type("ed_PEWartDopKc", "65");
    ASSERT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    EXPECT_TRUE(frmOcenaRyz()->NotDeterminedReason().isEmpty());
    EXPECT_TRUE(frmOcenaRyz()->lBrakOceny->isHidden());
    Type("ed_PEWartZm", "abc");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "Niepoprawny format wprowadzonej danej liczbowej!");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
}

TEST_F(NoiseWindow, NuisanceNoiseFollowsTheChosenRoom)
{
    Open(30004, QStringLiteral("halas_uciazliwy"), QStringLiteral("1.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    auto *cb = Control<QComboBox>("cb_cWartDop");
    ASSERT_TRUE(cb);
    ASSERT_EQ(cb->count(), 3);
    EXPECT_EQ(cb->currentIndex(), 0);
    cb->setCurrentIndex(2);
    win->MeasurementPages().ChangeField(cb);
    Type("ed_PEWartZm", "58");
    EXPECT_EQ(Shown("ed_PEKrotn"), "2");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    EXPECT_TRUE(storage::FindField(m->Fields, "cWartDop")->Value.startsWith("55 dB"));
    cb->setCurrentIndex(0);
    win->MeasurementPages().ChangeField(cb);
    EXPECT_EQ(Shown("ed_PEKrotn"), "0.02");
    EXPECT_EQ(Shown("ed_PEWartZm"), "58");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
}

TEST_F(NoiseWindow, TheConcentrationBoxSwitchesItsFields)
{
    Open(30005, QStringLiteral("halas_infra_uc"), QStringLiteral("1.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    auto *box = Control<QCheckBox>("ch_Koncentr");
    ASSERT_TRUE(box);
    // unticked as loaded: the concentration level cannot be typed
    EXPECT_FALSE(Control<QLineEdit>("ed_PCCzasWartZm")->isEnabled());
    box->click();
    EXPECT_TRUE(Control<QLineEdit>("ed_PCCzasWartZm")->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>("ed_PCCzasWartDp")->isEnabled());
    Type("ed_PCCzasWartDp", "86");
    Type("ed_PCCzasWartZm", "89");
    EXPECT_EQ(Shown("ed_PCCzasKrotn"), "2");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    box->click();
    EXPECT_EQ(Shown("ed_PCCzasWartZm"), "0");
    EXPECT_EQ(Shown("ed_PCCzasKrotn"), "0");
    EXPECT_FALSE(Control<QLineEdit>("ed_PCCzasWartZm")->isEnabled());
    EXPECT_EQ(storage::FindField(m->Fields, "Koncentr")->Value, "False");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
}

TEST_F(NoiseWindow, UltrasonicNoiseRatesEveryBand)
{
    Open(30003, QStringLiteral("halas_ultra"), QStringLiteral("2.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(win->MeasurementPages().FormName(), "halas_ultra_Pomiar_02");
    for (const QString &b : assessment::rules::UltrasonicBands()) {
        Type("ed_PCWartDopKcMl" + b, "77");
        Type("ed_PMWartDopKc" + b, "97");
    }
    Type("ed_PCWartZm_31", "108");
    EXPECT_EQ(Shown("ed_PCKrotn_31"), "0.63");
    EXPECT_EQ(Shown("ed_PCKrotnKcMl_31"), "1259");
    EXPECT_EQ(Shown("ed_PCKrotn_10"), "0");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 30, 30, 30, 30}));
    Type("ed_PMWartZm_10", "99");
    EXPECT_EQ(Shown("ed_PMKrotn_10"), "0.89");
    EXPECT_EQ(Shown("ed_PMKrotnKc_10"), "1.26");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 30, 30, 30, 30}));
}

// ---- The whole course on the shipped sample data ------------------------------------------------

class NoiseOnSampleData : public WindowOnSampleData
{
protected:
    const QString Office = QStringLiteral("Pracownik biurowy - dział kadr i płac");
    const QString Factor = QStringLiteral("Hałas w pomieszczeniach wymagających koncentracji uwagi");

    void SetUp() override
    {
        WindowOnSampleData::SetUp();
        assessment::TfrmNowyPomiar::SetRunner([](assessment::TfrmNowyPomiar &d) {
            d.setResult(0);
            d.dtPicker->setDate(QDate(2022, 5, 4));
            d.eMscPom->setText(QStringLiteral("Pokój 12"));
            d.eWykPom->setText(QStringLiteral("Jan Kowalski"));
            d.bOk->click();
            if (d.result() != QDialog::Accepted)
                d.bAnul->click();
            return d.result();
        });
        Restart();
    }
    // The program started afresh on the same files, on the office workstation's noise.
    void Restart()
    {
        Start();
        ChooseWorkstation(Office);
        ChooseFactor(Factor);
    }
};

TEST_F(NoiseOnSampleData, RecordedSavedAndFoundAgainAfterARestart)
{
    win->New();
    storage::TPomiarCzynn *m = win->SelectedMeasurement();
    ASSERT_TRUE(m);
    EXPECT_EQ(win->MeasurementPages().FormName(), "halas_uciazliwy_Pomiar_01");
    auto *cb = qobject_cast<QComboBox *>(win->MeasurementPages().FindField("cb_cWartDop"));
    ASSERT_TRUE(cb);
    cb->setCurrentIndex(2);
    win->MeasurementPages().ChangeField(cb);
    Type("ed_PEWartZm", "58");
    Type("ed_MaksWartZm", "112");
    EXPECT_EQ(Edit("ed_PEKrotn")->text(), "2");
    EXPECT_EQ(Edit("ed_MaksKrotn")->text(), "0.71");
    EXPECT_EQ(Edit("ed_MaksKrotnMlKc")->text(), "1.26");
    // men, women and pregnant women work there in 2022
    EXPECT_EQ((std::vector<int>{m->ocenam, m->ocenak, m->ocenakc, m->ocenaml, m->ocenamax, m->ocenakon}),
              (std::vector<int>{30, 30, 30, 30, 30, 30}));
    ASSERT_TRUE(win->Save());
    appstate::State().SetModified(false);
    EXPECT_TRUE(prompter.boxes.isEmpty());

    Restart();
    const auto entries = lbPomiar(*win)->findItems("2022-05-04", Qt::MatchExactly);
    ASSERT_EQ(entries.size(), 1);
    lbPomiar(*win)->setCurrentItem(entries.first());
    m = win->SelectedMeasurement();
    ASSERT_TRUE(m);
    EXPECT_EQ((std::vector<int>{m->ocenam, m->ocenak, m->ocenakc, m->ocenaml, m->ocenamax, m->ocenakon}),
              (std::vector<int>{30, 30, 30, 30, 30, 30}));
    ASSERT_TRUE(Edit("ed_PEWartZm"));
    EXPECT_EQ(Edit("ed_PEWartZm")->text(), "58");
    EXPECT_EQ(Edit("ed_PEKrotn")->text(), "2");
    EXPECT_EQ(Edit("ed_MaksKrotnMlKc")->text(), "1.26");
    cb = qobject_cast<QComboBox *>(win->MeasurementPages().FindField("cb_cWartDop"));
    ASSERT_TRUE(cb);
    EXPECT_EQ(cb->currentIndex(), 2);
    EXPECT_TRUE(cb->isEnabled());
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaKbtWCDuze->isChecked());
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaKoncDuze->isChecked());
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}
