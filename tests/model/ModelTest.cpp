// The physics and the number texts under the bench: the sample's resistance and Hall
// coefficient against worked numbers of the two samples, and the displays' and data
// files' number formats.
#include <gtest/gtest.h>

#include <cmath>

#include "model/NumberFormat.h"
#include "model/Reading.h"
#include "model/SampleCatalogue.h"
#include "model/Transport.h"

using namespace eh;

namespace {

struct Result {
    float rHall = 1.0f, rMuestra = 1.0f;
    double hallVolts = 0.0; // at 1 mA, right polarity
};

Result compute(int sample, float t, float b, int pol = 1) {
    SampleCatalogue cat;
    cat.fill();
    Result r;
    computeTransport(cat.row(sample), t, b, r.rHall, r.rMuestra);
    r.hallVolts = computeReading(2, 1.0f, r.rMuestra, r.rHall, b, static_cast<std::int16_t>(pol),
                                 cat.row(sample).Grosor)
                      .value();
    return r;
}

} // namespace

TEST(Transport, RoomTemperatureResistanceAndHallReadings) {
    EXPECT_NEAR(compute(1, 300.0f, 0.0f).rHall, -3124.5, 0.1);
    EXPECT_NEAR(compute(1, 300.0f, 0.0f).rMuestra, 123.80, 0.01);
    EXPECT_NEAR(compute(2, 300.0f, 0.0f).rHall, 2082.6, 0.1);
    EXPECT_NEAR(compute(2, 300.0f, 0.0f).rMuestra, 125.10, 0.01);
    EXPECT_NEAR(compute(1, 300.0f, 9000.0f, 1).hallVolts, -0.02812, 5e-6);
    EXPECT_NEAR(compute(1, 300.0f, 9000.0f, -1).hallVolts, 0.02812, 5e-6);
    EXPECT_NEAR(compute(2, 300.0f, 9000.0f, 1).hallVolts, 0.01250, 5e-6);
    EXPECT_EQ(compute(1, 300.0f, 9000.0f, 0).hallVolts, 0.0);
    EXPECT_EQ(compute(1, 300.0f, 0.0f, 1).hallVolts, 0.0);
}

TEST(Transport, LowToHighFieldSwitchIsNearlyContinuous) {
    const Result low = compute(1, 300.0f, 2626.0f);
    const Result high = compute(1, 300.0f, 2700.0f);
    EXPECT_NEAR(low.rHall, high.rHall, std::fabs(low.rHall) * 2e-6);
    EXPECT_NE(compute(1, 300.0f, 2640.0f).rHall, compute(1, 300.0f, 2642.0f).rHall);
}

TEST(Transport, FreezeOutThresholdComparesFloatTemperatureWithDoubleTheta) {
    EXPECT_NEAR(compute(2, 194.0f, 0.0f).rHall, 2092.0, 0.1);
    EXPECT_NEAR(compute(2, 195.0f, 0.0f).rHall, 2083.3, 0.1);
    // 176.47059 K is on the freeze-out side for sample 1 only if T <= theta exactly.
    const double theta = 10.0 * 450 / 25.5;
    const float nearest = static_cast<float>(theta);
    const float justBelow = nearest < theta ? nearest : std::nextafter(nearest, 0.0f);
    const float justAbove = std::nextafter(justBelow, 1000.0f);
    ASSERT_LT(double{justBelow}, theta);
    ASSERT_GT(double{justAbove}, theta);
    EXPECT_NE(compute(1, justBelow, 0.0f).rHall, compute(1, justAbove, 0.0f).rHall);
}

