// Loading the workstations into the views' lists, the factor lists, deleting a workstation
// folder and the one-off renaming of stored chemical and dust factors.
#include "appstate/appstate.h"
#include "platform/cp1250.h"
#include "storage/catalogue_files.h"
#include "storage/factor_files.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/support/model_list.h"
#include "workstation_loading/workstation_loading.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace storage;
using namespace workstation_loading;

namespace {

const QString Data = QStringLiteral("dane\\");

// The workstations as the views list them.
TWorkstationListModel &listModel()
{
    return WorkstationListModel(appstate::State());
}

std::unique_ptr<TCzynnik> factor(const QString &nazwa, const QString &ident, int id, const QString &aktual)
{
    return std::make_unique<TCzynnik>(nazwa, ident, id, QStringLiteral("1.0"), QStringLiteral("frm"), aktual,
                                      QStringLiteral("T"));
}

class Loading : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    storage::StorageProblems problems; // what the loading brought back, in order

    void load(const ProgressReport &progress = {})
    {
        LoadWorkstations(appstate::State(), Data + "struktura_dane.xml", problems, progress);
    }
    bool loadData(TStanowisko &w) { return LoadWorkstationData(appstate::State(), w, problems); }

    void SetUp() override
    {
        auto &s = appstate::State();
        s.DataFolder = Data;
        s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
        s.CatalogueFolder = QStringLiteral("katalog\\");
        s.ViewName = QStringLiteral("frmDefStan");
        s.ViewKind = storage::TViewKind::Workstations;
        s.ListVersion.clear();
        s.Workstations.clear();
        s.SetModified(false);
        ClearCatalogueCache();
    }
    void TearDown() override
    {
        appstate::State().Workstations.clear();
        // The loading shows nothing itself: what it found is the caller's to show.
        EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    }

    // Writes a list and one data file per workstation through the program's own writers.
    void writeWorkstations(std::vector<std::unique_ptr<TStanowisko>> list,
                           const QString &version = QStringLiteral("1.1"))
    {
        for (const auto &w : list)
            ASSERT_TRUE(WriteWorkstationData(Data, *w));
        ASSERT_TRUE(WriteWorkstationList(Data, list));
        if (version != QLatin1String("1.1")) {
            QString text = fx.ReadText("dane/struktura_dane.xml");
            text.replace(QStringLiteral("ver=\"1.1\""), QStringLiteral("ver=\"%1\"").arg(version));
            fx.WriteText("dane/struktura_dane.xml", text);
        }
    }
};

std::unique_ptr<TStanowisko> station(const QString &id, const QString &name)
{
    auto w = std::make_unique<TStanowisko>(id, name, QStringLiteral("stan_") + id);
    w->Loaded = true;
    return w;
}

} // namespace

TEST_F(Loading, ListIsFilledInPolishAlphabeticalOrder)
{
    std::vector<std::unique_ptr<TStanowisko>> list;
    for (const char *name : {"Tokarnia", "Ślusarnia", "spawalnia", "Łaźnia", "Lakiernia", "Magazyn"})
        list.push_back(station(QString::number(list.size() + 1), QString::fromUtf8(name)));
    writeWorkstations(std::move(list));
    WorkstationList old;
    old.push_back(station("9", QStringLiteral("stary wpis")));
    listModel().Fill(old);
    load();
    const QStringList shown = testsupport::ListTexts(&listModel());
    EXPECT_EQ(shown, QStringList({"Lakiernia", "Łaźnia", "Magazyn", "spawalnia", "Ślusarnia", "Tokarnia"}));
    EXPECT_EQ(WorkstationAt(appstate::State(), 4)->id, "2");
    EXPECT_EQ(appstate::State().ListVersion, "1.1");
    EXPECT_TRUE(problems.empty());
}

TEST_F(Loading, RepeatedNumbersInTheListAreReported)
{
    fx.WriteText("dane/struktura_dane.xml", "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                                            "<struktura_dane ver=\"1.1\" katalog=\"\" plik=\"struktura_dane.xml\">\n"
                                            " <stanowisko id=\"1\" nazwa=\"A\" kat_dane=\"stan_1\"></stanowisko>\n"
                                            " <stanowisko id=\"2\" nazwa=\"B\" kat_dane=\"stan_2\"></stanowisko>\n"
                                            " <stanowisko id=\"1\" nazwa=\"C\" kat_dane=\"stan_9\"></stanowisko>\n"
                                            "</struktura_dane>\n");
    load();
    EXPECT_EQ(listModel().rowCount(), 3);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].message().endsWith(QStringLiteral("powtórzone numery stanowisk: 1")));
}

