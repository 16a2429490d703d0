// The training documents' pages: the certificate's gender wording, the programme rows
// (only complete rows, numbered on, as high as their topics; all ten on blank forms), the
// training card's optional instructions numbered from 2, and both printed through the
// composer as one document.
#include "printouts_test_support.h"

#include "appstate/appstate.h"
#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"
#include "printouts/training_pages.h"
#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_text_metrics.h"
#include "storage/config_version.h"
#include "tests/reportengine/preview_helpers.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QCheckBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace printouts;
using namespace reportengine;
using namespace printoutstest;

namespace {

class TrainingPages : public ShippedDocumentPages
{
protected:
    void Row(int n, const QString &topic, const QString &lectures = "2.5", const QString &exercises = "1.5")
    {
        doc.Set(QStringLiteral("Temat%1").arg(n), topic);
        doc.Set(QStringLiteral("GodzWyk%1").arg(n), lectures);
        doc.Set(QStringLiteral("GodzCw%1").arg(n), exercises);
    }
    // The row numbers printed, in order (texts that are a whole number of 1..10; hours
    // are written with a fraction here, so they do not count).
    static QStringList Numbers(const QStringList &texts)
    {
        QStringList numbers;
        for (const QString &t : texts)
            if (t.toInt() >= 1 && t.toInt() <= 10 && QString::number(t.toInt()) == t)
                numbers << t;
        return numbers;
    }
};

} // namespace

