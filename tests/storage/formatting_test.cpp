#include "storage/formatting.h"

#include <gtest/gtest.h>

using namespace storage;

TEST(RiskLevels, Names)
{
    EXPECT_EQ(RiskLevelName(10), QStringLiteral("Małe"));
    EXPECT_EQ(RiskLevelName(20), QStringLiteral("Średnie"));
    EXPECT_EQ(RiskLevelName(30), QStringLiteral("Duże"));
    EXPECT_EQ(RiskLevelName(40), QStringLiteral("Praca wzbroniona"));
    EXPECT_EQ(RiskLevelName(0), QString());
    EXPECT_EQ(RiskLevelName(15), QString());
    EXPECT_EQ(RiskLevelName(99), QString());
}

TEST(DecimalsFor, TwoDigitsTable)
{
    EXPECT_EQ(DecimalsFor(12, 2, 523.0f), 0);
    EXPECT_EQ(DecimalsFor(12, 2, 52.3f), 1);
    EXPECT_EQ(DecimalsFor(12, 2, 5.23f), 2);
    EXPECT_EQ(DecimalsFor(12, 2, 0.523f), 3);
    EXPECT_EQ(DecimalsFor(12, 2, 0.0523f), 4);
    EXPECT_EQ(DecimalsFor(12, 2, 0.0f), 1);
    EXPECT_EQ(DecimalsFor(12, 2, -3.0f), 1);
    EXPECT_EQ(DecimalsFor(12, 2, 0.001f), 6); // a power of ten in single precision
    EXPECT_EQ(DecimalsFor(4, 2, 0.0000523f), 3); // clamped to MaxDecimals - 1
}

struct Case
{
    double x;
    const char *text;
};

class FormatMeasuredValueTable : public ::testing::TestWithParam<Case>
{
};

TEST_P(FormatMeasuredValueTable, Formats)
{
    EXPECT_EQ(FormatMeasuredValue(GetParam().x), QString::fromLatin1(GetParam().text)) << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(Table, FormatMeasuredValueTable,
                         ::testing::Values(Case{0, "0"}, Case{-3.5, "-3.5"}, Case{-3, "-3"}, Case{-0.004, "0"},
                                           Case{999999.4, "999999"}, Case{1000000, "1.0E+6"},
                                           Case{1234567, "1.2E+6"}, Case{1250000, "1.3E+6"}, Case{0.0005, "5.0E-4"},
                                           Case{0.001, "1.0E-3"}, Case{0.005, "0.005"}, Case{0.0011, "0.0011"},
                                           Case{523, "523"}, Case{52.3, "52.3"}, Case{5.23, "5.23"},
                                           Case{0.523, "0.523"}, Case{0.0523, "0.0523"}, Case{12.5, "12.5"},
                                           Case{100, "100"}, Case{1.0, "1"}, Case{0.5, "0.5"},
                                           Case{522.5, "523"}, Case{0.125, "0.125"}, Case{5.125, "5.13"},
                                           Case{99.95, "100"}, Case{2.0 / 3.0, "0.667"}, Case{1e7, "1.0E+7"},
                                           Case{9.96e6, "1.0E+7"}));

TEST(FormatSignificant, KeepsTrailingZeros)
{
    EXPECT_EQ(FormatSignificant(2, 5.0f), QStringLiteral("5.00"));
    EXPECT_EQ(FormatSignificant(2, 523.0f), QStringLiteral("523"));
    EXPECT_EQ(FormatSignificant(0, 12.34f), QStringLiteral("12"));
    EXPECT_EQ(FormatSignificant(0, -7.25f), QStringLiteral("-7.3"));
}

TEST(TrimTrailingZeros, Cases)
{
    EXPECT_EQ(TrimTrailingZeros(QStringLiteral("12.500")), QStringLiteral("12.5"));
    EXPECT_EQ(TrimTrailingZeros(QStringLiteral("100.00")), QStringLiteral("100"));
    EXPECT_EQ(TrimTrailingZeros(QStringLiteral("0.0")), QStringLiteral("0"));
    EXPECT_EQ(TrimTrailingZeros(QStringLiteral(" 100 ")), QStringLiteral("100"));
    EXPECT_EQ(TrimTrailingZeros(QStringLiteral("1,50")), QStringLiteral("1,5"));
}

TEST(Exponent, Format)
{
    EXPECT_EQ(FormatExponent(0, 2, 1), QStringLiteral("0.0E+0"));
    EXPECT_EQ(FormatExponent(-1234, 2, 1), QStringLiteral("-1.2E+3"));
    EXPECT_EQ(FormatExponent(9.96e-5, 2, 1), QStringLiteral("1.0E-4"));
    EXPECT_EQ(FormatExponent(1.5e12, 3, 2), QStringLiteral("1.50E+12"));
}
