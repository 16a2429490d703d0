// The accident documents printed from the running program: each kind typed in the document
// window and saved (the protocol also as a document stored with the 2004 model), then
// Print -> "Wydruk" -> preview -> the preview's Print to a PDF file, checked with poppler:
// A4, one page per page of the form, the values as printed, Polish letters, no component
// names, the ticks of the chosen options sampled in the page images; the protocol as blank
// forms too. Each page is kept at 72 dpi in test-output/ of the build folder.
#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "tests/app/print_program_support.h"
#include "tests/support/fixture.h"
#include "workstations/views.h"

#include <QImage>
#include <QListWidget>
#include <QToolButton>

using namespace printprogramtest;

namespace {

const char *const kComponentNames[] = {"NazwaFirmy", "ImieNazwisko", "Okolicznosci", "PrzyczWyp", "TypWyp",
                                       "Kod_",       "NrSymbProt",   "OsProtDane",   "TrescZezn", "DrTytul",
                                       "OkolWyp",    "VRLabel",      "VRShape",      "Zalaczniki"};

void expectNoComponentName(const QString &text)
{
    for (const char *name : kComponentNames)
        EXPECT_FALSE(text.contains(QString::fromLatin1(name))) << name;
}

void expectTexts(const Printed &printed, std::initializer_list<const char *> wanted)
{
    for (const char *text : wanted)
        EXPECT_TRUE(printed.text.contains(QString::fromUtf8(text))) << text << "\n" << printed.text.toStdString();
}

// Whether the page image (72 dpi) is dark at a point given in millimetres from the paper's
// top left corner: the middle of a tick mark.
bool darkAt(const QString &name, int page, double xMm, double yMm)
{
    const QImage image(QStringLiteral(TARVELIN_TEST_OUTPUT "/%1-%2.png").arg(name).arg(page));
    if (image.isNull()) {
        ADD_FAILURE() << "no image of page " << page << " of " << name.toStdString();
        return false;
    }
    const QPoint at(qRound(xMm * 72 / 25.4), qRound(yMm * 72 / 25.4));
    return qGray(image.pixel(at)) < 100;
}

// The middle of a tick laid out at (left, top) mm in a band whose top lies `bandTop` mm below
// the top margin; ticks are 2.1 mm wide and the margins 10 mm.
double tickX(double left)
{
    return 10 + left + 1.05;
}
double tickY(double bandTop, double top)
{
    return 10 + bandTop + top + 1.05;
}

void chooseFromTree(const char *field, const QString &choice)
{
    workstations::TfrmDokum *doc = workstations::frmDokum(appstate::State());
    auto previous = workstations::TfrmDokum::SetTreeChooser([choice](const QString &, const QString &, QString &text) {
        text = choice;
        return 1;
    });
    auto *button = doc->pgDokum->findChild<QToolButton *>(QStringLiteral("bb_0_") + QLatin1String(field));
    if (button)
        doc->ClickForm(button);
    else
        ADD_FAILURE() << "no tree button for " << field;
    workstations::TfrmDokum::SetTreeChooser(previous);
}

// Selects the stored document whose list line names the person.
void openStored(const QString &person)
{
    workstations::TfrmDokum *doc = workstations::frmDokum(appstate::State());
    for (int i = 0; i < doc->lbDatyOsob->count(); ++i)
        if (doc->lbDatyOsob->item(i)->text().contains(person)) {
            doc->lbDatyOsob->setCurrentRow(i);
            doc->lbDatyOsobClick(doc->lbDatyOsob->item(i));
            return;
        }
    ADD_FAILURE() << "no stored document of " << person.toStdString();
}

// A protocol stored with the 2004 model before the current one shipped; its circumstances
// are longer than the field's limit now.
QString writeStoredOldProtocol()
{
    storage::ConfigVersion() = QStringLiteral("1.0");
    storage::TDokumList items;
    storage::ReadDocumentForm(QStringLiteral("dokumenty\\frm\\protpow_frm_1.xml"), items);
    QString circumstances;
    while (circumstances.size() < 2500)
        circumstances += QStringLiteral("Pracownik przenosił skrzynie z towarem po rampie załadunkowej. ");
    const QMap<QString, QString> values = {{"ImieNazwisko", "Stefan Żak"},
                                           {"DataWyp", "2018-11-05"},
                                           {"NazwaFirmy", "Hurtownia Łącznik sp. z o.o."},
                                           {"Regon", "012345678"},
                                           {"ImOjca", "Marian"},
                                           {"Okolicznosci", circumstances},
                                           {"TypWyp", "[2] wypadek nie jest wypadkiem przy pracy"}};
    for (auto &item : items)
        if (values.contains(item->nazwa) && item->Slot(1))
            item->Slot(1)->wartosc = values.value(item->nazwa);
    std::erase_if(items, [](auto &f) { return f->nazwa == "NipPrac" || f->nazwa == "MiejscUrodz"; }); // new items
    EXPECT_TRUE(storage::WriteDocumentData(QStringLiteral("dokumenty\\"), QStringLiteral("protpow\\"),
                                           QStringLiteral("protpow_dane_1"), items));
    return circumstances;
}

} // namespace

