#include "reportengine/vr_stream.h"

#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QtEndian>

#include <bit>
#include <cstring>

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
        throw platform::TarvelinError(platform::FileAccessErrorText(QDir::toNativeSeparators(fileName)));
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
//
// The coder spends its time in two places, the walk of one symbol's path and the
// semi-splay that follows it. Both are done in one pass: walking from the leaf up, each
// pair of levels gives two code bits and is rotated at once (the rotation swaps the
// node with its parent's sibling and never touches the part of the path still to be
// walked). The decoder remembers the child slots of its path on the way down and does
// the same swaps on the way back. Code bits are kept in a 64-bit word and go out as
// whole bytes into a buffer that always has room, never one device call per byte.

namespace {

// Room one symbol needs in the code buffer: a code of at most 256 bits (the deepest leaf
// of 257) is 32 bytes, plus the whole 8-byte word that every store writes.
constexpr qint64 kSymbolRoom = 48;
// The longest path of the tree (256 edges) plus the unused entry 0.
constexpr int kMaxPath = 260;
// Code bits collected in one word before it is set aside; with up to 7 pending bits the
// word still fits the 64-bit output word.
constexpr int kWordBits = 54;

inline void StoreWord(uchar *p, quint64 v)
{
    qToLittleEndian<quint64>(v, p);
}

inline quint64 LoadWord(const uchar *p)
{
    return qFromLittleEndian<quint64>(p);
}

// Adds count (at most 56) code bits, first bit lowest, behind the pending bits of acc and
// stores the whole bytes at out.
inline void PutBits(quint64 bits, int count, quint64 &acc, int &pending, uchar *&out)
{
    acc |= bits << pending;
    pending += count;
    StoreWord(out, acc);
    out += pending >> 3;
    acc >>= (pending & ~7);
    pending &= 7;
}

// Codes symbol c into acc/out (out has kSymbolRoom bytes of room) and semi-splays it.
inline void EncodeSymbol(quint32 *child, quint32 *link, int c, quint64 &acc, int &pending, uchar *&out)
{
    // Bits are shifted in from below while walking up, so the root's bit ends lowest: the
    // order they are sent in. A path longer than one word is set aside a word at a time;
    // the words nearer the root go out first.
    quint64 bits = 0;
    int count = 0;
    quint64 setAside[8];
    int setAsideCount[8];
    int words = 0;
    int a = c + 256;
    quint32 la = link[a];
#pragma GCC unroll 4
    do {
        const int pa = static_cast<int>(la & 0xFFFF);
        const int pc1 = static_cast<int>(la >> 16);
        if (pa < 2) {
            // a is a child of the root: its bit is the last one.
            bits = (bits << 1) | static_cast<quint64>(pa);
            ++count;
            break;
        }
        if (count >= kWordBits) [[unlikely]] {
            setAside[words] = bits;
            setAsideCount[words] = count;
            ++words;
            bits = 0;
            count = 0;
        }
        bits = (bits << 2) | static_cast<quint64>(((pa & 1) << 1) | (pc1 & 1));
        count += 2;
        // a takes the place of its parent's sibling b, b takes a's; the children of
        // both learn their parent's new slot.
        const int d = pc1 >> 1;
        const quint32 ld = link[d];
        const int po = pc1 ^ 1;
        const int b = static_cast<int>(child[po]);
        child[po] = static_cast<quint32>(a);
        child[pa] = static_cast<quint32>(b);
        link[a] = static_cast<quint32>(po) | ((ld & 0xFFFF) << 16);
        link[b] = static_cast<quint32>(pa) | (static_cast<quint32>(pc1) << 16);
        const int a0 = static_cast<int>(child[2 * a]);
        const int a1 = static_cast<int>(child[2 * a + 1]);
        const int b0 = static_cast<int>(child[2 * b]);
        const int b1 = static_cast<int>(child[2 * b + 1]);
        // The children's own slots are 2a, 2a + 1, 2b, 2b + 1: whole words are written,
        // nothing is read back.
        link[a0] = static_cast<quint32>(2 * a) | (static_cast<quint32>(po) << 16);
        link[a1] = static_cast<quint32>(2 * a + 1) | (static_cast<quint32>(po) << 16);
        link[b0] = static_cast<quint32>(2 * b) | (static_cast<quint32>(pa) << 16);
        link[b1] = static_cast<quint32>(2 * b + 1) | (static_cast<quint32>(pa) << 16);
        a = d;
        la = ld;
    } while (a != 0);
    PutBits(bits, count, acc, pending, out);
    while (words > 0) [[unlikely]] {
        --words;
        PutBits(setAside[words], setAsideCount[words], acc, pending, out);
    }
}

// The semi-splay of a decoded symbol from the child slots of its path: path[k] is the
// slot that led to the node at depth k. Each pair of levels swaps the node with its
// parent's sibling, from the leaf up.
template <typename Node>
inline void SplayPath(Node *child, const quint32 *path, int depth)
{
    for (int k = depth; k >= 2; k -= 2) {
        const int sa = path[k];
        const int so = path[k - 1] ^ 1;
        const Node node = child[sa];
        child[sa] = child[so];
        child[so] = node;
    }
}

// Code bits from memory, lowest bit first; past the end the bits are 0.
struct BitReader
{
    const uchar *in = nullptr;
    qint64 size = 0;
    qint64 pos = 0; // bytes moved into buf so far (past the end too)
    quint64 buf = 0;
    int bits = 0; // valid bits in buf

