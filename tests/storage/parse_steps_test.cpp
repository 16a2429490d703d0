// Every reader is a parse step over the file's lines behind the part that opens the file:
// given the same bytes, the parse step (as the fuzz targets and tests call it) gives what
// the reader gives, the same messages included, for sound, cut and damaged files alike.
#include "platform/inifile.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/catalogue_files.h"
#include "storage/catalogue_index.h"
#include "storage/chm_directory.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/file_cache.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/navigation_file.h"
#include "storage/risk_score_files.h"
#include "storage/selection_trees.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"
#include "storage/workstation_files.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {

// The seeds of a fuzz target and damaged copies of them: cut in half, cut before the last
// line, with the first and the last number of an attribute spoilt, with LF or CR line ends
// alone and blank lines after the end, and empty.
std::vector<QByteArray> variantsOf(const QString &seedFolder)
{
    std::vector<QByteArray> out{QByteArray()};
    const QDir dir(QStringLiteral(TARVELIN_SOURCE_DIR "/fuzz/seeds/") + seedFolder);
    static const QRegularExpression number(QStringLiteral("=\"[-0-9]"));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = f.readAll();
        out.push_back(bytes);
        out.push_back(bytes.left(bytes.size() / 2));
        out.push_back(bytes.left(bytes.lastIndexOf('\n', bytes.size() - 3) + 1));
        // Latin-1 keeps byte offsets, so a match in the text is the same place in the bytes.
        const QString text = QString::fromLatin1(bytes);
        QRegularExpressionMatchIterator it = number.globalMatch(text);
        qsizetype first = -1, last = -1;
        while (it.hasNext()) {
            last = it.next().capturedStart() + 2;
            if (first < 0)
                first = last;
        }
        for (qsizetype at : {first, last}) {
            if (at < 0)
                continue;
            QByteArray spoilt = bytes;
            spoilt[at] = 'x';
            out.push_back(spoilt);
        }
        out.push_back(QByteArray(bytes).replace("\r\n", "\n"));
        out.push_back(QByteArray(bytes).replace("\r\n", "\r") + "\r\r\n \t\n");
    }
    EXPECT_GT(out.size(), 1u) << qPrintable(seedFolder);
    return out;
}

// What a read gave: its digest, or the message it was refused with.
QString outcome(const std::function<QString()> &read)
{
    try {
        return read();
    } catch (const platform::TarvelinError &e) {
        return QStringLiteral("refused: ") + e.message();
    }
}

// Runs the reader on each variant written at relPath and the parse step on the same bytes;
// returns what the reader gave for each.
QStringList expectSameAsReader(const FixtureFolder &fx, const QString &seedFolder, const QString &relPath,
                               const std::function<QString()> &reader,
                               const std::function<QString(const QByteArray &bytes)> &parser)
{
    QStringList outcomes;
    for (const QByteArray &bytes : variantsOf(seedFolder)) {
        fx.Write(QString(relPath).replace('\\', '/'), bytes);
        ClearFileCache();
        ClearCatalogueCache();
        ClearFormDefinitionCache();
        outcomes << outcome(reader);
        EXPECT_EQ(outcomes.last().toStdString(), outcome([&] { return parser(bytes); }).toStdString())
            << bytes.constData();
    }
    return outcomes;
}

// Whether some outcome holds every one of the texts: a damaged variant was refused, or
// reported, with the message it is refused with from a file.
bool someHolds(const QStringList &outcomes, const QStringList &texts)
{
    for (const QString &o : outcomes) {
        bool all = true;
        for (const QString &t : texts)
            all = all && o.contains(t);
        if (all)
            return true;
    }
    return false;
}

