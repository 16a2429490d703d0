// The three reports over all workstations of a data folder, run on workstations written to
// disk with their measurements and printed to PDF files read back by pdftotext: titles,
// rows, totals, categories and the filters.

#include "appstate/appstate.h"
#include "printouts/frm_vr_inf_zbiorcze_stan.h"
#include "printouts/summary_reports.h"
#include "printouts/vr_przekr_nds_bez_nar.h"
#include "printouts/vr_zest_czynniki.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_printer_settings.h"
#include "reportengine/vr_report.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/workstation_files.h"
#include "tests/printouts/pdf_lines.h"
#include "tests/reportengine/page_helpers.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace printouts;
using pdflines::Joined;
using pdflines::Lines;
using reportengine_test::RunTool;
using reportengine_test::Tool;

namespace {

const QString Data = QStringLiteral("dane\\");
const QString Forms = QStringLiteral("zaklocen\\frm\\");

struct Measured
{
    const char *date;
    short ocenamax;
    short ocenakon;
    const char *typ = nullptr; // the "Typ" field, where the form has one
};

struct FactorEntry
{
    const char *nazwa;
    int id;
    const char *ident;
    const char *frm;
    const char *aktual;
    std::vector<Measured> measurements;
};

struct WorkstationEntry
{
    const char *id;
    const char *nazwa;
    const char *kod;
    std::vector<storage::TZatrudn> employment;
    std::vector<FactorEntry> factors;
};

// Writes the workstations, their factors and measurement files, and the list; then reads
// the list as the summary view does (workstations not loaded yet).
void WriteDataFolder(const std::vector<WorkstationEntry> &written)
{
    storage::WorkstationList list;
    for (const WorkstationEntry &ws : written) {
        const QString id = QString::fromLatin1(ws.id);
        auto w = std::make_unique<storage::TStanowisko>(id, QString::fromUtf8(ws.nazwa), QStringLiteral("stan_") + id);
        w->Kod = QString::fromUtf8(ws.kod);
        w->Opis = QStringLiteral("Opis stanowiska %1\ndruga linia").arg(id);
        w->Lokalizacja = QStringLiteral("Hala %1").arg(id);
        for (const storage::TZatrudn &z : ws.employment)
            w->AddEmployment(z);
        std::map<QString, std::vector<const storage::TCzynnik *>> files;
        for (const FactorEntry &fs : ws.factors) {
            auto f = std::make_unique<storage::TCzynnik>(QString::fromUtf8(fs.nazwa), QString::fromLatin1(fs.ident),
                                                         fs.id, QStringLiteral("1.0"), QString::fromLatin1(fs.frm),
                                                         QString::fromLatin1(fs.aktual), QStringLiteral("T"));
            for (const Measured &m : fs.measurements) {
                auto pm = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
                    .data = QString::fromLatin1(m.date), .mscPom = QStringLiteral("hala"),
                    .wykpom = QStringLiteral("lab"), .ver = QStringLiteral("1"), .ocenam = m.ocenamax,
                    .ocenak = m.ocenamax, .ocenamax = m.ocenamax, .ocenakon = m.ocenakon
                });
                storage::ReadMeasurementForm(Forms + f->frm_dane + QStringLiteral("_frm_1.xml"), pm->Fields, f->id);
                if (m.typ) {
                    storage::TPomiar *typ = storage::FindField(pm->Fields, QStringLiteral("Typ"));
                    ASSERT_NE(typ, nullptr) << fs.frm;
                    typ->Value = QString::fromLatin1(m.typ);
                }
                storage::AddMeasurement(f->Measurements, std::move(pm));
            }
            const QString display = storage::FactorDisplayName(f->nazwa, f->id);
            storage::TCzynnik *added = w->AddFactor(std::move(f), display);
            files[added->frm_dane].push_back(added);
        }
        EXPECT_TRUE(storage::WriteWorkstationData(Data, *w));
        for (const auto &[frm, factors] : files)
            EXPECT_TRUE(storage::WriteMeasurementFile(Data + w->kat_dane + QStringLiteral("\\"),
                                                      frm + QStringLiteral("_dane"), factors));
        list.push_back(std::move(w));
    }
    EXPECT_TRUE(storage::WriteWorkstationList(Data, list));
    auto &state = appstate::State();
    state.Workstations.clear();
    storage::ReadWorkstationList(storage::WorkstationListPath(Data), state.Workstations, state.ListVersion);
}

