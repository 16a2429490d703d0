// The register of harmful factors and the measurement cards (kind 0): the shipped sample
// workstations from "Wydruk" to a PDF printed from the preview, the parts the options
// switch on and off from one run to the next, and the rows the dialog prepares.

#include "printouts_fixture.h"

#include "printouts/frm_v_rejestr_karta.h"
#include "printouts/register_card_data.h"

#include <QCheckBox>
#include <QRegularExpression>

using namespace workstationprintouts;
using printouts::TRegisterCardData;

namespace {

const QString kWelder = QStringLiteral("Spawacz - spawalnia MAG");
const QString kOffice = QStringLiteral("Pracownik biurowy - dział kadr i płac");

QString all(const PreviewRun &run)
{
    return run.pageTexts.join(QStringLiteral("\n\f\n"));
}

class RegisterAndCards : public PrintoutsTest
{
protected:
    void SetUp() override
    {
        PrintoutsTest::SetUp();
        Kind(printouts::kRegisterAndCards);
    }
};

TEST_F(RegisterAndCards, TheWeldersRegisterAndCardsPrintFromThePreview)
{
    if (reportengine_test::Tool("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    Choose(kWelder, "2024-01-01", "2026-12-31", false);
    // The wait window is up while the pages are counted, and gone when they are shown.
    bool waitWhileCounting = false;
    printouts::frmVRejestrKarta()->Report().OnStartPage = [&](reportengine::TVelRep *) {
        waitWhileCounting = waitWhileCounting || printouts::frmStatRep()->isVisible();
    };
    const PreviewRun run = Print(QStringLiteral("rejestr"));
    printouts::frmVRejestrKarta()->Report().OnStartPage = nullptr;
    ASSERT_TRUE(run.shown);
    EXPECT_TRUE(run.failure.isEmpty()) << run.failure.toStdString();
    EXPECT_TRUE(waitWhileCounting);
    EXPECT_FALSE(run.waitWindowVisible);
    EXPECT_FALSE(printouts::frmStatRep()->isVisible());
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    // The register, then the chemical (3 + 1 measurements), dust and physical cards.
    ASSERT_EQ(run.pages, 5);
    EXPECT_EQ(reportengine_test::PdfPageCount(run.pdf), 5);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_TRUE(run.pageTexts[n - 1].contains(QStringLiteral("Strona %1 / 5").arg(n))) << n;
        const QString today = QDate::currentDate().toString("dd-MM-yyyy"); // the register's own format
        EXPECT_TRUE(run.pageTexts[n - 1].contains(QStringLiteral("Wydrukowano: ") + today)) << n;
    }
    const QString reg = run.pageTexts[0];
    EXPECT_TRUE(reg.contains(QStringLiteral("REJESTR CZYNNIKÓW SZKODLIWYCH DLA ZDROWIA WYSTĘPUJĄCYCH NA")));
    EXPECT_TRUE(reg.contains(QStringLiteral("SP-01")));
    EXPECT_TRUE(reg.contains(QStringLiteral("11-02-2019"))); // set up on 2019-02-11
    EXPECT_TRUE(reg.contains(QStringLiteral("1/2019")));
    for (const char *factor :
         {"Tlenek węgla", "Ditlenek azotu", "Pył tlenków żelaza", "Hałas", "Promieniowanie nadfioletowe"})
        EXPECT_TRUE(reg.contains(QString::fromUtf8(factor))) << factor;
    // Harmful only by their flag, which these have not; and a factor no longer current.
    for (const char *left : {"Prąd elektryczny", "Wybuch i pożar", "Ozon", "Wysiłek fizyczny"})
        EXPECT_FALSE(reg.contains(QString::fromUtf8(left))) << left;
    // Six years: the last four, the latest last; the total counts men, women, juveniles.
    EXPECT_TRUE(reg.contains(QRegularExpression(QStringLiteral("Rok\\s+2023\\s+2024\\s+2025\\s+2026"))));
    EXPECT_TRUE(reg.contains(QRegularExpression(QStringLiteral("stanowisku pracy\\s+8\\s+8\\s+8\\s+9"))));

    EXPECT_TRUE(run.pageTexts[1].contains(QStringLiteral("KARTA BADAŃ I POMIARÓW CZYNNIKÓW SZKODLIWYCH")));
    EXPECT_TRUE(run.pageTexts[1].contains(QStringLiteral("CZYNNIK CHEMICZNY")));
    EXPECT_TRUE(run.pageTexts[1].contains(QStringLiteral("krotność NDS = 0.617")));
    EXPECT_TRUE(run.pageTexts[2].contains(QStringLiteral("2026-03-09")));
    EXPECT_TRUE(run.pageTexts[3].contains(QStringLiteral("PYŁ")));
    const QString noise = run.pageTexts[4];
    EXPECT_TRUE(noise.contains(QStringLiteral("CZYNNIK FIZYCZNY")));
    for (const char *value : {"LEX,8h [dB] = 88.4", "krotność LEX,8h = 2.19", "LEX,8h [dB] = 83.7",
                              "LCpeak [dB] = 128.6", "Przekroczona wartość dopuszczalna."})
        EXPECT_TRUE(noise.contains(QString::fromUtf8(value))) << value;
    for (const char *caption : {"Nazwa czynnika", "Data pomiaru", "Miejsce pomiaru", "Wykonujący pomiar",
                                "Metoda pomiaru", "Wynik pomiaru", "Interpretacja wyniku", "Stanowisko pracy"})
        EXPECT_TRUE(noise.contains(QString::fromUtf8(caption))) << caption;
}

TEST_F(RegisterAndCards, OstatnieIsTheLatestMeasurementWithinTheRange)
{
    Choose(kWelder, "2024-01-01", "2025-12-31", true);
    dialog->cbRejestr->setChecked(false);
    const PreviewRun run = Print();
    ASSERT_TRUE(run.shown);
    // One card per group: the noise of 2025-02-20, not the later one outside the range.
    ASSERT_EQ(run.pages, 3);
    EXPECT_TRUE(run.pageTexts[2].contains(QStringLiteral("2025-02-20")));
    EXPECT_FALSE(all(run).contains(QStringLiteral("2026-03-09")));
    EXPECT_FALSE(all(run).contains(QStringLiteral("REJESTR")));
}

TEST_F(RegisterAndCards, TheArduousCardsFollowTheirBoxAfterARunWithoutThem)
{
    Choose(kOffice, "2024-01-01", "2026-12-31", false);
    const PreviewRun first = Print(); // the defaults: no arduous cards
    ASSERT_TRUE(first.shown);
    EXPECT_FALSE(all(first).contains(QStringLiteral("UCIĄŻLIWY")));
    dialog->cbRejestr->setChecked(false);
    dialog->cbKartaBadan->setChecked(false);
    dialog->cbKartaBadanClick();
    dialog->cbKartaBadanUc->setChecked(true);
    const PreviewRun run = Print();
    ASSERT_TRUE(run.shown);
    // Obciążenie psychiczne (2), hałas w biurze (2), mikroklimat (1): two cards.
    ASSERT_EQ(run.pages, 2);
    for (const QString &page : run.pageTexts) {
        EXPECT_TRUE(page.contains(QStringLiteral("KARTA BADAŃ I POMIARÓW CZYNNIKÓW UCIĄŻLIWYCH")));
        EXPECT_TRUE(page.contains(QStringLiteral("CZYNNIK UCIĄŻLIWY")));
        EXPECT_FALSE(page.contains(QStringLiteral("REJESTR")));
    }
    // The results in a fixed-pitch font, wrapped in their column.
    EXPECT_TRUE(all(run).contains(QRegularExpression(QStringLiteral("obciążenie psychiczne \\[pkt\\]\\s+= 6\\n"))));
}

TEST_F(RegisterAndCards, NothingToPrintIsSaidAndNothingShown)
{
    // No workstation chosen: no factor list.
    PreviewRun run = Print();
    EXPECT_FALSE(run.shown);
    ASSERT_EQ(boxes.Texts().size(), 1);
    EXPECT_TRUE(boxes.Texts()[0].startsWith(QStringLiteral("Brak danych do wydruku.\nNie wybrano stanowiska")));
    Kind(printouts::kRiskAssessmentCard);
    run = Print();
    EXPECT_FALSE(run.shown);
    EXPECT_EQ(boxes.Texts().size(), 2);

    // Only the chemical cards of a workstation without chemical factors: no page at all.
    Choose(kOffice, "2024-01-01", "2026-12-31", false);
    Kind(printouts::kRegisterAndCards);
    dialog->cbRejestr->setChecked(false);
    dialog->cbPomPyl->setChecked(false);
    dialog->cbPomFiz->setChecked(false);
    run = Print();
    EXPECT_FALSE(run.shown);
    EXPECT_EQ(boxes.Texts().size(), 3);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("Brak danych do wydruku"));
    EXPECT_FALSE(printouts::frmStatRep()->isVisible());
}

// ---- the rows the dialog prepares -----------------------------------------------------------

std::unique_ptr<storage::TCzynnik> factor(const char *ident, int id, const QString &name, const char *szkod = "")
{
    return std::make_unique<storage::TCzynnik>(name, QString::fromLatin1(ident), id, QStringLiteral("1.0"),
                                               QStringLiteral("probny"), QStringLiteral("T"),
                                               QString::fromLatin1(szkod));
}

void measure(storage::TCzynnik &f, const QString &date)
{
    storage::AddMeasurement(f.Measurements, std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .data = date, .mscPom = QStringLiteral("hala"), .ver = QStringLiteral("1")
    }));
}

