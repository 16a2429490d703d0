// Every reader is a parse step over the file's lines behind the part that opens the file:
// given the same bytes, the parse step (as the fuzz targets and tests call it) gives what
// the reader gives, the same messages included, for sound, cut and damaged files alike.
#include "platform/inifile.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/catalogue_files.h"
#include "storage/catalogue_index.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/file_cache.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"
#include "storage/navigation_file.h"
#include "storage/risk_score_files.h"
#include "storage/selection_trees.h"
#include "storage/text_xml.h"
#include "storage/workstation_files.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {

// The seeds of a fuzz target and damaged copies of them: cut in half, cut before the last
// line, with a number spoilt, and empty.
std::vector<QByteArray> variantsOf(const QString &seedFolder)
{
    std::vector<QByteArray> out{QByteArray()};
    const QDir dir(QStringLiteral(TARVELIN_SOURCE_DIR "/fuzz/seeds/") + seedFolder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = f.readAll();
        out.push_back(bytes);
        out.push_back(bytes.left(bytes.size() / 2));
        out.push_back(bytes.left(bytes.lastIndexOf('\n', bytes.size() - 3) + 1));
        QByteArray spoilt = bytes;
        const qsizetype digit = spoilt.indexOf("=\"1");
        if (digit >= 0)
            spoilt[digit + 2] = 'x';
        out.push_back(spoilt);
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

// Runs the reader on each variant written at relPath and the parse step on the same bytes.
void expectSameAsReader(const FixtureFolder &fx, const QString &seedFolder, const QString &relPath,
                        const std::function<QString()> &reader,
                        const std::function<QString(const QByteArray &bytes)> &parser)
{
    for (const QByteArray &bytes : variantsOf(seedFolder)) {
        fx.Write(QString(relPath).replace('\\', '/'), bytes);
        ClearFileCache();
        ClearCatalogueCache();
        ClearFormDefinitionCache();
        EXPECT_EQ(outcome(reader).toStdString(), outcome([&] { return parser(bytes); }).toStdString())
            << bytes.constData();
    }
}

QString joined(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

QString itemsDigest(const TPomiarList &items)
{
    QStringList out;
    for (const auto &p : items)
        out << p->nazwa + '|' + p->typ + '|' + p->Value + '|' + QString::number(p->visible);
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
    for (const QString id : {"1", "2"}) {
        expectSameAsReader(
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
    expectSameAsReader(
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

    const QString form = QStringLiteral("zaklocen\\frm\\chemiczny_frm_1.xml");
    fx.Write("poradn/czynchem.xml", "<?xml?>\r\n<czynchem ver=\"1.0\">\r\n <czynnik id=\"7\" nazwa=\"A\">\r\n"
                                    "  <param nds=\"-1\" ndsch=\"5\" ndsp=\"-1\" typ=\"3\">\r\n </czynnik>\r\n"
                                    "</czynchem>\r\n");
    fx.Write("zaklocen/frm/zalaczn/mech_frm_7.xml",
             "<?xml?>\r\n<mech_frm>\r\n<page nr=\"2\" nazwa=\"Mech\">\r\n<wiersz>\r\n"
             "<pole nazwa=\"M\" typ=\"edit\">1</pole>\r\n</wiersz>\r\n</page>\r\n</mech_frm>\r\n");
    expectSameAsReader(
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
    expectSameAsReader(
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

    ChemicalFilter all;
    all.currentOnly = false;
    auto names = [](const auto &list) {
        QStringList out;
        for (const auto &e : list)
            out << QString::number(e->id) + e->nazwa;
        return joined(out);
    };
    expectSameAsReader(
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
    expectSameAsReader(
        fx, QStringLiteral("catalogues"), BiologicalCataloguePath(),
        [&] { return names(ReadBiologicalCatalogue(BiologicalCataloguePath(), QStringLiteral("0"), QStringLiteral("1.0"))); },
        [&](const QByteArray &bytes) {
            return names(ParseBiologicalCatalogue(TextXmlLinesFromBytes(bytes), BiologicalCataloguePath(),
                                                  QStringLiteral("0"), QStringLiteral("1.0")));
        });
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
    expectSameAsReader(
        fx, QStringLiteral("document_form"), formPath,
        [&] {
            TDocumentDefinition d;
            return QString::number(ReadDocumentForm(formPath, d)) + itemsOf(d);
        },
        [&](const QByteArray &bytes) {
            TDocumentDefinition d;
            return QString::number(ParseDocumentForm(TextXmlLinesFromBytes(bytes), formPath, d)) + itemsOf(d);
        });
    const QString listPath = QStringLiteral("d\\x_lista.xml");
    auto entriesOf = [](const TListDokumList &list) {
        QStringList out;
        for (const auto &e : list)
            out << QString::number(e->nr) + e->data + e->rodzinf + e->wer_dok;
        return joined(out);
    };
    expectSameAsReader(
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
    auto slotsOf = [](const StorageResult &r, const TDokumList &items) {
        QStringList out{r.message()};
        for (const auto &item : items)
            for (const auto &slot : item->Values)
                out << slot.wartosc;
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
    expectSameAsReader(
        fx, QStringLiteral("document_data"), QStringLiteral("d\\k\\x_dane_1.xml"),
        [&] {
            TDokumList items = definition();
            const StorageResult r = ReadDocumentData(QStringLiteral("d\\"), QStringLiteral("k\\"),
                                                     QStringLiteral("x_dane_1.xml"), items);
            return slotsOf(r, items);
        },
        [&](const QByteArray &bytes) {
            TDokumList items = definition();
            const StorageResult r =
                ParseDocumentData(TextXmlLinesFromBytes(bytes, false), QStringLiteral("x_dane_1.xml"), items);
            return slotsOf(r, items);
        });
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
    expectSameAsReader(
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

    platform::IniFile file(fx.FilePath("Tarvelin.ini"));
    fx.Write("Tarvelin.ini", "; okna\r\n[frmMain]\nfrmMain.Top=5\r[inne]\r\nklucz = wartość\r\n\r\n");
    ASSERT_TRUE(file.Load());
    platform::IniFile parsed{QString()};
    parsed.Parse(platform::DecodeLinesCp1250(fx.Read("Tarvelin.ini")));
    EXPECT_EQ(parsed.Lines(), file.Lines());
    EXPECT_EQ(parsed.ReadInteger("frmMain", "frmMain.Top", 0), 5);
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
