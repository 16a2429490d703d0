// The measurement window on the shipped sample data: choosing, adding, editing, saving,
// reopening, discarding, moving and deleting measurements, driven through the real widgets.

#include "shipped_form_fixture.h"

#include "platform/tarvelin_error.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>

using assessment::TfrmNowyPomiar;
using assessment::TfrmRyzZakl;
using shippedforms::cbStanow;
using shippedforms::lbCzyn;
using shippedforms::lbPomiar;
using shippedforms::WindowOnSampleData;

namespace {

const QString NoiseForm = QStringLiteral("halas_fizyczny_Pomiar_01");
const QString Welder = QStringLiteral("Spawacz - spawalnia MAG");
const QString Forklift = QStringLiteral("Operator wózka widłowego - magazyn wyrobów gotowych");

class MeasurementWindow : public WindowOnSampleData
{
protected:
    assessment::EvaluationRule savedRule;
    int evaluations = 0;

    // What the dialog is answered with.
    QDate date{2021, 5, 4};
    QString place = QStringLiteral("Stanowisko spawalnicze nr 3");
    bool confirm = true;

    void SetUp() override
    {
        WindowOnSampleData::SetUp();
        savedRule = assessment::FindEvaluationRule(NoiseForm);
        // A rule of the test's own: the exposure level rates every group.
        assessment::RegisterEvaluationRule(NoiseForm, [this](assessment::TFormAccess &form, const QString &) {
            ++evaluations;
            const double level = form.GetFieldValue(QStringLiteral("ed_PEWartZm")).toDouble();
            const int r = level > 85 ? 30 : level > 80 ? 20 : 10;
            form.SetRiskAssessment(assessment::TGroupRatings::All(r));
        });
        TfrmNowyPomiar::SetRunner([this](TfrmNowyPomiar &d) {
            d.setResult(0);
            d.dtPicker->setDate(date);
            d.eMscPom->setText(place);
            d.eWykPom->setText(QStringLiteral("Jan Kowalski"));
            d.mInterWyn->setPlainText(QStringLiteral("Przekroczenie NDN"));
            (confirm ? d.bOk : d.bAnul)->click();
            if (d.result() != QDialog::Accepted)
                d.bAnul->click(); // a refused OK leaves the dialog open: the user gives up
            return d.result();
        });
        Start();
    }

    void TearDown() override
    {
        assessment::RegisterEvaluationRule(NoiseForm, savedRule);
        WindowOnSampleData::TearDown();
    }

    QStringList ListedDates() const
    {
        QStringList dates;
        for (int i = 0; i < lbPomiar(*win)->count(); ++i)
            dates << lbPomiar(*win)->item(i)->text();
        return dates;
    }
    // The welder's noise, as most cases begin.
    void OpenNoise()
    {
        ChooseWorkstation(Welder);
        ChooseFactor(QStringLiteral("Hałas"));
    }
    QString NoiseFile(const QString &station) const
    {
        return folder.ReadText(QStringLiteral("zaklocen/") + station + QStringLiteral("/halas_fizyczny_dane.xml"));
    }
};

} // namespace

// ---- The dispatch table ----------------------------------------------------------------

TEST(EvaluationTable, HoldsTheFiftyFiveFormNamesEachWithItsFamily)
{
    const auto &table = assessment::EvaluationTable();
    EXPECT_EQ(table.size(), 55u);
    QSet<QString> names;
    for (const auto &[name, family] : table)
        names.insert(name);
    EXPECT_EQ(names.size(), 55);
    using assessment::RuleFamily;
    assessment::RuleFamily f;
    for (const auto &[name, family] : {std::pair{"halas_infra_uc_Pomiar_01", RuleFamily::Noise},
                                       {"pyly_Pomiar_01", RuleFamily::Dust},
                                       {"metRiskScore_Pomiar_01", RuleFamily::OwnMethods},
                                       {"osw_tetn_Pomiar_01", RuleFamily::Lighting},
                                       {"prad_WN_Pomiar_01", RuleFamily::FieldsAndCurrent}}) {
        ASSERT_TRUE(assessment::FamilyOfForm(name, f)) << name;
        EXPECT_EQ(f, family) << name;
    }
    // exact names only: no file names, no case folding, no prefixes
    EXPECT_FALSE(assessment::FamilyOfForm("halas_fizyczny_frm_1.xml", f));
    EXPECT_FALSE(assessment::FamilyOfForm("Halas_fizyczny_Pomiar_01", f));
    EXPECT_FALSE(assessment::FamilyOfForm("pyly_Pomiar_0", f));
    EXPECT_FALSE(assessment::FindEvaluationRule(QString()));
}

