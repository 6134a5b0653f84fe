// Results a student can defend: fits that cannot determine a slope are not done, Hall
// readings that do not belong together are flagged, and every quantity carries the
// uncertainty of the instruments. Bench data come from whole sweeps of the bench.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "analysis/Analysis.h"
#include "analysis/CsvOutput.h"
#include "sweep/BenchClock.h"
#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"

using namespace eh::analysis;

namespace {

const double kK = 8.617333262e-5; // eV/K

Record record(double t, double b, double i, double vr, double vMinus, double vPlus) {
    return Record{
        .temperatureK = t, .fieldG = b, .currentMa = i, .vrV = vr, .vMinusV = vMinus, .vPlusV = vPlus};
}

// Records of sample 1 on intrinsic laws: sigma = 5e3 exp(-Eg/2kT), R_H T^3/2 =
// -2e3 exp(Eg/2kT), so both gaps give Eg back whenever a slope can be had.
struct Laws {
    static constexpr double kGap = 0.72;
    Geometry g = sampleGeometry(1);
    std::vector<Record> records;
    void add(double t, double fieldG = 9000) {
        const double rho = std::exp(kGap / (2 * kK * t)) / 5e3;
        const double rh = -2e3 * std::exp(kGap / (2 * kK * t)) / std::pow(t, 1.5);
        const double vh = rh * 10 * fieldG / (g.thicknessCm * 1e11);
        const double vr = rho * 10.0 / 1000 * g.lengthCm / (g.widthCm * g.thicknessCm);
        records.push_back(record(t, fieldG, 10, vr, -vh, vh));
    }
    FitResult fit(FitKind kind, Range range) const {
        const std::vector<Derived> derived = deriveAll(records, g);
        FitSettings s;
        s.gap = range;
        s.fieldTemperatureK = (range.minK + range.maxK) / 2;
        return runFit(kind, records, derived, g, s);
    }
};

std::filesystem::path sweepFile() {
    std::string folder = (std::filesystem::temp_directory_path() / "tarvelo-results-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
    return std::filesystem::path(folder) / "sweep.asc";
}

// A sweep of the bench as tarvelo-barrido makes it, analysed for its own sample.
Analysis sweep(int sample, double from = 50, double to = 760, double step = 10) {
    const auto path = sweepFile();
    eh::sweep::SweepPlan plan;
    plan.sample = sample;
    plan.fromK = from;
    plan.toK = to;
    plan.stepK = step;
    eh::sweep::FileAnsweringHost host(path.string());
    eh::BenchModel bench(host);
    std::string error;
    eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
    Analysis a;
    a.sample = sample;
    if (!readDataFile(path.string(), a.data, error)) throw std::runtime_error(error);
    std::filesystem::remove_all(path.parent_path());
    analyse(a, FitSettings{});
    return a;
}

} // namespace

// What a fit needs: three temperatures that a 0.1 K display tells apart, and a span
// over which one display step is under 10 % (more than 1 K). The expectations are the
// law's gap or the reason a student reads.
TEST(Results, DegenerateFitsGiveAReasonNotANumber) {
    struct Row {
        const char* what;
        std::vector<double> temperatures;
        const char* reason; // nullptr: the law's gap
    } rows[] = {
        {"one temperature", {600, 600, 600, 600, 600}, "1 temperatura distinta (a 0,1 K) entre 500 y 800 K"},
        {"two temperatures", {550, 550, 650, 650, 650}, "2 temperaturas distintas (a 0,1 K)"},
        {"two within a display step", {550, 550.04, 650, 650.02}, "2 temperaturas distintas"},
        {"three temperatures", {550, 600, 650}, nullptr},
        {"0.2 K span", {600, 600.1, 600.2, 600.1, 600}, "incertidumbre relativa del 50 %"},
        {"1 K span: one step is 10 %", {600, 600.5, 601}, "incertidumbre relativa del 10 %"},
        {"1.1 K span: 9 %", {600, 600.5, 601.1}, nullptr},
    };
    for (const Row& row : rows) {
        Laws laws;
        for (double t : row.temperatures) laws.add(t);
        for (FitKind kind : {FitKind::GapSigma, FitKind::GapHall}) {
            const FitResult f = laws.fit(kind, {500, 800});
            if (!row.reason) {
                ASSERT_TRUE(f.value) << row.what << ": " << f.note;
                EXPECT_NEAR(*f.value, Laws::kGap, 1e-6) << row.what;
                continue;
            }
            EXPECT_FALSE(f.value || f.uncertainty || f.line) << row.what;
            EXPECT_NE(f.note.find(row.reason), std::string::npos) << row.what << ": " << f.note;
            EXPECT_NE(f.note.find("falta"), std::string::npos) << row.what << ": " << f.note;
        }
    }
}

// The field fit needs three fields a 1 G display tells apart.
TEST(Results, FieldFitNeedsThreeFields) {
    struct Row {
        std::vector<double> fields;
        bool done;
    } rows[] = {{{8116, 8116, 8116, 8116}, false}, {{8116, 8116.4, 9000}, false}, {{2000, 5000, 9000}, true}};
    for (const Row& row : rows) {
        Laws laws;
        for (double b : row.fields) laws.add(300, b);
        const FitResult f = laws.fit(FitKind::HallFromField, {299, 301});
        EXPECT_EQ(f.value.has_value(), row.done) << f.note;
        if (!row.done) {
            EXPECT_NE(f.note.find("campo"), std::string::npos) << f.note;
        }
    }
}

// A million identical records at 300 K: one temperature, whatever their number; no
// mobility exponent and no gap, in well under a second.
TEST(Results, MillionIdenticalRecordsGiveNoSlope) {
    Analysis a;
    a.data.records.assign(1'000'000, record(300, 9000, 10, 1.238, 0.2812, -0.2812));
    FitSettings s;
    s.gap = s.mobility = {290, 310};
    analyse(a, s);
    for (const FitResult& f : a.fits) {
        EXPECT_FALSE(f.value) << fitName(f.kind);
        EXPECT_FALSE(f.note.empty()) << fitName(f.kind);
    }
}

// A resistivity taken with the magnet off is normal data: rho and sigma, no Hall
// quantity, no note, and it counts in the conductivity gap.
TEST(Results, ZeroFieldRecordsGiveResistivityAndEnterTheConductivityGap) {
    Laws laws;
    for (double t : {500.0, 600.0, 700.0, 800.0}) laws.add(t, 0);
    const std::vector<Derived> derived = deriveAll(laws.records, laws.g);
    for (const Derived& d : derived) {
        EXPECT_TRUE(d.rhoOhmCm && d.sigmaSCm && d.uRhoOhmCm);
        EXPECT_FALSE(d.hallCm3C || d.uHallCm3C || d.mobilityCm2Vs);
        EXPECT_EQ(d.note, "");
        EXPECT_EQ(d.warnings, 0u);
    }
    const FitResult sigma = laws.fit(FitKind::GapSigma, {500, 800});
    ASSERT_TRUE(sigma.value) << sigma.note;
    EXPECT_NEAR(*sigma.value, Laws::kGap, 1e-6);
    EXPECT_EQ(sigma.used.size(), 4u);
    EXPECT_FALSE(laws.fit(FitKind::GapHall, {500, 800}).value);
}

// Sample 1 at 300 K, 10 mA, 9000 G: Vr = 1.238 V, V+ = -0.2812 V, V- = +0.2812 V.
// Display steps 1e-5 V, 0.001 mA: standard uncertainties 1e-5/(2 sqrt 3) = 2.8868e-6 V
// and 2.8868e-4 mA.
//   rho = Vr a d / (I L) = 1.238 * 0.2 * 0.01 / (0.010 * 0.3) = 0.825333 ohm cm
//   u(rho)/rho = sqrt((2.8868e-6 / 1.238)^2 + (2.8868e-4 / 10)^2)
//              = sqrt(5.437e-12 + 8.333e-10) = 2.8962e-5
//   u(rho) = 0.825333 * 2.8962e-5 = 2.3903e-5 ohm cm
// The field: I = 10 A from B = 1000 I - 10 I^2, dB/dI = 800 G/A, u(I) = 0.01/(2 sqrt 3) A,
// u(B) = 2.3094 G. V_H from both readings: u = 2.8868e-6 / sqrt 2 = 2.0412e-6 V.
//   u(R_H)/|R_H| = sqrt((2.0412e-6/0.2812)^2 + (2.8868e-5)^2 + (2.3094/9000)^2) = 2.5832e-4
//   u(R_H) = 3124.44 * 2.5832e-4 = 0.8071 cm3/C
//   mu = |V_H| L 1e11 / (B Vr a), the current cancels:
//   u(mu)/mu = sqrt((7.259e-6)^2 + (2.5660e-4)^2 + (2.3318e-6)^2) = 2.5672e-4, u = 0.9718
TEST(Results, UncertaintiesFromTheInstrumentsWorkedByHand) {
    const Derived d = derive(record(300, 9000, 10, 1.238, 0.2812, -0.2812), sampleGeometry(1));
    ASSERT_TRUE(d.uRhoOhmCm && d.uHallCm3C && d.uMobilityCm2Vs);
    EXPECT_NEAR(*d.uRhoOhmCm, 2.3903e-5, 0.0005e-5);
    EXPECT_NEAR(*d.uHallCm3C, 0.8071, 0.0002);
    EXPECT_NEAR(*d.uMobilityCm2Vs, 0.9718, 0.0002);
    // One polarity only: the Hall voltage's uncertainty is a whole reading's.
    const Derived one = derive(record(300, 9000, 10, 1.238, 0, -0.2812), sampleGeometry(1));
    ASSERT_TRUE(one.uHallCm3C);
    EXPECT_GT(*one.uHallCm3C, *d.uHallCm3C);
}

// Pearson's data (Philos. Mag. 2, 559, 1901) with York's weights of y (Can. J. Phys. 44,
// 1079, 1966), fitted by weighted least squares with errors in y only: published
// a = 6.100 +- 0.205, b = -0.6108 +- 0.0300, reduced chi-square 4.29 (T. M. Huber,
// physics.gac.edu/~huber/fitting/pearson.htm, 2001, after Bevington and Numerical Recipes).
TEST(LeastSquares, WeightedFitOfPearsonYorkData) {
    const std::vector<double> x = {0.0, 0.9, 1.8, 2.6, 3.3, 4.4, 5.2, 6.1, 6.5, 7.4};
    const std::vector<double> y = {5.9, 5.4, 4.4, 4.6, 3.5, 3.7, 2.8, 2.8, 2.4, 1.5};
    std::vector<double> sigma;
    for (double w : {1.0, 1.8, 4.0, 8.0, 20.0, 20.0, 70.0, 70.0, 100.0, 500.0})
        sigma.push_back(1 / std::sqrt(w));
    const auto f = fitLineWeighted(x, y, sigma);
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->intercept, 6.100, 0.0005);
    EXPECT_NEAR(f->slope, -0.6108, 0.00005);
    EXPECT_NEAR(f->interceptError, 0.205, 0.0005);
    EXPECT_NEAR(f->slopeError, 0.0300, 0.0001); // 0.03009: the page gives three places
    EXPECT_NEAR(f->residualSd * f->residualSd, 4.29, 0.005);
    sigma[3] = 0;
    EXPECT_FALSE(fitLineWeighted(x, y, sigma)); // a point without an uncertainty has no weight
}

