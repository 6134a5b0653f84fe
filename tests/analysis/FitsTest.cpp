// Derived quantities against the bench's worked numbers and hand calculations, the
// straight-line fit against certified reference results, and the four named fits on
// data built from known laws.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Fits.h"

using namespace eh::analysis;

namespace {

Record record(double t, double b, double i, double vr, double vMinus, double vPlus) {
    return Record{
        .temperatureK = t, .fieldG = b, .currentMa = i, .vrV = vr, .vMinusV = vMinus, .vPlusV = vPlus};
}

const Geometry kBar{0.3, 0.2, 0.01};

// Records whose resistivity and Hall coefficient are the given ones:
// Vr = rho I L / (a d), V_H = R_H I B / (d 1e11).
struct Set {
    std::vector<Record> records;
    std::vector<Derived> derived;
    void add(double t, double rho, double rh, double currentMa = 10, double fieldG = 9000) {
        const double vh = rh * currentMa * fieldG / (kBar.thicknessCm * 1e11);
        const double vr = rho * currentMa / 1000 * kBar.lengthCm / (kBar.widthCm * kBar.thicknessCm);
        records.push_back(record(t, fieldG, currentMa, vr, -vh, vh));
        derived.push_back(derive(records.back(), kBar));
    }
    FitResult fit(FitKind kind) const { return runFit(kind, records, derived, kBar, FitSettings{}); }
};

} // namespace

// Sample 1 at 300 K, 10 mA, 9000 G: the bench shows 123.80 ohm between the
// resistivity contacts (1.2380 V at 10 mA) and a Hall reading of 0.2812 V.
TEST(Quantities, WorkedNumbersOfSampleOne) {
    const Derived d = derive(record(300, 9000, 10, 1.2380, 0.2812, -0.2812), sampleGeometry(1));
    ASSERT_TRUE(d.rhoOhmCm && d.sigmaSCm && d.hallCm3C && d.densityCm3 && d.mobilityCm2Vs);
    EXPECT_NEAR(*d.rhoOhmCm, 0.8253, 0.00005);
    EXPECT_NEAR(*d.sigmaSCm, 1 / 0.8253, 0.0001);
    EXPECT_NEAR(*d.hallCm3C, -3124, 0.5);
    EXPECT_NEAR(*d.densityCm3 / 2.00e15, 1, 0.002);
    EXPECT_NEAR(*d.mobilityCm2Vs, 3786, 1);
}

