// Derived quantities against the bench's worked numbers and hand calculations.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Quantities.h"

using namespace eh::analysis;

namespace {

Record record(double t, double b, double i, double vr, double vMinus, double vPlus) {
    Record r;
    r.temperatureK = t;
    r.fieldG = b;
    r.currentMa = i;
    r.vrV = vr;
    r.vMinusV = vMinus;
    r.vPlusV = vPlus;
    return r;
}

} // namespace

TEST(Quantities, CatalogueGeometry) {
    const Geometry g1 = sampleGeometry(1), g2 = sampleGeometry(2);
    EXPECT_FLOAT_EQ(g1.lengthCm, 0.3f);
    EXPECT_FLOAT_EQ(g1.widthCm, 0.2f);
    EXPECT_FLOAT_EQ(g1.thicknessCm, 0.01f);
    EXPECT_FLOAT_EQ(g2.lengthCm, 0.4f);
    EXPECT_FLOAT_EQ(g2.widthCm, 0.25f);
    EXPECT_FLOAT_EQ(g2.thicknessCm, 0.015f);
    EXPECT_THROW(sampleGeometry(3), std::out_of_range); // an empty catalogue row
    EXPECT_THROW(sampleGeometry(0), std::out_of_range);
}

// Sample 1 at 300 K, 10 mA, 9000 G: the bench shows 123.80 ohm between the
// resistivity contacts (1.2380 V at 10 mA) and a Hall reading of 0.2812 V.
TEST(Quantities, WorkedNumbersOfSampleOne) {
    const Derived d = derive(record(300, 9000, 10, 1.2380, 0.2812, -0.2812), sampleGeometry(1));
    ASSERT_TRUE(d.rhoOhmCm && d.sigmaSCm && d.hallCm3C && d.densityCm3 && d.mobilityCm2Vs);
    EXPECT_NEAR(*d.hallV, -0.2812, 1e-12);
    EXPECT_FALSE(d.onePolarity);
    EXPECT_NEAR(*d.rhoOhmCm, 0.8253, 0.00005);
    EXPECT_NEAR(*d.sigmaSCm, 1 / 0.8253, 0.0001);
    EXPECT_NEAR(*d.hallCm3C, -3124, 0.5);
    EXPECT_EQ(d.carrier, Carrier::Electrons);
    EXPECT_STREQ(carrierLetter(d.carrier), "n");
    EXPECT_NEAR(*d.densityCm3 / 2.00e15, 1, 0.002);
    EXPECT_NEAR(*d.mobilityCm2Vs, 3786, 1);
}

// Sample 2 at 300 K, 1 mA: 125.10 ohm (0.12510 V) and a Hall reading of +0.01250 V
// with the "+" switch at 9000 G; rho = R a d / L = 125.10 * 0.25 * 0.015 / 0.4.
TEST(Quantities, WorkedNumbersOfSampleTwo) {
    const Derived d = derive(record(300, 9000, 1, 0.12510, -0.01250, 0.01250), sampleGeometry(2));
    ASSERT_TRUE(d.rhoOhmCm && d.hallCm3C);
    EXPECT_NEAR(*d.rhoOhmCm, 1.1728, 0.0001);
    EXPECT_NEAR(*d.hallCm3C, 2083.3, 0.1); // 0.0125 * 0.015 * 1e11 / 9000
    EXPECT_EQ(d.carrier, Carrier::Holes);
    EXPECT_NEAR(*d.densityCm3, 1 / (1.602176634e-19 * 2083.33), 1e12);
}

TEST(Quantities, HallVoltageFromBothOrOnePolarity) {
    struct Row {
        double vMinus, vPlus;
        bool present;
        double hall;
        bool onePolarity;
    } rows[] = {
        {0.3, -0.2, true, -0.25, false},                                // average of both: (V+ - V-) / 2
        {-0.1, 0.1, true, 0.1, false},   {0.0, -0.2, true, -0.2, true}, // only "+": taken as it is
        {0.3, 0.0, true, -0.3, true},                                   // only " - ": its sign reversed
        {0.0, 0.0, false, 0, false},                                    // no Hall reading
    };
    for (const Row& r : rows) {
        const Derived d = derive(record(300, 9000, 10, 1.2, r.vMinus, r.vPlus), sampleGeometry(1));
        ASSERT_EQ(d.hallV.has_value(), r.present) << r.vMinus << " " << r.vPlus;
        if (r.present) {
            EXPECT_DOUBLE_EQ(*d.hallV, r.hall);
        }
        EXPECT_EQ(d.onePolarity, r.onePolarity) << r.vMinus << " " << r.vPlus;
        EXPECT_EQ(d.hallCm3C.has_value(), r.present);
    }
}

TEST(Quantities, WhatCannotBeFormedIsAbsentNeverZeroOrInfinite) {
    struct Row {
        const char* what;
        Record r;
        bool rho, hall, mobility;
    } rows[] = {
        {"no current", record(300, 9000, 0, 1.2, 0.3, -0.3), false, false, false},
        {"no field", record(300, 0, 10, 1.2, 0.3, -0.3), true, false, false},
        {"no Hall reading", record(300, 9000, 10, 1.2, 0, 0), true, false, false},
        {"no resistivity reading", record(300, 9000, 10, 0, 0.3, -0.3), false, true, false},
        {"everything", record(300, 9000, 10, 1.2, 0.3, -0.3), true, true, true},
    };
    for (const Row& row : rows) {
        const Derived d = derive(row.r, sampleGeometry(1));
        EXPECT_EQ(d.rhoOhmCm.has_value(), row.rho) << row.what;
        EXPECT_EQ(d.sigmaSCm.has_value(), row.rho) << row.what;
        EXPECT_EQ(d.hallCm3C.has_value(), row.hall) << row.what;
        EXPECT_EQ(d.densityCm3.has_value(), row.hall) << row.what;
        EXPECT_EQ(d.carrier == Carrier::None, !row.hall) << row.what;
        EXPECT_EQ(d.mobilityCm2Vs.has_value(), row.mobility) << row.what;
        for (const auto& q : {d.rhoOhmCm, d.sigmaSCm, d.hallCm3C, d.densityCm3, d.mobilityCm2Vs})
            if (q) {
                EXPECT_TRUE(std::isfinite(*q) && *q != 0) << row.what;
            }
    }
}

TEST(Quantities, SampleGuessedFromHallSignAtLowestTemperature) {
    struct Row {
        std::vector<Record> records;
        int sample;
    } rows[] = {
        // n-type: "+" reading negative at the coldest record, whatever happens above.
        {{record(400, 9000, 10, 1, -0.1, 0.1), record(50, 9000, 10, 1, 0.3, -0.3)}, 1},
        // p-type, which turns negative when hot: the coldest record decides.
        {{record(500, 9000, 10, 1, 0.1, -0.1), record(80, 9000, 10, 1, -0.2, 0.2)}, 2},
        // The coldest record has no Hall reading: the next one decides.
        {{record(40, 0, 10, 1, 0, 0), record(90, 9000, 10, 1, -0.2, 0.2)}, 2},
        {{}, 1},
    };
    for (const Row& r : rows) EXPECT_EQ(guessSample(r.records), r.sample);
}
