// Own factors of the catalogue: defined, edited and retired through the real dialog, with
// the own-factor files read back.
#include "tests/workstations/catalogue_test_support.h"

#include "assessment/frm_param_risc_score.h"
#include "storage/factor_files.h"
#include "storage/workstation_files.h"
#include "widgets/radio_group.h"
#include "workstations/frm_czynn_wl.h"

#include <QPushButton>
#include <QRadioButton>

using namespace cataloguetest;
using namespace workstations;

namespace {

class OwnFactors : public CatalogueTest
{
protected:
    void SetUp() override
    {
        CatalogueTest::SetUp();
        // One own chemical factor numbered 99999 + 7: every new own factor comes after it.
        fx.WriteText("poradn/czynchemWl.xml",
                     "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                     "<czynchemWl ver=\"1.0\" frm_dane=\"met5Krok\" ver_pom=\"1.0\">\n"
                     " <czynnik id=\"100006\" frm_dane=\"met5Krok\" ver_pom=\"1.0\" szkod=\"N\" "
                     "aktualny=\"1\">Opary lutownicze</czynnik>\n"
                     "</czynchemWl>\n");
        fx.WriteText("poradn/czynfizWl.xml",
                     "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                     "<czynfizWl ver=\"1.0\" frm_dane=\"met5Krok\" ver_pom=\"1.0\">\n"
                     " <czynnik id=\"100003\" frm_dane=\"met5Krok\" ver_pom=\"1.0\" szkod=\"T\" "
                     "aktualny=\"1\">Wibracje ręczne</czynnik>\n"
                     "</czynfizWl>\n");
        open(QStringLiteral("frmDefStan")); // as in a workstation's factor dialog
    }

    // Runs the own-factor dialog with one step that fills it in and presses OK.
    bool runDialog(int mode, const std::function<void(TfrmCzynnWl &)> &fill)
    {
        dialogs.steps.enqueue([fill](QDialog &d) {
            auto &w = static_cast<TfrmCzynnWl &>(d);
            fill(w);
            w.bOk->click();
            return w.result();
        });
        return frmCzynnWl()->Execute(*view, mode);
    }
    storage::TCzynnikList readBack(const QString &file)
    {
        return storage::ReadFactorList(QStringLiteral("poradn\\") + file, QStringLiteral("x"), false);
    }
    void selectOwn(const QString &text)
    {
        const auto found = view->lbCzynnikiWl->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        view->lbCzynnikiWl->setCurrentItem(found.front());
    }
};

} // namespace

TEST_F(OwnFactors, ANewOwnFactorIsNumberedAfterEveryGroupsOwnFactorsAndWritten)
{
    EXPECT_FALSE(view->Panel3->isHidden());
    chooseGroup("fiz");
    EXPECT_TRUE(view->bDodaj->isEnabled());
    EXPECT_EQ(texts(view->lbCzynnikiWl), QStringList({"Wibracje ręczne (met5Krok)"}));
    EXPECT_EQ(view->NewOwnFactorId(), 99999 + 8);

    ASSERT_TRUE(runDialog(TfrmCzynnWl::NewFactor, [](TfrmCzynnWl &w) {
        EXPECT_FALSE(w.rgSzkod->isHidden()) << "physical factors say whether they are harmful";
        EXPECT_TRUE(w.rgAktualny->isHidden());
        EXPECT_TRUE(w.bParamRS->isHidden());
        EXPECT_EQ(w.lGrupaCzynn->text(), "Czynniki fizyczne");
        EXPECT_EQ(w.lNazwaCzynn->text(), "Nazwa czynnika własnego ocenianego metodą 5 kroków:");
        w.edNazwaCzynnWl->setText("Praca przy ekranie");
        w.rgSzkod->Button(0)->click();
    }));
    EXPECT_EQ(texts(view->lbCzynnikiWl),
              QStringList({"Praca przy ekranie (met5Krok)", "Wibracje ręczne (met5Krok)"}));
    EXPECT_EQ(view->lbCzynnikiWl->currentItem()->text(), "Praca przy ekranie (met5Krok)");
    const storage::TCzynnikList file = readBack("czynfizWl.xml");
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file[0]->nazwa, "Praca przy ekranie");
    EXPECT_EQ(file[0]->id, 100007);
    EXPECT_EQ(file[0]->frm_dane, "met5Krok");
    EXPECT_EQ(file[0]->ver_pom, "1.0");
    EXPECT_EQ(file[0]->szkod, "T");
    EXPECT_EQ(file[0]->aktual, "1");
    EXPECT_TRUE(fx.ReadText("poradn/czynfizWl.xml").startsWith(
        "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
        "<czynfizWl ver=\"1.0\" frm_dane=\"met5Krok\" ver_pom=\"1.0\">\n"))
        << fx.ReadText("poradn/czynfizWl.xml").toStdString();

    // Its empty "5 kroków" form is shown when it is chosen.
    view->lbCzynnikiWlClick();
    EXPECT_EQ(view->lbCzynniki->currentRow(), -1);
    EXPECT_GT(pages()->Pages()->count(), 1);
    EXPECT_EQ(pages()->AttachmentFolderInUse(), "zaklocen\\frm\\zalaczn");
}

