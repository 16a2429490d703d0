// The shipped document definitions: every statutory kind in every form version, named as the
// printed form pages and the table docs/document_fields.md say, with lists, trees and the
// navigation configuration that agree with them.
#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "storage/selection_trees.h"
#include "storage/text_xml.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString Forms = QStringLiteral("dokumenty\\frm\\");
const QString Attach = QStringLiteral("dokumenty\\zalaczn");
const QString Data = QStringLiteral("dokumenty\\");

// Definition file, number of pages, kind, and the field names the printed pages carry.
struct Shipped
{
    QString file;
    int pages;
    QString kind;
    QStringList printed;
};

// The protocol model of 2019 (version 2) has no employer's REGON and no father's name.
const QStringList ProtocolFields = {
    "NazwaFirmy", "AdresFirmy", "NipFirma",     "PeselFirma", "ImieNazwisko", "PeselPrac",   "DokTozsPrac",
    "DataUrodz",  "Ulica",      "NrDom",        "NrLok",      "KodPoczt",     "Miejscow",    "NazwaStanow",
    "KodZawod",   "ImNazZesp1", "FunkcjaZesp1", "ImNazZesp2", "FunkcjaZesp2", "DataUstalOd", "DataUstalDo",
    "DataWyp",    "GodzWyp",    "DataZglosz",   "OsZglosz",   "Okolicznosci", "RokProt",     "NrSymbProt",
    "Przyczyny",  "DowSubst",   "DowUchyb",     "Uchybienia", "RodzUraz",     "Uzasadn",     "Profilaktyka",
    "RodzWyp",    "CiezkWyp",   "TypWyp",       "Przeszkody", "Zalaczniki",   "DataProt",    "DataOdb",
    "DataZatw",   "DataZapozn", "OsobZapozn",   "SposPrzek",  "DataDorecz"};
const QStringList StatFields = {
    "Plec",         "SkutkiWyp",     "TypWyp",         "NrKart",        "KodLiczPrac", "RodzUraz",        "Zawod",
    "StatZatr",     "LiczDniNiezd",  "RzeczSkutkiWyp", "RokWyp",        "MiesWyp",     "DzienWyp",        "GodzWyp",
    "CzynWykPoszk", "RodzMiejscWyp", "ProcesPrac",     "MiejscWyp",     "WydUraz",     "CzynMaterOdchyl", "WydOdchyl",
    "Obywatelstwo", "Regon",         "KwalifWyp",      "NrKolKarty",    "RokUrodz",    "UmiejscUraz",     "LiczPoszk",
    "PolozGeogr",   "CzynMaterCzyn", "CzynMaterUraz",  "DniNiezdOstat", "ImNazwWypel", "DataWypel"};

QStringList numbered(const QString &stem, int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << stem + QString::number(i);
    return out;
}