// Prepares the report (the page count for its footers), prints it to a PDF file and
// returns the file's text as pdftotext lays it out.
QString PrintToPdf(TWorkstationReportForm &form, const QTemporaryDir &dir)
{
    reportengine::TVelRep &report = form.Report();
    EXPECT_TRUE(report.Prepare());
    form.SetPageCount(report.VRPrinter() ? report.VRPrinter()->PageCount() : 0);
    const QString pdf = dir.filePath(report.objectName() + QStringLiteral(".pdf"));
    QFile::remove(pdf);
    report.PrinterSettings.PrinterIndex = static_cast<int>(reportengine::PrinterNames().size()) - 1;
    report.PrinterSettings.PdfFileName = pdf;
    EXPECT_TRUE(report.Print());
    return RunTool(Tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

int Count(const QString &text, const QString &what)
{
    return text.count(what);
}

// The options as the printouts dialog hands them on from the summary view: the
// workstations of the program's data folder, how the view reads them, and its range.
TWorkstationReportOptions ViewOptions(const QDate &from = {}, const QDate &to = {})
{
    appstate::AppState &s = appstate::State();
    TWorkstationReportOptions options;
    options.Workstations = &s.Workstations;
    options.DataFolder = s.DataFolder;
    options.ReadOptions = s.ReadOptions();
    options.DateFrom = from, options.DateTo = to;
    return options;
}

// The lines of a report but the footer's ("Wydrukowano", "Strona") and those beginning with `more`.
QStringList Body(const QString &text, const QString &more = QStringLiteral("Wydrukowano"))
{
    QStringList body = Lines(text);
    body.removeIf([&](const QString &l) {
        return l.startsWith(QLatin1String("Wydrukowano")) || l.startsWith(QLatin1String("Strona")) ||
               l.startsWith(more);
    });
    return body;
}

class SummaryReports : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    QTemporaryDir dir;

    void SetUp() override
    {
        if (Tool("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        auto &s = appstate::State();
        s.DataFolder = Data;
        s.FormsFolder = Forms;
        s.CatalogueFolder = QStringLiteral("poradn\\");
        s.ViewName = QStringLiteral("frmZestaw");
        s.ViewKind = storage::TViewKind::Summary;
        // A: noise rated large, and forbidden after the range; toluene (carcinogenic,
        // Typ 2) large; acetone (Typ 4, not carcinogenic) small; an own factor not
        // applicable; a factor no longer current; a factor never measured.
        // B: noise medium, toluene small, benzene (Typ 2.5) not determined.
        // C: nothing but its name. D: noise large (the second workstation under it).
        WriteDataFolder({
            {"1",
             "Szlifiernia",
             "SZ-1",
             {storage::TZatrudn("2023", "3", "2", "1", "0", "0", "0"),
              storage::TZatrudn("2024", "4", "x", "0", "1", "0", "0")},
             {{"Hałas",
               30001,
               "fiz",
               "halas_fizyczny",
               "T",
               {{"2023-03-01", 20, 10}, {"2024-05-05", 30, 20}, {"2025-02-01", 40, 30}}},
              {"Toluen", 80004, "chem", "chemiczny", "T", {{"2024-02-02", 30, 20, "2"}}},
              {"Aceton", 80001, "chem", "chemiczny", "T", {{"2024-01-01", 10, 10, "4"}}},
              {"Praca na rusztowaniu", 100001, "fiz", "met5Krok", "T", {{"2024-03-03", 99, 99}}},
              {"Drgania miejscowe", 10100, "fiz", "drgania_msc", "N", {{"2024-03-03", 30, 30}}},
              {"Mikroklimat gorący", 50001, "fiz", "mikroklimat_goracy", "T", {}}}},
            {"2",
             "Malarnia",
             "MA-2",
             {storage::TZatrudn("2024", "2", "2", "0", "0", "0", "0")},
             {{"Hałas", 30001, "fiz", "halas_fizyczny", "T", {{"2024-06-01", 20, 20}}},
              {"Toluen", 80004, "chem", "chemiczny", "T", {{"2024-06-01", 10, 10, "2"}}},
              {"Benzen", 80002, "chem", "chemiczny", "T", {{"2024-06-01", 0, 0, "2.5"}}}}},
            {"3", "Biuro", "B-3", {}, {}},
            {"4", "Magazyn", "MG-4", {}, {{"Hałas", 30001, "fiz", "halas_fizyczny", "T", {{"2024-07-07", 40, 30}}}}},
        });
    }
    void TearDown() override
    {
        appstate::State().Workstations.clear();
        appstate::State().ViewName.clear();
        appstate::State().ViewKind = storage::TViewKind::None;
    }
};

TEST_F(SummaryReports, SummaryInformationPrintsEveryWorkstationWithTotalsAndTheLatestMeasurementInRange)
{
    TfrmVrInfZbiorczeStan form;
    TWorkstationReportOptions options = ViewOptions(QDate(2023, 1, 1), QDate(2024, 12, 31));
    options.LatestOnly = true;
    form.SetOptions(options);
    const QString text = PrintToPdf(form, dir);
    const QStringList lines = Lines(text);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

    EXPECT_TRUE(lines.contains(QStringLiteral("Wydrukowano : ") + today)) << text.toStdString();
    // Pregnant women are among the women and a figure that is no number counts as 0;
    // "OSTATNIE": the latest measurement within the range, not the one after it.
    for (const char *wanted :
         {"Dane o stanowiskach dotyczą okresu od: 2023-01-01 do: 2024-12-31", "Dane ogólne : Opis Opis stanowiska 1",
          "Lokalizacja Hala 1", "Zatrudnienie w roku : mężczyźni kobiety kobiety w ciąży młodociani ogółem",
          "2023 3 2 1 0 5", "2024 4 x 0 1 5", "Hałas 2024-05-05 duże / średnie",
          "Praca na rusztowaniu (czynnik własny) 2024-03-03 - / -", "Benzen 2024-06-01 nieustalona / nieustalona"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(wanted))) << wanted;
    // Neither the measurement after the range nor an earlier one; no factor no longer current or never measured.
    for (const char *gone : {"2025-02-01", "2023-03-01", "Drgania", "Mikroklimat"})
        EXPECT_FALSE(text.contains(QString::fromLatin1(gone))) << gone;
    // Every workstation once, in the list's order; the factor table only where there are rows.
    EXPECT_EQ(lines.filter(QStringLiteral("Stanowisko: ")).join('|').toStdString(),
              "Stanowisko: [SZ-1] Szlifiernia|Stanowisko: [MA-2] Malarnia|Stanowisko: [B-3] Biuro|"
              "Stanowisko: [MG-4] Magazyn");
    EXPECT_EQ(Count(text, QStringLiteral("OCENA RYZYKA")), 3);
    EXPECT_EQ(Count(text, QStringLiteral("Zatrudnienie w roku")), 2);
    EXPECT_TRUE(lines.contains(QStringLiteral("Strona 1 / 1")));

    // "WSZYSTKIE": every measurement in the range.
    options.LatestOnly = false;
    form.SetOptions(options);
    const QString all = PrintToPdf(form, dir);
    EXPECT_TRUE(Lines(all).contains(QStringLiteral("Hałas 2023-03-01 średnie / małe")));
    EXPECT_TRUE(Lines(all).contains(QStringLiteral("Hałas 2024-05-05 duże / średnie")));
    EXPECT_FALSE(all.contains(QStringLiteral("2025-02-01")));

    // Without "administracja" and "ocena ryzyka" only the workstation lines are left.
    options.Administracja = false;
    options.OcRyzyka = false;
    form.SetOptions(options);
    const QString bare = PrintToPdf(form, dir);
    EXPECT_TRUE(bare.contains(QStringLiteral("[MA-2]")));
    for (const char *gone : {"Opis", "Lokalizacja", "Zatrudnienie", "OCENA RYZYKA", "Hałas"})
        EXPECT_FALSE(bare.contains(QString::fromUtf8(gone))) << gone;
}

// The pages are headed with the range: they show the employment of its years, and a range
// no rating falls in prints nothing but says so.
TEST_F(SummaryReports, SummaryInformationKeepsToTheRangeItIsHeadedWith)
{
    TfrmVrInfZbiorczeStan form;
    TWorkstationReportOptions options = ViewOptions(QDate(2024, 1, 1), QDate(2030, 12, 31));
    form.SetOptions(options);
    ASSERT_TRUE(form.NothingToPrint().isEmpty() && form.Report().Prepare());
    ASSERT_EQ(form.Entries()[0].zatrudnienie.size(), 1u);
    EXPECT_EQ(form.Entries()[0].zatrudnienie[0].Rok, "2024");
    options.DateFrom = QDate(2030, 1, 1);
    form.SetOptions(options);
    EXPECT_EQ(form.NothingToPrint(), "Brak danych do wydruku.\nŻaden pomiar aktualnych czynników nie mieści się w "
                                     "zakresie dat od 2030-01-01 do 2030-12-31.");
    options.OcRyzyka = false; // the administrative part alone
    form.SetOptions(options);
    EXPECT_TRUE(form.NothingToPrint().isEmpty());
}

TEST_F(SummaryReports, ByRiskCategoryListsEachFactorOncePerCategoryWithItsWorkstations)
{
    TVRPrzekrNDSBezNar form;
    form.SetOptions(ViewOptions());
    const QString text = PrintToPdf(form, dir);
    const QStringList lines = Lines(text);
    EXPECT_TRUE(lines.contains(QStringLiteral("Wydrukowano: ") + QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_TRUE(lines.contains(QStringLiteral("Zestawienie stanowisk według kategorii ryzyka")));
    EXPECT_EQ(form.Caption,
              QStringLiteral("Raport - Zestawienie stanowisk o określonej krotności przekroczeń NDS (NDN)"));

    // Categories from large to small; factors and workstations from the end of the list.
    // Noise, latest rated 40 on A and on D, is large there, 20 on B medium; the own
    // factor rated "not applicable" is nowhere; not determined (benzene) closes the report.
    const QStringList expected =
        QStringLiteral("Kategoria ryzyka: duże|Hałas|Stanowisko : MG-4 Magazyn|Stanowisko : SZ-1 Szlifiernia|Toluen|"
                       "Stanowisko : SZ-1 Szlifiernia|Kategoria ryzyka: średnie|Hałas|Stanowisko : MA-2 Malarnia|"
                       "Kategoria ryzyka: małe|Toluen|Stanowisko : MA-2 Malarnia|Aceton|Stanowisko : SZ-1 Szlifiernia|"
                       "Kategoria ryzyka: nieustalone|Benzen|Stanowisko : MA-2 Malarnia")
            .split('|');
    EXPECT_EQ(Joined(Body(text, QStringLiteral("Zestawienie"))), Joined(expected)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("rusztowaniu")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Strona 1 / 1")));

    // Only "małe" chosen: small first, the factors not determined always after it.
    TWorkstationReportOptions options = ViewOptions();
    options.Duze = options.Srednie = false;
    form.SetOptions(options);
    const QString small = PrintToPdf(form, dir);
    EXPECT_EQ(Lines(small).filter(QStringLiteral("Kategoria ryzyka")).join('|').toStdString(),
              "Kategoria ryzyka: małe|Kategoria ryzyka: nieustalone");
    EXPECT_FALSE(small.contains(QStringLiteral("Hałas")));
}

TEST(RiskCategories, LevelsFallIntoTheirCategoriesAndNotApplicableIntoNone)
{
    const std::pair<float, int> levels[] = {
        {40, 3}, {30, 3}, {29.9f, 2}, {20, 2}, {10, 1}, {0, kCategoryNotDetermined}, {99, kCategoryNone}};
    for (const auto &[level, category] : levels)
        EXPECT_EQ(RiskCategory(level), category) << level;
}

TEST_F(SummaryReports, HarmfulFactorsListedPerWorkstationOrFlatAndFilteredToCarcinogens)
{
    TVRZestCzynniki form;
    form.SetOptions(ViewOptions());
    const QString text = PrintToPdf(form, dir);
    // Groups from the arduous down to the chemical ones, only those with factors;
    // workstations and factors from the last to the first.
    const QStringList perWorkstation =
        QStringLiteral("Wykaz czynników szkodliwych i uciążliwych|Czynniki fizyczne|"
                       "Stanowisko : Magazyn|Hałas|Stanowisko : Malarnia|Hałas|Stanowisko : Szlifiernia|"
                       "Praca na rusztowaniu (czynnik własny)|Hałas|Czynniki chemiczne|Stanowisko : Malarnia|Benzen|"
                       "Toluen|Stanowisko : Szlifiernia|Aceton|Toluen")
            .split('|');
    EXPECT_EQ(Joined(Body(text)), Joined(perWorkstation)) << text.toStdString();
    EXPECT_TRUE(Lines(text).contains(QStringLiteral("Strona 1 / 1")));

    // One list per group: a factor on two workstations is listed twice.
    TWorkstationReportOptions options = ViewOptions();
    options.ElementStruktury = false;
    form.SetOptions(options);
    const QString flat = PrintToPdf(form, dir);
    EXPECT_FALSE(flat.contains(QStringLiteral("Stanowisko")));
    EXPECT_EQ(Count(flat, QStringLiteral("Toluen")), 2);
    EXPECT_EQ(Count(flat, QStringLiteral("Hałas")), 3);

    // Only carcinogens, in both modes: toluene (Typ 2) and benzene (2.5 rounds up to 3),
    // not acetone (Typ 4); a workstation left without factors gets no heading, a group
    // without factors no title.
    options.TylkoRakotworcze = true;
    form.SetOptions(options);
    const QString flatCarcinogens = PrintToPdf(form, dir);
    EXPECT_EQ(Count(flatCarcinogens, QStringLiteral("Toluen")), 2);
    EXPECT_EQ(Count(flatCarcinogens, QStringLiteral("Benzen")), 1);
    EXPECT_FALSE(flatCarcinogens.contains(QStringLiteral("Aceton")));
    EXPECT_FALSE(flatCarcinogens.contains(QStringLiteral("Czynniki fizyczne")));
    options.ElementStruktury = true;
    form.SetOptions(options);
    const QString carcinogens = PrintToPdf(form, dir);
    EXPECT_EQ(Body(carcinogens).join('|').toStdString(),
              "Wykaz czynników szkodliwych i uciążliwych|Czynniki chemiczne|"
              "Stanowisko : Malarnia|Benzen|Toluen|Stanowisko : Szlifiernia|Toluen")
        << carcinogens.toStdString();
}

TEST(Carcinogens, TheTypFieldOfAMeasurementMarksByItsBitsRoundedUp)
{
    const auto marks = [](const char *value) {
        storage::TPomiarCzynn m;
        m.Fields.push_back(std::make_unique<storage::TPomiar>());
        m.Fields.back()->EditDefinition().nazwa = QStringLiteral("Typ");
        m.Fields.back()->Value = QString::fromLatin1(value);
        return CarcinogenicMeasurement(m);
    };
    for (const char *value : {"2", "1", "16384", "32768", "2.5", "0,5"}) // "0,5" rounds up to 1
        EXPECT_TRUE(marks(value)) << value;
    for (const char *value : {"4", "0", "abc", ""})
        EXPECT_FALSE(marks(value)) << value;
    storage::TPomiarCzynn none;
    EXPECT_FALSE(CarcinogenicMeasurement(none));
}

} // namespace

TEST_F(SummaryReports, AWorkstationFileThatCannotBeReadIsReportedOncePerPrintAndLeftOut)
{
    // Malformed: the file of "Biuro" breaks off; "Magazyn" has no file at all.
    fx.WriteText(
        QStringLiteral("dane/stan_3/stanowisko_dane.xml"),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                       "<stanowisko_dane id=\"3\">\n <daneogl>\n  <dane nazwa=\"Kod\" typ=\"edit\">B-3</dane>\n"));
    QFile::remove(fx.FilePath(QStringLiteral("dane/stan_4/stanowisko_dane.xml")));
    TfrmVrInfZbiorczeStan form;
    TWorkstationReportOptions options = ViewOptions(QDate(2023, 1, 1), QDate(2024, 12, 31));
    form.SetOptions(options);
    const QString text = PrintToPdf(form, dir); // two runs: the preparing one and the print
    EXPECT_EQ(boxes.boxes.size(), 2) << boxes.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Lines(text).filter(QStringLiteral("Stanowisko: ")).join('|').toStdString(),
              "Stanowisko: [SZ-1] Szlifiernia|Stanowisko: [MA-2] Malarnia|Stanowisko: [] Magazyn");
    // The next print tries the files again.
    form.SetOptions(options);
    PrintToPdf(form, dir);
    EXPECT_EQ(boxes.boxes.size(), 4);
}

TEST(SummaryReportKinds, KindsTwoToFourAreTheSummaryReportForms)
{
    RegisterSummaryReports();
    EXPECT_EQ(WorkstationReport(kSummaryInformation), static_cast<TWorkstationReportForm *>(frmVrInfZbiorczeStan()));
    EXPECT_EQ(WorkstationReport(kWorkstationsByRisk), static_cast<TWorkstationReportForm *>(VRPrzekrNDSBezNar()));
    EXPECT_EQ(WorkstationReport(kHarmfulArduousFactors), static_cast<TWorkstationReportForm *>(VRZestCzynniki()));
    EXPECT_EQ(&WorkstationReport(kSummaryInformation)->Report(), frmVrInfZbiorczeStan()->vrStan);
}

TEST(SummaryReportPages, ManyWorkstationsRunOverPagesNumberedWithTheirCount)
{
    if (Tool("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    auto &s = appstate::State();
    s.DataFolder = Data;
    s.FormsFolder = Forms;
    s.ViewName = QStringLiteral("frmZestaw");
    s.ViewKind = storage::TViewKind::Summary;
    std::vector<WorkstationEntry> written;
    std::vector<std::string> ids(70), names(70); // sized once: the entries point into them
    // Workstations of different lengths, so the pages break at different bands.
    for (int i = 0; i < 70; ++i) {
        ids[size_t(i)] = std::to_string(i + 1);
        names[size_t(i)] = "Stanowisko numer " + ids[size_t(i)];
        std::vector<storage::TZatrudn> years;
        for (int y = 0; y <= i % 5; ++y)
            years.push_back(storage::TZatrudn(QString::number(2020 + y), "1", "1", "0", "0", "0", "0"));
        written.push_back({ids[size_t(i)].c_str(),
                           names[size_t(i)].c_str(),
                           "K",
                           years,
                           {{"Hałas", 30001, "fiz", "halas_fizyczny", "T", {{"2024-06-01", 20, 20}}}}});
    }
    WriteDataFolder(written);
    QTemporaryDir dir;
    TfrmVrInfZbiorczeStan form;
    TWorkstationReportOptions options = ViewOptions(QDate(2024, 1, 1), QDate(2024, 12, 31));
    form.SetOptions(options);
    const QString text = PrintToPdf(form, dir);
    const int pages = form.Report().VRPrinter()->PageCount();
    EXPECT_GT(pages, 2);
    const QStringList lines = Lines(text);
    for (int n = 1; n <= pages; ++n)
        EXPECT_TRUE(lines.contains(QStringLiteral("Strona %1 / %2").arg(n).arg(pages))) << n;
    // No page ends with a heading whose lines went on the next page.
    for (const QString &page : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        const QStringList body = Body(page);
        if (body.isEmpty())
            continue;
        for (const char *heading :
             {"Stanowisko:", "Zatrudnienie w roku", "OCENA RYZYKA", "Nazwa czynnika", "zatwierdzona"})
            EXPECT_FALSE(body.last().startsWith(QString::fromUtf8(heading))) << page.toStdString();
    }
    // Each workstation once, in order, over the pages.
    const QStringList printed = lines.filter(QStringLiteral("Stanowisko: "));
    ASSERT_EQ(printed.size(), 70);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(printed[i], QStringLiteral("Stanowisko: [K] Stanowisko numer %1").arg(i + 1));
    EXPECT_EQ(Count(text, QStringLiteral("średnie / średnie")), 70);
    // By risk category: a page that begins inside the category and the factor says so.
    TVRPrzekrNDSBezNar byRisk;
    byRisk.SetOptions(options);
    const QStringList riskPages = PrintToPdf(byRisk, dir).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(riskPages.size(), 2);
    for (int n = 1; n < riskPages.size(); ++n) {
        const QString top = Lines(riskPages[n]).mid(2, 3).join('|');
        EXPECT_TRUE(top.startsWith("Kategoria ryzyka: średnie (cd.)|Hałas (cd.)|Stanowisko : K Stanowisko")) << n;
    }
    s.Workstations.clear();
    s.ViewName.clear();
    s.ViewKind = storage::TViewKind::None;
}
