// What the user typed is what is read back, in every file kind: a text that looks like an
// attribute, a tag or an escape stays text; a whole file reads as whole in every shape it can
// have; a folder in a file's place, a wrong root and a folder that cannot be made are named.
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/file_cache.h"
#include "storage/measurement_files.h"
#include "storage/navigation_file.h"
#include "storage/risk_score_files.h"
#include "storage/selection_trees.h"
#include "storage/workstation_files.h"
#include "tests/storage/measurement_test_support.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

using namespace storage;
using namespace storagetest;
using testsupport::FixtureFolder;

namespace {

QString attr(const char *name, const QString &v)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), AttributeText(v));
}

// Writes v into every text of one file kind through its writer (the kinds the program
// only reads: through their line templates) and gives what its reader reads back there.
using RoundTrip = std::function<QStringList(const FixtureFolder &fx, const QString &v)>;

const std::vector<std::pair<const char *, RoundTrip>> &fileKinds()
{
    static const std::vector<std::pair<const char *, RoundTrip>> kinds = {
        {"workstation list",
         [](const FixtureFolder &, const QString &v) {
             WorkstationList list, back;
             list.push_back(std::make_unique<TStanowisko>(v, v, v));
             QString version;
             if (StorageResult r = WriteWorkstationList("dane\\", list); !r)
                 return QStringList{r.message()};
             ReadWorkstationList("dane\\struktura_dane.xml", back, version);
             return back.size() != 1 ? QStringList{"?"} : QStringList{back[0]->id, back[0]->nazwa, back[0]->kat_dane};
         }},
        {"workstation data",
         [](const FixtureFolder &, const QString &v) {
             TStanowisko w(v, v, "stan_1");
             for (QString *f : {&w.Kod, &w.DataRej, &w.Lokalizacja, &w.NrRegon, &w.NrRej, &w.Opis})
                 *f = v;
             w.AddEmployment(TZatrudn(v, v, v, v, v, v, v));
             w.AddFactor(std::make_unique<TCzynnik>(v, v, 100001, v, "met5Krok", v, v));
             if (StorageResult r = WriteWorkstationData("dane\\", w); !r)
                 return QStringList{r.message()};
             TStanowisko b(v, "", "stan_1");
             ReadWorkstationData("dane\\stan_1\\stanowisko_dane.xml", b, WorkstationReadOptions::AllFactors());
             if (b.Employment.size() != 1 || b.Factors.size() != 1)
                 return QStringList{b.ReadError};
             const TCzynnik &f = *b.Factors[0].factor;
             return QStringList{b.Kod, b.DataRej, b.Lokalizacja, b.NrRegon, b.NrRej, b.Opis}
                    << b.Employment[0].Columns() << QStringList{f.nazwa, f.ident, f.ver_pom, f.aktual, f.szkod};
         }},
        {"own factors",
         [](const FixtureFolder &, const QString &v) {
             QDir().mkpath(platform::ToFilePath("poradn"));
             const TCzynnik f(v, "fiz", 100001, v, v, v, v);
             if (StorageResult r = WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", {&f}); !r)
                 return QStringList{r.message()};
             const TCzynnikList b = ReadFactorList("poradn\\czynfizWl.xml", "fiz", false);
             return b.size() != 1 ? QStringList{"?"}
                                  : QStringList{b[0]->nazwa, b[0]->ver_pom, b[0]->frm_dane, b[0]->aktual, b[0]->szkod};
         }},
        {"document list",
         [](const FixtureFolder &, const QString &v) {
             TDocumentDefinition d, back;
             d.PData = d.PRodzInf = d.Katalog = v;
             TListDokumList list, read;
             list.push_back(std::make_unique<TListDokum>(1, v, v, v));
             if (StorageResult r = WriteDocumentList("dane\\", "x_lista", d, v, list); !r)
                 return QStringList{r.message()};
             ReadDocumentList("dane\\x_lista.xml", read, "", &back);
             return read.size() != 1 ? QStringList{"?"}
                                     : QStringList{back.PData,    back.PRodzInf,    back.Katalog,    back.Plik,
                                                   read[0]->data, read[0]->rodzinf, read[0]->wer_dok};
         }},
        {"document data",
         [](const FixtureFolder &, const QString &v) {
             TDokumList items;
             for (const char *typ : {"edit", "memo"}) {
                 items.push_back(std::make_unique<TDokum>(1, 1, 1, 1, 1, "p", v, typ, "", "", "", "", ""));
                 items.back()->Values.emplace_back(1, v);
             }
             if (StorageResult r = WriteDocumentData("dane\\", "k\\", "x_dane_1", items); !r)
                 return QStringList{r.message()};
             ReadDocumentData("dane\\", "k\\", "x_dane_1.xml", items);
             return QStringList{items[0]->Values[0].wartosc, items[1]->Values[0].wartosc};
         }},
        {"measurements",
         [](const FixtureFolder &fx, const QString &v) {
             WriteTestForm(fx, "met5Krok");
             QDir().mkpath(fx.FilePath("dane/stan_1"));
             TCzynnik f("A", "fiz", 100001, "1.0", "met5Krok", "T", "N");
             auto m = MakeMeasurement("met5Krok", f.id, 1, v, {{"PEWartZm", v}, {"Rodz", v}, {"Opis", v}});
             m->mscPom = m->wykpom = m->metpom = m->interwyn = m->srodogrryz = v;
             AddMeasurement(f.Measurements, std::move(m));
             MeasurementSaveRequest save{kFolder, "met5Krok_frm_1.xml", &f, {&f}, {&f}};
             if (StorageResult r = WriteMeasurements(save); !r)
                 return QStringList{r.message()};
             TMeasurementList back;
             ReadMeasurements(kFolder, f.frm_dane, back, f.id, kForms);
             if (back.size() != 1)
                 return QStringList{"?"};
             const TPomiarCzynn &b = *back[0];
             return QStringList{b.data,
                                b.mscPom,
                                b.wykpom,
                                b.metpom,
                                b.interwyn,
                                b.srodogrryz,
                                FindField(b.Fields, "PEWartZm")->Value,
                                FindField(b.Fields, "Rodz")->Value,
                                FindField(b.Fields, "Opis")->Value};
         }},
        {"Risk Score",
         [](const FixtureFolder &fx, const QString &v) {
             QDir().mkpath(fx.FilePath("zaklocen/frm/zalaczn"));
             TRiskScore set(1);
             set.Opis.fill(v);
             set.Ryzyko = {0, 20, 70, 200, 400};
             set.SterRyz = {10, 20, 30, 40, 40};
             set.Params.emplace_back(RiskScoreProbability, 1, v, v, v, 0.5f);
             if (StorageResult r = WriteRiskScore(set); !r)
                 return QStringList{r.message()};
             const TRiskScoreReadResult b = ReadRiskScore(1);
             if (b.Set.Params.size() != 1)
                 return QStringList{"?"};
             const TRiskScoreParam &p = b.Set.Params[0];
             return QStringList(b.Set.Opis.begin(), b.Set.Opis.end()) << p.OpisPodst << p.OpisUszcz1 << p.OpisUszcz2;
         }},
        {"chemical catalogue",
         [](const FixtureFolder &fx, const QString &v) {
             fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\"" + attr("frm_dane", v) + ">\n" +
                                                     " <czynnik id=\"7\"" + attr("nazwa", v) + ">\n  <param" +
                                                     attr("nds", v) + attr("nrcas", v) +
                                                     " typ=\"0\" typh=\"0\">\n </czynnik>\n</czynchem>\n");
             ClearCatalogueCache();
             ChemicalFilter all;
             all.currentOnly = false;
             const TCzynChemList b = ReadChemicalCatalogue(ChemicalCataloguePath(), all, "1.0");
             return b.size() != 1 ? QStringList{"?"}
                                  : QStringList{b[0]->frm_dane,
                                                b[0]->nazwa,
                                                b[0]->nds,
                                                b[0]->nrcas,
                                                ReadCatalogueName(7, 1),
                                                ReadCatalogueParam("", "NDS", 7, CatalogueChemical)};
         }},
        {"navigation",
         [](const FixtureFolder &fx, const QString &v) {
             fx.WriteText("config/Tarvelin.xml", kDecl + "<tarvelin" + attr("ver", v) + ">\n<grupa" + attr("nazwa", v) +
                                                     " numer=\"1\" rozmikon=\"16\">\n<element" + attr("nazwa", v) +
                                                     " numer=\"1\"" + attr("oper", v) + attr("ikona", v) +
                                                     ">\n<skladnik numer=\"1\"" + attr("typ", v) + ">\n<katalog>" + v +
                                                     "</katalog>\n</skladnik>\n</grupa>\n</tarvelin>\n");
             ReadNavigationConfig(NavigationConfigPath());
             const TElem &e = *NavigationGroups()[0]->Elements[0];
             return QStringList{ConfigVersion(),      NavigationGroups()[0]->nazwa, e.nazwa, e.oper, e.ikona,
                                e.Components[0]->typ, e.Components[0]->katalog};
         }},
        {"selection tree",
         [](const FixtureFolder &fx, const QString &v) {
             fx.WriteText("zal/t.xml", kDecl + "<drzewo plik=\"zal\\t.xml\" ver=\"1.0\">\n<grp" + attr("nazwa", v) +
                                           ">\n<poz>" + v + "</poz>\n</grp>\n</drzewo>\n");
             std::vector<TZalTree> tree;
             ReadSelectionTree("zal\\t.xml", tree);
             return tree.size() != 2 ? QStringList{"?"} : QStringList{tree[0].Text, tree[1].Text};
         }},
        {"form definition",
         [](const FixtureFolder &fx, const QString &v) {
             fx.WriteText("zaklocen/frm/met5Krok_frm_1.xml",
                          kDecl + "<met5Krok_frm ver=\"1\"" + attr("function", v) + ">\n<page nr=\"1\"" +
                              attr("nazwa", v) + ">\n<pole" + attr("nazwa", v) + " typ=\"edit\"" + attr("etyk", v) +
                              attr("zal", v) + ">" + v + "</pole>\n</page>\n</met5Krok_frm>\n");
             ClearFormDefinitionCache();
             TPomiarList items;
             ReadMeasurementForm("zaklocen\\frm\\met5Krok_frm_1.xml", items, 100001);
             return items.size() != 2 ? QStringList{"?"}
                                      : QStringList{items[0]->function, items[0]->PageName, items[1]->nazwa,
                                                    items[1]->etyk,     items[1]->zal,      items[1]->Value};
         }},
        {"document definition",
         [](const FixtureFolder &fx, const QString &v) {
             fx.WriteText("dokum/x_frm_1.xml", kDecl + "<x_frm_1 ver=\"1.0\"" + attr("plik", v) + ">\n<page nr=\"1\"" +
                                                   attr("nazwa", v) + ">\n<pole" + attr("nazwa", v) +
                                                   " typ=\"edit\" rozm=\"1\" szer=\"1\" wys=\"1\" ile=\"1\"" +
                                                   attr("etyk", v) + ">" + v + "</pole>\n<poz" + attr("etyk", v) +
                                                   ">\n</page>\n</x_frm_1>\n");
             ConfigVersion() = "1.0";
             TDocumentDefinition d;
             ReadDocumentForm("dokum\\x_frm_1.xml", d);
             return d.Items.size() != 2
                        ? QStringList{"?"}
                        : QStringList{d.Plik,           d.Items[0]->PageName, d.Items[1]->nazwa,
                                      d.Items[1]->etyk, d.Items[1]->tekst,    d.Items[1]->PrintPositions[0].etyk};
         }},
        {"factor groups",
         [](const FixtureFolder &fx, const QString &v) {
             fx.WriteText("poradn/czynniki_grupy.xml", kDecl + "<czynniki_grupy>\n<poz" + attr("ident", v) +
                                                           attr("plikWl", v) + ">" + v + "</poz>\n</czynniki_grupy>\n");
             const TGrupaCzynnikList g = ReadFactorGroups("poradn\\czynniki_grupy.xml");
             return g.size() != 1 ? QStringList{"?"} : QStringList{g[0]->nazwa, g[0]->ident, g[0]->plikWl};
         }},
    };
    return kinds;
}

} // namespace