QList<Shipped> shipped()
{
    return {
        {"protpow_frm_1.xml", 4, "protpow", ProtocolFields + QStringList{"Regon", "ImOjca"}},
        {"protpow_frm_2.xml", 4, "protpow", ProtocolFields + QStringList{"Uwagi"}},
        {"kartwyp_frm.xml",
         4,
         "kartwyp",
         {"TytUbezp",   "NrSymbKartWyp", "NazwaPodmiotSporz", "AdresPodmiotSporz", "DatMiejsUrodz", "AdresZam",
          "TypWyp",     "ImNazSw1",      "ImNazSw2",          "ImNazSw3",          "AdresSw1",      "AdresSw2",
          "AdresSw3",   "FirmaSporz",    "ImNazwSporz",       "DataKarty",         "Zalaczniki",    "DataOdb",
          "NazwaPlatn", "AdresPlatn",    "NipPlatn",          "RegonPlatn",        "PeselPlatn",    "DokPlatn",
          "DokPoszk",   "DataZglosz",    "OsZglosz",          "PktUstawy",         "Przeszkody",    "DataZapozn"}},
        {"protprzes_frm.xml",
         1,
         "protprzes",
         {"Poszk", "DataUr", "MiejscUr", "AdresZam", "MiejscZatr", "Stanow", "KodZawod", "StazPracy", "TrescZezn",
          "OsProtDane", "DataPrzes", "DataWyp"}},
        {"polpostpow_frm.xml",
         1,
         "polpostpow",
         {"DrTytul", "DrSprawa", "TrescPost", "OdpowOsob", "TermWyk", "Przycz", "Uwagi", "DrMiejscData", "OsobPodp",
          "DokOtrz"}},
        {"kartrejwyp_frm.xml",
         1,
         "kartrejwyp",
         {"Poszk", "DataUr", "ImOjca", "MiejscZatr", "Stanow", "DataWyp", "GodzWyp", "NrProt", "OkolWyp", "PrzyczWyp",
          "SkutkiWyp", "Profilaktyka", "LiczDniNiezd", "RodzWyp", "CiezkWyp", "TypWyp", "MiejsceWyp", "DataProt",
          "DataZUS"}},
        {"skw_frm_1.xml", 2, "skw", StatFields},
        {"skw_frm_2.xml", 2, "skw", StatFields},
        {"skw_frm_3.xml", 2, "skw", StatFields + QStringList{"EmailWypel"}}, // only the latest model asks for it
        {"kartwypdroga_frm.xml", 3, "kartwypdroga",
         QStringList{"NrSymbProt",   "NazwaFirmy",        "ImieNazwisko",    "DatMiejsUrodz",   "PeselPoszk",
                     "RodzDokPoszk", "SeriaDokPoszk",     "TytulUbezpPoszk", "OpisDochodzenie", "DataNiezdOd",
                     "DataNiezdDo",  "CiezkoscWyp",       "Dochodzenie",     "WypRZ",           "MiejsceWyp",
                     "DataSporz",    "ImieNazwiskoSporz", "MiejscowSporz",   "DataOdbioru",     "Uzasadnienie",
                     "RodzajWyp"} +
             numbered("Swiadek", 1, 3)},
        {"skierbad_frm_1.xml",
         1,
         "skierbad",
         {"JednMed", "TytSkier", "ImNazw", "DataMscUrodz", "Adres", "Wojew", "Pesel", "CelSkier", "RodzBad",
          "NazwaStan", "InforCzynn", "DodInform", "DataWyst", "Plec"}},
        {"skierbad_frm_2.xml",
         1,
         "skierbad",
         {"RodzBad", "OznPracod", "DataWyst", "IlCzynn", "ImNazw", "Adres", "Pesel", "Plec", "Osoba", "RodzajDanych"}},
        {"zaswszkol_frm.xml", 2, "zaswszkol",
         QStringList{"ImNazw", "DataUrodz", "MscUrodz", "NazwaSzkol", "Forma", "Firma", "SzkolOd", "SzkolDo", "Cel",
                     "OpisDataMiejsce", "NrRej", "Plec", "SumaWyk", "SumaCw"} +
             numbered("Temat", 1, 10) + numbered("GodzWyk", 1, 10) + numbered("GodzCw", 1, 10)},
        {"kartaszkol_frm.xml", 1, "kartaszkol",
         QStringList{"OsSzkol", "NazwKO", "ImNazwPrzOg", "DataInstOg"} + numbered("Instr", 1, 5) +
             numbered("ImNazPrz", 1, 5) + numbered("Okres", 1, 5)},
    };
}

} // namespace

class ShippedDocuments : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    void SetUp() override { storage::ConfigVersion() = QStringLiteral("1.0"); }

    storage::TDokumList read(const QString &file)
    {
        storage::TDocumentDefinition definition = readDefinition(file);
        return std::move(definition.Items);
    }
    storage::TDocumentDefinition readDefinition(const QString &file)
    {
        storage::TDocumentDefinition definition;
        EXPECT_TRUE(storage::ReadDocumentForm(Forms + file, definition)) << file.toStdString();
        return definition;
    }
};

