#pragma once

// Every writer of a file the program keeps, with the files it writes (stored paths, in the
// order written), on a fixture where each has written them once: the write-fault tests run
// through all of them, so a fault is tested for the class, not for one writer.

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
};

class EveryWriter
{
public:
    explicit EveryWriter(const testsupport::FixtureFolder &folder) : fx(folder)
    {
        using namespace storage;
        for (auto *l : {&list, &newList})
            l->push_back(std::make_unique<TStanowisko>("1", "Spawalnia", "stan_1"));
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
            return WriteDocumentWithList({"dane\\", k + "\\", k + "_dane_1", items, {}}, k + "_lista", {}, k + "_dane.xml", entries).message();
        };
        cases = {
            {"lista stanowisk", {list1}, [=, this] { return WriteWorkstationList(d, list).message(); }},
            {"stanowisko", {stan1}, [=, this] { return WriteWorkstationData(d, w).message(); }},
            {"stanowisko z listą", {stan1, list1}, [=, this] { return WriteWorkstationWithList(d, w, list).message(); }},
            {"nowe stanowisko", {"dane\\stan_2\\stanowisko_dane.xml", list1}, [=, this] { return WriteWorkstationWithList(d, *newList[1], newList).message(); }, true},
            {"pomiary pyłów", {dustA, dustB}, [this] { return WriteMeasurements({kFolder, QString(), &a, {&a, &b}, {&a, &b}}).message(); }},
            {"lista dokumentów", {docList}, [=, this] { return WriteDocumentList(d, "x_lista", {}, "x_dane.xml", entries).message(); }},
            {"dokument", {doc}, [=, this] { return WriteDocumentData(d, "x\\", "x_dane_1", items).message(); }},
            {"dokument z listą", {doc, docList}, [=] { return doc2("x"); }},
            {"nowy rodzaj dokumentu", {"dane\\y\\y_dane_1.xml", "dane\\y_lista.xml"}, [=] { return doc2("y"); }, true},
            {"czynniki własne", {own1}, [=, this] { return WriteOwnFactorList(own1, "czynfiz", own).message(); }},
            {"Risk Score", RiskScorePaths(), [this] { return WriteRiskScore(risk).message(); }},
            {"plik ini", {"Tarvelin.ini"}, [this] { return ini.Save() ? QString() : platform::FileAccessErrorText("Tarvelin.ini"); }},
        };
        // clang-format on
        for (const WriterCase &c : cases)
            if (!c.firstSave)
                c.write();
    }

    // Every text the writers write becomes text, so that each next write differs.
    void Change(const QString &text)
    {
        w.nazwa = w.Opis = list[0]->nazwa = newList[1]->Opis = risk.Opis[0] = text;
        entries[0]->rodzinf = items[0]->Values[0].wartosc = own[0]->nazwa = text;
        a.Measurements[0]->mscPom = b.Measurements[0]->mscPom = text;
        for (auto &row : risk.Params)
            row.OpisPodst = text;
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
    storage::TCzynnikList own;
    storage::TCzynnik a{"Apatyty", "pyly", 25010, "1", "pyly_apatytow", "T", "T"};
    storage::TCzynnik b{"Cement", "pyly", 25040, "1", "pyly_cementow", "T", "T"};
    storage::TRiskScore risk;
    platform::IniFile ini{fx.FilePath("Tarvelin.ini")};
};

} // namespace storagetest