// The stale reading of a student who changed the field and took one new Hall reading:
// V+ = -0.2536 V at 8.91 A, V- = +0.030 V left from about 1 A. Readings that belong
// together, even at a sign change where V0 exceeds V_H, are not flagged. Limits:
// 5 % of the larger reading, 2e-5 V, 1 % of Vr.
TEST(Results, HallReadingsThatDoNotBelongTogetherAreFlagged) {
    struct Row {
        const char* what;
        Record r;
        bool flagged;
    } rows[] = {
        {"stale V-", record(300, 8116, 10, 1.238, 0.030, -0.2536), true},
        {"careful", record(300, 9000, 10, 1.238, 0.2812, -0.2812), false},
        {"sign change, drifting", record(401.1, 9000, 10, 1.513, 0.000287, 0.000447), false},
        {"offset 1.1 % of Vr", record(300, 9000, 1, 1.0, 0.1, -0.078), true},
        {"offset 0.9 % of Vr", record(300, 9000, 1, 1.0, 0.1, -0.082), false},
        {"no Vr, 6 % of the reading", record(300, 9000, 1, 0, 0.1, -0.088), true},
        {"no Vr, 4 % of the reading", record(300, 9000, 1, 0, 0.1, -0.092), false},
        {"no Vr, under two steps", record(300, 9000, 1, 0, 0.0001, -0.00006), false},
        {"one polarity", record(300, 9000, 10, 1.238, 0, -0.2812), false},
    };
    for (const Row& row : rows) {
        const Derived d = derive(row.r, sampleGeometry(1));
        EXPECT_EQ((d.warnings & kHallMismatch) != 0, row.flagged) << row.what;
    }
    // The table says so in its own column; the Hall fits leave such records out and
    // say how many, unless asked to keep them.
    Laws laws;
    for (double b : {2000.0, 5000.0, 9000.0, 7000.0}) laws.add(300, b);
    laws.records.push_back(record(300, 8116, 10, 1.238, 0.030, -0.2536));
    std::vector<Derived> derived = deriveAll(laws.records, laws.g);
    const std::string table = tableCsv(laws.records, derived, CsvStyle::CommaPoint);
    EXPECT_NE(table.find(",lecturas de Hall de condiciones distintas"), std::string::npos) << table;
    FitSettings s;
    const FitResult out = runFit(FitKind::HallFromField, laws.records, derived, laws.g, s);
    ASSERT_TRUE(out.value) << out.note;
    EXPECT_EQ(out.used.size(), 4u);
    EXPECT_EQ(out.leftOut, 1u);
    EXPECT_NE(out.warning.find("1 registro con lecturas de Hall de condiciones distintas fuera del ajuste"),
              std::string::npos)
        << out.warning;
    EXPECT_NEAR(*out.value, -2e3 * std::exp(Laws::kGap / (2 * kK * 300)) / std::pow(300, 1.5), 1e-6 * 3e3);
    EXPECT_EQ(out.warning.find("ordenada"), std::string::npos) << out.warning;
    // Kept in, the stale point takes the slope with it: 140 % relative uncertainty.
    s.includeWarned = true;
    const FitResult in = runFit(FitKind::HallFromField, laws.records, derived, laws.g, s);
    EXPECT_EQ(in.used.size(), 5u);
    EXPECT_EQ(in.leftOut, 0u);
    EXPECT_FALSE(in.value);
    EXPECT_NE(in.note.find("la pendiente no queda determinada"), std::string::npos) << in.note;
}

