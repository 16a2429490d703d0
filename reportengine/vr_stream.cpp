#include "reportengine/vr_stream.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QtEndian>

#include <vector>

namespace reportengine {

namespace {

constexpr qint64 kCopyBlock = 10240;

[[noreturn]] void ThrowWriteError()
{
    throw platform::TarvelinError(platform::FileAccessErrorText());
}

} // namespace

// ---------------------------------------------------------------------------------------
// TVRStream

TVRStream::TVRStream(qint32 minSize) : TVRStream(minSize, false) {}

TVRStream::TVRStream(qint32 minSize, bool readOnly) : m_readOnly(readOnly), m_minSize(minSize)
{
    m_memoryStream = std::make_unique<QBuffer>(&m_memory);
    m_memoryStream->open(readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite);
}

TVRStream::~TVRStream()
{
    QMutexLocker locker(&m_lock);
    m_fileStream.reset();
    if (m_tempFile) {
        m_tempFile->close();
        m_tempFile.reset(); // autoRemove deletes the file
    }
    m_memoryStream.reset();
    // A file that outlived its handle (a crash of the handle, never of the name) goes too.
    if (!m_tempFileName.isEmpty() && QFile::exists(m_tempFileName))
        QFile::remove(m_tempFileName);
}

std::unique_ptr<TVRStream> TVRStream::CreateFromFile(const QString &fileName)
{
    std::unique_ptr<TVRStream> s(new TVRStream(0, true));
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        throw platform::TarvelinError(platform::FileAccessErrorText() + QStringLiteral(": ") +
                                      QDir::toNativeSeparators(fileName));
    s->m_memoryStream.reset();
    s->m_fileStream = std::move(file);
    s->m_inMemory = false;
    s->m_sourceFileName = QFileInfo(fileName).absoluteFilePath();
    return s;
}

std::unique_ptr<TVRStream> TVRStream::CreateFromBytes(const QByteArray &bytes)
{
    std::unique_ptr<TVRStream> s(new TVRStream(0, true));
    s->m_memoryStream->close();
    s->m_memory = bytes;
    s->m_memoryStream->open(QIODevice::ReadOnly);
    return s;
}

QIODevice *TVRStream::Current() const
{
    if (m_inMemory)
        return m_memoryStream.get();
    if (m_fileStream)
        return m_fileStream.get();
    return m_tempFile.get();
}

qint64 TVRStream::Read(char *buffer, qint64 count)
{
    QMutexLocker locker(&m_lock);
    if (count <= 0)
        return 0;
    const qint64 n = Current()->read(buffer, count);
    return n < 0 ? 0 : n;
}

qint64 TVRStream::Write(const char *buffer, qint64 count)
{
    QMutexLocker locker(&m_lock);
    if (m_readOnly)
        ThrowWriteError();
    if (count <= 0)
        return 0;
    QIODevice *dev = Current();
    const qint64 n = dev->write(buffer, count);
    if (n != count)
        ThrowWriteError();
    if (m_inMemory && m_memoryStream->size() > m_minSize)
        MoveToFile();
    return n;
}

void TVRStream::MoveToFile()
{
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/VRPXXXXXX"));
    file->setAutoRemove(true);
    if (!file->open())
        ThrowWriteError();
    if (file->write(m_memory) != m_memory.size() || !file->flush())
        ThrowWriteError();
    m_tempFileName = file->fileName();
    m_tempFile = std::move(file);
    m_memoryStream.reset();
    m_memory = QByteArray();
    m_inMemory = false;
    // The file's position is its end, where the next write goes.
}

qint64 TVRStream::Seek(qint64 offset, TVRSeekOrigin origin)
{
    QMutexLocker locker(&m_lock);
    QIODevice *dev = Current();
    qint64 target = offset;
    if (origin == TVRSeekOrigin::Current)
        target = dev->pos() + offset;
    else if (origin == TVRSeekOrigin::End)
        target = dev->size() + offset;
    if (target < 0)
        target = 0;
    if (m_readOnly && target > dev->size())
        target = dev->size();
    dev->seek(target);
    return dev->pos();
}

qint64 TVRStream::Position() const
{
    QMutexLocker locker(&m_lock);
    return Current()->pos();
}

qint64 TVRStream::Size() const
{
    QMutexLocker locker(&m_lock);
    return Current()->size();
}

void TVRStream::Truncate(qint64 size)
{
    QMutexLocker locker(&m_lock);
    if (m_readOnly)
        return;
    if (m_inMemory) {
        const qint64 pos = m_memoryStream->pos();
        m_memoryStream->close();
        if (size < m_memory.size())
            m_memory.truncate(size);
        m_memoryStream->open(QIODevice::ReadWrite);
        m_memoryStream->seek(qMin(pos, size));
    } else if (m_tempFile) {
        m_tempFile->flush();
        m_tempFile->resize(size);
        m_tempFile->seek(size);
    }
}

bool TVRStream::ReadInt32(qint32 &value)
{
    char b[4];
    if (Read(b, 4) != 4)
        return false;
    value = qFromLittleEndian<qint32>(b);
    return true;
}

void TVRStream::WriteInt32(qint32 value)
{
    char b[4];
    qToLittleEndian<qint32>(value, b);
    Write(b, 4);
}

bool TVRStream::SaveToStream(QIODevice &dest)
{
    QMutexLocker locker(&m_lock);
    Seek(0, TVRSeekOrigin::Beginning);
    char buffer[kCopyBlock];
    bool ok = true;
    for (;;) {
        const qint64 n = Read(buffer, kCopyBlock);
        // The last, empty write is made as well; it costs nothing and keeps the copy
        // loop the same for an empty stream.
        if (dest.write(buffer, n) != n)
            ok = false;
        if (n <= 0 || !ok)
            break;
    }
    return ok;
}

// ---------------------------------------------------------------------------------------
// TVRCompress

TVRCompress::TVRCompress(QIODevice *stream, bool compress) : m_compressing(compress), m_stream(stream)
{
    Init();
}

TVRCompress::TVRCompress(const char *code, qint64 size)
    : m_compressing(false), m_fromMemory(true), m_in(reinterpret_cast<const uchar *>(code)), m_inSize(size)
{
    Init();
}

TVRCompress::~TVRCompress()
{
    Finish();
}

void TVRCompress::Init()
{
    for (int i = 1; i <= 512; ++i)
        m_up[i] = static_cast<quint16>((i - 1) / 2);
    for (int j = 0; j <= 255; ++j) {
        m_child[2 * j] = static_cast<quint16>(2 * j + 1);     // Left[j]
        m_child[2 * j + 1] = static_cast<quint16>(2 * j + 2); // Right[j]
    }
    m_bitPos = 0;
    m_outByte = 0;
    m_inBits = 0;
}

bool TVRCompress::Finish()
{
    if (!m_compressing || m_finished)
        return true;
    m_finished = true;
    if (m_bitPos != 0)
        m_code.append(static_cast<char>(m_outByte & 0xFF));
    if (m_stream)
        return m_stream->write(m_code) == m_code.size();
    return true;
}

void TVRCompress::Splay(int c)
{
    // Semi-splaying: each pair of levels on the path to the root is rotated once. The
    // children are kept side by side (Left[j] at 2j, Right[j] at 2j + 1) so the side
    // taken is an index, not a branch; the coder spends most of its time here.
    quint16 *child = m_child.data();
    quint16 *up = m_up.data();
    int a = c + 256;
    for (;;) {
        const int c1 = up[a];
        if (c1 == 0)
            break;
        const int d = up[c1];
        // The child of d that is not c1 becomes the sibling of a, and a takes its place.
        const int other = 2 * d + (child[2 * d] == c1 ? 1 : 0);
        const int b = child[other];
        child[other] = static_cast<quint16>(a);
        child[2 * c1 + (child[2 * c1] == a ? 0 : 1)] = static_cast<quint16>(b);
        up[a] = static_cast<quint16>(d);
        up[b] = static_cast<quint16>(c1);
        a = d;
        if (a == 0)
            break;
    }
}

void TVRCompress::PutBits(quint64 code, int count)
{
    // Bits go into the current byte from its least significant bit up.
    m_outByte |= code << m_bitPos;
    m_bitPos += count;
    while (m_bitPos >= 8) {
        m_code.append(static_cast<char>(m_outByte & 0xFF));
        m_outByte >>= 8;
        m_bitPos -= 8;
    }
}

void TVRCompress::Compress(quint8 b)
{
    // Walk from the leaf to the root. Shifting each new bit in from below leaves the
    // root's bit lowest, which is the order the code is sent in (root first).
    const quint16 *up = m_up.data();
    const quint16 *child = m_child.data();
    quint64 code = 0;
    int n = 0;
    int a = b + 256;
    while (a != 0 && n < 48) {
        const int parent = up[a];
        code = (code << 1) | (child[2 * parent + 1] == a ? 1u : 0u);
        ++n;
        a = parent;
    }
    if (a == 0) {
        PutBits(code, n);
    } else {
        // A path deeper than 48 levels (possible after unlucky splaying): collect it
        // whole and send it root first in pieces.
        std::vector<quint8> bits;
        a = b + 256;
        while (a != 0) {
            const int parent = up[a];
            bits.push_back(child[2 * parent + 1] == a ? 1 : 0);
            a = parent;
        }
        for (auto it = bits.rbegin(); it != bits.rend(); ++it)
            PutBits(*it, 1);
    }
    Splay(b);
}

quint8 TVRCompress::NextByte()
{
    if (m_fromMemory) {
        if (m_in && m_consumed < m_inSize)
            return m_in[m_consumed++];
        ++m_consumed;
        return 0;
    }
    char c = 0;
    if (m_stream && m_stream->getChar(&c)) {
        ++m_consumed;
        return static_cast<quint8>(c);
    }
    return 0; // a failed read gives zero bits
}

quint8 TVRCompress::Expand()
{
    const quint16 *child = m_child.data();
    int a = 0;
    while (a < 256) {
        if (m_inBits == 0) {
            m_inByte = NextByte(); // a new byte only when a bit is wanted
            m_inBits = 8;
        }
        a = child[2 * a + (m_inByte & 1)];
        m_inByte >>= 1;
        --m_inBits;
    }
    const int c = a - 256;
    Splay(c);
    return static_cast<quint8>(c);
}

QByteArray TVRCompress::CompressBytes(const QByteArray &plain)
{
    TVRCompress coder(nullptr, true);
    coder.m_code.reserve(plain.size());
    for (const char ch : plain)
        coder.Compress(static_cast<quint8>(ch));
    coder.Finish();
    return coder.m_code;
}

QByteArray TVRCompress::ExpandBytes(const char *code, qint64 codeSize, qint64 count, qint64 *consumed)
{
    QByteArray out;
    out.resize(count);
    TVRCompress coder(code, codeSize);
    char *p = out.data();
    for (qint64 i = 0; i < count; ++i)
        p[i] = static_cast<char>(coder.Expand());
    if (consumed)
        *consumed = coder.m_consumed;
    return out;
}

} // namespace reportengine