QString joined(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

QString itemsDigest(const TPomiarList &items)
{
    QStringList out;
    for (const auto &p : items)
        out << p->nazwa() + '|' + p->typ() + '|' + p->Value + '|' + QString::number(p->visible);
    return joined(out);
}

QString riskDigest(const TRiskScoreReadResult &r)
{
    QStringList out{QString::number(r.BandsUsable)};
    for (const auto &p : r.Problems)
        out << p.StoredPath + '|' + QString::number(p.Unreadable) + '|' + p.Detail;
    out << RiskScoreMainLines(r.Set);
    for (quint16 typ : RiskScoreTableReadOrder)
        out << RiskScoreTableLines(r.Set, typ);
    return joined(out);
}

} // namespace

TEST(ParseSteps, WorkstationListAndDataReadAsTheirReaders)
{
    FixtureFolder fx;
    const QString listPath = QStringLiteral("dane\\struktura_dane.xml");
    expectSameAsReader(
        fx, QStringLiteral("workstation_list"), listPath,
        [&] {
            WorkstationList list;
            QString ver;
            ReadWorkstationList(listPath, list, ver);
            return ver + joined(WorkstationListLines(list));
        },
        [&](const QByteArray &bytes) {
            WorkstationList list;
            QString ver;
            ParseWorkstationList(TextXmlLinesFromBytes(bytes, false), list, ver);
            return ver + joined(WorkstationListLines(list));
        });
    const QString dataPath = QStringLiteral("dane\\stan_1\\stanowisko_dane.xml");
    WorkstationReadOptions options = WorkstationReadOptions::AllFactors();
    options.catalogueFolder = QStringLiteral("brak\\");
    auto digest = [](const TStanowisko &w) { return w.ReadError + joined(WorkstationDataLines(w)); };
    QStringList outcomes;
    for (const QString id : {"1", "2"}) {
        outcomes << expectSameAsReader(
            fx, QStringLiteral("workstation_data"), dataPath,
            [&] {
                TStanowisko w(id, QStringLiteral("S"), QStringLiteral("stan_1"));
                ReadWorkstationData(dataPath, w, options);
                return digest(w);
            },
            [&](const QByteArray &bytes) {
                TStanowisko w(id, QStringLiteral("S"), QStringLiteral("stan_1"));
                ParseWorkstationData(TextXmlLinesFromBytes(bytes, false), dataPath, w, options);
                return digest(w);
            });
    }
    EXPECT_TRUE(someHolds(outcomes, {"refused: Plik danych stanowiska \"S\" jest uszkodzony (brak zakończenia pliku): "
                                     "dane\\stan_1\\stanowisko_dane.xml"}));
    EXPECT_TRUE(someHolds(outcomes, {"(plik należy do stanowiska o numerze 1)"}));
}