// The V_H(B) line should pass through zero: an intercept past 2 % of the largest fitted
// voltage is said beside R_H, which is still given.
TEST(Results, FieldFitInterceptWarnsPastTwoPerCent) {
    for (double share : {0.019, 0.021}) {
        std::vector<Record> records;
        const double top = 0.2812;
        for (double b : {3000.0, 6000.0, 9000.0})
            records.push_back(record(300, b, 10, 1.238, 0, -top * (b / 9000 + share)));
        const Geometry g = sampleGeometry(1);
        const std::vector<Derived> derived = deriveAll(records, g);
        const FitResult f = runFit(FitKind::HallFromField, records, derived, g, FitSettings{});
        ASSERT_TRUE(f.value && f.intercept) << f.note;
        EXPECT_NEAR(*f.intercept, -top * share, 1e-12);
        EXPECT_EQ(f.warning.find("la ordenada en el origen de V_H(B)") != std::string::npos, share > 0.02)
            << share << f.warning;
    }
}

// A stale record among the intrinsic points stays out of the Hall gap, not out of the
// conductivity gap, which needs only its resistivity reading.
TEST(Results, StaleRecordLeavesTheHallGapOnly) {
    Laws laws;
    for (double t : {500.0, 600.0, 650.0, 700.0, 800.0}) laws.add(t);
    laws.records[2].vMinusV = -0.1 * laws.records[2].vPlusV; // V0 = 0.45 V_H, 1.6 % of Vr
    const FitResult hall = laws.fit(FitKind::GapHall, {500, 800});
    ASSERT_TRUE(hall.value) << hall.note;
    EXPECT_EQ(hall.used.size(), 4u);
    EXPECT_EQ(hall.leftOut, 1u);
    EXPECT_NEAR(*hall.value, Laws::kGap, 1e-6);
    const FitResult sigma = laws.fit(FitKind::GapSigma, {500, 800});
    ASSERT_TRUE(sigma.value) << sigma.note;
    EXPECT_EQ(sigma.used.size(), 5u);
    EXPECT_EQ(sigma.leftOut, 0u);
}

