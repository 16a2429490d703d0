#include "reportengine/vr_stream.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QtEndian>

namespace reportengine {

namespace {

constexpr qint64 kCopyBlock = 10240;
constexpr quint8 kMask[8] = {1, 2, 4, 8, 16, 32, 64, 128};

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
        m_left[j] = static_cast<quint16>(2 * j + 1);
        m_right[j] = static_cast<quint16>(2 * j + 2);
    }
    m_bitPos = m_compressing ? 0 : 7;
    m_outByte = 0;
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
    int a = c + 256;
    do {
        const int c1 = m_up[a];
        if (c1 != 0) {
            const int d = m_up[c1];
            int b = m_left[d];
            if (c1 == b) {
                b = m_right[d];
                m_right[d] = static_cast<quint16>(a);
            } else {
                m_left[d] = static_cast<quint16>(a);
            }
            if (a == m_left[c1])
                m_left[c1] = static_cast<quint16>(b);
            else
                m_right[c1] = static_cast<quint16>(b);
            m_up[a] = static_cast<quint16>(d);
            m_up[b] = static_cast<quint16>(c1);
            a = d;
        } else {
            a = c1;
        }
    } while (a != 0);
}

void TVRCompress::Compress(quint8 b)
{
    // Collect the path leaf to root, then emit it root first.
    bool bits[512];
    int n = 0;
    int a = b + 256;
    while (a != 0) {
        const int parent = m_up[a];
        bits[n++] = (m_right[parent] == a);
        a = parent;
    }
    while (n > 0) {
        if (bits[--n])
            m_outByte |= kMask[m_bitPos];
        if (m_bitPos == 7) {
            m_code.append(static_cast<char>(m_outByte & 0xFF));
            m_bitPos = 0;
            m_outByte = 0;
        } else {
            ++m_bitPos;
        }
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
    int a = 0;
    while (a < 256) {
        if (m_bitPos == 7) {
            m_inByte = NextByte();
            m_bitPos = 0;
        } else {
            ++m_bitPos;
        }
        a = (m_inByte & kMask[m_bitPos]) ? m_right[a] : m_left[a];
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
