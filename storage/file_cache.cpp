#include "storage/file_cache.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace storage {

namespace {

struct Entry
{
    QByteArray stamp;
    std::shared_ptr<const QStringList> lines;
};

QHash<QString, Entry> &cache()
{
    static QHash<QString, Entry> c;
    return c;
}

QByteArray stampOf(const struct stat &st)
{
    QByteArray s;
    s.reserve(48);
    s += QByteArray::number(qint64(st.st_mtim.tv_sec)) + ':' + QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ':' +
         QByteArray::number(qint64(st.st_size)) + ':' + QByteArray::number(quint64(st.st_ino));
    return s;
}

// The content stamp and the change time: a file whose permissions changed since (made
// unreadable, or readable again) is told apart too.
QByteArray changeStampOf(const struct stat &st)
{
    return stampOf(st) + ':' + QByteArray::number(qint64(st.st_ctim.tv_sec)) + ':' +
           QByteArray::number(qint64(st.st_ctim.tv_nsec));
}

} // namespace

QByteArray FileChangeStamp(const QString &filePath)
{
    struct stat st{};
    if (::stat(QFile::encodeName(filePath).constData(), &st) != 0)
        return QByteArray();
    return changeStampOf(st);
}

QByteArray FileStamp(const QString &filePath)
{
    struct stat st{};
    if (::stat(QFile::encodeName(filePath).constData(), &st) != 0)
        return QByteArray();
    return stampOf(st);
}

std::shared_ptr<const QStringList> CachedTextXmlLines(const QString &storedPath, bool cut)
{
    const QString filePath = platform::ToFilePath(storedPath);
    const QString key = (cut ? QLatin1String("1|") : QLatin1String("0|")) + filePath;
    const QByteArray stamp = FileStamp(filePath);
    auto &c = cache();
    if (!stamp.isEmpty()) {
        auto it = c.find(key);
        if (it != c.end() && it->stamp == stamp)
            return it->lines;
    }
    if (platform::FolderExists(storedPath))
        throw platform::TarvelinError(FolderInPlaceOfFileText(storedPath));
    QStringList lines = platform::ReadLinesCp1250OrThrow(filePath);
    PrepareTextXmlLines(lines, cut);
    auto shared = std::make_shared<const QStringList>(std::move(lines));
    if (!stamp.isEmpty()) {
        if (c.size() > 256) // a run touches a few dozen definitions; keep the cache bounded
            c.clear();
        c.insert(key, Entry{stamp, shared});
    }
    return shared;
}

std::shared_ptr<const QStringList> CachedDataFileLines(const QString &storedPath)
{
    const QString filePath = platform::ToFilePath(storedPath);
    const QString key = QLatin1String("data|") + filePath;
    struct stat st{};
    if (::stat(QFile::encodeName(filePath).constData(), &st) != 0)
        return nullptr;
    // The change time too: a file made unreadable since is read (and refused) again.
    const QByteArray stamp = changeStampOf(st);
    auto &c = cache();
    if (auto it = c.find(key); it != c.end() && it->stamp == stamp)
        return it->lines;
    c.remove(key);
    auto read = platform::ReadLinesCp1250(filePath);
    if (!read)
        return nullptr;
    PrepareTextXmlLines(*read, false);
    auto shared = std::make_shared<const QStringList>(std::move(*read));
    if (std::time(nullptr) - std::max(st.st_mtim.tv_sec, st.st_ctim.tv_sec) > 2)
        c.insert(key, Entry{stamp, shared});
    return shared;
}

std::shared_ptr<const QStringList> CachedTextXmlLinesIfExists(const QString &storedPath, bool cut)
{
    if (FileStamp(platform::ToFilePath(storedPath)).isEmpty())
        return nullptr;
    return CachedTextXmlLines(storedPath, cut);
}

void ForgetCachedFile(const QString &storedPath)
{
    const QString filePath = platform::ToFilePath(storedPath);
    cache().remove(QLatin1String("data|") + filePath);
    cache().remove(QLatin1String("1|") + filePath);
    cache().remove(QLatin1String("0|") + filePath);
}

void ClearFileCache()
{
    cache().clear();
}

} // namespace storage
