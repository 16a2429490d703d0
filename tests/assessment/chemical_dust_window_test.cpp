// Chemical substances and dusts in the real measurement window, headless: the shipped forms
// with the catalogue's limit values, the rating boundaries and class bits as the user types,
// and the workstation sums - the other substance's or dust's measurement summed, re-rated
// and written to its file on Save, after a Delete and after a date change, read back from
// disk.

#include "shipped_form_fixture.h"

#include "assessment/frm_nowy_pomiar.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

using namespace shippedforms;
using assessment::TfrmNowyPomiar;

namespace {

const QString Painter = QStringLiteral("Lakiernik - malarnia natryskowa");
const QString Toluene = QStringLiteral("Toluen");
const QString Xylene = QStringLiteral("Ksylen - mieszanina izomerów");
const QString TitaniumDioxide = QStringLiteral("Pył ditlenku tytanu");
const QString WoodDust = QStringLiteral("Pyły drewna");
const QString Station = QStringLiteral("zaklocen\\stan_2\\");

// The painter's workstation of the sample data (men and women employed, nobody pregnant, no
// juveniles), opened in the measurement window; the data dialog is answered with `date`.
class SumsOnSampleData : public WindowOnSampleData
{
protected:
    QDate date{2021, 5, 4};

    void SetUp() override
    {
        WindowOnSampleData::SetUp();
        TfrmNowyPomiar::SetRunner([this](TfrmNowyPomiar &d) {
            d.setResult(0);
            d.dtPicker->setDate(date);
            d.bOk->click();
            if (d.result() != QDialog::Accepted)
                d.bAnul->click();
            return d.result();
        });
        Start();
        ChooseWorkstation(Painter);
    }

    // The user picks a factor; unsaved changes are saved when asked (or dropped).
    void Choose(const QString &factor, bool save = true)
    {
        if (appstate::State().Modified())
            prompter.Answer(save ? platform::MsgYes : platform::MsgNo);
        ChooseFactor(factor);
    }
    // A factor the sample workstation does not have, added as the factor dialog adds it.
    void AddFactor(const QString &name, int id, const QString &frmDane)
    {
        storage::TStanowisko *w = win->SelectedWorkstation();
        w->AddFactor(std::make_unique<storage::TCzynnik>(name, QStringLiteral("pyly"), id, QStringLiteral("1.0"),
                                                         frmDane, QStringLiteral("T"), QStringLiteral("T")),
                     name);
        QSignalBlocker block(lbCzyn(*win));
        workstation_loading::FillFactorList(lbCzyn(*win), w);
    }
    void Tick()
    {
        auto *box = qobject_cast<QCheckBox *>(win->MeasurementPages().FindField(QStringLiteral("ch_cbSumNDS")));
        ASSERT_TRUE(box);
        box->click();
    }
    std::vector<int> Stored(const storage::TPomiarCzynn *m) const
    {
        return {m->ocenam, m->ocenak, m->ocenakc, m->ocenaml, m->ocenamax, m->ocenakon};
    }
    // The factor's measurement of that date as the window holds it.
    storage::TPomiarCzynn *InMemory(const QString &factor, const QString &d)
    {
        for (const storage::TFactorEntry &e : win->SelectedWorkstation()->Factors) {
            if (e.factor->nazwa != factor)
                continue;
            const int i = storage::FindMeasurementByDate(e.factor->Measurements, d);
            return i >= 0 ? e.factor->Measurements[size_t(i)].get() : nullptr;
        }
        return nullptr;
    }
    // The measurements of a factor as its file holds them.
    storage::TMeasurementList FromDisk(const QString &frmDane, int id)
    {
        storage::ClearFormDefinitionCache();
        storage::TMeasurementList list;
        storage::ReadMeasurements(Station, frmDane, list, id, QStringLiteral("zaklocen\\frm\\"));
        return list;
    }
    // The factor's file holds one measurement, of that sum and those ratings.
    void ExpectOnDisk(const QString &frmDane, int id, const QString &sum, const std::vector<int> &ratings)
    {
        const auto back = FromDisk(frmDane, id);
        ASSERT_EQ(back.size(), 1u) << frmDane.toStdString();
        EXPECT_EQ(Value(*back[0], "SumNDS"), sum) << frmDane.toStdString();
        EXPECT_EQ(Stored(back[0].get()), ratings) << frmDane.toStdString();
    }
    static QString Value(const storage::TPomiarCzynn &m, const char *name)
    {
        const storage::TPomiar *p = storage::FindField(m.Fields, QString::fromLatin1(name));
        return p ? p->Value : QStringLiteral("<missing>");
    }
};

} // namespace

