// Page list: records and links, the stored report file, damaged files, golden files.

#include "page_helpers.h"

#include "reportengine/vr_page_list.h"
#include "reportengine/vr_page_picture.h"

#include "platform/tarvelin_error.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstring>

using namespace reportengine;
using reportengine_test::MakePage;
using reportengine_test::PictureBytes;

namespace {

qint32 I32(const QByteArray &b, int at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A list with n pages, each page showing "Strona i" and a Polish line.
std::vector<QByteArray> Fill(TVRPageList &list, int n, int minSize = 250000)
{
    list.SetStream(std::make_unique<TVRStream>(minSize));
    std::vector<QByteArray> data;
    for (int i = 1; i <= n; ++i) {
        auto page = MakePage({QStringLiteral("Strona %1").arg(i), QStringLiteral("Zażółć gęślą jaźń %1").arg(i)});
        data.push_back(PictureBytes(*page));
        list.AddPage(*page);
    }
    list.Finish();
    return data;
}

// A stored report file made by hand, with any of the three header layouts.
QByteArray BuildFile(int headerSize, const std::vector<QByteArray> &payloads, bool coded, double stamp)
{
    QByteArray f(headerSize, '\0');
    qToLittleEndian<qint16>(3, f.data());
    qToLittleEndian<qint16>(40, f.data() + 2);
    qToLittleEndian<qint32>(static_cast<qint32>(payloads.size()), f.data() + 8);
    const int timeAt = headerSize == 124 ? 12 : 16;
    const int flagAt = headerSize == 124 ? 21 : 25;
    std::memcpy(f.data() + timeAt, &stamp, 8);
    f[flagAt] = coded ? 1 : 0;
    for (size_t i = 0; i < payloads.size(); ++i) {
        const qint32 start = f.size();
        QByteArray r(12 + payloads[i].size(), '\0');
        qToLittleEndian<qint32>(static_cast<qint32>(i + 1), r.data());
        qToLittleEndian<qint32>(start + r.size(), r.data() + 4);
        std::memcpy(r.data() + 8, payloads[i].constData(), payloads[i].size());
        qToLittleEndian<qint32>(start, r.data() + 8 + payloads[i].size());
        f += r;
    }
    return f;
}

QByteArray CodedPayload(const QByteArray &picture)
{
    QByteArray p(4, '\0');
    qToLittleEndian<qint32>(static_cast<qint32>(picture.size()), p.data());
    return p + TVRCompress::CompressBytes(picture);
}

QString GoldenPath(const char *name)
{
    return QStringLiteral(TARVELIN_TEST_DATA "/") + QLatin1String(name);
}

} // namespace

TEST(PageList, OnePageRunWritesTheHeaderAndOneLinkedRecord)
{
    TVRPageList list;
    const auto data = Fill(list, 1);
    QTemporaryDir dir;
    const QString path = dir.filePath("one.vrp");
    ASSERT_TRUE(list.SaveToFile(path));
    const QByteArray f = ReadFile(path);
    ASSERT_GT(f.size(), 140);
    EXPECT_EQ(f.left(4).toHex(' '), QByteArray("03 00 28 00"));
    EXPECT_EQ(I32(f, 8), 1);
    EXPECT_EQ(f[25], 0);
    // Bytes nobody reads are zero, so the same pages give the same file.
    EXPECT_EQ(f.mid(4, 4), QByteArray(4, '\0'));
    EXPECT_EQ(f.mid(12, 4), QByteArray(4, '\0'));
    EXPECT_EQ(f[24], 0);
    EXPECT_EQ(f.mid(26, 102), QByteArray(102, '\0'));
    EXPECT_EQ(I32(f, 128), 1);
    EXPECT_EQ(I32(f, 132), f.size());
    EXPECT_EQ(I32(f, f.size() - 4), 128);
    EXPECT_EQ(f.mid(136, f.size() - 140), data[0]);
    // The picture itself is in the pinned format with the page size in it.
    EXPECT_EQ(f.mid(136, 4), QByteArray("QPIC"));
    EXPECT_EQ(f.mid(142, 2).toHex(), QByteArray("0014"));
}

TEST(PageList, CreationTimeIsStoredAsDaysSince1899)
{
    const QDateTime t(QDate(2009, 3, 5), QTime(12, 0));
    const double v = TVRPageList::ToStoredTime(t);
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    EXPECT_EQ(b.toHex(' '), QByteArray("00 00 00 00 b0 78 e3 40"));
    EXPECT_EQ(TVRPageList::FromStoredTime(v), t);
}

TEST(PageList, PagesReadBackInAnyOrderInMemorySpilledAndCoded)
{
    struct Case
    {
        int minSize;
        bool coded;
    };
    for (const Case c : {Case{250000, false}, Case{600, false}, Case{250000, true}, Case{600, true}}) {
        TVRPageList list;
        list.Compression = c.coded;
        const auto data = Fill(list, 6, c.minSize);
        EXPECT_EQ(list.Stream()->InMemory(), c.minSize > 100000) << list.Stream()->Size();
        ASSERT_EQ(list.PageCount(), 6);
        for (int n : {3, 5, 3, 1, 6, 2, 4, 6, 1}) {
            const auto page = list.GetPage(n);
            ASSERT_TRUE(page) << n;
            EXPECT_EQ(PictureBytes(*page), data[n - 1]) << "page " << n << " coded " << c.coded;
        }
        for (int n : {7, 0, -3}) {
            EXPECT_EQ(list.GetPage(n), nullptr) << n;
            EXPECT_FALSE(list.SeekToPage(n)) << n;
        }
        for (int n : {4, 2}) {
            ASSERT_TRUE(list.SeekToPage(n));
            qint32 number = 0;
            EXPECT_TRUE(list.Stream()->ReadInt32(number));
            EXPECT_EQ(number, n);
        }
    }
}

TEST(PageList, PagesCanBeReadWhileMorePagesAreAdded)
{
    TVRPageList list;
    list.SetStream(std::make_unique<TVRStream>(3000));
    for (int i = 1; i <= 5; ++i) {
        list.AddPage(*MakePage({QStringLiteral("Strona %1").arg(i)}));
        const auto last = list.GetPage(i);
        ASSERT_TRUE(last);
        EXPECT_EQ(CapturePageTexts(*last), QStringList{QStringLiteral("Strona %1").arg(i)});
    }
}

TEST(PageList, PagesWrittenAfterClearLeaveNoOlderPagesInTheFile)
{
    for (const int minSize : {250000, 100}) { // in memory and spilled to a file
        SCOPED_TRACE(minSize);
        TVRPageList list;
        Fill(list, 3, minSize);
        list.Clear();
        EXPECT_EQ(list.PageCount(), 0);
        const auto page = MakePage({QStringLiteral("Nowa strona")});
        list.AddPage(*page);
        list.Finish();
        QTemporaryDir dir;
        const QString path = dir.filePath("again.vrp");
        ASSERT_TRUE(list.SaveToFile(path));
        const QByteArray f = ReadFile(path);
        EXPECT_EQ(I32(f, 8), 1);
        // The one record ends the file: nothing of the three earlier pages is left behind.
        EXPECT_EQ(I32(f, 132), f.size());
        QByteArray oldText; // a text of the third old page as a picture stores it
        for (const QChar c : QStringLiteral("Zażółć gęślą jaźń 3"))
            oldText.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
        EXPECT_FALSE(f.contains(oldText));
        TVRPageList back;
        back.LoadFromFile(path);
        ASSERT_EQ(back.PageCount(), 1);
        EXPECT_EQ(CapturePageTexts(*back.GetPage(1)), QStringList{QStringLiteral("Nowa strona")});
    }
}

TEST(PageList, StoredFileRoundTripsAndKeepsItsCodedFlag)
{
    QTemporaryDir dir;
    for (const bool coded : {false, true}) {
        TVRPageList writer;
        writer.Compression = coded;
        const auto data = Fill(writer, 3);
        const QString path = dir.filePath(coded ? "c.vrp" : "u.vrp");
        ASSERT_TRUE(writer.SaveToFile(path));
        EXPECT_EQ(ReadFile(path)[25], coded ? 1 : 0);

        // The reader starts with the other setting; the file's flag decides.
        TVRPageList reader;
        reader.Compression = !coded;
        reader.LoadFromFile(path);
        EXPECT_EQ(reader.Compression, coded);
        EXPECT_EQ(reader.HeaderSize(), 128);
        ASSERT_EQ(reader.PageCount(), 3);
        for (int n : {3, 1, 2})
            EXPECT_EQ(PictureBytes(*reader.GetPage(n)), data[n - 1]);
        EXPECT_TRUE(reader.CreationTime().isValid());

        // Saving the loaded pages elsewhere copies the file byte for byte.
        const QString copy = dir.filePath("copy.vrp");
        ASSERT_TRUE(reader.SaveToFile(copy));
        EXPECT_EQ(ReadFile(copy), ReadFile(path));
    }
}

TEST(PageList, SavingOverTheLoadedFileKeepsIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("same.vrp");
    TVRPageList writer;
    Fill(writer, 2);
    ASSERT_TRUE(writer.SaveToFile(path));
    const QByteArray before = ReadFile(path);

    TVRPageList reader;
    reader.LoadFromFile(path);
    ASSERT_TRUE(reader.SaveToFile(path));
    ASSERT_TRUE(reader.SaveToFile(dir.path() + "/./same.vrp"));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_TRUE(reader.GetPage(2));
}

TEST(PageList, OlderHeaderLayoutsLoadWithTheSameCountDateAndPages)
{
    const QDateTime t(QDate(2009, 3, 5), QTime(12, 0));
    const double stamp = TVRPageList::ToStoredTime(t);
    std::vector<QByteArray> pictures;
    for (int i = 1; i <= 3; ++i)
        pictures.push_back(PictureBytes(*MakePage({QStringLiteral("Strona %1").arg(i)})));
    QTemporaryDir dir;
    for (const int header : {128, 124, 96}) {
        for (const bool coded : {false, true}) {
            std::vector<QByteArray> payloads;
            for (const QByteArray &p : pictures)
                payloads.push_back(coded ? CodedPayload(p) : p);
            const QString path = dir.filePath(QStringLiteral("h%1%2.vrp").arg(header).arg(coded));
            WriteFile(path, BuildFile(header, payloads, coded, stamp));
            TVRPageList list;
            list.LoadFromFile(path);
            EXPECT_EQ(list.HeaderSize(), header);
            EXPECT_EQ(list.PageCount(), 3);
            EXPECT_EQ(list.Compression, coded);
            EXPECT_EQ(list.CreationTime(), t) << header;
            for (int n : {2, 3, 1})
                EXPECT_EQ(PictureBytes(*list.GetPage(n)), pictures[n - 1]) << header << " " << coded;
        }
    }
}

TEST(PageList, AFileWithoutPagesLoadsEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.vrp");
    TVRPageList writer;
    writer.SetStream(std::make_unique<TVRStream>());
    writer.Finish();
    ASSERT_TRUE(writer.SaveToFile(path));
    EXPECT_EQ(ReadFile(path).size(), 128);
    TVRPageList reader;
    reader.LoadFromFile(path);
    EXPECT_EQ(reader.PageCount(), 0);
    EXPECT_EQ(reader.GetPage(1), nullptr);
}

class DamagedFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TVRPageList writer;
        m_pages = Fill(writer, 3);
        const QString good = m_dir.filePath("good.vrp");
        ASSERT_TRUE(writer.SaveToFile(good));
        m_good = ReadFile(good);
        m_list.LoadFromFile(good);
    }

    // Loading bad bytes is refused with a message and the shown pages stay.
    QString ExpectRefused(const QByteArray &bad)
    {
        const QString path = m_dir.filePath("bad.vrp");
        WriteFile(path, bad);
        QString message;
        try {
            m_list.LoadFromFile(path);
            ADD_FAILURE() << "accepted a damaged file";
        } catch (const platform::TarvelinError &e) {
            message = e.message();
        }
        EXPECT_FALSE(message.isEmpty());
        EXPECT_EQ(m_list.PageCount(), 3);
        const auto p = m_list.GetPage(2);
        EXPECT_TRUE(p && PictureBytes(*p) == m_pages[1]);
        return message;
    }

    QTemporaryDir m_dir;
    TVRPageList m_list;
    std::vector<QByteArray> m_pages;
    QByteArray m_good;
};