TEST_F(Loading, ComboOfOtherViewsShowsTheSameList)
{
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(station("1", QStringLiteral("B")));
    list.push_back(station("2", QStringLiteral("A")));
    writeWorkstations(std::move(list));
    QComboBox combo;
    combo.setModel(&listModel());
    load();
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "A");
    EXPECT_EQ(WorkstationAt(appstate::State(), 1)->nazwa, "B");
    EXPECT_EQ(WorkstationAt(appstate::State(), -1), nullptr);
    EXPECT_EQ(WorkstationAt(appstate::State(), 2), nullptr);
}

TEST_F(Loading, ReadingTwiceDoesNotListFactorsTwice)
{
    auto w = station("1", QStringLiteral("Spawalnia"));
    w->AddFactor(factor(QStringLiteral("Hałas"), "fiz", 30001, "T"));
    w->AddEmployment(TZatrudn("2024", "1", "0", "0", "0", "0", "0"));
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(std::move(w));
    writeWorkstations(std::move(list));
    load();
    TStanowisko &loaded = *appstate::State().Workstations[0];
    EXPECT_TRUE(loadData(loaded));
    EXPECT_TRUE(loadData(loaded));
    EXPECT_EQ(loaded.Factors.size(), 1u);
    EXPECT_EQ(loaded.Employment.size(), 1u);
}

TEST_F(Loading, MissingAndMalformedFilesAreReportedAndTheRestLoads)
{
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(station("1", QStringLiteral("Dobry")));
    list.push_back(station("2", QStringLiteral("Zepsuty")));
    list.push_back(station("3", QStringLiteral("Bez pliku")));
    writeWorkstations(std::move(list));
    QString bad = fx.ReadText("dane/stan_2/stanowisko_dane.xml");
    bad.replace(QStringLiteral("</czynniki>"),
                QStringLiteral("<dane nazwa=\"X\" id=\"abc\" ident=\"fiz\" aktual=\"T\"></dane>\n </czynniki>"));
    fx.WriteText("dane/stan_2/stanowisko_dane.xml", bad);
    QDir(fx.FilePath("dane/stan_3")).removeRecursively();

    load();
    ASSERT_EQ(listModel().rowCount(), 3);
    auto &ws = appstate::State().Workstations;
    EXPECT_TRUE(loadData(*ws[0]));
    EXPECT_TRUE(problems.empty());
    EXPECT_FALSE(loadData(*ws[1]));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].message().contains(QStringLiteral("Zepsuty")));
    EXPECT_TRUE(problems[0].message().contains(QStringLiteral("abc")));
    EXPECT_FALSE(ws[1]->ReadError.isEmpty());
    EXPECT_FALSE(loadData(*ws[2]));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_TRUE(problems[1].message().startsWith(QStringLiteral("Brak pliku z danymi stanowiska \"Bez pliku\"")));
}

TEST_F(Loading, FactorListShowsCurrentFactorsAndEntriesNeverDangle)
{
    auto w = station("1", QStringLiteral("Spawalnia"));
    w->AddFactor(factor(QStringLiteral("Hałas"), "fiz", 30001, "T"));
    w->AddFactor(factor(QStringLiteral("Benzen"), "chem", 10, "N"));
    w->AddFactor(factor(QStringLiteral("Ołów"), "chem", 11, "T"));
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(std::move(w));
    writeWorkstations(std::move(list));
    load();
    TStanowisko &loaded = *appstate::State().Workstations[0];
    loadData(loaded);
    QListWidget target;
    FillFactorList(&target, &loaded);
    ASSERT_EQ(target.count(), 2);
    EXPECT_EQ(target.item(0)->text(), QStringLiteral("Hałas"));
    EXPECT_EQ(target.item(1)->text(), QStringLiteral("Ołów"));
    EXPECT_EQ(FactorOfItem(appstate::State().Workstations, target.item(1))->id, 11);
    // Read again: the entries find the objects read since.
    loadData(loaded);
    ASSERT_NE(FactorOfItem(appstate::State().Workstations, target.item(1)), nullptr);
    EXPECT_EQ(FactorOfItem(appstate::State().Workstations, target.item(1)), loaded.Factors[2].factor.get());
    // A factor no longer there: nothing.
    loaded.Factors.pop_back();
    EXPECT_EQ(FactorOfItem(appstate::State().Workstations, target.item(1)), nullptr);
    // A new load of the list: the workstation entries too.
    const int row = listModel().RowOf(loaded.id);
    load();
    ASSERT_NE(WorkstationAt(appstate::State(), row), nullptr);
    EXPECT_FALSE(WorkstationAt(appstate::State(), row)->Loaded); // the new object, not the freed one
    FillFactorList(&target, nullptr);
    EXPECT_EQ(target.count(), 0);
}