// The Hall voltage from both switch positions or from one, and only the quantities
// that can be formed: never a zero or an infinity in place of one that cannot.
TEST(Quantities, WhatEachReadingGives) {
    const double none = std::nan("");
    struct Row {
        const char* what;
        Record r;
        double hall;
        bool onePolarity, rho, rh, mobility;
    } rows[] = {
        {"(V+ - V-) / 2", record(300, 9000, 10, 1.2, 0.3, -0.2), -0.25, false, true, true, true},
        {"holes", record(300, 9000, 10, 1.2, -0.1, 0.1), 0.1, false, true, true, true},
        {"only +, as it is", record(300, 9000, 10, 1.2, 0, -0.2), -0.2, true, true, true, true},
        {"only -, sign reversed", record(300, 9000, 10, 1.2, 0.3, 0), -0.3, true, true, true, true},
        {"no Hall reading", record(300, 9000, 10, 1.2, 0, 0), none, false, true, false, false},
        {"no current", record(300, 9000, 0, 1.2, 0.3, -0.3), -0.3, false, false, false, false},
        {"no field", record(300, 0, 10, 1.2, 0.3, -0.3), -0.3, false, true, false, false},
        {"no resistivity reading", record(300, 9000, 10, 0, 0.3, -0.3), -0.3, false, false, true, false},
    };
    for (const Row& row : rows) {
        const Derived d = derive(row.r, sampleGeometry(1));
        ASSERT_EQ(d.hallV.has_value(), !std::isnan(row.hall)) << row.what;
        if (d.hallV) {
            EXPECT_DOUBLE_EQ(*d.hallV, row.hall) << row.what;
        }
        EXPECT_EQ(d.onePolarity, row.onePolarity) << row.what;
        EXPECT_EQ(d.rhoOhmCm && d.sigmaSCm, row.rho) << row.what;
        EXPECT_EQ(d.hallCm3C && d.densityCm3, row.rh) << row.what;
        EXPECT_EQ(d.carrier, !row.rh ? Carrier::None : row.hall < 0 ? Carrier::Electrons : Carrier::Holes);
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

// NIST StRD "Norris" (linear regression, lower difficulty), with its certified values.
TEST(LeastSquares, NorrisCertifiedValues) {
    const std::vector<double> y = {0.1,   338.8, 118.1, 888.0, 9.2,   228.1, 668.5, 998.5, 449.1,
                                   778.9, 559.2, 0.3,   0.1,   778.1, 668.8, 339.3, 448.9, 10.8,
                                   557.7, 228.3, 998.0, 888.8, 119.6, 0.3,   0.6,   557.6, 339.3,
                                   888.0, 998.5, 778.9, 10.2,  117.6, 228.9, 668.4, 449.2, 0.2};
    const std::vector<double> x = {0.2,   337.4, 118.2, 884.6, 10.1,  226.5, 666.3, 996.3, 448.6,
                                   777.0, 558.2, 0.4,   0.6,   775.5, 666.9, 338.0, 447.5, 11.6,
                                   556.0, 228.1, 995.8, 887.6, 120.2, 0.3,   0.3,   556.8, 339.1,
                                   887.2, 999.0, 779.0, 11.1,  118.3, 229.2, 669.1, 448.9, 0.5};
    const auto f = fitLine(x, y);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->points, 36);
    EXPECT_NEAR(f->slope / 1.00211681802045, 1, 1e-10);
    EXPECT_NEAR(f->intercept / -0.262323073774029, 1, 1e-10);
    EXPECT_NEAR(f->slopeError / 0.429796848199937e-03, 1, 1e-10);
    EXPECT_NEAR(f->interceptError / 0.232818234301152, 1, 1e-10);
    EXPECT_NEAR(f->residualSd / 0.884796396144373, 1, 1e-10);
    EXPECT_NEAR(f->rSquared / 0.999993745883712, 1, 1e-10);
}

// Points on y = 2 + 3 (x - 1e6) at x = 1e6 + 0..4 with residuals (0, 1, -2, 1, 0), which
// sum to zero and are orthogonal to x: RSS = 6, Sxx = 10, se(slope) = sqrt(6/3/10),
// R^2 = 1 - 6/96. Sums formed about zero instead of the means would lose the line.
TEST(LeastSquares, FarFromZeroWithKnownResiduals) {
    const std::vector<double> x = {1e6, 1e6 + 1, 1e6 + 2, 1e6 + 3, 1e6 + 4}, y = {2, 6, 6, 12, 14};
    const auto f = fitLine(x, y);
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->slope, 3.0, 1e-9);
    EXPECT_NEAR(f->intercept, 2.0 - 3e6, 1e-9 * 3e6);
    EXPECT_NEAR(f->slopeError, std::sqrt(0.2), 1e-9);
    EXPECT_NEAR(f->rSquared, 0.9375, 1e-12);
}

TEST(LeastSquares, TooFewOrDegeneratePointsGiveNoLine) {
    const std::vector<double> x = {1, 2, 3}, y = {1, 2, 4}, same = {5, 5, 5};
    EXPECT_TRUE(fitLine(x, y));                                          // three points: the least that fits
    EXPECT_FALSE(fitLine(std::span(x).first(2), std::span(y).first(2))); // two: no standard error
    EXPECT_FALSE(fitLine(same, y));                                      // all x equal: no slope
    EXPECT_FALSE(fitLine(x, std::span(y).first(2)));                     // mismatched lengths
    // Sums that overflow: the spread of x would make a flat line, that of y an
    // infinite slope error; neither is a line.
    const std::vector<double> hugeX = {1e200, 2e200, 3e200}, hugeY = {1e200, 2e200, 4e200};
    EXPECT_FALSE(fitLine(hugeX, y));
    EXPECT_FALSE(fitLine(x, hugeY));
}

