#pragma once

// The page stream of a report run and the coder that packs page bytes.
//
// TVRStream keeps the pages in memory while the report is small and moves them to a
// temporary file ("VRP" + six characters in the temporary folder) once the size passes
// MinSize; it never moves back. TVRCompress is the adaptive semi-splay prefix coder the
// stored report files use for coded pages: byte-exact with files written by earlier
// builds, so its bit order and tree update must not change.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QRecursiveMutex>
#include <QString>
#include <QTemporaryFile>

#include <array>
#include <cstdint>
#include <memory>

class QIODevice;

namespace reportengine {

enum class TVRSeekOrigin { Beginning, Current, End };

class TVRStream
{
public:
    // Create(MinSize): an in-memory stream that spills to a temporary file past minSize.
    explicit TVRStream(qint32 minSize = 250000);
    ~TVRStream(); // Destroy: the temporary file goes with the stream

    TVRStream(const TVRStream &) = delete;
    TVRStream &operator=(const TVRStream &) = delete;

    // CreateFromFile: an existing stored report file, read only. Throws
    // platform::TarvelinError when the file cannot be opened.
    static std::unique_ptr<TVRStream> CreateFromFile(const QString &fileName);
    // A read-only stream over bytes already in memory (a file read by someone else,
    // the fuzz targets).
    static std::unique_ptr<TVRStream> CreateFromBytes(const QByteArray &bytes);

    // Both return the count actually moved (0 at the end of the stream).
    qint64 Read(char *buffer, qint64 count);
    // Writes everything or throws platform::TarvelinError (disk full, read-only
    // stream); a short write is never reported as success.
    qint64 Write(const char *buffer, qint64 count);
    // Returns the new position; positions beyond the end are clamped to the end for
    // read-only streams so that a bad link cannot grow a file.
    qint64 Seek(qint64 offset, TVRSeekOrigin origin);
    qint64 Position() const;
    qint64 Size() const;
    // Cuts the stream back to size (used to drop a half-written page record).
    void Truncate(qint64 size);

    // Reads a little-endian 32-bit integer; false at the end of the stream.
    bool ReadInt32(qint32 &value);
    void WriteInt32(qint32 value);

    void LockStream() { m_lock.lock(); }
    void UnlockStream() { m_lock.unlock(); }

    // SaveToStream: copies the whole content to dest in blocks of 10240 bytes.
    // Returns false when dest refused bytes.
    bool SaveToStream(QIODevice &dest);

    bool InMemory() const { return m_inMemory; }
    qint32 MinSize() const { return m_minSize; }
    QString TempFileName() const { return m_tempFileName; }
    // The file a stream made by CreateFromFile reads (empty otherwise).
    QString SourceFileName() const { return m_sourceFileName; }
    bool ReadOnly() const { return m_readOnly; }

private:
    TVRStream(qint32 minSize, bool readOnly);
    QIODevice *Current() const;
    void MoveToFile();

    mutable QRecursiveMutex m_lock;
    std::unique_ptr<QBuffer> m_memoryStream;
    QByteArray m_memory;
    std::unique_ptr<QTemporaryFile> m_tempFile;
    std::unique_ptr<QFile> m_fileStream;
    QString m_tempFileName;
    QString m_sourceFileName;
    bool m_inMemory = true;
    bool m_readOnly = false;
    qint32 m_minSize = 0;
};

// RAII helper around LockStream/UnlockStream.
class TVRStreamLocker
{
public:
    explicit TVRStreamLocker(TVRStream &s) : m_s(s) { m_s.LockStream(); }
    ~TVRStreamLocker() { m_s.UnlockStream(); }
    TVRStreamLocker(const TVRStreamLocker &) = delete;
    TVRStreamLocker &operator=(const TVRStreamLocker &) = delete;

private:
    TVRStream &m_s;
};

// One direction of coding for one page; every page starts from the initial tree.
class TVRCompress
{
public:
    // Create(Stream, Compress). A compressing coder collects its code and hands it to
    // the stream in one write when it is finished; an expanding coder reads the stream
    // one byte at a time, so it never reads past the end of its code.
    TVRCompress(QIODevice *stream, bool compress);
    // An expanding coder over code bytes in memory; reading past them gives zero bits.
    TVRCompress(const char *code, qint64 size);
    ~TVRCompress(); // Destroy: writes the pending partial byte

    TVRCompress(const TVRCompress &) = delete;
    TVRCompress &operator=(const TVRCompress &) = delete;

    void Compress(quint8 b);
    quint8 Expand();
    // Writes the last partial byte (high bits zero) and the collected code to the
    // stream; safe to call twice. Returns false when the stream refused bytes.
    bool Finish();

    // The code produced so far (compressing coder without stream).
    const QByteArray &Code() const { return m_code; }
    // Code bytes taken so far by an expanding coder.
    qint64 Consumed() const { return m_consumed; }

    // Whole-buffer helpers used by the page list.
    static QByteArray CompressBytes(const QByteArray &plain);
    // Decodes count symbols from code; consumed receives the code bytes read.
    static QByteArray ExpandBytes(const char *code, qint64 codeSize, qint64 count, qint64 *consumed = nullptr);

private:
    void Init();
    quint8 NextByte();

    // The tree: m_child[2j] and m_child[2j + 1] are the left and right child of internal
    // node j (the slots of leaves and of the spare node lead to the spare node). The low
    // half of m_link[n] is the slot in m_child that holds node n, so the parent of n is
    // that slot / 2 and the bit that leads to n is its lowest bit; the high half is the
    // slot of n's parent, so the encoder climbs two levels with one look-up. The decoder
    // walks root to leaf, remembers its path and needs only m_child.
    static constexpr int kSpareNode = 513;
    static constexpr int kChildSlots = 2 * (kSpareNode + 1);
    std::array<quint32, kChildSlots> m_child{};
    std::array<quint32, kSpareNode + 1> m_link{};

    int m_bitPos = 0; // pending code bits in m_outByte (encoder)
    int m_inBits = 0; // unread bits left in m_inByte (decoder)
    bool m_compressing = false;
    bool m_finished = false;
    bool m_fromMemory = false;
    quint32 m_inByte = 0;
    quint64 m_outByte = 0;
    QIODevice *m_stream = nullptr;
    QByteArray m_code;
    const uchar *m_in = nullptr;
    qint64 m_inSize = 0;
    qint64 m_consumed = 0;
};

} // namespace reportengine