TEST(StoredTexts, AttributeLikeTextReadsBackAsTypedInEveryFileKind)
{
    const QString values[] = {"Spawacz kat_dane=",
                              "Hałas id=",
                              "Pył ident=",
                              "x frm_dane=",
                              "T aktual=",
                              "Protokół wer_dok=",
                              "rodzinf=\"7\"",
                              "Skutki Wartosc=",
                              "Hala \"A\"",
                              "&quot;",
                              "A &amp; B",
                              "<stanowisko id=\"9\">",
                              "a > b",
                              " ąćęłńóśźż ",
                              "„€…‰Šś”"};
    for (const auto &[kind, roundTrip] : fileKinds()) {
        for (const QString &v : values) {
            FixtureFolder fx;
            testsupport::ScriptedPrompter boxes;
            const QStringList back = roundTrip(fx, v);
            for (const QString &read : back)
                EXPECT_EQ(read.toStdString(), v.toStdString()) << kind;
        }
    }
}

TEST(StoredTexts, AWriterRefusesATextItCannotStoreAndNamesIt)
{
    FixtureFolder fx;
    for (const auto &[kind, roundTrip] : fileKinds()) {
        if (QByteArray(kind) == "own factors" || QByteArray(kind) == "document data" ||
            QByteArray(kind) == "measurements" || QByteArray(kind) == "workstation data" ||
            QByteArray(kind) == "Risk Score") { // a "</" ends the element texts these files hold
            const QStringList back = roundTrip(fx, "a</b");
            ASSERT_EQ(back.size(), 1) << kind;
            EXPECT_TRUE(back[0].startsWith("Nie zapisano pliku") && back[0].contains("\"a</b\"")) << kind;
        }
    }
    WorkstationList list;
    list.push_back(std::make_unique<TStanowisko>("1", "dwa\nwiersze", "stan_1"));
    EXPECT_TRUE(WriteWorkstationList("dane\\", list).message().contains("podział wiersza"));
    list[0]->nazwa = QStringLiteral("Ж");
    EXPECT_TRUE(WriteWorkstationList("dane\\", list).message().contains("Windows-1250"));
}

