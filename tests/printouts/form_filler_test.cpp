// The label filler: which label and shape each field and slot reaches, the caption each
// kind prints, ticks and strike-out lines, blank forms, and the mends (design states
// restored before each fill, values without a code, "." outside the brackets, lookups
// that miss, "form" values without "]").
#include "printouts_test_support.h"

#include "printouts/form_filler.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace printouts;
using namespace printoutstest;

namespace {

QString caption(const TFormPage &page, const char *name)
{
    auto *label = page.Label(QString::fromLatin1(name));
    return label ? label->Caption() : QStringLiteral("<none>");
}

bool on(const TFormPage &page, const char *name)
{
    auto *p = reportengine::FindPrintable(page.Report(), QString::fromLatin1(name));
    return p && p->Enabled();
}

} // namespace

TEST(FormFiller, SingleValuesReachEveryLabelTheirNameBeginsAndTheLaterFieldWins)
{
    auto page = PageOf({"value | Data | 0,0,40,5 | |", "value | Data_1 | 0,6,40,5 | |",
                        "value | DataWyp | 0,12,40,5 | |", "value | Dat | 0,18,40,5 | |"});
    Document doc;
    doc.Add(Field("Data", "edit"));
    doc.Set("Data", "2024-03-01");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Data"), "2024-03-01");
    EXPECT_EQ(caption(*page, "Data_1"), "2024-03-01");
    EXPECT_EQ(caption(*page, "DataWyp"), "2024-03-01");
    EXPECT_EQ(caption(*page, "Dat"), ""); // shorter than the field name: no match

    doc.Add(Field("DataWyp", "edit"));
    doc.Set("DataWyp", "2024-02-27");
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Data"), "2024-03-01");
    EXPECT_EQ(caption(*page, "DataWyp"), "2024-02-27");
}

TEST(FormFiller, NumberedSlotsMatchExactlyForOneDigitAndByPrefixForTwo)
{
    auto page =
        PageOf({"value | Imie | 0,0,40,5 | |", "value | Imie1 | 0,6,40,5 | |", "value | Imie2 | 0,12,40,5 | |",
                "value | Imie3 | 0,18,40,5 | |", "value | Imie1x | 0,24,40,5 | |", "value | Temat1 | 0,30,40,5 | |",
                "value | Temat10 | 0,36,40,5 | |", "value | Temat10_b | 0,42,40,5 | |"});
    Document doc;
    doc.Add(Field("Imie", "form", 3));
    doc.Add(Field("Temat", "form", 10));
    for (int k = 1; k <= 3; ++k)
        doc.Set("Imie", QStringLiteral("[%1] osoba %1").arg(k), k);
    for (int k = 1; k <= 10; ++k)
        doc.Set("Temat", QStringLiteral("temat %1").arg(k), k);
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Imie1"), "osoba 1");
    EXPECT_EQ(caption(*page, "Imie2"), "osoba 2");
    EXPECT_EQ(caption(*page, "Imie3"), "osoba 3");
    EXPECT_EQ(caption(*page, "Imie"), "");
    EXPECT_EQ(caption(*page, "Imie1x"), "");
    EXPECT_EQ(caption(*page, "Temat1"), "temat 1");
    EXPECT_EQ(caption(*page, "Temat10"), "temat 10");
    EXPECT_EQ(caption(*page, "Temat10_b"), "temat 10");
}

TEST(FormFiller, EachKindPrintsItsFormOfTheValueAndCodeLabelsTheCode)
{
    auto page =
        PageOf({"value | Zawod | 0,0,60,5 | |", "value | Kod_Zawod | 0,6,20,5 | |", "value | Inny | 0,12,60,5 | |",
                "value | Kod_Inny | 0,18,20,5 | |", "value | Opis | 0,24,60,5 | |"});
    Document doc;
    doc.Add(Field("Zawod", "form"));
    doc.Add(Field("Inny", "form"));
    doc.Add(Field("Opis", "memo"));
    doc.Set("Zawod", "[7] Robotnicy przemysłowi i rzemieślnicy");
    doc.Set("Inny", "bez kodu");
    doc.Set("Opis", "[1] zostaje jak jest");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Zawod"), "Robotnicy przemysłowi i rzemieślnicy");
    EXPECT_EQ(caption(*page, "Kod_Zawod"), "7");
    EXPECT_EQ(caption(*page, "Inny"), "bez kodu"); // whole, not from its second character
    EXPECT_EQ(caption(*page, "Kod_Inny"), "");
    EXPECT_EQ(caption(*page, "Opis"), "[1] zostaje jak jest");
}

