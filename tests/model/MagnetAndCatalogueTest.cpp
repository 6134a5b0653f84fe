// The magnet's field law against worked numbers, and which sample numbers name a
// sample the bench can measure.
#include <gtest/gtest.h>

#include "model/MagnetField.h"
#include "model/SampleCatalogue.h"

using namespace eh;

// 1000 I - 10 I^2 gauss: nearly linear at low current, 9000 at the 10 A limit.
TEST(MagnetField, WorkedValuesOfTheFieldLaw) {
    const std::pair<float, float> rows[] = {
        {0.0f, 0.0f}, {0.01f, 9.999f}, {1.0f, 990.0f}, {5.0f, 4750.0f}, {9.99f, 8991.999f}, {10.0f, 9000.0f},
    };
    for (const auto& [amperes, gauss] : rows) EXPECT_FLOAT_EQ(magnetField(amperes), gauss) << amperes;
}

// The measurable samples are exactly the catalogue's filled rows.
TEST(SampleCatalogue, MeasurableSamplesAreTheFilledRows) {
    SampleCatalogue cat;
    cat.fill();
    for (int n = -1; n <= SampleCatalogue::kRows + 1; ++n) {
        const bool filled = cat.valid(n) && !cat.row(n).Tipo.empty();
        EXPECT_EQ(SampleCatalogue::isMeasurable(n), filled) << n;
    }
    EXPECT_TRUE(SampleCatalogue::isMeasurable(1));
    EXPECT_TRUE(SampleCatalogue::isMeasurable(2));
    EXPECT_FALSE(SampleCatalogue::isMeasurable(0));
    EXPECT_FALSE(SampleCatalogue::isMeasurable(3));
}