TEST_F(Loading, SummaryRangeIncludesBothEnds)
{
    TStanowisko w(QStringLiteral("1"), QStringLiteral("S"), QStringLiteral("stan_1"));
    auto addMeasured = [&](const QString &name, int id, const QStringList &dates) {
        auto f = factor(name, "fiz", id, "T");
        int n = 1;
        for (const QString &d : dates)
            AddMeasurement(f->Measurements,
                           std::make_unique<TPomiarCzynn>(TMeasurementAttributes{.id = n++, .data = d, .ver = "1"}));
        w.AddFactor(std::move(f));
    };
    addMeasured(QStringLiteral("Na końcu"), 1, {QStringLiteral("2024-12-31")});
    addMeasured(QStringLiteral("Dzień po"), 2, {QStringLiteral("2025-01-01"), QStringLiteral("2025-03-01")});
    addMeasured(QStringLiteral("Na początku"), 3, {QStringLiteral("2023-01-01"), QStringLiteral("2024-01-01")});
    addMeasured(QStringLiteral("Bez pomiarów"), 4, {});
    FactorFilter filter{true, QDate(2024, 1, 1), QDate(2024, 12, 31)};
    QListWidget target;
    FillFactorList(&target, &w, filter);
    ASSERT_EQ(target.count(), 2);
    EXPECT_EQ(target.item(0)->text(), QStringLiteral("Na końcu"));
    EXPECT_EQ(target.item(1)->text(), QStringLiteral("Na początku"));

    // A range of one day.
    FillFactorList(&target, &w, FactorFilter{true, QDate(2025, 1, 1), QDate(2025, 1, 1)});
    ASSERT_EQ(target.count(), 1);
    EXPECT_EQ(target.item(0)->text(), QStringLiteral("Dzień po"));
}

// ---------------------------------------------------------------------------------------
// Deleting a workstation folder

TEST_F(Loading, DeleteFolderWithOnlyFiles)
{
    fx.Write("dane/stan_1/stanowisko_dane.xml", "x");
    fx.Write("dane/stan_1/halas_dane.xml", "y");
    fx.Write("dane/stan_1/.ukryty", "z");
    fx.Write("dane/stan_2/stanowisko_dane.xml", "x");
    EXPECT_TRUE(DeleteFolderTree(Data + "stan_1", Data));
    EXPECT_FALSE(fx.Exists("dane/stan_1"));
    EXPECT_TRUE(fx.Exists("dane/stan_2/stanowisko_dane.xml"));
    EXPECT_FALSE(DeleteFolderTree(Data + "stan_1", Data)); // not there any more
}

TEST_F(Loading, DeleteFolderWithSubFolderTouchesNothing)
{
    fx.Write("dane/stan_1/stanowisko_dane.xml", "x");
    fx.Write("dane/stan_1/archiwum/stary.xml", "y");
    EXPECT_FALSE(DeleteFolderTree(Data + "stan_1\\", Data));
    EXPECT_TRUE(fx.Exists("dane/stan_1/stanowisko_dane.xml"));
    EXPECT_TRUE(fx.Exists("dane/stan_1/archiwum/stary.xml"));
}

TEST_F(Loading, DeleteFolderRefusesTheDataFolderAndWhatIsOutside)
{
    fx.Write("dane/struktura_dane.xml", "x");
    fx.Write("inne/plik.xml", "y");
    EXPECT_FALSE(DeleteFolderTree(QString(), Data));
    EXPECT_FALSE(DeleteFolderTree(Data, Data));
    EXPECT_FALSE(DeleteFolderTree(Data + "..\\inne", Data));
    EXPECT_FALSE(DeleteFolderTree(QStringLiteral("inne"), Data));
    EXPECT_TRUE(fx.Exists("dane/struktura_dane.xml"));
    EXPECT_TRUE(fx.Exists("inne/plik.xml"));
}

// ---------------------------------------------------------------------------------------
// The one-off renaming