TEST(EvaluationTable, AFamilysRuleServesEveryFormOfItAndNoOtherAndOutranksTheRulesRegisteredOnFirstUse)
{
    QStringList seen;
    int registrations = 0; // the rules registered when a rule is first needed, once
    assessment::RegisterRulesOnFirstUse([&] {
        ++registrations;
        assessment::RegisterRuleFamily(assessment::RuleFamily::Laser,
                                       [&](assessment::TFormAccess &, const QString &) { seen << "at start"; });
    });
    EXPECT_EQ(registrations, 0);
    assessment::RegisterRuleFamily(
        assessment::RuleFamily::Laser,
        [&](assessment::TFormAccess &form, const QString &sender) { seen << form.FormName() + ":" + sender; });
    assessment::TMemoryForm form;
    form.Name = QStringLiteral("prm_laser_Pomiar_02");
    auto rule = assessment::FindEvaluationRule(form.Name);
    ASSERT_TRUE(rule);
    rule(form, QStringLiteral("ed_X"));
    EXPECT_EQ(seen, QStringList{"prm_laser_Pomiar_02:ed_X"});
    if (auto other = assessment::FindEvaluationRule("prm_widzialne_Pomiar_01"))
        other(form, QStringLiteral("ed_Y"));
    EXPECT_EQ(seen.size(), 1); // another family's form never reaches this rule
    EXPECT_EQ(registrations, 1);
    assessment::RegisterRuleFamily(assessment::RuleFamily::Laser, {});
    EXPECT_FALSE(assessment::FindEvaluationRule("prm_laser_Pomiar_01"));
}

// ---- Choosing -------------------------------------------------------------------------

TEST_F(MeasurementWindow, InitViewListsTheWorkstationsWithNoneChosen)
{
    EXPECT_EQ(cbStanow(*win)->count(), 5);
    EXPECT_EQ(cbStanow(*win)->currentIndex(), -1);
    EXPECT_FALSE(cbStanow(*win)->isHidden());
    EXPECT_EQ(lbCzyn(*win)->count(), 0);
    ChooseWorkstation(Welder);
    // the current factors only, with their measurements read
    EXPECT_EQ(lbCzyn(*win)->count(), 8);
    EXPECT_TRUE(lbCzyn(*win)->findItems("Ozon", Qt::MatchExactly).isEmpty());
    ChooseFactor(QStringLiteral("Hałas"));
    EXPECT_EQ(win->FormDefinitionFile(), "halas_fizyczny_frm_1.xml");
    EXPECT_EQ(lbPomiar(*win)->count(), 0);
    EXPECT_TRUE(win->MeasurementPages().Pages()->isHidden());
}

// ---- New, edit, save, reopen -------------------------------------------------------------

TEST_F(MeasurementWindow, AddEditSaveAndFindItAgainAfterARestart)
{
    OpenNoise();
    win->New();
    EXPECT_EQ(ListedDates(), QStringList{"2021-05-04"});
    EXPECT_EQ(lbPomiar(*win)->currentRow(), 0);
    EXPECT_TRUE(appstate::State().Modified());
    storage::TPomiarCzynn *m = win->SelectedMeasurement();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->id, 1);
    EXPECT_EQ(m->mscPom, place);
    EXPECT_EQ(m->ver, "1.0");
    EXPECT_FALSE(win->MeasurementPages().Pages()->isHidden());
    ASSERT_TRUE(Edit("ed_PEWartZm"));

    Type("ed_PEWartZm", "87.5");
    EXPECT_EQ(evaluations, 1);
    EXPECT_EQ(m->ocenam, 30);
    EXPECT_EQ(m->ocenamax, 30); // six men employed in 2021
    EXPECT_EQ(m->ocenakon, 30);
    frmOcenaRyz()->mSrodOgrRyz->setPlainText(QStringLiteral("Ochronniki słuchu"));
    ASSERT_TRUE(Save());
    EXPECT_TRUE(NoiseFile("stan_1").contains("87.5"));
    EXPECT_TRUE(NoiseFile("stan_1").contains("Ochronniki słuchu"));

    Start();
    OpenNoise();
    EXPECT_EQ(ListedDates(), QStringList{"2021-05-04"});
    ChooseMeasurement(QStringLiteral("2021-05-04"));
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_PEWartZm"), "87.5");
    storage::TPomiarCzynn *again = win->SelectedMeasurement();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ocenakon, 30);
    EXPECT_EQ(again->mscPom, place);
    EXPECT_EQ(again->interwyn, "Przekroczenie NDN");
    auto *panel = frmOcenaRyz();
    EXPECT_EQ(panel->ShownCode(panel->gbOcena), 30);
    EXPECT_EQ(panel->mSrodOgrRyz->toPlainText(), "Ochronniki słuchu");
    EXPECT_FALSE(appstate::State().Modified());
}

