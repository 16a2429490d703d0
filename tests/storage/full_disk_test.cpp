// Every writer of a data file on a full disk (a child process whose files cannot grow):
// the old files stay byte for byte, the failure names the file, and nothing is left beside
// them. A save of several files that fails part-way leaves every one of them as it was.
#include "platform/inifile.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/measurement_files.h"
#include "storage/risk_score_files.h"
#include "storage/workstation_files.h"
#include "tests/storage/measurement_test_support.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

using namespace storage;
using namespace storagetest;

namespace {

struct Writer
{
    const char *what;
    QStringList files; // relative, "/"; the first one is named when the save fails
    std::function<bool(QString &message)> write;
};

std::function<bool(QString &)> storing(const std::function<StorageResult()> &write)
{
    return [write](QString &message) {
        const StorageResult r = write();
        message = r.message();
        return bool(r);
    };
}

QStringList allFiles(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

} // namespace

TEST(FullDisk, EveryWriterKeepsTheOldFilesAndNamesTheFile)
{
    testsupport::FixtureFolder fx;
    // Files of every kind, written while the disk still has room.
    TStanowisko w(QStringLiteral("1"), QStringLiteral("Spawalnia"), QStringLiteral("stan_1"));
    w.Opis = QStringLiteral("Spawanie MAG");
    WorkstationList list;
    list.push_back(std::make_unique<TStanowisko>(w.id, w.nazwa, w.kat_dane));
    ASSERT_TRUE(WriteWorkstationWithList(QStringLiteral("dane\\"), w, list));
    TListDokumList entries;
    entries.push_back(std::make_unique<TListDokum>(1, QStringLiteral("2024-01-02"), QStringLiteral("Nowak"), "1"));
    ASSERT_TRUE(WriteDocumentList(QStringLiteral("dane\\"), QStringLiteral("x_lista"), {}, "x_dane.xml", entries));
    TDokumList items;
    items.push_back(std::make_unique<TDokum>(1, 1, 0, 0, 0, "", "Nazwisko", "edit", "", "", "", "", ""));
    items[0]->Values.emplace_back(1, QStringLiteral("Kowalski"));
    ASSERT_TRUE(WriteDocumentData(QStringLiteral("dane\\"), QStringLiteral("x\\"), QStringLiteral("x_dane_1"), items));
    for (const char *folder : {"poradn", "rs"})
        QDir().mkpath(fx.FilePath(folder));
    TCzynnikList own;
    own.push_back(std::make_unique<TCzynnik>("Wibracje", "fiz", 100001, "1.0", "met5Krok", "1", "N"));
    ASSERT_TRUE(WriteOwnFactorList(QStringLiteral("poradn\\czynfizWl.xml"), QStringLiteral("czynfiz"), own));
    const QString sum = QStringLiteral("<pole nazwa=\"cbSumNDS\" typ=\"checkbox\">False</pole>\n");
    fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly ver=\"1.0\">\n <pyly>\n  <czynnik id=\"25010\" nazwa=\"A\">\n"
                                                "   <param typ=\"0\">\n  </czynnik>\n </pyly>\n</czynpyly>\n");
    WriteTestForm(fx, QStringLiteral("pyly_apatytow"), "1", sum);
    WriteTestForm(fx, QStringLiteral("pyly_cementow"), "1", sum);
    TCzynnik a("Apatyty", "pyly", 25010, "1", "pyly_apatytow", "T", "T"), b("Cementy", "pyly", 25040, "1", "pyly_cementow", "T", "T");
    AddMeasurement(a.Measurements, MakeMeasurement("pyly_apatytow", 25010, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    AddMeasurement(b.Measurements, MakeMeasurement("pyly_cementow", 25040, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    MeasurementSaveRequest dust{kFolder, QString(), &a, {&a, &b}, {&a, &b}};
    ASSERT_TRUE(WriteMeasurements(dust));
    TRiskScore set(0, 1);
    set.Params[0].Typ = RiskScoreProbability;
    ASSERT_TRUE(WriteRiskScore(set, QStringLiteral("rs\\")).isEmpty());
    fx.WriteText("Tarvelin.ini", "; obce wpisy zostają bajt w bajt\n[Inne]\nklucz=wartość\n[frmMain]\nfrmMain.Top=5\n");

    // Every one of them changed and saved again on a full disk.
    w.Opis = QStringLiteral("Zmieniony opis");
    list[0]->nazwa = QStringLiteral("Spawalnia MAG");
    entries[0]->rodzinf = items[0]->Values[0].wartosc = QStringLiteral("Nowakowski");
    own[0]->nazwa = QStringLiteral("Drgania");
    a.Measurements[0]->mscPom = b.Measurements[0]->mscPom = QStringLiteral("Hala B");
    set.Params[0].OpisPodst = QStringLiteral("Zmieniony");
    platform::IniFile ini(fx.FilePath("Tarvelin.ini"));
    ini.Load();
    ini.WriteInteger("frmMain", "frmMain.Left", 7);
    const std::vector<Writer> writers = {
        {"workstation with its list", {"dane/stan_1/stanowisko_dane.xml", "dane/struktura_dane.xml"},
         storing([&] { return WriteWorkstationWithList(QStringLiteral("dane\\"), w, list); })},
        {"workstation list", {"dane/struktura_dane.xml"}, storing([&] { return WriteWorkstationList("dane\\", list); })},
        {"document list", {"dane/x_lista.xml"},
         storing([&] { return WriteDocumentList("dane\\", "x_lista", {}, "x_dane.xml", entries); })},
        {"document data", {"dane/x/x_dane_1.xml"}, storing([&] { return WriteDocumentData("dane\\", "x\\", "x_dane_1", items); })},
        {"own factors", {"poradn/czynfizWl.xml"},
         storing([&] { return WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", own); })},
        {"dust with its summed dust", {"dane/stan_1/pyly_apatytow_dane.xml", "dane/stan_1/pyly_cementow_dane.xml"},
         storing([&] { return WriteMeasurements(dust); })},
        {"Risk Score parameters", {"rs/metRiskScore_1.xml"},
         [&](QString &message) {
             const QStringList failed = WriteRiskScore(set, QStringLiteral("rs\\"));
             message = QStringLiteral("Błąd dostępu do pliku : ") + failed.join(' ');
             return failed.isEmpty();
         }},
        {"geometry ini", {"Tarvelin.ini"}, [&](QString &message) {
             message = QStringLiteral("Błąd dostępu do pliku : Tarvelin.ini"); // its callers say nothing
             return ini.Save();
         }},
    };
    const QStringList filesBefore = allFiles(fx.Path());
    for (const Writer &writer : writers) {
        std::map<QString, QByteArray> before;
        for (const QString &f : writer.files)
            before[f] = fx.Read(f);
        const QString answer = QString::fromUtf8(testsupport::RunOnFullDisk([&] {
            QString message;
            return writer.write(message) ? QByteArray("zapisano") : message.toUtf8();
        }));
        EXPECT_TRUE(answer.startsWith(QStringLiteral("Błąd dostępu do pliku : "))) << writer.what << ": " << qPrintable(answer);
        EXPECT_TRUE(answer.contains(QString(writer.files[0]).replace('/', '\\'))) << writer.what << ": " << qPrintable(answer);
        for (const QString &f : writer.files)
            EXPECT_EQ(fx.Read(f), before[f]) << writer.what << ": " << qPrintable(f);
    }
    EXPECT_EQ(allFiles(fx.Path()), filesBefore) << "no temporary file is left";

    // Part-way: the list cannot be replaced, so the workstation file is not replaced either.
    const QByteArray data = fx.Read("dane/stan_1/stanowisko_dane.xml");
    QFile::rename(fx.FilePath("dane/struktura_dane.xml"), fx.FilePath("lista.xml"));
    QDir().mkpath(fx.FilePath("dane/struktura_dane.xml"));
    EXPECT_EQ(WriteWorkstationWithList(QStringLiteral("dane\\"), w, list).message(),
              QStringLiteral("Błąd dostępu do pliku : dane\\struktura_dane.xml"));
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), data);
}