TEST(ParseSteps, MeasurementsAndFormDefinitionsReadAsTheirReaders)
{
    FixtureFolder fx;
    fx.Write("zaklocen/frm/met5Krok_frm_1.xml",
             "<?xml?>\r\n<met5Krok_frm function=\"met5Krok_Pomiar_01\">\r\n<page nr=\"1\" nazwa=\"A\">\r\n"
             "<naglowek nazwa=\"H\" etyk=\"a;b\">\r\n<wiersz>\r\n<pole nazwa=\"A\" typ=\"edit\">0</pole>\r\n"
             "<pole nazwa=\"B\" typ=\"combo\"></pole>\r\n<pole nazwa=\"C\" typ=\"memo\"></pole>\r\n"
             "</wiersz>\r\n</naglowek>\r\n</page>\r\n</met5Krok_frm>\r\n");
    const QString folder = QStringLiteral("d\\s\\");
    const QString forms = QStringLiteral("zaklocen\\frm\\");
    auto digest = [](const TMeasurementList &list) {
        QStringList out;
        for (const auto &m : list)
            out << MeasurementLines(*m);
        return joined(out);
    };
    const QStringList measured = expectSameAsReader(
        fx, QStringLiteral("measurement_files"), folder + QStringLiteral("met5Krok_dane.xml"),
        [&] {
            TMeasurementList list;
            ReadMeasurements(folder, QStringLiteral("met5Krok"), list, 100001, forms);
            return digest(list);
        },
        [&](const QByteArray &bytes) {
            TMeasurementList list;
            ParseMeasurements(TextXmlLinesFromBytes(bytes, false), folder + QStringLiteral("met5Krok_dane.xml"), list,
                              100001, MeasurementFormFieldsIn(forms, QStringLiteral("met5Krok"), 100001));
            return digest(list);
        });

    EXPECT_TRUE(someHolds(measured, {"refused: Błąd w pliku d\\s\\met5Krok_dane.xml, wiersz 22: Ocena ocenakon \"x0\" "
                                     "nie jest liczbą całkowitą"}));
    EXPECT_TRUE(someHolds(measured, {"refused: Niepoprawna struktura pliku d\\s\\met5Krok_dane.xml: plik jest niekompletny"}));

    const QString form = QStringLiteral("zaklocen\\frm\\chemiczny_frm_1.xml");
    fx.Write("poradn/czynchem.xml", "<?xml?>\r\n<czynchem ver=\"1.0\">\r\n <czynnik id=\"7\" nazwa=\"A\">\r\n"
                                    "  <param nds=\"-1\" ndsch=\"5\" ndsp=\"-1\" typ=\"3\">\r\n </czynnik>\r\n"
                                    "</czynchem>\r\n");
    fx.Write("zaklocen/frm/zalaczn/mech_frm_7.xml",
             "<?xml?>\r\n<mech_frm>\r\n<page nr=\"2\" nazwa=\"Mech\">\r\n<wiersz>\r\n"
             "<pole nazwa=\"M\" typ=\"edit\">1</pole>\r\n</wiersz>\r\n</page>\r\n</mech_frm>\r\n");
    const QStringList defined = expectSameAsReader(
        fx, QStringLiteral("form_definitions"), form,
        [&] {
            TPomiarList items;
            FormRootInfo root;
            ReadMeasurementForm(form, items, 7, {}, &root);
            return root.function + root.ver + itemsDigest(items);
        },
        [&](const QByteArray &bytes) {
            TPomiarList items;
            FormRootInfo root;
            ParseMeasurementForm(TextXmlLinesFromBytes(bytes), form, items, 7, FormDefinitionFilesOnDisk(), {}, &root);
            return root.function + root.ver + itemsDigest(items);
        });
    EXPECT_TRUE(someHolds(defined, {"refused: Niepoprawna struktura pliku zaklocen\\frm\\chemiczny_frm_1.xml: brak "
                                    "wiersza zamykającego"}));
}