// Mixed conduction against the plateau of sample 1, -3120.8 cm3/C: freeze-out above it
// is one carrier; 1 % below it, or the other sign, is not.
TEST(Results, MixedConductionLimits) {
    const double plateau = plateauHallCm3C(1);
    struct Row {
        double rh;
        bool mixed;
    } rows[] = {{1.2 * plateau, false},  {plateau, false},       {0.99 * plateau, false},
                {0.989 * plateau, true}, {-1.2 * plateau, true}, {-0.01 * plateau, true}};
    std::vector<Derived> derived(std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) derived[i].hallCm3C = rows[i].rh;
    derived.emplace_back(); // no R_H: nothing to judge
    markMixedConduction(derived, plateau);
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(derived[i].warnings, rows[i].mixed ? kMixedConduction : 0u) << rows[i].rh;
    EXPECT_EQ(derived.back().warnings, 0u);
    EXPECT_EQ(warningText(kMixedConduction | kHallMismatch),
              "lecturas de Hall de condiciones distintas: V0 = (V+ + V-)/2 no es pequeña frente a ellas / "
              "conducción mixta: n y p no se obtienen de un solo R_H");
}

// Careful sweeps of both samples, and sample 2's sign change in steps of 1 K: no
// Hall warning anywhere. Mixed conduction: the plateau is -1/(e 2e15) = -3120.8 cm3/C
// for sample 1 and +1/(e 3e15) = +2080.5 for sample 2; the course puts its end near
// 340 and 330 K. Past it, and at the sign change, the records are marked.
TEST(Results, BenchSweepsHaveNoHallWarningAndMarkMixedConduction) {
    EXPECT_NEAR(plateauHallCm3C(1), -3120.8, 0.1);
    EXPECT_NEAR(plateauHallCm3C(2), 2080.5, 0.1);
    for (int sample : {1, 2}) {
        const Analysis a = sweep(sample);
        ASSERT_EQ(a.derived.size(), 72u);
        for (std::size_t i = 0; i < a.derived.size(); ++i) {
            const double t = a.data.records[i].temperatureK;
            const unsigned w = a.derived[i].warnings;
            EXPECT_EQ(w & kHallMismatch, 0u) << sample << " " << t;
            if (t > 100 && t < 300) {
                EXPECT_EQ(w & kMixedConduction, 0u) << sample << " " << t;
            }
            if (t > 380) {
                EXPECT_NE(w & kMixedConduction, 0u) << sample << " " << t;
            }
        }
        const std::string table = tableCsv(a.data.records, a.derived, CsvStyle::SemicolonComma);
        EXPECT_NE(table.find(";conducción mixta: n y p no se obtienen de un solo R_H;"), std::string::npos);
    }
    const Analysis fine = sweep(2, 390, 415, 1);
    int negative = 0;
    for (std::size_t i = 0; i < fine.derived.size(); ++i) {
        EXPECT_EQ(fine.derived[i].warnings, unsigned(kMixedConduction)) << fine.data.records[i].temperatureK;
        negative += fine.derived[i].carrier == Carrier::Electrons;
    }
    EXPECT_GT(negative, 0); // the sign change is in the range
}

