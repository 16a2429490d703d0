// The pages of the statistical accident card, the commuting accident card and the two
// referrals: the card's digit boxes and circled codes, the commuting card's two-level
// ticks and its struck-out finding, the referrals' wording (the same at every print),
// the place of the identification data and the descriptions that grow with their text.
#include "printouts_test_support.h"
#include "statutory_samples.h"

#include "printouts/band_handlers.h"
#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"
#include "printouts/referral_pages.h"
#include "printouts/stat_card_pages.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "storage/config_version.h"
#include "tests/support/fixture.h"

#include <QCheckBox>
#include <gtest/gtest.h>

using namespace printouts;
using namespace reportengine;
using namespace printoutstest;

namespace {

class StatutoryPages : public ShippedDocumentPages
{
protected:
    using ShippedDocumentPages::Print;
    // The texts as printed, and how many sheets they took.
    QStringList Print(const char *pageForm, int *pages)
    {
        const QStringList texts = Print(pageForm);
        *pages = Page(pageForm).Report()->VRPrinter()->PageCount();
        return texts;
    }
    void Blank(bool blank) { w->cbRodzWydr->setChecked(blank); }
    void Open(const QString &definition, const statutorysamples::Values &values = {})
    {
        ShippedDocumentPages::Open(definition);
        ASSERT_FALSE(doc.items.empty()) << definition.toStdString();
        for (const auto &v : values)
            doc.Set(v.first, v.second);
    }
    // The marks of the page that print, among those named.
    QStringList Marks(const char *pageForm, const QStringList &names)
    {
        QStringList on;
        for (const QString &name : names)
            if (TVRShape *s = Page(pageForm).Shape(name); s && s->Enabled())
                on << name;
        return on;
    }
    static QStringList Named(const QString &stem, const QStringList &codes)
    {
        QStringList out;
        for (const QString &c : codes)
            out << stem + QLatin1Char('_') + c;
        return out;
    }
};

} // namespace

TEST(StatisticalCardBoxes, EveryBoxTakesOneCharacterCountsFromTheRightIdentifiersFromTheLeft)
{
    EXPECT_EQ(TfrmStatKartWyp::SplitIntoBoxes("45", 3, true), (QStringList{"", "4", "5"}));
    EXPECT_EQ(TfrmStatKartWyp::SplitIntoBoxes(" 7 ", 2, true), (QStringList{"", "7"}));
    EXPECT_EQ(TfrmStatKartWyp::SplitIntoBoxes("12345", 9, false),
              (QStringList{"1", "2", "3", "4", "5", "", "", "", ""}));
    EXPECT_EQ(TfrmStatKartWyp::SplitIntoBoxes("", 3, true), (QStringList{"", "", ""}));
    // More than the boxes hold: nothing is lost, the first box takes the surplus.
    EXPECT_EQ(TfrmStatKartWyp::SplitIntoBoxes("1234", 3, true), (QStringList{"12", "3", "4"}));
}