TEST_F(DamagedFile, EmptyAndShortFilesAreRefused)
{
    EXPECT_TRUE(ExpectRefused(QByteArray()).contains(QStringLiteral("pusty")));
    ExpectRefused(QByteArray(50, 'x'));
    ExpectRefused(QByteArray(200, '\0')); // no report tag
}

TEST_F(DamagedFile, TruncatedRecordsAreRefused)
{
    for (qsizetype cut : {qsizetype(1), qsizetype(4), qsizetype(100), m_good.size() - 140})
        EXPECT_TRUE(ExpectRefused(m_good.left(m_good.size() - cut)).contains(QStringLiteral("uszkodzony"))) << cut;
}

TEST_F(DamagedFile, BrokenLinksAndNumbersAreRefused)
{
    // A forward link past the end and one inside its own record, a wrong page number, a
    // broken backward link, more pages than records and a negative count.
    const std::pair<qsizetype, qint32> damages[] = {{132, 999999},           {132, 140}, {128, 5},
                                                    {m_good.size() - 4, -1}, {8, 50},    {8, -2}};
    for (const auto &[at, value] : damages) {
        SCOPED_TRACE(value);
        QByteArray b = m_good;
        qToLittleEndian<qint32>(value, b.data() + at);
        ExpectRefused(b);
    }
}