namespace {

// A reader that tells whether a file is whole: the file it reads, made by the program's
// writer (or the installation's template), and what it reads from it ("damaged" when it
// refuses the file).
struct WholeFileReader
{
    const char *name;
    QString file; // relative, "/" separated
    std::function<void(const FixtureFolder &)> write;
    std::function<QString()> read;
};

QString damaged(const QString &why)
{
    return QStringLiteral("damaged: ") + why;
}

template <typename F> QString orDamaged(F read)
{
    try {
        return read();
    } catch (const platform::TarvelinError &e) {
        return damaged(e.message());
    }
}

std::vector<WholeFileReader> wholeFileReaders()
{
    return {
        {"workstation list", "dane/struktura_dane.xml",
         [](const FixtureFolder &) {
             WorkstationList list;
             list.push_back(std::make_unique<TStanowisko>("1", "Biuro", "stan_1"));
             ASSERT_TRUE(WriteWorkstationList("dane\\", list));
         },
         [] {
             WorkstationList list;
             QString version, damage;
             ReadWorkstationList("dane\\struktura_dane.xml", list, version, &damage);
             return damage.isEmpty() ? version + list.at(0)->nazwa : damaged(damage);
         }},
        {"workstation data", "dane/stan_1/stanowisko_dane.xml",
         [](const FixtureFolder &) {
             TStanowisko w("1", "Biuro", "stan_1");
             w.Opis = "dwa\nwiersze";
             ASSERT_TRUE(WriteWorkstationData("dane\\", w));
         },
         [] {
             return orDamaged([] {
                 TStanowisko w("1", "Biuro", "stan_1");
                 ReadWorkstationData("dane\\stan_1\\stanowisko_dane.xml", w, WorkstationReadOptions::AllFactors());
                 return w.Opis;
             });
         }},
        {"own factors", "poradn/czynfizWl.xml",
         [](const FixtureFolder &fx) {
             fx.Write("poradn/x", "");
             const TCzynnik f("Własny", "fiz", 100001, "1.0", "met5Krok", "1", "T");
             ASSERT_TRUE(WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", {&f}));
         },
         [] {
             QString damage;
             const TCzynnikList list = ReadFactorList("poradn\\czynfizWl.xml", "fiz", false, &damage);
             return damage.isEmpty() ? list.at(0)->nazwa : damaged(damage);
         }},
        {"measurements", "dane/stan_1/met5Krok_dane.xml",
         [](const FixtureFolder &fx) {
             WriteTestForm(fx, "met5Krok");
             QDir().mkpath(fx.FilePath("dane/stan_1"));
             TCzynnik f("A", "fiz", 100001, "1.0", "met5Krok", "T", "N");
             AddMeasurement(f.Measurements, MakeMeasurement("met5Krok", f.id, 1, "2024-01-02", {{"Opis", "a\nb"}}));
             ASSERT_TRUE(WriteMeasurements({kFolder, "met5Krok_frm_1.xml", &f, {&f}, {&f}}));
         },
         [] {
             return orDamaged([] {
                 TMeasurementList list;
                 ReadMeasurements(kFolder, "met5Krok", list, 100001, kForms);
                 return FindField(list.at(0)->Fields, "Opis")->Value;
             });
         }},
        {"document list", "dane/x_lista.xml",
         [](const FixtureFolder &) {
             TListDokumList list;
             list.push_back(std::make_unique<TListDokum>(1, "2024-01-02", "Nowak", "2"));
             ASSERT_TRUE(WriteDocumentList("dane\\", "x_lista", {}, "x_dane.xml", list));
         },
         [] {
             return orDamaged([] {
                 TListDokumList list;
                 ReadDocumentList("dane\\x_lista.xml", list, "");
                 return list.at(0)->rodzinf;
             });
         }},
        {"document data", "dane/k/x_dane_1.xml",
         [](const FixtureFolder &) {
             TDokumList items;
             items.push_back(std::make_unique<TDokum>(1, 1, 1, 1, 1, "p", "Opis", "memo", "", "", "", "", ""));
             items.back()->Values.emplace_back(1, "dwa\nwiersze");
             ASSERT_TRUE(WriteDocumentData("dane\\", "k\\", "x_dane_1", items));
         },
         [] {
             TDokumList items;
             items.push_back(std::make_unique<TDokum>(1, 1, 1, 1, 1, "p", "Opis", "memo", "", "", "", "", ""));
             items.back()->Values.emplace_back(1, "");
             const StorageResult r = ReadDocumentData("dane\\", "k\\", "x_dane_1.xml", items);
             return r ? items[0]->Values[0].wartosc : damaged(r.message());
         }},
        {"document definition", "dokum/x_frm_1.xml",
         [](const FixtureFolder &fx) {
             fx.WriteText("dokum/x_frm_1.xml", kDecl +
                                                   "<x_frm_1 ver=\"1.0\" plik=\"x_lista.xml\">\n<page nr=\"1\" "
                                                   "nazwa=\"A\">\n<pole nazwa=\"N\" typ=\"edit\" rozm=\"1\" "
                                                   "szer=\"1\" wys=\"1\" ile=\"1\">t</pole>\n</page>\n</x_frm_1>\n");
         },
         [] {
             return orDamaged([] {
                 ConfigVersion() = "1.0";
                 TDocumentDefinition d;
                 ReadDocumentForm("dokum\\x_frm_1.xml", d);
                 return d.Items.at(1)->tekst;
             });
         }},
        {"form definition", "zaklocen/frm/met5Krok_frm_1.xml",
         [](const FixtureFolder &fx) { WriteTestForm(fx, "met5Krok"); },
         [] {
             return orDamaged([] {
                 ClearFormDefinitionCache();
                 TPomiarList items;
                 ReadMeasurementForm("zaklocen\\frm\\met5Krok_frm_1.xml", items, 100001);
                 return QString::number(items.size());
             });
         }},
        {"Risk Score", "zaklocen/frm/zalaczn/metRiskScore_1.xml",
         [](const FixtureFolder &fx) {
             QDir().mkpath(fx.FilePath("zaklocen/frm/zalaczn"));
             TRiskScore set(1);
             set.Opis = {"a", "b", "c", "d", "e"};
             set.Ryzyko = {0, 20, 70, 200, 400};
             set.SterRyz = {10, 20, 30, 40, 40};
             ASSERT_TRUE(WriteRiskScore(set));
         },
         [] {
             const TRiskScoreReadResult r = ReadRiskScore(1);
             return r.Problems.empty() ? r.Set.Opis[4] : damaged(r.Problems[0].Detail);
         }},
    };
}

} // namespace

TEST(WholeFiles, EveryShapeOfAWholeFileReadsAsWholeByEveryReader)
{
    const std::pair<const char *, std::function<QByteArray(QByteArray)>> shapes[] = {
        {"LF", [](QByteArray b) { return b.replace("\r\n", "\n"); }},
        {"CR CR LF", [](QByteArray b) { return b.replace("\r\n", "\r\r\n"); }},
        {"CR", [](QByteArray b) { return b.replace("\r\n", "\r"); }},
        {"blank line after the declaration", [](QByteArray b) { return b.insert(b.indexOf("\r\n") + 2, "\r\n"); }},
        {"blank lines after the end", [](QByteArray b) { return b + "\r\n \t\r\n"; }},
        {"Ctrl-Z", [](QByteArray b) { return b + "\x1a"; }},
        {"NULs", [](QByteArray b) { return b + QByteArray(64, '\0'); }},
        {"no last line end", [](QByteArray b) { return b.left(b.size() - 2); }},
    };
    for (const WholeFileReader &reader : wholeFileReaders()) {
        FixtureFolder fx;
        testsupport::ScriptedPrompter boxes;
        reader.write(fx);
        const QByteArray whole = fx.Read(reader.file);
        const QString expected = reader.read();
        ASSERT_FALSE(expected.startsWith("damaged")) << reader.name << ": " << expected.toStdString();
        for (const auto &[shape, reshape] : shapes) {
            fx.Write(reader.file, reshape(whole));
            EXPECT_EQ(reader.read().toStdString(), expected.toStdString()) << reader.name << ", " << shape;
        }
        // The check still refuses a file cut short before its closing line.
        fx.Write(reader.file, whole.left(whole.lastIndexOf("</")));
        EXPECT_TRUE(reader.read().startsWith("damaged")) << reader.name;
    }
}

TEST(PathMessages, AFolderInAFilesPlaceAWrongRootAndAFolderThatCannotBeMadeAreEachNamed)
{
    const QString folderAt = QStringLiteral("Zamiast pliku jest katalog o tej nazwie : ");
    const QString notMade = QStringLiteral("Nie powiodła się próba utworzenia katalogu : ");
    auto listMessage = [] {
        WorkstationList list;
        QString version, damage;
        ReadWorkstationList("dane\\struktura_dane.xml", list, version, &damage);
        return damage.section('\n', 0, 0); // the message; then what is done with the file
    };
    auto workstation = [] {
        TStanowisko w("1", "Biuro", "stan_1");
        return orDamaged([&] {
            return ReadWorkstationData("dane\\stan_1\\stanowisko_dane.xml", w, WorkstationReadOptions::AllFactors()),
                   QString();
        });
    };
    auto documentData = [] {
        TDokumList items;
        return ReadDocumentData("dane\\", "k\\", "x_dane_1.xml", items).message();
    };
    auto folderMaking = [](const char *fileWhereTheFolderGoes, const std::function<StorageResult()> &write) {
        return [=](const FixtureFolder &fx) {
            fx.Write(fileWhereTheFolderGoes, "plik");
            return write().message();
        };
    };
    TDokumList items;
    WorkstationList list;
    const TStanowisko w("1", "Biuro", "stan_1");
    const struct
    {
        const char *what;
        std::function<QString(const FixtureFolder &)> run;
        QString expected;
    } cases[] = {
        {"list read", [&](const FixtureFolder &fx) { return fx.Write("dane/struktura_dane.xml/x", ""), listMessage(); },
         folderAt + "dane\\struktura_dane.xml"},
        {"workstation read",
         [&](const FixtureFolder &fx) { return fx.Write("dane/stan_1/stanowisko_dane.xml/x", ""), workstation(); },
         damaged(folderAt + "dane\\stan_1\\stanowisko_dane.xml")},
        {"document read",
         [&](const FixtureFolder &fx) { return fx.Write("dane/k/x_dane_1.xml/x", ""), documentData(); },
         folderAt + "dane\\k\\x_dane_1.xml"},
        {"document list read",
         [&](const FixtureFolder &fx) {
             fx.Write("dane/x_lista.xml/x", "");
             TListDokumList entries;
             return orDamaged([&] { return ReadDocumentList("dane\\x_lista.xml", entries, ""), QString(); });
         },
         damaged(folderAt + "dane\\x_lista.xml")},
        {"list of another kind",
         [&](const FixtureFolder &fx) {
             return fx.WriteText("dane/struktura_dane.xml", kDecl + "<struktura ver=\"1.1\">\n</struktura>\n"),
                    listMessage();
         },
         "Plik nie jest oczekiwanego rodzaju (element główny <struktura> zamiast <struktura_dane>) : "
         "dane\\struktura_dane.xml"},
        {"workstation of another kind",
         [&](const FixtureFolder &fx) {
             return fx.WriteText("dane/stan_1/stanowisko_dane.xml", kDecl + "<struktura_dane>\n</struktura_dane>\n"),
                    workstation();
         },
         damaged("Plik nie jest oczekiwanego rodzaju (element główny <struktura_dane> zamiast <stanowisko_dane>) : "
                 "dane\\stan_1\\stanowisko_dane.xml")},
        {"list write", folderMaking("dane", [&] { return WriteWorkstationList("dane\\", list); }), notMade + "dane\\"},
        {"workstation write", folderMaking("dane/stan_1", [&] { return WriteWorkstationData("dane\\", w); }),
         notMade + "dane\\stan_1"},
        {"document write",
         folderMaking("dane/k", [&] { return WriteDocumentData("dane\\", "k\\", "x_dane_1", items); }),
         notMade + "dane\\k\\"},
        {"document list write",
         folderMaking("dane", [&] { return WriteDocumentList("dane\\", "x_lista", {}, "x_dane.xml", {}); }),
         notMade + "dane\\"},
    };
    for (const auto &c : cases) {
        FixtureFolder fx;
        testsupport::ScriptedPrompter boxes;
        EXPECT_EQ(c.run(fx).toStdString(), c.expected.toStdString()) << c.what;
    }
}
