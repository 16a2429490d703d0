#include "platform/file_replacement.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// What the files a save puts beside a data file carry after its name: names no user gives a
// file of their own, so the clean-up never takes one of theirs. Every file of one save
// carries the same six letters or digits after the mark.
const QLatin1String kTemporaryMark(".tarvelin-zapis-");  // the new bytes, until renamed into place
const QLatin1String kOldMark(".tarvelin-stary-");        // the old version, until the save is done
const QLatin1String kNewMark(".tarvelin-nowy-");         // the new version: what tells a replaced file
const QLatin1String kJournalMark(".tarvelin-dziennik-"); // the files of a save of several
constexpr qsizetype kIdLength = 6;
const QLatin1String kIdLetters("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");

// A save of several files lists them in each of its folders: the first line, the journal
// whose removal makes the save done (the primary one, in the first file's folder), then one
// line per file, then the end line; every path relative to the journal's folder. A journal
// without its end line was being written when its save stopped: nothing else was done.
const QByteArray kJournalHead("tarvelin-dziennik");
const QByteArray kJournalEnd("koniec");

// A temporary file younger than this may be written by a save running in another copy of the
// program (one that does not lock its files would not be told apart otherwise).
constexpr qint64 kRunningSaveSeconds = 60;

std::function<bool(int)> &renameHook()
{
    static std::function<bool(int)> hook;
    return hook;
}

