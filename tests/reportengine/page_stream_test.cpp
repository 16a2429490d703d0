// Page stream (memory, spill to a temporary file) and the page coder.

#include "reportengine/vr_stream.h"

#include "platform/tarvelin_error.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace reportengine;

namespace {

QByteArray Bytes(int n, char seed = 0)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>((i * 7 + seed) & 0xFF);
    return b;
}

QByteArray ReadAll(TVRStream &s)
{
    s.Seek(0, TVRSeekOrigin::Beginning);
    QByteArray out(s.Size(), '\0');
    EXPECT_EQ(s.Read(out.data(), out.size()), out.size());
    return out;
}

} // namespace

TEST(PageStream, StaysInMemoryUpToMinSizeAndSpillsOneByteLater)
{
    TVRStream s(100);
    s.Write(Bytes(100).constData(), 100);
    EXPECT_TRUE(s.InMemory());
    EXPECT_TRUE(s.TempFileName().isEmpty());
    s.Write("x", 1);
    EXPECT_FALSE(s.InMemory());
    const QFileInfo fi(s.TempFileName());
    EXPECT_TRUE(fi.fileName().startsWith(QStringLiteral("VRP"))) << fi.fileName().toStdString();
    EXPECT_EQ(fi.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(fi.exists());
    EXPECT_EQ(s.Position(), 101); // writing goes on at the end
    EXPECT_EQ(ReadAll(s), Bytes(100) + "x");
}

TEST(PageStream, FreeingASpilledStreamDeletesItsFile)
{
    QString name;
    {
        TVRStream s(10);
        s.Write(Bytes(50).constData(), 50);
        name = s.TempFileName();
        ASSERT_TRUE(QFile::exists(name));
    }
    EXPECT_FALSE(QFile::exists(name));
}

TEST(PageStream, SeekReadAndOverwriteWorkTheSameBeforeAndAfterTheMove)
{
    for (const int limit : {1 << 20, 16}) {
        TVRStream s(limit);
        s.Write(Bytes(64).constData(), 64);
        s.Seek(8, TVRSeekOrigin::Beginning);
        s.WriteInt32(0x01020304);
        s.Seek(-4, TVRSeekOrigin::End);
        char tail[4];
        EXPECT_EQ(s.Read(tail, 4), 4);
        EXPECT_EQ(QByteArray(tail, 4), Bytes(64).right(4));
        s.Seek(8, TVRSeekOrigin::Beginning);
        qint32 v = 0;
        EXPECT_TRUE(s.ReadInt32(v));
        EXPECT_EQ(v, 0x01020304);
        EXPECT_EQ(s.Size(), 64);
        char more[8];
        s.Seek(0, TVRSeekOrigin::End);
        EXPECT_EQ(s.Read(more, 8), 0); // at the end
    }
}

TEST(PageStream, TruncateDropsATail)
{
    for (const int limit : {1 << 20, 16}) {
        TVRStream s(limit);
        s.Write(Bytes(64).constData(), 64);
        s.Truncate(20);
        EXPECT_EQ(s.Size(), 20);
        s.Seek(0, TVRSeekOrigin::End);
        s.Write("ab", 2);
        EXPECT_EQ(ReadAll(s), Bytes(20) + "ab");
    }
}

TEST(PageStream, SaveToStreamCopiesEverythingInBlocks)
{
    TVRStream s(1000);
    const QByteArray data = Bytes(35000, 3);
    s.Write(data.constData(), data.size());
    ASSERT_FALSE(s.InMemory());
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    EXPECT_TRUE(s.SaveToStream(b));
    EXPECT_EQ(out, data);

    TVRStream empty(10);
    QByteArray none;
    QBuffer e(&none);
    e.open(QIODevice::WriteOnly);
    EXPECT_TRUE(empty.SaveToStream(e));
    EXPECT_TRUE(none.isEmpty());
}

TEST(PageStream, ReadOnlyStreamsRefuseWritesAndDoNotGrow)
{
    auto s = TVRStream::CreateFromBytes(QByteArray("abcdef"));
    EXPECT_THROW(s->Write("x", 1), platform::TarvelinError);
    EXPECT_EQ(s->Seek(100, TVRSeekOrigin::Beginning), 6);
    EXPECT_EQ(s->Seek(-100, TVRSeekOrigin::Current), 0);
    EXPECT_EQ(s->Size(), 6);
    EXPECT_THROW(TVRStream::CreateFromFile(QStringLiteral("/nonexistent/folder/x.vrp")), platform::TarvelinError);
}

TEST(PageCoder, AbcGivesTheThreeKnownCodeBytes)
{
    EXPECT_EQ(TVRCompress::CompressBytes("abc").toHex(' '), QByteArray("46 3d 01"));
    const QByteArray code = QByteArray::fromHex("463d01");
    qint64 consumed = 0;
    EXPECT_EQ(TVRCompress::ExpandBytes(code.constData(), code.size(), 3, &consumed), QByteArray("abc"));
    EXPECT_EQ(consumed, 3);
}

TEST(PageCoder, InitialCodesAreTheNumberPlusOneRootFirstAnd255HasNineBits)
{
    // A single symbol below 255 is 8 bits: one byte and nothing written at the end.
    for (int c : {0, 1, 97, 200, 254}) {
        const QByteArray code = TVRCompress::CompressBytes(QByteArray(1, static_cast<char>(c)));
        ASSERT_EQ(code.size(), 1) << c;
        // Bits of c + 1, most significant first, packed from the least significant bit.
        quint8 expected = 0;
        for (int i = 0; i < 8; ++i)
            if ((c + 1) & (0x80 >> i))
                expected |= static_cast<quint8>(1 << i);
        EXPECT_EQ(static_cast<quint8>(code[0]), expected) << c;
    }
    EXPECT_EQ(TVRCompress::CompressBytes(QByteArray(1, '\xff')).size(), 2);
}

TEST(PageCoder, StreamCoderMatchesTheMemoryCoderAndReadsExactlyItsCode)
{
    QByteArray plain;
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 5000; ++i)
        plain.append(static_cast<char>(i % 3 == 0 ? rng->bounded(256) : 'A' + i % 5));
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    {
        TVRCompress coder(&buf, true);
        for (char ch : plain)
            coder.Compress(static_cast<quint8>(ch));
    } // Destroy writes the rest
    EXPECT_EQ(out, TVRCompress::CompressBytes(plain));

    QByteArray withTail = out + "TAIL";
    QBuffer in(&withTail);
    in.open(QIODevice::ReadOnly);
    QByteArray back;
    {
        TVRCompress coder(&in, false);
        for (int i = 0; i < plain.size(); ++i)
            back.append(static_cast<char>(coder.Expand()));
        EXPECT_EQ(coder.Consumed(), out.size());
    }
    EXPECT_EQ(back, plain);
    EXPECT_EQ(in.pos(), out.size()); // the bytes after the code are untouched
}

TEST(PageCoder, RoundTripsAllByteValuesAndLongRuns)
{
    QByteArray plain;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 256; ++c)
            plain.append(static_cast<char>(c));
    plain += QByteArray(10000, '\0') + QByteArray(3000, '\xff');
    const QByteArray code = TVRCompress::CompressBytes(plain);
    EXPECT_LT(code.size(), plain.size());
    qint64 consumed = 0;
    EXPECT_EQ(TVRCompress::ExpandBytes(code.constData(), code.size(), plain.size(), &consumed), plain);
    EXPECT_EQ(consumed, code.size());
}

TEST(PageCoder, ReadingPastTheCodeGivesZeroBitsAndIsCounted)
{
    qint64 consumed = 0;
    const QByteArray out = TVRCompress::ExpandBytes(nullptr, 0, 4, &consumed);
    EXPECT_EQ(out.size(), 4);
    EXPECT_GT(consumed, 0); // the caller sees that the code ran out
}