TEST_F(DamagedFile, DamagedPicturesAndCodesAreRefused)
{
    QByteArray b = m_good;
    b[136 + 40] = static_cast<char>(b[136 + 40] ^ 0x5A); // breaks the picture checksum
    ExpectRefused(b);

    // A coded file whose count promises more than the code can hold.
    QByteArray coded = BuildFile(128, {CodedPayload(m_pages[0])}, true, 0);
    qToLittleEndian<qint32>(1 << 30, coded.data() + 136);
    ExpectRefused(coded);
    // A coded page cut short.
    QByteArray shortCode = CodedPayload(m_pages[0]);
    shortCode.chop(shortCode.size() / 2);
    ExpectRefused(BuildFile(128, {shortCode}, true, 0));
}

TEST_F(DamagedFile, WindowsMetafilePagesAreRefusedWithTheirOwnMessage)
{
    QByteArray emf(200, '\0');
    emf[0] = 1;
    std::memcpy(emf.data() + 40, " EMF", 4);
    const QString msg = ExpectRefused(BuildFile(128, {emf, emf}, false, 0));
    EXPECT_TRUE(msg.contains(QStringLiteral("EMF"))) << msg.toStdString();
    // The older layouts are told apart by that signature too, and coded pages once decoded.
    EXPECT_TRUE(ExpectRefused(BuildFile(124, {emf}, false, 0)).contains(QStringLiteral("EMF")));
    const QString coded = ExpectRefused(BuildFile(128, {CodedPayload(emf)}, true, 0));
    EXPECT_TRUE(coded.contains(QStringLiteral("EMF")) && coded.contains(QStringLiteral("bad.vrp")))
        << coded.toStdString();
}

