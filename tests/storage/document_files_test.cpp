// Document definitions, document lists and document data files: reading, writing, the
// configuration version rule and the failures that must never cost a user a document.
#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;

namespace {

const char *Definition = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                         "<protpow_frm_2 ver=\"1.0\" katalog=\"protpow\\\" plik=\"protpow_lista.xml\">\n"
                         "  <page nr=\"1\" nazwa=\"Pracodawca\">\n"
                         "    <pole nazwa=\"NazwaFirmy\" typ=\"edit\" druk=\"\" ppow=\"\" rozm=\"100\" szer=\"300\" "
                         "wys=\"0\" ile=\"1\" etyk=\"Nazwa pracodawcy\" zal=\"\"></pole>\n"
                         "    <pole nazwa=\"Okolicznosci\" typ=\"memo\" druk=\"\" ppow=\"\" rozm=\"2000\" szer=\"500\" "
                         "wys=\"80\" ile=\"1\" etyk=\"Okoliczności\" zal=\"\"></pole>\n"
                         "  </page>\n"
                         "  <page nr=\"2\" nazwa=\"Ustalenia\">\n"
                         "    <pole nazwa=\"RodzWyp\" typ=\"combo\" druk=\"zaznacz\" ppow=\"\" rozm=\"0\" szer=\"300\" "
                         "wys=\"0\" ile=\"1\" etyk=\"Rodzaj\" zal=\"rodzwyp.xml\">[1] indywidualny</pole>\n"
                         "    <pole nazwa=\"Swiadek\" typ=\"form\" druk=\"\" ppow=\"\" rozm=\"0\" szer=\"300\" "
                         "wys=\"0\" ile=\"2\" etyk=\"Świadkowie\" zal=\"sw.xml\"></pole>\n"
                         "    <pole nazwa=\"Adres\" typ=\"tekst_p\" druk=\"suma\" ppow=\"\" rozm=\"0\" szer=\"0\" "
                         "wys=\"0\" ile=\"1\" etyk=\"\" zal=\"\"></pole>\n"
                         "      <poz druk=\"Ulica\" etyk=\"ul.\" zal=\"\">\n"
                         "      <poz druk=\"NrDom\" etyk=\"nr\" zal=\"\">\n"
                         "  </page>\n"
                         "</protpow_frm_2>\n";

class DocumentFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ConfigVersion() = QStringLiteral("1.0");
    }
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter prompter;

    TDokumList readDefinition()
    {
        fx.WriteText(QStringLiteral("dokum/frm/protpow_frm_2.xml"), QString::fromUtf8(Definition));
        TDokumList items;
        EXPECT_TRUE(ReadDocumentForm(QStringLiteral("dokum\\frm\\protpow_frm_2.xml"), items));
        return items;
    }
};

TDokum *field(TDokumList &items, const QString &name)
{
    for (auto &i : items)
        if (i->nazwa == name)
            return i.get();
    return nullptr;
}

} // namespace

// --- definitions --------------------------------------------------------------------------

