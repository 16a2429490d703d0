#pragma once

// Every writer of a file the program keeps, on a fixture where each has written its files
// once: what the write-fault tests run through, so a fault is tested for the class, not
// for one writer.

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
#include <vector>

namespace storagetest {

struct WriterCase
{
    QString name;
    QStringList files;               // stored paths, in the order the writer writes them
    std::function<QString()> write;  // the failure's message; empty on success
    std::function<void()> read;      // the program's reading of the files; none: no reader finds damage
    bool firstSave = false;          // its first file (and folder) is not there before it
};

class EveryWriter
{
public:
    explicit EveryWriter(const testsupport::FixtureFolder &fx) : m_fx(fx)
    {
        using namespace storage;
        list.push_back(std::make_unique<TStanowisko>("1", "Spawalnia", "stan_1"));
        newList.push_back(std::make_unique<TStanowisko>("1", "Spawalnia", "stan_1"));
        newList.push_back(std::make_unique<TStanowisko>("2", "Lakiernia", "stan_2"));
        entries.push_back(std::make_unique<TListDokum>(1, "2024-01-02", "Nowak", "1"));
        items.push_back(std::make_unique<TDokum>(1, 1, 0, 0, 0, "", "Nazwisko", "edit", "", "", "", "", ""));
        items[0]->Values.emplace_back(1, "Nowak");
        own.push_back(std::make_unique<TCzynnik>("Wibracje", "fiz", 100001, "1.0", "met5Krok", "1", "N"));
        fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly ver=\"1.0\">\n</czynpyly>\n");
        for (TCzynnik *f : {&a, &b}) {
            WriteTestForm(fx, f->frm_dane, "1", "<pole nazwa=\"cbSumNDS\" typ=\"checkbox\">False</pole>\n");
            AddMeasurement(f->Measurements,
                           MakeMeasurement(f->frm_dane, f->id, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
        }
        for (int i = 0; i < TRiskScore::BandCount; ++i) {
            risk.Ryzyko[size_t(i)] = float(10 * i);
            risk.SterRyz[size_t(i)] = quint16(10 * std::min(i + 1, 4));
        }
        for (quint16 typ : {RiskScoreProbability, RiskScoreExposure, RiskScoreConsequences})
            risk.Params.emplace_back(typ, 1, "Opis", "", "", 1.5f);
        QDir().mkpath(fx.FilePath("zaklocen/frm/zalaczn"));
        fx.WriteText("Tarvelin.ini", "; obce wpisy zostają bajt w bajt\n[frmMain]\nfrmMain.Top=5\n");
        ini.Load();

        const QString list1 = "dane\\struktura_dane.xml", data1 = "dane\\stan_1\\stanowisko_dane.xml";
        const QString docList = "dane\\x_lista.xml", docData = "dane\\x\\x_dane_1.xml";
        const QString dustA = "dane\\stan_1\\pyly_apatytow_dane.xml", dustB = "dane\\stan_1\\pyly_cementow_dane.xml";
        const QString ownFile = "poradn\\czynfizWl.xml";
        const auto readList = [list1] {
            WorkstationList l;
            QString version, damage;
            ReadWorkstationList(list1, l, version, &damage);
        };
        const auto readData = [data1] {
            TStanowisko target("1", "Spawalnia", "stan_1");
            swallow([&] { ReadWorkstationData(data1, target, WorkstationReadOptions::AllFactors()); });
        };
        const auto readDocList = [docList] {
            TListDokumList l;
            swallow([&] { ReadDocumentList(docList, l, QString()); });
        };
        const auto readDocData = [this] { ReadDocumentData("dane\\", "x\\", "x_dane_1.xml", items); };
        cases = {
            {"lista stanowisk", {list1}, [this] { return WriteWorkstationList("dane\\", list).message(); }, readList},
            {"stanowisko", {data1}, [this] { return WriteWorkstationData("dane\\", w).message(); }, readData},
            {"stanowisko z listą",
             {data1, list1},
             [this] { return WriteWorkstationWithList("dane\\", w, list).message(); },
             [=] { readList(), readData(); }},
            {"nowe stanowisko z listą",
             {"dane\\stan_2\\stanowisko_dane.xml", list1},
             [this] { return WriteWorkstationWithList("dane\\", *newList[1], newList).message(); },
             nullptr,
             true},
            {"pomiary pyłów",
             {dustA, dustB},
             [this] { return WriteMeasurements({kFolder, QString(), &a, {&a, &b}, {&a, &b}}).message(); },
             [this] {
                 for (TCzynnik *f : {&a, &b}) {
                     TMeasurementList read;
                     swallow([&] { ReadMeasurements(kFolder, f->frm_dane, read, f->id, kForms); });
                 }
             }},
            {"lista dokumentów",
             {docList},
             [this] { return WriteDocumentList("dane\\", "x_lista", {}, "x_dane.xml", entries).message(); },
             readDocList},
            {"dokument", {docData}, [this] { return WriteDocumentData("dane\\", "x\\", "x_dane_1", items).message(); },
             readDocData},
            {"dokument z listą",
             {docData, docList},
             [this] {
                 return WriteDocumentWithList({"dane\\", "x\\", "x_dane_1", items, {}}, "x_lista", {}, "x_dane.xml",
                                              entries)
                     .message();
             },
             [=] { readDocList(), readDocData(); }},
            {"nowy rodzaj dokumentu z listą",
             {"dane\\y\\y_dane_1.xml", "dane\\y_lista.xml"},
             [this] {
                 return WriteDocumentWithList({"dane\\", "y\\", "y_dane_1", items, {}}, "y_lista", {}, "y_dane.xml",
                                              entries)
                     .message();
             },
             nullptr,
             true},
            {"czynniki własne",
             {ownFile},
             [this] { return WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", own).message(); },
             [ownFile] {
                 QString damage;
                 ReadFactorList(ownFile, "fiz", false, &damage);
             }},
            {"Risk Score", RiskScorePaths(), [this] { return WriteRiskScore(risk).message(); },
             [] { ReadRiskScore(0); }},
            {"plik ini", {"Tarvelin.ini"},
             [this] { return ini.Save() ? QString() : platform::FileAccessErrorText("Tarvelin.ini"); }, nullptr},
        };
        for (const WriterCase &c : cases)
            if (!c.firstSave)
                c.write();
    }

    // Every text the writers write becomes text, so that each next write differs.
    void Change(const QString &text)
    {
        w.nazwa = w.Opis = list[0]->nazwa = newList[1]->Opis = text;
        entries[0]->rodzinf = items[0]->Values[0].wartosc = own[0]->nazwa = text;
        a.Measurements[0]->mscPom = b.Measurements[0]->mscPom = text;
        risk.Opis[0] = text;
        for (auto &row : risk.Params)
            row.OpisPodst = text;
        ini.WriteString("frmMain", "Tekst", text);
    }

    // Every file and folder below the fixture with its bytes ("/" for a folder).
    QMap<QString, QByteArray> AllFiles() const
    {
        QMap<QString, QByteArray> out;
        for (QDirIterator it(m_fx.Path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile f(it.next());
            out[QDir(m_fx.Path()).relativeFilePath(f.fileName())] =
                it.fileInfo().isDir() ? QByteArray("/") : f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
        }
        return out;
    }

    static void swallow(const std::function<void()> &read)
    {
        try {
            read();
        } catch (const platform::TarvelinError &) {
        }
    }

    std::vector<WriterCase> cases;

private:
    const testsupport::FixtureFolder &m_fx;
    storage::TStanowisko w{"1", "Spawalnia", "stan_1"};
    storage::WorkstationList list, newList;
    storage::TListDokumList entries;
    storage::TDokumList items;
    storage::TCzynnikList own;
    storage::TCzynnik a{"Apatyty", "pyly", 25010, "1", "pyly_apatytow", "T", "T"};
    storage::TCzynnik b{"Cement", "pyly", 25040, "1", "pyly_cementow", "T", "T"};
    storage::TRiskScore risk;
    platform::IniFile ini{m_fx.FilePath("Tarvelin.ini")};
};

} // namespace storagetest
