#include <gtest/gtest.h>

#include <cmath>

#include "model/Reading.h"
#include "model/SampleCatalogue.h"
#include "model/Transport.h"

using namespace eh;

namespace {

struct Result {
    float rHall = 1.0f, rMuestra = 1.0f;
};

Result compute(int sample, float t, float b) {
    SampleCatalogue cat;
    cat.fill();
    Result r;
    computeTransport(cat.row(sample), t, b, r.rHall, r.rMuestra);
    return r;
}

double hallVolts(int sample, float t, float b, int pol, float mA = 1.0f) {
    SampleCatalogue cat;
    cat.fill();
    const Result r = compute(sample, t, b);
    return computeReading(2, mA, r.rMuestra, r.rHall, b, static_cast<std::int16_t>(pol),
                          cat.row(sample).Grosor)
        .value();
}

} // namespace

TEST(Catalogue, StoredValuesAreSinglePrecision) {
    SampleCatalogue cat;
    cat.fill();
    EXPECT_EQ(cat.row(1).Masa_N, static_cast<float>(std::pow(0.010048, 0.3333)));
    EXPECT_NE(cat.row(1).Masa_N, static_cast<float>(std::cbrt(0.010048)));
    EXPECT_NEAR(cat.row(1).Masa_N, 0.2158207, 1e-7);
    EXPECT_EQ(cat.row(2).Tipo, "P");
    EXPECT_EQ(cat.row(3).Tipo, "");
    EXPECT_THROW(cat.row(0), std::out_of_range);
    EXPECT_THROW(cat.row(11), std::out_of_range);
}

TEST(Transport, RoomTemperatureNoField) {
    const Result n = compute(1, 300.0f, 0.0f);
    EXPECT_NEAR(n.rHall, -3124.5, 0.1);
    EXPECT_NEAR(n.rMuestra, 123.80, 0.01);
    const Result p = compute(2, 300.0f, 0.0f);
    EXPECT_NEAR(p.rHall, 2082.6, 0.1);
    EXPECT_NEAR(p.rMuestra, 125.10, 0.01);
}

TEST(Transport, HighFieldHallReadingsBothPolarities) {
    EXPECT_NEAR(hallVolts(1, 300.0f, 9000.0f, 1), -0.02812, 5e-6);
    EXPECT_NEAR(hallVolts(1, 300.0f, 9000.0f, -1), 0.02812, 5e-6);
    EXPECT_NEAR(hallVolts(2, 300.0f, 9000.0f, 1), 0.01250, 5e-6);
    EXPECT_EQ(hallVolts(1, 300.0f, 9000.0f, 0), 0.0);
    EXPECT_EQ(hallVolts(1, 300.0f, 0.0f, 1), 0.0);
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

TEST(Transport, FreezeOutHasNoMinorityCarriers) {
    const Result r = compute(1, 100.0f, 0.0f);
    EXPECT_NEAR(r.rMuestra, 20.12, 0.01);
    EXPECT_NEAR(r.rHall, -3146, 1.0);
    const double n = -1.0 / (1.6e-19 * r.rHall);
    EXPECT_NEAR(n, 1.987e15, 0.001e15);
}

TEST(Transport, PartlyIntrinsicAtHighTemperature) {
    EXPECT_NEAR(compute(1, 400.0f, 0.0f).rHall, -1891, 1.0);
    const float p400 = compute(2, 400.0f, 0.0f).rHall;
    EXPECT_GT(p400, 40.0f);
    EXPECT_LT(p400, 60.0f);
    // Further up, intrinsic electrons with their higher mobility reverse the sign.
    EXPECT_LT(compute(2, 450.0f, 0.0f).rHall, 0.0f);
}

TEST(Transport, FaultsAreReportedWithTheirCodes) {
    SampleCatalogue cat;
    cat.fill();
    float rHall = 7.0f, rMuestra = 8.0f;
    try {
        computeTransport(cat.row(1), 0.0f, 0.0f, rHall, rMuestra);
        FAIL() << "0 K must fault";
    } catch (const ModelFault& f) {
        EXPECT_EQ(f.code(), kFaultDivision);
    }
    EXPECT_EQ(rHall, 7.0f);
    EXPECT_EQ(rMuestra, 8.0f);
    // A row without a carrier type conducts nothing: the resistance is a division by zero.
    EXPECT_THROW(computeTransport(cat.row(3), 300.0f, 0.0f, rHall, rMuestra), ModelFault);
    EXPECT_EQ(rMuestra, 8.0f);
    // Underflow is not a fault: the intrinsic density at 50 K is tiny but usable.
    EXPECT_NO_THROW(computeTransport(cat.row(1), 50.0f, 9000.0f, rHall, rMuestra));
    EXPECT_TRUE(std::isfinite(rMuestra));
}

TEST(Reading, TagsFollowThePosition) {
    EXPECT_EQ(computeReading(0, 5.0f, 100.0f, 1.0f, 0.0f, 1, 0.01f), TaggedNumber::int16(0));
    EXPECT_EQ(computeReading(1, 1.0f, 123.8f, 1.0f, 0.0f, 1, 0.01f).tag(), TaggedNumber::Tag::Single);
    EXPECT_EQ(computeReading(2, 1.0f, 123.8f, 1.0f, 0.0f, 1, 0.01f).tag(), TaggedNumber::Tag::Double);
    EXPECT_FLOAT_EQ(computeReading(1, 10.0f, 250.0f, 1.0f, 0.0f, 1, 0.01f).toSingle(), 2.5f);
}