// Weighted least squares on a sweep gives the gap within its uncertainty of the
// ordinary one, and every fit reports its reduced chi-square; the fits table ends with
// the difference of the two gaps.
TEST(Results, WeightedFitsChiSquareAndGapDifference) {
    Analysis a = sweep(2);
    FitSettings weighted;
    weighted.weighted = true;
    const std::vector<FitResult> ordinary = a.fits;
    analyse(a, weighted);
    for (std::size_t k = 0; k < 3; ++k) {
        ASSERT_TRUE(ordinary[k].value && a.fits[k].value) << fitName(a.fits[k].kind);
        EXPECT_TRUE(ordinary[k].chi2Reduced && a.fits[k].chi2Reduced);
        EXPECT_LE(*a.fits[k].chi2Reduced, *ordinary[k].chi2Reduced * (1 + 1e-9)) << fitName(a.fits[k].kind);
        EXPECT_NEAR(*a.fits[k].value, *ordinary[k].value,
                    3 * (*a.fits[k].uncertainty + *ordinary[k].uncertainty));
    }
    const double difference = *ordinary[0].value - *ordinary[1].value;
    EXPECT_NEAR(difference, 0.777 - 0.753, 0.005); // the two methods on sample 2
    const std::string fits = fitsCsv(ordinary, CsvStyle::CommaPoint);
    const std::string last = fits.substr(fits.rfind('\n', fits.size() - 2) + 1);
    EXPECT_EQ(last.rfind("gap_diferencia,", 0), 0u) << last;
    EXPECT_NEAR(std::stod(last.substr(15)), difference, 1e-6) << last;
}