TEST_F(MeasurementWindow, NewMeasurementsTakeTheirPlaceByDate)
{
    OpenNoise();
    win->New();
    date = QDate(2020, 1, 15);
    win->New();
    EXPECT_EQ(ListedDates(), (QStringList{"2020-01-15", "2021-05-04"}));
    EXPECT_EQ(lbPomiar(*win)->currentItem()->text(), "2020-01-15");
    EXPECT_EQ(win->SelectedMeasurement()->id, 2);
}

TEST_F(MeasurementWindow, ADuplicateDateIsRefusedAndNothingIsAdded)
{
    OpenNoise();
    win->New();
    prompter.boxes.clear();
    EXPECT_FALSE(assessment::frmNowyPomiar()->Execute(1));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "Pomiar z tą datą już jest na liście pomiarów!");
    EXPECT_EQ(ListedDates(), QStringList{"2021-05-04"});
}

TEST_F(MeasurementWindow, CancelledDialogChangesNothing)
{
    OpenNoise();
    confirm = false;
    win->New();
    EXPECT_EQ(lbPomiar(*win)->count(), 0);
    EXPECT_FALSE(appstate::State().Modified());
}

TEST_F(MeasurementWindow, NoFormDefinitionNoMeasurement)
{
    ChooseWorkstation(Welder);
    ChooseFactor(QStringLiteral("Promieniowanie nadfioletowe"));
    ASSERT_TRUE(QFile::remove(folder.FilePath("zaklocen/frm/prm_nadfioletowe_frm_1.xml")));
    storage::ClearFormDefinitionCache();
    win->New();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "Błąd dostępu do pliku : zaklocen\\frm\\prm_nadfioletowe_frm_1.xml");
    EXPECT_EQ(lbPomiar(*win)->count(), 0);
    EXPECT_FALSE(appstate::State().Modified());
}

TEST_F(MeasurementWindow, ADamagedFileIsNamedShownAsFarAsItGoesNeverWrittenOverAndItsEditsStay)
{
    OpenNoise();
    win->New();
    date = QDate(2020, 1, 15);
    win->New();
    ASSERT_TRUE(Save());
    QByteArray cut = folder.Read("zaklocen/stan_1/halas_fizyczny_dane.xml");
    cut.truncate(cut.lastIndexOf("<pomiar"));
    folder.Write("zaklocen/stan_1/halas_fizyczny_dane.xml", cut);
    Start();
    prompter.boxes.clear();
    ChooseWorkstation(Welder);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains("zaklocen\\stan_1\\halas_fizyczny_dane.xml"));
    ChooseFactor(QStringLiteral("Hałas"));
    EXPECT_EQ(ListedDates(), QStringList{"2020-01-15"});
    date = QDate(2022, 3, 3);
    win->New();
    Type("ed_PEWartZm", "91");
    EXPECT_FALSE(Save());
    EXPECT_TRUE(prompter.boxes.last().text.contains("zaklocen\\stan_1\\halas_fizyczny_dane.xml"));
    // Anuluj, and Yes with a save that fails, keep the workstation, the factor, the new
    // measurement and its edits.
    prompter.Answer(platform::MsgCancel);
    ChooseFactor(QStringLiteral("Wybuch i pożar"));
    prompter.Answer(platform::MsgYes);
    ChooseWorkstation(Forklift);
    EXPECT_EQ(win->SelectedWorkstation()->nazwa, Welder);
    EXPECT_EQ(win->SelectedFactor()->nazwa, "Hałas");
    EXPECT_EQ(ListedDates(), (QStringList{"2020-01-15", "2022-03-03"}));
    EXPECT_TRUE(appstate::State().Modified() && win->MeasurementPages().GetFieldValue("ed_PEWartZm") == "91");
    EXPECT_EQ(folder.Read("zaklocen/stan_1/halas_fizyczny_dane.xml"), cut);
}

TEST_F(MeasurementWindow, NewWithoutAChosenFactorDoesNothing)
{
    ChooseWorkstation(Welder);
    EXPECT_FALSE(assessment::frmNowyPomiar()->Execute(1));
    EXPECT_FALSE(assessment::frmNowyPomiar()->Execute(2));
    EXPECT_FALSE(appstate::State().Modified());
}

// ---- Ask to save -----------------------------------------------------------------------