TEST_F(TrainingPages, TheCertificateSpeaksToTheManTheWomanOrNeitherAndPrintsItsValues)
{
    Open("zaswszkol_frm.xml");
    doc.Set("ImNazw", "Jan Kowalski");
    doc.Set("DataUrodz", "1980-05-17");
    doc.Set("MscUrodz", "Łódź");
    doc.Set("NazwaSzkol", "szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracowników "
                          "administracyjno-biurowych");
    doc.Set("Forma", "seminarium");
    doc.Set("OpisDataMiejsce", "Gdańsk, 2024-03-01");
    doc.Set("NrRej", "17/2024");
    doc.Set("Plec", "mężczyzna");
    QStringList texts = Print("frmQZaswiadczenie_P1");
    for (const char *wanted : {"Pan:", "ukończył:", "urodzony dnia:", "Jan Kowalski", "Łódź", "seminarium", "17/2024",
                               "Gdańsk, 2024-03-01", "ZAŚWIADCZENIE"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
    EXPECT_FALSE(texts.contains("mężczyzna")); // the carrier is never printed

    doc.Set("Plec", "kobieta");
    texts = Print("frmQZaswiadczenie_P1");
    for (const char *wanted : {"Pani:", "ukończyła:", "urodzona dnia:"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted;

    doc.Set("Plec", "");
    texts = Print("frmQZaswiadczenie_P1");
    for (const char *wanted : {"Pan(i):", "ukończył(a):", "urodzony(a) dnia:"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted;

    doc.Set("Plec", "kobieta");
    w->cbRodzWydr->setChecked(true);
    texts = Print("frmQZaswiadczenie_P1");
    EXPECT_TRUE(texts.contains("Pan(i):"));
    EXPECT_FALSE(texts.contains("Jan Kowalski"));
    EXPECT_FALSE(texts.contains("Gdańsk, 2024-03-01"));
    EXPECT_TRUE(texts.contains("(miejscowość, data)"));
}

TEST_F(TrainingPages, FilledProgrammeRowsPrintNumberedOnAndAsHighAsTheirTopics)
{
    Open("zaswszkol_frm.xml");
    Row(1, "Regulacje prawne z zakresu bhp");
    Row(2, "Zagrożenia czynnikami szkodliwymi");
    Row(3, "Pierwsza pomoc");
    Row(4, "Ochrona przeciwpożarowa", "", ""); // a topic without its hours yet
    doc.Set("SumaWyk", "7.5");
    doc.Set("SumaCw", "4.5");
    QStringList texts = Print("frmQZaswiadczenie_P2");
    EXPECT_EQ(Numbers(texts), (QStringList{"1", "2", "3", "4"}));
    EXPECT_TRUE(texts.contains("RAMOWY PROGRAM SZKOLEŃ"));
    EXPECT_TRUE(texts.contains("Ochrona przeciwpożarowa"));
    EXPECT_TRUE(texts.contains("Razem"));

    // A gap: the rows after it number on.
    Row(2, "", "", "");
    texts = Print("frmQZaswiadczenie_P2");
    EXPECT_EQ(Numbers(texts), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(texts.contains("Pierwsza pomoc"));

    // A topic of three lines at 10 pt Arial: 3 x 17 + 30 = 81 pixels.
    TFormPage &page = Page("frmQZaswiadczenie_P2");
    TVRLabel *topic = page.Label("Temat1");
    QString text;
    while (WrappedLineCount(text, topic->PixelWidth(), topic->Font()) < 3)
        text += QStringLiteral("Zasady bezpiecznej pracy przy obsłudze urządzeń. ");
    while (WrappedLineCount(text, topic->PixelWidth(), topic->Font()) > 3)
        text.chop(1);
    Row(1, text);
    texts = Print("frmQZaswiadczenie_P2");
    for (const char *border : {"vrsLp1", "vrsTemat1", "vrsGodz1"})
        EXPECT_EQ(page.Shape(border)->PixelHeight(), 81) << border;
    EXPECT_EQ(page.Shape("vrsLp3")->PixelHeight(), 47);
    EXPECT_EQ(TfrmQZaswiadczenie_P2::RowHeight(3, -13), 81);
    EXPECT_EQ(TfrmQZaswiadczenie_P2::RowHeight(1, -13), 47);
    EXPECT_EQ(TfrmQZaswiadczenie_P2::RowHeight(100000, -13), 32767);

    // Blank forms: ten rows, numbered 1..10, as designed, whatever was printed before.
    w->cbRodzWydr->setChecked(true);
    texts = Print("frmQZaswiadczenie_P2");
    EXPECT_EQ(Numbers(texts), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(page.Shape("vrsLp1")->Size().NativeHeight(), page.DesignHeight(page.Shape("vrsLp1")));
    EXPECT_FALSE(texts.contains("Pierwsza pomoc"));
    EXPECT_EQ(page.Report()->VRPrinter()->PageCount(), 1);
}

TEST_F(TrainingPages, TheTotalsRowAddsUpThePrintedRowsHoursTypedWithAPointOrAComma)
{
    Open("zaswszkol_frm.xml");
    Row(1, "Regulacje prawne", "1,5", "0.5");
    Row(2, "Pierwsza pomoc", "1", " 1.5 ");
    Row(3, "Ochrona przeciwpożarowa", "3", ""); // lectures only: printed and counted
    QStringList texts = Print("frmQZaswiadczenie_P2");
    EXPECT_TRUE(texts.contains("Ochrona przeciwpożarowa"));
    EXPECT_TRUE(texts.contains("5,5")); // written as its hours were typed
    EXPECT_EQ(Page("frmQZaswiadczenie_P2").Label("SumaCw")->Caption(), "2");
    doc.Set("SumaCw", "2,5");                 // the document's own total prints as typed
    Row(2, "Pierwsza pomoc", "2 godz.", "1"); // an hour that is no number: no sum made up
    EXPECT_FALSE(Print("frmQZaswiadczenie_P2").contains("5,5"));
    EXPECT_EQ(Page("frmQZaswiadczenie_P2").Label("SumaCw")->Caption(), "2,5");
}

TEST_F(TrainingPages, OptionalInstructionsOfTheCardPrintWhenFilledNumberedFromTwo)
{
    Open("kartaszkol_frm.xml");
    doc.Set("NazwaPracod", "Hurtownia Łącznik sp. z o.o.");
    doc.Set("OsSzkol", "Anna Nowak");
    doc.Set("Instr1", "Magazynier");
    doc.Set("Instr3", "Operator wózka widłowego");
    doc.Set("Okres3", "2024-03-04 - 2024-03-05");
    for (int run = 0; run < 2; ++run) {
        const QStringList texts = Print("frmQKartaSzkWst");
        EXPECT_TRUE(texts.contains("1)"));
        EXPECT_EQ(texts.count("Operator wózka widłowego"), 2); // the instruction and the admission
        EXPECT_EQ(texts.count("Magazynier"), 2);
        // Section 3 printed as the second; the others not at all.
        EXPECT_TRUE(texts.contains("2")) << texts.join('|').toStdString();
        EXPECT_FALSE(texts.contains("3"));
        EXPECT_EQ(texts.count("Instruktaż stanowiskowy na stanowisku pracy"), 2);
        EXPECT_EQ(texts.count("Anna Nowak"), 3);
        EXPECT_TRUE(texts.contains("* potwierdzenie odbycia instruktażu"));
        EXPECT_TRUE(texts.contains("Hurtownia Łącznik sp. z o.o."));
    }
    w->cbRodzWydr->setChecked(true);
    const QStringList blank = Print("frmQKartaSzkWst");
    EXPECT_FALSE(blank.contains("Anna Nowak"));
    EXPECT_TRUE(blank.contains("KARTA SZKOLENIA WSTĘPNEGO"));
    EXPECT_EQ(blank.count("Instruktaż stanowiskowy na stanowisku pracy"), 1);
    EXPECT_EQ(Page("frmQKartaSzkWst").Report()->VRPrinter()->PageCount(), 1);
}

TEST_F(TrainingPages, TheCertificatePrintsAsOneDocumentOfItsCheckedPages)
{
    Open("zaswszkol_frm.xml");
    doc.Set("ImNazw", "Jan Kowalski");
    Row(1, "Pierwsza pomoc");
    w->cbPage1->setChecked(true);
    w->cbPage2->setChecked(true);
    w->VRCompRep->RunReports();
    ASSERT_TRUE(w->VRCompRep->VRPrinter());
    EXPECT_EQ(w->VRCompRep->VRPrinter()->PageCount(), 2);
    EXPECT_TRUE(CapturePageTexts(*w->VRCompRep->VRPrinter()->GetPage(1)).contains("Jan Kowalski"));
    EXPECT_TRUE(CapturePageTexts(*w->VRCompRep->VRPrinter()->GetPage(2)).contains("Pierwsza pomoc"));

    w->cbPage1->setChecked(false);
    w->VRCompRepAddReports(*w->VRCompRep);
    ASSERT_EQ(w->VRCompRep->Reports.size(), 1u);
    EXPECT_EQ(w->VRCompRep->Reports[0], Page("frmQZaswiadczenie_P2").Report());
    w->VRCompRep->RunReports();
    EXPECT_EQ(w->VRCompRep->VRPrinter()->PageCount(), 1);
}

TEST_F(TrainingPages, PrintWhileThePreviewIsOpenDoesNothing)
{
    Open("kartaszkol_frm.xml");
    testsupport::ScriptedDialogs dialogs;
    dialogs.steps << [](QDialog &) { return int(QDialog::Accepted); };
    bool previewed = false;
    int titlesDuringPreview = -1;
    QTimer::singleShot(0, [&] {
        if (!reportengine_test::SpinUntil([] { return reportengine_test::FindPreview() != nullptr; }))
            return;
        previewed = true;
        dialogs.steps << [](QDialog &) { return int(QDialog::Accepted); };
        w->Execute(w->CompositeReport, QString()); // a second Print from the main window
        titlesDuringPreview = int(dialogs.titles.size());
        dialogs.steps.clear();
        reportengine_test::FindPreview()->close();
    });
    w->Execute(w->CompositeReport, QString());
    EXPECT_TRUE(previewed);
    EXPECT_EQ(titlesDuringPreview, 1);
}

TEST_F(TrainingPages, OddValuesPrintWhatTheyCanAndNothingBreaks)
{
    Open("zaswszkol_frm.xml");
    doc.Set("Plec", "[1] kobieta"); // a coded gender is no gender the wording knows
    doc.Set("ImNazw", "]");
    doc.Set("NazwaSzkol", "[");
    doc.Set("Cel", QString(5000, QLatin1Char('x')) + QStringLiteral("\r\n\n\r") + QString(300, QLatin1Char(' ')));
    Row(1, QStringLiteral("Temat bardzo długi ").repeated(300));
    Row(2, "\n\n\n", "", " "); // nothing but line breaks and blanks: nothing typed
    Row(3, "Pierwsza pomoc", " ", "1.5");
    Row(4, "[2.] ]", "[", "]");
    QStringList texts = Print("frmQZaswiadczenie_P1");
    EXPECT_TRUE(texts.contains("Pan(i):"));
    EXPECT_TRUE(texts.contains("]"));
    texts = Print("frmQZaswiadczenie_P2");
    // Row 1 as high as a page at most (the rest of its topic on a further sheet), row 4
    // printed with its odd texts, numbered 3.
    EXPECT_EQ(Numbers(texts), (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(texts.contains("[2.] ]"));
    EXPECT_TRUE(texts.contains("Pierwsza pomoc"));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("(ciąg dalszy na stronie dodatkowej)")));
    TVRPrinter *printer = Page("frmQZaswiadczenie_P2").Report()->VRPrinter();
    EXPECT_GE(printer->PageCount(), 2);
    EXPECT_LE(printer->PageCount(), 4);
    EXPECT_LE(Page("frmQZaswiadczenie_P2").Shape("vrsLp1")->Size().NativeHeight(), 2770);

    // The same document as blank forms prints none of it.
    w->cbRodzWydr->setChecked(true);
    texts = Print("frmQZaswiadczenie_P2") + Print("frmQZaswiadczenie_P1");
    EXPECT_FALSE(texts.join(' ').contains("Temat bardzo"));
    EXPECT_FALSE(texts.contains("]"));
}