TEST_F(OwnFactors, ANameTakenInTheGroupIsRefusedWhateverTheLetterCase)
{
    chooseGroup("fiz");
    const QByteArray before = fx.Read("poradn/czynfizWl.xml");
    EXPECT_FALSE(runDialog(TfrmCzynnWl::NewFactor, [](TfrmCzynnWl &w) { w.edNazwaCzynnWl->setText("HAŁAS"); }));
    EXPECT_EQ(boxes.Texts(), QStringList({"Czynnik o podanej nazwie już istnieje na liście czynników!"}));
    boxes.boxes.clear();
    EXPECT_FALSE(
        runDialog(TfrmCzynnWl::NewFactor, [](TfrmCzynnWl &w) { w.edNazwaCzynnWl->setText("wibracje RĘCZNE"); }));
    EXPECT_EQ(boxes.Texts(), QStringList({"Czynnik o podanej nazwie już istnieje na liście czynników własnych!"}));
    boxes.boxes.clear();
    EXPECT_FALSE(runDialog(TfrmCzynnWl::NewFactor, [](TfrmCzynnWl &w) { w.edNazwaCzynnWl->setText("   "); }));
    EXPECT_EQ(boxes.Texts(), QStringList({"Należy podać nazwę czynnika własnego."}));
    EXPECT_EQ(fx.Read("poradn/czynfizWl.xml"), before) << "nothing written";
    EXPECT_EQ(view->lbCzynnikiWl->count(), 1);

    // Its own name is no obstacle when the factor is edited.
    selectOwn("Wibracje ręczne (met5Krok)");
    EXPECT_TRUE(runDialog(TfrmCzynnWl::EditFactor, [](TfrmCzynnWl &w) {
        EXPECT_FALSE(w.rgMetOceny->isEnabled());
        EXPECT_EQ(w.edNazwaCzynnWl->text(), "Wibracje ręczne");
        EXPECT_EQ(w.rgSzkod->ItemIndex(), 0);
        w.edNazwaCzynnWl->setText("Wibracje ręczne narzędzi");
    }));
    EXPECT_EQ(texts(view->lbCzynnikiWl), QStringList({"Wibracje ręczne narzędzi (met5Krok)"}));
    EXPECT_EQ(texts(view->lbCzynnikiWlAll), QStringList({"Wibracje ręczne narzędzi"}));
    EXPECT_EQ(readBack("czynfizWl.xml").front()->nazwa, "Wibracje ręczne narzędzi");
}

TEST_F(OwnFactors, ARetiredOwnFactorStaysInItsFileAndCanBeMadeCurrentAgain)
{
    chooseGroup("fiz");
    selectOwn("Wibracje ręczne (met5Krok)");
    boxes.Answer(platform::MsgYes);
    view->miUsunCzynWlClick();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].caption, "Potwierdź usunięcie danych ");
    EXPECT_EQ(boxes.boxes[0].text, "Czy na pewno usunąć wybrany czynnik własny?\nWibracje ręczne (met5Krok)\n\n"
                                   "Dane pomiarowe czynnika nie zostaną usunięte,\n czynnik otrzyma status nieaktualnego");
    EXPECT_EQ(view->lbCzynnikiWl->count(), 0) << "\"Aktualne\" lists current own factors only";
    ASSERT_EQ(readBack("czynfizWl.xml").size(), 1u);
    EXPECT_EQ(readBack("czynfizWl.xml").front()->aktual, "0");

    view->rgAktual->Button(1)->click(); // "Wszystkie"
    ASSERT_EQ(texts(view->lbCzynnikiWl), QStringList({"Wibracje ręczne (met5Krok)"}));
    selectOwn("Wibracje ręczne (met5Krok)");
    EXPECT_TRUE(runDialog(TfrmCzynnWl::EditFactor, [](TfrmCzynnWl &w) {
        EXPECT_FALSE(w.rgAktualny->isHidden());
        EXPECT_EQ(w.rgAktualny->ItemIndex(), 1);
        w.rgAktualny->Button(0)->click(); // "aktualny"
    }));
    EXPECT_EQ(readBack("czynfizWl.xml").front()->aktual, "1");
    view->rgAktual->Button(0)->click();
    EXPECT_EQ(view->lbCzynnikiWl->count(), 1);
}