TEST(FormFiller, TicksMarkTheChosenOptionAndStrikeOutLinesAllButIt)
{
    auto page =
        PageOf({"tick | Odp_1 | 0,0,3,3 | fill", "tick | Odp_2 | 5,0,3,3 | fill", "tick | Odp_3 | 10,0,3,3 | fill",
                "tick | Skr_1 | 0,5,30,1 | hline", "tick | Skr_2 | 0,7,30,1 | hline", "tick | Skr_3 | 0,9,30,1 | hline",
                "shape | - | 0,20,50,10 | rect"});
    Document doc;
    doc.Add(Field("Odp", "combo", 1, "zaznacz"));
    doc.Add(Field("Skr", "combo", 1, "odznacz"));
    doc.Set("Odp", "[3] Tak");
    doc.Set("Skr", "[3] Tak");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_FALSE(on(*page, "Odp_1"));
    EXPECT_FALSE(on(*page, "Odp_2"));
    EXPECT_TRUE(on(*page, "Odp_3"));
    EXPECT_TRUE(on(*page, "Skr_1"));
    EXPECT_TRUE(on(*page, "Skr_2"));
    EXPECT_FALSE(on(*page, "Skr_3"));
    EXPECT_TRUE(on(*page, "VRShape1"));

    // Another choice: the marks follow, nothing of the first fill stays.
    doc.Set("Odp", "[1] Nie");
    doc.Set("Skr", "[1] Nie");
    filler.Fill(*page, doc.items);
    EXPECT_TRUE(on(*page, "Odp_1"));
    EXPECT_FALSE(on(*page, "Odp_3"));
    EXPECT_FALSE(on(*page, "Skr_1"));
    EXPECT_TRUE(on(*page, "Skr_3"));
}

TEST(FormFiller, TwoLevelCodesChooseTheMainAndTheSubBox)
{
    auto page = PageOf({"tick | Pole_1_0 | 0,0,3,3 | fill", "tick | Pole_2_0 | 5,0,3,3 | fill",
                        "tick | Pole_0_3 | 10,0,3,3 | fill", "tick | Pole_0_4 | 15,0,3,3 | fill",
                        "tick | Flat_2 | 0,5,3,3 | fill", "tick | Flat_1 | 5,5,3,3 | fill"});
    Document doc;
    doc.Add(Field("Pole", "combo", 1, "zaznacz"));
    doc.Add(Field("Flat", "combo", 1, "zaznacz"));
    doc.Set("Pole", "[2.4] Tekst");
    // A "." after the code is no second level: the flat box 2 is chosen.
    doc.Set("Flat", "[2] Inne, np. ul. Polna");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_FALSE(on(*page, "Pole_1_0"));
    EXPECT_TRUE(on(*page, "Pole_2_0"));
    EXPECT_FALSE(on(*page, "Pole_0_3"));
    EXPECT_TRUE(on(*page, "Pole_0_4"));
    EXPECT_TRUE(on(*page, "Flat_2"));
    EXPECT_FALSE(on(*page, "Flat_1"));
}

TEST(FormFiller, AValueWithoutACodeTicksNothing)
{
    auto page =
        PageOf({"tick | Odp_1 | 0,0,3,3 | fill", "tick | Odp_2 | 5,0,3,3 | fill", "tick | Skr_1 | 0,5,30,1 | hline"});
    Document doc;
    doc.Add(Field("Odp", "combo", 1, "zaznacz"));
    doc.Add(Field("Skr", "combo", 1, "odznacz"));
    doc.Set("Skr", "tak, bez kodu");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_FALSE(on(*page, "Odp_1"));
    EXPECT_FALSE(on(*page, "Odp_2"));
    EXPECT_FALSE(on(*page, "Skr_1"));
}