TEST_F(DocumentFiles, DefinitionReadsPagesFieldsSlotsAndPrintPositions)
{
    fx.WriteText(QStringLiteral("dokum/frm/protpow_frm_2.xml"), QString::fromUtf8(Definition));
    TDocumentDefinition definition;
    ASSERT_TRUE(ReadDocumentForm(QStringLiteral("dokum\\frm\\protpow_frm_2.xml"), definition));
    TDokumList &items = definition.Items;
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[0]->typ, "page");
    EXPECT_EQ(items[0]->PageNr, 1);
    EXPECT_EQ(items[0]->PageName, "Pracodawca");
    EXPECT_EQ(items[1]->nazwa, "NazwaFirmy");
    EXPECT_EQ(items[1]->rozm, 100);
    EXPECT_EQ(items[1]->szer, 300);
    EXPECT_EQ(items[1]->etyk, "Nazwa pracodawcy");
    EXPECT_EQ(items[1]->PageName, "Pracodawca");
    EXPECT_EQ(items[2]->wys, 80);
    EXPECT_EQ(items[3]->typ, "page");
    EXPECT_EQ(items[3]->PageNr, 2);
    TDokum *combo = field(items, "RodzWyp");
    EXPECT_EQ(combo->tekst, "[1] indywidualny");
    EXPECT_EQ(combo->zal, "rodzwyp.xml");
    EXPECT_EQ(combo->druk, "zaznacz");
    EXPECT_EQ(combo->PageNr, 2);
    TDokum *form = field(items, "Swiadek");
    ASSERT_EQ(form->Values.size(), 2u);
    EXPECT_EQ(form->Values[0].nr, 1);
    EXPECT_EQ(form->Values[1].nr, 2);
    TDokum *suma = field(items, "Adres");
    ASSERT_EQ(suma->PrintPositions.size(), 2u);
    EXPECT_EQ(suma->PrintPositions[1].druk, "NrDom");
    EXPECT_EQ(suma->PrintPositions[1].etyk, "nr");
    EXPECT_EQ(definition.Katalog, "protpow\\");
    EXPECT_EQ(definition.Plik, "protpow_lista.xml");
}

TEST_F(DocumentFiles, DefinitionOfAnotherVersionStaysEmptyWithoutMessage)
{
    ConfigVersion() = QStringLiteral("2.0");
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), QString::fromUtf8(Definition));
    TDokumList items;
    EXPECT_FALSE(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items));
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(DocumentFiles, MissingTruncatedOrMalformedDefinitionRaisesAndAppendsNothing)
{
    TDokumList items;
    EXPECT_THROW(ReadDocumentForm(QStringLiteral("d\\brak_frm.xml"), items), platform::TarvelinError);
    QString text = QString::fromUtf8(Definition);
    // Cut inside the second page.
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), text.left(text.indexOf("<pole nazwa=\"Swiadek\"")));
    EXPECT_THROW(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items), platform::TarvelinError);
    // Cut after a whole page: the rest of the document would be lost on save.
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), text.left(text.indexOf("  <page nr=\"2\"")));
    EXPECT_THROW(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items), platform::TarvelinError);
    QString bad = text;
    bad.replace("rozm=\"100\"", "rozm=\"sto\"");
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), bad);
    EXPECT_THROW(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items), platform::TarvelinError);
    QString huge = text;
    huge.replace("ile=\"2\"", "ile=\"100000000\"");
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), huge);
    EXPECT_THROW(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items), platform::TarvelinError);
    EXPECT_TRUE(items.empty());
}

TEST_F(DocumentFiles, InputFieldWithoutSlotsGetsOne)
{
    QString text = QString::fromUtf8(Definition);
    text.replace("ile=\"1\" etyk=\"Nazwa pracodawcy\"", "ile=\"0\" etyk=\"Nazwa pracodawcy\"");
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), text);
    TDokumList items;
    ASSERT_TRUE(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items));
    EXPECT_EQ(field(items, "NazwaFirmy")->ile, 1);
    EXPECT_EQ(field(items, "NazwaFirmy")->Values.size(), 1u);
}