TEST(ParseSteps, FactorFilesAndCataloguesReadAsTheirReaders)
{
    FixtureFolder fx;
    const QString path = QStringLiteral("poradn\\czynfiz.xml");
    auto factorsDigest = [](const TCzynnikList &list) {
        std::vector<const TCzynnik *> raw;
        for (const auto &f : list)
            raw.push_back(f.get());
        return joined(OwnFactorListLines(QStringLiteral("czynfiz"), raw));
    };
    const QStringList listed = expectSameAsReader(
        fx, QStringLiteral("factor_files"), path,
        [&] {
            QString ver = QStringLiteral("0");
            const auto lookup = ReadFactorFormVersion(QStringLiteral("poradn\\"), QStringLiteral("fiz"),
                                                      QStringLiteral("10100"), ver);
            return QString::number(int(lookup)) + ver + QString::number(ReadFactorGroups(path).size()) +
                   factorsDigest(ReadFactorList(path, QStringLiteral("fiz"), true));
        },
        [&](const QByteArray &bytes) {
            const QStringList lines = TextXmlLinesFromBytes(bytes);
            QString ver = QStringLiteral("0");
            const auto lookup = FindFactorFormVersion(lines, path, QStringLiteral("10100"), ver);
            return QString::number(int(lookup)) + ver + QString::number(ParseFactorGroups(lines).size()) +
                   factorsDigest(ParseFactorList(lines, path, QStringLiteral("fiz"), true));
        });

    // The factor groups under the list's name: their root is no factor, and no list.
    EXPECT_TRUE(someHolds(listed, {"refused: Plik nie jest oczekiwanego rodzaju (element główny <czynniki_grupy> "
                                   "zamiast <czynfiz>) : poradn\\czynfiz.xml"}));

    ChemicalFilter all;
    all.currentOnly = false;
    auto names = [](const auto &list) {
        QStringList out;
        for (const auto &e : list)
            out << QString::number(e->id) + e->nazwa;
        return joined(out);
    };
    const QStringList chemical = expectSameAsReader(
        fx, QStringLiteral("catalogues"), ChemicalCataloguePath(),
        [&] {
            return names(ReadChemicalCatalogue(ChemicalCataloguePath(), all, QStringLiteral("1.0"))) +
                   ReadCatalogueParam(QStringLiteral("?"), QStringLiteral("NDS"), 80001, CatalogueChemical) +
                   ReadCatalogueName(80001, 1);
        },
        [&](const QByteArray &bytes) {
            const auto index = BuildCatalogueIndex(std::make_shared<const QStringList>(TextXmlLinesFromBytes(bytes, false)));
            return names(ParseChemicalCatalogue(TextXmlLinesFromBytes(bytes), ChemicalCataloguePath(), all,
                                                QStringLiteral("1.0"))) +
                   CatalogueParam(*index, QStringLiteral("?"), QStringLiteral("NDS"), 80001) + CatalogueName(*index, 80001);
        });
    const QStringList biological = expectSameAsReader(
        fx, QStringLiteral("catalogues"), BiologicalCataloguePath(),
        [&] { return names(ReadBiologicalCatalogue(BiologicalCataloguePath(), QStringLiteral("0"), QStringLiteral("1.0"))); },
        [&](const QByteArray &bytes) {
            return names(ParseBiologicalCatalogue(TextXmlLinesFromBytes(bytes), BiologicalCataloguePath(),
                                                  QStringLiteral("0"), QStringLiteral("1.0")));
        });
    EXPECT_TRUE(someHolds(chemical, {"refused: Błąd w pliku poradn\\czynchem.xml, wiersz 19: Atrybut typh \"x6\" nie "
                                     "jest liczbą całkowitą"}));
    EXPECT_TRUE(someHolds(biological, {"refused: Błąd w pliku poradn\\czynbiol.xml, wiersz 19: Atrybut uszgrzagr"}));
    EXPECT_TRUE(someHolds(biological, {"refused: Niepoprawna struktura pliku poradn\\czynbiol.xml: niezamknięta pozycja "
                                       "katalogu"}));
}

