// Choosing the factors present on a workstation: the dialog with the catalogue docked in
// it, its add and remove rules, and OK merging into the workstation, from the workstation
// view's button to the saved file.
#include "tests/workstations/catalogue_test_support.h"

#include "storage/workstation_files.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/views.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace cataloguetest;
using namespace workstations;
using storage::TCzynnik;
using storage::TStanowisko;

namespace {

std::unique_ptr<TCzynnik> factor(const QString &nazwa, const QString &ident, int id, const QString &aktual = "T")
{
    return std::make_unique<TCzynnik>(nazwa, ident, id, QStringLiteral("1.0"), QStringLiteral("frm"), aktual,
                                      QStringLiteral("T"));
}

class FactorDialog : public CatalogueTest
{
protected:
    TfrmStanCzyn *dialog = frmStanCzyn(appstate::State());
    TfrmCzynniki *catalogue = frmCzynniki(appstate::State());
    TStanowisko w{QStringLiteral("1"), QStringLiteral("Spawalnia"), QStringLiteral("stan_1")};

    void SetUp() override
    {
        CatalogueTest::SetUp();
        appstate::State().ViewName = QStringLiteral("frmDefStan");
        appstate::State().ViewKind = storage::TViewKind::Workstations;
    }
    void TearDown() override
    {
        dialog->FormHide();
        CatalogueTest::TearDown();
    }
    void show()
    {
        dialog->Fill(w);
        dialog->FormShow();
    }
    QStringList working() const { return texts(dialog->lbStanCzyn); }
    // Chooses a group's factor (or own factor) in the docked catalogue and presses "dodaj".
    void group(const QString &ident)
    {
        for (int i = 0; i < catalogue->cbGrupyCzyn->count(); ++i) {
            catalogue->cbGrupyCzyn->setCurrentIndex(i);
            if (catalogue->SelectedGroup()->ident == ident)
                break;
        }
        catalogue->cbGrupyCzynChange();
    }
    void add(const QString &ident, const QString &text, bool own = false)
    {
        group(ident);
        QListWidget *list = own ? catalogue->lbCzynnikiWl : catalogue->lbCzynniki;
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
        dialog->bDodaj->click();
    }
};

} // namespace

TEST_F(FactorDialog, AFactorIsAddedOnceAndOwnFactorsAreMarkedAsOwn)
{
    fx.WriteText("poradn/czynfizWl.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<czynfizWl ver=\"1.0\" frm_dane=\"met5Krok\" ver_pom=\"1.0\">\n"
                 " <czynnik id=\"100001\" frm_dane=\"met5Krok\" ver_pom=\"1.0\" szkod=\"T\" aktualny=\"1\">Praca przy "
                 "ekranie</czynnik>\n</czynfizWl>\n");
    w.AddFactor(factor(QStringLiteral("Pył drewna"), "pyly", 80001), QStringLiteral("Pył drewna"));
    show();
    EXPECT_EQ(dialog->pStanNazwa->text(), " Stanowisko: Spawalnia");
    EXPECT_EQ(catalogue->pWyswCzynniki->parentWidget(), dialog->pAllCzyn);
    EXPECT_FALSE(catalogue->Panel3->isHidden()) << "own factors are chosen here";
    add("fiz", "Hałas");
    EXPECT_GT(catalogue->MeasurementPages()->Pages()->count(), 1) << "the factor's form is previewed in the dialog too";
    add("fiz", "Praca przy ekranie (met5Krok)", true);
    EXPECT_EQ(working(), QStringList({"Hałas", "Praca przy ekranie (czynnik własny)", "Pył drewna"}));
    EXPECT_EQ(dialog->EntryFactor(0)->aktual, "T");
    EXPECT_TRUE(boxes.boxes.isEmpty());

    add("fiz", "Hałas");
    // The number alone identifies a factor: a substance numbered like a listed dust is the same.
    add("chem", "Aceton");
    EXPECT_EQ(boxes.Texts(), QStringList({"Wybrany czynnik jest już na liście czynników na stanowisku!",
                                          "Wybrany czynnik jest już na liście czynników na stanowisku!"}));
    EXPECT_EQ(dialog->Count(), 3);
}

