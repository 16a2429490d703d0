#include "storage/text_xml.h"
#include "platform/tarvelin_error.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

TEST(TextRoutines, ReadAttributeValueFindsAnAttributeOnlyWhereOneBegins)
{
    const QString line = QStringLiteral("<czynnik nrzal=\"7\" zal=\"3\" nazwa=\"Hałas\">");
    EXPECT_EQ(ReadAttributeValue(QStringLiteral("nazwa=\""), line), QStringLiteral("Hałas"));
    // The name `zal` inside `nrzal` is no attribute of its own.
    EXPECT_EQ(ReadAttributeValue(QStringLiteral("zal=\""), line), QStringLiteral("3"));
    EXPECT_EQ(ReadAttributeValue(QStringLiteral("brak=\""), line), QString());
    EXPECT_EQ(ReadAttributeValue(QString(), line), QString());
    // A value without its closing quote runs to the end of the line.
    EXPECT_EQ(ReadAttributeValue(QStringLiteral("a=\""), QStringLiteral("<x a=\"otwarte")), QStringLiteral("otwarte"));
}

TEST(TextRoutines, DoubleQuoteInsideAValueSurvivesAsQuot)
{
    const QString stored = QStringLiteral("Hala \"A\"");
    const QString line = QStringLiteral("<st nazwa=\"") + AttributeText(stored) + QStringLiteral("\" id=\"1\">");
    EXPECT_EQ(line, QStringLiteral("<st nazwa=\"Hala &quot;A&quot;\" id=\"1\">"));
    EXPECT_EQ(ReadAttributeValue(QStringLiteral("nazwa=\""), line), stored);
    EXPECT_EQ(ReadAttributeValue(QStringLiteral("id=\""), line), QStringLiteral("1"));
}

TEST(TextRoutines, ElementTextAndTags)
{
    EXPECT_EQ(ReadElementText(QStringLiteral("<dane nazwa=\"Opis\" typ=\"memo\">first line")), QStringLiteral("first line"));
    EXPECT_EQ(ReadElementText(QStringLiteral("<poz>Tekst</poz>")), QStringLiteral("Tekst"));
    EXPECT_EQ(ReadElementText(QStringLiteral("bez znacznika")), QStringLiteral("bez znacznika"));
    EXPECT_EQ(StripElementTags(QStringLiteral("<poz>Tekst</poz>")), QStringLiteral("Tekst"));
    EXPECT_EQ(StripElementTags(QStringLiteral("<poz a=\"1\">Tekst</poz>")), QStringLiteral("Tekst"));
}

TEST(TextRoutines, JoinContinuationLines)
{
    const QStringList lines = {"<a>", "<opis>pierwsza", "druga", "trzecia</opis>", "</a>"};
    int index = 1;
    EXPECT_EQ(JoinContinuationLines(lines, lines[1], index), QStringLiteral("<opis>pierwsza\ndruga\ntrzecia</opis>"));
    EXPECT_EQ(index, 3);
    const QStringList open = {"<a>", "<opis>bez końca", "dalej"};
    index = 1;
    EXPECT_EQ(JoinContinuationLines(open, open[1], index), QStringLiteral("<opis>bez końca"));
    EXPECT_EQ(index, 2);
    index = 0;
    const QStringList one = {"<x>"};
    EXPECT_EQ(JoinContinuationLines(one, one[0], index), QStringLiteral("<x>"));
    EXPECT_EQ(index, 0);
}

TEST(TextRoutines, ReadFirstElementValue)
{
    FixtureFolder fx;
    fx.WriteText("dok\\dane_1.xml", "<?xml?>\n<dane>\n<ed_1_Nazwisko>Kowalski</ed_1_Nazwisko>\n<ed_1_Nazwisko>Drugi</ed_1_Nazwisko>\n</dane>\n");
    QString v = QStringLiteral("bez zmian");
    ReadFirstElementValue(QStringLiteral("dok\\dane_1.xml"), QStringLiteral("<ed_1_Nazwisko>"), v);
    EXPECT_EQ(v, QStringLiteral("Kowalski"));
    v = QStringLiteral("bez zmian");
    ReadFirstElementValue(QStringLiteral("dok\\dane_1.xml"), QStringLiteral("<brak>"), v);
    EXPECT_EQ(v, QStringLiteral("bez zmian"));
    // An empty tag matches nothing (it would otherwise match the declaration line).
    ReadFirstElementValue(QStringLiteral("dok\\dane_1.xml"), QString(), v);
    EXPECT_EQ(v, QStringLiteral("bez zmian"));
    ReadFirstElementValue(QStringLiteral("dok\\brak.xml"), QStringLiteral("<ed_1_Nazwisko>"), v);
    EXPECT_EQ(v, QStringLiteral("bez zmian"));
}

TEST(ReadingProcedure, CutsOnlyContentLines)
{
    FixtureFolder fx;
    fx.WriteText("f.xml", "<?xml version=\"1.0\"?>\n  <root ver=\"1.0\">\n   <a>\nbez nawiasu\n  tekst<b>\n  </root>");
    const QStringList lines = ReadTextXmlLines(QStringLiteral("f.xml"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1], QStringLiteral("  <root ver=\"1.0\">")); // root line not cut
    EXPECT_EQ(lines[2], QStringLiteral("<a>"));
    EXPECT_EQ(lines[3], QStringLiteral("bez nawiasu"));
    EXPECT_EQ(lines[4], QStringLiteral("<b>"));
    EXPECT_EQ(lines[5], QStringLiteral("  </root>")); // last line not cut, file without final line end
    EXPECT_THROW(ReadTextXmlLines(QStringLiteral("brak.xml")), platform::TarvelinError);
    QStringList none;
    EXPECT_FALSE(ReadTextXmlLinesIfExists(QStringLiteral("brak.xml"), none));
}

TEST(WritingProcedure, DeclarationThenLinesCrLf)
{
    FixtureFolder fx;
    ASSERT_TRUE(WriteTextXmlFile(QStringLiteral("out\\..\\w.xml"), {"<root>", " <a/>", "</root>"}));
    EXPECT_EQ(fx.Read("w.xml"), QByteArray("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n<root>\r\n <a/>\r\n</root>\r\n"));
}

TEST(Numbers, StrictAndLenientConversions)
{
    EXPECT_EQ(ToInt(QStringLiteral(" 42 ")), 42);
    EXPECT_DOUBLE_EQ(ToDouble(QStringLiteral("3.5")), 3.5);
    EXPECT_THROW(ToDouble(QStringLiteral("3,5")), platform::TarvelinError);
    EXPECT_THROW(ToInt(QStringLiteral("x")), platform::TarvelinError);
    EXPECT_THROW(ToDouble(QString()), platform::TarvelinError);
    EXPECT_EQ(ToIntDef(QStringLiteral(""), 7), 7);
    EXPECT_DOUBLE_EQ(ToDoubleDef(QStringLiteral("abc"), 1.5), 1.5);
    EXPECT_EQ(FloatToText(0.1), QStringLiteral("0.1"));
    EXPECT_FALSE(ContainsText(QStringLiteral("abc"), QString()));
    EXPECT_TRUE(ContainsText(QStringLiteral("abc"), QStringLiteral("b")));
}
