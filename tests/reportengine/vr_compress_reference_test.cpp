// The page coder against a plain, slow reference of the same coder: the code of every
// input must be the same byte for byte, and decoding any code (also code that is not
// the output of the coder, and code that runs out) must give the same bytes and take
// the same number of code bytes. Stored report files depend on this.

#include "reportengine/vr_stream.h"

#include "page_helpers.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using namespace reportengine;

namespace {

// The reference keeps the tree as it is usually drawn: Left/Right of internal nodes
// 0..255, the parent of every node 0..512 (a byte is enough, parents are internal),
// leaf c + 256 for symbol c. One bit at a time, one byte at a time, nothing clever.
class ReferenceCoder
{
public:
    ReferenceCoder()
    {
        for (int i = 1; i <= 512; ++i)
            m_up[i] = static_cast<quint8>((i - 1) / 2);
        for (int j = 0; j <= 255; ++j) {
            m_left[j] = static_cast<quint16>(2 * j + 1);
            m_right[j] = static_cast<quint16>(2 * j + 2);
        }
    }

    // Depth of the leaf of symbol c, that is the length of its code.
    int Depth(int c) const
    {
        int n = 0;
        for (int a = c + 256; a != 0; a = m_up[a])
            ++n;
        return n;
    }

    void Compress(quint8 c, QByteArray &out)
    {
        std::vector<bool> stack;
        int a = c + 256;
        while (a != 0) {
            stack.push_back(m_right[m_up[a]] == a);
            a = m_up[a];
        }
        while (!stack.empty()) {
            if (stack.back())
                m_outByte |= kMask[m_bitPos];
            stack.pop_back();
            if (m_bitPos == 7) {
                out.append(static_cast<char>(m_outByte & 0xFF));
                m_bitPos = 0;
                m_outByte = 0;
            } else {
                ++m_bitPos;
            }
        }
        Splay(c);
    }

    void FinishCompress(QByteArray &out)
    {
        if (m_bitPos != 0)
            out.append(static_cast<char>(m_outByte & 0xFF));
    }

    quint8 Expand(const QByteArray &code, qint64 &next)
    {
        int a = 0;
        while (a < 256) {
            if (m_bitPos == 7) {
                // A failed read gives 0; the byte is counted as taken all the same.
                m_inByte = next < code.size() ? static_cast<quint8>(code[next]) : 0;
                ++next;
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

    void StartExpand() { m_bitPos = 7; }

    void Splay(int c)
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
                m_up[a] = static_cast<quint8>(d);
                m_up[b] = static_cast<quint8>(c1);
                a = d;
            } else {
                a = c1;
            }
        } while (a != 0);
    }

private:
    static constexpr quint8 kMask[8] = {1, 2, 4, 8, 16, 32, 64, 128};
    std::array<quint16, 256> m_left{};
    std::array<quint16, 256> m_right{};
    std::array<quint8, 513> m_up{};
    int m_bitPos = 0;
    quint16 m_outByte = 0;
    quint16 m_inByte = 0;
};

QByteArray ReferenceCompress(const QByteArray &plain)
{
    ReferenceCoder coder;
    QByteArray out;
    for (const char ch : plain)
        coder.Compress(static_cast<quint8>(ch), out);
    coder.FinishCompress(out);
    return out;
}

QByteArray ReferenceExpand(const QByteArray &code, qint64 count, qint64 *consumed)
{
    ReferenceCoder coder;
    coder.StartExpand();
    QByteArray out;
    qint64 next = 0;
    for (qint64 i = 0; i < count; ++i)
        out.append(static_cast<char>(coder.Expand(code, next)));
    *consumed = next;
    return out;
}

// The longest code the reference sends for plain.
int LongestCode(const QByteArray &plain)
{
    ReferenceCoder coder;
    QByteArray sink;
    int longest = 0;
    for (const char ch : plain) {
        longest = std::max(longest, coder.Depth(static_cast<quint8>(ch)));
        coder.Compress(static_cast<quint8>(ch), sink);
    }
    return longest;
}

QByteArray RandomBytes(QRandomGenerator &rng, int size, int alphabet)
{
    QByteArray b(size, '\0');
    for (char &ch : b)
        ch = static_cast<char>(rng.bounded(alphabet));
    return b;
}

// Mostly few symbols with runs and an occasional stray byte, like drawing commands.
QByteArray SkewedBytes(QRandomGenerator &rng, int size)
{
    QByteArray b;
    b.reserve(size);
    while (b.size() < size) {
        const int kind = rng.bounded(10);
        if (kind < 3)
            b.append(QByteArray(1 + rng.bounded(40), static_cast<char>(rng.bounded(4))));
        else if (kind < 9)
            b.append(static_cast<char>("QPICARSTUV"[rng.bounded(10)]));
        else
            b.append(static_cast<char>(rng.bounded(256)));
    }
    b.truncate(size);
    return b;
}

// A sequence whose codes get far longer than one machine word. The coder keeps the tree
// shallow on its own, so such a sequence is searched for: start from the symbols in
// falling order (already about 40 bits deep) and keep small random changes that do not
// shorten the longest code.
QByteArray DeepTreeBytes(int rounds)
{
    QRandomGenerator rng(31337);
    QByteArray best;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 256; ++c)
            best.append(static_cast<char>(r < 2 ? 255 - c : c));
    int bestLength = LongestCode(best);
    for (int round = 0; round < rounds; ++round) {
        QByteArray candidate = best;
        for (int changes = rng.bounded(1, 5); changes > 0; --changes) {
            const int at = rng.bounded(static_cast<int>(candidate.size()));
            const int kind = rng.bounded(10);
            if (kind < 4)
                candidate[at] = static_cast<char>(rng.bounded(256));
            else if (kind < 7)
                candidate.remove(at, 1);
            else
                candidate.insert(at, static_cast<char>(rng.bounded(256)));
        }
        const int length = LongestCode(candidate);
        if (length >= bestLength) {
            best = candidate;
            bestLength = length;
        }
    }
    return best;
}