TEST_F(StatutoryPages, TheStatisticalCardPrintsItsCodesBoxesAndCircledAnswersInEveryModel)
{
    for (int version = 1; version <= 3; ++version) {
        SCOPED_TRACE(version);
        Open(QStringLiteral("skw_frm_%1.xml").arg(version), statutorysamples::StatisticalCard(version));
        const QByteArray p1 = QStringLiteral("frmStatKartWypP1_%1").arg(version).toLatin1();
        const QByteArray p2 = QStringLiteral("frmStatKartWypP2_%1").arg(version).toLatin1();
        int pages = 0;
        QStringList texts = Print(p1.constData(), &pages);
        EXPECT_EQ(pages, 1);
        // Codes in the code column, the description beside them.
        for (const char *wanted :
             {"021", "Złamania zamknięte", "53", "Dłoń", "7", "Robotnicy przemysłowi i rzemieślnicy", "polskie", "12",
              "2.5", "STATYSTYCZNA KARTA WYPADKU", "od 50 do 249 osób",
              "Liczba pracujących (bez przeliczenia na pełny etat)"})
            EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
        // One digit a box: REGON from the left, the days of incapacity from the right.
        EXPECT_EQ(texts.mid(texts.indexOf("Numer identyfikacyjny REGON") + 1, 9).join(""), "123456785");
        EXPECT_FALSE(texts.contains("45"));
        EXPECT_FALSE(texts.contains("Józef Wąs")); // the card is anonymous
        EXPECT_EQ(Marks(p1.constData(), Named("Plec", {"1", "2"}) + Named("SkutkiWyp", {"1", "2", "3"}) +
                                            Named("KwalifWyp", {"9998", "9999"}) + Named("NrKart", {"1", "2"})),
                  (QStringList{"Plec_2", "SkutkiWyp_2", "KwalifWyp_9998", "NrKart_1"}));
        EXPECT_EQ(Marks(p1.constData(), Named("TypWyp", {"1_1", "1_2", "1_3", "1_4", "2_1", "2_2", "2_3", "2_4"})),
                  QStringList{"TypWyp_1_3"});

        texts = Print(p2.constData(), &pages);
        EXPECT_EQ(pages, 1);
        for (const char *wanted : {"Pruszcz Gdański", "011", "10.07", "Maszyny do formowania – prasowanie, zgniatanie",
                                   "14.03", "63", "Grażyna Śliwińska", "2024-03-25", "CZĘŚĆ II – UZUPEŁNIAJĄCA"})
            EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
        EXPECT_EQ(Marks(p2.constData(), Named("RzeczSkutkiWyp", {"1", "2", "3"})), QStringList{"RzeczSkutkiWyp_1"});
        // The latest model asks for the e-mail, and every model names its regulation.
        EXPECT_EQ(texts.contains("bhp@zuraw.example.pl"), version == 3);
        EXPECT_TRUE(texts.join(' ').contains(version == 1 ? "8 grudnia 2004" : "7 stycznia 2009"));

        Blank(true);
        texts = Print(p1.constData()) + Print(p2.constData());
        Blank(false);
        for (const char *value : {"1", "021", "Dłoń", "Pruszcz Gdański", "10.07", "Grażyna Śliwińska"})
            EXPECT_FALSE(texts.contains(QString::fromUtf8(value))) << value;
        EXPECT_TRUE(Marks(p1.constData(), Named("Plec", {"1", "2"}) + Named("TypWyp", {"1_3"})).isEmpty());
    }
}