TEST_F(DocumentFiles, FormVersionComesFromTheFileName)
{
    EXPECT_EQ(ExtractFormVersion("protpow_frm_2.xml"), "2");
    EXPECT_EQ(ExtractFormVersion("kartwyp_frm.xml"), "");
    bool isNumber = false;
    EXPECT_EQ(ExtractFormVersion("skw_frm_3.xml", &isNumber), "3");
    EXPECT_TRUE(isNumber);
    EXPECT_EQ(ExtractFormVersion("skw_frm_x.xml", &isNumber), "x");
    EXPECT_FALSE(isNumber); // the caller says "Błąd odczytu wersji!"
    EXPECT_EQ(VersionReadErrorText(), "Błąd odczytu wersji!");
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

// --- lists --------------------------------------------------------------------------------

TEST_F(DocumentFiles, ListWrittenByTheProgramReadsBackWithItsRootValues)
{
    TDocumentDefinition names;
    names.PData = "DataWyp";
    names.PRodzInf = "ImieNazwisko+Imie";
    names.Katalog = "protpow\\";
    TListDokumList list;
    list.push_back(std::make_unique<TListDokum>(1, "2024-03-01", "Kowalski-Jan", "2"));
    list.push_back(std::make_unique<TListDokum>(7, "2024-04-02", "Nowak \"Ania\"", "1"));
    ASSERT_TRUE(WriteDocumentList(QStringLiteral("dane\\"), "protpow_lista", names, "protpow_dane.xml", list));
    const QByteArray bytes = fx.Read("dane/protpow_lista.xml");
    EXPECT_TRUE(
        bytes.startsWith("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n"
                         "<protpow_lista ver=\"1.0\" pData=\"DataWyp\" pRodzInf=\"ImieNazwisko+Imie\" "
                         "katalog=\"protpow\\\" plik=\"protpow_dane.xml\">\r\n"
                         "  <pole nr=\"1\" data=\"2024-03-01\" rodzinf=\"Kowalski-Jan\" wer_dok=\"2\"></pole>\r\n"));
    EXPECT_TRUE(bytes.endsWith("</protpow_lista>\r\n"));

    TDocumentDefinition read;
    TListDokumList back;
    ASSERT_TRUE(ReadDocumentList(QStringLiteral("dane\\protpow_lista.xml"), back, "2", &read));
    EXPECT_EQ(read.PData, "DataWyp");
    EXPECT_EQ(read.PRodzInf, "ImieNazwisko+Imie");
    EXPECT_EQ(read.Katalog, "protpow\\");
    EXPECT_EQ(read.Plik, "protpow_dane.xml");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1]->nr, 7);
    EXPECT_EQ(back[1]->rodzinf, "Nowak \"Ania\"");
    EXPECT_EQ(back[0]->wer_dok, "2");
    // Written again it is the same file, byte for byte.
    ASSERT_TRUE(WriteDocumentList(QStringLiteral("dane\\"), "protpow_lista", read, "protpow_dane.xml", back));
    EXPECT_EQ(fx.Read("dane/protpow_lista.xml"), bytes);
}

TEST_F(DocumentFiles, EntryWithoutVersionReadsAsOneOnlyForVersionedDefinitions)
{
    const QString text = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                         "<x_lista ver=\"1.0\" pData=\"D\" pRodzInf=\"R\" katalog=\"x\\\" plik=\"x_dane.xml\">\n"
                         "  <pole nr=\"3\" data=\"2020-01-01\" rodzinf=\"A\"></pole>\n"
                         "</x_lista>\n";
    fx.WriteText("dane/x_lista.xml", text);
    TListDokumList versioned, plain;
    ASSERT_TRUE(ReadDocumentList("dane\\x_lista.xml", versioned, "2"));
    ASSERT_TRUE(ReadDocumentList("dane\\x_lista.xml", plain, ""));
    EXPECT_EQ(versioned[0]->wer_dok, "1");
    EXPECT_EQ(plain[0]->wer_dok, "");
}

