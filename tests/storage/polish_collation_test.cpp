#include "platform/cp1250.h"
#include "storage/polish_collation.h"

#include <QCollator>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

// The Polish collation of the ICU library is the yardstick: the order must give the same
// answer for every text the files can hold.
namespace {

int sign(int x)
{
    return (x > 0) - (x < 0);
}

const QCollator &icu()
{
    static const QCollator c = [] {
        QCollator polish{QLocale(QLocale::Polish, QLocale::Poland)};
        polish.setCaseSensitivity(Qt::CaseInsensitive);
        return polish;
    }();
    return c;
}

QStringList codePage()
{
    QStringList chars;
    for (int b = 0; b < 256; ++b)
        chars << platform::DecodeCp1250(QByteArray(1, char(b)));
    return chars;
}

#define EXPECT_SAME_ORDER(a, b) EXPECT_EQ(sign(storage::ComparePolish(a, b)), sign(icu().compare(a, b))) << "[" << qPrintable(a) << "] [" << qPrintable(b) << "]"

} // namespace

TEST(PolishOrder, AgreesWithTheCollationOnTrickyTexts)
{
    const char *texts[] = {"Ślusarnia", "Spawalnia", "Tokarnia", "Żuraw", "Źródło", "zz", "Łódź", "Lodz", "ćma", "cz",
                           "a b", "ab", "a-b", "a_b", "a.b", "a1", "a10", "a2", "1a", "Ąb", "ab", "AB", "Ab", "ß", "ss",
                           "sś", "…", "...", "....", "™", "TM", "tn", "L·l", "Ll", "Lz", "ďé", "đe", "éa", "ea", "eé",
                           "a\xc2\xad" "b", "a\x01", "", " ", "\xc2\xa0", "µ", "Ölfilter", "Olej", "Óbuwie"};
    for (const char *a : texts)
        for (const char *b : texts)
            EXPECT_SAME_ORDER(QString::fromUtf8(a), QString::fromUtf8(b));
}

TEST(PolishOrder, AgreesWithTheCollationOnEveryCharacterOfTheCodePage)
{
    const QStringList chars = codePage();
    for (const QString &a : chars)
        for (const QString &b : chars)
            EXPECT_SAME_ORDER(a, b);
    // Texts of the code page's characters, and the same texts edited a little.
    QRandomGenerator random(40);
    for (int n = 0; n < 200000 && !HasFailure(); ++n) {
        QString a;
        for (int i = random.bounded(1, 9); i > 0; --i)
            a += chars[random.bounded(256)];
        QString b = a;
        for (int e = random.bounded(1, 4); e > 0; --e) {
            const QString c = chars[random.bounded(256)];
            const int at = random.bounded(int(b.size()) + 1);
            if (random.bounded(2) && at < b.size())
                b.replace(at, 1, c);
            else
                b.insert(at, c);
        }
        EXPECT_SAME_ORDER(a, b);
    }
}

TEST(PolishOrder, SortsEveryNameOfTheInstallationAsTheCollationDoes)
{
    QStringList names;
    const QRegularExpression attribute(QStringLiteral("nazwa=\"([^\"]*)\""));
    QDirIterator files(QStringLiteral(TARVELIN_INSTALL_DIR), {QStringLiteral("*.xml")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile f(files.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        for (auto it = attribute.globalMatch(platform::DecodeCp1250(f.readAll())); it.hasNext();)
            names << it.next().captured(1);
    }
    names.removeDuplicates();
    ASSERT_GT(names.size(), 500);
    QStringList ours = names, theirs = names;
    std::sort(ours.begin(), ours.end(), [](const QString &a, const QString &b) {
        const int c = storage::ComparePolish(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    std::sort(theirs.begin(), theirs.end(), [](const QString &a, const QString &b) {
        const int c = icu().compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    EXPECT_EQ(ours, theirs);
}