TEST_F(DamagedFile, PagesOfANewerPictureFormatAreRefused)
{
    QByteArray p = m_pages[0];
    p[7] = 21; // format major 21
    const quint16 sum = qChecksum(QByteArrayView(p.constData() + 6, p.size() - 6));
    qToBigEndian<quint16>(sum, p.data() + 4);
    EXPECT_TRUE(ExpectRefused(BuildFile(128, {p}, false, 0)).contains(QStringLiteral("nowszym")));
}

TEST_F(DamagedFile, AMissingFileIsRefused)
{
    EXPECT_THROW(m_list.LoadFromFile(m_dir.filePath("nothing.vrp")), platform::TarvelinError);
    EXPECT_EQ(m_list.PageCount(), 3);
}

TEST(PageList, AFailedWriteLeavesNoHalfPage)
{
    TVRPageList list;
    Fill(list, 2);
    QTemporaryDir dir;
    const QString path = dir.filePath("ro.vrp");
    ASSERT_TRUE(list.SaveToFile(path));
    list.LoadFromFile(path); // a loaded file is read only
    EXPECT_THROW(list.AddPage(*MakePage({QStringLiteral("x")})), platform::TarvelinError);
    EXPECT_EQ(list.PageCount(), 2);
    EXPECT_TRUE(list.GetPage(2));
}