TEST_F(DocumentFiles, ListRootNameIsTheFileBaseNameWhateverTheFolders)
{
    const QString text = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                         "<x_lista ver=\"1.0\" pData=\"DataWyp\" pRodzInf=\"R\" katalog=\"x\\\" plik=\"x_dane.xml\">\n"
                         "  <pole nr=\"1\" data=\"2020-01-01\" rodzinf=\"A\" wer_dok=\"\"></pole>\n"
                         "</x_lista>\n";
    fx.WriteText("a/b/c/x_lista.xml", text);
    TDocumentDefinition read;
    TListDokumList list;
    ASSERT_TRUE(ReadDocumentList("a\\b\\c\\x_lista.xml", list, "", &read));
    EXPECT_EQ(read.PData, "DataWyp");
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(DocumentFiles, ListOfAnotherVersionIsRejected)
{
    const QString text = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                         "<x_lista ver=\"0.9\" pData=\"D\" pRodzInf=\"R\" katalog=\"x\\\" plik=\"x_dane.xml\">\n"
                         "  <pole nr=\"1\" data=\"2020-01-01\" rodzinf=\"A\" wer_dok=\"\"></pole>\n"
                         "</x_lista>\n";
    fx.WriteText("dane/x_lista.xml", text);
    TListDokumList list;
    EXPECT_FALSE(ReadDocumentList("dane\\x_lista.xml", list, ""));
    EXPECT_TRUE(list.empty());
}

TEST_F(DocumentFiles, MissingTruncatedOrMalformedListRaises)
{
    TListDokumList list;
    EXPECT_THROW(ReadDocumentList("dane\\brak_lista.xml", list, ""), platform::TarvelinError);
    const QString whole = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                          "<x_lista ver=\"1.0\" pData=\"D\" pRodzInf=\"R\" katalog=\"x\\\" plik=\"x_dane.xml\">\n"
                          "  <pole nr=\"1\" data=\"2020-01-01\" rodzinf=\"A\" wer_dok=\"\"></pole>\n"
                          "  <pole nr=\"2\" data=\"2020-01-02\" rodzinf=\"B\" wer_dok=\"\"></pole>\n"
                          "</x_lista>\n";
    fx.WriteText("dane/x_lista.xml", whole.left(whole.indexOf("</x_lista>")));
    EXPECT_THROW(ReadDocumentList("dane\\x_lista.xml", list, ""), platform::TarvelinError);
    QString bad = whole;
    bad.replace("nr=\"2\"", "nr=\"dwa\"");
    fx.WriteText("dane/x_lista.xml", bad);
    EXPECT_THROW(ReadDocumentList("dane\\x_lista.xml", list, ""), platform::TarvelinError);
    EXPECT_EQ(list.size(), 3u); // the entries read before each fault, to be shown
    EXPECT_FALSE(WriteDocumentList("dane\\", "x_lista", {}, "x_dane.xml", list));
}

TEST_F(DocumentFiles, FailedListWriteLeavesTheOldFile)
{
    fx.Write("dane/x_lista.xml", "old");
    TListDokumList list;
    // The target is a folder name that cannot be replaced by a file.
    fx.Write("dane/zablokowany.xml/f", "x");
    const StorageResult result = WriteDocumentList("dane\\", "zablokowany", {}, "x_dane.xml", list);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.message(), "Zamiast pliku jest katalog o tej nazwie : dane\\zablokowany.xml");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(fx.Read("dane/x_lista.xml"), "old");
}

// --- data -------------------------------------------------------------------------------

TEST_F(DocumentFiles, DataRoundTripsByteForByteWithMemoLinesAndSlots)
{
    TDokumList items = readDefinition();
    field(items, "NazwaFirmy")->Values[0].wartosc = "Zakład Łódź \"Ąę\"";
    field(items, "Okolicznosci")->Values[0].wartosc = "pierwsza linia\ndruga <b> linia\n  trzecia";
    field(items, "RodzWyp")->Values[0].wartosc = "[2] zbiorowy";
    field(items, "Swiadek")->Values[1].wartosc = "[3] Jan Nowak";
    ASSERT_TRUE(WriteDocumentData("dane\\", "protpow\\", "protpow_dane_5", items));
    const QByteArray bytes = fx.Read("dane/protpow/protpow_dane_5.xml");
    EXPECT_TRUE(bytes.contains("<protpow_dane_5 ver='1.0'>\r\n"));
    EXPECT_TRUE(
        bytes.contains("  <dane nazwa=\"Okolicznosci\" typ=\"memo\" nr=\"1\" >pierwsza linia\r\ndruga <b> linia\r\n"
                       "  trzecia</dane>\r\n"));
    EXPECT_TRUE(bytes.contains("  <dane nazwa=\"Swiadek\" typ=\"form\" nr=\"2\" >[3] Jan Nowak</dane>\r\n"));
    EXPECT_FALSE(bytes.contains("nazwa=\"Adres\"")); // print-only items are not stored
    EXPECT_TRUE(bytes.endsWith(" </protpow_dane_5>\r\n"));

    TDokumList again = readDefinition();
    ASSERT_TRUE(ReadDocumentData("dane\\", "protpow\\", "protpow_dane_5.xml", again));
    EXPECT_EQ(field(again, "Okolicznosci")->Values[0].wartosc, "pierwsza linia\ndruga <b> linia\n  trzecia");
    EXPECT_EQ(field(again, "Swiadek")->Values[0].wartosc, "");
    EXPECT_EQ(field(again, "Swiadek")->Values[1].wartosc, "[3] Jan Nowak");
    EXPECT_EQ(field(again, "RodzWyp")->Values[0].wartosc, "[2] zbiorowy");
    EXPECT_EQ(field(again, "NazwaFirmy")->Values[0].wartosc, "Zakład Łódź \"Ąę\"");
    ASSERT_TRUE(WriteDocumentData("dane\\", "protpow\\", "protpow_dane_5", again));
    EXPECT_EQ(fx.Read("dane/protpow/protpow_dane_5.xml"), bytes);
}

