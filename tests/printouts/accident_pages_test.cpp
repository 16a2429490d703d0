// The accident documents' pages: the legal qualification's two-level ticks, the protocol of
// each model with its own items, and the page numbers of the hearing record and the
// register card.
#include "printouts_test_support.h"

#include "printouts/form_page.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"

#include <QCheckBox>
#include <gtest/gtest.h>

using namespace printouts;
using namespace reportengine;
using namespace printoutstest;

namespace {

class AccidentPages : public ShippedDocumentPages
{
protected:
    // The ticks of a field that print now, in page order.
    QStringList Ticked(const char *pageForm, const QString &field)
    {
        QStringList on;
        TFormPage &page = Page(pageForm);
        for (const TVRPrintable *c : page.Components())
            if (page.KindOf(c) == TLayoutControl::Tick && c->Name().startsWith(field + QLatin1Char('_')) &&
                c->Enabled())
                on << c->Name();
        return on;
    }
};

} // namespace

TEST_F(AccidentPages, TheLegalQualificationTicksTheMainBoxAndTheArticleOrOnlyNieJest)
{
    const struct
    {
        const char *definition;
        const char *version;
        const char *page;
    } pages[] = {{"protpow_frm_1.xml", "1", "frmProtWypP3"},
                 {"protpow_frm_2.xml", "2", "frmProtWyp2P3"},
                 {"kartrejwyp_frm.xml", "", "frmKartRejWypP1"}};
    for (const auto &p : pages) {
        SCOPED_TRACE(p.page);
        Open(QString::fromLatin1(p.definition));
        storedVersion = QString::fromLatin1(p.version);
        doc.Set("RodzWyp", "[2] zbiorowy");
        doc.Set("CiezkWyp", "[3] inny niż śmiertelny lub ciężki");
        const std::pair<const char *, QStringList> qualifications[] = {
            {"[1.1] wypadek jest wypadkiem przy pracy (art. 3 ust. 1 ustawy)", {"TypWyp_1_0", "TypWyp_0_1"}},
            {"[1.2] wypadek jest zrównany z wypadkiem przy pracy (art. 3 ust. 2 ustawy)", {"TypWyp_1_0", "TypWyp_0_2"}},
            {"[2] wypadek nie jest wypadkiem przy pracy", {"TypWyp_2_0"}},
            {"", {}}};
        for (const auto &[value, ticked] : qualifications) {
            doc.Set("TypWyp", value);
            Print(p.page);
            EXPECT_EQ(Ticked(p.page, "TypWyp"), ticked) << value;
            EXPECT_EQ(Ticked(p.page, "RodzWyp"), QStringList{"RodzWyp_2"});
            EXPECT_EQ(Ticked(p.page, "CiezkWyp"), QStringList{"CiezkWyp_3"});
        }
        // Blank forms: the boxes stay, no mark.
        doc.Set("TypWyp", "[2] wypadek nie jest wypadkiem przy pracy");
        w->cbRodzWydr->setChecked(true);
        Print(p.page);
        w->cbRodzWydr->setChecked(false);
        EXPECT_TRUE(Ticked(p.page, "TypWyp").isEmpty());
        EXPECT_TRUE(Ticked(p.page, "RodzWyp").isEmpty());
        int boxes = 0;
        TFormPage &page = Page(p.page);
        for (const TVRPrintable *c : page.Components())
            boxes += page.KindOf(c) == TLayoutControl::Shape && c->Enabled();
        EXPECT_GE(boxes, 9);
    }
}

TEST_F(AccidentPages, TheProtocolOf2019HasNoRegonNorFathersNameAndThe2004OneHasBothAndItsEkdPkdCode)
{
    for (const char *version : {"1", "2"}) {
        SCOPED_TRACE(version);
        const bool old = QLatin1String(version) == QLatin1String("1");
        Open(QStringLiteral("protpow_frm_%1.xml").arg(QLatin1String(version)));
        storedVersion = QString::fromLatin1(version);
        doc.Set("ImieNazwisko", "Łukasz Wróbel");
        doc.Set("DataWyp", "2024-04-09");
        doc.Set("NipFirma", "5260001246");
        doc.Set("Regon", "012345678");
        doc.Set("ImOjca", "Zbigniew");
        doc.Set("PkdFirma", "25.62.Z");
        doc.Set("NipPrac", "7391234560");
        doc.Set("MiejscUrodz", "Włocławek");
        doc.Set("KodZawod", "[7] Robotnicy przemysłowi i rzemieślnicy");
        const QStringList texts = Print(old ? "frmProtWypP1" : "frmProtWyp2P1");
        // The injured person and the day are named in the team's sentence and again below.
        EXPECT_EQ(texts.count(QStringLiteral("Łukasz Wróbel")), 2);
        EXPECT_EQ(texts.count(QStringLiteral("2024-04-09")), 2);
        EXPECT_TRUE(texts.contains("5260001246"));
        EXPECT_TRUE(texts.contains("Robotnicy przemysłowi i rzemieślnicy"));
        EXPECT_TRUE(texts.contains("7"));
        for (const char *onlyOld : {"REGON", "012345678", "Zbigniew", "(pieczęć pracodawcy)", "kod EKD/PKD", "25.62.Z",
                                    "7391234560", "Włocławek", "3. Data i miejsce urodzenia"})
            EXPECT_EQ(texts.contains(QString::fromUtf8(onlyOld)), old) << onlyOld;
    }
}

TEST_F(AccidentPages, TheAccidentCardStatesItsFindingsOnFaultAndOnSobrietyApartEachWithItsEvidence)
{
    Open("kartwyp_frm.xml");
    doc.Set("Naruszenia", "Nie stwierdzono naruszenia przepisów.");
    doc.Set("Nietrzezwosc", "Badanie alkomatem: 0,00 mg/l.");
    const QString texts = "|" + Print("frmKartWypP3").join("|") + "|";
    for (const char *wanted : {"|5. Ustalenia co do naruszenia", "|6. Ustalenia co do stanu nietrzeźwości",
                               "|Nie stwierdzono naruszenia przepisów.|", "|Badanie alkomatem: 0,00 mg/l.|"})
        EXPECT_EQ(texts.count(QString::fromUtf8(wanted)), 1) << wanted;
}

TEST_F(AccidentPages, TheHearingRecordAndTheRegisterCardPrintTheirPageNumbers)
{
    Open("protprzes_frm.xml");
    EXPECT_TRUE(Print("frmZalPrzesP1").contains("Strona 1"));
    Open("kartrejwyp_frm.xml");
    EXPECT_TRUE(Print("frmKartRejWypP1").contains("Strona: 1"));

    // A page number counts the pages of the printed document.
    TFormPage page(QStringLiteral("frmTest"), QStringLiteral("report | VelRep |\n"
                                                             "band | PageHeaderBand1 | pageheader | 10\n"
                                                             "text | - | 0,0,50,5 | pageno | Strona\n"
                                                             "band | DetailBand1 | detail | 200 | newpage\n"
                                                             "band | ChildBand1 | child | 150 | parent=DetailBand1\n"));
    ASSERT_TRUE(page.LayoutErrors().isEmpty());
    ASSERT_TRUE(page.Report()->Prepare());
    TVRPrinter *printer = page.Report()->VRPrinter();
    ASSERT_EQ(printer->PageCount(), 2);
    EXPECT_TRUE(CapturePageTexts(*printer->GetPage(1)).contains("Strona 1"));
    EXPECT_TRUE(CapturePageTexts(*printer->GetPage(2)).contains("Strona 2"));
}
