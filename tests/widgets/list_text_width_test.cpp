#include "widgets/list_text_width.h"

#include <QFontMetrics>
#include <QListWidget>
#include <gtest/gtest.h>

TEST(ListTextWidth, EmptyListGivesTheMarginOnly)
{
    QListWidget list;
    EXPECT_EQ(widgets::ListTextWidth(&list), 14);
    EXPECT_EQ(widgets::ListTextWidth(nullptr), 14);
}

TEST(ListTextWidth, WidestItemInTheListFontPlusBothMargins)
{
    QListWidget list;
    list.addItem(QStringLiteral("Hałas"));
    list.addItem(QStringLiteral("Drgania o ogólnym działaniu na organizm człowieka"));
    list.addItem(QStringLiteral("Pyły"));
    const QFontMetrics fm(list.font());
    const int widest = fm.horizontalAdvance(QStringLiteral("Drgania o ogólnym działaniu na organizm człowieka"));
    EXPECT_EQ(widgets::ListTextWidth(&list), widest + 28);
}