TEST(ParseSteps, DocumentFilesReadAsTheirReaders)
{
    FixtureFolder fx;
    ConfigVersion() = QStringLiteral("1.0");
    auto itemsOf = [](const TDocumentDefinition &d) {
        QStringList out{d.Katalog, d.Plik};
        for (const auto &item : d.Items)
            out << item->nazwa + '|' + item->typ + '|' + QString::number(item->ile);
        return joined(out);
    };
    const QString formPath = QStringLiteral("d\\x_frm_2.xml");
    const QStringList defined = expectSameAsReader(
        fx, QStringLiteral("document_form"), formPath,
        [&] {
            TDocumentDefinition d;
            return QString::number(ReadDocumentForm(formPath, d)) + itemsOf(d);
        },
        [&](const QByteArray &bytes) {
            TDocumentDefinition d;
            return QString::number(ParseDocumentForm(TextXmlLinesFromBytes(bytes), formPath, d)) + itemsOf(d);
        });
    EXPECT_TRUE(someHolds(defined, {"refused: Niepoprawna struktura pliku definicji dokumentu : d\\x_frm_2.xml"}));
    const QString listPath = QStringLiteral("d\\x_lista.xml");
    auto entriesOf = [](const TListDokumList &list) {
        QStringList out;
        for (const auto &e : list)
            out << QString::number(e->nr) + e->data + e->rodzinf + e->wer_dok;
        return joined(out);
    };
    const QStringList listed = expectSameAsReader(
        fx, QStringLiteral("document_list"), listPath,
        [&] {
            TListDokumList list;
            return QString::number(ReadDocumentList(listPath, list, QStringLiteral("2"))) + entriesOf(list);
        },
        [&](const QByteArray &bytes) {
            TListDokumList list;
            return QString::number(ParseDocumentList(TextXmlLinesFromBytes(bytes), listPath, list, QStringLiteral("2"))) +
                   entriesOf(list);
        });
    EXPECT_TRUE(someHolds(listed, {"refused: Niepoprawna struktura pliku listy dokumentów : d\\x_lista.xml"}));
    // The definition has no memo "b" and no form "c": their entries are kept as read.
    auto slotsOf = [](const StorageResult &r, const TDokumList &items, const QStringList &storedOnly) {
        QStringList out{r.message()};
        for (const auto &item : items)
            for (const auto &slot : item->Values)
                out << slot.wartosc;
        out << QStringLiteral("kept:") << storedOnly;
        return joined(out);
    };
    auto definition = [] {
        TDokumList items;
        for (const char *name : {"a", "b", "c"}) {
            auto item = std::make_unique<TDokum>(1, 2, 0, 0, 0, QString(), QString::fromLatin1(name),
                                                 QStringLiteral("edit"), QString(), QString(), QString(), QString(),
                                                 QString());
            item->Values.emplace_back(1, QStringLiteral("stare"));
            item->Values.emplace_back(2, QStringLiteral("stare"));
            items.push_back(std::move(item));
        }
        return items;
    };
    const QStringList stored = expectSameAsReader(
        fx, QStringLiteral("document_data"), QStringLiteral("d\\k\\x_dane_1.xml"),
        [&] {
            TDokumList items = definition();
            QStringList storedOnly{QStringLiteral("stare")};
            const StorageResult r = ReadDocumentData(QStringLiteral("d\\"), QStringLiteral("k\\"),
                                                     QStringLiteral("x_dane_1.xml"), items, &storedOnly);
            return slotsOf(r, items, storedOnly);
        },
        [&](const QByteArray &bytes) {
            TDokumList items = definition();
            QStringList storedOnly{QStringLiteral("stare")};
            const StorageResult r = ParseDocumentData(TextXmlLinesFromBytes(bytes, false),
                                                      QStringLiteral("d\\k\\x_dane_1.xml"), items, &storedOnly);
            return slotsOf(r, items, storedOnly);
        });
    EXPECT_TRUE(std::any_of(stored.begin(), stored.end(), [](const QString &o) {
        return o.startsWith(QStringLiteral("Niepoprawna struktura pliku z danymi")) && o.endsWith(QStringLiteral("kept:"));
    })); // a refused file keeps nothing
    EXPECT_TRUE(someHolds(stored, {"kept:\n  <dane nazwa=\"b\" typ=\"memo\" nr=\"1\" >linia 1\nlinia 2</dane>\n  <dane "
                                   "nazwa=\"c\""}));
    EXPECT_FALSE(someHolds(stored, {"stare"}));
}

