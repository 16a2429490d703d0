#include "platform/cp1250.h"
#include "storage/polish_collation.h"

#include <QCollator>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

// The Polish collation of the ICU library is the yardstick: the order must give the same
// answer for every pair of texts the files can hold: each character of the code page, tricky
// texts, every name of the installation, and texts of the code page edited a little.
TEST(PolishOrder, AgreesWithTheCollationOnEveryPairOfTexts)
{
    QCollator icu{QLocale(QLocale::Polish, QLocale::Poland)};
    icu.setCaseSensitivity(Qt::CaseInsensitive);
    const auto same = [&](const QString &a, const QString &b) {
        const int ours = storage::ComparePolish(a, b), theirs = icu.compare(a, b);
        EXPECT_EQ((ours > 0) - (ours < 0), (theirs > 0) - (theirs < 0))
            << "[" << qPrintable(a) << "] [" << qPrintable(b) << "]";
    };
    QStringList chars, texts;
    for (int b = 0; b < 256; ++b)
        chars << platform::DecodeCp1250(QByteArray(1, char(b)));
    const char *tricky[] = {
        "Ślusarnia", "Spawalnia", "Tokarnia", "Żuraw", "Źródło",   "zz", "Łódź",     "Lodz", "ćma",   "cz",
        "a b",       "ab",        "a-b",      "a_b",   "a.b",      "a1", "a10",      "a2",   "1a",    "Ąb",
        "ab",        "AB",        "Ab",       "ß",     "ss",       "sś", "…",        "...",  "....",  "™",
        "TM",        "tn",        "L·l",      "Ll",    "Lz",       "ďé", "đe",       "éa",   "ea",    "eé",
        "a\u00adb",  "a\x01",     "",         " ",     "\xc2\xa0", "µ",  "Ölfilter", "Olej", "Óbuwie"};
    for (const char *t : tricky)
        texts << QString::fromUtf8(t);
    const QRegularExpression attribute(QStringLiteral("nazwa=\"([^\"]*)\""));
    for (QDirIterator it(QStringLiteral(TARVELIN_INSTALL_DIR), {QStringLiteral("*.xml")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        for (auto m = attribute.globalMatch(platform::DecodeCp1250(f.readAll())); m.hasNext();)
            texts << m.next().captured(1);
    }
    texts.removeDuplicates();
    ASSERT_GT(texts.size(), 500);
    texts += chars;
    for (const QString &a : texts)
        for (const QString &b : texts)
            same(a, b);
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
        same(a, b);
    }
}