TEST(FormFiller, StrikeOutOfALinkedGroupSwitchesItsLabelsAndNothingLeaksIntoTheNextFill)
{
    auto page = PageOf({"tick | Rodz_1 | 0,0,30,1 | hline", "tick | Rodz_2 | 0,3,30,1 | hline",
                        "value | Uzas | 0,6,60,5 | |", "text | Uzas_1 | 0,12,60,5 | | wypadek w drodze",
                        "text | Uzas_2 | 0,18,60,5 | off | uzasadnienie", "tick | Uzas_2x | 0,24,60,1 | hline"});
    ASSERT_TRUE(page->LayoutErrors().isEmpty()) << page->LayoutErrors().join('\n').toStdString();
    Document doc;
    doc.Add(Field("Rodz", "combo", 1, "odznacz", "Uzas"));
    doc.Add(Field("Uzas", "memo"));
    doc.Set("Rodz", "[2] nie jest");
    doc.Set("Uzas", "bo tak");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_TRUE(on(*page, "Rodz_1"));
    EXPECT_FALSE(on(*page, "Rodz_2"));
    EXPECT_TRUE(on(*page, "Uzas_2"));  // the chosen option's label, designed off
    EXPECT_FALSE(on(*page, "Uzas_1")); // the group's other label
    EXPECT_TRUE(on(*page, "Uzas"));    // a name without "_" is no part of the group
    EXPECT_EQ(caption(*page, "Uzas"), "bo tak");

    // The next document chooses nothing: the labels are as laid out again.
    doc.Set("Rodz", QString());
    filler.Fill(*page, doc.items);
    EXPECT_TRUE(on(*page, "Uzas_1"));
    EXPECT_FALSE(on(*page, "Uzas_2"));

    // A shape of the group's name is the line over the chosen option's text: it goes.
    auto shapes = PageOf({"tick | Rodz_1 | 0,0,30,1 | hline", "tick | Rodz_2 | 0,3,30,1 | hline",
                          "shape | Uzas_2 | 0,6,60,1 | hline", "shape | Uzas_1 | 0,9,60,1 | hline"});
    doc.Set("Rodz", "[2] nie jest");
    filler.Fill(*shapes, doc.items);
    EXPECT_FALSE(on(*shapes, "Uzas_2"));
    EXPECT_TRUE(on(*shapes, "Uzas_1"));
}

TEST(FormFiller, BlankFormsLeaveValuesOutButKeepTheFormsOwnTexts)
{
    auto page =
        PageOf({"value | Zawod | 0,0,60,5 | |", "value | Kod_Zawod | 0,6,20,5 | |", "value | Nazw | 0,12,60,5 | |",
                "value | Plec | 0,18,20,5 | off |", "tick | Odp_1 | 0,24,3,3 | fill", "shape | - | 0,30,50,1 | hline",
                "value | Adres | 0,36,100,5 | | ........................", "value | AdresP | 0,42,100,5 | |",
                "text | - | 0,48,50,5 | | Imię i nazwisko"});
    Document doc;
    doc.Add(Field("Zawod", "form"));
    doc.Add(Field("Nazw", "edit"));
    doc.Add(Field("Plec", "combo"));
    doc.Add(Field("Odp", "combo", 1, "zaznacz"));
    doc.Add(Field("Ulica", "edit"));
    doc.Add(Field("Adres", "tekst", 1, "Ulica", QString(), QString(), "ul. "));
    doc.Add(Field("AdresP", "tekst_p", 1, "Ulica", QString(), QString(), "ul. "));
    doc.Set("Zawod", "[7] Robotnicy");
    doc.Set("Nazw", "Jan Kowalski");
    doc.Set("Plec", "mężczyzna");
    doc.Set("Odp", "[1] Tak");
    doc.Set("Ulica", "Polna");
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Adres"), "ul. Polna");
    EXPECT_EQ(caption(*page, "Plec"), "mężczyzna");
    EXPECT_FALSE(on(*page, "Plec")); // a carrier never prints

    filler.BlankForms = true;
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Zawod"), "");
    EXPECT_EQ(caption(*page, "Kod_Zawod"), "");
    EXPECT_EQ(caption(*page, "Nazw"), "");
    EXPECT_EQ(caption(*page, "Plec"), "");
    EXPECT_FALSE(on(*page, "Odp_1"));
    EXPECT_TRUE(on(*page, "VRShape1"));
    // A "tekst" field shows its label's design text, never the last document's value.
    EXPECT_EQ(caption(*page, "Adres"), "........................");
    EXPECT_EQ(caption(*page, "AdresP"), "ul. Polna");
    EXPECT_EQ(caption(*page, "VRLabel1"), "Imię i nazwisko");

    doc.items[5]->ppow = QStringLiteral("(adres)");
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Adres"), "(adres)");
}

