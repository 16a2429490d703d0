// Every writer (every_writer.h) under the faults a save meets, each on every file of every
// writer, as an ordinary user (root would write a read-only file anyway): a full disk (a
// child process whose files cannot grow), a read-only file, a folder in a file's place, a
// file that is a symbolic link, a file a reader found damaged, a rename failing or the
// program killed at any step of a save of several files. Where the save fails, every file
// stays byte for byte, nothing is left beside them and no folder is made.
#include "platform/file_replacement.h"
#include "storage/damaged_files.h"
#include "storage/storage_errors.h"
#include "tests/storage/every_writer.h"
#include "tests/support/child_process.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace storagetest;
using platform::FileAccessErrorText;

namespace {

// A fault tried on file k of a writer, the writers holding text; what went wrong, if any.
// The write refused with expected, every file as it was.
QString refused(EveryWriter &writers, const WriterCase &c, const QString &expected, const char *fault,
                bool fullDisk = false)
{
    const auto before = writers.AllFiles();
    const QString message =
        fullDisk ? QString::fromUtf8(testsupport::RunInChild([&] { return c.write().toUtf8(); }, true)) : c.write();
    return message == expected && writers.AllFiles() == before ? QString() : message + fault;
}

// Once a save: its failure names its first file.
QString fullDisk(EveryWriter &writers, const WriterCase &c, int k, const QString &)
{
    return k > 0 ? QString() : refused(writers, c, FileAccessErrorText(c.files[0]), " (dysk)", true);
}

QString folderInPlace(EveryWriter &writers, const WriterCase &c, int k, const QString &)
{
    const QByteArray bytes = writers.fx.Read(c.files[k]);
    QFile::remove(writers.fx.FilePath(c.files[k]));
    QDir().mkpath(writers.fx.FilePath(c.files[k]));
    const QString found = refused(writers, c, storage::FolderInPlaceOfFileText(c.files[k]), " (katalog)");
    QDir().rmdir(writers.fx.FilePath(c.files[k]));
    writers.fx.Write(c.files[k], bytes);
    return found;
}

QString readOnly(EveryWriter &writers, const WriterCase &c, int k, const QString &)
{
    const QString file = writers.fx.FilePath(c.files[k]);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString found = refused(writers, c, FileAccessErrorText(c.files[k]), " (zapis)");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    return found;
}

QString linked(EveryWriter &writers, const WriterCase &c, int k, const QString &text)
{
    const QFileInfo link(writers.fx.FilePath(c.files[k]));
    const QDir elsewhere(writers.fx.FilePath("gdzie indziej"));
    QDir().mkpath(elsewhere.path());
    (void)(QFile::rename(link.filePath(), elsewhere.filePath(link.fileName())) &&
           QFile::link(elsewhere.filePath(link.fileName()), link.filePath()));
    const QString message = c.write();
    const bool through = QFileInfo(link.filePath()).isSymLink() && writers.fx.Read(c.files[k]).contains(text.toUtf8());
    const QStringList beside = link.dir().entryList({link.fileName() + ".*"}, QDir::Files | QDir::Hidden) +
                               elsewhere.entryList({link.fileName() + ".*"}, QDir::Files | QDir::Hidden);
    (void)(QFile::remove(link.filePath()) && QFile::rename(elsewhere.filePath(link.fileName()), link.filePath()));
    return message.isEmpty() && through && beside.isEmpty() ? QString() : message + " (obok) " + beside.join(' ');
}

// Every writer asks first whether a reader found the file damaged (each reader's finding is
// tested with the reader); mended, it is written again.
QString damaged(EveryWriter &writers, const WriterCase &c, int k, const QString &)
{
    const QByteArray whole = writers.fx.Read(c.files[k]);
    writers.fx.Write(c.files[k], whole.left(whole.lastIndexOf("</"))); // cut short
    storage::MarkFileDamaged(c.files[k]);
    const QString found = refused(writers, c, storage::DamagedFileRefusalText(c.files[k]), " (uszkodzony)");
    writers.fx.Write(c.files[k], whole);
    storage::MarkFileReadWhole(c.files[k]);
    return found + c.write();
}

// Rename k + 1 of the save fails, or the program is killed there; after the last file, at
// the step that makes the save done.
template <bool killed> QString stopped(EveryWriter &writers, const WriterCase &c, int k, const QString &)
{
    QString found;
    for (int step = k + 1; step <= (k + 1 < c.files.size() ? k + 1 : k + 2); ++step) {
        const auto before = writers.AllFiles();
        QString message = FileAccessErrorText(c.files[k]);
        // Killed: the process ends there, as a kill would end it.
        platform::SetRenameHookForTests([step](int at) { return at != step || (killed && (::_exit(0), 0)); });
        if (killed) {
            testsupport::RunInChild([&] { return c.write().toUtf8(); });
            // The next run of the program: each reader clears the folder of its file first (once in
            // a run, so not through the readers here).
            testsupport::RunInChild([&] {
                for (const QString &file : c.files)
                    platform::RemoveInterruptedSaves(QFileInfo(writers.fx.FilePath(file)).path(),
                                                     [](const QString &name) { return name.endsWith(".xml"); });
                return QByteArray();
            });
        } else {
            message = c.write();
        }
        platform::SetRenameHookForTests({});
        if (message != FileAccessErrorText(c.files[k]) || writers.AllFiles() != before)
            found += QStringLiteral("krok %1: %2 ").arg(step).arg(message);
    }
    return found;
}

} // namespace

TEST(WriteFaults, EveryWriterKeepsEveryFileUnderEveryFaultOnEachOfItsFiles)
{
    // Each fault with the writers it meets: those whose files are there, those writing data
    // files a reader checks, those writing several files.
    const auto there = [](const WriterCase &c) { return !c.firstSave; };
    const auto dataFiles = [](const WriterCase &c) { return !c.firstSave && c.files[0].endsWith(".xml"); };
    const auto several = [](const WriterCase &c) { return c.files.size() > 1; };
    const std::pair<QString (*)(EveryWriter &, const WriterCase &, int, const QString &),
                    std::function<bool(const WriterCase &)>>
        faults[] = {{fullDisk, [](const WriterCase &) { return true; }},
                    {readOnly, there},
                    {folderInPlace, dataFiles},
                    {linked, there},
                    {damaged, dataFiles},
                    {stopped<false>, several},
                    {stopped<true>, several}};
    testsupport::FixtureFolder fx;
    EveryWriter writers(fx);
    const QByteArray wrong = testsupport::RunAsOrdinaryUser(fx.Path(), [&] {
        QStringList out;
        int n = 0;
        for (const auto &[fault, which] : faults)
            for (const WriterCase &c : writers.cases)
                for (int k = 0; which(c) && k < c.files.size(); ++k) {
                    const QString text = QStringLiteral("Tekst %1").arg(++n);
                    writers.Change(text);
                    if (const QString found = fault(writers, c, k, text); !found.isEmpty())
                        out << QStringLiteral("%1 %2, %3: %4").arg(n).arg(c.name, c.files[k], found);
                }
        return out.join('\n').toUtf8();
    });
    EXPECT_EQ(wrong.toStdString(), "");
}