TEST(Transport, FreezeOutAndIntrinsicRegimes) {
    const Result r = compute(1, 100.0f, 0.0f);
    EXPECT_NEAR(r.rMuestra, 20.12, 0.01);
    EXPECT_NEAR(-1.0 / (1.6e-19 * r.rHall), 1.987e15, 0.001e15); // the donors alone, no minority carriers
    EXPECT_NEAR(compute(1, 400.0f, 0.0f).rHall, -1891, 1.0);
    const float p400 = compute(2, 400.0f, 0.0f).rHall;
    EXPECT_GT(p400, 40.0f);
    EXPECT_LT(p400, 60.0f);
    // Further up, intrinsic electrons with their higher mobility reverse the sign.
    EXPECT_LT(compute(2, 450.0f, 0.0f).rHall, 0.0f);
}

// A fault at 0 K is reported through the bench (DataFileTest); here, the other limits.
TEST(Transport, FaultsOnlyWhereTheModelDividesByZero) {
    SampleCatalogue cat;
    cat.fill();
    float rHall = 7.0f, rMuestra = 8.0f;
    // A row without a carrier type conducts nothing: the resistance is a division by zero.
    EXPECT_THROW(computeTransport(cat.row(3), 300.0f, 0.0f, rHall, rMuestra), ModelFault);
    EXPECT_EQ(rMuestra, 8.0f);
    // Underflow is not a fault: the intrinsic density at 50 K is tiny but usable.
    EXPECT_NO_THROW(computeTransport(cat.row(1), 50.0f, 9000.0f, rHall, rMuestra));
    EXPECT_TRUE(std::isfinite(rMuestra));
}

TEST(Pattern, DigitsSignAndRounding) {
    struct Row {
        double value;
        NumberPattern pattern;
        const char* shown;
    };
    // clang-format off
    const Row rows[] = {
        {12.345f,    kPatternFuente, "12.345"},
        {123.4567,   kPatternVolt,   "123.45670"}, // more integer digits widen the text
        {99.9999f,   kPatternFuente, "100.000"},
        {-0.0281249, kPatternVolt,   "-00.02812"},
        {-0.000001,  kPatternVolt,   "00.00000"},  // no sign on a zero
        {-0.0,       kPatternVolt,   "00.00000"},
        {-0.000005,  kPatternVolt,   "-00.00001"},
        {0.125,      kPatternIman,   "0.13"},      // exact binary halves round away from zero
        {-0.125,     kPatternIman,   "-0.13"},
        {2.5,        NumberPattern{1, 0}, "3"},
        {0.145,      kPatternIman,   "0.14"},      // stored slightly below the half
        {9.995f,     kPatternIman,   "9.99"},      // as a float, just below the half
        {9.9951f,    kPatternIman,   "10.00"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(formatPattern(row.value, row.pattern, '.'), row.shown);
}

TEST(NumberToText, BlankForSignPointAndNoLeadingZero) {
    EXPECT_EQ(numberToText(std::int64_t{1}), " 1");
    EXPECT_EQ(numberToText(std::int64_t{-61}), "-61");
    const std::pair<float, const char*> rows[] = {{0.3f, " .3"},   {0.015f, " .015"}, {2.5f, " 2.5"},
                                                  {-2.5f, "-2.5"}, {0.0f, " 0"},      {1.5e-5f, " 1.5E-05"}};
    for (const auto& [value, shown] : rows) EXPECT_EQ(numberToText(value), shown);
}

// Data files: seven significant digits, no trailing zeros, an exponent for extremes
// (more in DataFileTest's saved files).
TEST(DataValue, SevenDigitsNoTrailingZerosExponentForExtremes) {
    const std::pair<float, const char*> rows[] = {
        {0.12345f, "0.12345"}, {8991.999f, "8991.999"},
        {299.051f, "299.051"}, {-2.812345e-2f, "-0.02812345"},
        {0.0001f, "0.0001"},   {12345678.0f, "1.234568E+07"},
        {1e20f, "1E+20"},      {0.0f, "0"},
        {-0.0f, "0"},
    };
    for (const auto& [value, shown] : rows) EXPECT_EQ(formatDataValue(value), shown) << shown;
}