TEST(FormFiller, PrintPositionsJoinAndLookupsReadTheAttachmentFileOrPrintEmpty)
{
    testsupport::FixtureFolder fx;
    // The text of a code follows the first three characters of the value ("[12").
    fx.WriteText("zal/kody.xml", "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                                 "<kody>\n  <k>[12Łódzkie</k>\n</kody>\n");
    auto page =
        PageOf({"value | Adres | 0,0,100,5 | |", "value | Woj | 0,6,100,5 | |", "value | WojB | 0,12,100,5 | |"});
    Document doc;
    doc.Add(Field("Ulica", "edit"));
    doc.Add(Field("NrDom", "edit"));
    doc.Add(Field("Kod", "edit"));
    doc.Add(Field("KodB", "edit"));
    storage::TDokum &adres = doc.Add(Field("Adres", "tekst", 1, "suma"));
    adres.PrintPositions.emplace_back("Ulica", "ul.", "");
    adres.PrintPositions.emplace_back("NrDom", "nr", "");
    doc.Add(Field("Woj", "tekst", 1, "Kod", QString(), "kody.xml", "woj. "));
    doc.Add(Field("WojB", "tekst", 1, "KodB", QString(), "kody.xml", "woj. "));
    doc.Set("Ulica", "Polna");
    doc.Set("NrDom", "5");
    doc.Set("Kod", "[12] łódzkie");
    doc.Set("KodB", "[99] brak");
    TFormPageFiller filler;
    filler.AttachFolder = QStringLiteral("zal");
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Adres"), "ul. Polna  nr 5");
    EXPECT_EQ(caption(*page, "Woj"), "woj. Łódzkie");
    // A code the file does not hold prints empty, not the text of the lookup before it.
    EXPECT_EQ(caption(*page, "WojB"), "woj.");
    filler.AttachFolder = QStringLiteral("zal\\");
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Woj"), "woj. Łódzkie");
    filler.AttachFolder = QStringLiteral("brak");
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Woj"), "woj.");
}

TEST(FormFiller, FieldValuesAreReadFromTheFirstItemAndMissingSlotsReadEmpty)
{
    Document doc;
    doc.Add(Field("Nazw", "edit")).Values.clear(); // fewer slots than it claims
    doc.Add(Field("Nazw", "edit"));
    doc.items[1]->Values[0].wartosc = QStringLiteral("druga");
    EXPECT_EQ(TFormPageFiller::GetDocumentFieldValue(doc.items, "Nazw"), "");
    EXPECT_EQ(TFormPageFiller::GetDocumentFieldValue(doc.items, "nazw"), "");
    EXPECT_EQ(TFormPageFiller::GetDocumentFieldValue(doc.items, "Brak"), "");
    auto page = PageOf({"value | Nazw | 0,0,60,5 | | wzór"});
    doc.Add(Field("", "edit"));
    TFormPageFiller filler;
    filler.Fill(*page, doc.items);
    EXPECT_EQ(caption(*page, "Nazw"), "druga");
}