TEST_F(ShippedDocuments, EveryKindEveryVersionHasItsPagesAndPrintedFields)
{
    for (const Shipped &s : shipped()) {
        SCOPED_TRACE(s.file.toStdString());
        const storage::TDocumentDefinition definition = readDefinition(s.file);
        const storage::TDokumList &items = definition.Items;
        int pages = 0;
        QSet<QString> names;
        for (const auto &i : items) {
            if (i->typ == "page")
                ++pages;
            else
                names.insert(i->nazwa);
        }
        EXPECT_EQ(pages, s.pages);
        for (const QString &n : s.printed)
            EXPECT_TRUE(names.contains(n)) << n.toStdString();
        EXPECT_EQ(definition.Plik, s.kind + "_lista.xml");
        EXPECT_EQ(definition.Katalog, s.kind + "\\");
    }
}

TEST_F(ShippedDocuments, FieldNamesKeepThePrefixRulesOfThePrintedPages)
{
    const QStringList forbidden = {"Kod", "Data", "VR", "vrl", "Rich"};
    for (const Shipped &s : shipped()) {
        SCOPED_TRACE(s.file.toStdString());
        storage::TDokumList items = read(s.file);
        QStringList order;
        for (const auto &i : items)
            if (i->typ != "page" && i->typ != "label")
                order << i->nazwa;
        EXPECT_EQ(QSet<QString>(order.begin(), order.end()).size(), order.size()) << "duplicate field name";
        for (int a = 0; a < order.size(); ++a) {
            EXPECT_FALSE(forbidden.contains(order[a])) << order[a].toStdString();
            for (int b = 0; b < order.size(); ++b)
                if (a != b && order[b].startsWith(order[a])) {
                    EXPECT_LT(a, b) << order[a].toStdString() << " must stand before " << order[b].toStdString();
                }
        }
        // A choice list is the prefix of its own tick shapes only.
        for (const auto &i : items)
            if (i->typ == "combo")
                for (const QString &other : order)
                    if (other != i->nazwa) {
                        EXPECT_FALSE(other.startsWith(i->nazwa + "_")) << other.toStdString();
                    }
    }
}

TEST_F(ShippedDocuments, TickedChoicesAreCodedAndCarriersArePlain)
{
    const QRegularExpression coded(QStringLiteral("^\\[[0-9]+([._][0-9]+)?\\] \\S"));
    for (const Shipped &s : shipped()) {
        SCOPED_TRACE(s.file.toStdString());
        storage::TDokumList items = read(s.file);
        for (const auto &i : items) {
            if (i->typ != "combo" && i->typ != "form")
                continue;
            ASSERT_FALSE(i->zal.isEmpty()) << i->nazwa.toStdString();
            std::vector<storage::TZalTree> nodes;
            storage::ReadSelectionTree(platform::JoinStoredPath(Attach, i->zal), nodes);
            EXPECT_EQ(storage::ConfigVersion(), "1.0") << i->zal.toStdString();
            ASSERT_FALSE(nodes.empty()) << i->zal.toStdString();
            QStringList leaves;
            for (size_t n = 0; n < nodes.size(); ++n) {
                const bool isGroup = n + 1 < nodes.size() && nodes[n + 1].ParentId == nodes[n].Id;
                if (!isGroup)
                    leaves << nodes[n].Text;
            }
            // Classifications whose official codes are not known offer their choices uncoded,
            // so no made-up code is ever printed on the card.
            const bool codesUnknown = QStringList{"skw_liczprac.xml", "skw_obywatelstwo.xml", "skw_statzatr.xml"}
                                          .contains(i->zal);
            if (i->druk == "zaznacz" || i->druk == "odznacz" || i->typ == "form") {
                for (const QString &leaf : leaves)
                    EXPECT_NE(coded.match(leaf).hasMatch(), codesUnknown)
                        << i->nazwa.toStdString() << ": " << leaf.toStdString();
            }
            if (i->typ == "combo" && i->druk == "zaznacz") {
                for (const auto &node : nodes)
                    EXPECT_TRUE(coded.match(node.Text).hasMatch()) << "no group captions among ticked choices";
            }
            if (i->nazwa == "Plec" && s.kind != "skw") {
                EXPECT_EQ(leaves, QStringList({"kobieta", "mężczyzna"}));
            }
            if (i->nazwa == "Osoba") {
                EXPECT_TRUE(leaves.contains("zatrudniona"));
            }
            if (i->nazwa == "RodzajDanych") {
                EXPECT_EQ(leaves, QStringList({"nr PESEL", "dokument tożsamości", "data urodzenia"}));
            }
        }
    }
}