std::vector<QByteArray> RealPages()
{
    using reportengine_test::MakePage;
    using reportengine_test::PictureBytes;
    std::vector<QByteArray> pages;
    pages.push_back(PictureBytes(*MakePage({QStringLiteral("Karta oceny ryzyka zawodowego")})));
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QStringLiteral("Czynnik %1: hałas, źródło światła, pył zawieszony %2").arg(i).arg(i * 1.37, 0, 'f', 2);
    pages.push_back(PictureBytes(*MakePage(many)));
    pages.push_back(PictureBytes(*MakePage(many.mid(0, 20), 2970, 2100, true)));
    pages.push_back(PictureBytes(*MakePage({QStringLiteral("ŻÓŁĆ ĘĄŚŃ żółć ęąśń"), QString()}, 1480, 2100, true)));
    return pages;
}

void ExpectSameCode(const QByteArray &plain, const char *what)
{
    const QByteArray expected = ReferenceCompress(plain);
    const QByteArray code = TVRCompress::CompressBytes(plain);
    ASSERT_EQ(code.size(), expected.size()) << what;
    ASSERT_TRUE(code == expected) << what << ": first difference at byte "
                                  << std::mismatch(code.begin(), code.end(), expected.begin()).first - code.begin();

    qint64 consumed = -1;
    qint64 refConsumed = -1;
    const QByteArray back = TVRCompress::ExpandBytes(code.constData(), code.size(), plain.size(), &consumed);
    const QByteArray refBack = ReferenceExpand(code, plain.size(), &refConsumed);
    ASSERT_TRUE(refBack == plain) << what;
    ASSERT_TRUE(back == plain) << what;
    EXPECT_EQ(consumed, refConsumed) << what;
    EXPECT_EQ(consumed, code.size()) << what;
}

// The byte-at-a-time coder, writing to a device.
QByteArray DeviceCompress(const QByteArray &plain)
{
    QByteArray out;
    QBuffer sink(&out);
    sink.open(QIODevice::WriteOnly);
    {
        TVRCompress coder(&sink, true); // the last bits go out when it ends
        for (const char ch : plain)
            coder.Compress(static_cast<quint8>(ch));
    }
    return out;
}

// Code made of runs of equal bits whose lengths sit around the sizes the fast coder works
// in (a byte, the 56 bits a refill guarantees, the 64-bit buffer and twice that), so runs
// start and end on every bit position and cross refills, and the code ends in the middle
// of a run as often as not. Random bytes almost never hold a run of more than a few bits.
QByteArray BitRunCode(QRandomGenerator &rng)
{
    static const int kLengths[] = {1, 2, 7, 8, 9, 55, 56, 57, 63, 64, 65, 71, 72, 119, 120, 121, 127, 128, 129};
    constexpr int kLengthCount = int(sizeof kLengths / sizeof kLengths[0]);
    const int total = rng.bounded(1, 1200);
    std::vector<bool> bits;
    bool bit = rng.bounded(2) != 0;
    while (static_cast<int>(bits.size()) < total) {
        const int length = rng.bounded(3) == 0 ? rng.bounded(1, 20) : kLengths[rng.bounded(kLengthCount)];
        bits.insert(bits.end(), static_cast<size_t>(length), bit);
        bit = rng.bounded(4) == 0 ? rng.bounded(2) != 0 : !bit;
    }
    QByteArray code(static_cast<qsizetype>((bits.size() + 7) / 8), '\0');
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i])
            code[static_cast<qsizetype>(i / 8)] = static_cast<char>(code[static_cast<qsizetype>(i / 8)] | (1 << (i % 8)));
    return code;
}

