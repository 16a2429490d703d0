// The workstation definition view driven through its real widgets, headless: a field's
// text is set, its exit handler run, and the files and the other fields read back.
#include "appstate/appstate.h"
#include "platform/prompter.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/support/model_list.h"
#include "widgets/field_binding.h"
#include "widgets/field_limits.h"
#include "workstations/frm_def_stan.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace storage;
using namespace workstations;

namespace {

const QString Data = QStringLiteral("dane\\");

std::unique_ptr<TCzynnik> factor(const QString &nazwa, const QString &ident, int id, const QString &aktual)
{
    return std::make_unique<TCzynnik>(nazwa, ident, id, QStringLiteral("1.0"), QStringLiteral("frm"), aktual,
                                      QStringLiteral("T"));
}

class DefStan : public ::testing::Test
{
protected:
    // The shipped catalogues stand beside the data, as in an installation: reading a
    // workstation looks up its factors' form versions in them.
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    std::unique_ptr<TfrmDefStan> view;

    void SetUp() override
    {
        auto &s = appstate::State();
        s.DataFolder = Data;
        s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
        s.CatalogueFolder = QStringLiteral("poradn\\");
        s.AttachFolder = QStringLiteral("zal\\");
        s.ViewName = QStringLiteral("frmDefStan");
        s.ViewKind = storage::TViewKind::Workstations;
        s.ListVersion.clear();
        s.Workstations.clear();
        s.SetModified(false);
        s.NewDocument = false;

        std::vector<std::unique_ptr<TStanowisko>> list;
        auto spaw = std::make_unique<TStanowisko>("1", QStringLiteral("Spawalnia"), "stan_1");
        spaw->Kod = QStringLiteral("SP-1");
        spaw->DataRej = QStringLiteral("2019-04-02");
        spaw->Lokalizacja = QStringLiteral("Hala A");
        spaw->Opis = QStringLiteral("Spawanie MAG\nstal węglowa");
        spaw->AddEmployment(TZatrudn("2022", "6", "0", "0", "0", "2", "4"));
        spaw->AddEmployment(TZatrudn("2023", "7", "1", "0", "0", "2", "5"));
        spaw->AddFactor(factor(QStringLiteral("Hałas"), "fiz", 30001, "T"));
        spaw->AddFactor(factor(QStringLiteral("Pył spawalniczy"), "pyly", 25100, "T"));
        spaw->AddFactor(factor(QStringLiteral("Promieniowanie UV"), "fiz", 30020, "N"));
        list.push_back(std::move(spaw));
        auto biuro = std::make_unique<TStanowisko>("2", QStringLiteral("Biuro"), "stan_2");
        biuro->Kod = QStringLiteral("B-1");
        list.push_back(std::move(biuro));
        auto lak = std::make_unique<TStanowisko>("4", QStringLiteral("Lakiernia"), "stan_4");
        lak->AddFactor(factor(QStringLiteral("Ksylen"), "chem", 12, "T"));
        list.push_back(std::move(lak));
        for (const auto &w : list)
            ASSERT_TRUE(WriteWorkstationData(Data, *w));
        ASSERT_TRUE(WriteWorkstationList(Data, list));
        openView();
    }
    void TearDown() override
    {
        view.reset();
        appstate::State().Workstations.clear();
        appstate::State().SetModified(false);
    }

    // A fresh view, as after a restart of the program.
    void openView()
    {
        view.reset();
        appstate::State().Workstations.clear();
        view = std::make_unique<TfrmDefStan>(appstate::State());
        view->InitView();
    }