printouts::TWorkstationReportOptions optionsFor(storage::TStanowisko &w)
{
    printouts::TWorkstationReportOptions o;
    o.Workstation = &w;
    for (const storage::TFactorEntry &e : w.Factors)
        o.Factors.push_back({e.text, e.factor.get()});
    o.DateFrom = Day("2000-01-01");
    o.DateTo = Day("2030-12-31");
    o.LatestOnly = false;
    return o;
}

TEST(RegisterCardData, SevenMeasurementsFillThreeCardsAndTheWalkGoesOnToTheNextFactor)
{
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("Tokarz"), QStringLiteral("stan_1"));
    storage::TCzynnik *noise = w.AddFactor(factor("fiz", 30001, QStringLiteral("Hałas")), QStringLiteral("Hałas"));
    w.AddFactor(factor("chem", 80010, QStringLiteral("Tlenek węgla")), QStringLiteral("Tlenek węgla"));
    storage::TCzynnik *infra = w.AddFactor(factor("fiz", 30002, QStringLiteral("Hałas infradźwiękowy")),
                                           QStringLiteral("Hałas infradźwiękowy"));
    for (int d = 1; d <= 7; ++d)
        measure(*noise, QStringLiteral("2024-0%1-10").arg(d));
    measure(*infra, QStringLiteral("2025-01-10"));
    TRegisterCardData data;
    data.SetSource(optionsFor(w));
    data.SetCardRowCaptions();
    data.ResetCardCursors();
    QStringList cards;
    while (data.FillNextCard(printouts::kCardFiz)) {
        QStringList columns;
        for (const QString &c : data.GetCardRow(2).Columns)
            columns << c;
        cards << columns.join('|');
    }
    EXPECT_EQ(cards, QStringList({"2024-01-10|2024-02-10|2024-03-10", "2024-04-10|2024-05-10|2024-06-10",
                                  "2024-07-10|2025-01-10| "}));
    EXPECT_EQ(data.GetCardRow(1).Columns[1], QStringLiteral("Hałas infradźwiękowy"));
    EXPECT_EQ(data.GetCardRow(6).Caption, QStringLiteral("Wynik pomiaru"));
    EXPECT_EQ(data.GetCardRow(8).Columns[0], QStringLiteral("Tokarz"));
    // The walk starts again at the first factor for the next group.
    EXPECT_FALSE(data.FillNextCard(printouts::kCardChem));
}