// All three decoders against the reference: the whole-buffer one, the byte-at-a-time one
// on a device (it stops taking bytes where the device ends) and the one on memory.
void ExpectEveryDecoderAgrees(const QByteArray &code, qint64 count, const char *what)
{
    qint64 refConsumed = -1;
    const QByteArray expected = ReferenceExpand(code, count, &refConsumed);

    qint64 consumed = -1;
    const QByteArray whole = TVRCompress::ExpandBytes(code.constData(), code.size(), count, &consumed);
    ASSERT_TRUE(whole == expected) << what << ": whole buffer, " << count << " symbols from " << code.size()
                                   << " code bytes " << code.toBase64().constData();
    ASSERT_EQ(consumed, refConsumed) << what;

    QByteArray source = code;
    QBuffer device(&source);
    device.open(QIODevice::ReadOnly);
    TVRCompress fromDevice(&device, false);
    TVRCompress fromMemory(code.constData(), code.size());
    QByteArray byDevice;
    QByteArray byMemory;
    for (qint64 i = 0; i < count; ++i) {
        byDevice.append(static_cast<char>(fromDevice.Expand()));
        byMemory.append(static_cast<char>(fromMemory.Expand()));
    }
    ASSERT_TRUE(byDevice == expected) << what << ": from a device " << code.toBase64().constData();
    ASSERT_TRUE(byMemory == expected) << what << ": from memory " << code.toBase64().constData();
    EXPECT_EQ(fromDevice.Consumed(), std::min<qint64>(refConsumed, code.size())) << what;
    EXPECT_EQ(fromMemory.Consumed(), refConsumed) << what;
}

// Some bytes, then runs of symbols that the repetition lifts to a child of the root (their
// code is one bit and the fast coder sends a run of them at once), with run lengths around
// the word sizes and stray bytes between them.
QByteArray RootChildRuns(QRandomGenerator &rng)
{
    QByteArray plain = RandomBytes(rng, rng.bounded(0, 12), 256);
    for (int runs = rng.bounded(1, 6); runs > 0; --runs) {
        const int kind = rng.bounded(3);
        const char c = static_cast<char>(kind == 0 ? rng.bounded(256) : (kind == 1 ? 0 : 255));
        const int length = rng.bounded(4) == 0 ? rng.bounded(1, 300) : rng.bounded(50, 140);
        plain.append(QByteArray(length, c));
        if (rng.bounded(2))
            plain.append(static_cast<char>(rng.bounded(256)));
    }
    return plain;
}
} // namespace

TEST(PageCoderReference, ReferenceGivesTheKnownCodeOfAbc)
{
    // The reference itself is pinned to known code before it judges anything.
    EXPECT_EQ(ReferenceCompress("abc").toHex(' '), QByteArray("46 3d 01"));
    qint64 consumed = 0;
    EXPECT_EQ(ReferenceExpand(QByteArray::fromHex("463d01"), 3, &consumed), QByteArray("abc"));
    EXPECT_EQ(consumed, 3);
}

TEST(PageCoderReference, RealPagesCodeTheSameBothWays)
{
    const std::vector<QByteArray> pages = RealPages();
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameCode(pages[i], "page");
        // Pages one after another in one buffer: the tree carries over between them.
        if (i > 0)
            ExpectSameCode(pages[i - 1] + pages[i], "two pages");
    }
}

TEST(PageCoderReference, RandomBuffersCodeTheSameBothWays)
{
    QRandomGenerator rng(20261207);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int size = round < 10 ? round : rng.bounded(1, 30000);
        ExpectSameCode(RandomBytes(rng, size, 256), "uniform");
        ExpectSameCode(RandomBytes(rng, size, 1 + rng.bounded(16)), "small alphabet");
        ExpectSameCode(SkewedBytes(rng, size), "skewed");
    }
}