    // Tops buf up to at least 56 bits.
    void Refill()
    {
        if (pos + 8 <= size) {
            buf |= LoadWord(in + pos) << bits;
            pos += (63 - bits) >> 3;
            bits |= 56;
        } else {
            while (bits <= 56) {
                const quint64 byte = pos < size ? in[pos] : 0;
                buf |= byte << bits;
                ++pos;
                bits += 8;
            }
        }
    }

    // Code bytes taken: every byte of which at least one bit was used.
    qint64 Consumed() const { return (pos * 8 - bits + 7) / 8; }
};

} // namespace

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
    // The complete tree: node i (1..512) is child 2j + 1 or 2j + 2 of node j = (i - 1) / 2,
    // which is slot i - 1. The child slots of the leaves and of the spare node 513 all
    // lead to the spare node, so that the encoder can update "the children" of any node
    // without asking whether it is a leaf.
    for (int s = 0; s < 512; ++s)
        m_child[s] = static_cast<quint32>(s + 1);
    for (int s = 512; s < kChildSlots; ++s)
        m_child[s] = kSpareNode;
    m_link[0] = 0;
    for (int i = 1; i <= 512; ++i) {
        const int parent = (i - 1) / 2;
        const int parentSlot = parent == 0 ? 0 : parent - 1;
        m_link[i] = static_cast<quint32>(i - 1) | (static_cast<quint32>(parentSlot) << 16);
    }
    m_link[kSpareNode] = 0;
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

void TVRCompress::Compress(quint8 b)
{
    uchar room[kSymbolRoom];
    uchar *out = room;
    EncodeSymbol(m_child.data(), m_link.data(), b, m_outByte, m_bitPos, out);
    m_code.append(reinterpret_cast<const char *>(room), out - room);
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
    // One byte at a time, taken only when a bit is wanted, so a device is never read
    // past the end of the code.
    quint32 *child = m_child.data();
    quint32 path[kMaxPath];
    int depth = 0;
    int a = 0;
    while (a < 256) {
        if (m_inBits == 0) {
            m_inByte = NextByte();
            m_inBits = 8;
        }
        const int s = 2 * a + static_cast<int>(m_inByte & 1);
        m_inByte >>= 1;
        --m_inBits;
        path[++depth] = static_cast<quint32>(s);
        a = child[s];
    }
    SplayPath(child, path, depth);
    return static_cast<quint8>(a - 256);
}