namespace {

void writeCatalogues(const testsupport::FixtureFolder &fx)
{
    fx.WriteText("poradn/czynchem.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">\n"
                 "<czynnik id=\"10\" nazwa=\"Benzen\">\n"
                 "<param nds=\"1.6\" ndsch=\"-1\" ndsp=\"-1\" typ=\"1\" nrcas=\"71-43-2\"></param>\n"
                 "</czynnik>\n"
                 "<czynnik id=\"11\" nazwa=\"Ołów i jego związki nieorganiczne\">\n"
                 "<param nds=\"0.05\"></param>\n"
                 "</czynnik>\n"
                 "</czynchem>\n");
    fx.WriteText("poradn/czynpyly.xml", "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                                        "<czynpyly ver=\"1.0\">\n"
                                        "<czynnik id=\"25100\" nazwa=\"Pyły drewna twardego\">\n"
                                        "<param pylcalk=\"2\"></param>\n"
                                        "</czynnik>\n"
                                        "</czynpyly>\n");
}

std::unique_ptr<TStanowisko> oldStation()
{
    auto w = station("1", QStringLiteral("Stolarnia"));
    w->AddFactor(factor(QStringLiteral("benzen (stara nazwa)"), "chem", 10, "T"));
    w->AddFactor(factor(QStringLiteral("ołów"), "chem", 11, "N"));
    w->AddFactor(factor(QStringLiteral("Pył drzewny"), "pyly", 25100, "N"));
    w->AddFactor(factor(QStringLiteral("Substancja wycofana"), "chem", 77, "T"));
    w->AddFactor(factor(QStringLiteral("Benzen"), "fiz", 10, "T"));
    w->AddFactor(factor(QStringLiteral("Własna substancja"), "chem", 100001, "T"));
    return w;
}

} // namespace

TEST_F(Loading, RenamingKeepsEveryFactorWhicheverViewStartsIt)
{
    writeCatalogues(fx);
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(oldStation());
    list.push_back(station("2", QStringLiteral("Biuro")));
    writeWorkstations(std::move(list), QStringLiteral("1.0"));
    // Started by the measurement window, which itself lists only current factors.
    appstate::State().ViewName = QStringLiteral("frmRyzZakl");
    appstate::State().ViewKind = storage::TViewKind::Measurement;
    load();

    EXPECT_EQ(appstate::State().ListVersion, "1.1");
    EXPECT_TRUE(fx.ReadText("dane/struktura_dane.xml").contains(QStringLiteral("ver=\"1.1\"")));
    TStanowisko r(QStringLiteral("1"), QStringLiteral("Stolarnia"), QStringLiteral("stan_1"));
    ReadWorkstationData(Data + "stan_1\\stanowisko_dane.xml", r, WorkstationReadOptions::AllFactors());
    ASSERT_EQ(r.Factors.size(), 6u);
    EXPECT_EQ(r.Factors[0].factor->nazwa, QStringLiteral("Benzen"));
    EXPECT_EQ(r.Factors[1].factor->nazwa, QStringLiteral("Ołów i jego związki nieorganiczne"));
    EXPECT_EQ(r.Factors[1].factor->aktual, "N");
    EXPECT_EQ(r.Factors[2].factor->nazwa, QStringLiteral("Pyły drewna twardego"));
    EXPECT_EQ(r.Factors[3].factor->nazwa, QStringLiteral("Substancja wycofana")); // not in the catalogue: kept
    EXPECT_EQ(r.Factors[4].factor->nazwa, QStringLiteral("Benzen"));              // another group: kept
    EXPECT_EQ(r.Factors[5].factor->nazwa, QStringLiteral("Własna substancja"));   // own factor: kept
    EXPECT_EQ(r.Factors[5].text, QStringLiteral("Własna substancja (czynnik własny)"));

    // The next load does not run it again: nothing is written.
    const QByteArray after = fx.Read("dane/stan_1/stanowisko_dane.xml");
    fx.Write("dane/stan_1/stanowisko_dane.xml", after);
    load();
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), after);
}

TEST_F(Loading, RenamingThatFindsNothingWritesNothingAndRunsAgain)
{
    writeCatalogues(fx);
    auto w = station("1", QStringLiteral("Stolarnia"));
    w->AddFactor(factor(QStringLiteral("Benzen"), "chem", 10, "T"));
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(std::move(w));
    writeWorkstations(std::move(list), QStringLiteral("1.0"));
    const QByteArray listBefore = fx.Read("dane/struktura_dane.xml");
    const QByteArray dataBefore = fx.Read("dane/stan_1/stanowisko_dane.xml");
    load();
    EXPECT_EQ(fx.Read("dane/struktura_dane.xml"), listBefore);
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), dataBefore);
    EXPECT_EQ(appstate::State().ListVersion, "1.0");
    EXPECT_TRUE(UpgradeNeeded(appstate::State()));
}