// At the bench: a careful record at 300 K, then the field turned down to 1 A with the
// " - " switch engaged and the record stored again, so that its "+" reading is the
// one taken at 10 A. The first record is sound, the second is flagged and stays out
// of the field fit; the file of both gives no R_H from V_H(B).
TEST(Results, StaleReadingTakenAtTheBenchIsFlagged) {
    const auto path = sweepFile();
    eh::sweep::SweepPlan plan;
    plan.fromK = plan.toK = 300;
    eh::sweep::FileAnsweringHost host(path.string());
    eh::BenchModel bench(host);
    std::string error;
    eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
    bench.Control_I_Iman_Change(100);
    eh::sweep::BenchClock clock(bench);
    for (int magnetTicks = 0; magnetTicks < 300;)
        if (!clock.step()) ++magnetTicks;
    bench.Acumular_Click();
    bench.Salvar_Click();
    Analysis a;
    ASSERT_TRUE(readDataFile(path.string(), a.data, error)) << error;
    std::filesystem::remove_all(path.parent_path());
    a.sample = 1;
    analyse(a, FitSettings{});
    ASSERT_EQ(a.data.records.size(), 2u);
    const Record& stale = a.data.records[1];
    // The "+" reading still shows 10 A (-0.28 V), the " - " one 1 A (+0.03 V).
    EXPECT_NEAR(stale.vPlusV, -0.2812, 0.003);
    EXPECT_NEAR(stale.vMinusV, 0.2812 * 990 / 9000, 0.003);
    EXPECT_EQ(a.derived[0].warnings, 0u);
    EXPECT_EQ(a.derived[1].warnings, unsigned(kHallMismatch));
    const FitResult& field = a.fits[3];
    EXPECT_EQ(field.kind, FitKind::HallFromField);
    EXPECT_FALSE(field.value);
    EXPECT_EQ(field.leftOut, 1u);
}

// The file of the student who kept one "+" reading from 8.91 A (-0.2536 V) while the
// " - " readings followed fields about 1 A (0.025 to 0.036 V): every record is flagged,
// the V_H(B) fit has no point left and says how many it left out. Kept in, the line has
// half the true slope (R_H -1562 instead of -3124 cm3/C) and an intercept of half the
// stale reading, which the fit says.
TEST(Results, FieldSeriesWithOneStaleReadingThroughout) {
    std::vector<Record> records;
    for (double b = 800; b <= 1150; b += 50)
        records.push_back(record(300, b, 10, 1.238, 0.2812 * b / 9000, -0.2536));
    const Geometry g = sampleGeometry(1);
    std::vector<Derived> derived = deriveAll(records, g);
    for (const Derived& d : derived) EXPECT_EQ(d.warnings, unsigned(kHallMismatch));
    FitSettings s;
    const FitResult out = runFit(FitKind::HallFromField, records, derived, g, s);
    EXPECT_FALSE(out.value);
    EXPECT_EQ(out.leftOut, 8u);
    EXPECT_EQ(out.note, "0 puntos entre 299 y 301 K; hacen falta al menos 3");
    EXPECT_EQ(out.warning, "8 registros con lecturas de Hall de condiciones distintas fuera del ajuste");
    s.includeWarned = true;
    const FitResult in = runFit(FitKind::HallFromField, records, derived, g, s);
    ASSERT_TRUE(in.value && in.intercept) << in.note;
    EXPECT_NEAR(*in.value, -3124.0 / 2, 2);
    EXPECT_NEAR(*in.intercept, -0.2536 / 2, 1e-6);
    EXPECT_NE(in.warning.find("la ordenada en el origen de V_H(B), −0,127 V, no es pequeña"),
              std::string::npos)
        << in.warning;
}