bool hookAllows(int step)
{
    if (!renameHook() || renameHook()(step))
        return true;
    errno = ENOSPC;
    return false;
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

bool pathExists(const QString &path)
{
    struct stat st = {};
    return ::lstat(native(path).constData(), &st) == 0;
}

// Whether two names are one file (a hard link of the other).
bool sameFile(const QString &a, const QString &b)
{
    struct stat sa = {};
    struct stat sb = {};
    return ::lstat(native(a).constData(), &sa) == 0 && ::lstat(native(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool removePath(const QString &path, QStringList *removed = nullptr)
{
    if (::unlink(native(path).constData()) != 0)
        return false;
    if (removed)
        *removed << QFileInfo(path).fileName();
    return true;
}

bool syncFolder(const QString &folder)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Whether a running save holds the file. A save locks its temporary files and its journals
// until it ends; the lock goes with the process, so the files of a save that was killed are
// free.
bool heldByRunningSave(const QString &path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool writtenWithin(const QString &path, qint64 seconds)
{
    const QDateTime written = QFileInfo(path).lastModified();
    return written.isValid() && qAbs(written.secsTo(QDateTime::currentDateTime())) < seconds;
}

// The file a path names once its symbolic links are followed (a data file that is a link is
// written where its content lives); empty for a loop of links.
QString resolvedPath(const QString &path)
{
    QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int hop = 0; hop < 40; ++hop) {
        const QFileInfo info(p);
        if (!info.isSymLink())
            return p;
        p = QDir::cleanPath(info.symLinkTarget());
    }
    return QString();
}

// The owner and permissions the new file is to have: those of the file it replaces (a save
// run as root, or by a colleague sharing the folder, must not take the user's file from
// them: the owner is kept where this user may give it, the group where they belong to it),
// or what any program of the user gives a file it creates.
bool takePermissions(int fd, const QString &target)
{
    struct stat st = {};
    mode_t mode = 0;
    if (::stat(native(target).constData(), &st) == 0) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0)
            (void)!::fchown(fd, uid_t(-1), st.st_gid);
        mode = st.st_mode & 07777; // after the owner: a change of owner may clear set-id bits
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(fd, mode) == 0;
}

QString randomId()
{
    QString id;
    for (qsizetype i = 0; i < kIdLength; ++i)
        id += kIdLetters.at(QRandomGenerator::global()->bounded(int(kIdLetters.size())));
    return id;
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

QString inFolder(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

// One file of the save being made.
struct Target
{
    QString given; // as the caller named it
    QString real;  // the file written: given, its links followed
    bool existed = false;
    bool replaced = false;
    std::unique_ptr<QFile> temporary; // open and locked until the save ends
};

// The folders a save writes to, in the order of their first file, and the journal each gets:
// named after the first file of the save in that folder.
struct SaveFolder
{
    QString folder;
    QString journal;
};

std::vector<SaveFolder> saveFolders(const QStringList &files, const QString &id)
{
    std::vector<SaveFolder> out;
    for (const QString &file : files) {
        const QString folder = folderOf(file);
        if (std::none_of(out.begin(), out.end(), [&](const SaveFolder &f) { return f.folder == folder; }))
            out.push_back({folder, file + kJournalMark + id});
    }
    return out;
}

// Takes back what a save of several files did to its files: a file the save had replaced
// (the same file as its new version) gets its old version back, or goes when it is new.
// Then every file the save left beside them goes, its journals last (the primary one, whose
// presence says the save is not done, at the very end). When a file cannot be put back,
// everything stays for a later try. A folder of the save left empty goes too: it held only
// new files, so it was made for the save (a new workstation's folder left behind would push
// the next try to another number).
bool undoSave(const QStringList &files, const QString &id, bool restore, QStringList *removed)
{
    if (restore) {
        for (const QString &file : files) {
            const QString newVersion = file + kNewMark + id;
            if (!sameFile(file, newVersion))
                continue;
            const QString oldVersion = file + kOldMark + id;
            if (pathExists(oldVersion) ? ::rename(native(oldVersion).constData(), native(file).constData()) != 0
                                       : ::unlink(native(file).constData()) != 0)
                return false;
        }
    }
    for (const QString &file : files)
        for (const QLatin1String mark : {kTemporaryMark, kNewMark, kOldMark})
            removePath(file + mark + id, removed);
    const std::vector<SaveFolder> folders = saveFolders(files, id);
    for (auto f = folders.rbegin(); f != folders.rend(); ++f) {
        syncFolder(f->folder);
        removePath(f->journal, removed);
    }
    for (auto f = folders.rbegin(); restore && f != folders.rend(); ++f)
        QDir().rmdir(f->folder); // only while empty
    return true;
}

// A save of one file or of several, all or none.
class Save
{
public:
    explicit Save(const std::vector<FileWrite> &files) : m_files(files), m_several(files.size() > 1) {}
    ~Save()
    {
        if (!m_done)
            undo();
    }
    Save(const Save &) = delete;
    Save &operator=(const Save &) = delete;

    bool Run(QString *failedPath)
    {
        m_targets.resize(m_files.size());
        const auto failed = [&](size_t i) {
            if (failedPath)
                *failedPath = m_files[i].filePath;
            undo();
            return false;
        };
        for (size_t i = 0; i < m_files.size(); ++i)
            if (!prepare(i))
                return failed(i);
        if (!chooseId())
            return failed(0);
        // A save of several files is listed before anything else is written: whatever a kill
        // leaves after this can be taken back.
        if (m_several && !writeJournals())
            return failed(0);
        for (size_t i = 0; i < m_files.size(); ++i)
            if (!writeTemporary(i))
                return failed(i);
        if (m_several)
            for (size_t i = 0; i < m_files.size(); ++i)
                if (!keepVersions(m_targets[i]))
                    return failed(i);
        for (size_t i = 0; i < m_files.size(); ++i)
            if (!hookAllows(int(i) + 1) || !replace(m_targets[i]))
                return failed(i);
        if (!hookAllows(int(m_files.size()) + 1))
            return failed(m_files.size() - 1);
        finish();
        return true;
    }

private:
    QStringList realPaths() const
    {
        QStringList out;
        for (const Target &t : m_targets)
            out << t.real;
        return out;
    }

    // Each folder a file of the save stands in, once: the renames there are synced together.
    void syncTargetFolders() const
    {
        QStringList folders;
        for (const Target &t : m_targets)
            if (!folders.contains(folderOf(t.real)))
                folders << folderOf(t.real);
        for (const QString &folder : folders)
            syncFolder(folder);
    }

    bool prepare(size_t i)
    {
        Target &t = m_targets[i];
        t.given = m_files[i].filePath;
        t.real = resolvedPath(t.given);
        if (t.real.isEmpty() || !QFileInfo(folderOf(t.real)).isDir())
            return false;
        for (size_t k = 0; k < i; ++k)
            if (m_targets[k].real == t.real)
                return false; // one file twice in a save: which bytes should it get?
        struct stat st = {};
        t.existed = ::stat(native(t.real).constData(), &st) == 0;
        if (!t.existed)
            return true;
        if (S_ISDIR(st.st_mode))
            return false;
        // A file that cannot be read was read as empty, and one the user may not write is
        // theirs to keep as it is: a plain write would be refused both.
        return ::faccessat(AT_FDCWD, native(t.real).constData(), R_OK | W_OK, AT_EACCESS) == 0;
    }

    bool chooseId()
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_id = randomId();
            bool free = true;
            for (const Target &t : m_targets)
                for (const QLatin1String mark : {kTemporaryMark, kNewMark, kOldMark, kJournalMark})
                    free = free && !pathExists(t.real + mark + m_id);
            if (free)
                return true;
        }
        return false;
    }

    // One journal in each folder of the save, the primary one (in the first file's folder)
    // last, so that it is there only when all of them are.
    bool writeJournals()
    {
        const std::vector<SaveFolder> folders = saveFolders(realPaths(), m_id);
        const QString primary = folders.front().journal;
        std::vector<const SaveFolder *> order;
        for (size_t k = 1; k < folders.size(); ++k)
            order.push_back(&folders[k]);
        order.push_back(&folders.front());
        for (const SaveFolder *f : order) {
            const QDir here(f->folder);
            QByteArray text = kJournalHead + '\n' + QFile::encodeName(here.relativeFilePath(primary)) + '\n';
            for (const Target &t : m_targets)
                text += QFile::encodeName(here.relativeFilePath(t.real)) + '\n';
            text += kJournalEnd + '\n';
            auto journal = std::make_unique<QFile>(f->journal);
            if (!journal->open(QIODevice::WriteOnly | QIODevice::NewOnly))
                return false;
            m_journals.push_back(std::move(journal));
            QFile &j = *m_journals.back();
            lock(j);
            if (j.write(text) != text.size() || !j.flush() || ::fsync(j.handle()) != 0 || !syncFolder(f->folder))
                return false;
        }
        return true;
    }

    bool writeTemporary(size_t i)
    {
        Target &t = m_targets[i];
        const QByteArray &bytes = m_files[i].bytes;
        t.temporary = std::make_unique<QFile>(t.real + kTemporaryMark + m_id);
        QFile &f = *t.temporary;
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            t.temporary.reset();
            return false;
        }
        lock(f);
        return f.write(bytes) == bytes.size() && f.flush() && ::fsync(f.handle()) == 0 &&
               takePermissions(f.handle(), t.real) && f.error() == QFileDevice::NoError;
    }

    // The old version stays under a name of its own, and the new one is marked, so that a
    // failure (or, after a kill, the clean-up) can tell a replaced file and put it back.
    // Held until the save ends, so that the clean-up of another copy of the program leaves
    // the file alone. A file system without locks only loses that.
    static void lock(QFile &f) { (void)::flock(f.handle(), LOCK_EX | LOCK_NB); }

    bool keepVersions(const Target &t)
    {
        const QString temporary = t.real + kTemporaryMark + m_id;
        if (t.existed) {
            const QString oldVersion = t.real + kOldMark + m_id;
            // A file system without hard links keeps a copy.
            if (::link(native(t.real).constData(), native(oldVersion).constData()) != 0 &&
                !QFile::copy(t.real, oldVersion))
                return false;
        }
        // Without the mark only a kill cannot be undone for this file.
        (void)::link(native(temporary).constData(), native(t.real + kNewMark + m_id).constData());
        return true;
    }

    bool replace(Target &t)
    {
        if (::rename(native(t.real + kTemporaryMark + m_id).constData(), native(t.real).constData()) != 0)
            return false;
        t.replaced = true;
        return true;
    }

    void finish()
    {
        syncTargetFolders();
        if (m_several) {
            // The primary journal goes first: from here on the save is done, whatever stops it.
            const std::vector<SaveFolder> journals = saveFolders(realPaths(), m_id);
            removePath(journals.front().journal);
            syncFolder(journals.front().folder);
            for (size_t k = 1; k < journals.size(); ++k)
                removePath(journals[k].journal);
            for (const Target &t : m_targets) {
                removePath(t.real + kOldMark + m_id);
                removePath(t.real + kNewMark + m_id);
            }
        }
        m_done = true;
        closeFiles();
    }

    void undo()
    {
        m_done = true;
        // What was replaced gets its old version back, in the order opposite to the renames.
        bool restored = true;
        for (auto t = m_targets.rbegin(); t != m_targets.rend(); ++t) {
            if (!t->replaced)
                continue;
            const QString oldVersion = t->real + kOldMark + m_id;
            if (pathExists(oldVersion))
                restored = ::rename(native(oldVersion).constData(), native(t->real).constData()) == 0 && restored;
            else
                restored = ::unlink(native(t->real).constData()) == 0 && restored;
            t->replaced = false;
        }
        for (const Target &t : m_targets)
            if (t.temporary)
                removePath(t.real + kTemporaryMark + m_id);
        // A file that could not be put back keeps its old version and the journals beside
        // it: the next clean-up of the folder tries again.
        if (m_several && restored) {
            for (const Target &t : m_targets) {
                removePath(t.real + kOldMark + m_id);
                removePath(t.real + kNewMark + m_id);
            }
        }
        if (!m_journals.empty() && restored) {
            syncTargetFolders();
            // The primary journal was written last; it goes last.
            for (const auto &journal : m_journals)
                removePath(journal->fileName());
        }
        closeFiles();
    }

    void closeFiles()
    {
        for (Target &t : m_targets)
            t.temporary.reset();
        m_journals.clear();
    }

    const std::vector<FileWrite> &m_files;
    const bool m_several;
    std::vector<Target> m_targets;
    QString m_id;
    std::vector<std::unique_ptr<QFile>> m_journals; // in the order written, the primary last
    bool m_done = false;
};

// A name a save leaves: the data file's name, a mark and the save's letters.
struct Leftover
{
    QString name;
    QString dataName;
    QLatin1String mark;
    QString id;
};

std::optional<Leftover> leftoverOf(const QString &name)
{
    for (const QLatin1String mark : {kTemporaryMark, kOldMark, kNewMark, kJournalMark}) {
        const qsizetype at = name.size() - kIdLength - mark.size();
        if (at <= 0 || QStringView(name).mid(at, mark.size()) != mark)
            continue;
        const QString id = name.mid(at + mark.size());
        if (std::all_of(id.begin(), id.end(), [](QChar c) { return kIdLetters.contains(c); }))
            return Leftover{name, name.left(at), mark, id};
    }
    return std::nullopt;
}

// The journal of a save that stopped: the save is undone unless its primary journal is gone
// (then it was done and only its leftovers go).
void finishStoppedSave(const QString &folder, const QString &journalPath, const QString &id, QStringList &removed)
{
    QFile journal(journalPath);
    if (!journal.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = journal.readAll().split('\n');
    journal.close();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 3 || lines.first() != kJournalHead || lines.last() != kJournalEnd) {
        removePath(journalPath, &removed); // stopped while the save was being listed: nothing else was done
        return;
    }
    const QDir here(folder);
    const QString primary = QDir::cleanPath(here.absoluteFilePath(QFile::decodeName(lines[1])));
    QStringList files;
    for (qsizetype k = 2; k < lines.size() - 1; ++k)
        files << QDir::cleanPath(here.absoluteFilePath(QFile::decodeName(lines[k])));
    if (undoSave(files, id, pathExists(primary), &removed))
        removePath(journalPath, &removed);
}

void cleanFolder(const QString &folder, const std::function<bool(const QString &)> &isDataFile, QStringList &removed,
                 QSet<QString> &visited)
{
    if (visited.contains(folder))
        return;
    visited.insert(folder);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    // A data file that is a link is saved beside the file it points to.
    QHash<QString, QSet<QString>> linkedFiles; // folder -> names
    for (const QFileInfo &fi : entries) {
        if (!fi.isSymLink() || !isDataFile(fi.fileName()))
            continue;
        const QString real = resolvedPath(fi.absoluteFilePath());
        if (!real.isEmpty())
            linkedFiles[folderOf(real)].insert(QFileInfo(real).fileName());
    }
    const QSet<QString> linkedHere = linkedFiles.take(folder);
    std::vector<Leftover> found;
    for (const QFileInfo &fi : entries) {
        if (fi.isSymLink())
            continue;
        if (auto l = leftoverOf(fi.fileName()); l && (isDataFile(l->dataName) || linkedHere.contains(l->dataName)))
            found.push_back(*l);
    }
    // Saves of several files first: one that stopped is undone in all of its folders.
    QSet<QString> running;
    for (const Leftover &l : found) {
        const QString path = inFolder(folder, l.name);
        if (l.mark != kJournalMark || running.contains(l.id) || !pathExists(path))
            continue;
        if (heldByRunningSave(path))
            running.insert(l.id);
        else
            finishStoppedSave(folder, path, l.id, removed);
    }
    for (const Leftover &l : found) {
        const QString path = inFolder(folder, l.name);
        if (running.contains(l.id) || l.mark == kJournalMark || !pathExists(path))
            continue;
        // A temporary file of a save of one file may be one being written right now.
        if (l.mark == kTemporaryMark && (heldByRunningSave(path) || writtenWithin(path, kRunningSaveSeconds)))
            continue;
        // An old or new version without its journal is what a finished save did not get to remove.
        removePath(path, &removed);
    }
    for (auto it = linkedFiles.cbegin(); it != linkedFiles.cend(); ++it) {
        const QSet<QString> names = it.value();
        cleanFolder(
            it.key(), [names](const QString &name) { return names.contains(name); }, removed, visited);
    }
}

} // namespace

bool WriteFileAtomically(const QString &filePath, const QByteArray &bytes)
{
    return WriteFilesAtomically({FileWrite{filePath, bytes}});
}

bool WriteFilesAtomically(const std::vector<FileWrite> &files, QString *failedPath)
{
    if (files.empty())
        return true;
    Save save(files);
    return save.Run(failedPath);
}

void SetRenameHookForTests(std::function<bool(int step)> hook)
{
    renameHook() = std::move(hook);
}

bool IsInterruptedSaveName(const QString &name, const QString &dataFileName)
{
    const std::optional<Leftover> l = leftoverOf(name);
    return l && l->mark == kTemporaryMark && !dataFileName.isEmpty() && l->dataName == dataFileName;
}

QStringList RemoveInterruptedSaves(const QString &folderPath, const std::function<bool(const QString &)> &isDataFile)
{
    QStringList removed;
    QSet<QString> visited;
    cleanFolder(QDir::cleanPath(QFileInfo(folderPath).absoluteFilePath()), isDataFile, removed, visited);
    return removed;
}

} // namespace platform