TEST_F(OwnFactors, ParametryOpensTheRiskScoreEditorAndTheDialogKeepsItsEntries)
{
    chooseGroup("chem");
    EXPECT_TRUE(view->rgAktual->Button(0)->isChecked());
    int editorRuns = 0;
    assessment::SetRiskScoreEditorRunner([&](assessment::TfrmParamRiscScore &) { ++editorRuns; });
    EXPECT_TRUE(runDialog(TfrmCzynnWl::NewFactor, [&](TfrmCzynnWl &w) {
        EXPECT_TRUE(w.rgSzkod->isHidden()) << "only physical factors choose";
        w.edNazwaCzynnWl->setText("Mieszanina własna");
        w.rgMetOceny->Button(1)->click(); // "risk score"
        EXPECT_FALSE(w.bParamRS->isHidden());
        EXPECT_EQ(w.lNazwaCzynn->text(), "Nazwa czynnika własnego ocenianego metodą Risk Score:");
        w.bParamRS->click();
        EXPECT_EQ(w.result(), 0) << "the dialog stays open";
        EXPECT_EQ(w.edNazwaCzynnWl->text(), "Mieszanina własna");
    }));
    assessment::SetRiskScoreEditorRunner({});
    EXPECT_EQ(editorRuns, 1);
    const storage::TCzynnikList file = readBack("czynchemWl.xml");
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file[0]->nazwa, "Mieszanina własna");
    EXPECT_EQ(file[0]->frm_dane, "metRiskScore");
    EXPECT_EQ(file[0]->szkod, "N");
    EXPECT_EQ(file[0]->id, 100007);
    EXPECT_EQ(texts(view->lbCzynnikiWl),
              QStringList({"Mieszanina własna (metRiskScore)", "Opary lutownicze (met5Krok)"}));
}

TEST_F(OwnFactors, TheEditMenuNeedsAGroupOrAnOwnFactor)
{
    view->miNowyCzynWlClick();
    view->miEdytujCzynWlClick();
    view->miUsunCzynWlClick();
    EXPECT_EQ(boxes.Texts(), QStringList({"Należy wybrać grupę czynników",
                                          "Należy wybrać czynnik z listy czynników własnych.",
                                          "Należy wybrać czynnik z listy czynników własnych."}));
    EXPECT_TRUE(dialogs.titles.isEmpty());
    EXPECT_FALSE(view->bDodaj->isEnabled());
}

// A workstation keeps the name its factors had when they were added: renaming or retiring
// an own factor says which workstations still list it, and under which name.
TEST_F(OwnFactors, RenamedOrRetiredItNamesTheWorkstationsThatKeepItsOldName)
{
    storage::TNavigationGroups saved = std::move(storage::NavigationGroups());
    storage::ReadNavigationConfig(storage::NavigationConfigPath()); // the workstations in "zaklocen\"
    storage::WorkstationList list;
    list.push_back(std::make_unique<storage::TStanowisko>("1", "Spawalnia", "stan_1"));
    list[0]->AddFactor(
        std::make_unique<storage::TCzynnik>("Wibracje ręczne", "fiz", 100003, "1.0", "met5Krok", "T", "T"));
    ASSERT_TRUE(storage::WriteWorkstationWithList("zaklocen\\", *list[0], list));
    chooseGroup("fiz");
    selectOwn("Wibracje ręczne (met5Krok)");
    ASSERT_TRUE(runDialog(TfrmCzynnWl::EditFactor, [](TfrmCzynnWl &d) { d.edNazwaCzynnWl->setText("Drgania"); }));
    selectOwn("Drgania (met5Krok)");
    boxes.Answer(platform::MsgYes);
    view->miUsunCzynWlClick();
    const QString told = boxes.Texts().join('|'); // the rename, the delete question, the retirement
    EXPECT_TRUE(told.contains("\"Wibracje ręczne\" ma teraz nazwę \"Drgania\"") &&
                told.contains("Spawalnia (jako \"Wibracje ręczne\")") &&
                told.contains("\"Drgania\" otrzymał status nieaktualnego") && told.count("Spawalnia") == 2)
        << told.toStdString();
    storage::NavigationGroups() = std::move(saved);
}
