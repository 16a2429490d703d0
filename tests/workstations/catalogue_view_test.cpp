// The factor catalogue and its chemical and biological panels, driven through their real
// widgets on a copy of the installation.
#include "tests/workstations/catalogue_test_support.h"

#include "widgets/radio_group.h"
#include "workstations/frm_zw_biol.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace cataloguetest;
using namespace workstations;

namespace {

class Catalogue : public CatalogueTest
{
};

} // namespace

TEST_F(Catalogue, EveryGroupListsItsFactorsAndDocksItsPanel)
{
    QSignalSpy saveOffered(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
    open();
    EXPECT_EQ(view->cbGrupyCzyn->count(), 5);
    EXPECT_EQ(view->cbGrupyCzyn->currentIndex(), -1);
    EXPECT_EQ(view->cbGrupyCzyn->placeholderText(), "Wybierz grupę czynników ...");
    EXPECT_TRUE(view->Panel3->isHidden()) << "own factors are kept from the workstation's factor dialog";

    chooseGroup("chem");
    EXPECT_EQ(view->DockedPanel(), frmZwChem()->pDaneCzynChem);
    // Polish order, only current substances; the first is shown.
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Aceton", "Benzen", "Kwas mrówkowy", "Ołów", "Rtęć"}));
    EXPECT_EQ(view->lbCzynniki->currentRow(), 0);
    EXPECT_EQ(frmZwChem()->mmNazwCzyn->toPlainText(), "Aceton");

    chooseGroup("pyly");
    EXPECT_EQ(view->DockedPanel(), pages()->PageArea());
    EXPECT_EQ(view->lbCzynniki->item(0)->text(), "Pyły apatytów i fosforytów") << "file order";
    EXPECT_GT(pages()->Pages()->count(), 1) << "the first dust's form with its risk tab";
    EXPECT_TRUE(pages()->Pages()->findChild<QWidget *>("ts_OcenaRyzyka"));

    chooseGroup("fiz");
    EXPECT_EQ(view->lbCzynniki->item(0)->text(), "Drgania miejscowe (działające przez kończyny górne)");
    clickFactor("Hałas");
    ASSERT_GT(pages()->Pages()->count(), 1);
    EXPECT_EQ(pages()->FormName(), view->PreviewItems().front()->function());

    chooseGroup("biol");
    EXPECT_EQ(view->DockedPanel(), frmZwBiol()->pDaneCzynBiol);
    EXPECT_EQ(frmZwBiol()->mmNazwCzyn->toPlainText(), view->lbCzynniki->item(0)->text());
    // The form area lent to the preview went back to the measurement window.
    EXPECT_NE(pages()->PageArea()->parentWidget(), view->pDaneCzyn);

    chooseGroup("uciaz");
    EXPECT_EQ(view->lbCzynniki->count(), 7);
    EXPECT_EQ(view->DockedPanel(), pages()->PageArea());

    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(saveOffered.count(), 0);
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
}

TEST_F(Catalogue, AktualneListsOnlyCurrentDustsAndSubstancesWszystkieAll)
{
    fx.WriteText("poradn/czynpyly.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n<czynpyly ver=\"1.0\">\n"
                 " <pyly>\n"
                 "  <czynnik id=\"25050\" ver_pom=\"1.0\" frm_dane=\"pyly_drewna\" aktualny=\"0\" szkod=\"T\" "
                 "nazwa=\"Pyły drewna (dawne)\">\n   <param typ=\"0\">\n  </czynnik>\n"
                 "  <czynnik id=\"25203\" ver_pom=\"1.0\" frm_dane=\"pyly\" aktualny=\"1\" szkod=\"T\" "
                 "nazwa=\"Pył tlenków żelaza\">\n   <param typ=\"0\">\n  </czynnik>\n"
                 " </pyly>\n</czynpyly>\n");
    storage::ClearCatalogueCache();
    open();
    chooseGroup("pyly");
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Pył tlenków żelaza"}));
    view->rgAktual->Button(1)->click(); // "Wszystkie" reads the group again
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Pyły drewna (dawne)", "Pył tlenków żelaza"}));
    chooseGroup("chem");
    EXPECT_TRUE(texts(view->lbCzynniki).contains("Eter wycofany"));
}

TEST_F(Catalogue, AClickedEntryIsShownAndStaysChosenUnderAnotherFilter)
{
    open();
    view->show();
    chooseGroup("chem");
    mouseChoose(view->lbCzynniki, QStringLiteral("Rtęć"));
    EXPECT_EQ(frmZwChem()->eNrCas->text(), "7439-97-6");
    EXPECT_EQ(frmZwChem()->eNDSDop->text(), "0.02");
    QTest::mouseClick(view->rgAktual->Button(1), Qt::LeftButton); // "Wszystkie" lists it too
    EXPECT_EQ(frmZwChem()->eNrCas->text(), "7439-97-6");
    chooseGroup("fiz");
    const QString firstForm = pages()->FormName();
    mouseChoose(view->lbCzynniki, QStringLiteral("Hałas"));
    EXPECT_NE(pages()->FormName(), firstForm) << "the clicked factor's form";
}

TEST_F(Catalogue, AFactorPreviewIsEditableButNeverOffersSave)
{
    QSignalSpy saveOffered(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
    open();
    chooseGroup("fiz");
    clickFactor("Hałas");
    QLineEdit *edit = nullptr;
    for (QLineEdit *e : pages()->Pages()->findChildren<QLineEdit *>())
        if (e->objectName().startsWith("ed_") && e->isEnabled() && !e->isReadOnly()) {
            edit = e;
            break;
        }
    ASSERT_TRUE(edit) << "the preview takes the form's own access";
    edit->setText("85");
    pages()->ExitField(edit);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(saveOffered.count(), 0);
}

TEST_F(Catalogue, AFactorWhoseFormIsNotInstalledSaysSoAndShowsNoForm)
{
    fx.WriteText("poradn/czynfiz.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n<czynfiz ver=\"1.0\">\n"
                 " <czynnik id=\"30001\" ver_pom=\"1.0\" frm_dane=\"halas_fizyczny\" aktualny=\"1\" "
                 "szkod=\"T\">Hałas</czynnik>\n"
                 " <czynnik id=\"39999\" ver_pom=\"\" frm_dane=\"nieznany\" aktualny=\"1\" szkod=\"T\">Bez formularza"
                 "</czynnik>\n</czynfiz>\n");
    open();
    chooseGroup("fiz");
    ASSERT_GT(pages()->Pages()->count(), 1);
    clickFactor("Bez formularza");
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains("nieznany_frm_")) << boxes.boxes[0].text.toStdString();
    EXPECT_EQ(pages()->Pages()->count(), 0);
    EXPECT_TRUE(view->PreviewItems().empty());
}

TEST_F(Catalogue, AMissingCatalogueIsReportedAndListsNothing)
{
    QFile::remove(fx.FilePath("poradn/czynchem.xml"));
    open();
    chooseGroup("chem");
    EXPECT_EQ(view->lbCzynniki->count(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains("czynchem.xml")) << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(frmZwChem()->mmNazwCzyn->toPlainText().isEmpty());

    // A catalogue of another configuration lists nothing, without a message.
    storage::ConfigVersion() = QStringLiteral("2.0");
    fx.WriteText("poradn/czynchem.xml", ChemicalCatalogue());
    boxes.boxes.clear();
    chooseGroup("chem");
    EXPECT_EQ(view->lbCzynniki->count(), 0);
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

// ---- the chemical panel ------------------------------------------------------------------

TEST_F(Catalogue, ChemicalDetailsBlankMissingShortTermLimitsAndMarkTheSubstancesGroups)
{
    open();
    chooseGroup("chem");
    TfrmZwChem *chem = frmZwChem();
    EXPECT_EQ(chem->eNDSDop->text(), "600");
    EXPECT_EQ(chem->eNDSChDop->text(), "1800");
    EXPECT_EQ(chem->eNDSPDop->text(), "") << "-1: no ceiling value";
    EXPECT_EQ(chem->eNrCas->text(), "67-64-1");
    EXPECT_EQ(chem->eZwrotyH->text(), "H225, H319, H336");
    // typ 2304 = bits 8 and 11; typh 5136 = bits 4, 10 and 12.
    for (const char *marked : {"cbTypRozp", "cbTypDraz", "cbTyp_New_4", "cbTyp_New_11", "cbTyp_New_13", "cbTyp_New_21"})
        EXPECT_TRUE(GroupMarked(chem->Box(marked))) << marked;
    for (const char *plain : {"cbTypRak", "cbTyp_New_10", "cbTyp_New_12", "cbTyp_New_0"})
        EXPECT_FALSE(GroupMarked(chem->Box(plain))) << plain;
    EXPECT_EQ(chem->Box("cbTypRak")->text(), "&rakotwórczych kategorii 1 (1A)");
    EXPECT_EQ(chem->pDaneCzynChem->findChildren<QCheckBox *>().size(), 15 + 22 + 1);

    clickFactor("Kwas mrówkowy");
    EXPECT_EQ(chem->eNDSDop->text(), "-1") << "the time-weighted limit is shown as stored";
    EXPECT_EQ(chem->eNDSPDop->text(), "10");
    EXPECT_TRUE(chem->cbKlasCLP->isChecked()) << "typh 0 is classified under CLP";
}

TEST_F(Catalogue, ASubstanceOutsideClpSwitchesToTheOlderGroupsAndClearsTheFilters)
{
    open();
    chooseGroup("chem");
    TfrmZwChem *chem = frmZwChem();
    chem->Box("cbTyp_New_4")->setChecked(true);
    EXPECT_EQ(chem->ClpMask(), 1 << 4);
    clickFactor("Rtęć");
    EXPECT_FALSE(chem->cbKlasCLP->isChecked());
    EXPECT_FALSE(chem->Panel1->isHidden());
    EXPECT_TRUE(chem->Panel2->isHidden());
    EXPECT_FALSE(chem->Box("cbTyp_New_4")->isChecked());
    EXPECT_EQ(chem->ClpMask(), 0);
    EXPECT_TRUE(GroupMarked(chem->Box("cbTypRak")));

    chem->Box("cbTypZabKob")->setChecked(true);
    clickFactor("Ołów"); // another one outside CLP changes nothing further
    EXPECT_TRUE(chem->Box("cbTypZabKob")->isChecked());
    EXPECT_EQ(chem->HazardGroupMask(), 1 << 10);
}

TEST_F(Catalogue, PokazListsTheCheckedGroupsUnderTheClassificationShown)
{
    open();
    chooseGroup("chem");
    TfrmZwChem *chem = frmZwChem();
    // Under CLP the solvent box stands for `typ` bit 8.
    chem->Box("cbTyp_New_21")->setChecked(true);
    EXPECT_EQ(chem->HazardGroupMask(), 1 << 8);
    EXPECT_EQ(chem->ClpMask(), 0);
    chem->BitBtn1->click();
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Aceton"}));
    EXPECT_EQ(chem->mmNazwCzyn->toPlainText(), "Aceton");

    chem->Box("cbTyp_New_21")->setChecked(false);
    chem->Box("cbTyp_New_17")->setChecked(true); // carcinogenic 1A, 1B: typh bit 16
    chem->BitBtn1->click();
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Benzen"}));

    // The older groups list only substances outside CLP.
    chem->cbKlasCLP->setChecked(false);
    EXPECT_EQ(chem->ClpMask(), 0);
    EXPECT_FALSE(chem->Box("cbTyp_New_17")->isChecked());
    chem->Box("cbTypRak")->setChecked(true);
    chem->bPokaz->click();
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Rtęć"}));
}

TEST_F(Catalogue, SzukajFindsNamesAndCasNumbersWithPolishLettersEitherCase)
{
    open();
    chooseGroup("chem");
    TfrmZwChem *chem = frmZwChem();
    const auto search = [&](const QString &text) {
        chem->edSzukStr->setText(text);
        chem->bbSzukaj->click();
        return texts(view->lbCzynniki);
    };
    EXPECT_EQ(search("RTĘĆ"), QStringList({"Rtęć"}));
    EXPECT_EQ(search("ołów"), QStringList({"Ołów"}));
    EXPECT_EQ(search("7439-9"), QStringList({"Ołów", "Rtęć"}));
    // The text alone decides: the group filters do not narrow a search.
    chem->Box("cbTyp_New_17")->setChecked(true);
    EXPECT_EQ(search("aceton"), QStringList({"Aceton"}));

    // Nothing found: no details of a substance no longer listed.
    EXPECT_TRUE(search("żaden").isEmpty());
    EXPECT_TRUE(chem->mmNazwCzyn->toPlainText().isEmpty());
    EXPECT_TRUE(chem->eNrCas->text().isEmpty());
    EXPECT_TRUE(chem->eNDSDop->text().isEmpty());
    EXPECT_FALSE(GroupMarked(chem->Box("cbTypRozp")));

    // A text the list no longer follows does not stay typed ("Pokaż", the group again).
    search("ołów"), chem->BitBtn1->click();
    EXPECT_TRUE(chem->edSzukStr->text().isEmpty());
    search("ołów"), chooseGroup("chem");
    EXPECT_TRUE(chem->edSzukStr->text().isEmpty() && !chem->Box("cbTyp_New_17")->isChecked());
}

// ---- the biological panel ----------------------------------------------------------------

TEST_F(Catalogue, BiologicalPanelFiltersByKindAndShowsTheHazardGroup)
{
    fx.WriteText("poradn/czynbiol.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<czynbiol ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"biologiczny\">\n"
                 " <czynnik id=\"90001\" nazwa=\"Bakteria A\">\n  <param typczyn=\"1\" grzagr=\"3\" uszgrzagr=\"1\" "
                 "ozndod=\"T\">\n </czynnik>\n"
                 " <czynnik id=\"90002\" nazwa=\"Wirus B\">\n  <param typczyn=\"2\" grzagr=\"0\" uszgrzagr=\"0\" "
                 "ozndod=\"\">\n </czynnik>\n"
                 " <czynnik id=\"90003\" nazwa=\"Pasożyt C\">\n  <param typczyn=\"3\" grzagr=\"2\" uszgrzagr=\"0\" "
                 "ozndod=\"\">\n </czynnik>\n"
                 " <czynnik id=\"90004\" nazwa=\"Grzyb D\">\n  <param typczyn=\"4\" grzagr=\"2\" uszgrzagr=\"0\" "
                 "ozndod=\"A\">\n </czynnik>\n"
                 "</czynbiol>\n");
    open();
    chooseGroup("biol");
    TfrmZwBiol *biol = frmZwBiol();
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Bakteria A", "Grzyb D", "Pasożyt C", "Wirus B"}));
    EXPECT_EQ(biol->eGrZagr->text(), "3");
    EXPECT_EQ(biol->eOznDod->text(), "T");
    EXPECT_FALSE(biol->lGrZagr->isHidden());
    EXPECT_TRUE(GroupMarked(biol->cbBakterie));
    EXPECT_FALSE(GroupMarked(biol->cbWirusy));

    clickFactor("Wirus B"); // no hazard group: the fields go
    EXPECT_TRUE(biol->eGrZagr->isHidden());
    EXPECT_TRUE(biol->lOpGrZagr->isHidden());
    EXPECT_TRUE(biol->lGrZagr->isHidden());
    EXPECT_TRUE(GroupMarked(biol->cbWirusy));

    for (QCheckBox *b : {biol->cbBakterie, biol->cbWirusy, biol->cbPasozyty, biol->cbGrzyby})
        b->setChecked(false);
    EXPECT_EQ(biol->KindFilter(), "0");
    biol->bPokaz->click();
    EXPECT_EQ(view->lbCzynniki->count(), 4);
    biol->cbWirusy->setChecked(true);
    biol->cbGrzyby->setChecked(true);
    EXPECT_EQ(biol->KindFilter(), "024");
    biol->bPokaz->click();
    EXPECT_EQ(texts(view->lbCzynniki), QStringList({"Grzyb D", "Wirus B"}));
    EXPECT_EQ(biol->mmNazwCzyn->toPlainText(), "Wirus B") << "still listed: still chosen";
    biol->cbWirusy->setChecked(false);
    biol->cbGrzyby->setChecked(false);
}
