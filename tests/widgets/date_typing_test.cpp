#include "widgets/date_typing.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// A year typed after a click into it replaces it (Qt would drop every digit).
TEST(DateTyping, TheClickedPartIsReplacedByWhatIsTyped)
{
    QDateEdit date(QDate(2025, 5, 6));
    date.setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    widgets::TypeOverClickedSection(&date);
    date.show(), QApplication::setActiveWindow(&date);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&date));
    QLineEdit *line = date.findChild<QLineEdit *>();
    for (const auto &[before, typed, now] :
         {std::tuple("20", "2023", QDate(2023, 5, 6)), std::tuple("2023-11-0", "09", QDate(2023, 5, 9))}) {
        QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(line->fontMetrics().horizontalAdvance(before), 5));
        QApplication::processEvents();
        QTest::keyClicks(&date, typed);
        EXPECT_EQ(date.date(), now) << typed;
    }
}