TEST_F(StatutoryPages, TheCommutingCardTicksBothLevelsOfTheWayAndStrikesOutWhatTheFindingRulesOut)
{
    Open("kartwypdroga_frm.xml", statutorysamples::CommutingCard());
    const QStringList way = {"MiejsceWyp_1_0", "MiejsceWyp_2_0", "MiejsceWyp_0_1", "MiejsceWyp_0_2"};
    const QStringList finding = {"RodzajWyp_1", "RodzajWyp_2", "Uzasadnienie_2"};
    QStringList texts = Print("frmWypadekDrogaP2");
    EXPECT_EQ(Marks("frmWypadekDrogaP2", way), (QStringList{"MiejsceWyp_1_0", "MiejsceWyp_0_2"}));
    EXPECT_EQ(Marks("frmWypadekDrogaP2", {"WypRZ_1", "WypRZ_2", "Dochodzenie_1", "CiezkoscWyp_1", "CiezkoscWyp_2"}),
              (QStringList{"WypRZ_2", "Dochodzenie_1", "CiezkoscWyp_1"}));
    for (const char *wanted : {"2024-01-15", "7:20", "autobus komunikacji miejskiej",
                               "Tadeusz Kęsicki, ul. Polna 2, "
                               "05-500 Piaseczno"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();

    // Not a commuting accident: "jest" struck out, the justification stands.
    const QString justification = QString::fromUtf8("Przerwa w drodze nie była uzasadniona koniecznością życiową.");
    texts = Print("frmWypadekDrogaP3");
    EXPECT_EQ(Marks("frmWypadekDrogaP3", finding), QStringList{"RodzajWyp_1"});
    EXPECT_TRUE(texts.contains(justification));
    EXPECT_TRUE(Page("frmWypadekDrogaP3").DocumentNotice().isEmpty());
    // A commuting accident: "nie jest" struck out, and the justification's caption with it;
    // a justification typed all the same is not printed under it, and the user is told.
    doc.Set("RodzajWyp", "[1] wypadek jest wypadkiem w drodze do pracy lub z pracy");
    texts = Print("frmWypadekDrogaP3");
    EXPECT_EQ(Marks("frmWypadekDrogaP3", finding), (QStringList{"RodzajWyp_2", "Uzasadnienie_2"}));
    EXPECT_FALSE(texts.contains(justification));
    EXPECT_TRUE(Page("frmWypadekDrogaP3").DocumentNotice().contains("nie zostanie wydrukowane"));
    // No finding yet, and blank forms: nothing struck out.
    doc.Set("RodzajWyp", "");
    Print("frmWypadekDrogaP3");
    EXPECT_TRUE(Marks("frmWypadekDrogaP3", finding).isEmpty());
    doc.Set("RodzajWyp", "[2] wypadek nie jest wypadkiem w drodze do pracy lub z pracy");
    Blank(true);
    texts = Print("frmWypadekDrogaP3") + Print("frmWypadekDrogaP1");
    EXPECT_TRUE(Marks("frmWypadekDrogaP3", finding).isEmpty());
    EXPECT_TRUE(Marks("frmWypadekDrogaP1", {"TytulUbezpPoszk_1", "TytulUbezpPoszk_2"}).isEmpty());
    EXPECT_FALSE(texts.join(' ').contains(QString::fromUtf8("Małgorzata")));
    EXPECT_TRUE(texts.contains("KARTA WYPADKU\nW DRODZE DO PRACY LUB Z PRACY") || texts.contains("KARTA WYPADKU"));
}

TEST_F(StatutoryPages, TheEarlierReferralSpeaksToTheWomanTheManOrEither)
{
    Open("skierbad_frm_1.xml", statutorysamples::Referral(1, QStringLiteral("kobieta")));
    QStringList texts = Print("frmQSkierBad_P1_1");
    const QString title = QString::fromUtf8(
        "INFORMACJA O WYSTĘPUJĄCYCH CZYNNIKACH SZKODLIWYCH I UCIĄŻLIWYCH DLA ZDROWIA NA STANOWISKU PRACY");
    const QString all = texts.join(' ').simplified();
    for (const char *wanted :
         {"Niniejszym kierujemy Panią:", "urodzoną:", "zamieszkałą:", "Łucja Grześkowiak", "okresowe",
          "operator wózka jezdniowego", "hałas 82 dB(A); drgania ogólne; praca zmianowa"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
    // The heading of the information stands after the referral, before the workstation.
    EXPECT_LT(all.indexOf("Cel skierowania:"), all.indexOf(title));
    EXPECT_LT(all.indexOf(title), all.indexOf(QString::fromUtf8("Stanowisko pracy:")));
    EXPECT_FALSE(texts.contains("kobieta"));
    doc.Set("Plec", QString::fromUtf8("mężczyzna"));
    texts = Print("frmQSkierBad_P1_1");
    for (const char *wanted : {"Niniejszym kierujemy Pana:", "urodzonego:", "zamieszkałego:"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted;
    Blank(true);
    texts = Print("frmQSkierBad_P1_1");
    for (const char *wanted :
         {"Niniejszym kierujemy Pana(ią):", "urodzonego(ą):", "zamieszkałego(ą): ", "SKIEROWANIE NA BADANIE LEKARSKIE"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
    EXPECT_FALSE(texts.join(' ').contains(QString::fromUtf8("Grześkowiak")));
}

TEST_F(StatutoryPages, TheLaterReferralIsWordedAfreshAtEveryPrintAndPlacesTheIdentificationData)
{
    Open("skierbad_frm_2.xml", statutorysamples::Referral(2, QString::fromUtf8("mężczyzna")));
    const QStringList first = Print("frmQSkierBad_P1_2");
    for (const char *wanted :
         {"Pana ", "zamieszkałego ", "podejmującego pracę na stanowisku lub stanowiskach pracy: ", "(wstępne)",
          "Mikołaj Bączek", "nr PESEL", "92111054321", "Poznań", "magazynier", "SKIEROWANIE NA BADANIA LEKARSKIE"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(wanted))) << wanted << " in " << first.join('|').toStdString();
    EXPECT_EQ(Print("frmQSkierBad_P1_2"), first);

    doc.Set("Plec", "kobieta");
    doc.Set("Osoba", "zatrudniona");
    QStringList texts = Print("frmQSkierBad_P1_2");
    for (const char *wanted : {"Panią ", "zamieszkałą ", "zatrudnioną na stanowisku lub stanowiskach pracy: "})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
    // Neither gender given: both forms, and the phrase once however often it prints.
    doc.Set("Plec", "");
    Print("frmQSkierBad_P1_2");
    texts = Print("frmQSkierBad_P1_2");
    for (const char *wanted :
         {"Pana(ią) ", "zamieszkałego(ą) ", "zatrudnionego(ą) na stanowisku lub stanowiskach pracy: "})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
    Blank(true);
    texts = Print("frmQSkierBad_P1_2");
    Blank(false);
    for (const char *wanted : {"(wstępne/okresowe/kontrolne*)", "nr PESEL**",
                               "zatrudnionego(ą) lub podejmującego(ą) pracę na stanowisku lub stanowiskach pracy: "})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted << " in " << texts.join('|').toStdString();
    EXPECT_FALSE(texts.join(' ').contains(QString::fromUtf8("Bączek")));

    // The identification data stands after its kind, its dotted line under it.
    TFormPage &page = *PageForm("frmQSkierBad_P1_2");
    const struct
    {
        const char *kind;
        int left, lineLeft, lineWidth;
    } places[] = {{"nr PESEL", 80, 78, 600}, {"dokument tożsamości", 140, 138, 540}, {"data urodzenia", 107, 105, 572},
                  {"paszport", 80, 78, 600}, {"dokument tożsamości", 140, 138, 540}, {"", 80, 78, 600}};
    for (const auto &p : places) {
        SCOPED_TRACE(p.kind);
        doc.Set("RodzajDanych", QString::fromUtf8(p.kind));
        Print("frmQSkierBad_P1_2");
        EXPECT_NEAR(page.Label("Pesel")->Size().NativeLeft(), PagePixelsToNative(p.left), 0.01);
        EXPECT_NEAR(page.Shape("vrsPesel")->Size().NativeLeft(), PagePixelsToNative(p.lineLeft), 0.01);
        EXPECT_NEAR(page.Shape("vrsPesel")->Size().NativeWidth(), PagePixelsToNative(p.lineWidth), 0.01);
    }
}

TEST_F(StatutoryPages, ALongDescriptionOfTheWorkingConditionsGoesOnToASecondSheetWhole)
{
    Open("skierbad_frm_2.xml", statutorysamples::Referral(2, "kobieta"));
    QString longText;
    for (int i = 1; i <= 60; ++i)
        longText += QStringLiteral("Pomiar %1: hałas na stanowisku pakowania, wartość zmierzona poniżej NDN. ").arg(i);
    doc.Set("OpisWarPracy", longText.trimmed());
    int pages = 0;
    const QStringList texts = Print("frmQSkierBad_P1_2", &pages);
    EXPECT_EQ(pages, 2);
    const QString all = texts.join(' ');
    EXPECT_TRUE(all.contains("Pomiar 60:")) << all.toStdString();
    EXPECT_TRUE(all.contains("(podpis pracodawcy)"));
    // The next document prints on one sheet again, its boxes as designed.
    doc.Set("OpisWarPracy", "praca w magazynie");
    Print("frmQSkierBad_P1_2", &pages);
    EXPECT_EQ(pages, 1);
}
