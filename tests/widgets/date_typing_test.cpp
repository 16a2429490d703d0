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
    date.show();
    QApplication::setActiveWindow(&date);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&date));
    QLineEdit *line = date.findChild<QLineEdit *>();
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(line->fontMetrics().horizontalAdvance("20"), 5));
    QApplication::processEvents();
    QTest::keyClicks(&date, QStringLiteral("2023"));
    EXPECT_EQ(date.date(), QDate(2023, 5, 6));
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(line->fontMetrics().horizontalAdvance("2023-11-0"), 5));
    QApplication::processEvents();
    QTest::keyClicks(&date, QStringLiteral("09"));
    EXPECT_EQ(date.date(), QDate(2023, 5, 9));
}
