#include "storage/chm_directory.h"

#include <QFile>
#include <gtest/gtest.h>

using storage::ParseChmDirectory;

namespace {

QByteArray shipped()
{
    QFile f(QStringLiteral(TARVELIN_INSTALL_DIR "/Tarvelin.chm"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ChmDirectory, ListsThePagesAndTheContextMapOfTheShippedFile)
{
    const auto dir = ParseChmDirectory(shipped());
    ASSERT_TRUE(dir.has_value());
    EXPECT_TRUE(dir->Contains("/#IVB"));
    EXPECT_TRUE(dir->Contains("/#STRINGS"));
    EXPECT_TRUE(dir->Contains("/okno_glowne.html"));
    EXPECT_TRUE(dir->Contains("/OKNO_GLOWNE.HTML")); // names are found as the viewers find them
    EXPECT_FALSE(dir->Contains("/brak.html"));
    for (const storage::ChmEntry &e : dir->entries) {
        EXPECT_EQ(e.section, 0u) << e.name.toStdString();
        EXPECT_LE(e.offset + e.length, quint64(shipped().size()));
    }
    EXPECT_TRUE(storage::ReadChmDirectory(QStringLiteral(TARVELIN_INSTALL_DIR "/Tarvelin.chm")).has_value());
    EXPECT_FALSE(storage::ReadChmDirectory(QStringLiteral(TARVELIN_INSTALL_DIR "/nie_ma.chm")).has_value());
}

TEST(ChmDirectory, CutOrSpoiltFilesAreRefusedNotOverread)
{
    const QByteArray good = shipped();
    ASSERT_GT(good.size(), 5000);
    // Cut anywhere within the header and the listing: never sound (the pages lie after it).
    for (qsizetype n = 0; n < 0x78 + 0x54 + 0x1000; n += 7)
        EXPECT_FALSE(ParseChmDirectory(good.left(n)).has_value()) << n;
    // A file cut within its pages still lists them, but one whose pages it lists lie
    // past its end is refused.
    EXPECT_FALSE(ParseChmDirectory(good.left(good.size() - 1)).has_value());
    QByteArray html = "<html><body>Zwykła strona, nie plik pomocy</body></html>";
    EXPECT_FALSE(ParseChmDirectory(html).has_value());
    // A listing whose name length runs past the chunk.
    QByteArray spoilt = good;
    const qsizetype chunk = 0x78 + 0x54;
    spoilt[chunk + 20] = char(0xff);
    spoilt[chunk + 21] = char(0xff);
    EXPECT_FALSE(ParseChmDirectory(spoilt).has_value());
}