TEST_F(ShippedDocuments, StatisticalCardUsesTheEuropeanAccidentStatisticsCodes)
{
    // The card is sent on for statistics: its classifications carry the ESAW codes, the
    // groups at the top and their full lists below them.
    struct Codes
    {
        QStringList top;
        QStringList some; // codes of the lower level
    };
    const QMap<QString, Codes> codes = {
        {"skw_rodzmiejsc.xml",
         {{"000", "010", "020", "030", "040", "050", "060", "070", "080", "090", "100", "110", "120", "999"},
          {"011", "026", "044", "063", "129"}}},
        {"skw_procesprac.xml", {{"00", "10", "20", "30", "40", "50", "60", "99"}, {"11", "25", "55", "69"}}},
        {"skw_czynwyk.xml", {{"00", "10", "20", "30", "40", "50", "60", "70", "99"}, {"13", "47", "67"}}},
        {"skw_czynmater.xml",
         {{"00.00", "01.00", "02.00", "03.00", "04.00", "05.00", "06.00", "07.00", "08.00", "09.00", "10.00",
           "11.00", "12.00", "13.00", "14.00", "15.00", "16.00", "17.00", "18.00", "19.00", "20.00", "99.00"},
          {"00.01", "06.15", "07.17", "08.15", "10.18", "14.12", "20.99"}}},
        {"skw_odchyl.xml",
         {{"00", "10", "20", "30", "40", "50", "60", "70", "80", "99"}, {"11", "35", "52", "75", "85"}}},
        {"skw_kontakt.xml", {{"00", "10", "20", "30", "40", "50", "60", "70", "80", "99"}, {"17", "45", "64", "83"}}},
        {"skw_rodzuraz.xml",
         {{"000", "010", "020", "030", "040", "050", "060", "070", "080", "090", "100", "110", "120", "999"},
          {"011", "063", "112", "119"}}},
        {"skw_umiejscuraz.xml", {{"00", "10", "20", "30", "40", "50", "60", "70", "99"}, {"13", "55", "64", "78"}}}};
    for (auto it = codes.begin(); it != codes.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        std::vector<storage::TZalTree> nodes;
        storage::ReadSelectionTree(platform::JoinStoredPath(Attach, it.key()), nodes);
        QStringList top, leaves;
        for (size_t n = 0; n < nodes.size(); ++n) {
            const QString code = nodes[n].Text.mid(1, nodes[n].Text.indexOf(']') - 1);
            if (nodes[n].Level == 0)
                top << code;
            if (n + 1 == nodes.size() || nodes[n + 1].ParentId != nodes[n].Id)
                leaves << code;
        }
        EXPECT_EQ(top, it.value().top);
        // Every code can be chosen: a group offers its own code among its choices.
        for (const QString &code : it.value().top + it.value().some)
            EXPECT_TRUE(leaves.contains(code)) << code.toStdString();
    }
}

TEST_F(ShippedDocuments, ListsNameEditsOfTheirKindForDateAndPerson)
{
    for (const Shipped &s : shipped()) {
        SCOPED_TRACE(s.file.toStdString());
        storage::TDocumentDefinition definition = readDefinition(s.file);
        const storage::TDokumList &items = definition.Items;
        storage::TListDokumList list;
        ASSERT_TRUE(storage::ReadDocumentList(Data + s.kind + "_lista.xml", list, storage::ExtractFormVersion(s.file),
                                              &definition));
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(definition.Plik, s.kind + "_dane.xml");
        for (const QString &names : {definition.PData, definition.PRodzInf}) {
            ASSERT_FALSE(names.isEmpty());
            for (const QString &n : names.split('+')) {
                bool isEdit = false;
                for (const auto &i : items)
                    isEdit = isEdit || (i->nazwa == n && i->typ == "edit");
                EXPECT_TRUE(isEdit) << n.toStdString();
            }
        }
    }
}