TEST_F(SumsOnSampleData, AChemicalSubstanceRatesAtItsBoundariesWithItsCatalogueLimits)
{
    Choose(Toluene);
    win->New();
    storage::TPomiarCzynn *m = win->SelectedMeasurement();
    ASSERT_TRUE(m);
    EXPECT_EQ(Shown("ed_NDS"), "100");
    EXPECT_EQ(Shown("ed_NDSCh"), "200");
    // no ceiling limit: its whole block is switched off
    EXPECT_TRUE(Edit("ed_NDSPZm")->isHidden());
    EXPECT_TRUE(win->MeasurementPages().FindField("lb_lNDSP")->isHidden());
    Type("ed_NDSZm", "50");
    EXPECT_EQ(Shown("ed_NDSKrotn"), "0.5");
    EXPECT_EQ(Stored(m), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    Type("ed_NDSZm", "51");
    EXPECT_EQ(Stored(m), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    // bit 0x0100 above 0.66: pregnant women large, but none are employed
    Type("ed_NDSZm", "100");
    EXPECT_EQ(Shown("ed_NDSKrotn"), "1");
    EXPECT_EQ(Stored(m), (std::vector<int>{20, 20, 30, 20, 20, 20}));
    Type("ed_NDSZm", "101");
    EXPECT_EQ(Stored(m), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Type("ed_NDSChZm", "300");
    EXPECT_EQ(Shown("ed_NDSChKrotn"), "1.5");
    EXPECT_EQ(Stored(m), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Type("ed_NDSChZm", "");
    EXPECT_EQ(Shown("ed_NDSChKrotn"), "0");
    Type("ed_NDSZm", "-5");
    EXPECT_EQ(Shown("ed_NDSKrotn"), "");
    EXPECT_EQ(Stored(m), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}

TEST_F(SumsOnSampleData, ASubstanceWithoutCatalogueLimitsIsRatedOnceItsLimitIsTyped)
{
    Choose(QStringLiteral("Octan n-butylu"));
    win->New();
    storage::TPomiarCzynn *m = win->SelectedMeasurement();
    EXPECT_EQ(Shown("ed_NDS"), "");
    Type("ed_NDSZm", "120");
    EXPECT_EQ(Shown("ed_NDSKrotn"), "");
    EXPECT_EQ(Stored(m), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    Type("ed_NDS", "240");
    EXPECT_EQ(Shown("ed_NDSKrotn"), "0.5");
    EXPECT_EQ(Stored(m), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}

TEST_F(SumsOnSampleData, TwoSubstancesSummedAreRatedTogetherAndWrittenOnSaveAndDelete)
{
    Choose(Toluene);
    win->New();
    Tick();
    Type("ed_NDSZm", "40");
    EXPECT_EQ(Shown("ed_SumNDS"), "0.4");
    Choose(Xylene); // saves the toluene
    win->New();
    Tick();
    Type("ed_NDSZm", "30");
    EXPECT_EQ(Shown("ed_SumNDS"), "0.7");
    // each alone would be small; together both are medium
    EXPECT_EQ(Stored(win->SelectedMeasurement()), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    storage::TPomiarCzynn *toluene = InMemory(Toluene, "2021-05-04");
    ASSERT_TRUE(toluene);
    EXPECT_EQ(Value(*toluene, "SumNDS"), "0.7");
    EXPECT_EQ(Stored(toluene), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    ASSERT_TRUE(Save());
    ExpectOnDisk("chemiczny", 80004, "0.7", std::vector<int>(6, 20));
    win->Delete();
    EXPECT_EQ(Value(*toluene, "SumNDS"), "0.4");
    EXPECT_EQ(Stored(toluene), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    ASSERT_TRUE(Save());
    ExpectOnDisk("chemiczny", 80004, "0.4", std::vector<int>(6, 10));
    EXPECT_TRUE(FromDisk("chemiczny", 80005).empty());
    EXPECT_EQ(prompter.Texts(), QStringList{"Nie zapisano danych. Zapisać?"});
}

TEST_F(SumsOnSampleData, MovingASummedMeasurementSumsBothDates)
{
    Choose(Toluene);
    win->New();
    Tick();
    Type("ed_NDSZm", "70");
    Choose(Xylene);
    win->New();
    Tick();
    Type("ed_NDSZm", "40");
    storage::TPomiarCzynn *toluene = InMemory(Toluene, "2021-05-04");
    // 1.1 together: large for every group; the stored combined rating counts only the groups
    // employed, so the toluene's large rating for pregnant women does not decide it
    EXPECT_EQ(Stored(toluene), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    date = QDate(2021, 6, 1);
    ASSERT_TRUE(win->ModifySelection());
    EXPECT_EQ(Value(*toluene, "SumNDS"), "0.7");
    EXPECT_EQ(Stored(toluene), (std::vector<int>{20, 20, 30, 20, 20, 20}));
    // the moved measurement is summed and rated on its new date, alone there
    EXPECT_EQ(Shown("ed_SumNDS"), "0.4");
    EXPECT_EQ(Stored(win->SelectedMeasurement()), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    ASSERT_TRUE(Save());
    ExpectOnDisk("chemiczny", 80004, "0.7", {20, 20, 30, 20, 20, 20});
    const auto moved = FromDisk("chemiczny", 80005);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0]->data, "2021-06-01");
    EXPECT_EQ(Value(*moved[0], "SumNDS"), "0.4");
}

TEST_F(SumsOnSampleData, TwoDustsSummedAreWrittenToTheOtherDustsFileOnSave)
{
    AddFactor(WoodDust, 25050, QStringLiteral("pyly_drewna"));
    Choose(TitaniumDioxide);
    win->New();
    // the general form: no fibres for this dust, limits typed by the user
    EXPECT_TRUE(Edit("ed_WlkRespZm")->isHidden());
    Type("ed_PylCalk", "10");
    Type("ed_PylCalkZm", "2");
    Tick();
    EXPECT_EQ(Shown("ed_SumNDS"), "0.2");
    Choose(WoodDust);
    win->New();
    EXPECT_EQ(Shown("ed_PylCalkDop"), "4.0"); // the catalogue's text
    Tick();
    Type("ed_PylCalkZm", "1.6");
    EXPECT_EQ(Shown("ed_PylCalkKrotn"), "0.4");
    EXPECT_EQ(Shown("ed_SumNDS"), "0.6");
    EXPECT_EQ(Stored(win->SelectedMeasurement()), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    ASSERT_TRUE(Save());
    ExpectOnDisk("pyly", 25202, "0.6", std::vector<int>(6, 20));
    // unticked, the wood dust leaves the sum
    Tick();
    EXPECT_EQ(Shown("ed_SumNDS"), "0");
    EXPECT_EQ(Stored(win->SelectedMeasurement()), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    ASSERT_TRUE(Save());
    ExpectOnDisk("pyly", 25202, "0.2", std::vector<int>(6, 10));
    EXPECT_EQ(FromDisk("pyly_drewna", 25050).size(), 1u);
}

TEST_F(SumsOnSampleData, ADroppedEditTakesItsSumBackFromTheOtherDust)
{
    AddFactor(WoodDust, 25050, QStringLiteral("pyly_drewna"));
    Choose(TitaniumDioxide);
    win->New();
    Type("ed_PylCalk", "10");
    Type("ed_PylCalkZm", "6");
    Tick();
    Choose(WoodDust);
    win->New();
    Tick();
    Type("ed_PylCalkZm", "2");
    storage::TPomiarCzynn *other = InMemory(TitaniumDioxide, "2021-05-04");
    ASSERT_TRUE(other);
    ASSERT_EQ(Value(*other, "SumNDS"), "1.1");
    ASSERT_EQ(Stored(other), (std::vector<int>(6, 30)));
    Choose(TitaniumDioxide, false);
    other = InMemory(TitaniumDioxide, "2021-05-04");
    ASSERT_TRUE(other);
    EXPECT_EQ(Value(*other, "SumNDS"), "0.6");
    EXPECT_EQ(Stored(other), (std::vector<int>(6, 20)));
    EXPECT_EQ(InMemory(WoodDust, "2021-05-04"), nullptr);
}

TEST_F(SumsOnSampleData, NothingIsWrittenToTheOtherDustWhenTheSaveFails)
{
    AddFactor(WoodDust, 25050, QStringLiteral("pyly_drewna"));
    Choose(TitaniumDioxide);
    win->New();
    Type("ed_PylCalk", "10");
    Type("ed_PylCalkZm", "2");
    Tick();
    Choose(WoodDust);
    const QByteArray before = folder.Read("zaklocen/stan_2/pyly_dane.xml");
    ASSERT_FALSE(before.isEmpty());
    win->New();
    Tick();
    Type("ed_PylCalkZm", "1.6");
    // the wood dust's own file cannot be written: a folder stands in its way
    ASSERT_TRUE(QDir().mkpath(folder.FilePath("zaklocen/stan_2/pyly_drewna_dane.xml")));
    EXPECT_FALSE(win->Save());
    EXPECT_EQ(folder.Read("zaklocen/stan_2/pyly_dane.xml"), before);
    EXPECT_TRUE(appstate::State().Modified());
}

// ---- The dust forms' own cases, on a workstation employing every group --------------------------

class DustWindow : public WindowOnShippedForm
{
};

TEST_F(DustWindow, TheEdgeCasesAsTheUserTypesThem)
{
    Open(25040, QStringLiteral("pyly_cementow"), QStringLiteral("1.0"));
    Type("ed_PylCalkDop", "10");
    const std::vector<std::pair<const char *, int>> cases = {{"5", 10}, {"5.1", 20}, {"10", 20}, {"10.1", 30}};
    for (const auto &[measured, code] : cases) {
        Type("ed_PylCalkZm", measured);
        EXPECT_EQ(Stored(), (std::vector<int>(6, code))) << measured;
    }
    TearDown();
    SetUp();
    // fibres count on the general form
    Open(0, QStringLiteral("pyly"), QStringLiteral("1.0"));
    for (const char *limit : {"ed_PylCalk", "ed_PylResp", "ed_WlkResp"})
        Type(limit, "1");
    Type("ed_PylCalkZm", "0.3");
    Type("ed_PylRespZm", "1.2");
    Type("ed_WlkRespZm", "0.7");
    EXPECT_EQ(Stored(), (std::vector<int>(6, 30)));
    TearDown();
    SetUp();
    // asbestus: carcinogenic, so medium even while every multiple is below 0.1
    Open(25030, QStringLiteral("pyly_azbestu"), QStringLiteral("1.0"));
    Type("ed_PylCalkDop", "1");
    Type("ed_PylCalkZm", "0.05");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 40, 40, 40, 40}));
    TearDown();
    SetUp();
    // talc: respirable 0.7 forbids the work to juveniles
    Open(25070, QStringLiteral("pyly_talku"), QStringLiteral("1.0"));
    Type("ed_PylRespZm", "0.7");
    EXPECT_EQ(Shown("ed_PylRespKrotn"), "0.7");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 40, 40, 40}));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}

TEST_F(DustWindow, CoalBelowTwoPercentHasNoRespirableRow)
{
    Open(25020, QStringLiteral("pyly_wegla"), QStringLiteral("1.0"));
    auto *kind = Control<QComboBox>("cb_cmbIloscKrzem");
    ASSERT_TRUE(kind);
    EXPECT_EQ(kind->currentText(), " Poniżej 2% ");
    EXPECT_FALSE(Control<QLineEdit>("ed_PylRespZm")->isEnabled());
    kind->setCurrentIndex(1);
    win->MeasurementPages().ChangeField(kind);
    EXPECT_TRUE(Control<QLineEdit>("ed_PylRespZm")->isEnabled());
    EXPECT_EQ(Shown("ed_PylCalkDop"), "4");
    EXPECT_EQ(Shown("ed_PylRespDop"), "2");
    Type("ed_PylRespZm", "1.5");
    EXPECT_EQ(Shown("ed_PylRespKrotn"), "0.75");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 40, 40, 40}));
    EXPECT_EQ(storage::FindField(m->Fields, "cmbIloscKrzem")->Value, " Od 2% do 10% ");
    kind->setCurrentIndex(0);
    win->MeasurementPages().ChangeField(kind);
    EXPECT_FALSE(Control<QLineEdit>("ed_PylRespZm")->isEnabled());
    EXPECT_FALSE(Control<QLabel>("lb_lPResp")->isEnabled());
    EXPECT_EQ(Shown("ed_PylRespZm"), "0");
    EXPECT_EQ(Stored(), (std::vector<int>(6, 10)));
}