TEST_F(FactorDialog, TheEntryDoubleClickedIsShownAndAddedAndItsPanelFits)
{
    show();
    dialog->show(); // at the size it opens with
    group("chem");
    QApplication::processEvents();
    mouseChoose(catalogue->lbCzynniki, QStringLiteral("Ołów"), true);
    EXPECT_EQ(frmZwChem()->eNrCas->text(), "7439-92-1");
    QTest::mouseClick(dialog->bDodaj, Qt::LeftButton);
    EXPECT_EQ(working(), QStringList({QStringLiteral("Ołów")}));
    EXPECT_FALSE(frmZwChem()->pDaneCzynChem->findChild<QScrollArea *>()->horizontalScrollBar()->isVisible());
    dialog->hide();
}

TEST_F(FactorDialog, CurrentAndOlderDustsNeverStandTogether)
{
    fx.WriteText("poradn/czynpyly.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n<czynpyly ver=\"1.0\">\n"
                 " <pyly>\n"
                 "  <czynnik id=\"25100\" ver_pom=\"1.0\" frm_dane=\"pyly_sztuczwlok\" aktualny=\"1\" szkod=\"T\" "
                 "nazwa=\"Pył A 25100\">\n   <param typ=\"0\">\n  </czynnik>\n"
                 "  <czynnik id=\"25200\" ver_pom=\"1.0\" frm_dane=\"pyly_pozostale\" aktualny=\"1\" szkod=\"T\" "
                 "nazwa=\"Pył B 25200\">\n   <param typ=\"0\">\n  </czynnik>\n"
                 "  <czynnik id=\"25205\" ver_pom=\"1.0\" frm_dane=\"pyly\" aktualny=\"1\" szkod=\"T\" "
                 "nazwa=\"Pył C 25205\">\n   <param typ=\"0\">\n  </czynnik>\n"
                 "  <czynnik id=\"25215\" ver_pom=\"1.0\" frm_dane=\"pyly\" aktualny=\"1\" szkod=\"T\" "
                 "nazwa=\"Pył D 25215\">\n   <param typ=\"0\">\n  </czynnik>\n"
                 " </pyly>\n</czynpyly>\n");
    storage::ClearCatalogueCache();
    const QString refusedCurrent =
        "Uwaga:\n       Brak możliwości dodania wybranego czynnika do listy czynników na stanowisku.\n"
        "       Aktualnie na liście czynników na stanowisku występują nieaktualne czynniki pyłowe.\n"
        "       Aby dodać aktualny czynnik należy z listy czynników na stanowisku usunąć wszystkie nieaktualne "
        "czynniki pyłowe.";
    const QString refusedOlder =
        "Uwaga:\n       Brak możliwości dodania wybranego czynnika do listy czynników na stanowisku.\n"
        "       Aktualnie na liście czynników na stanowisku występują aktualne czynniki pyłowe.\n"
        "       Aby dodać nieaktualny czynnik należy z listy czynników na stanowisku usunąć wszystkie aktualne "
        "czynniki pyłowe.";
    show();
    add("pyly", "Pył A 25100");
    add("pyly", "Pył B 25200"); // 25200 is still an older dust
    EXPECT_TRUE(boxes.boxes.isEmpty());
    add("pyly", "Pył C 25205"); // above 25200: current
    add("pyly", "Pył D 25215");
    EXPECT_EQ(boxes.Texts(), QStringList({refusedCurrent, refusedCurrent}));

    // With a current dust listed, the older ones are refused and the current ones taken.
    boxes.boxes.clear();
    dialog->lbStanCzyn->setCurrentRow(0);
    boxes.Answer(platform::MsgYes);
    dialog->bUsunClick();
    dialog->lbStanCzyn->setCurrentRow(0);
    boxes.Answer(platform::MsgYes);
    dialog->bUsunClick();
    EXPECT_TRUE(boxes.boxes[0].text.startsWith("Czy na pewno usunąć wybrany czynnik?\nCzynnik: "));
    EXPECT_EQ(boxes.boxes[0].caption, "Potwierdź usunięcie danych ");
    EXPECT_EQ(dialog->Count(), 0);
    boxes.boxes.clear();
    add("pyly", "Pył C 25205");
    add("pyly", "Pył D 25215");
    add("pyly", "Pył A 25100");
    EXPECT_EQ(boxes.Texts(), QStringList({refusedOlder}));
    EXPECT_EQ(working(), QStringList({"Pył C 25205", "Pył D 25215"}));
}

