// What the user typed is what is read back, in every file kind the program writes: a text
// that looks like an attribute, a tag or an escape stays text (a smoke table through the files
// themselves; the round-trip fuzz targets run every file kind, the installation's own too, over
// every such text), from every shape a whole file can have; a folder in a file's place, a
// wrong root and a folder that cannot be made are named.
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/measurement_files.h"
#include "storage/risk_score_files.h"
#include "storage/workstation_files.h"
#include "tests/storage/measurement_test_support.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using namespace storage;
using namespace storagetest;
using testsupport::FixtureFolder;

namespace {

QString damaged(const QString &why)
{
    return QStringLiteral("damaged: ") + why;
}

// One file kind: its file, how its writer writes v into every text it holds and what its
// reader reads back from those places.
struct FileKind
{
    const char *name;
    const char *file;
    std::function<StorageResult(const FixtureFolder &, const QString &v)> write;
    std::function<QStringList()> read;
};

TDokumList memoItems(const QString &name, const QString &value)
{
    TDokumList items;
    items.push_back(std::make_unique<TDokum>(1, 1, 1, 1, 1, "p", name, "memo", "", "", "", "", ""));
    items.back()->Values.emplace_back(1, value);
    return items;
}

// What a kind's reader gives, or "damaged: " and why it refused the file.
QStringList readBack(const FileKind &kind)
{
    try {
        return kind.read();
    } catch (const platform::TarvelinError &e) {
        return {damaged(e.message())};
    }
}

const std::vector<FileKind> &fileKinds()
{
    static const std::vector<FileKind> kinds = {
        {"workstation list", "dane/struktura_dane.xml",
         [](const FixtureFolder &, const QString &v) {
             WorkstationList list;
             list.push_back(std::make_unique<TStanowisko>(v, v, v));
             return WriteWorkstationList("dane\\", list);
         },
         [] {
             WorkstationList list;
             QString version, damage;
             ReadWorkstationList("dane\\struktura_dane.xml", list, version, &damage);
             return damage.isEmpty() ? QStringList{list.at(0)->id, list[0]->nazwa, list[0]->kat_dane}
                                     : QStringList{damaged(damage.section('\n', 0, 0))};
         }},
        {"workstation data", "dane/stan_1/stanowisko_dane.xml",
         [](const FixtureFolder &, const QString &v) {
             TStanowisko w("1", v, "stan_1");
             for (QString *f : {&w.Kod, &w.DataRej, &w.Lokalizacja, &w.NrRegon, &w.NrRej, &w.Opis})
                 *f = v;
             w.AddEmployment(TZatrudn(v, v, v, v, v, v, v));
             w.AddFactor(std::make_unique<TCzynnik>(v, v, 100001, v, "met5Krok", v, v));
             return WriteWorkstationData("dane\\", w);
         },
         [] {
             TStanowisko b("1", "", "stan_1");
             ReadWorkstationData("dane\\stan_1\\stanowisko_dane.xml", b, WorkstationReadOptions::AllFactors());
             const TCzynnik &f = *b.Factors.at(0).factor;
             return QStringList{b.Kod, b.DataRej, b.Lokalizacja, b.NrRegon, b.NrRej, b.Opis}
                    << b.Employment.at(0).Columns() << QStringList{f.nazwa, f.ident, f.ver_pom, f.aktual, f.szkod};
         }},
        {"own factors", "poradn/czynfizWl.xml",
         [](const FixtureFolder &fx, const QString &v) {
             QDir().mkpath(fx.FilePath("poradn"));
             const TCzynnik f(v, "fiz", 100001, v, v, v, v);
             return WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", {&f});
         },
         [] {
             QString damage;
             const TCzynnikList b = ReadFactorList("poradn\\czynfizWl.xml", "fiz", false, &damage);
             return damage.isEmpty()
                        ? QStringList{b.at(0)->nazwa, b[0]->ver_pom, b[0]->frm_dane, b[0]->aktual, b[0]->szkod}
                        : QStringList{damaged(damage)};
         }},
        {"document list", "dane/x_lista.xml",
         [](const FixtureFolder &, const QString &v) {
             TDocumentDefinition d;
             d.PData = d.PRodzInf = d.Katalog = v;
             TListDokumList list;
             list.push_back(std::make_unique<TListDokum>(1, v, v, v));
             return WriteDocumentList("dane\\", "x_lista", d, v, list);
         },
         [] {
             TDocumentDefinition d;
             TListDokumList read;
             ReadDocumentList("dane\\x_lista.xml", read, "", &d);
             return QStringList{d.PData,          d.PRodzInf,       d.Katalog,       d.Plik,
                                read.at(0)->data, read[0]->rodzinf, read[0]->wer_dok};
         }},
        {"document data", "dane/k/x_dane_1.xml",
         [](const FixtureFolder &, const QString &v) {
             return WriteDocumentData("dane\\", "k\\", "x_dane_1", memoItems("Opis", v));
         },
         [] {
             TDokumList items = memoItems("Opis", "");
             const StorageResult r = ReadDocumentData("dane\\", "k\\", "x_dane_1.xml", items);
             return QStringList{r ? items[0]->Values[0].wartosc : damaged(r.message())};
         }},
        {"measurements", "dane/stan_1/met5Krok_dane.xml",
         [](const FixtureFolder &fx, const QString &v) {
             WriteTestForm(fx, "met5Krok");
             QDir().mkpath(fx.FilePath("dane/stan_1"));
             TCzynnik f("A", "fiz", 100001, "1.0", "met5Krok", "T", "N");
             auto m = MakeMeasurement("met5Krok", f.id, 1, v, {{"PEWartZm", v}, {"Rodz", v}, {"Opis", v}});
             m->mscPom = m->wykpom = m->metpom = m->interwyn = m->srodogrryz = v;
             AddMeasurement(f.Measurements, std::move(m));
             return WriteMeasurements({kFolder, "met5Krok_frm_1.xml", &f, {&f}, {&f}});
         },
         [] {
             TMeasurementList back;
             ReadMeasurements(kFolder, "met5Krok", back, 100001, kForms);
             const TPomiarCzynn &b = *back.at(0);
             QStringList read{b.data, b.mscPom, b.wykpom, b.metpom, b.interwyn, b.srodogrryz};
             for (const char *field : {"PEWartZm", "Rodz", "Opis"})
                 read << FindField(b.Fields, field)->Value;
             return read;
         }},
        {"Risk Score", "zaklocen/frm/zalaczn/metRiskScore_1.xml",
         [](const FixtureFolder &fx, const QString &v) {
             QDir().mkpath(fx.FilePath("zaklocen/frm/zalaczn"));
             TRiskScore set(1);
             set.Opis.fill(v);
             set.Ryzyko = {0, 20, 70, 200, 400};
             set.SterRyz = {10, 20, 30, 40, 40};
             set.Params.emplace_back(RiskScoreProbability, 1, v, v, v, 0.5f);
             return WriteRiskScore(set);
         },
         [] {
             const TRiskScoreReadResult b = ReadRiskScore(1);
             if (!b.Problems.empty() || b.Set.Params.size() != 1)
                 return QStringList{damaged(b.Problems.empty() ? QString() : b.Problems[0].Detail)};
             const TRiskScoreParam &p = b.Set.Params[0];
             return QStringList(b.Set.Opis.begin(), b.Set.Opis.end()) << p.OpisPodst << p.OpisUszcz1 << p.OpisUszcz2;
         }},
    };
    return kinds;
}

} // namespace