TEST(PageList, SavingToAnUnwritablePlaceFailsAndWritesNothing)
{
    TVRPageList list;
    Fill(list, 1);
    EXPECT_FALSE(list.SaveToFile(QStringLiteral("/nonexistent/folder/a.vrp")));
}

TEST(Outline, FindsEntriesAndBuildsTheTree)
{
    TVROutline outline;
    outline.Add({QStringLiteral("Rozdział"), 0, QRect(1, 2, 3, 4), 2, 10});
    outline.Add({QStringLiteral("Punkt"), 1, QRect(5, 6, 7, 8), 3, 11});
    outline.Add({QStringLiteral("Drugi"), 0, QRect(), 4, 12});
    QRect r;
    int page = -1;
    EXPECT_TRUE(outline.FindEntry(11, r, page));
    EXPECT_EQ(r, QRect(5, 6, 7, 8));
    EXPECT_EQ(page, 3);
    EXPECT_FALSE(outline.FindEntry(99, r, page));
    EXPECT_TRUE(r.isNull());
    EXPECT_EQ(page, 0);

    QTreeWidget tree;
    outline.SetTreeView(&tree);
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("Rozdział"));
    ASSERT_EQ(tree.topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->text(0), QStringLiteral("Punkt"));
    outline.Clear();
    outline.Rebuild();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

// ---------------------------------------------------------------------------------------
// Golden files: a 2-page report written once, uncompressed and compressed, read by every
// later build.

namespace {

QStringList GoldenTexts(int page)
{
    if (page == 1)
        return {QStringLiteral("Karta oceny ryzyka zawodowego"), QStringLiteral("Zażółć gęślą jaźń"),
                QStringLiteral("ŁÓDŹ, ŚWIĘTOKRZYSKIE"), QStringLiteral("Strona 1 z 2")};
    return {QStringLiteral("Stanowisko: spawacz"), QStringLiteral("Hałas: 85 dB"), QStringLiteral("Strona 2 z 2")};
}

void WriteGolden(bool coded, const QString &path)
{
    TVRPageList list;
    list.Compression = coded;
    list.SetStream(std::make_unique<TVRStream>());
    for (int p = 1; p <= 2; ++p)
        list.AddPage(*MakePage(GoldenTexts(p), 2100, 2970, p == 2));
    list.Finish();
    ASSERT_TRUE(list.SaveToFile(path));
}

} // namespace

TEST(GoldenFile, RegenerateOnRequest)
{
    if (qEnvironmentVariableIsEmpty("TARVELIN_WRITE_GOLDEN"))
        GTEST_SKIP() << "set TARVELIN_WRITE_GOLDEN=1 to rewrite the golden report files";
    WriteGolden(false, GoldenPath("report_2pages.vrp"));
    WriteGolden(true, GoldenPath("report_2pages_compressed.vrp"));
}

