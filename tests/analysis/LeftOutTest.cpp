// Records the user leaves out: no fit uses them, whatever their range, and only the
// file they were left out of loses them.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Fits.h"

using namespace eh::analysis;

namespace {

const Geometry kBar{0.3, 0.2, 0.01};
constexpr double kBoltzmann = 8.617333262e-5; // eV/K, CODATA 2018

// Records of a given resistivity and Hall coefficient: Vr = rho I L / (a d),
// V_H = R_H I B / (d 1e11).
struct Set {
    std::vector<Record> records;
    std::vector<Derived> derived;
    void add(double t, double rho, double rh, double fieldG = 9000) {
        const double vh = rh * 10 * fieldG / (kBar.thicknessCm * 1e11);
        const double vr = rho * 10.0 / 1000 * kBar.lengthCm / (kBar.widthCm * kBar.thicknessCm);
        records.push_back(Record{
            .temperatureK = t, .fieldG = fieldG, .currentMa = 10, .vrV = vr, .vMinusV = -vh, .vPlusV = vh});
        derived.push_back(derive(records.back(), kBar));
    }
};

} // namespace

// Each fit on points of a known law with one record off it, inside the range: with
// that record left out the law comes back exactly, from one point fewer.
TEST(LeftOut, ARecordLeftOutIsNotUsedByAnyFit) {
    const double eg = 0.72;
    auto intrinsic = [&](double t) { return std::exp(eg / (2 * kBoltzmann * t)); };
    struct Row {
        FitKind kind;
        double expected;
        Set set;
    } rows[] = {{FitKind::GapSigma, eg, {}},
                {FitKind::GapHall, eg, {}},
                {FitKind::MobilityExponent, 1.66, {}},
                {FitKind::HallFromField, -3124, {}}};
    for (Row& row : rows) {
        Set& s = row.set;
        if (row.kind == FitKind::MobilityExponent) {
            for (double t = 100; t <= 300; t += 20) s.add(t, 3000 / (4.9e7 * std::pow(t, -1.66)), -3000);
            s.add(230, 1.5 * 3000 / (4.9e7 * std::pow(230, -1.66)), -3000); // mobility 1.5 times too low
        } else if (row.kind == FitKind::HallFromField) {
            for (double b = 1000; b <= 9000; b += 1000) s.add(300, 0.8, -3124, b);
            s.add(300, 0.8, -1.2 * 3124, 5500);
        } else {
            for (double t : {500.0, 600.0, 700.0, 800.0})
                s.add(t, intrinsic(t) / 5e3, -2e3 * intrinsic(t) / std::pow(t, 1.5));
            s.add(650, 1.5 * intrinsic(650) / 5e3,
                  -1.5 * 2e3 * intrinsic(650) / std::pow(650, 1.5)); // 1.5 times off
        }
        const std::size_t outlier = s.records.size() - 1;
        const FitResult all = runFit(row.kind, s.records, s.derived, kBar, FitSettings{});
        ASSERT_TRUE(all.value) << fitName(row.kind) << all.note;
        EXPECT_GT(std::fabs(*all.value - row.expected), 1e-3 * std::fabs(row.expected)) << fitName(row.kind);

        const FitResult kept = runFit(row.kind, s.records, s.derived, kBar, FitSettings{}, {outlier});
        ASSERT_TRUE(kept.value) << fitName(row.kind) << kept.note;
        EXPECT_NEAR(*kept.value, row.expected, 1e-6 * std::fabs(row.expected)) << fitName(row.kind);
        EXPECT_EQ(kept.used.size(), all.used.size() - 1) << fitName(row.kind);
        EXPECT_EQ(std::count(kept.used.begin(), kept.used.end(), outlier), 0) << fitName(row.kind);
    }
}

// Leaving out points until fewer than three remain gives the reason, not a number.
TEST(LeftOut, TooFewPointsLeftGiveTheReason) {
    Set s;
    for (double t : {100.0, 150.0, 200.0}) s.add(t, 3000 / (4.9e7 * std::pow(t, -1.66)), -3000);
    const FitResult f = runFit(FitKind::MobilityExponent, s.records, s.derived, kBar, FitSettings{}, {1});
    EXPECT_FALSE(f.value);
    EXPECT_NE(f.note.find("2 puntos"), std::string::npos) << f.note;
}

// The settings keep left-out records by file: another file's records stay in.
TEST(LeftOut, KeptByTheFileTheyWereLeftOutOf) {
    FitSettings settings;
    settings.leftOut["/datos/a.asc"] = {3, 7};
    EXPECT_EQ(leftOutOf(settings, "/datos/a.asc"), (std::set<std::size_t>{3, 7}));
    EXPECT_TRUE(leftOutOf(settings, "/datos/b.asc").empty());
    EXPECT_TRUE(leftOutOf(FitSettings{}, "/datos/a.asc").empty());
}