// Each text in every shape a whole file can have; a file cut short is refused.
TEST(StoredTexts, AttributeLikeTextReadsBackAsTypedFromEveryShapeOfAWholeFile)
{
    const QStringList values = QStringLiteral("Spawacz kat_dane=|Hałas id=|Pył ident=|x frm_dane=|T aktual=|"
                                              "Protokół wer_dok=|rodzinf=\"7\"|Skutki Wartosc=|Hala \"A\"|&quot;|"
                                              "A &amp; B|<stanowisko id=\"9\">|a > b| ąćęłńóśźż |„€…‰Šś”")
                                   .split('|');
    const std::pair<const char *, std::function<QByteArray(QByteArray)>> shapes[] = {
        {"as written", [](QByteArray b) { return b; }},
        {"LF", [](QByteArray b) { return b.replace("\r\n", "\n"); }},
        {"CR CR LF", [](QByteArray b) { return b.replace("\r\n", "\r\r\n"); }},
        {"CR", [](QByteArray b) { return b.replace("\r\n", "\r"); }},
        {"blank line after the declaration", [](QByteArray b) { return b.insert(b.indexOf("\r\n") + 2, "\r\n"); }},
        {"blank lines after the end", [](QByteArray b) { return b + "\r\n \t\r\n"; }},
        {"Ctrl-Z", [](QByteArray b) { return b + "\x1a"; }},
        {"NULs", [](QByteArray b) { return b + QByteArray(64, '\0'); }},
        {"no last line end", [](QByteArray b) { return b.left(b.size() - 2); }},
    };
    for (const FileKind &kind : fileKinds()) {
        for (const QString &v : values) {
            FixtureFolder fx;
            testsupport::ScriptedPrompter boxes;
            ASSERT_TRUE(kind.write(fx, v)) << kind.name;
            const QByteArray whole = fx.Read(kind.file);
            for (const auto &[shape, reshape] : shapes) {
                fx.Write(kind.file, reshape(whole));
                for (const QString &read : readBack(kind))
                    EXPECT_EQ(read.toStdString(), v.toStdString()) << kind.name << ", " << shape;
            }
            fx.Write(kind.file, whole.left(whole.lastIndexOf("</")));
            EXPECT_TRUE(readBack(kind).join('|').startsWith("damaged")) << kind.name;
        }
    }
}