TEST_F(FactorDialog, OkMergesWithoutDeletingAndNoAnswerKeepsTheFactor)
{
    w.AddFactor(factor(QStringLiteral("Hałas stary"), "fiz", 30001), QStringLiteral("Hałas stary"));
    w.AddFactor(factor(QStringLiteral("Toluen"), "chem", 80004), QStringLiteral("Toluen"));
    w.AddFactor(factor(QStringLiteral("Mikroklimat gorący"), "fiz", 50001, "N"), QStringLiteral("Mikroklimat gorący"));
    show();
    EXPECT_EQ(working(), QStringList({"Hałas stary", "Toluen"}));
    EXPECT_FALSE(dialog->Merge(w)) << "OK with no difference changes nothing";

    dialog->lbStanCzyn->setCurrentRow(1);
    dialog->bUsunClick(); // the scripted answer is No
    EXPECT_EQ(dialog->Count(), 2);
    boxes.Answer(platform::MsgYes);
    dialog->bUsunClick();
    EXPECT_EQ(working(), QStringList({"Hałas stary"}));
    dialog->lbStanCzyn->setCurrentRow(0);
    boxes.Answer(platform::MsgYes);
    dialog->bUsunClick();
    add("fiz", "Hałas");              // same number, the catalogue's name
    add("fiz", "Mikroklimat gorący"); // back from "no longer current"
    ASSERT_TRUE(dialog->Merge(w));

    ASSERT_EQ(w.Factors.size(), 3u) << "nothing is ever removed";
    EXPECT_EQ(w.Factors[0].factor->nazwa, "Hałas");
    EXPECT_EQ(w.Factors[0].text, "Hałas") << "the list shows the new name";
    EXPECT_EQ(w.Factors[1].factor->aktual, "N") << "Toluen was taken off";
    const TCzynnik &warm = *w.Factors[2].factor;
    EXPECT_EQ(warm.aktual, "T");
    EXPECT_EQ(warm.frm_dane, "mikroklimat_goracy") << "made current with the catalogue's form";
    EXPECT_EQ(warm.ver_pom, "1.0");
}

TEST_F(FactorDialog, TheWorkstationViewsButtonSavesTheChosenFactors)
{
    appstate::State().DataFolder = QStringLiteral("zaklocen\\");
    appstate::State().Workstations.clear();
    RegisterViews(appstate::State()); // the workstation view's factor button opens this dialog
    TfrmDefStan def(appstate::State());
    def.InitView();
    def.lbStanowiska->setCurrentRow(0); // the first sample workstation
    TStanowisko *chosen = def.CurrentWorkstation();
    ASSERT_TRUE(chosen);
    const int before = int(chosen->Factors.size());
    dialogs.steps.enqueue([this](QDialog &d) {
        EXPECT_EQ(&d, dialog);
        add("uciaz", "Monotypia pracy");
        dialog->bOk->click();
        return dialog->result();
    });
    def.bWybierzClick();
    EXPECT_TRUE(def.lbStanCzyn->findItems("Monotypia pracy", Qt::MatchExactly).size() == 1);
    EXPECT_TRUE(appstate::State().Modified());
    ASSERT_TRUE(def.SaveWorkstation());
    TStanowisko back(chosen->id, QString(), chosen->kat_dane);
    storage::ReadWorkstationData(storage::WorkstationDataPath("zaklocen\\", chosen->kat_dane), back,
                                 storage::WorkstationReadOptions::AllFactors());
    ASSERT_EQ(int(back.Factors.size()), before + 1);
    EXPECT_EQ(back.Factors.back().factor->nazwa, "Monotypia pracy");
    EXPECT_EQ(back.Factors.back().factor->aktual, "T");
    EXPECT_EQ(catalogue->pWyswCzynniki->parentWidget(), catalogue) << "the catalogue went back";
    appstate::State().Workstations.clear();
}
