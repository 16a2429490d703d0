// Every writer of a file the program keeps, with its files and, for each file kind, its
// reader; each class of fault is tried on all of them: a text that looks like an attribute,
// a tag or an escape reads back as typed from every shape a whole file can have; what a file
// cannot hold or where it cannot be is named; every fault a save meets, on every file of every
// writer as an ordinary user (root would write a read-only file anyway), leaves every file
// byte for byte, nothing beside them and no folder made.
#include "platform/file_replacement.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/damaged_files.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/measurement_files.h"
#include "storage/risk_score_files.h"
#include "storage/storage_errors.h"
#include "storage/workstation_files.h"
#include "tests/storage/measurement_test_support.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <functional>
#include <gtest/gtest.h>

using namespace storagetest;
using platform::FileAccessErrorText;
using testsupport::FixtureFolder;

namespace {

struct WriterCase
{
    QString name;
    QStringList files;
    std::function<QString()> write; // the failure's message; empty on success
    bool firstSave = false;         // its first file and folder are not there yet
    // Of a file kind: every text Change wrote, as its reader reads the files back.
    std::function<QStringList()> read = {};
};

// What a reader gives, or "damaged: " and why it refused the file.
QStringList ReadBack(const WriterCase &c)
{
    try {
        return c.read();
    } catch (const platform::TarvelinError &e) {
        return {QStringLiteral("damaged: ") + e.message()};
    }
}

class EveryWriter
{
public:
    explicit EveryWriter(const testsupport::FixtureFolder &folder) : fx(folder)
    {
        using namespace storage;
        for (auto *l : {&list, &newList})
            l->push_back(std::make_unique<TStanowisko>("1", "Spawalnia", "stan_1"));
        newList.push_back(std::make_unique<TStanowisko>("2", "Lakiernia", "stan_2"));
        w.AddEmployment(TZatrudn("2024", "1", "1", "0", "0", "0", "0"));
        w.AddFactor(std::make_unique<TCzynnik>("Hałas", "fiz", 100001, "1.0", "met5Krok", "T", "N"));
        entries.push_back(std::make_unique<TListDokum>(1, "2024-01-02", "Nowak", "1"));
        const auto documentItems = [] {
            TDokumList items;
            items.push_back(std::make_unique<TDokum>(1, 1, 0, 0, 0, "", "Nazwisko", "edit", "", "", "", "", ""));
            items[0]->Values.emplace_back(1, QString());
            return items;
        };
        items = documentItems();
        own.push_back(std::make_unique<TCzynnik>("Wibracje", "fiz", 100001, "1.0", "met5Krok", "1", "N"));
        fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly ver=\"1.0\">\n</czynpyly>\n");
        for (TCzynnik *f : {&a, &b}) {
            WriteTestForm(fx, f->frm_dane, "1", "<pole nazwa=\"cbSumNDS\" typ=\"checkbox\">False</pole>\n");
            AddMeasurement(f->Measurements,
                           MakeMeasurement(f->frm_dane, f->id, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
        }
        for (size_t i = 0; i < TRiskScore::BandCount; ++i)
            risk.SterRyz[i] = quint16(10 * std::min<size_t>(i + 1, 4)), risk.Ryzyko[i] = float(10 * i);
        for (quint16 typ : {RiskScoreProbability, RiskScoreExposure, RiskScoreConsequences})
            risk.Params.emplace_back(typ, 1, "Opis", "", "", 1.5f);
        QDir().mkpath(fx.FilePath("zaklocen/frm/zalaczn"));
        fx.WriteText("Tarvelin.ini", "; obce wpisy zostają bajt w bajt\n[frmMain]\nfrmMain.Top=5\n");
        ini.Load();

        const QString d = "dane\\", list1 = "dane\\struktura_dane.xml", stan1 = "dane\\stan_1\\stanowisko_dane.xml";
        const QString docList = "dane\\x_lista.xml", doc = "dane\\x\\x_dane_1.xml", own1 = "poradn\\czynfizWl.xml";
        const QString dustA = kFolder + "pyly_apatytow_dane.xml", dustB = kFolder + "pyly_cementow_dane.xml";
        // clang-format off
        const auto doc2 = [this](const QString &k) {
            return WriteDocumentWithList({"dane\\", k + "\\", k + "_dane_1", items, {}}, k + "_lista", def, plik, entries).message();
        };
        cases = {
            {"lista stanowisk", {list1}, [=, this] { return WriteWorkstationList(d, list).message(); }, false, [=] {
                WorkstationList back;
                QString version, damage;
                ReadWorkstationList(list1, back, version, &damage);
                return damage.isEmpty() ? QStringList{back.at(0)->id, back[0]->nazwa, back[0]->kat_dane}
                                        : QStringList{"damaged: " + damage.section('\n', 0, 0)};
            }},
            {"stanowisko", {stan1}, [=, this] { return WriteWorkstationData(d, w).message(); }, false, [=] {
                TStanowisko back("1", "", "stan_1");
                ReadWorkstationData(stan1, back, WorkstationReadOptions::AllFactors());
                const TCzynnik &f = *back.Factors.at(0).factor;
                return QStringList{back.Kod, back.DataRej, back.Lokalizacja, back.NrRegon, back.NrRej, back.Opis}
                       << back.Employment.at(0).Columns() << QStringList{f.nazwa, f.ident, f.ver_pom, f.aktual, f.szkod};
            }},
            {"stanowisko z listą", {stan1, list1}, [=, this] { return WriteWorkstationWithList(d, w, list).message(); }},
            {"nowe stanowisko", {"dane\\stan_2\\stanowisko_dane.xml", list1}, [=, this] { return WriteWorkstationWithList(d, *newList[1], newList).message(); }, true},
            {"pomiary pyłów", {dustA, dustB}, [this] { return WriteMeasurements({kFolder, QString(), &a, {&a, &b}, {&a, &b}}).message(); }, false, [this] {
                QStringList read;
                for (const TCzynnik *f : {&a, &b}) {
                    TMeasurementList back;
                    ReadMeasurements(kFolder, f->frm_dane, back, f->id, kForms);
                    const TPomiarCzynn &m = *back.at(0);
                    read << m.data << m.mscPom << m.wykpom << m.metpom << m.interwyn << m.srodogrryz;
                    for (const char *field : {"PEWartZm", "Rodz", "Opis"})
                        read << FindField(m.Fields, field)->Value;
                }
                return read;
            }},
            {"lista dokumentów", {docList}, [=, this] { return WriteDocumentList(d, "x_lista", def, plik, entries).message(); }, false, [=] {
                TDocumentDefinition back;
                TListDokumList read;
                ReadDocumentList(docList, read, "", &back);
                return QStringList{back.PData, back.PRodzInf, back.Katalog, back.Plik, read.at(0)->data, read[0]->rodzinf, read[0]->wer_dok};
            }},
            {"dokument", {doc}, [=, this] { return WriteDocumentData(d, "x\\", "x_dane_1", items).message(); }, false, [=] {
                TDokumList back = documentItems();
                const StorageResult r = ReadDocumentData("dane\\", "x\\", "x_dane_1.xml", back);
                return QStringList{r ? back[0]->Values[0].wartosc : "damaged: " + r.message()};
            }},
            {"dokument z listą", {doc, docList}, [=] { return doc2("x"); }},
            {"nowy rodzaj dokumentu", {"dane\\y\\y_dane_1.xml", "dane\\y_lista.xml"}, [=] { return doc2("y"); }, true},
            {"czynniki własne", {own1}, [=, this] { return WriteOwnFactorList(own1, "czynfiz", own).message(); }, false, [=] {
                QString damage;
                const TCzynnikList back = ReadFactorList(own1, "fiz", false, &damage);
                return damage.isEmpty() ? QStringList{back.at(0)->nazwa, back[0]->ver_pom, back[0]->frm_dane, back[0]->aktual, back[0]->szkod}
                                        : QStringList{"damaged: " + damage};
            }},
            {"Risk Score", RiskScorePaths(), [this] { return WriteRiskScore(risk).message(); }, false, [] {
                const TRiskScoreReadResult back = ReadRiskScore(1);
                if (!back.Problems.empty() || back.Set.Params.size() != 3)
                    return QStringList{"damaged: " + (back.Problems.empty() ? QString() : back.Problems[0].Detail)};
                QStringList read(back.Set.Opis.begin(), back.Set.Opis.end());
                for (const TRiskScoreParam &p : back.Set.Params)
                    read << p.OpisPodst << p.OpisUszcz1 << p.OpisUszcz2;
                return read;
            }},
            {"plik ini", {"Tarvelin.ini"}, [this] { return ini.Save() ? QString() : platform::FileAccessErrorText("Tarvelin.ini"); }},
        };
        // clang-format on
        for (const WriterCase &c : cases)
            if (!c.firstSave)
                c.write();
    }

    const WriterCase &Case(const QString &name) const
    {
        return *std::find_if(cases.begin(), cases.end(), [&](const WriterCase &c) { return c.name == name; });
    }

    // Every text the writers write becomes text, so that each next write differs.
    void Change(const QString &text)
    {
        storage::TCzynnik &f = *w.Factors[0].factor, &o = *own[0];
        const auto set = [&text](std::initializer_list<QString *> texts) {
            for (QString *t : texts)
                *t = text;
        };
        set({&w.nazwa, &w.Kod, &w.DataRej, &w.Lokalizacja, &w.NrRegon, &w.NrRej, &w.Opis, &newList[1]->Opis});
        set({&f.nazwa, &f.ident, &f.ver_pom, &f.aktual, &f.szkod, &o.nazwa, &o.ver_pom, &o.frm_dane, &o.aktual,
             &o.szkod});
        set({&list[0]->id, &list[0]->nazwa, &list[0]->kat_dane, &def.PData, &def.PRodzInf, &def.Katalog, &plik});
        set({&entries[0]->data, &entries[0]->rodzinf, &entries[0]->wer_dok, &items[0]->Values[0].wartosc});
        w.Employment[0] = storage::TZatrudn(text, text, text, text, text, text, text);
        for (storage::TCzynnik *factor : {&a, &b}) {
            storage::TPomiarCzynn &m = *factor->Measurements[0];
            set({&m.data, &m.mscPom, &m.wykpom, &m.metpom, &m.interwyn, &m.srodogrryz});
            for (const char *field : {"PEWartZm", "Rodz", "Opis"})
                storage::FindField(m.Fields, field)->Value = text;
        }
        risk.Opis.fill(text);
        for (auto &row : risk.Params)
            row.OpisPodst = row.OpisUszcz1 = row.OpisUszcz2 = text;
        ini.WriteString("frmMain", "Tekst", text);
    }

    // Every file and folder below the fixture with its bytes ("/" for a folder).
    QMap<QString, QByteArray> AllFiles() const
    {
        QMap<QString, QByteArray> out;
        for (QDirIterator it(fx.Path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile f(it.next());
            out[f.fileName()] = it.fileInfo().isDir() ? "/" : f.open(QIODevice::ReadOnly) ? f.readAll() : "?";
        }
        return out;
    }

    const testsupport::FixtureFolder &fx;
    std::vector<WriterCase> cases;

private:
    storage::TStanowisko w{"1", "Spawalnia", "stan_1"};
    storage::WorkstationList list, newList;
    storage::TListDokumList entries;
    storage::TDokumList items;
    storage::TDocumentDefinition def;
    QString plik = "x_dane.xml";
    storage::TCzynnikList own;
    storage::TCzynnik a{"Apatyty", "pyly", 25010, "1", "pyly_apatytow", "T", "T"};
    storage::TCzynnik b{"Cement", "pyly", 25040, "1", "pyly_cementow", "T", "T"};
    storage::TRiskScore risk;
    platform::IniFile ini{fx.FilePath("Tarvelin.ini")};
};

using Fault = std::function<QString(EveryWriter &, const WriterCase &, int k, const QString &text)>;

// File k of a save spoilt by make (given its path on disk and the name the program gives it):
// the save is refused with expected (of its first file on a full disk: a child process whose
// files cannot grow), every file as it was; mended, it is written again. What went wrong.
Fault Spoilt(void (*make)(const QString &, const QString &), QString (*expected)(const QString &),
             bool fullDisk = false)
{
    return [=](EveryWriter &w, const WriterCase &c, int k, const QString &) {
        const QString file = c.files[k], path = w.fx.FilePath(file);
        const QByteArray bytes = w.fx.Read(file);
        if (make)
            make(path, file);
        const auto before = w.AllFiles();
        const QString message =
            fullDisk ? QString::fromUtf8(testsupport::RunInChild([&] { return c.write().toUtf8(); }, true)) : c.write();
        const bool kept = message == expected(c.files[fullDisk ? 0 : k]) && w.AllFiles() == before;
        QDir(path).removeRecursively(), QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        if (!c.firstSave)
            w.fx.Write(file, bytes), storage::MarkFileReadWhole(file);
        return (kept ? QString() : message) + (c.firstSave ? QString() : c.write());
    };
}

// File k a symbolic link: the save writes through it and leaves nothing beside either end.
QString linked(EveryWriter &w, const WriterCase &c, int k, const QString &text)
{
    const QFileInfo link(w.fx.FilePath(c.files[k]));
    const QDir elsewhere(w.fx.FilePath("gdzie indziej"));
    const QString target = elsewhere.filePath(link.fileName());
    (void)(QDir().mkpath(elsewhere.path()) && QFile::rename(link.filePath(), target) &&
           QFile::link(target, link.filePath()));
    const QString message = c.write();
    const bool through = QFileInfo(link.filePath()).isSymLink() && w.fx.Read(c.files[k]).contains(text.toUtf8());
    const QStringList beside = link.dir().entryList({link.fileName() + ".*"}, QDir::Files | QDir::Hidden) +
                               elsewhere.entryList({link.fileName() + ".*"}, QDir::Files | QDir::Hidden);
    (void)(QFile::remove(link.filePath()) && QFile::rename(target, link.filePath()));
    return message.isEmpty() && through && beside.isEmpty() ? QString() : message + " (obok) " + beside.join(' ');
}

// Rename k + 1 of the save fails, or the program is killed there (the process ends as a kill
// would end it); after the last file, also at the step that makes the save done.
template <bool killed> QString stopped(EveryWriter &w, const WriterCase &c, int k, const QString &)
{
    QString found;
    for (int step = k + 1; step <= k + 1 + (k + 1 == c.files.size()); ++step) {
        const auto before = w.AllFiles();
        platform::SetRenameHookForTests([step](int at) { return at != step || (killed && (::_exit(0), 0)); });
        if (killed) {
            testsupport::RunInChild([&] { return c.write().toUtf8(); });
            // The next run: each reader clears the folder of its file first (once in a run, so
            // not through the readers here).
            testsupport::RunInChild([&] {
                for (const QString &file : c.files)
                    platform::RemoveInterruptedSaves(QFileInfo(w.fx.FilePath(file)).path(),
                                                     [](const QString &name) { return name.endsWith(".xml"); });
                return QByteArray();
            });
        }
        const QString message = killed ? FileAccessErrorText(c.files[k]) : c.write();
        platform::SetRenameHookForTests({});
        if (message != FileAccessErrorText(c.files[k]) || w.AllFiles() != before)
            found += QStringLiteral("krok %1: %2 ").arg(step).arg(message);
    }
    return found;
}

} // namespace

// Each text in every shape a whole file can have (a file cut short: each reader's own test
// and cut_files_test). A "</" ends the element texts of all but the lists.
TEST(StoredTexts, AttributeLikeTextReadsBackAsTypedFromEveryShapeOfAWholeFileOrIsRefused)
{
    const QStringList values = QStringLiteral("Spawacz kat_dane=|Hałas id=|Pył ident=|x frm_dane=|T aktual=|"
                                              "Protokół wer_dok=|rodzinf=\"7\"|Skutki Wartosc=|Hala \"A\"|&quot;|"
                                              "A &amp; B|<stanowisko id=\"9\">|a > b| ąćęłńóśźż |„€…‰Šś”|a</b")
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
    for (const QString &v : values) {
        FixtureFolder fx;
        EveryWriter writers(fx);
        writers.Change(v);
        for (const WriterCase &c : writers.cases) {
            if (!c.read)
                continue;
            const auto before = writers.AllFiles();
            const QString refused = c.write();
            EXPECT_EQ(!refused.isEmpty(), v == "a</b" && !c.name.startsWith("lista"))
                << qPrintable(c.name + ": " + refused);
            if (!refused.isEmpty()) {
                EXPECT_TRUE(refused.startsWith("Nie zapisano pliku") && refused.contains("\"a</b\"") &&
                            writers.AllFiles() == before)
                    << qPrintable(c.name + ": " + refused);
                continue;
            }
            for (const QString &file : c.files) {
                const QByteArray whole = fx.Read(file);
                for (const auto &[shape, reshape] : shapes) {
                    fx.Write(file, reshape(whole));
                    for (const QString &read : ReadBack(c))
                        EXPECT_EQ(read.toStdString(), v.toStdString())
                            << qPrintable(c.name + ", " + file + ", " + shape);
                }
                fx.Write(file, whole);
                // Of a kind whose root is named as its file: a folder in its place is named, and a
                // root missing the name by a letter either way (which the measurement readers, made
                // to skip the root line that installed files have always spoilt, read past).
                const QString path = fx.FilePath(file), root = QFileInfo(path).completeBaseName();
                const QByteArray rootBytes = root.toUtf8();
                if (!whole.contains("\n<" + rootBytes + " "))
                    continue;
                for (const QString &other :
                     c.name.startsWith("pomiary") ? QStringList() : QStringList{root.chopped(1), root + '7'}) {
                    fx.Write(file, QByteArray(whole)
                                       .replace("<" + rootBytes, "<" + other.toUtf8())
                                       .replace("/" + rootBytes + ">", "/" + other.toUtf8() + ">"));
                    EXPECT_EQ(ReadBack(c).join('|').toStdString(),
                              "damaged: " + storage::WrongRootText(file, other, root).toStdString());
                }
                QFile::remove(path), QDir().mkpath(path);
                EXPECT_EQ(ReadBack(c).join('|').toStdString(),
                          "damaged: " + storage::FolderInPlaceOfFileText(file).toStdString());
                QDir(path).removeRecursively();
                fx.Write(file, whole);
            }
        }
    }
    // A line break ends a line of the list; a letter outside the code page cannot be written.
    FixtureFolder fx;
    EveryWriter writers(fx);
    for (const auto &[text, why] : {std::pair("dwa\nwiersze", "podział wiersza"), std::pair("Ж", "Windows-1250")}) {
        writers.Change(QString::fromUtf8(text));
        EXPECT_TRUE(writers.Case("lista stanowisk").write().contains(QString::fromUtf8(why))) << why;
    }
}

// Written, a folder that cannot be made is named.
TEST(PathMessages, AFolderThatCannotBeMadeIsNamed)
{
    const std::pair<const char *, const char *> cases[] = {// a kind, the folder its writer makes
                                                           {"lista stanowisk", "dane\\"},
                                                           {"stanowisko", "dane\\stan_1"},
                                                           {"lista dokumentów", "dane\\"},
                                                           {"dokument", "dane\\x\\"}};
    for (const auto &[name, made] : cases) {
        FixtureFolder fx;
        EveryWriter writers(fx);
        const WriterCase &kind = writers.Case(QString::fromUtf8(name));
        const QString place = QFileInfo(fx.FilePath(kind.files[0])).path();
        QDir(place).removeRecursively();
        fx.Write(QDir(fx.Path()).relativeFilePath(place), "plik");
        EXPECT_EQ(kind.write(), storage::FolderNotCreatedText(made)) << name;
    }
}

TEST(WriteFaults, EveryWriterKeepsEveryFileUnderEveryFaultOnEachOfItsFiles)
{
    // Each fault with the writers it meets: all, those whose files are there, those writing
    // data files a reader checks, those writing several files.
    using Meets = bool (*)(const WriterCase &);
    const Meets all = [](const WriterCase &) { return true; }, there = [](const WriterCase &c) { return !c.firstSave; };
    const Meets dataFiles = [](const WriterCase &c) { return !c.firstSave && c.files[0].endsWith(".xml"); };
    const Meets several = [](const WriterCase &c) { return c.files.size() > 1; };
    const auto readOnly = [](const QString &path, const QString &) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    };
    const auto folder = [](const QString &path, const QString &) { QFile::remove(path), QDir().mkpath(path); };
    // Every writer asks first whether a reader found the file damaged (each reader's finding
    // is tested with the reader).
    const auto damaged = [](const QString &, const QString &file) { storage::MarkFileDamaged(file); };
    const std::tuple<const char *, Fault, Meets> faults[] = {
        {"dysk", Spoilt(nullptr, FileAccessErrorText, true), all},
        {"zapis", Spoilt(readOnly, FileAccessErrorText), there},
        {"katalog", Spoilt(folder, storage::FolderInPlaceOfFileText), dataFiles},
        {"uszkodzony", Spoilt(damaged, storage::DamagedFileRefusalText), dataFiles},
        {"dowiązanie", linked, there},
        {"zmiana nazwy", stopped<false>, several},
        {"przerwany", stopped<true>, several}};
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    const QByteArray wrong = testsupport::RunAsOrdinaryUser(fx.Path(), [&] {
        QStringList out;
        int n = 0;
        for (const auto &[name, fault, meets] : faults)
            for (const WriterCase &c : writers.cases)
                for (int k = 0; meets(c) && k < c.files.size(); ++k) {
                    const QString text = QStringLiteral("Tekst %1").arg(++n);
                    writers.Change(text);
                    if (const QString found = fault(writers, c, k, text); !found.isEmpty())
                        out << QStringLiteral("%1 %2, %3, %4: %5").arg(n).arg(name, c.name, c.files[k], found);
                }
        return out.join('\n').toUtf8();
    });
    EXPECT_EQ(wrong.toStdString(), "");
}
