// Numbers as the window and the report write them: the expected strings are worked by
// hand from the rounding rules a physics course teaches (uncertainty to two
// significant figures, value to the same decimal place) and Spanish notation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/NumberText.h"

using namespace eh::analysis;

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(NumberText, ValueWithUncertaintyKeepsTwoFiguresOfTheUncertainty) {
    struct Row {
        double value, uncertainty;
        const char* text;
    } rows[] = {
        {0.76633, 0.00283, "0,7663 ± 0,0028"}, // one figure would give 0,766 ± 0,003
        {0.76633, 0.000283, "0,76633 ± 0,00028"},
        {1.65901, 0.0123, "1,659 ± 0,012"},
        {-3124.6, 12.4, "−3125 ± 12"}, // a real minus, not a hyphen
        {45678, 1234, "45700 ± 1200"}, // digits past the second figure are zeros
        {0.5, 0.0996, "0,50 ± 0,10"},  // 0,0996 rounds up into the next decade
        {2.0, 0.00999, "2,000 ± 0,010"},
        {-0.00004, 0.0028, "0,0000 ± 0,0028"}, // no "−0,0000"
        {1.3517e17, 2.71e15, "(1,352 ± 0,027)·10¹⁷"},
        {2.5e-5, 4.1e-6, "(2,50 ± 0,41)·10⁻⁵"},
        {1011, 6.87e10, "(0,0 ± 6,9)·10¹⁰"}, // the larger of the two sets the power
        {999.4, 0.26, "999,40 ± 0,26"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(valueWithUncertaintyText(r.value, r.uncertainty), r.text)
            << r.value << " ± " << r.uncertainty;
}

TEST(NumberText, NoNumberIsShownAsNanOrInfinity) {
    EXPECT_EQ(valueWithUncertaintyText(kNaN, 0.1), "no es un número finito");
    EXPECT_EQ(valueWithUncertaintyText(kInf, 0.1), "no es un número finito");
    EXPECT_EQ(numberText(-kInf, 4), "no es un número finito");
    EXPECT_EQ(decimalText(kNaN, 2), "no es un número finito");
    // Without a usable uncertainty the value stands alone, to four figures.
    EXPECT_EQ(valueWithUncertaintyText(1.23456, kNaN), "1,235");
    EXPECT_EQ(valueWithUncertaintyText(1.23456, kInf), "1,235");
    EXPECT_EQ(valueWithUncertaintyText(1.23456, 0), "1,235");
    EXPECT_EQ(valueWithUncertaintyText(1.23456, -0.1), "1,235");
}

TEST(NumberText, PlainBetweenAThousandthAndAMillionPowersOfTenOutside) {
    struct Row {
        double value;
        int significant;
        const char* text;
    } rows[] = {
        {300.1, 7, "300,1"},   {8116, 7, "8116"},           {0.00125, 4, "0,00125"},
        {0.001, 4, "0,001"},   {0.000999, 3, "9,99·10⁻⁴"},  {999999, 7, "999999"},
        {1e6, 7, "1·10⁶"},     {1.352e17, 4, "1,352·10¹⁷"}, {1.35e17, 4, "1,35·10¹⁷"},
        {2e-5, 3, "2·10⁻⁵"},   {9.9996e16, 4, "1·10¹⁷"}, // the mantissa rounds up to the next power
        {-3124.6, 4, "−3125"}, {-2.0e15, 3, "−2·10¹⁵"},     {0, 4, "0"},
        {0.5, 1, "0,5"},       {23400, 2, "23000"},         {-987654, 3, "−988000"},
    };
    for (const Row& r : rows) EXPECT_EQ(numberText(r.value, r.significant), r.text) << r.value;
}

TEST(NumberText, DecimalsAndPowersOfTen) {
    EXPECT_EQ(decimalText(0.76633, 4), "0,7663");
    EXPECT_EQ(decimalText(-12.54, 1), "−12,5");
    EXPECT_EQ(decimalText(-0.0004, 3), "0,000");
    EXPECT_EQ(decimalText(1234.5678, 0), "1235"); // no group separator: "1.235" reads as 1,235
    EXPECT_EQ(powerOfTenText(-15), "·10⁻¹⁵");
    EXPECT_EQ(powerOfTenText(0), "·10⁰");
    EXPECT_EQ(powerOfTenText(10), "·10¹⁰");
}

TEST(NumberText, SecondFigureOfAnUncertainty) {
    struct Row {
        double uncertainty;
        int place;
    } rows[] = {{0.00283, -4},    {12.4, 0}, {0.0996, -2}, {0.001, -4},
                {0.00099999, -4}, {99.6, 1}, {1e-10, -11}};
    for (const Row& r : rows) EXPECT_EQ(secondFigurePlace(r.uncertainty), r.place) << r.uncertainty;
}