TEST_F(MeasurementWindow, SwitchingWorkstationAndAnsweringYesSavesIntoTheEditedOne)
{
    OpenNoise();
    win->New();
    Type("ed_PEWartZm", "91");
    prompter.Answer(platform::MsgYes);
    ChooseWorkstation(Forklift);
    ASSERT_FALSE(prompter.boxes.isEmpty());
    EXPECT_EQ(prompter.boxes.last().text, "Nie zapisano danych. Zapisać?");
    EXPECT_EQ(prompter.boxes.last().caption, "Potwierdź zapisanie danych ");
    EXPECT_TRUE(NoiseFile("stan_1").contains(">91<"));
    EXPECT_FALSE(folder.Exists("zaklocen/stan_4/halas_fizyczny_dane.xml"));
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(win->SelectedWorkstation()->nazwa, Forklift);
}

TEST_F(MeasurementWindow, SwitchingFactorAndAnsweringNoDropsTheEdits)
{
    OpenNoise();
    win->New();
    Type("ed_PEWartZm", "70");
    ASSERT_TRUE(Save());
    Type("ed_PEWartZm", "99");
    prompter.Answer(platform::MsgNo);
    ChooseFactor(QStringLiteral("Wybuch i pożar"));
    EXPECT_FALSE(appstate::State().Modified());
    ChooseFactor(QStringLiteral("Hałas"));
    ChooseMeasurement(QStringLiteral("2021-05-04"));
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_PEWartZm"), "70");
    EXPECT_TRUE(NoiseFile("stan_1").contains(">70<"));
}

TEST_F(MeasurementWindow, ADiscardedNewMeasurementDisappears)
{
    OpenNoise();
    win->New();
    prompter.Answer(platform::MsgNo);
    ChooseFactor(QStringLiteral("Wybuch i pożar"));
    ChooseFactor(QStringLiteral("Hałas"));
    EXPECT_EQ(lbPomiar(*win)->count(), 0);
    EXPECT_FALSE(folder.Exists("zaklocen/stan_1/halas_fizyczny_dane.xml"));
}

TEST_F(MeasurementWindow, SampleDataNeverAsksNorWrites)
{
    appstate::State().DataFolder = QStringLiteral("wzrocen\\");
    EXPECT_TRUE(win->AskSaveChanges());
    appstate::State().SetModified(true);
    EXPECT_TRUE(win->AskSaveChanges());
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_FALSE(win->Save());
}

// ---- Modify and delete --------------------------------------------------------------------

TEST_F(MeasurementWindow, AMovedDateReordersTheListAndTheFileReadsBackIntoTheRightMeasurements)
{
    OpenNoise();
    date = QDate(2021, 1, 10);
    win->New();
    Type("ed_PEWartZm", "81");
    date = QDate(2021, 6, 20);
    win->New();
    Type("ed_PEWartZm", "95");
    ASSERT_TRUE(Save());
    // the later one moves before the earlier one
    date = QDate(2020, 12, 1);
    place = QStringLiteral("Inne miejsce");
    ASSERT_TRUE(assessment::frmNowyPomiar()->Execute(2));
    EXPECT_EQ(ListedDates(), (QStringList{"2020-12-01", "2021-01-10"}));
    EXPECT_EQ(lbPomiar(*win)->currentItem()->text(), "2020-12-01");
    EXPECT_EQ(win->SelectedMeasurement()->mscPom, "Inne miejsce");
    EXPECT_TRUE(appstate::State().Modified());
    ASSERT_TRUE(Save());

    Start();
    OpenNoise();
    EXPECT_EQ(ListedDates(), (QStringList{"2020-12-01", "2021-01-10"}));
    ChooseMeasurement(QStringLiteral("2020-12-01"));
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_PEWartZm"), "95");
    ChooseMeasurement(QStringLiteral("2021-01-10"));
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_PEWartZm"), "81");
}

TEST_F(MeasurementWindow, ModifyKeepingTheDateIsNotADuplicate)
{
    OpenNoise();
    win->New();
    place = QStringLiteral("Nowe miejsce");
    EXPECT_TRUE(assessment::frmNowyPomiar()->Execute(2));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(win->SelectedMeasurement()->mscPom, "Nowe miejsce");
    EXPECT_EQ(assessment::frmNowyPomiar()->windowTitle(), "Dane pomiarowe z dnia 2021-05-04 czynnika:Hałas");
}

