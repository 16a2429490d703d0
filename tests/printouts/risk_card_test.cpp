// The risk assessment card (kind 1): the shipped sample workstations from "Wydruk" to a PDF
// printed from the preview, "OSTATNIE" within the range, the number employed, the employees
// who confirm the card, and the level words.

#include "printouts_fixture.h"

#include "printouts/frm_karta_oc_ryz.h"
#include "printouts/risk_level_text.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>

using namespace workstationprintouts;

namespace {

const QString kPainter = QStringLiteral("Lakiernik - malarnia natryskowa");
const QString kWelder = QStringLiteral("Spawacz - spawalnia MAG");

class RiskCard : public PrintoutsTest
{
protected:
    void SetUp() override
    {
        PrintoutsTest::SetUp();
        Kind(printouts::kRiskAssessmentCard);
    }
    void AddEmployee(const QString &name)
    {
        dialog->NazwiskoImie->setText(name);
        dialog->btDodajClick();
    }
};

TEST_F(RiskCard, ThePaintersCardPrintsLevelsInWordsMeasuresAndItsTexts)
{
    if (reportengine_test::Tool("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    Choose(kPainter, "2024-01-01", "2026-12-31", false);
    dialog->edNrKarty->setText(QStringLiteral("KR/2/2026"));
    dialog->meKarSporz->setPlainText(QStringLiteral("Jan Kowalski - specjalista ds. BHP"));
    dialog->meKarZatw->setPlainText(QStringLiteral("Anna Nowak - kierownik wydziału"));
    dialog->meDokZwiaz->setPlainText(QStringLiteral("Instrukcja stanowiskowa IS-12\nKarty charakterystyki farb"));
    dialog->meSrodkiStosowane->setPlainText(QStringLiteral("Półmaska z pochłaniaczem A2, rękawice nitrylowe"));
    const PreviewRun run = Print(QStringLiteral("karta"));
    ASSERT_TRUE(run.shown);
    EXPECT_TRUE(run.failure.isEmpty()) << run.failure.toStdString();
    EXPECT_FALSE(run.waitWindowVisible);
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    ASSERT_EQ(run.pages, 1);
    const QString card = run.pageTexts[0];
    for (const char *text :
         {"KARTA OCENY RYZYKA ZAWODOWEGO NA STANOWISKU PRACY", "KR/2/2026", "Jan Kowalski - specjalista ds. BHP",
          "Anna Nowak - kierownik wydziału", "Instrukcja stanowiskowa IS-12", "Karty charakterystyki farb",
          "Półmaska z pochłaniaczem A2", "Lakiernik - malarnia natryskowa", "Strona 1 / 1", "Zagrożenie / czynnik",
          "Data pomiaru"})
        EXPECT_TRUE(card.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(card.contains(Today()));
    // 2026: 3 men and 2 women, none pregnant counted twice, no years added up.
    EXPECT_TRUE(card.contains(QRegularExpression(QStringLiteral("Lakiernik - malarnia natryskowa\\s+5\\n"))))
        << card.toStdString();
    // Every measurement of the range, one row each, the levels in words.
    EXPECT_TRUE(card.contains(QRegularExpression(QStringLiteral("1\\s+Hałas\\s+średnie\\s+średnie\\s+2025-06-03"))));
    EXPECT_TRUE(card.contains(QRegularExpression(QStringLiteral("2\\s+Hałas\\s+małe\\s+małe\\s+2026-05-19"))));
    EXPECT_TRUE(card.contains(QRegularExpression(QStringLiteral("Octan n-butylu\\s+nieustalona\\s+nieustalona"))));
    EXPECT_TRUE(card.contains(QRegularExpression(QStringLiteral("10\\s+Toluen\\s+małe"))));
    EXPECT_TRUE(card.contains(QStringLiteral("Ochronniki słuchu przy malowaniu")));
    // No name typed and nobody chosen: no confirmation.
    EXPECT_FALSE(card.contains(QStringLiteral("Potwierdzenie")));
}

TEST_F(RiskCard, OstatnieIsTheLatestMeasurementWithinTheRange)
{
    Choose(kWelder, "2024-01-01", "2025-12-31", true);
    const PreviewRun run = Print();
    ASSERT_TRUE(run.shown);
    const QString card = run.pageTexts.join('\n');
    // Noise: 2025-02-20 (the 2026 measurement lies after the range); one row per factor.
    EXPECT_TRUE(card.contains(QStringLiteral("2025-02-20")));
    EXPECT_FALSE(card.contains(QStringLiteral("2026-03-09")));
    const printouts::TfrmKartaOcRyz *form = printouts::frmKartaOcRyz();
    QStringList rows;
    for (const printouts::TTabczynn &r : form->Rows())
        rows << r.nazwa + QLatin1Char(' ') + r.data + QLatin1Char(' ') + r.ocenaBez + QLatin1Char('/') + r.ocenaZ;
    EXPECT_EQ(rows, QStringList({"Ditlenek azotu 2024-03-12 średnie/średnie", "Hałas 2025-02-20 duże/duże",
                                 "Pył tlenków żelaza 2024-03-12 nieustalona/nieustalona",
                                 "Tlenek węgla 2024-03-12 średnie/średnie"}));
}

TEST_F(RiskCard, SelectedEmployeesConfirmInRowsOfThreeAndATypedNameOnItsOwnLine)
{
    Choose(kPainter, "2026-01-01", "2026-12-31", true);
    for (const char *name : {"Adamski Piotr", "Bąk Ewa", "Cieślak Jan", "Dudek Maria", "Ekiert Tomasz", "Fijał Ola"})
        AddEmployee(QString::fromUtf8(name));
    EXPECT_TRUE(dialog->NazwiskoImie->text().isEmpty());
    for (int i = 0; i < 5; ++i)
        dialog->lbPracownicy->item(i)->setSelected(true);
    dialog->cbPracownicy->setChecked(true);
    PreviewRun run = Print();
    ASSERT_TRUE(run.shown);
    QString card = run.pageTexts.join('\n');
    EXPECT_TRUE(card.contains(QStringLiteral("Potwierdzenie przyjęcia do wiadomości przez pracownika:")));
    const QString sign = QStringLiteral("\ndata i podpis\n");
    EXPECT_TRUE(card.contains(QStringLiteral("Adamski Piotr") + sign + QStringLiteral("Bąk Ewa") + sign +
                              QStringLiteral("Cieślak Jan") + sign + QStringLiteral("Dudek Maria") + sign +
                              QStringLiteral("Ekiert Tomasz") + sign))
        << card.toStdString();
    EXPECT_EQ(card.count(QStringLiteral("data i podpis")), 5);
    EXPECT_FALSE(card.contains(QStringLiteral("Fijał Ola")));

    // ">" deletes the chosen names; a typed name without "Uwzględnij wybranych" signs alone.
    dialog->btUsunClick();
    ASSERT_EQ(dialog->lbPracownicy->count(), 1);
    dialog->cbPracownicy->setChecked(false);
    dialog->NazwiskoImie->setText(QStringLiteral("Fijał Ola"));
    run = Print();
    ASSERT_TRUE(run.shown);
    card = run.pageTexts.join('\n');
    EXPECT_TRUE(card.contains(QStringLiteral("Fijał Ola")));
    EXPECT_FALSE(card.contains(QStringLiteral("Adamski Piotr")));
    EXPECT_EQ(card.count(QStringLiteral("Potwierdzenie przyjęcia")), 1);
}

TEST(RiskLevelText, LevelsInWordsAndAnythingElseADash)
{
    EXPECT_EQ(printouts::RiskLevelText(0), QStringLiteral("nieustalona"));
    EXPECT_EQ(printouts::RiskLevelText(10), QStringLiteral("małe"));
    EXPECT_EQ(printouts::RiskLevelText(20), QStringLiteral("średnie"));
    EXPECT_EQ(printouts::RiskLevelText(30), QStringLiteral("duże"));
    EXPECT_EQ(printouts::RiskLevelText(40), QStringLiteral("praca wzbroniona"));
    EXPECT_EQ(printouts::RiskLevelText(15), QStringLiteral("-"));
    EXPECT_EQ(printouts::RiskLevelText(99), QStringLiteral("-")); // not applicable: no rating
}

TEST(RiskCardEmployed, TheLatestYearUpToTheCardsDate)
{
    using printouts::TfrmKartaOcRyz;
    storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("Biuro"), QStringLiteral("stan_1"));
    const QDate card(2025, 6, 30);
    EXPECT_EQ(TfrmKartaOcRyz::EmployedCount(w, card), 0);
    w.AddEmployment(storage::TZatrudn("2024", "9", "9", "9", "9", "0", "0"));
    w.AddEmployment(storage::TZatrudn("2025", "3", "2", "1", "0", "0", "0"));
    EXPECT_EQ(TfrmKartaOcRyz::EmployedCount(w, card), 5);
    // A year planned ahead of the card is not its staff; a card dated before every year has none.
    w.AddEmployment(storage::TZatrudn("2026", "40", "1", "1", "1", "0", "0"));
    EXPECT_EQ(TfrmKartaOcRyz::EmployedCount(w, card), 5);
    EXPECT_EQ(TfrmKartaOcRyz::EmployedCount(w, QDate(2026, 1, 1)), 42);
    EXPECT_EQ(TfrmKartaOcRyz::EmployedCount(w, QDate(2023, 12, 31)), 0);
}

} // namespace
