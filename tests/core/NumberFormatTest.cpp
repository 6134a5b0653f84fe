#include <gtest/gtest.h>

#include "model/NumberFormat.h"

using namespace eh;

TEST(Pattern, LeadingZerosDecimalsAndLocaleSeparator) {
    EXPECT_EQ(formatPattern(0.0, kPatternFuente, '.'), "00.000");
    EXPECT_EQ(formatPattern(12.345f, kPatternFuente, '.'), "12.345");
    EXPECT_EQ(formatPattern(0.12380, kPatternVolt, ','), "00,12380");
    EXPECT_EQ(formatPattern(300.0f, kPatternTemp, ','), "300,0");
    EXPECT_EQ(formatPattern(5.0, kPatternCount, ','), "005");
    EXPECT_EQ(formatPattern(100.0, kPatternCount, '.'), "100");
    // More integer digits than the pattern simply widen the text.
    EXPECT_EQ(formatPattern(123.4567, kPatternVolt, '.'), "123.45670");
    EXPECT_EQ(formatPattern(99.9999f, kPatternFuente, '.'), "100.000");
}

TEST(Pattern, NegativeValuesAndZeroSign) {
    EXPECT_EQ(formatPattern(-0.0281249, kPatternVolt, '.'), "-00.02812");
    EXPECT_EQ(formatPattern(-0.000001, kPatternVolt, '.'), "00.00000");
    EXPECT_EQ(formatPattern(-0.0, kPatternVolt, '.'), "00.00000");
    EXPECT_EQ(formatPattern(-0.000005, kPatternVolt, '.'), "-00.00001");
}

TEST(Pattern, ExactHalvesRoundAwayFromZero) {
    // 0.125 and 2.5 are exact binary values: true ties.
    EXPECT_EQ(formatPattern(0.125, kPatternIman, '.'), "0.13");
    EXPECT_EQ(formatPattern(-0.125, kPatternIman, '.'), "-0.13");
    EXPECT_EQ(formatPattern(2.5, NumberPattern{1, 0}, '.'), "3");
    // 0.145 is stored slightly below the half and must round down, not up.
    EXPECT_EQ(formatPattern(0.145, kPatternIman, '.'), "0.14");
    // 9.995 as a float lies just below the half; 9.9951 above it.
    EXPECT_EQ(formatPattern(9.995f, kPatternIman, '.'), "9.99");
    EXPECT_EQ(formatPattern(9.9951f, kPatternIman, '.'), "10.00");
}

TEST(NumberToText, BlankForSignPointAndNoLeadingZero) {
    EXPECT_EQ(numberToText(std::int64_t{1}), " 1");
    EXPECT_EQ(numberToText(std::int64_t{-61}), "-61");
    EXPECT_EQ(numberToText(0.3f), " .3");
    EXPECT_EQ(numberToText(0.015f), " .015");
    EXPECT_EQ(numberToText(2.5f), " 2.5");
    EXPECT_EQ(numberToText(-2.5f), "-2.5");
    EXPECT_EQ(numberToText(0.0f), " 0");
    EXPECT_EQ(numberToText(1.5e-5f), " 1.5E-05");
}

TEST(DataValue, SevenDigitsNoTrailingZerosExponentForExtremes) {
    EXPECT_EQ(formatDataValue(300.0f), "300");
    EXPECT_EQ(formatDataValue(2.5f), "2.5");
    EXPECT_EQ(formatDataValue(-1.25f), "-1.25");
    EXPECT_EQ(formatDataValue(0.12345f), "0.12345");
    EXPECT_EQ(formatDataValue(8991.999f), "8991.999");
    EXPECT_EQ(formatDataValue(299.051f), "299.051");
    EXPECT_EQ(formatDataValue(1.5e-5f), "1.5E-05");
    EXPECT_EQ(formatDataValue(-2.812345e-2f), "-0.02812345");
    EXPECT_EQ(formatDataValue(0.0001f), "0.0001");
    EXPECT_EQ(formatDataValue(12345678.0f), "1.234568E+07");
    EXPECT_EQ(formatDataValue(1e20f), "1E+20");
    EXPECT_EQ(formatDataValue(0.0f), "0");
    EXPECT_EQ(formatDataValue(-0.0f), "0");
}