TEST(StoredTexts, AWriterRefusesATextItCannotStoreAndNamesIt)
{
    // A "</" ends the element texts these files hold; a line break ends a line.
    for (const int k : {1, 2, 4, 5, 6}) {
        FixtureFolder fx;
        const QString refused = fileKinds()[k].write(fx, "a</b").message();
        EXPECT_TRUE(refused.startsWith("Nie zapisano pliku") && refused.contains("\"a</b\"")) << fileKinds()[k].name;
        EXPECT_FALSE(fx.Exists(fileKinds()[k].file)) << fileKinds()[k].name;
    }
    WorkstationList list;
    list.push_back(std::make_unique<TStanowisko>("1", "dwa\nwiersze", "stan_1"));
    EXPECT_TRUE(WriteWorkstationList("dane\\", list).message().contains("podział wiersza"));
    list[0]->nazwa = QStringLiteral("Ж");
    EXPECT_TRUE(WriteWorkstationList("dane\\", list).message().contains("Windows-1250"));
}

TEST(PathMessages, AFolderInAFilesPlaceAWrongRootAndAFolderThatCannotBeMadeAreEachNamed)
{
    const QString folderAt = QStringLiteral("damaged: Zamiast pliku jest katalog o tej nazwie : ");
    const QString notMade = QStringLiteral("Nie powiodła się próba utworzenia katalogu : ");
    const QString wrongRoot = QStringLiteral("damaged: Plik nie jest oczekiwanego rodzaju (element główny <%1> "
                                             "zamiast <%2>) : %3");
    // The kind and the folder it writes into as its writer names it; wrong roots that miss the
    // right one by a letter, either way.
    const std::pair<size_t, const char *> cases[] = {
        {0, "dane\\"}, {1, "dane\\stan_1"}, {3, "dane\\"}, {4, "dane\\k\\"}};
    for (const auto &[k, made] : cases) {
        FixtureFolder fx;
        testsupport::ScriptedPrompter boxes;
        const FileKind &kind = fileKinds()[k];
        const QString path = QString(kind.file).replace('/', '\\'), place = QFileInfo(kind.file).path();
        fx.Write(QString(kind.file) + "/x", "");
        EXPECT_EQ(readBack(kind).join('|').toStdString(), (folderAt + path).toStdString()) << kind.name;
        QDir(fx.FilePath(place)).removeRecursively();
        fx.Write(place, "plik");
        EXPECT_EQ(kind.write(fx, "Biuro").message().toStdString(), (notMade + made).toStdString()) << kind.name;
        QFile::remove(fx.FilePath(place));
        const QString root = QFileInfo(kind.file).baseName();
        for (const QString &other : {root.chopped(1), root + '7'}) {
            fx.WriteText(kind.file, kDecl + QStringLiteral("<%1 ver='1.0'>\n</%1>\n").arg(other));
            EXPECT_EQ(readBack(kind).join('|').toStdString(), wrongRoot.arg(other, root, path).toStdString())
                << kind.name;
        }
    }
}
