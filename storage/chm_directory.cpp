#include "storage/chm_directory.h"

#include <QFile>
#include <algorithm>

namespace storage {

namespace {

// Reads little-endian numbers at a position, refusing to step outside the bytes.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uchar *>(bytes.constData())), m_size(static_cast<quint64>(bytes.size()))
    {
    }

    quint64 size() const { return m_size; }
    bool has(quint64 pos, quint64 count) const { return pos <= m_size && count <= m_size - pos; }
    bool tag(quint64 pos, const char (&four)[5]) const
    {
        return has(pos, 4) && std::equal(four, four + 4, m_data + pos);
    }
    std::optional<quint32> u32(quint64 pos) const
    {
        if (!has(pos, 4))
            return std::nullopt;
        quint32 v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | m_data[pos + static_cast<quint64>(i)];
        return v;
    }
    std::optional<quint64> u64(quint64 pos) const
    {
        const auto lo = u32(pos);
        const auto hi = u32(pos + 4);
        if (!lo || !hi)
            return std::nullopt;
        return (quint64(*hi) << 32) | *lo;
    }
    // A number of the listing: seven bits a byte, the high bit set on all but the last.
    std::optional<quint64> encint(quint64 &pos, quint64 end) const
    {
        quint64 v = 0;
        for (int n = 0; n < 9 && pos < end; ++n) {
            const uchar c = m_data[pos++];
            v = (v << 7) | (c & 0x7f);
            if (!(c & 0x80))
                return v;
        }
        return std::nullopt; // runs past the chunk or longer than any 63-bit number
    }
    QString utf8(quint64 pos, quint64 len) const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(m_data + pos), static_cast<qsizetype>(len));
    }

private:
    const uchar *m_data;
    quint64 m_size;
};

constexpr quint64 kChunkHeader = 20; // "PMGL", free space, unknown, previous, next

// The entries of one listing chunk; false when the chunk is not sound.
bool readListingChunk(const Reader &r, quint64 chunk, quint64 chunkSize, quint64 content, ChmDirectory &dir)
{
    const auto freeSpace = r.u32(chunk + 4);
    if (!freeSpace || *freeSpace > chunkSize - kChunkHeader)
        return false;
    quint64 pos = chunk + kChunkHeader;
    const quint64 end = chunk + chunkSize - *freeSpace;
    while (pos < end) {
        const auto nameLength = r.encint(pos, end);
        if (!nameLength || *nameLength == 0 || *nameLength > end - pos)
            return false;
        ChmEntry e;
        e.name = r.utf8(pos, *nameLength);
        pos += *nameLength;
        const auto section = r.encint(pos, end);
        const auto offset = section ? r.encint(pos, end) : std::nullopt;
        const auto length = offset ? r.encint(pos, end) : std::nullopt;
        if (!length)
            return false;
        e.section = *section;
        e.offset = *offset;
        e.length = *length;
        // What is stored as is must lie inside the file.
        if (e.section == 0 &&
            (content > r.size() || e.offset > r.size() - content || !r.has(content + e.offset, e.length)))
            return false;
        dir.entries.push_back(std::move(e));
    }
    return true;
}

} // namespace

bool ChmDirectory::Contains(const QString &name) const
{
    for (const ChmEntry &e : entries)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList ChmDirectory::Names() const
{
    QStringList names;
    for (const ChmEntry &e : entries)
        names << e.name;
    return names;
}

std::optional<ChmDirectory> ParseChmDirectory(const QByteArray &bytes)
{
    const Reader r(bytes);
    if (!r.tag(0, "ITSF"))
        return std::nullopt;
    const auto version = r.u32(4);
    const auto dirOffset = r.u64(0x48);
    const auto dirLength = r.u64(0x50);
    if (!version || (*version != 2 && *version != 3) || !dirOffset || !dirLength || !r.has(*dirOffset, *dirLength))
        return std::nullopt;
    std::optional<quint64> content = *dirOffset + *dirLength;
    if (*version == 3)
        content = r.u64(0x58);
    if (!content)
        return std::nullopt;

    const quint64 dir = *dirOffset;
    const auto headerLength = r.u32(dir + 8);
    const auto chunkSize = r.u32(dir + 0x10);
    const auto chunkCount = r.u32(dir + 0x2c);
    if (!r.tag(dir, "ITSP") || !headerLength || !chunkSize || !chunkCount || *headerLength > *dirLength ||
        *chunkSize <= kChunkHeader)
        return std::nullopt;
    const quint64 room = *dirLength - *headerLength;
    if (*chunkCount > room / *chunkSize)
        return std::nullopt;

    ChmDirectory result;
    for (quint64 n = 0; n < *chunkCount; ++n) {
        const quint64 chunk = dir + *headerLength + n * *chunkSize;
        if (r.tag(chunk, "PMGI"))
            continue; // the index over the listing chunks; the listing itself is read whole
        if (!r.tag(chunk, "PMGL") || !readListingChunk(r, chunk, *chunkSize, *content, result))
            return std::nullopt;
    }
    if (result.entries.empty())
        return std::nullopt;
    return result;
}

std::optional<ChmDirectory> ReadChmDirectory(const QString &filePath)
{
    QFile f(filePath);
    // No help file of this program comes near this size; a larger one is not read whole.
    constexpr qint64 kLargest = 256LL * 1024 * 1024;
    if (!f.open(QIODevice::ReadOnly) || f.size() > kLargest)
        return std::nullopt;
    return ParseChmDirectory(f.readAll());
}

} // namespace storage