QByteArray TVRCompress::CompressBytes(const QByteArray &plain)
{
    TVRCompress coder(nullptr, true);
    quint32 *child = coder.m_child.data();
    quint32 *link = coder.m_link.data();
    // Pages usually code to less than half; the buffer doubles when they do not.
    QByteArray code;
    qint64 capacity = plain.size() / 2 + 4 * kSymbolRoom;
    code.resize(capacity);
    uchar *base = reinterpret_cast<uchar *>(code.data());
    uchar *out = base;
    uchar *end = base + capacity;
    quint64 acc = 0;
    int pending = 0;
    // Room for one more symbol's code, the buffer doubled when it runs short.
    auto ensureRoom = [&] {
        if (end - out >= kSymbolRoom) [[likely]]
            return;
        const qint64 used = out - base;
        capacity *= 2;
        code.resize(capacity);
        base = reinterpret_cast<uchar *>(code.data());
        out = base + used;
        end = base + capacity;
    };
    const uchar *in = reinterpret_cast<const uchar *>(plain.constData());
    const uchar *inEnd = in + plain.size();
    while (in != inEnd) {
        ensureRoom();
        const int c = *in;
        const int leafSlot = static_cast<int>(link[c + 256] & 0xFFFF);
        if (leafSlot < 2) {
            // A child of the root codes as one bit and leaves the tree as it is, so a run
            // of it (the zero bytes of a page, mostly) is that bit repeated.
            const uchar *runEnd = in + 1;
            while (runEnd != inEnd && *runEnd == c)
                ++runEnd;
            qint64 run = runEnd - in;
            in = runEnd;
            const quint64 fill = leafSlot ? ~quint64(0) : 0;
            while (run > 0) {
                const int n = static_cast<int>(qMin<qint64>(run, 56));
                PutBits(fill >> (64 - n), n, acc, pending, out);
                run -= n;
                ensureRoom();
            }
            continue;
        }
        ++in;
        EncodeSymbol(child, link, c, acc, pending, out);
    }
    if (pending != 0)
        *out++ = static_cast<uchar>(acc & 0xFF);
    code.resize(out - base);
    coder.m_finished = true;
    return code;
}

QByteArray TVRCompress::ExpandBytes(const char *code, qint64 codeSize, qint64 count, qint64 *consumed)
{
    QByteArray out;
    out.resize(count);
    // The initial tree, holding twice the node numbers: a node's value is then the index
    // of its left child slot, and each level of the walk is one load.
    quint32 child2[512];
    for (int s = 0; s < 512; ++s)
        child2[s] = static_cast<quint32>(2 * (s + 1));
    BitReader r;
    r.in = reinterpret_cast<const uchar *>(code);
    r.size = code ? codeSize : 0;
    uchar *p = reinterpret_cast<uchar *>(out.data());
    quint32 path[kMaxPath];
    qint64 i = 0;
    while (i < count) {
        r.Refill();
        quint64 buf = r.buf;
        int bits = r.bits;
        const int bit0 = static_cast<int>(buf & 1);
        int a2 = static_cast<int>(child2[bit0]);
        if (a2 >= 512) {
            // A child of the root: as many of the same bit as follow are that symbol
            // again, the tree does not change.
            const quint64 same = bit0 ? ~buf : buf;
            qint64 run = qMin(std::countr_zero(same), bits);
            run = qMin(run, count - i);
            std::memset(p + i, (a2 >> 1) - 256, run);
            i += run;
            // A run may take all 64 buffered bits; a shift by 64 would keep them.
            r.buf = run >= 64 ? 0 : buf >> run;
            r.bits = bits - static_cast<int>(run);
            continue;
        }
        buf >>= 1;
        --bits;
        path[1] = static_cast<quint32>(bit0);
        int depth = 1;
        do {
            if (bits == 0) [[unlikely]] {
                r.buf = buf;
                r.bits = 0;
                r.Refill();
                buf = r.buf;
                bits = r.bits;
            }
            const int s = a2 + static_cast<int>(buf & 1);
            buf >>= 1;
            --bits;
            path[++depth] = static_cast<quint32>(s);
            a2 = static_cast<int>(child2[s]);
        } while (a2 < 512);
        r.buf = buf;
        r.bits = bits;
        SplayPath(child2, path, depth);
        p[i++] = static_cast<uchar>((a2 >> 1) - 256);
    }
    if (consumed)
        *consumed = r.Consumed();
    return out;
}

} // namespace reportengine