    QStringList listTexts() const { return testsupport::ListTexts(view->lbStanowiska); }
    QStringList factorTexts() const { return testsupport::ListTexts(view->lbStanCzyn); }
    void showActive()
    {
        view->show(), view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    void choose(const QString &name)
    {
        const auto rows = testsupport::RowsWithText(view->lbStanowiska, name);
        ASSERT_EQ(rows.size(), 1u) << name.toStdString();
        view->lbStanowiska->setCurrentRow(rows[0]); // raises the list's click handler
    }
    void reopen(const QString &name) { openView(), choose(name); }
    void focus(QWidget *w) { w->setFocus(Qt::TabFocusReason), QApplication::processEvents(); }
    void setDate(const QDate &date) { view->dtDataRej->setDate(date), view->SprZmiany(view->dtDataRej); }
    void type(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        view->SprZmiany(edit);
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = view->sgZatrudn->item(row, column);
        return item ? item->text() : QString();
    }
    void setCell(int row, int column, const QString &text)
    {
        view->sgZatrudn->setCurrentCell(row, column);
        ASSERT_TRUE(view->sgZatrudnSetEditText(row, column, text));
    }
    bool modified() const { return appstate::State().Modified(); }
    TStanowisko readBack(const QString &id, const QString &folder)
    {
        TStanowisko r(id, QString(), folder);
        ReadWorkstationData(Data + folder + "\\stanowisko_dane.xml", r, WorkstationReadOptions::AllFactors());
        return r;
    }
};

} // namespace

TEST_F(DefStan, ShowsTheListSortedAndAChosenWorkstationsDataCurrentFactorsAndEmployment)
{
    EXPECT_EQ(listTexts(), QStringList({"Biuro", "Lakiernia", "Spawalnia"}));
    EXPECT_TRUE(view->pgDefin->isHidden()); // nothing chosen
    EXPECT_EQ(view->sgZatrudn->horizontalHeaderItem(1)->text(), QStringLiteral("Mężczyźni"));
    EXPECT_EQ(view->dtDataRej->displayFormat(), "yyyy-MM-dd");
    choose("Spawalnia");
    EXPECT_FALSE(view->pgDefin->isHidden());
    EXPECT_EQ(view->e_Nazwa->text(), "Spawalnia");
    EXPECT_EQ(view->e_Kod->text(), "SP-1");
    EXPECT_EQ(view->dtDataRej->date(), QDate(2019, 4, 2));
    EXPECT_EQ(view->e_Opis->toPlainText(), QStringLiteral("Spawanie MAG\nstal węglowa"));
    EXPECT_EQ(factorTexts(), QStringList({QStringLiteral("Hałas"), QStringLiteral("Pył spawalniczy")}));
    ASSERT_EQ(view->sgZatrudn->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "2023");
    EXPECT_EQ(cell(1, 6), "5");
    // A workstation without a registration date shows today; one without employment the
    // current year.
    choose("Biuro");
    EXPECT_EQ(view->dtDataRej->date(), QDate::currentDate());
    ASSERT_EQ(view->sgZatrudn->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(cell(0, 3), "0");
    EXPECT_TRUE(factorTexts().isEmpty());
    EXPECT_FALSE(modified());
}

// Looked at and left, a workstation keeps a stored text longer than its field's limit, and
// no register date (today is only shown).
TEST_F(DefStan, LookingAtAWorkstationChangesNeitherAnOverlongTextNorAMissingDate)
{
    const QString location = QStringLiteral("Hala produkcyjna nr 2, nawa B, stanowisko przy suwnicy nr 7 (strefa Ex)");
    {
        TStanowisko w("2", QStringLiteral("Biuro"), "stan_2");
        w.Kod = QStringLiteral("B-1"), w.Lokalizacja = location;
        ASSERT_TRUE(WriteWorkstationData(Data, w));
    }
    reopen("Biuro");
    EXPECT_TRUE(view->e_Lokalizacja->text() == location && view->dtDataRej->date() == QDate::currentDate());
    view->SprZmiany(view->e_Lokalizacja), view->SprZmiany(view->dtDataRej), view->SprZmiany(view->e_Kod);
    view->SprZmiany(view->e_Opis), widgets::CommitField(view->e_Nazwa);
    EXPECT_FALSE(modified());
    EXPECT_TRUE(view->CurrentWorkstation()->Lokalizacja == location && view->CurrentWorkstation()->DataRej.isEmpty());
    EXPECT_EQ(widgets::EditMaxLength(view->e_Lokalizacja), 45);
    EXPECT_EQ(widgets::EditMaxLength(view->e_Nazwa), 128);
    EXPECT_EQ(widgets::EditMaxLength(view->e_NrRegon), 16);
    // A date the user sets is the register date.
    setDate(QDate(2021, 5, 4));
    EXPECT_TRUE(modified());
    EXPECT_EQ(view->CurrentWorkstation()->DataRej, "2021-05-04");
    // Today chosen on purpose is a date given too.
    reopen("Biuro");
    view->dtDataRej->setDate(QDate::currentDate().addDays(-1));
    setDate(QDate::currentDate());
    EXPECT_EQ(view->CurrentWorkstation()->DataRej, QDate::currentDate().toString("yyyy-MM-dd"));
}

TEST_F(DefStan, ModifySaveRestartFindsItUnchanged)
{
    choose("Spawalnia");
    type(view->e_Nazwa, QStringLiteral("  Spawalnia \"Północ\" ąćęłńóśźż "));
    type(view->e_Kod, QStringLiteral("SP/01 \"A\""));
    type(view->e_Lokalizacja, QStringLiteral("Hala Ł"));
    setDate(QDate(2020, 2, 29));
    view->e_Opis->setPlainText(QStringLiteral("Linia 1\n  Linia 2 z \"cudzysłowem\"\n"));
    view->SprZmiany(view->e_Opis);
    setCell(1, 2, QStringLiteral("3"));
    view->sgZatrudnExit();
    EXPECT_TRUE(modified());
    ASSERT_TRUE(view->Save());
    EXPECT_FALSE(modified());
    EXPECT_EQ(testsupport::CurrentText(view->lbStanowiska), QStringLiteral("  Spawalnia \"Północ\" ąćęłńóśźż "));

    openView();
    EXPECT_EQ(listTexts(), QStringList({QStringLiteral("  Spawalnia \"Północ\" ąćęłńóśźż "), "Biuro", "Lakiernia"}));
    choose(QStringLiteral("  Spawalnia \"Północ\" ąćęłńóśźż "));
    EXPECT_EQ(view->e_Kod->text(), QStringLiteral("SP/01 \"A\""));
    EXPECT_EQ(view->e_Lokalizacja->text(), QStringLiteral("Hala Ł"));
    EXPECT_EQ(view->dtDataRej->date(), QDate(2020, 2, 29));
    EXPECT_EQ(view->e_Opis->toPlainText(), QStringLiteral("Linia 1\n  Linia 2 z \"cudzysłowem\"\n"));
    EXPECT_EQ(cell(1, 2), "3");
    EXPECT_EQ(factorTexts().size(), 2);
    // The factor no longer current is still in the file.
    EXPECT_EQ(readBack("1", "stan_1").Factors.size(), 3u);
}

TEST_F(DefStan, NewWorkstationTakesTheSmallestFreeIdAndNoFactors)
{
    choose("Spawalnia"); // a workstation with factors shown just before
    view->New();
    EXPECT_TRUE(view->EnteringNew() && view->e_Nazwa->text().isEmpty() && factorTexts().isEmpty() &&
                view->lbStanowiska->currentRow() == -1);
    type(view->e_Nazwa, QStringLiteral("Magazyn wyrobów gotowych"));
    EXPECT_TRUE(modified());
    type(view->e_Kod, QStringLiteral("MAG-1"));
    setCell(0, 1, QStringLiteral("5"));
    ASSERT_TRUE(view->Save());
    EXPECT_FALSE(view->EnteringNew());
    ASSERT_TRUE(fx.Exists("dane/stan_3/stanowisko_dane.xml"));
    TStanowisko r = readBack("3", "stan_3");
    EXPECT_EQ(r.Kod, "MAG-1");
    EXPECT_TRUE(r.Factors.empty());
    ASSERT_EQ(r.Employment.size(), 1u);
    EXPECT_EQ(r.Employment[0].Mezczyzni, "5");
    EXPECT_TRUE(
        fx.ReadText("dane/struktura_dane.xml")
            .contains(QStringLiteral("<stanowisko id=\"3\" nazwa=\"Magazyn wyrobów gotowych\" kat_dane=\"stan_3\">")));
    EXPECT_EQ(testsupport::CurrentText(view->lbStanowiska), QStringLiteral("Magazyn wyrobów gotowych"));
    EXPECT_EQ(view->CurrentWorkstation()->id, "3");
}

TEST_F(DefStan, NewIdSkipsAFolderLeftBehind)
{
    fx.Write("dane/stan_3/halas_dane.xml", "stare pomiary");
    EXPECT_EQ(TfrmDefStan::NewWorkstationId(appstate::State().Workstations, Data), 5);
    // One a killed save left empty holds nothing to lend, and is taken again.
    ASSERT_TRUE(QDir().mkpath(fx.FilePath("dane/stan_5")));
    EXPECT_EQ(TfrmDefStan::NewWorkstationId(appstate::State().Workstations, Data), 5);
    storage::WorkstationList empty;
    EXPECT_EQ(TfrmDefStan::NewWorkstationId(empty, QStringLiteral("brak\\")), 1);
}

TEST_F(DefStan, NamesAreCheckedForNewAndRenamedWorkstations)
{
    view->New();
    ASSERT_FALSE(view->Save());
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Nie wypełnione pole: Nazwa stanowiska"));
    type(view->e_Nazwa, QStringLiteral("BIURO"));
    ASSERT_FALSE(view->Save());
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Stanowisko o tej nazwie już znajduje się na liście"));
    EXPECT_EQ(appstate::State().Workstations.size(), 3u);
    // Polish letters keep their case in the comparison.
    EXPECT_FALSE(TfrmDefStan::SameWorkstationName(QStringLiteral("ąb"), QStringLiteral("ĄB")));
    EXPECT_TRUE(TfrmDefStan::SameWorkstationName(QStringLiteral("ąb"), QStringLiteral("ąB")));
    type(view->e_Nazwa, QStringLiteral("ŁAZIENKA"));
    EXPECT_TRUE(view->Save());

    choose("Lakiernia");
    type(view->e_Nazwa, QStringLiteral("spawalnia"));
    EXPECT_FALSE(view->Save());
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Stanowisko o tej nazwie już znajduje się na liście"));
    type(view->e_Nazwa, QStringLiteral(" "));
    EXPECT_FALSE(view->Save());
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Nie wypełnione pole: Nazwa stanowiska"));
    EXPECT_TRUE(modified());
    EXPECT_TRUE(fx.ReadText("dane/struktura_dane.xml").contains(QStringLiteral("nazwa=\"Lakiernia\"")));
}

TEST_F(DefStan, AnulujKeepsARenameNoUndoesItAndReloadsTheFile)
{
    choose("Spawalnia");
    type(view->e_Nazwa, QStringLiteral("Zmieniona"));
    type(view->e_Kod, QStringLiteral("XX"));
    boxes.Answer(platform::MsgCancel); // as Escape and a closed box answer: nothing moves
    choose("Biuro");
    EXPECT_EQ(testsupport::CurrentText(view->lbStanowiska), "Spawalnia");
    EXPECT_TRUE(modified() && view->e_Kod->text() == "XX");
    boxes.Answer(platform::MsgNo);
    choose("Biuro");
    ASSERT_FALSE(boxes.boxes.isEmpty());
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Nie zapisano danych. Zapisać?"));
    EXPECT_EQ(boxes.boxes.last().caption, QStringLiteral("Potwierdź zapisanie danych "));
    EXPECT_FALSE(modified());
    EXPECT_EQ(view->e_Nazwa->text(), "Biuro");
    TStanowisko *spaw = FindWorkstationById(appstate::State().Workstations, "1");
    EXPECT_TRUE(spaw->nazwa == "Spawalnia" && spaw->Kod == "SP-1");
    EXPECT_EQ(listTexts(), QStringList({"Biuro", "Lakiernia", "Spawalnia"}));
    // Saving another workstation now does not carry the dropped name into the list.
    type(view->e_Kod, QStringLiteral("B-2"));
    ASSERT_TRUE(view->Save());
    EXPECT_TRUE(fx.ReadText("dane/struktura_dane.xml").contains(QStringLiteral("nazwa=\"Spawalnia\"")));
    EXPECT_FALSE(fx.ReadText("dane/struktura_dane.xml").contains(QStringLiteral("Zmieniona")));
    // No for a new workstation drops its form.
    view->New(), type(view->e_Nazwa, QStringLiteral("Nowe")), boxes.Answer(platform::MsgNo), choose("Lakiernia");
    EXPECT_TRUE(view->e_Nazwa->text() == "Lakiernia" && !view->EnteringNew());
    EXPECT_EQ(appstate::State().Workstations.size(), 3u);
}

TEST_F(DefStan, YesSavesAndTheClickedWorkstationIsShownAfterTheListIsResorted)
{
    choose("Spawalnia");
    type(view->e_Nazwa, QStringLiteral("Akumulatornia")); // moves to the top of the list
    boxes.Answer(platform::MsgYes);
    choose("Lakiernia");
    EXPECT_FALSE(modified());
    EXPECT_EQ(view->e_Nazwa->text(), "Lakiernia");
    EXPECT_EQ(view->CurrentWorkstation()->id, "4");
    EXPECT_EQ(testsupport::CurrentText(view->lbStanowiska), "Lakiernia");
    EXPECT_EQ(listTexts(), QStringList({"Akumulatornia", "Biuro", "Lakiernia"}));
    EXPECT_EQ(factorTexts(), QStringList({"Ksylen"}));
}

TEST_F(DefStan, GridExitFillsZerosAndReplacesEmployment)
{
    choose("Spawalnia");
    setCell(0, 2, QString());
    setCell(0, 4, QStringLiteral(" "));
    view->sgZatrudn->setCurrentCell(0, 2), view->sgZatrudnExit();
    EXPECT_TRUE(cell(0, 2) == "0" && cell(0, 4) == "0" && !modified()); // zeros where zeros were
    setCell(0, 1, QStringLiteral("8"));
    view->sgZatrudnExit();
    EXPECT_TRUE(modified());
    EXPECT_EQ(view->CurrentWorkstation()->FindEmployment("2022")->Mezczyzni, "8");
}

TEST_F(DefStan, YearsTypedOutOfOrderAreKeptInYearOrderAndLeavingAgainChangesNothing)
{
    choose("Spawalnia");
    setCell(0, 0, QStringLiteral("2025"));
    view->sgZatrudn->setCurrentCell(0, 0);
    view->sgZatrudnExit();
    EXPECT_TRUE(modified());
    const auto &employment = view->CurrentWorkstation()->Employment;
    ASSERT_EQ(employment.size(), 2u);
    EXPECT_EQ(employment[0].Rok, "2023");
    EXPECT_EQ(employment[1].Rok, "2025");
    EXPECT_EQ(employment[1].Mezczyzni, "6");
    ASSERT_TRUE(view->SaveWorkstation());
    ASSERT_FALSE(modified());
    // Only a change of the grid marks the data changed, not its being left once more.
    view->sgZatrudnExit();
    EXPECT_FALSE(modified());
}

TEST_F(DefStan, TheFirstKeystrokeOffersSave)
{
    choose("Spawalnia");
    QSignalSpy save(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
    QTest::keyClick(view->e_Lokalizacja, Qt::Key_B);
    ASSERT_EQ(save.size(), 1);
    EXPECT_TRUE(save[0][0].toBool());
    EXPECT_FALSE(modified());
}

TEST_F(DefStan, AddRowContinuesTheYears)
{
    choose("Spawalnia");
    view->bbAddRowClick();
    ASSERT_EQ(view->sgZatrudn->rowCount(), 3);
    EXPECT_EQ(cell(2, 0), "2024");
    EXPECT_EQ(cell(2, 6), "0");
    EXPECT_EQ(view->sgZatrudn->currentRow(), 2);
    EXPECT_TRUE(modified());
    EXPECT_EQ(view->CurrentWorkstation()->Employment.size(), 3u);
    setCell(2, 0, QStringLiteral("0"));
    view->bbAddRowClick();
    EXPECT_EQ(cell(3, 0), "");
}

TEST_F(DefStan, DeletingTheOnlyRowLeavesOneEmptyRow)
{
    choose("Biuro");
    view->sgZatrudn->setCurrentCell(0, 0);
    boxes.Answer(platform::MsgYes);
    view->bbDelRowClick();
    EXPECT_TRUE(boxes.boxes.last().text.startsWith(
        QStringLiteral("Czy na pewno usunąć wybrany wiersz w tabeli dot. zatrudnienia?\nRok: ")));
    EXPECT_EQ(boxes.boxes.last().caption, QStringLiteral("Potwierdź usunięcie danych "));
    ASSERT_EQ(view->sgZatrudn->rowCount(), 1);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(cell(0, c), "");
    // No keeps the row.
    choose("Spawalnia");
    view->sgZatrudn->setCurrentCell(1, 0);
    boxes.Answer(platform::MsgNo);
    view->bbDelRowClick();
    EXPECT_EQ(view->sgZatrudn->rowCount(), 2);
}

TEST_F(DefStan, RepeatedYearIsRefusedAndNotLost)
{
    choose("Spawalnia");
    setCell(1, 0, QStringLiteral("2022"));
    view->sgZatrudnExit();
    EXPECT_TRUE(boxes.boxes.last().text.contains(QStringLiteral("2022")));
    EXPECT_EQ(view->sgZatrudn->rowCount(), 2);
    EXPECT_EQ(view->CurrentWorkstation()->Employment.size(), 2u);
    EXPECT_FALSE(view->Save());
    setCell(1, 0, QStringLiteral("2021"));
    view->sgZatrudnExit();
    ASSERT_TRUE(view->Save());
    TStanowisko r = readBack("1", "stan_1");
    ASSERT_EQ(r.Employment.size(), 2u);
    EXPECT_EQ(r.Employment[0].Rok, "2021");
}

TEST_F(DefStan, DeleteRemovesExactlyItsFolderAndEntry)
{
    fx.Write("dane/stan_1/halas_fizyczny_dane.xml", "pomiary");
    choose("Spawalnia");
    boxes.Answer(platform::MsgYes);
    view->Delete();
    EXPECT_EQ(boxes.boxes.last().text,
              QStringLiteral("Czy na pewno usunąć wybrane stanowisko wraz z danymi?\nStanowisko: Spawalnia"));
    EXPECT_TRUE(!fx.Exists("dane/stan_1") && fx.Exists("dane/stan_2/stanowisko_dane.xml") &&
                fx.Exists("dane/stan_4/stanowisko_dane.xml") && fx.Exists("dane/struktura_dane.xml"));
    EXPECT_EQ(listTexts(), QStringList({"Biuro", "Lakiernia"}));
    EXPECT_EQ(appstate::State().Workstations.size(), 2u);
    EXPECT_EQ(view->CurrentWorkstation(), nullptr);
    EXPECT_TRUE(view->pgDefin->isHidden());
    EXPECT_FALSE(fx.ReadText("dane/struktura_dane.xml").contains(QStringLiteral("Spawalnia")));
    openView();
    EXPECT_EQ(listTexts(), QStringList({"Biuro", "Lakiernia"}));
    // As the main window runs it (asking there the question Delete asks): nothing asked here.
    EXPECT_FALSE(view->HasDeletableSelection());
    choose("Lakiernia"), boxes.boxes.clear();
    ASSERT_TRUE(view->HasDeletableSelection());
    ASSERT_TRUE(view->DeleteSelection());
    EXPECT_TRUE(!fx.Exists("dane/stan_4") && listTexts() == QStringList({"Biuro"}) && !view->HasDeletableSelection());
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join(" | ").toStdString();
}

TEST_F(DefStan, DeleteThatCannotRemoveTheFolderKeepsEverything)
{
    fx.Write("dane/stan_1/archiwum/kopia.xml", "kopia");
    const QByteArray list = fx.Read("dane/struktura_dane.xml");
    choose("Spawalnia");
    boxes.Answer(platform::MsgYes);
    view->Delete();
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Operacja usunięcia katalogu z danymi nie powiodła się!"));
    EXPECT_TRUE(fx.Exists("dane/stan_1/stanowisko_dane.xml"));
    EXPECT_EQ(fx.Read("dane/struktura_dane.xml"), list);
    EXPECT_EQ(appstate::State().Workstations.size(), 3u);
    // No: nothing happens at all.
    boxes.Answer(platform::MsgNo);
    choose("Biuro");
    view->Delete();
    EXPECT_TRUE(fx.Exists("dane/stan_2/stanowisko_dane.xml"));
}

TEST_F(DefStan, SaveThatFailsKeepsModified)
{
    choose("Biuro");
    type(view->e_Kod, QStringLiteral("B-9"));
    // The data file cannot be replaced: a folder stands in its place.
    QFile::remove(fx.FilePath("dane/stan_2/stanowisko_dane.xml"));
    QDir().mkpath(fx.FilePath("dane/stan_2/stanowisko_dane.xml"));
    const QByteArray list = fx.Read("dane/struktura_dane.xml");
    EXPECT_FALSE(view->Save());
    EXPECT_TRUE(modified());
    EXPECT_EQ(fx.Read("dane/struktura_dane.xml"), list);
}

TEST_F(DefStan, ADamagedListIsNamedShownAsFarAsItGoesAndNeverWrittenOver)
{
    const QByteArray whole = fx.Read("dane/struktura_dane.xml");
    const QByteArray cut = whole.left(whole.lastIndexOf("<stanowisko"));
    for (const QByteArray &damaged : {QByteArray(), QByteArray("\x93\x01 losowe \xff\r\n\x7f"), cut}) {
        fx.Write("dane/struktura_dane.xml", damaged);
        appstate::State().SetModified(false);
        boxes.boxes.clear();
        openView();
        ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("dane\\struktura_dane.xml jest uszkodzona")));
        EXPECT_EQ(listTexts(), damaged == cut ? QStringList({"Biuro", "Spawalnia"}) : QStringList());
        view->New();
        type(view->e_Nazwa, QStringLiteral("Magazyn"));
        EXPECT_FALSE(view->Save());
        EXPECT_TRUE(boxes.boxes.last().text.contains(QStringLiteral("Plik dane\\struktura_dane.xml jest uszkodzony")));
        EXPECT_FALSE(fx.Exists("dane/stan_3"));
    }
    appstate::State().SetModified(false);
    choose("Biuro");
    boxes.Answer(platform::MsgYes);
    view->Delete(); // the list cannot lose the entry: the folder stays
    EXPECT_TRUE(fx.Exists("dane/stan_2/stanowisko_dane.xml"));
    EXPECT_EQ(fx.Read("dane/struktura_dane.xml"), cut);
    fx.Write("dane/struktura_dane.xml", whole); // mended: read and written again
    reopen("Biuro");
    type(view->e_Kod, QStringLiteral("B-9"));
    EXPECT_TRUE(view->Save());
}

TEST_F(DefStan, FactorsButtonNeedsASavedChosenWorkstation)
{
    view->New();
    view->bWybierzClick();
    EXPECT_EQ(boxes.boxes.last().text, QStringLiteral("Zapisz stanowisko"));
    bool opened = false;
    TfrmDefStan::SetFactorDialog([&](TStanowisko &w, QWidget *) {
        opened = true;
        w.Factors[0].factor->aktual = QStringLiteral("N");
        return true;
    });
    choose("Spawalnia");
    view->bWybierzClick();
    EXPECT_TRUE(opened);
    EXPECT_EQ(factorTexts(), QStringList({QStringLiteral("Pył spawalniczy")}));
    EXPECT_TRUE(modified());
    TfrmDefStan::SetFactorDialog({});
}

TEST_F(DefStan, CharactersTheFilesCannotHoldAreRemovedWithAMessage)
{
    choose("Spawalnia");
    type(view->e_Kod, QStringLiteral("a</b"));
    EXPECT_EQ(view->CurrentWorkstation()->Kod, "a<b");
    EXPECT_EQ(view->e_Kod->text(), "a<b");
    EXPECT_TRUE(modified());
    // Named by its caption: the user may have left several fields since.
    EXPECT_TRUE(
        boxes.boxes.last().text.startsWith(QStringLiteral("Usunięto znaki")) &&
        boxes.boxes.last().text.endsWith(QStringLiteral("(pole „%1”).").arg(widgets::FieldCaption(view->e_Kod))));
    // Characters outside Windows-1250 would come back as "?".
    type(view->e_Lokalizacja, QStringLiteral("Hala → B"));
    EXPECT_EQ(view->CurrentWorkstation()->Lokalizacja, "Hala  B");
    EXPECT_TRUE(boxes.boxes.last().text.contains(QStringLiteral(": →")));
    const int shown = boxes.boxes.size();
    type(view->e_Lokalizacja, QStringLiteral("Hala – B „nowa”"));
    EXPECT_EQ(view->CurrentWorkstation()->Lokalizacja, QStringLiteral("Hala – B „nowa”"));
    EXPECT_EQ(boxes.boxes.size(), shown);
    view->e_Opis->setPlainText(QStringLiteral("linia</dane>\ndruga"));
    view->SprZmiany(view->e_Opis);
    ASSERT_TRUE(view->Save());
    reopen("Spawalnia");
    EXPECT_EQ(view->e_Kod->text(), "a<b");
    EXPECT_EQ(view->e_Opis->toPlainText(), QStringLiteral("linia<dane>\ndruga"));
    // A new workstation's fields are cleaned the same way.
    view->New();
    type(view->e_Nazwa, QStringLiteral("Nowe ☺"));
    ASSERT_TRUE(view->Save());
    EXPECT_TRUE(fx.ReadText("dane/struktura_dane.xml").contains(QStringLiteral("nazwa=\"Nowe \"")));
}

TEST_F(DefStan, AMalformedWorkstationIsShownButNeverSaved)
{
    QString bad = fx.ReadText("dane/stan_4/stanowisko_dane.xml");
    bad.replace(QStringLiteral("id=\"12\""), QStringLiteral("id=\"1 2\""));
    fx.WriteText("dane/stan_4/stanowisko_dane.xml", bad);
    const QByteArray before = fx.Read("dane/stan_4/stanowisko_dane.xml");
    choose("Lakiernia");
    ASSERT_FALSE(boxes.boxes.isEmpty());
    EXPECT_TRUE(boxes.boxes.last().text.contains(QStringLiteral("Lakiernia")));
    type(view->e_Kod, QStringLiteral("L-1"));
    EXPECT_FALSE(view->Save());
    EXPECT_EQ(fx.Read("dane/stan_4/stanowisko_dane.xml"), before);
    // The others still work.
    boxes.Answer(platform::MsgNo);
    choose("Biuro");
    EXPECT_EQ(view->e_Kod->text(), "B-1");
}

TEST_F(DefStan, LeavingFieldsByFocusRunsTheirExitHandlersAndCommandsCommitTheOneStillFocused)
{
    showActive();
    choose("Spawalnia");
    view->pgDefin->setCurrentWidget(view->tsStanow);
    focus(view->dtDataRej);
    EXPECT_EQ(appstate::State().LastWinCtrl(), view->dtDataRej);
    view->dtDataRej->setDate(QDate(2018, 1, 15));
    focus(view->e_Kod);
    EXPECT_EQ(view->CurrentWorkstation()->DataRej, "2018-01-15");
    EXPECT_TRUE(modified());
    EXPECT_EQ(appstate::State().LastWinCtrl(), view->e_Kod);
    view->e_Kod->setText(QStringLiteral("SP-7"));
    focus(view->e_Opis);
    EXPECT_EQ(view->CurrentWorkstation()->Kod, "SP-7");

    // The grid: its exit runs when the focus leaves it, also from a cell editor.
    view->pgDefin->setCurrentWidget(view->tsZatrudn);
    view->sgZatrudn->setFocus(Qt::TabFocusReason);
    view->sgZatrudn->setCurrentCell(0, 1);
    view->sgZatrudn->item(0, 1)->setText(QStringLiteral("9"));
    view->pgDefin->setCurrentWidget(view->tsStanow);
    focus(view->e_Nazwa);
    EXPECT_EQ(view->CurrentWorkstation()->FindEmployment("2022")->Mezczyzni, "9");
    // A toolbar click leaves the focus in the edit; the command commits it first.
    focus(view->e_Lokalizacja);
    view->e_Lokalizacja->setText(QStringLiteral("Pokój 12"));
    appstate::State().CommitLastWinCtrl();
    EXPECT_EQ(view->CurrentWorkstation()->Lokalizacja, QStringLiteral("Pokój 12"));
    ASSERT_TRUE(view->Save());
    reopen("Spawalnia");
    EXPECT_EQ(view->e_Lokalizacja->text(), QStringLiteral("Pokój 12"));
}

TEST_F(DefStan, ANewWorkstationStaysWhenItsPagesAreTurnedAndIsShownSavedWithItsCaptions)
{
    showActive();
    view->NewWorkstation();
    view->e_Nazwa->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(view->e_Nazwa, QStringLiteral("Tokarnia"));
    // The page hidden takes the focus through the workstation list: no workstation is chosen.
    QTabBar *tabs = view->pgDefin->findChild<QTabBar *>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_TRUE(view->EnteringNew() && view->lbStanowiska->currentRow() < 0);
    ASSERT_TRUE(view->Save());
    EXPECT_EQ(listTexts().value(view->lbStanowiska->currentRow()), view->CurrentWorkstation()->nazwa);
    EXPECT_EQ(view->CurrentWorkstation()->nazwa, QStringLiteral("Tokarnia"));
    EXPECT_EQ(view->pgDefin->currentWidget(), view->tsZatrudn);
    EXPECT_TRUE(view->sgZatrudn->horizontalHeader()->isVisible()); // its captions, first shown now
}

TEST_F(DefStan, TypingANonNumberIntoTheGridIsRefusedThroughItsEditor)
{
    showActive();
    choose("Spawalnia");
    view->pgDefin->setCurrentWidget(view->tsZatrudn), view->sgZatrudn->setFocus(Qt::TabFocusReason);
    view->sgZatrudn->setCurrentCell(1, 2), view->sgZatrudn->editItem(view->sgZatrudn->item(1, 2));
    for (const auto &[typed, stored] : {std::pair("dwie", "1"), std::pair("2", "2")}) { // refused, then a number
        QApplication::processEvents();
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_TRUE(editor && editor->text() == "1") << "the editor shows the stored value again";
        editor->setText(QString::fromLatin1(typed)), QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(), QApplication::processEvents();
        EXPECT_TRUE(cell(1, 2) == stored && view->sgZatrudn->currentRow() == 1 &&
                    view->sgZatrudn->currentColumn() == 2);
    }
    EXPECT_EQ(boxes.Texts(), QStringList{"Niepoprawna wartość liczbowa!"});
}

TEST_F(DefStan, ImpossibleCountsAreRefusedAndTheCellKeepsItsValue)
{
    choose("Spawalnia"); // 2023: 7 men, 1 woman, 0 pregnant, 0 juveniles, 2 at night, 5 exposed
    const std::tuple<int, const char *, const char *, const char *> typed[] = {
        {3, "9", "\"Kobiety w ciąży\" (9)", "0"},
        {6, "9", "\"Narażeni\" (9)", "5"},
        {1, "-1", "ujemna", "7"},
        {1, "sześć", "Niepoprawna wartość liczbowa!", "7"}};
    for (const auto &[column, text, named, kept] : typed) {
        boxes.boxes.clear();
        EXPECT_TRUE(!view->sgZatrudnSetEditText(1, column, QString::fromUtf8(text)) && cell(1, column) == kept &&
                    boxes.Texts().join('|').contains(QString::fromUtf8(named)))
            << boxes.Texts().join('|').toStdString();
    }
    setCell(1, 6, QStringLiteral("2,5")); // a decimal comma
    EXPECT_EQ(cell(1, 6), "2.5");
    setCell(1, 3, QStringLiteral("1")); // the other side of the pair
    EXPECT_TRUE(!view->sgZatrudnSetEditText(1, 2, QStringLiteral("0")) && cell(1, 2) == "1");
    view->sgZatrudnExit();
    EXPECT_EQ(view->CurrentWorkstation()->Employment[1].KobietyCiez, "1");
    // Refused as the editor closes for another workstation (Biuro: nobody, Spawalnia: 6): told, put in neither.
    choose("Biuro"), view->sgZatrudn->setCurrentCell(0, 6), view->sgZatrudn->editItem(view->sgZatrudn->item(0, 6));
    widgets::OpenCellEditor(view->sgZatrudn)->setProperty("text", "3"), boxes.boxes.clear();
    widgets::CommitOpenCellEditor(view->sgZatrudn), choose("Spawalnia"), QCoreApplication::processEvents();
    EXPECT_TRUE(cell(0, 6) == "4" && boxes.Texts().join('|').contains("\"Narażeni\" (3)")) << cell(0, 6).toStdString();
}
