// The four named fits on data built from known laws.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Fits.h"

using namespace eh::analysis;

namespace {

const Geometry kBar{0.3, 0.2, 0.01};

// A record whose resistivity and Hall coefficient are the given ones, at 10 mA and
// 9000 G: Vr = rho I L / (a d), V_H = R_H I B / (d 1e11).
Record recordFor(double t, double rho, double rh, double currentMa = 10, double fieldG = 9000) {
    Record r;
    r.temperatureK = t;
    r.fieldG = fieldG;
    r.currentMa = currentMa;
    r.vrV = rho * currentMa / 1000 * kBar.lengthCm / (kBar.widthCm * kBar.thicknessCm);
    const double vh = rh * currentMa * fieldG / (kBar.thicknessCm * 1e11);
    r.vPlusV = vh;
    r.vMinusV = -vh;
    return r;
}

struct Set {
    std::vector<Record> records;
    std::vector<Derived> derived;
    void add(const Record& r) {
        records.push_back(r);
        derived.push_back(derive(r, kBar));
    }
};

} // namespace

// Intrinsic conduction: sigma = A exp(-Eg / 2kT), and R_H T^{3/2} = C exp(Eg / 2kT).
// Both gap fits must give Eg back; points outside the range carry a different gap
// and must be left out (the ends of the range included).
TEST(Fits, BandGapFromConductivityAndHallCoefficient) {
    const double eg = 0.72, k = 8.617333262e-5; // eV/K, CODATA 2018
    Set s;
    for (double t : {450.0, 499.9, 500.0, 600.0, 700.0, 800.0, 800.1, 900.0}) {
        const bool inside = t >= 500 && t <= 800;
        const double gap = inside ? eg : 0.3; // outliers would pull the result
        const double sigma = 5e3 * std::exp(-gap / (2 * k * t));
        const double rh = -2e-3 * std::exp(gap / (2 * k * t)) / std::pow(t, 1.5);
        s.add(recordFor(t, 1 / sigma, rh));
    }
    FitSettings settings;
    for (FitKind kind : {FitKind::GapSigma, FitKind::GapHall}) {
        const FitResult f = runFit(kind, s.records, s.derived, kBar, settings);
        ASSERT_TRUE(f.value) << fitName(kind) << f.note;
        EXPECT_NEAR(*f.value, eg, 1e-9) << fitName(kind);
        EXPECT_NEAR(*f.uncertainty, 0, 1e-9) << fitName(kind);
        EXPECT_EQ(f.used.size(), 4u) << fitName(kind); // 500, 600, 700, 800
        EXPECT_STREQ(fitUnit(kind), "eV");
    }
}

TEST(Fits, MobilityExponentOfAPowerLaw) {
    Set s;
    for (double t : {80.0, 100.0, 150.0, 200.0, 250.0, 300.0, 350.0}) {
        const double mu = 4.9e7 * std::pow(t, -1.66); // cm^2/(V s)
        const double rh = -3000;
        s.add(recordFor(t, std::fabs(rh) / mu, rh));
    }
    const FitResult f = runFit(FitKind::MobilityExponent, s.records, s.derived, kBar, FitSettings{});
    ASSERT_TRUE(f.value) << f.note;
    EXPECT_NEAR(*f.value, 1.66, 1e-9);
    EXPECT_EQ(f.used.size(), 5u); // 100 to 300 K
}

// V_H = R_H I B / (d 1e11): records at 300 K (within +-1 K) and 10 mA enter; one at
// 301.5 K and one with another current do not.
TEST(Fits, HallCoefficientFromFieldSeries) {
    Set s;
    for (double b : {2000.0, 4000.0, 6000.0, 9000.0}) s.add(recordFor(300 + b / 1e4, 0.8, -3124, 10, b));
    s.add(recordFor(301.5, 0.8, -1000, 10, 5000));
    s.add(recordFor(300.0, 0.8, -1000, 5, 5000));
    s.add(recordFor(299.0, 0.8, -3124, 10, 1000)); // the lower end is included
    const FitResult f = runFit(FitKind::HallFromField, s.records, s.derived, kBar, FitSettings{});
    ASSERT_TRUE(f.value) << f.note;
    EXPECT_NEAR(*f.value, -3124, 1e-6);
    EXPECT_EQ(f.used.size(), 5u);
    EXPECT_DOUBLE_EQ(f.range.minK, 299);
    EXPECT_DOUBLE_EQ(f.range.maxK, 301);
}

TEST(Fits, FewerThanThreePointsGiveAReasonNotANumber) {
    struct Row {
        int points;
        bool value;
    } rows[] = {{0, false}, {2, false}, {3, true}, {4, true}};
    for (const Row& r : rows) {
        Set s;
        for (int i = 0; i < r.points; ++i) s.add(recordFor(100 + 50 * i, 0.5 + i, -3000 - 100 * i));
        const FitResult f = runFit(FitKind::MobilityExponent, s.records, s.derived, kBar, FitSettings{});
        EXPECT_EQ(f.value.has_value(), r.value) << r.points;
        EXPECT_EQ(f.note.empty(), r.value) << r.points << f.note;
        if (!r.value) {
            EXPECT_NE(f.note.find("hacen falta al menos 3"), std::string::npos) << f.note;
        }
    }
}

TEST(Fits, NamesAndDefaultRanges) {
    const FitSettings s;
    EXPECT_DOUBLE_EQ(s.gap.minK, 500);
    EXPECT_DOUBLE_EQ(s.gap.maxK, 800);
    EXPECT_DOUBLE_EQ(s.mobility.minK, 100);
    EXPECT_DOUBLE_EQ(s.mobility.maxK, 300);
    EXPECT_DOUBLE_EQ(s.fieldTemperatureK, 300);
    const char* names[] = {"gap_sigma", "gap_hall", "exponente_movilidad", "RH_campo"};
    int i = 0;
    for (FitKind k : kAllFits) EXPECT_STREQ(fitName(k), names[i++]);
}