TEST(PageCoderReference, EdgeBuffersCodeTheSameBothWays)
{
    ExpectSameCode(QByteArray(), "empty");
    for (int c = 0; c < 256; ++c)
        ExpectSameCode(QByteArray(1, static_cast<char>(c)), "one byte");
    QByteArray all;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 256; ++c)
            all.append(static_cast<char>(r % 2 ? 255 - c : c));
    ExpectSameCode(all, "all values");
    ExpectSameCode(QByteArray(100000, '\0'), "zeros");
    ExpectSameCode(QByteArray(7777, '\xff') + all + QByteArray(3, '\xff'), "runs of 255");
    // A run of one-bit symbols that fills the whole 64-bit buffer near the end of the code
    // (found by fuzzing: the decoder kept the bits it had just used).
    ExpectSameCode(QByteArray::fromBase64("//8AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA1TA="),
                   "run filling the bit buffer");
    for (int zeros = 60; zeros < 140; ++zeros)
        ExpectSameCode(QByteArray(2, '\xff') + QByteArray(zeros, '\0') + QByteArray("\xd5\x30x", 3), "runs at the end");
    // Code lengths from 1 to 16 bytes end on every bit position.
    for (int n = 1; n <= 16; ++n)
        ExpectSameCode(all.left(n) + QByteArray(n, 'x'), "short");
}

TEST(PageCoderReference, CodesLongerThanAMachineWordCodeTheSame)
{
    const QByteArray deep = DeepTreeBytes(4000);
    ASSERT_GT(LongestCode(deep), 80); // more than one 64-bit word for one symbol
    ExpectSameCode(deep, "deep tree");
    QRandomGenerator rng(7);
    ExpectSameCode(deep + SkewedBytes(rng, 5000) + deep, "deep tree and more");
}

TEST(PageCoderReference, AnyCodeDecodesTheSameAlsoWhenItRunsOut)
{
    QRandomGenerator rng(99);
    const std::vector<QByteArray> pages = RealPages();
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        QByteArray code = RandomBytes(rng, rng.bounded(0, 400), 1 + rng.bounded(256));
        // Counts from nothing to far past what the code holds (zero bits after it).
        ExpectEveryDecoderAgrees(code, rng.bounded(0, 8 * code.size() + 50), "random code");
        // Real code cut short, and with bytes after it.
        const QByteArray real = TVRCompress::CompressBytes(pages[round % pages.size()]);
        const qint64 count = pages[round % pages.size()].size();
        ExpectEveryDecoderAgrees(real.left(rng.bounded(0, real.size())), count, "cut code");
        ExpectEveryDecoderAgrees(real + RandomBytes(rng, 20, 256), count, "code with a tail");
    }
}

TEST(PageCoderReference, ByteAtATimeCoderMatchesTheReference)
{
    QRandomGenerator rng(5);
    const QByteArray plain = RealPages()[1] + SkewedBytes(rng, 3000) + DeepTreeBytes(300);
    const QByteArray expected = ReferenceCompress(plain);

    ASSERT_TRUE(DeviceCompress(plain) == expected);

    QByteArray withTail = expected + "TAIL";
    QBuffer source(&withTail);
    source.open(QIODevice::ReadOnly);
    QByteArray back;
    {
        TVRCompress coder(&source, false);
        for (int i = 0; i < plain.size(); ++i)
            back.append(static_cast<char>(coder.Expand()));
        EXPECT_EQ(coder.Consumed(), expected.size());
    }
    EXPECT_TRUE(back == plain);
    EXPECT_EQ(source.pos(), expected.size());

    ExpectEveryDecoderAgrees(expected, plain.size() + 100, "past the end of the code");
}

TEST(PageCoderReference, CodesOfLongBitRunsDecodeTheSameEveryWay)
{
    QRandomGenerator rng(4711);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const QByteArray code = BitRunCode(rng);
        ExpectEveryDecoderAgrees(code, rng.bounded(0, static_cast<int>(8 * code.size() + 70)), "bit runs");
        // Short codes: the whole-buffer decoder reads 8 bytes at once only while 8 are left.
        const QByteArray shortCode = code.left(rng.bounded(0, 20));
        ExpectEveryDecoderAgrees(shortCode, rng.bounded(0, static_cast<int>(8 * shortCode.size() + 130)), "short bit runs");
    }
    // Eight 0 bits and a 1 lead to the spare leaf, which no coder sends: it reads as byte 0.
    ExpectEveryDecoderAgrees(QByteArray("\x00\x01", 2), 1, "spare leaf");
    ExpectEveryDecoderAgrees(QByteArray(24, '\xff'), 40, "all ones");
    ExpectEveryDecoderAgrees(QByteArray(24, '\0'), 300, "all zeros past the end");
}

TEST(PageCoderReference, RunsOfOneBitSymbolsOnEveryBitPositionCodeTheSame)
{
    QRandomGenerator rng(1207);
    for (int round = 0; round < 1500; ++round) {
        SCOPED_TRACE(round);
        const QByteArray plain = RootChildRuns(rng);
        ExpectSameCode(plain, "runs");

        const QByteArray out = DeviceCompress(plain);
        ASSERT_TRUE(out == ReferenceCompress(plain)) << "byte-at-a-time coder, " << plain.toBase64().constData();
        ExpectEveryDecoderAgrees(out, plain.size(), "runs");
    }
}
