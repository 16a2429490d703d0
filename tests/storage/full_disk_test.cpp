// Every writer of a file the program keeps, on a full disk (a child process whose files
// cannot grow): the old files stay byte for byte, the failure names the first file of the
// save, nothing is left beside them, no folder is made; a save of two files failing at the
// second leaves the first as it was too.
#include "tests/storage/every_writer.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace storage;
using namespace storagetest;

TEST(FullDisk, EveryWriterKeepsTheOldFilesAndNamesTheFile)
{
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    writers.Change(QStringLiteral("Zmieniony tekst, który nie zmieści się na pełnym dysku"));
    const auto before = writers.AllFiles();
    for (const WriterCase &c : writers.cases) {
        const QString answer = QString::fromUtf8(testsupport::RunInChild([&] { return c.write().toUtf8(); }, true));
        EXPECT_EQ(answer, platform::FileAccessErrorText(c.files.front())) << qPrintable(c.name);
        EXPECT_TRUE(writers.AllFiles() == before) << qPrintable(c.name);
    }

    // The list cannot be replaced: the workstation file is not replaced either.
    const QByteArray data = fx.Read("dane/stan_1/stanowisko_dane.xml");
    QFile::remove(fx.FilePath("dane/struktura_dane.xml"));
    QDir().mkpath(fx.FilePath("dane/struktura_dane.xml"));
    EXPECT_EQ(writers.cases[2].write(), "Zamiast pliku jest katalog o tej nazwie : dane\\struktura_dane.xml");
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), data);
}
