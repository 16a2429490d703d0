#pragma once

// Every writer of a file the program keeps, with the files it writes (stored paths, in the
// order written) and, for each file kind, its reader, on a fixture where each has written
// them once: the write-fault and stored-text tests run through all of them, so a fault is
// tested for the class, not for one writer.

#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/measurement_files.h"
#include "storage/risk_score_files.h"
#include "storage/workstation_files.h"
#include "tests/storage/measurement_test_support.h"

#include <QDirIterator>
#include <QMap>
#include <functional>

namespace storagetest {

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
inline QStringList ReadBack(const WriterCase &c)
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
        storage::TCzynnik &f = *w.Factors[0].factor;
        for (QString *t : {&w.nazwa, &w.Kod, &w.DataRej, &w.Lokalizacja, &w.NrRegon, &w.NrRej, &w.Opis, &f.nazwa,
                           &f.ident, &f.ver_pom, &f.aktual, &f.szkod, &list[0]->id, &list[0]->nazwa,
                           &list[0]->kat_dane, &newList[1]->Opis, &def.PData, &def.PRodzInf, &def.Katalog, &plik,
                           &entries[0]->data, &entries[0]->rodzinf, &entries[0]->wer_dok, &items[0]->Values[0].wartosc,
                           &own[0]->nazwa, &own[0]->ver_pom, &own[0]->frm_dane, &own[0]->aktual, &own[0]->szkod})
            *t = text;
        w.Employment[0] = storage::TZatrudn(text, text, text, text, text, text, text);
        for (storage::TCzynnik *factor : {&a, &b}) {
            storage::TPomiarCzynn &m = *factor->Measurements[0];
            for (QString *t : {&m.data, &m.mscPom, &m.wykpom, &m.metpom, &m.interwyn, &m.srodogrryz})
                *t = text;
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

} // namespace storagetest
