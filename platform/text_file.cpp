#include "platform/text_file.h"

#include "platform/cp1250.h"
#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <memory>

#ifdef Q_OS_UNIX
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

// Whether everything written to the save file is on the disk: small writes wait in the
// device's buffer, and written only inside commit(), a failure there (a full disk) would
// still see the temporary file renamed over the target.
bool onDisk(QSaveFile &f)
{
    if (!f.flush())
        return false;
#ifdef Q_OS_UNIX
    const int fd = f.handle();
    return fd < 0 || ::fsync(fd) == 0;
#else
    return true;
#endif
}

// Drops the temporary file now; the target stays as it was.
void discard(QSaveFile &f)
{
    f.cancelWriting();
    f.commit();
}

// Opens the save file of filePath and writes bytes into it; false (nothing replaced) when
// the file cannot be written there.
bool writeTemporary(QSaveFile &f, const QByteArray &bytes)
{
    const QFileInfo info(f.fileName());
    if (!info.absoluteDir().exists())
        return false;
    // A file that is there but cannot be read was read as empty: replacing it would throw
    // away what it holds (the rename would succeed where a plain write would not).
    if (info.exists()) {
        QFile probe(f.fileName());
        if (!probe.open(QIODevice::ReadOnly))
            return false;
    }
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) == bytes.size() && onDisk(f))
        return true;
    discard(f);
    return false;
}

} // namespace

bool CommitSaveFile(QSaveFile &file)
{
    if (!onDisk(file)) {
        discard(file);
        return false;
    }
    return file.commit();
}

bool WriteFileAtomically(const QString &filePath, const QByteArray &bytes)
{
    return WriteFilesAtomically({FileWrite{filePath, bytes}});
}

bool WriteFilesAtomically(const std::vector<FileWrite> &files, QString *failedPath)
{
    std::vector<std::unique_ptr<QSaveFile>> written;
    written.reserve(files.size());
    for (const FileWrite &w : files) {
        auto f = std::make_unique<QSaveFile>(w.filePath);
        if (!writeTemporary(*f, w.bytes)) {
            if (failedPath)
                *failedPath = w.filePath;
            for (auto &done : written)
                discard(*done);
            return false;
        }
        written.push_back(std::move(f));
    }
    // Every byte is on the disk: what is left is renaming, file by file (a rename that
    // fails after others succeeded is the one failure this cannot undo).
    for (size_t i = 0; i < written.size(); ++i) {
        if (!written[i]->commit()) {
            if (failedPath)
                *failedPath = files[i].filePath;
            for (size_t k = i + 1; k < written.size(); ++k)
                discard(*written[k]);
            return false;
        }
    }
    return true;
}

bool IsInterruptedSaveName(const QString &name, const QString &dataFileName)
{
    constexpr qsizetype Random = 6;
    if (dataFileName.isEmpty() || name.size() != dataFileName.size() + 1 + Random || !name.startsWith(dataFileName) ||
        name[dataFileName.size()] != QLatin1Char('.'))
        return false;
    for (qsizetype i = name.size() - Random; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool ok =
            (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
        if (!ok)
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