TEST_F(Loading, RenamingNeverRunsForTheEyeFolderOrACurrentList)
{
    writeCatalogues(fx);
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(oldStation());
    writeWorkstations(std::move(list), QStringLiteral("1.0"));
    const QByteArray before = fx.Read("dane/stan_1/stanowisko_dane.xml");
    appstate::State().FormsFolder = QStringLiteral("wzrocen\\frm\\");
    load();
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), before);

    appstate::State().FormsFolder = QStringLiteral("zaklocen\\frm\\");
    QString text = fx.ReadText("dane/struktura_dane.xml");
    text.replace(QStringLiteral("ver=\"1.0\""), QStringLiteral("ver=\"1.1\""));
    fx.WriteText("dane/struktura_dane.xml", text);
    load();
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), before);
}

TEST_F(Loading, RenamingSkipsAMalformedWorkstationAndSaysSo)
{
    writeCatalogues(fx);
    std::vector<std::unique_ptr<TStanowisko>> list;
    list.push_back(oldStation());
    auto second = oldStation();
    second->id = QStringLiteral("2");
    second->kat_dane = QStringLiteral("stan_2");
    list.push_back(std::move(second));
    writeWorkstations(std::move(list), QStringLiteral("1.0"));
    QString bad = fx.ReadText("dane/stan_1/stanowisko_dane.xml");
    bad.replace(QStringLiteral("id=\"77\""), QStringLiteral("id=\"7x7\""));
    fx.WriteText("dane/stan_1/stanowisko_dane.xml", bad);
    const QByteArray badBytes = fx.Read("dane/stan_1/stanowisko_dane.xml");
    QList<int> steps; // what the caller's progress window would show
    load([&](const QString &caption, int done, int total) {
        EXPECT_TRUE(caption.startsWith(QStringLiteral("Proszę czekać")));
        EXPECT_EQ(total, 2);
        steps << done;
    });
    EXPECT_EQ(steps, (QList<int>{0, 1, 2})) << "started, one step, ended";
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), badBytes);
    EXPECT_TRUE(fx.ReadText("dane/stan_2/stanowisko_dane.xml").contains(QStringLiteral("Pyły drewna twardego")));
    ASSERT_FALSE(problems.empty());
    EXPECT_TRUE(problems.back().message().contains(QStringLiteral("7x7")));
}

// ---------------------------------------------------------------------------------------
// The sample data folder shipped with the program

TEST(ShippedWorkstations, LoadWholeAndRewriteByteForByte)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    auto &s = appstate::State();
    s.DataFolder = QStringLiteral("zaklocen\\");
    s.FormsFolder = QStringLiteral("zaklocen\\frm\\");
    s.CatalogueFolder = QStringLiteral("poradn\\");
    s.ViewName = QStringLiteral("frmDefStan");
    s.ViewKind = storage::TViewKind::Workstations;
    s.Workstations.clear();
    storage::StorageProblems problems;
    LoadWorkstations(appstate::State(), QStringLiteral("zaklocen\\struktura_dane.xml"), problems);
    EXPECT_EQ(s.ListVersion, "1.1");
    ASSERT_GE(s.Workstations.size(), 3u);
    for (const auto &w : s.Workstations) {
        SCOPED_TRACE(w->nazwa.toStdString());
        ASSERT_TRUE(LoadWorkstationData(appstate::State(), *w, problems));
        EXPECT_TRUE(w->Loaded);
        EXPECT_GE(w->Employment.size(), 3u);
        EXPECT_GE(w->Factors.size(), 3u);
        for (const auto &e : w->Factors) {
            // Every factor is one of the shipped lists, with its current form version.
            QString ver;
            EXPECT_EQ(ReadFactorFormVersion(s.CatalogueFolder, e.factor->ident, QString::number(e.factor->id), ver),
                      FormVersionLookup::Found)
                << e.text.toStdString();
            EXPECT_EQ(ver, e.factor->ver_pom) << e.text.toStdString();
        }
        const QString rel = QStringLiteral("zaklocen/") + w->kat_dane + QStringLiteral("/stanowisko_dane.xml");
        const QByteArray shipped = fx.Read(rel);
        ASSERT_TRUE(WriteWorkstationData(s.DataFolder, *w));
        EXPECT_EQ(fx.Read(rel), shipped);
    }
    const QByteArray list = fx.Read("zaklocen/struktura_dane.xml");
    ASSERT_TRUE(WriteWorkstationList(s.DataFolder, s.Workstations));
    EXPECT_EQ(fx.Read("zaklocen/struktura_dane.xml"), list);
    EXPECT_TRUE(problems.empty() && boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    s.Workstations.clear();
}
