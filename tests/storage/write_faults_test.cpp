// Every writer (every_writer.h) under the faults a save meets: a read-only file, a file that
// is a symbolic link, a rename failing part-way through a save of several files, a file a
// reader found damaged. Each fault is tried on every file of every writer.
#include "platform/file_replacement.h"
#include "storage/damaged_files.h"
#include "tests/storage/every_writer.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace storagetest;

namespace {

QString fileOf(const QString &stored)
{
    return platform::ToFilePath(stored);
}

QByteArray bytesOf(const QString &stored)
{
    QFile f(fileOf(stored));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &stored, const QByteArray &bytes)
{
    QFile f(fileOf(stored));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

} // namespace

TEST(WriteFaults, AReadOnlyFileIsRefusedByEveryWriterAsAnOrdinaryUserAndNothingOfItsSaveChanges)
{
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    // As the program's users run it: root would write anyway.
    const QByteArray wrong = testsupport::RunAsOrdinaryUser(fx.Path(), [&] {
        QStringList out;
        int n = 0;
        for (const WriterCase &c : writers.cases) {
            for (const QString &file : c.firstSave ? QStringList() : c.files) {
                writers.Change(QStringLiteral("Tekst %1").arg(++n));
                const auto before = writers.AllFiles();
                QFile::setPermissions(fileOf(file), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
                const QString message = c.write();
                if (message != platform::FileAccessErrorText(file) || writers.AllFiles() != before)
                    out << c.name + ", " + file + ": " + message;
                QFile::setPermissions(fileOf(file), QFile::ReadOwner | QFile::WriteOwner);
            }
        }
        return out.join('\n').toUtf8();
    });
    EXPECT_EQ(wrong.toStdString(), "");
}

TEST(WriteFaults, ALinkedFileIsWrittenThroughByEveryWriterAndStaysALink)
{
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    QDir().mkpath(fx.FilePath("gdzie indziej"));
    int n = 0;
    for (const WriterCase &c : writers.cases) {
        for (const QString &file : c.firstSave ? QStringList() : c.files) {
            SCOPED_TRACE(qPrintable(c.name + ", " + file));
            const QString target = fx.FilePath("gdzie indziej/" + QFileInfo(fileOf(file)).fileName());
            ASSERT_TRUE(QFile::rename(fileOf(file), target) && QFile::link(target, fileOf(file)));
            const QString text = QStringLiteral("Tekst %1").arg(++n);
            writers.Change(text);
            EXPECT_EQ(c.write().toStdString(), "");
            EXPECT_TRUE(QFileInfo(fileOf(file)).isSymLink());
            QFile written(target);
            EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.readAll().contains(text.toLatin1()));
            // Nothing else stands beside the file or the link.
            EXPECT_EQ(QDir(fx.FilePath("gdzie indziej")).entryList(QDir::Files | QDir::Hidden).size(), 1);
            const QString name = QFileInfo(fileOf(file)).fileName();
            for (const QString &beside : QDir(QFileInfo(fileOf(file)).path()).entryList(QDir::Files | QDir::Hidden))
                EXPECT_FALSE(beside.startsWith(name + ".")) << qPrintable(beside);
            ASSERT_TRUE(QFile::remove(fileOf(file)) && QFile::rename(target, fileOf(file)));
        }
    }
}

TEST(WriteFaults, ARenameFailingAtAnyStepOfASaveOfSeveralFilesLeavesEveryFileAndFolderAsTheyWere)
{
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    int n = 0;
    for (const WriterCase &c : writers.cases) {
        for (int step = 1; c.files.size() > 1 && step <= c.files.size() + 1; ++step) {
            SCOPED_TRACE(qPrintable(c.name + QStringLiteral(", krok %1").arg(step)));
            writers.Change(QStringLiteral("Tekst %1").arg(++n));
            const auto before = writers.AllFiles();
            platform::SetRenameHookForTests([step](int at) { return at != step; });
            const QString message = c.write();
            platform::SetRenameHookForTests({});
            EXPECT_EQ(message.toStdString(),
                      platform::FileAccessErrorText(c.files[std::min(step, int(c.files.size())) - 1]).toStdString());
            EXPECT_TRUE(writers.AllFiles() == before); // no new folder either
        }
    }
}

TEST(WriteFaults, AFileFoundDamagedIsNeverWrittenOverByAnyWriter)
{
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    int n = 0;
    for (const WriterCase &c : writers.cases) {
        for (const QString &file : c.read ? c.files : QStringList()) {
            SCOPED_TRACE(qPrintable(c.name + ", " + file));
            const QByteArray whole = bytesOf(file);
            // Cut short: its closing line is gone.
            put(file, whole.left(whole.lastIndexOf("</")));
            c.read();
            writers.Change(QStringLiteral("Tekst %1").arg(++n));
            const auto before = writers.AllFiles();
            EXPECT_EQ(c.write().toStdString(), storage::DamagedFileRefusalText(file).toStdString());
            EXPECT_TRUE(writers.AllFiles() == before);
            put(file, whole);
            c.read(); // mended: written again
            EXPECT_EQ(c.write().toStdString(), "");
        }
    }
}