class AccidentDocumentsInProgram : public DocumentPrintProgram
{
};

TEST_F(AccidentDocumentsInProgram, EachKindPrintsAllItsPagesWithItsValuesAndTicksAndBlankFormsPrintEmpty)
{
    const QString oldCircumstances = writeStoredOldProtocol();
    fx.WriteText("dokumenty/protpow_lista.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<protpow_lista ver=\"1.0\" pData=\"DataWyp\" pRodzInf=\"ImieNazwisko\" katalog=\"protpow\\\" "
                 "plik=\"protpow_dane.xml\">\n"
                 "  <pole nr=\"1\" data=\"2018-11-05\" rodzinf=\"Stefan Żak\" wer_dok=\"1\"></pole>\n"
                 "</protpow_lista>\n");
    auto &s = appstate::State();
    {
        shell::TfrmMain w;
        w.show();
        clickHeader(w, 1);
        clickIcon(w, 0); // Protokół powypadkowy
        ASSERT_EQ(s.ViewName, "protpow_frm_2.xml");
        workstations::TfrmDokum *doc = workstations::frmDokum(appstate::State());

        // The stored protocol of the 2004 model prints on its own pages, whole as stored.
        openStored(QStringLiteral("Stefan Żak"));
        auto *memo = doc->pgDokum->findChild<QPlainTextEdit *>("me_0_Okolicznosci");
        ASSERT_TRUE(memo);
        EXPECT_EQ(memo->toPlainText(), oldCircumstances);
        Printed old = printThroughPreview(w, dialogs, false, QStringLiteral("protokol_2004"));
        EXPECT_EQ(old.boxes, "xxxx");
        EXPECT_EQ(old.pages, 5); // the circumstances its box cannot hold on a sheet after page 1
        EXPECT_TRUE(old.a4);
        expectTexts(old, {"(pieczęć pracodawcy)", "REGON", "012345678", "Marian", "Stefan Żak",
                          "Hurtownia Łącznik sp. z o.o.", "Pracownik przenosił skrzynie"});
        EXPECT_FALSE(darkAt("protokol_2004", 4, tickX(4.7), tickY(0, 14.2))); // jest
        EXPECT_TRUE(darkAt("protokol_2004", 4, tickX(4.7), tickY(0, 41.2)));  // nie jest

        // A new protocol follows the model of 2019.
        w.NewForm();
        type("NrSymbProt", "7");
        type("RokProt", "2024");
        type("ImNazZesp1", "Anna Kęsicka");
        type("FunkcjaZesp1", "specjalista ds. bhp");
        type("ImNazZesp2", "Józef Małek");
        type("FunkcjaZesp2", "społeczny inspektor pracy");
        type("NazwaFirmy", "Zakład Produkcji Opakowań \"Żuraw\" S.A.");
        type("AdresFirmy", "ul. Świętojańska 12, 81-372 Gdynia");
        type("NipFirma", "5860001122");
        type("ImieNazwisko", "Grzegorz Bąk");
        type("PeselPrac", "85030412345");
        type("DataUrodz", "1985-03-04");
        type("Miejscow", "Rumia");
        chooseFromTree("KodZawod", QStringLiteral("[8] Operatorzy i monterzy maszyn i urządzeń"));
        type("DataWyp", "2024-05-14");
        type("GodzWyp", "10:20");
        type("Okolicznosci", "Podczas wymiany noża gilotyny poszkodowany skaleczył lewą dłoń.");
        type("Przyczyny", "Niewyłączenie zasilania maszyny przed rozpoczęciem wymiany noża.");
        type("RodzUraz", "Rana cięta lewej dłoni.");
        type("TypWyp", "[1.1] wypadek jest wypadkiem przy pracy (art. 3 ust. 1 ustawy)");
        type("RodzWyp", "[1] indywidualny");
        type("CiezkWyp", "[3] inny niż śmiertelny lub ciężki");
        type("Profilaktyka", "Przeszkolić operatorów z procedury blokady zasilania.");
        type("OsobZapozn", "[1] poszkodowanego");
        type("Uwagi", "[2] zgłoszono uwagi i zastrzeżenia (w załączeniu)");
        type("SposPrzek", "[2] listem poleconym");
        type("DataProt", "2024-05-24");
        w.SaveForm();
        EXPECT_FALSE(s.Modified());
        w.NewForm();
        openStored(QStringLiteral("Grzegorz Bąk"));
        Printed current = printThroughPreview(w, dialogs, false, QStringLiteral("protokol_2019"));
        EXPECT_EQ(current.boxes, "xxxx");
        EXPECT_EQ(current.pages, 4);
        EXPECT_TRUE(current.a4);
        expectTexts(current, {"PROTOKÓŁ nr", "2024", "Anna Kęsicka", "społeczny inspektor pracy",
                              "Zakład Produkcji Opakowań \"Żuraw\" S.A.", "Świętojańska", "5860001122", "85030412345",
                              "Grzegorz Bąk", "Rumia", "Operatorzy i monterzy maszyn i urządzeń", "10:20",
                              "skaleczył lewą dłoń", "Niewyłączenie zasilania", "Rana cięta",
                              "KWALIFIKACJA PRAWNA WYPADKU", "blokady zasilania", "2024-05-24", "ZATWIERDZAM"});
        EXPECT_FALSE(current.text.contains("REGON"));
        EXPECT_FALSE(current.text.contains("[1.1]"));
        expectNoComponentName(current.text);
        // Page 3: "jest", article 3 (1), not article 3 (2), not "nie jest"; individual; other.
        EXPECT_TRUE(darkAt("protokol_2019", 3, tickX(4.7), tickY(0, 14.2)));
        EXPECT_TRUE(darkAt("protokol_2019", 3, tickX(14.7), tickY(0, 20.2)));
        EXPECT_FALSE(darkAt("protokol_2019", 3, tickX(14.7), tickY(0, 26.2)));
        EXPECT_FALSE(darkAt("protokol_2019", 3, tickX(4.7), tickY(0, 41.2)));
        EXPECT_TRUE(darkAt("protokol_2019", 3, tickX(48.7), tickY(0, 140.2)));
        EXPECT_FALSE(darkAt("protokol_2019", 3, tickX(92.7), tickY(0, 140.2)));
        // Page 4: remarks lodged, sent by registered letter.
        EXPECT_FALSE(darkAt("protokol_2019", 4, tickX(4.7), tickY(0, 41.2)));
        EXPECT_TRUE(darkAt("protokol_2019", 4, tickX(96.7), tickY(0, 41.2)));

        Printed blank = printThroughPreview(w, dialogs, true, QStringLiteral("protokol_pusty"));
        EXPECT_EQ(blank.pages, 4);
        expectTexts(blank, {"PROTOKÓŁ nr", "Zespół powypadkowy w składzie:", "II. DANE DOTYCZĄCE POSZKODOWANEGO",
                            "nie jest wypadkiem przy pracy.", "ZATWIERDZAM"});
        for (const char *value : {"Kęsicka", "Żuraw", "Grzegorz Bąk", "5860001122", "skaleczył", "Operatorzy"})
            EXPECT_FALSE(blank.text.contains(QString::fromUtf8(value))) << value;
        EXPECT_FALSE(darkAt("protokol_pusty", 3, tickX(4.7), tickY(0, 14.2)));
        expectNoComponentName(blank.text);

        clickIcon(w, 1); // Karta wypadku
        ASSERT_EQ(s.ViewName, "kartwyp_frm.xml");
        type("NrSymbKartWyp", "3/2024");
        type("NazwaPodmiotSporz", "Zakład Usług Komunalnych w Łomży");
        type("NazwaPlatn", "Tomasz Wójcik - usługi remontowe");
        type("RegonPlatn", "123456785");
        type("ImieNazwisko", "Bożena Kałuża");
        type("TytUbezp", "art. 3 ust. 3 pkt 8 - umowa zlecenia");
        type("DataWyp", "2024-06-03");
        type("Okolicznosci", "Poszkodowana poślizgnęła się na mokrej posadzce w hali.");
        type("ImNazSw1", "Witold Źrebiec");
        type("TypWyp", "[1] zdarzenie jest wypadkiem w rozumieniu ustawy");
        type("PktUstawy", "8");
        type("DataKarty", "2024-06-12");
        type("Zalaczniki", "Wyjaśnienia poszkodowanej, informacja świadka.");
        boxes.Answer(platform::MsgYes); // Print asks first to save what was typed
        Printed card = printThroughPreview(w, dialogs, false, QStringLiteral("karta_wypadku"));
        EXPECT_EQ(card.boxes, "xxxx");
        EXPECT_EQ(card.pages, 4);
        EXPECT_TRUE(card.a4);
        expectTexts(card, {"KARTA WYPADKU nr", "3/2024", "Zakład Usług Komunalnych w Łomży",
                           "Tomasz Wójcik - usługi remontowe", "123456785", "Bożena Kałuża", "umowa zlecenia",
                           "2024-06-03", "mokrej posadzce", "Witold Źrebiec", "2024-06-12", "informacja świadka",
                           "IV. POZOSTAŁE INFORMACJE"});
        expectNoComponentName(card.text);
        EXPECT_TRUE(darkAt("karta_wypadku", 3, tickX(4.7), tickY(0, 7.2)));
        EXPECT_FALSE(darkAt("karta_wypadku", 3, tickX(4.7), tickY(0, 18.2)));

        clickIcon(w, 2); // Protokół przesłuchania
        ASSERT_EQ(s.ViewName, "protprzes_frm.xml");
        type("DataPrzes", "2024-05-15");
        type("Poszk", "Grzegorz Bąk");
        type("StazPracy", "12 lat");
        type("TrescZezn", "Wymieniałem nóż gilotyny, maszyna była pod napięciem.");
        boxes.Answer(platform::MsgYes);
        Printed hearing = printThroughPreview(w, dialogs, false, QStringLiteral("protokol_przesluchania"));
        EXPECT_EQ(hearing.boxes, "x---");
        EXPECT_EQ(hearing.pages, 1);
        expectTexts(hearing, {"PROTOKÓŁ PRZESŁUCHANIA POSZKODOWANEGO", "Strona 1", "2024-05-15", "Grzegorz Bąk",
                              "12 lat", "maszyna była pod napięciem"});
        expectNoComponentName(hearing.text);

        clickIcon(w, 3); // Polecenia powypadkowe
        ASSERT_EQ(s.ViewName, "polpostpow_frm.xml");
        type("DrTytul", "POLECENIE nr 4/2024");
        type("DrSprawa", "wykonania wniosków profilaktycznych zespołu powypadkowego");
        type("TrescPost", "Polecam wprowadzić blokadę zasilania gilotyn.");
        type("TermWyk", "do 2024-06-30");
        type("DrMiejscData", "Gdynia, 2024-05-27");
        boxes.Answer(platform::MsgYes);
        Printed order = printThroughPreview(w, dialogs, false, QStringLiteral("polecenie"));
        EXPECT_EQ(order.pages, 1);
        expectTexts(order, {"POLECENIE nr 4/2024", "wniosków profilaktycznych", "blokadę zasilania", "do 2024-06-30",
                            "Gdynia, 2024-05-27", "Termin wykonania:"});
        expectNoComponentName(order.text);

        clickIcon(w, 4); // Rejestr wypadków
        ASSERT_EQ(s.ViewName, "kartrejwyp_frm.xml");
        type("NrProt", "7/2024");
        type("Poszk", "Grzegorz Bąk");
        type("DataWyp", "2024-05-14");
        type("MiejsceWyp", "hala produkcyjna nr 2, stanowisko gilotyny");
        type("CiezkWyp", "[2] ciężki");
        type("TypWyp", "[2] wypadek nie jest wypadkiem przy pracy");
        type("LiczDniNiezd", "21");
        boxes.Answer(platform::MsgYes);
        Printed register_ = printThroughPreview(w, dialogs, false, QStringLiteral("karta_rejestru"));
        EXPECT_EQ(register_.pages, 1);
        expectTexts(register_, {"KARTA REJESTRU WYPADKÓW PRZY PRACY", "Strona: 1", "7/2024", "Grzegorz Bąk",
                                "hala produkcyjna nr 2", "21"});
        expectNoComponentName(register_.text);
        // Effects: serious (second box); "nie jest" ticked in the fifth part, "jest" not.
        const double part5 = 13 + 35 + 26 + 52 + 41 + 30;
        EXPECT_TRUE(darkAt("karta_rejestru", 1, tickX(74.7), tickY(13 + 35, 21.2)));
        EXPECT_FALSE(darkAt("karta_rejestru", 1, tickX(36.7), tickY(13 + 35, 21.2)));
        EXPECT_TRUE(darkAt("karta_rejestru", 1, tickX(6.7), tickY(part5, 25.2)));
        EXPECT_FALSE(darkAt("karta_rejestru", 1, tickX(6.7), tickY(part5, 14.2)));
        s.SetModified(false);
    }
    EXPECT_EQ(dialogs.titles.count(QStringLiteral("Wydruk")), 7);
    appstate::UnregisterCommandDialog(QStringLiteral("frmWydruk"));
}