TEST_F(ShippedDocuments, NavigationConfigurationFindsEveryCurrentDefinitionAndItsFolders)
{
    const QStringList lines = storage::ReadTextXmlLines("config\\Tarvelin.xml");
    ASSERT_GT(lines.size(), 1);
    // The configuration's version is the one every document file carries.
    EXPECT_EQ(storage::ReadAttributeValue("ver=\"", lines[1]), "1.0");
    QStringList current;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains("typ=\"dokfrm\""))
            continue;
        QMap<QString, QString> child;
        for (int j = i + 1; j < lines.size() && !lines[j].startsWith("</skladnik"); ++j)
            for (const char *tag : {"katalog", "plik", "katfrm", "katzal"})
                if (lines[j].startsWith(QStringLiteral("<%1>").arg(tag)))
                    child[tag] = storage::ReadElementText(lines[j]);
        SCOPED_TRACE(child["plik"].toStdString());
        EXPECT_EQ(child["katfrm"], Forms);
        EXPECT_EQ(child["katzal"], Attach);
        EXPECT_EQ(child["katalog"], Data);
        EXPECT_TRUE(platform::FileExists(child["katfrm"] + child["plik"]));
        current << child["plik"];
    }
    EXPECT_EQ(current, QStringList({"protpow_frm_2.xml", "kartwyp_frm.xml", "protprzes_frm.xml", "polpostpow_frm.xml",
                                    "kartrejwyp_frm.xml", "skw_frm_3.xml", "kartwypdroga_frm.xml", "skierbad_frm_2.xml",
                                    "zaswszkol_frm.xml", "kartaszkol_frm.xml"}));
    EXPECT_TRUE(platform::FileExists("dokum\\frm\\plusm.bmp"));
    EXPECT_TRUE(platform::FileExists("dokum\\frm\\minusm.bmp"));
}

TEST_F(ShippedDocuments, TableOfFieldNamesMatchesEveryDefinition)
{
    QFile table(QStringLiteral(TARVELIN_SOURCE_DIR) + "/docs/document_fields.md");
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(table.readAll()).split('\n');
    // (file, field) -> kind, as the table records it.
    QMap<QPair<QString, QString>, QString> recorded;
    QStringList files;
    const QRegularExpression fileCell(QStringLiteral("^`([a-z_0-9]+\\.xml)`$"));
    for (const QString &line : lines) {
        if (!line.startsWith("| "))
            continue;
        QStringList cells = line.split('|');
        cells.removeFirst();
        cells.removeLast();
        for (QString &c : cells)
            c = c.trimmed();
        if (cells.size() > 6 && cells[0] == "page") {
            files.clear();
            for (int c = 6; c < cells.size(); ++c)
                files << fileCell.match(cells[c]).captured(1);
            continue;
        }
        if (files.isEmpty() || cells.size() != 6 + files.size() || !cells[1].startsWith('`'))
            continue;
        const QString name = cells[1].mid(1, cells[1].size() - 2);
        for (int f = 0; f < files.size(); ++f)
            if (cells[6 + f] == "x")
                recorded[{files[f], name}] = cells[2];
    }
    QMap<QPair<QString, QString>, QString> actual;
    for (const Shipped &s : shipped()) {
        storage::TDokumList items = read(s.file);
        for (const auto &i : items)
            if (i->typ != "page")
                actual[{s.file, i->nazwa}] = i->typ;
    }
    EXPECT_FALSE(recorded.isEmpty());
    for (auto it = actual.begin(); it != actual.end(); ++it)
        EXPECT_EQ(recorded.value(it.key()), it.value())
            << it.key().first.toStdString() << " " << it.key().second.toStdString();
    for (auto it = recorded.begin(); it != recorded.end(); ++it)
        EXPECT_TRUE(actual.contains(it.key())) << it.key().first.toStdString() << " " << it.key().second.toStdString();
}

TEST_F(ShippedDocuments, FilesAreWindows1250WithCrLf)
{
    for (const Shipped &s : shipped()) {
        const QByteArray bytes = fx.Read("dokumenty/frm/" + s.file);
        EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n"));
        EXPECT_FALSE(bytes.contains("\xc4")) << "UTF-8 lead byte of a Polish letter"; // "ą" in UTF-8 is C4 85
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    }
}
