// Electromagnetic fields, electric current and explosion entered in the real measurement
// window, headless: the zones chosen, values typed, the ratings stored, and the headers of the
// current forms sized to their text.

#include "shipped_form_fixture.h"

#include <QLabel>

using namespace shippedforms;

class FieldsCurrentWindow : public WindowOnShippedForm
{
};

TEST_F(FieldsCurrentWindow, ZonesOfTheBodyAndTheLimbs)
{
    Open(60001, QStringLiteral("pole"), QStringLiteral("1.0"));
    auto *body = Control<QComboBox>("cb_EkspPrac");
    ASSERT_TRUE(body);
    ASSERT_EQ(body->count(), 4);
    EXPECT_EQ(body->currentIndex(), -1); // nothing chosen: not rated yet
    Choose("cb_EkspPrac", 0);
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    Choose("cb_EkspPracKon", 1);
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 30, 30, 30, 30}));
    EXPECT_EQ(storage::FindField(m->Fields, "EkspPracKon")->Value, "strefa pośrednia");
    Choose("cb_EkspPrac", 3);
    Choose("cb_EkspPracKon", 0);
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Choose("cb_EkspPrac", 0);
    Type("ed_WcCialo", "1");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 10, 10, 10, 10, 10}));
    Type("ed_WcCialo", "1.01");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    Type("ed_WcCialo", "0");
    Type("ed_Przekr", "przekroczenie przy pracach serwisowych");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(FieldsCurrentWindow, CurrentAndExplosionLimits)
{
    struct Case
    {
        int factor;
        const char *frmDane, *medium, *large;
    } cases[] = {{60003, "prad_NN", "0.00001", "0.0001"},
                 {60005, "prad_WN", "0.4", "0.6"},
                 {60006, "wybuch_pozar", "0.4", "0.6"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frmDane);
        Open(c.factor, QString::fromLatin1(c.frmDane), QStringLiteral("1.0"));
        Type("ed_WartWyl", c.medium);
        EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
        Type("ed_WartWyl", c.large);
        EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
        EXPECT_TRUE(prompter.boxes.isEmpty());
        TearDown();
        SetUp();
    }
}

TEST_F(FieldsCurrentWindow, CurrentFormsSizeTheirHeadersToTheText)
{
    // On the current forms a header is as wide as its text and centred in its column; on
    // the others it keeps the width of its column.
    Open(60003, QStringLiteral("prad_NN"), QStringLiteral("1.0"));
    auto *header = Control<QLabel>("lb_NaglpradNN");
    ASSERT_TRUE(header);
    EXPECT_LT(header->width(), 680);
    EXPECT_NEAR(header->x() + header->width() / 2.0, 340, 1);
    TearDown();
    SetUp();
    Open(60001, QStringLiteral("pole"), QStringLiteral("1.0"));
    header = Control<QLabel>("lb_Naglpole");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width(), 680);
    EXPECT_EQ(header->x(), 0);
}