TEST_F(DocumentFiles, FailedDataReadClearsEverySlotAndReportsFailure)
{
    TDokumList items = readDefinition();
    field(items, "NazwaFirmy")->Values[0].wartosc = "poprzedni dokument";
    const StorageResult result = ReadDocumentData("dane\\", "protpow\\", "protpow_dane_9.xml", items);
    EXPECT_FALSE(result);
    EXPECT_EQ(field(items, "NazwaFirmy")->Values[0].wartosc, "");
    EXPECT_EQ(result.message(), "Błąd dostępu do pliku : dane\\protpow\\protpow_dane_9.xml");
    EXPECT_EQ(result.severity(), StorageResult::Severity::Warning);
}

TEST_F(DocumentFiles, DataCopiedUnderAnotherNumberFailsTheStructureTest)
{
    TDokumList items = readDefinition();
    field(items, "NazwaFirmy")->Values[0].wartosc = "A";
    ASSERT_TRUE(WriteDocumentData("dane\\", "k\\", "protpow_dane_17", items));
    fx.Write("dane/k/protpow_dane_1.xml", fx.Read("dane/k/protpow_dane_17.xml"));
    const StorageResult result = ReadDocumentData("dane\\", "k\\", "protpow_dane_1.xml", items);
    EXPECT_FALSE(result);
    EXPECT_EQ(field(items, "NazwaFirmy")->Values[0].wartosc, "");
    EXPECT_EQ(result.message(), "Plik nie jest oczekiwanego rodzaju (element główny <protpow_dane_17> zamiast "
                                "<protpow_dane_1>) : dane\\k\\protpow_dane_1.xml");
    EXPECT_EQ(result.severity(), StorageResult::Severity::Error);
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(DocumentFiles, TruncatedDataFileIsRefused)
{
    TDokumList items = readDefinition();
    field(items, "NazwaFirmy")->Values[0].wartosc = "A";
    ASSERT_TRUE(WriteDocumentData("dane\\", "k\\", "protpow_dane_2", items));
    QByteArray bytes = fx.Read("dane/k/protpow_dane_2.xml");
    fx.Write("dane/k/protpow_dane_2.xml", bytes.left(bytes.indexOf("  <dane nazwa=\"RodzWyp\"")));
    field(items, "NazwaFirmy")->Values[0].wartosc = "B";
    EXPECT_FALSE(ReadDocumentData("dane\\", "k\\", "protpow_dane_2.xml", items));
    EXPECT_EQ(field(items, "NazwaFirmy")->Values[0].wartosc, "A"); // shown as far as it could be read
    EXPECT_FALSE(WriteDocumentData("dane\\", "k\\", "protpow_dane_2", items));
}

TEST_F(DocumentFiles, UnknownFieldsAndSlotsBeyondTheDefinitionAreSkipped)
{
    TDokumList items = readDefinition();
    const QString text = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                         "<protpow_dane_3 ver='1.0'>\n"
                         "  <dane nazwa=\"Nieznane\" typ=\"edit\" nr=\"1\" >x</dane>\n"
                         "  <dane nazwa=\"Swiadek\" typ=\"form\" nr=\"3\" >za daleko</dane>\n"
                         "  <dane nazwa=\"Swiadek\" typ=\"form\" nr=\"2\" >drugi</dane>\n"
                         "  <dane nazwa=\"NazwaFirmy\" typ=\"memo\" nr=\"1\" >inny typ</dane>\n"
                         "  <dane nazwa=\"NazwaFirmy\" typ=\"edit\" nr=\"x\" >zły numer</dane>\n"
                         " </protpow_dane_3>\n";
    fx.WriteText("dane/k/protpow_dane_3.xml", text);
    ASSERT_TRUE(ReadDocumentData("dane\\", "k\\", "protpow_dane_3.xml", items));
    EXPECT_EQ(field(items, "Swiadek")->Values[1].wartosc, "drugi");
    EXPECT_EQ(field(items, "NazwaFirmy")->Values[0].wartosc, "");
}

TEST_F(DocumentFiles, MemoLineHoldingVerIsAValueNotAStructureError)
{
    TDokumList items = readDefinition();
    field(items, "Okolicznosci")->Values[0].wartosc = "a\nver=\"5\" wersja";
    ASSERT_TRUE(WriteDocumentData("dane\\", "k\\", "protpow_dane_4", items));
    ASSERT_TRUE(ReadDocumentData("dane\\", "k\\", "protpow_dane_4.xml", items));
    EXPECT_EQ(field(items, "Okolicznosci")->Values[0].wartosc, "a\nver=\"5\" wersja");
}

TEST_F(DocumentFiles, NewNumberSkipsExistingDataFiles)
{
    fx.Write("dane/k/x_dane_8.xml", "x");
    fx.Write("dane/k/x_dane_9.xml", "x");
    EXPECT_EQ(NextFreeDocumentNumber("dane\\", "k\\", "x_dane.xml", 7), 10);
    EXPECT_EQ(NextFreeDocumentNumber("dane\\", "k\\", "x_dane.xml", 9), 10);
    EXPECT_EQ(DocumentDataFileName("x_dane.xml", 12), "x_dane_12.xml");
}

TEST_F(DocumentFiles, BlankLinesAfterTheClosingLineDoNotSpoilAFile)
{
    fx.WriteText(QStringLiteral("d/protpow_frm_2.xml"), QString::fromUtf8(Definition) + "\n\n  \n");
    TDokumList items;
    ASSERT_TRUE(ReadDocumentForm(QStringLiteral("d\\protpow_frm_2.xml"), items));
    EXPECT_EQ(items.size(), 7u);
    fx.WriteText("dane/x_lista.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<x_lista ver=\"1.0\" pData=\"D\" pRodzInf=\"R\" katalog=\"x\\\" plik=\"x_dane.xml\">\n"
                 "  <pole nr=\"1\" data=\"2020-01-01\" rodzinf=\"A\" wer_dok=\"\"></pole>\n"
                 "</x_lista>\n\n");
    TListDokumList list;
    ASSERT_TRUE(ReadDocumentList("dane\\x_lista.xml", list, ""));
    EXPECT_EQ(list.size(), 1u);
    fx.WriteText("dane/k/protpow_dane_6.xml", "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                                              "<protpow_dane_6 ver='1.0'>\n"
                                              "  <dane nazwa=\"NazwaFirmy\" typ=\"edit\" nr=\"1\" >Firma</dane>\n"
                                              " </protpow_dane_6>\n\n");
    ASSERT_TRUE(ReadDocumentData("dane\\", "k\\", "protpow_dane_6.xml", items));
    EXPECT_EQ(field(items, "NazwaFirmy")->Values[0].wartosc, "Firma");
}
