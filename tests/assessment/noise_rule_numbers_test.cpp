// The number helpers every rule shares: reading fields, the texts numbers are handed over
// as, single precision.

#include "assessment/memory_form.h"
#include "assessment/rules/rule_numbers.h"

#include <gtest/gtest.h>

#include <limits>

using namespace assessment::rules;

TEST(RuleNumbers, ParseTakesOnlyPlainNumbers)
{
    double v = -1;
    EXPECT_TRUE(ParseNumber("85", v));
    EXPECT_EQ(v, 85);
    EXPECT_TRUE(ParseNumber(" 0.5 ", v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(ParseNumber("-3.25", v));
    EXPECT_EQ(v, -3.25);
    EXPECT_TRUE(ParseNumber("3.5E+7", v)); // as large values are shown
    EXPECT_EQ(v, 3.5e7);
    for (const char *bad : {"", " ", "8,5", "85 dB", "abc", "inf", "nan", "1e999", "0x10"})
        EXPECT_FALSE(ParseNumber(QString::fromLatin1(bad), v)) << bad;
}

TEST(RuleNumbers, ReadingFieldsOfAForm)
{
    assessment::TMemoryForm form;
    form.Add("ed_A", "12.5");
    form.Add("ed_Pusty", "");
    form.Add("ed_Ulamek", ".5");
    form.Add("ed_Ujemny", "-3");
    form.Add("ed_Tekst", "brak");
    double v = 0;
    EXPECT_TRUE(ReadNumber(form, "ed_A", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_FALSE(ReadNumber(form, "ed_Pusty", v));
    EXPECT_FALSE(ReadNumber(form, "ed_Brak", v)); // not on the page
    // with "0" in front an empty field reads 0 ...
    EXPECT_TRUE(ReadNumberZeroPrefixed(form, "ed_Pusty", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ReadNumberZeroPrefixed(form, "ed_Brak", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ReadNumberZeroPrefixed(form, "ed_Ulamek", v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(ReadNumberZeroPrefixed(form, "ed_A", v));
    EXPECT_EQ(v, 12.5);
    // ... and a sign makes it no number
    EXPECT_FALSE(ReadNumberZeroPrefixed(form, "ed_Ujemny", v));
    EXPECT_FALSE(ReadNumberZeroPrefixed(form, "ed_Tekst", v));
}

TEST(RuleNumbers, FixedTextRoundsToPrecisionAndDecimals)
{
    EXPECT_EQ(FixedText(2.0, 10, 2), "2.00");
    EXPECT_EQ(FixedText(1.9952623149688795, 10, 2), "2.00");
    EXPECT_EQ(FixedText(0.5011872336272722, 10, 2), "0.50");
    EXPECT_EQ(FixedText(0.125, 10, 2), "0.13"); // ties away from zero
    EXPECT_EQ(FixedText(-0.125, 10, 2), "-0.13");
    EXPECT_EQ(FixedText(35565.588, 6, 2), "35565.60"); // six digits first
    EXPECT_EQ(FixedText(0.004, 10, 2), "0.00");
    EXPECT_EQ(FixedText(123456789012.0, 10, 2), "1.234567890E+11"); // more integer digits than the precision
}

TEST(RuleNumbers, GeneralTextDropsTrailingZeros)
{
    EXPECT_EQ(GeneralText(0, 15), "0");
    EXPECT_EQ(GeneralText(100, 15), "100");
    EXPECT_EQ(GeneralText(123.456, 15), "123.456");
    EXPECT_EQ(GeneralText(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(GeneralText(-2.5, 15), "-2.5");
    EXPECT_EQ(GeneralText(2.0 / 3.0, 4), "0.6667");
    EXPECT_EQ(GeneralText(0.0001, 15), "0.0001");
    EXPECT_EQ(GeneralText(0.00001, 15), "0.00001");
    EXPECT_EQ(GeneralText(1.5e-7, 15), "1.5E-7");
    EXPECT_EQ(GeneralText(1e20, 15), "1E20");
    EXPECT_EQ(GeneralText(123456, 5), "1.2346E5");
    EXPECT_EQ(GeneralText(99999.7, 5), "1E5");
    EXPECT_EQ(GeneralText(12345, 5), "12345");
}

TEST(RuleNumbers, SinglePrecision)
{
    EXPECT_EQ(Single(1.00000001), 1.0f);
    EXPECT_GT(1.00000001, 1.0);
    EXPECT_EQ(Single(0.1), 0.1f);
}
