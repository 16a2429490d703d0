// A save of several files killed at each of its steps, and what the clean-up of the next
// read leaves: the files of the save as they were, from whichever folder it starts; and the
// leftovers it must not take (another save running, a user's own files).
#include "platform/file_replacement.h"
#include "tests/support/child_process.h"
#include "tests/support/fixture.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>
#include <sys/file.h>

using namespace platform;

namespace {

bool isXml(const QString &name)
{
    return name.endsWith(QLatin1String(".xml"));
}

QMap<QString, QByteArray> allFiles(const testsupport::FixtureFolder &fx)
{
    QMap<QString, QByteArray> out;
    for (QDirIterator it(fx.Path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        out[QDir(fx.Path()).relativeFilePath(f.fileName())] = f.open(QIODevice::ReadOnly) ? f.readAll() : "?";
    }
    return out;
}

void age(const testsupport::FixtureFolder &fx, const QString &file, int seconds)
{
    QFile f(fx.FilePath(file));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite) &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime));
}

} // namespace

TEST(SeveralFiles, ASaveKilledAtAnyStepIsUndoneByTheNextCleanUpOfAnyOfItsFolders)
{
    for (const QString first : {"dane", "dane/stan_1"}) {
        for (int step = 1; step <= 4; ++step) {
            SCOPED_TRACE(qPrintable(first + QStringLiteral(", krok %1").arg(step)));
            testsupport::FixtureFolder fx;
            fx.Write("dane/stan_1/stanowisko_dane.xml", "stary plik stanowiska");
            fx.Write("dane/struktura_dane.xml", "stara lista");
            const auto before = allFiles(fx);
            const std::vector<FileWrite> save = {{fx.FilePath("dane/stan_1/stanowisko_dane.xml"), "nowy plik"},
                                                 {fx.FilePath("dane/stan_1/pomiary_dane.xml"), "nowy plik pomiarów"},
                                                 {fx.FilePath("dane/struktura_dane.xml"), "nowa lista"}};
            testsupport::RunInChild([&] {
                SetRenameHookForTests([step](int at) {
                    if (at == step)
                        ::_exit(0); // as a kill would stop it
                    return true;
                });
                WriteFilesAtomically(save);
                return QByteArray();
            });
            RemoveInterruptedSaves(fx.FilePath(first), isXml);
            EXPECT_TRUE(allFiles(fx) == before) << qPrintable(QStringList(allFiles(fx).keys()).join(' '));
        }
    }
}

TEST(Leftovers, TheCleanUpLeavesARunningSaveAndTheUsersFilesAndTakesTheRest)
{
    testsupport::FixtureFolder fx;
    struct Case
    {
        const char *file;
        int secondsOld;
        bool kept;
    };
    const Case cases[] = {
        {"a.xml.tarvelin-zapis-Ab12cd", 120, false}, // a save killed long ago
        {"a.xml.tarvelin-zapis-Ef34gh", 5, true},    // another copy of the program may be writing it
        {"a.xml.tarvelin-zapis-Held01", 120, true},  // a slow save still running (locked below)
        {"b.xml.tarvelin-zapis-Xy12zz", 120, false}, // of a first save: b.xml not there yet
        {"a.xml.tarvelin-stary-Ol0000", 0, false},   // what a finished save did not remove
        {"a.xml.tarvelin-nowy-Ol0000", 0, false},
        {"a.xml.tarvelin-dziennik-Run001", 120, true}, // a save of several files still running...
        {"a.xml.tarvelin-stary-Run001", 120, true},    // ...and its old version
        {"a.xml.kopia1", 120, true},                   // the user's own files
        {"notatki.txt.tarvelin-zapis-abcdef", 120, true},
        {"a.xml.tarvelin-zapis-abc", 120, true},
        {"a.xml", 120, true},
        {"cel.dat.tarvelin-zapis-Li9999", 120, false}, // beside the file a data file links to
        {"cel.dat.tarvelin-zapis-Li8888", 5, true},
    };
    for (const Case &c : cases) {
        fx.Write(c.file, "x");
        age(fx, c.file, c.secondsOld);
    }
    QDir().mkpath(fx.FilePath("dane"));
    ASSERT_TRUE(QFile::link(fx.FilePath("cel.dat"), fx.FilePath("dane/l.xml")));
    QFile held(fx.FilePath("a.xml.tarvelin-zapis-Held01")), journal(fx.FilePath("a.xml.tarvelin-dziennik-Run001"));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly) && journal.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(held.handle(), LOCK_EX), 0);
    ASSERT_EQ(::flock(journal.handle(), LOCK_EX), 0);
    RemoveInterruptedSaves(fx.Path(), isXml);
    RemoveInterruptedSaves(fx.FilePath("dane"), isXml);
    for (const Case &c : cases)
        EXPECT_EQ(fx.Exists(c.file), c.kept) << c.file;
}