TEST_F(MeasurementWindow, DeleteRemovesTheMeasurementAndTheSaveWritesItsFactor)
{
    OpenNoise();
    win->New();
    date = QDate(2022, 2, 2);
    win->New();
    ASSERT_TRUE(Save());
    ChooseMeasurement(QStringLiteral("2021-05-04"));
    win->Delete();
    EXPECT_EQ(ListedDates(), QStringList{"2022-02-02"});
    EXPECT_EQ(win->MeasurementPages().Pages()->count(), 0);
    ASSERT_TRUE(Save());
    EXPECT_FALSE(NoiseFile("stan_1").contains("2021-05-04"));
    EXPECT_TRUE(NoiseFile("stan_1").contains("2022-02-02"));
}

TEST_F(MeasurementWindow, DeletingASummedDustMeasurementRecomputesTheSumsFirst)
{
    QList<bool> sums;
    int measurementsWhenSummed = -1;
    assessment::RegisterWorkstationSum(QStringLiteral("pyly"), [&](assessment::TFormAccess &, bool includeCurrent) {
        sums << includeCurrent;
        measurementsWhenSummed = int(win->SelectedFactor()->Measurements.size());
    });
    ChooseWorkstation(Welder);
    ChooseFactor(QStringLiteral("Pył tlenków żelaza"));
    storage::TCzynnik *f = win->SelectedFactor();
    ASSERT_TRUE(f);
    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .id = 1, .data = QStringLiteral("2021-03-03"), .ver = QStringLiteral("1")
    });
    auto box = std::make_unique<storage::TPomiar>();
    box->EditDefinition().nazwa = QStringLiteral("cbSumNDS");
    box->EditDefinition().typ = QStringLiteral("checkbox");
    box->Value = QStringLiteral("True");
    m->Fields.push_back(std::move(box));
    storage::AddMeasurement(f->Measurements, std::move(m));
    win->FillMeasurementList(QStringLiteral("2021-03-03"));
    win->Delete();
    EXPECT_EQ(sums, QList<bool>{false});
    EXPECT_EQ(measurementsWhenSummed, 1);
    EXPECT_TRUE(f->Measurements.empty());
    assessment::RegisterWorkstationSum(QStringLiteral("pyly"), {});
}

// ---- A failing rule ---------------------------------------------------------------------

TEST_F(MeasurementWindow, ARuleThatFailsLeavesTheMeasurementAsItWas)
{
    OpenNoise();
    win->New();
    Type("ed_PEWartZm", "84");
    storage::TPomiarCzynn *m = win->SelectedMeasurement();
    ASSERT_EQ(m->ocenam, 20);
    assessment::RegisterEvaluationRule(NoiseForm, [](assessment::TFormAccess &form, const QString &) {
        form.SetFieldValue(QStringLiteral("ed_PEKrotn"), QStringLiteral("5"));
        form.SetRiskAssessment(assessment::TGroupRatings::All(30));
        throw platform::TarvelinError(QStringLiteral("Nie znaleziono pola"));
    });
    prompter.boxes.clear();
    Type("ed_PEWartZm", "99");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains("Nie znaleziono pola"));
    EXPECT_EQ(storage::FindField(m->Fields, "PEWartZm")->Value, "84");
    EXPECT_EQ(storage::FindField(m->Fields, "PEKrotn")->Value, "0");
    EXPECT_EQ(m->ocenam, 20);
    EXPECT_EQ(m->ocenakon, 20);
    QCoreApplication::processEvents(); // the pages are shown again
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_PEWartZm"), "84");
}

// ---- Pages ----------------------------------------------------------------------------------

TEST_F(MeasurementWindow, TheRiskTabKeepsTheLastFormPageForTheFieldOperations)
{
    OpenNoise();
    win->New();
    QScrollArea *first = win->MeasurementPages().CurrentPage();
    ASSERT_TRUE(first);
    win->MeasurementPages().Pages()->setCurrentIndex(win->MeasurementPages().Pages()->count() - 1);
    EXPECT_EQ(win->MeasurementPages().CurrentPage(), first);
    EXPECT_TRUE(win->MeasurementPages().FindField("ed_PEWartZm"));
}

TEST_F(MeasurementWindow, ATruncatedFormDefinitionIsReportedAndNothingIsAdded)
{
    const QByteArray whole = folder.Read("zaklocen/frm/halas_fizyczny_frm_1.xml");
    folder.Write("zaklocen/frm/halas_fizyczny_frm_1.xml", whole.left(whole.size() / 2));
    OpenNoise();
    prompter.boxes.clear();
    win->New();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains("halas_fizyczny_frm_1.xml")) << prompter.boxes[0].text.toStdString();
    EXPECT_EQ(lbPomiar(*win)->count(), 0);
    EXPECT_FALSE(appstate::State().Modified());
    // the window stays usable
    ChooseFactor(QStringLiteral("Wybuch i pożar"));
    EXPECT_EQ(lbPomiar(*win)->count(), 0);
}