TEST(GoldenFile, BothStoredReportsLoadWithTheirPagesSizesAndTexts)
{
    for (const char *name : {"report_2pages.vrp", "report_2pages_compressed.vrp"}) {
        SCOPED_TRACE(name);
        TVRPageList list;
        list.LoadFromFile(GoldenPath(name));
        EXPECT_EQ(list.Compression, QByteArray(name).contains("compressed"));
        ASSERT_EQ(list.PageCount(), 2);
        for (int p = 1; p <= 2; ++p) {
            const auto page = list.GetPage(p);
            ASSERT_TRUE(page);
            EXPECT_EQ(page->boundingRect(), QRect(0, 0, 794, 1123)); // A4 at 96 per inch
            EXPECT_EQ(CapturePageTexts(*page), GoldenTexts(p));
        }
    }
    // Both hold the same pictures.
    TVRPageList a, b;
    a.LoadFromFile(GoldenPath("report_2pages.vrp"));
    b.LoadFromFile(GoldenPath("report_2pages_compressed.vrp"));
    for (int p = 1; p <= 2; ++p)
        EXPECT_EQ(a.GetPageData(p), b.GetPageData(p));
}

// ---------------------------------------------------------------------------------------
// Pages written by one process read back the same in another.

namespace {

QByteArray Describe(TVRPageList &list)
{
    QByteArray out;
    for (int p = 1; p <= list.PageCount(); ++p) {
        const QByteArray data = list.GetPageData(p);
        const auto page = list.GetPage(p);
        const QRect r = page->boundingRect();
        out += QByteArray::number(p) + ' ' + QByteArray::number(r.width()) + 'x' + QByteArray::number(r.height()) +
               ' ' + QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex() + ' ' +
               CapturePageTexts(*page).join('|').toUtf8() + '\n';
    }
    return out;
}

} // namespace

TEST(PageFileCrossProcess, ReaderSide)
{
    const QString file = qEnvironmentVariable("TARVELIN_VRP_CROSS_FILE");
    const QString out = qEnvironmentVariable("TARVELIN_VRP_CROSS_OUT");
    if (file.isEmpty() || out.isEmpty())
        GTEST_SKIP() << "run by PageFileCrossProcess.AnotherProcessReadsTheSamePages";
    TVRPageList list;
    list.LoadFromFile(file);
    WriteFile(out, Describe(list));
}

TEST(PageFileCrossProcess, AnotherProcessReadsTheSamePages)
{
    QTemporaryDir dir;
    for (const bool coded : {false, true}) {
        TVRPageList list;
        list.Compression = coded;
        list.SetStream(std::make_unique<TVRStream>(5000)); // spilled to a file as well
        for (int i = 1; i <= 4; ++i)
            list.AddPage(*MakePage({QStringLiteral("Strona %1").arg(i), QStringLiteral("Pomiar źródła światła")},
                                   i % 2 ? 2100 : 2970, i % 2 ? 2970 : 2100, i == 3));
        list.Finish();
        const QString file = dir.filePath("cross.vrp");
        ASSERT_TRUE(list.SaveToFile(file));
        const QString out = dir.filePath("cross.txt");
        QFile::remove(out);

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARVELIN_VRP_CROSS_FILE", file);
        env.insert("TARVELIN_VRP_CROSS_OUT", out);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=PageFileCrossProcess.ReaderSide")});
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
        const QByteArray expected = Describe(list);
        EXPECT_EQ(ReadFile(out), expected);
        EXPECT_TRUE(expected.contains("Pomiar \xc5\xba"));
    }
}

// ---------------------------------------------------------------------------------------
// Coded pages are coded and decoded on worker threads; the file stays what one thread
// writes.

namespace {

// The bytes of a saved list with its creation time blanked (the one range two runs differ in).
QByteArray SavedWithoutTime(TVRPageList &list, const QString &path)
{
    EXPECT_TRUE(list.SaveToFile(path));
    QByteArray f = ReadFile(path);
    if (f.size() >= 24)
        std::memset(f.data() + 16, 0, 8);
    return f;
}

struct CoderThreads
{
    explicit CoderThreads(int n) : saved(TVRPageList::CoderThreads()) { TVRPageList::SetCoderThreads(n); }
    ~CoderThreads() { TVRPageList::SetCoderThreads(saved); }
    int saved;
};

} // namespace

