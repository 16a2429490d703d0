// What the clean-up of interrupted saves takes, and what it must leave: the files of a save
// still running (in another copy of the program) and the user's own files.
#include "platform/file_replacement.h"
#include "tests/support/fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

TEST(Leftovers, TheCleanUpLeavesARunningSaveAndTheUsersFilesAndTakesTheRest)
{
    testsupport::FixtureFolder fx;
    const struct
    {
        const char *file;
        int secondsOld;
        bool kept;
    } cases[] = {
        {"a.xml.tarvelin-zapis-Ab12cd", 120, false},   // a save killed long ago
        {"a.xml.tarvelin-zapis-Ef34gh", 5, true},      // another copy of the program may be writing it
        {"a.xml.tarvelin-zapis-Held01", 120, true},    // a slow save still running (locked below)
        {"b.xml.tarvelin-zapis-Xy12zz", 120, false},   // of a first save: b.xml not there yet
        {"a.xml.tarvelin-stary-Ol0000", 0, false},     // what a finished save did not remove
        {"a.xml.tarvelin-nowy-Ol0000", 0, false},      //
        {"a.xml.tarvelin-dziennik-Run001", 120, true}, // a save of several files still running (locked)
        {"a.xml.tarvelin-stary-Run001", 120, true},    // and its old version
        {"a.xml", 120, true},                          // (the user's own files: interrupted_saves_test)
        {"cel.dat.tarvelin-zapis-Li9999", 120, false}, // beside the file a data file links to
    };
    for (const auto &c : cases) {
        fx.Write(c.file, "x");
        QFile f(fx.FilePath(c.file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(QDateTime::currentDateTime().addSecs(-c.secondsOld),
                                                                  QFileDevice::FileModificationTime));
    }
    QDir().mkpath(fx.FilePath("dane"));
    ASSERT_TRUE(QFile::link(fx.FilePath("cel.dat"), fx.FilePath("dane/l.xml")));
    QFile held(fx.FilePath("a.xml.tarvelin-zapis-Held01")), journal(fx.FilePath("a.xml.tarvelin-dziennik-Run001"));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly) && journal.open(QIODevice::ReadOnly));
    ASSERT_TRUE(::flock(held.handle(), LOCK_EX) == 0 && ::flock(journal.handle(), LOCK_EX) == 0);
    const auto isXml = [](const QString &name) { return name.endsWith(QLatin1String(".xml")); };
    platform::RemoveInterruptedSaves(fx.Path(), isXml);
    platform::RemoveInterruptedSaves(fx.FilePath("dane"), isXml);
    for (const auto &c : cases)
        EXPECT_EQ(fx.Exists(c.file), c.kept) << c.file;
}

// A save replaces a file's bytes, never whose it is (run as root, or by a colleague).
TEST(Replacement, ASaveKeepsTheOwnerGroupAndPermissionsOfTheFilesItReplaces)
{
    testsupport::FixtureFolder fx;
    const auto owner = [&](const char *name) {
        struct stat st = {};
        ::stat(QFile::encodeName(fx.FilePath(name)).constData(), &st);
        return std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777);
    };
    for (const char *name : {"a.xml", "b.xml"}) {
        fx.Write(name, "old");
        (void)!::chown(QFile::encodeName(fx.FilePath(name)).constData(), 65534, 65534); // where this user may
        ::chmod(QFile::encodeName(fx.FilePath(name)).constData(), 0640);
    }
    const auto before = owner("a.xml");
    EXPECT_TRUE(platform::WriteFilesAtomically({{fx.FilePath("a.xml"), "new"}, {fx.FilePath("b.xml"), "new"}}));
    EXPECT_TRUE(owner("a.xml") == before && owner("b.xml") == before && fx.Read("b.xml") == "new");
}