TEST(RegisterCardData, RegisterColumnsYearsAndFigures)
{
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("Tokarz"), QStringLiteral("stan_1"));
    w.AddFactor(factor("fiz", 2005, QStringLiteral("Oświetlenie"), "N"), QStringLiteral("Oświetlenie"));
    w.AddFactor(factor("fiz", 3000, QStringLiteral("Czynnik 3000"), "N"), QStringLiteral("Czynnik 3000"));
    w.AddFactor(factor("fiz", 4000, QStringLiteral("Maszyny"), "T"), QStringLiteral("Maszyny"));
    w.AddFactor(factor("uciaz", 70002, QStringLiteral("Obciążenie psychiczne")), QStringLiteral("Obciążenie"));
    for (int i = 1; i <= 150; ++i)
        w.AddFactor(factor("chem", 80000 + i, QStringLiteral("Substancja %1").arg(i)),
                    QStringLiteral("Substancja %1").arg(i));
    w.AddFactor(factor("pyly", 25203, QStringLiteral("Pył")), QStringLiteral("Pył"));
    for (int year = 2001; year <= 2006; ++year)
        w.AddEmployment(storage::TZatrudn(QString::number(year), QStringLiteral("3"), QStringLiteral("2"),
                                          QStringLiteral("1"), year == 2006 ? QStringLiteral("x") : QStringLiteral("1"),
                                          QStringLiteral("4"), QStringLiteral("5")));
    TRegisterCardData data;
    data.SetSource(optionsFor(w));
    data.BuildRegisterData();
    ASSERT_EQ(data.RegisterRowCount(), 150); // any number of rows
    EXPECT_EQ(data.GetRegisterRow(150).Chem, QStringLiteral("Substancja 150"));
    EXPECT_EQ(data.GetRegisterRow(1).Pyl, QStringLiteral("Pył"));
    EXPECT_EQ(data.GetRegisterRow(2).Pyl, QStringLiteral(" "));
    // 2005 without its flag is left out, 3000 is taken whatever its flag, 4000 by its flag.
    EXPECT_EQ(data.GetRegisterRow(1).Fiz, QStringLiteral("Czynnik 3000"));
    EXPECT_EQ(data.GetRegisterRow(2).Fiz, QStringLiteral("Maszyny"));
    EXPECT_EQ(data.GetRegisterRow(3).Fiz, QStringLiteral(" "));
    EXPECT_TRUE(data.GetRegisterRow(151).Blank());
    QList<int> years;
    for (int r = 1; r <= 4; ++r)
        years << data.GetEmploymentRecord(r).Rok;
    EXPECT_EQ(years, QList<int>({2003, 2004, 2005, 2006}));
    const printouts::TEmploymentRecord latest = data.GetEmploymentRecord(4);
    EXPECT_EQ(latest.Ogolem, 3 + 2 + 0); // pregnant women are among the women; "x" juveniles count 0
    EXPECT_EQ(latest.Kobiety, 2);
    EXPECT_EQ(latest.Mlodociani, 0);
    EXPECT_EQ(latest.NocnaZm, 4);
    EXPECT_EQ(latest.PrzekrNDS, 5);
    EXPECT_EQ(data.GetEmploymentRecord(1).Ogolem, 3 + 2 + 1);
}