TEST(PageCoderThreads, TheGoldenCodedFileIsWrittenAgainByteForByte)
{
    // The golden file was written by the one-thread coder of an earlier build.
    TVRPageList golden;
    golden.LoadFromFile(GoldenPath("report_2pages_compressed.vrp"));
    CoderThreads threads(4);
    TVRPageList again;
    again.Compression = true;
    again.SetStream(std::make_unique<TVRStream>());
    for (int p = 1; p <= 2; ++p)
        again.AddPage(*golden.GetPage(p));
    again.Finish();
    QTemporaryDir dir;
    QByteArray expected = ReadFile(GoldenPath("report_2pages_compressed.vrp"));
    std::memset(expected.data() + 16, 0, 8);
    EXPECT_EQ(SavedWithoutTime(again, dir.filePath("again.vrp")), expected);
}

TEST(PageCoderThreads, ManyPagesGiveTheSameFileOnAnyNumberOfThreadsAndReadBackInAnyOrder)
{
    std::vector<std::unique_ptr<QPicture>> pages;
    for (int i = 1; i <= 60; ++i)
        pages.push_back(MakePage({QStringLiteral("Strona %1").arg(i), QStringLiteral("Źródło hałasu %1").arg(i * 7)},
                                 2100, 2970, i % 9 == 0));
    QTemporaryDir dir;
    QByteArray files[3];
    const int counts[3] = {0, 1, 6};
    for (int k = 0; k < 3; ++k) {
        CoderThreads threads(counts[k]);
        TVRPageList list;
        list.Compression = true;
        list.SetStream(std::make_unique<TVRStream>(40000)); // spills to a file on the way
        for (size_t i = 0; i < pages.size(); ++i) {
            list.AddPage(*pages[i]);
            // A page just added reads back at once, written or still being coded.
            EXPECT_EQ(list.GetPageData(static_cast<int>(i) + 1), PictureBytes(*pages[i]));
            EXPECT_EQ(list.PageCount(), static_cast<int>(i) + 1);
        }
        for (int n : {60, 1, 2, 3, 30, 29, 31, 59, 58, 10})
            EXPECT_EQ(list.GetPageData(n), PictureBytes(*pages[n - 1])) << n;
        list.Finish();
        files[k] = SavedWithoutTime(list, dir.filePath(QStringLiteral("t%1.vrp").arg(k)));
        EXPECT_EQ(I32(files[k], 8), 60);

        TVRPageList back;
        back.LoadFromFile(dir.filePath(QStringLiteral("t%1.vrp").arg(k)));
        for (int n = 1; n <= 60; ++n)
            ASSERT_EQ(back.GetPageData(n), PictureBytes(*pages[n - 1])) << n;
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_EQ(files[0], files[2]);
}

TEST(PageCoderThreads, ADamagedPageAheadOfTheOneReadIsToldOnlyWhenItIsAskedFor)
{
    CoderThreads threads(4);
    std::vector<QByteArray> payloads;
    for (int i = 1; i <= 4; ++i)
        payloads.push_back(CodedPayload(PictureBytes(*MakePage({QStringLiteral("Strona %1").arg(i)}))));
    payloads[2] = payloads[2].left(6) + QByteArray(payloads[2].size() - 6, '\xff'); // page 3's code is garbage
    QTemporaryDir dir;
    const QString path = dir.filePath("bad3.vrp");
    WriteFile(path, BuildFile(128, payloads, true, 0));
    TVRPageList list;
    list.LoadFromFile(path);
    EXPECT_EQ(CapturePageTexts(*list.GetPage(1)), QStringList{QStringLiteral("Strona 1")});
    EXPECT_EQ(CapturePageTexts(*list.GetPage(2)), QStringList{QStringLiteral("Strona 2")});
    EXPECT_THROW(list.GetPage(3), platform::TarvelinError);
    EXPECT_EQ(CapturePageTexts(*list.GetPage(4)), QStringList{QStringLiteral("Strona 4")});
}