TEST(ParseSteps, ConfigurationTreesRiskScoreAndIniReadAsTheirReaders)
{
    FixtureFolder fx;
    auto groupsOf = [](const TNavigationGroups &groups) {
        QStringList out;
        for (const auto &g : groups)
            for (const auto &e : g->Elements)
                for (const auto &c : e->Components)
                    out << g->nazwa + '|' + e->nazwa + '|' + c->typ + c->katalog + c->plik + c->katfrm + c->katzal;
        return joined(out);
    };
    const QStringList configured = expectSameAsReader(
        fx, QStringLiteral("navigation_file"), NavigationConfigPath(),
        [&] {
            ReadNavigationConfig(NavigationConfigPath());
            return ConfigVersion() + groupsOf(NavigationGroups());
        },
        [&](const QByteArray &bytes) {
            QString version;
            const TNavigationGroups groups = ParseNavigationConfig(TextXmlLinesFromBytes(bytes), version);
            return version + groupsOf(groups);
        });

    EXPECT_TRUE(someHolds(configured, {"refused: Niepoprawna struktura pliku konfiguracyjnego config\\Tarvelin.xml "
                                       "(wiersz 129): atrybut numer 'x' nie jest poprawną liczbą"}));

    const QString tree = QStringLiteral("dokumenty\\zalaczn\\drzewo.xml");
    auto nodesOf = [](const std::vector<TZalTree> &nodes) {
        QStringList out;
        for (const TZalTree &n : nodes)
            out << QStringLiteral("%1 %2 %3 ").arg(n.Id).arg(n.ParentId).arg(n.Level) + n.Text;
        return joined(out);
    };
    expectSameAsReader(
        fx, QStringLiteral("selection_trees"), tree,
        [&] {
            // The parse step says whether the tree was whole; the reader words the refusal.
            std::vector<TZalTree> nodes;
            try {
                ReadSelectionTree(tree, nodes);
            } catch (const platform::TarvelinError &) {
                return QStringLiteral("refused");
            }
            return nodesOf(nodes);
        },
        [&](const QByteArray &bytes) {
            std::vector<TZalTree> nodes;
            QString version;
            bool found = false;
            const QStringList lines = TextXmlLinesFromBytes(bytes);
            if (lines.size() < 2 || !ParseSelectionTree(lines, tree, nodes, version, found))
                return QStringLiteral("refused");
            return nodesOf(nodes);
        });

    // The main file varies; the tables are the shipped ones.
    const QString folder = QStringLiteral("zal\\");
    for (quint16 typ : RiskScoreTableReadOrder) {
        QFile shipped(QStringLiteral(TARVELIN_INSTALL_DIR "/") + QString(RiskScoreTablePath(typ)).replace('\\', '/'));
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        fx.Write(QString(RiskScoreTablePath(typ, folder)).replace('\\', '/'), shipped.readAll());
    }
    expectSameAsReader(
        fx, QStringLiteral("risk_score_files"), RiskScoreMainPath(folder), [&] { return riskDigest(ReadRiskScore(3, folder)); },
        [&](const QByteArray &bytes) {
            TRiskScoreReadResult r;
            r.Set = TRiskScore(3);
            r.BandsUsable = ParseRiskScoreBands(TextXmlLinesFromBytes(bytes), RiskScoreMainPath(folder), r);
            for (quint16 typ : RiskScoreTableReadOrder)
                ParseRiskScoreTable(ReadTextXmlLines(RiskScoreTablePath(typ, folder)), RiskScoreTablePath(typ, folder),
                                    typ, r);
            return riskDigest(r);
        });

    // The ini file: what Load keeps and what Save writes, in lines.
    auto iniDigest = [](const platform::IniFile &ini) {
        QStringList out = ini.Lines();
        for (const QString &section : ini.SectionNames())
            for (const QString &key : ini.KeyNames(section))
                out << section + '|' + key + '|' + QString::number(ini.ReadInteger(section, key, -1));
        return joined(out);
    };
    const QStringList kept = expectSameAsReader(
        fx, QStringLiteral("inifile"), QStringLiteral("Tarvelin.ini"),
        [&] {
            platform::IniFile file(fx.FilePath("Tarvelin.ini"));
            const bool loaded = file.Load();
            return QString::number(loaded) + iniDigest(file);
        },
        [&](const QByteArray &bytes) {
            platform::IniFile parsed{QString()};
            parsed.Parse(platform::DecodeLinesCp1250(bytes));
            return QStringLiteral("1") + iniDigest(parsed);
        });
    EXPECT_TRUE(someHolds(kept, {"frmMain|frmMain.Top|40", "frmRyzZakl|frmRyzZakl.Left|-4"}));
}

