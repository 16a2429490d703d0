// Every writer of a data file on a full disk (a child process whose files cannot grow): the
// old files stay byte for byte, the failure names the file, nothing is left beside them; a
// save of two files failing at the second leaves the first as it was too.
#include "platform/inifile.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/measurement_files.h"
#include "storage/workstation_files.h"
#include "tests/storage/measurement_test_support.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

using namespace storage;
using namespace storagetest;

TEST(FullDisk, EveryWriterKeepsTheOldFilesAndNamesTheFile)
{
    testsupport::FixtureFolder fx;
    const QString d = QStringLiteral("dane\\");
    TStanowisko w("1", "Spawalnia", "stan_1");
    WorkstationList list;
    list.push_back(std::make_unique<TStanowisko>("1", "Spawalnia", "stan_1"));
    TListDokumList entries;
    entries.push_back(std::make_unique<TListDokum>(1, "2024-01-02", "Nowak", "1"));
    TDokumList items;
    items.push_back(std::make_unique<TDokum>(1, 1, 0, 0, 0, "", "Nazwisko", "edit", "", "", "", "", ""));
    items[0]->Values.emplace_back(1, "Nowak");
    TCzynnikList own;
    own.push_back(std::make_unique<TCzynnik>("Wibracje", "fiz", 100001, "1.0", "met5Krok", "1", "N"));
    fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly ver=\"1.0\">\n</czynpyly>\n");
    TCzynnik a("Apatyty", "pyly", 25010, "1", "pyly_apatytow", "T", "T"),
        b("Cement", "pyly", 25040, "1", "pyly_cementow", "T", "T");
    for (TCzynnik *f : {&a, &b}) {
        WriteTestForm(fx, f->frm_dane, "1", "<pole nazwa=\"cbSumNDS\" typ=\"checkbox\">False</pole>\n");
        AddMeasurement(f->Measurements, MakeMeasurement(f->frm_dane, f->id, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    }
    const MeasurementSaveRequest dust{kFolder, QString(), &a, {&a, &b}, {&a, &b}};
    fx.WriteText("Tarvelin.ini", "; obce wpisy zostają bajt w bajt\n[Inne]\nklucz=wartość\n[frmMain]\nfrmMain.Top=5\n");
    platform::IniFile ini(fx.FilePath("Tarvelin.ini"));
    ini.Load();
    // Each writer with the file its failure names, first with room on the disk.
    const std::vector<std::pair<QString, std::function<QString()>>> writers = {
        {"dane\\stan_1\\stanowisko_dane.xml", [&] { return WriteWorkstationWithList(d, w, list).message(); }},
        {"dane\\struktura_dane.xml", [&] { return WriteWorkstationList(d, list).message(); }},
        {"dane\\x_lista.xml", [&] { return WriteDocumentList(d, "x_lista", {}, "x_dane.xml", entries).message(); }},
        {"dane\\x\\x_dane_1.xml", [&] { return WriteDocumentData(d, "x\\", "x_dane_1", items).message(); }},
        {"poradn\\czynfizWl.xml",
         [&] { return WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", own).message(); }},
        {"dane\\stan_1\\pyly_apatytow_dane.xml", [&] { return WriteMeasurements(dust).message(); }},
        {"Tarvelin.ini", [&] { return ini.Save() ? QString() : QStringLiteral("Tarvelin.ini"); }}, // said by nobody
    };
    for (const auto &[file, write] : writers)
        ASSERT_EQ(write(), QString()) << qPrintable(file);
    w.Opis = entries[0]->rodzinf = items[0]->Values[0].wartosc = own[0]->nazwa = a.Measurements[0]->mscPom =
        QStringLiteral("Zmieniony tekst, który nie zmieści się na pełnym dysku");
    ini.WriteInteger("frmMain", "frmMain.Left", 7);
    const auto allFiles = [&] { // every file with its bytes: after each failure the same, and no other
        QMap<QString, QByteArray> out;
        for (QDirIterator it(fx.Path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            QFile f(it.next());
            out[f.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
        }
        return out;
    };
    const QMap<QString, QByteArray> before = allFiles();
    for (const auto &[file, write] : writers) {
        const QString answer = QString::fromUtf8(testsupport::RunInChild([&] { return write().toUtf8(); }, true));
        EXPECT_TRUE(answer.contains(file)) << qPrintable(answer);
        EXPECT_TRUE(allFiles() == before) << qPrintable(file);
    }

    // The list cannot be replaced: the workstation file is not replaced either.
    const QByteArray data = fx.Read("dane/stan_1/stanowisko_dane.xml");
    QFile::remove(fx.FilePath("dane/struktura_dane.xml"));
    QDir().mkpath(fx.FilePath("dane/struktura_dane.xml"));
    EXPECT_EQ(WriteWorkstationWithList(d, w, list).message(), "Błąd dostępu do pliku : dane\\struktura_dane.xml");
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), data);
}