// Intrinsic conduction: sigma = A exp(-Eg / 2kT), and R_H T^{3/2} = C exp(Eg / 2kT).
// Both gap fits must give Eg back from the default range, 500 to 800 K with its ends;
// points outside it carry another gap and would pull the result.
TEST(Fits, BandGapFromConductivityAndHallCoefficient) {
    const double eg = 0.72, k = 8.617333262e-5; // eV/K, CODATA 2018
    Set s;
    for (double t : {450.0, 499.9, 500.0, 600.0, 700.0, 800.0, 800.1, 900.0}) {
        const double gap = t >= 500 && t <= 800 ? eg : 0.3;
        s.add(t, std::exp(gap / (2 * k * t)) / 5e3, -2e3 * std::exp(gap / (2 * k * t)) / std::pow(t, 1.5));
    }
    for (FitKind kind : {FitKind::GapSigma, FitKind::GapHall}) {
        const FitResult f = s.fit(kind);
        ASSERT_TRUE(f.value) << fitName(kind) << f.note;
        EXPECT_NEAR(*f.value, eg, 1e-9) << fitName(kind);
        EXPECT_NEAR(*f.uncertainty, 0, 1e-9) << fitName(kind);
        EXPECT_EQ(f.used.size(), 4u) << fitName(kind); // 500, 600, 700, 800
    }
}

// mu = |R_H| / rho = A T^-1.66 from the default range, 100 to 300 K.
TEST(Fits, MobilityExponentOfAPowerLaw) {
    Set s;
    for (double t : {80.0, 100.0, 150.0, 200.0, 250.0, 300.0, 350.0})
        s.add(t, 3000 / (4.9e7 * std::pow(t, -1.66)), -3000);
    const FitResult f = s.fit(FitKind::MobilityExponent);
    ASSERT_TRUE(f.value) << f.note;
    EXPECT_NEAR(*f.value, 1.66, 1e-9);
    EXPECT_EQ(f.used.size(), 5u);
}

// V_H = R_H I B / (d 1e11): records at 300 K (within +-1 K, ends included) and 10 mA
// enter; one at 301.5 K and one with another current do not.
TEST(Fits, HallCoefficientFromFieldSeries) {
    Set s;
    for (double b : {2000.0, 4000.0, 6000.0, 9000.0}) s.add(300 + b / 1e4, 0.8, -3124, 10, b);
    s.add(301.5, 0.8, -1000, 10, 5000);
    s.add(300.0, 0.8, -1000, 5, 5000);
    s.add(299.0, 0.8, -3124, 10, 1000);
    const FitResult f = s.fit(FitKind::HallFromField);
    ASSERT_TRUE(f.value) << f.note;
    EXPECT_NEAR(*f.value, -3124, 1e-6);
    EXPECT_EQ(f.used.size(), 5u);
}

TEST(Fits, FewerThanThreePointsGiveAReasonNotANumber) {
    for (int points : {0, 2, 3}) {
        Set s;
        for (int i = 0; i < points; ++i)
            s.add(100 + 50 * i, 3000 / (4.9e7 * std::pow(100 + 50 * i, -1.66)), -3000);
        const FitResult f = s.fit(FitKind::MobilityExponent);
        EXPECT_EQ(f.value.has_value(), points == 3) << points;
        EXPECT_EQ(f.note.find("hacen falta al menos 3") != std::string::npos, points < 3) << f.note;
        if (points == 2) {
            EXPECT_EQ(f.note, "2 puntos entre 100 y 300 K; hacen falta al menos 3");
        }
    }
}
