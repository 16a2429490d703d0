#include "widgets/date_typing.h"
#include "widgets/list_box.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// A year typed after a click into it replaces it, in every part of the date.
TEST(DateTyping, TheClickedPartIsReplacedByWhatIsTyped)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *other = new QLineEdit(&window);
    auto *date = new QDateEdit(&window);
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date->setDate(QDate(2025, 5, 6));
    widgets::TypeOverClickedSection(date);
    layout->addWidget(other);
    layout->addWidget(date);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit *line = date->findChild<QLineEdit *>();
    const int y = line->height() / 2;
    const struct
    {
        const char *part; // the text left of the click
        const char *typed;
        QDate result;
    } cases[] = {{"20", "2023", QDate(2023, 5, 6)}, {"2023-0", "11", QDate(2023, 11, 6)}, {"2023-11-0", "09", QDate(2023, 11, 9)}};
    for (const auto &c : cases) {
        other->setFocus();
        const int x = line->fontMetrics().horizontalAdvance(QString::fromLatin1(c.part)) + 1;
        QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(x, y));
        QApplication::processEvents();
        QTest::keyClicks(date, QString::fromLatin1(c.typed));
        other->setFocus();
        EXPECT_EQ(date->date(), c.result) << c.typed;
    }
}

// A name the list cannot show whole shows whole as its tooltip.
TEST(ListTooltips, OnlyACutEntryNeedsOne)
{
    widgets::TListBox list;
    list.resize(120, 80);
    list.addItem(QStringLiteral("Hałas"));
    list.addItem(QStringLiteral("Pył drewna twardego (buk, dąb) i pyły zawierające krzemionkę krystaliczną"));
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_FALSE(list.TextCut(list.item(0)));
    EXPECT_TRUE(list.TextCut(list.item(1)));
    list.resize(900, 80);
    QApplication::processEvents();
    EXPECT_FALSE(list.TextCut(list.item(1)));
}