TEST(RegisterCardData, ManyRowsAndAWorkstationWithoutARegistrationDatePrint)
{
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("Laborant"), QStringLiteral("stan_1"));
    w.DataRej = QStringLiteral("jutro");
    for (int i = 1; i <= 120; ++i)
        w.AddFactor(factor("chem", 80000 + i, QStringLiteral("Substancja %1").arg(i)),
                    QStringLiteral("Substancja %1").arg(i));
    TRegisterCardData data;
    printouts::TWorkstationReportOptions o = optionsFor(w);
    o.KartaBadan = false;
    data.SetSource(o);
    data.BuildRegisterData();
    printouts::TfrmVRejestrKarta form;
    form.SetRegisterData(&data);
    form.SetOptions(o);
    ASSERT_TRUE(form.Report().Prepare());
    QStringList texts;
    for (int n = 1; n <= form.Report().VRPrinter()->PageCount(); ++n)
        texts += reportengine::CapturePageTexts(*form.Report().VRPrinter()->GetPage(n));
    EXPECT_GE(form.Report().VRPrinter()->PageCount(), 2);
    EXPECT_TRUE(texts.contains(QStringLiteral("Substancja 120")));
    EXPECT_FALSE(texts.contains(QStringLiteral("jutro")));
    EXPECT_EQ(form.lDatZal->Caption(), QString());
}

// ---- a form definition missing from the installation ----------------------------------------

class PrintoutsWithoutAForm : public RegisterAndCards
{
protected:
    static void SetUpTestSuite()
    {
        PrintoutsTest::SetUpTestSuite();
        QFile::remove(sharedFolder()->FilePath(QStringLiteral("zaklocen/frm/obc_psych_frm_1.xml")));
    }
};

TEST_F(PrintoutsWithoutAForm, TheOtherFactorsStillPrint)
{
    Choose(kOffice, "2024-01-01", "2026-12-31", false);
    // Reading the workstation said which file is missing; printing says nothing more.
    ASSERT_FALSE(boxes.boxes.isEmpty());
    const qsizetype told = boxes.boxes.size();
    dialog->cbKartaBadanUc->setChecked(true);
    PreviewRun run = Print();
    ASSERT_TRUE(run.shown);
    EXPECT_EQ(boxes.boxes.size(), told);
    // The factor whose measurements could not be read has no card; the others have theirs.
    EXPECT_FALSE(all(run).contains(QStringLiteral("Obciążenie psychiczne")));
    EXPECT_TRUE(all(run).contains(QStringLiteral("LAeq,Te [dB] = 52.1")));
    Kind(printouts::kRiskAssessmentCard);
    run = Print();
    ASSERT_TRUE(run.shown);
    EXPECT_EQ(boxes.boxes.size(), told);
}

} // namespace