TEST(ParseSteps, HelpFileDirectoryReadsAsItsReader)
{
    FixtureFolder fx;
    auto digest = [](const std::optional<ChmDirectory> &dir) {
        return dir ? QStringLiteral("listed\n") + joined(dir->Names()) : QStringLiteral("refused");
    };
    const QStringList listed = expectSameAsReader(
        fx, QStringLiteral("chm_directory"), QStringLiteral("pomoc.chm"),
        [&] { return digest(ReadChmDirectory(fx.FilePath("pomoc.chm"))); },
        [&](const QByteArray &bytes) { return digest(ParseChmDirectory(bytes)); });
    EXPECT_TRUE(someHolds(listed, {"listed\n"}));
    EXPECT_TRUE(someHolds(listed, {"refused"}));
}

TEST(ParseSteps, AttributesAndNumbersReadQuicklyAsTheGeneralRoutinesReadThem)
{
    // An attribute only where one begins: a name that ends another name, a stray quote and
    // blanks before "=" are read as the tag has them; the first of a name counts.
    const QString line = QStringLiteral("<poz xnazwa=\"1\" nazwa =\"2\" nazwa=\"a&quot;b\" a\"b=\"c\" typ=\"bez końca");
    const ElementTag tag(line);
    for (const QString name : {"nazwa", "xnazwa", "typ", "a", "b", "brak", "poz"})
        EXPECT_EQ(ReadAttributeValue(name + QLatin1String("=\""), line), tag.Value(name)) << qPrintable(name);
    EXPECT_EQ(tag.Value(u"nazwa"), QStringLiteral("2"));
    EXPECT_EQ(tag.Value(u"b"), QStringLiteral("c"));
    EXPECT_FALSE(tag.Has(u"a"));
    EXPECT_EQ(tag.Value(u"typ"), QStringLiteral("bez końca"));

    // Whole numbers: the quick reading takes what it can and leaves the rest to the locale's
    // conversion, which gives the same number or refuses.
    for (const QString text : {"0", "-0", "007", "-123456789", "999999999", "1234567890", "2147483648", "-2147483648",
                               "+5", " 5", "5 ", "-", "", "1.0", "1e3", "٣"}) {
        bool ok = false;
        const int general = QLocale::c().toInt(text.trimmed(), &ok);
        int quick = 0;
        if (PlainInt(text, quick)) {
            EXPECT_TRUE(ok && quick == general) << qPrintable(text);
        }
        EXPECT_EQ(ToIntDef(text, -7), ok ? general : -7) << qPrintable(text);
    }
    EXPECT_EQ(ToIntAt(QStringLiteral("12"), QStringLiteral("p.xml"), 4, QStringLiteral("Atrybut nr")), 12);
    try {
        ToIntAt(QStringLiteral("1x"), QStringLiteral("p.xml"), 4, QStringLiteral("Atrybut nr"));
        ADD_FAILURE();
    } catch (const platform::TarvelinError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Błąd w pliku p.xml, wiersz 5: Atrybut nr \"1x\" nie jest liczbą całkowitą"));
    }
}

TEST(ParseSteps, AValueThatNeverClosesIsPassedOverOnceNotOncePerLine)
{
    // A damaged memo value runs to the end of a large file: the reader looks at each line
    // once instead of rescanning the growing value for its end (hours at this size).
    QStringList lines{QStringLiteral("<?xml?>"), QStringLiteral("<x_dane_1 ver='1.0'>"),
                      QStringLiteral("  <dane nazwa=\"a\" typ=\"edit\" nr=\"1\" >początek")};
    for (int i = 0; i < 300000; ++i)
        lines << QStringLiteral("dalszy ciąg wartości bez zamknięcia");
    int index = 2;
    EXPECT_EQ(JoinContinuationLines(lines, lines[2], index), lines[2]);
    EXPECT_EQ(index, lines.size() - 1);
    lines << QStringLiteral("koniec</dane>");
    index = 2;
    EXPECT_EQ(JoinContinuationLines(lines, QStringLiteral("a"), index).size(),
              1 + 300000 * (lines[3].size() + 1) + lines.last().size() + 1);
    EXPECT_EQ(index, lines.size() - 1);
}
