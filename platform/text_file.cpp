#include "platform/text_file.h"

#include "platform/cp1250.h"
#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c == '\n' || c == '\r') {
            lines.append(QString(data + start, i - start));
            if (c == '\r' && i + 1 < n && data[i + 1].unicode() == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(data + start, n - start));
    return lines;
}

QStringList DecodeLinesCp1250(const QByteArray &bytes)
{
    // Line by line, so that each line is decoded straight into its own string (the same
    // lines as SplitLines(DecodeCp1250(bytes)): CR and LF are the same bytes in both).
    QStringList lines;
    const char *const begin = bytes.constData();
    const char *const end = begin + bytes.size();
    auto next = [end](const char *from, char c) {
        const void *at = std::memchr(from, c, size_t(end - from));
        return at ? static_cast<const char *>(at) : end;
    };
    const char *lf = next(begin, '\n');
    const char *cr = next(begin, '\r');
    const char *start = begin;
    while (start < end) {
        if (lf < start)
            lf = next(start, '\n');
        if (cr < start)
            cr = next(start, '\r');
        const char *stop = std::min(lf, cr);
        lines.append(DecodeCp1250(QByteArray::fromRawData(start, stop - start)));
        if (stop == end)
            break;
        start = stop + (stop == cr && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::optional<QStringList> ReadLinesCp1250(const QString &filePath)
{
    QFile f(filePath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return DecodeLinesCp1250(f.readAll());
}

QStringList ReadLinesCp1250OrThrow(const QString &filePath)
{
    auto lines = ReadLinesCp1250(filePath);
    if (!lines)
        throw TarvelinError(FileAccessErrorText(QDir::toNativeSeparators(filePath)));
    return *lines;
}

namespace {

// What a temporary file of ours carries after the target's name: a name no user gives a
// file of their own, so clearing away the leftovers of an interrupted save never takes one.
const QLatin1String kTemporaryMark(".tarvelin-zapis-");
constexpr qsizetype kRandomLength = 6;

bool syncToDisk(int fd)
{
#ifdef Q_OS_UNIX
    return fd < 0 || ::fsync(fd) == 0;
#else
    (void)fd;
    return true;
#endif
}

// The permissions the new file is to have: those of the file it replaces, or what any
// program of the user gives a file it creates; a temporary file starts readable by its
// owner alone.
bool takePermissions(QFileDevice &f, const QString &target)
{
#ifdef Q_OS_UNIX
    struct stat st{};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(f.handle(), mode) == 0;
#else
    return f.setPermissions(QFileInfo(target).exists() ? QFileInfo(target).permissions()
                                                       : QFile::ReadOwner | QFile::WriteOwner);
#endif
}

// One file of a save, written whole into its temporary file beside the target and not
// yet renamed; the temporary file goes with the object unless it was renamed.
class PendingFile
{
public:
    explicit PendingFile(const QString &target) : m_target(target) {}
    ~PendingFile()
    {
        if (!m_temporary.isEmpty())
            QFile::remove(m_temporary);
    }
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // False (nothing replaced, no temporary file left) when the bytes cannot all be put
    // on the disk beside the target.
    bool Write(const QByteArray &bytes)
    {
        const QFileInfo info(m_target);
        if (!info.absoluteDir().exists())
            return false;
        // A file that is there but cannot be read was read as empty: replacing it would
        // throw away what it holds (the rename would succeed where a plain write would not).
        if (info.exists()) {
            QFile probe(m_target);
            if (!probe.open(QIODevice::ReadOnly))
                return false;
        }
        QTemporaryFile f(m_target + kTemporaryMark + QString(kRandomLength, QLatin1Char('X')));
        f.setAutoRemove(false);
        if (!f.open())
            return false;
        m_temporary = f.fileName();
        const bool whole = f.write(bytes) == bytes.size() && f.flush() && syncToDisk(f.handle()) &&
                           takePermissions(f, m_target);
        f.close();
        return whole && f.error() == QFileDevice::NoError;
    }

    // The temporary file takes the target's name, in one step that replaces the old file.
    bool Replace()
    {
#ifdef Q_OS_UNIX
        if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
            return false;
#else
        QFile::remove(m_target);
        if (!QFile::rename(m_temporary, m_target))
            return false;
#endif
        m_temporary.clear();
        return true;
    }

private:
    QString m_target;
    QString m_temporary;
};

} // namespace

bool WriteFileAtomically(const QString &filePath, const QByteArray &bytes)
{
    return WriteFilesAtomically({FileWrite{filePath, bytes}});
}

bool WriteFilesAtomically(const std::vector<FileWrite> &files, QString *failedPath)
{
    std::vector<std::unique_ptr<PendingFile>> written;
    written.reserve(files.size());
    for (const FileWrite &w : files) {
        written.push_back(std::make_unique<PendingFile>(w.filePath));
        if (!written.back()->Write(w.bytes)) {
            if (failedPath)
                *failedPath = w.filePath;
            return false; // every temporary file goes with its object
        }
    }
    // Every byte is on the disk: what is left is renaming, file by file (a rename that
    // fails after others succeeded is the one failure this cannot undo).
    for (size_t i = 0; i < written.size(); ++i) {
        if (!written[i]->Replace()) {
            if (failedPath)
                *failedPath = files[i].filePath;
            return false;
        }
    }
    return true;
}

bool IsInterruptedSaveName(const QString &name, const QString &dataFileName)
{
    const qsizetype prefix = dataFileName.size() + kTemporaryMark.size();
    if (dataFileName.isEmpty() || name.size() != prefix + kRandomLength || !name.startsWith(dataFileName) ||
        QStringView(name).mid(dataFileName.size(), kTemporaryMark.size()) != kTemporaryMark)
        return false;
    for (qsizetype i = prefix; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

QStringList RemoveInterruptedSaves(const QString &folderPath, const std::function<bool(const QString &)> &isDataFile)
{
    QStringList removed;
    const QDir dir(folderPath);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    QStringList dataFiles;
    for (const QFileInfo &fi : entries)
        if (!fi.isSymLink() && isDataFile(fi.fileName()))
            dataFiles << fi.fileName();
    for (const QFileInfo &fi : entries) {
        if (fi.isSymLink() || dataFiles.contains(fi.fileName()))
            continue;
        const QString name = fi.fileName();
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0 || !dataFiles.contains(name.left(dot)) || !IsInterruptedSaveName(name, name.left(dot)))
            continue;
        if (QFile::remove(fi.absoluteFilePath()))
            removed << name;
    }
    return removed;
}

QByteArray EncodeLinesCp1250(const QStringList &lines)
{
    QString text;
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    text.reserve(total);
    for (const QString &l : lines) {
        if (l.contains('\n') || l.contains('\r')) {
            QString fixed = l;
            fixed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            fixed.replace('\r', '\n');
            fixed.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
            text += fixed;
        } else {
            text += l;
        }
        text += QStringLiteral("\r\n");
    }
    return EncodeCp1250(text);
}

bool WriteLinesCp1250(const QString &filePath, const QStringList &lines)
{
    return WriteFileAtomically(filePath, EncodeLinesCp1250(lines));
}

} // namespace platform
