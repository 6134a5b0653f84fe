// The field sweep: its options and their bad combinations, its magnet currents, and
// whole sweeps at one temperature whose Hall coefficient the analysis must recover
// without being told the temperature.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "analysis/Analysis.h"
#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"

using namespace eh::sweep;
using namespace eh::analysis;

namespace {

std::optional<SweepPlan> parse(const std::vector<std::string>& args, std::string& error) {
    bool help = false;
    return parseSweepOptions(args, error, help);
}

// A field sweep of `sample` at `kelvin`, read back.
DataSet fieldSweep(int sample, double kelvin, int steps, SweepReport& report, int& messages) {
    std::string folder = (std::filesystem::temp_directory_path() / "tarvelo-field-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("no temporary folder");
    const auto path = std::filesystem::path(folder) / "campo.asc";
    SweepPlan plan{.kind = SweepKind::Field, .sample = sample, .fieldSweepK = kelvin, .fieldSteps = steps};
    std::string error;
    const std::vector<int> positions = fieldSweepPositions(plan, error);
    EXPECT_TRUE(error.empty()) << error;
    FileAnsweringHost host(path.string());
    eh::BenchModel bench(host);
    report = SweepRunner(bench, plan).runField(positions);
    messages = host.messages;
    DataSet data;
    EXPECT_TRUE(readDataFile(path.string(), data, error)) << error;
    std::filesystem::remove_all(folder);
    return data;
}

} // namespace

TEST(FieldSweepPlan, OptionsAndTheirBadCombinations) {
    struct Row {
        std::vector<std::string> args;
        const char* error; // nullptr: accepted
    } rows[] = {
        {{"--barrido", "campo", "--temperatura", "300"}, nullptr},
        {{"--barrido", "campo", "--temperatura", "250", "--pasos", "20", "--corriente", "5"}, nullptr},
        {{"--barrido", "temperatura", "--desde", "100"}, nullptr},
        {{"--barrido", "campos", "--temperatura", "300"},
         "--barrido debe ser temperatura o campo, no campos"},
        {{"--barrido", "campo"}, "el barrido de campo necesita la temperatura: --temperatura K"},
        {{"--temperatura", "300"}, "--temperatura es del barrido de campo: añada --barrido campo"},
        {{"--barrido", "temperatura", "--pasos", "5"},
         "--pasos es del barrido de campo: añada --barrido campo"},
        {{"--barrido", "campo", "--temperatura", "300", "--desde", "100"},
         "--desde es del barrido de temperatura; el de campo mide a una sola temperatura, la de "
         "--temperatura"},
        {{"--paso", "5", "--barrido", "campo", "--temperatura", "300"},
         "--paso es del barrido de temperatura"},
        {{"--barrido", "campo", "--temperatura", "300", "--pasos", "2.5"},
         "--pasos debe ser un número entero de 1 a 100"},
        {{"--barrido", "campo", "--temperatura", "trescientos"}, "valor no válido para --temperatura"},
    };
    for (const Row& r : rows) {
        std::string error;
        const auto plan = parse(r.args, error);
        if (!r.error) {
            EXPECT_TRUE(plan) << r.args[1] << ": " << error;
            continue;
        }
        EXPECT_FALSE(plan) << r.error;
        EXPECT_EQ(error.substr(0, std::string(r.error).size()), r.error);
    }
    std::string error;
    const auto plan =
        parse({"--barrido", "campo", "--temperatura", "250", "--pasos", "20", "--iman", "8"}, error);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->kind, SweepKind::Field);
    EXPECT_EQ(plan->fieldSweepK, 250);
    EXPECT_EQ(plan->fieldSteps, 20);
    EXPECT_EQ(plan->magnetA, 8);
    EXPECT_EQ(parse({}, error)->kind, SweepKind::Temperature); // the default stays the temperature sweep
}

// Equal steps of the magnet control up to its maximum, at the control's 0.01 A.
TEST(FieldSweepPlan, MagnetCurrentsUpToTheMaximum) {
    struct Row {
        double magnetA, kelvin;
        int steps;
        std::vector<int> positions; // empty: refused
    } rows[] = {
        {10, 300, 10, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
        {10, 300, 3, {333, 667, 1000}},
        {10, 300, 1, {1000}},
        {0.05, 300, 5, {1, 2, 3, 4, 5}}, // the finest the control allows
        {0.04, 300, 5, {}},              // two steps would share a position
        {10, 300, 0, {}},
        {10, 300, 101, {}}, // more than the register holds
        {0, 300, 1, {}},
        {10, 49.9, 10, {}}, // below what the cryogenerator reaches
        {10, 760.1, 10, {}},
    };
    for (const Row& r : rows) {
        const SweepPlan plan{
            .kind = SweepKind::Field, .magnetA = r.magnetA, .fieldSweepK = r.kelvin, .fieldSteps = r.steps};
        std::string error;
        EXPECT_EQ(fieldSweepPositions(plan, error), r.positions)
            << r.magnetA << " A, " << r.steps << " pasos";
        EXPECT_EQ(error.empty(), !r.positions.empty()) << error;
    }
    std::string error;
    EXPECT_EQ(fieldSweepPositions({.kind = SweepKind::Field, .fieldSteps = 100}, error).size(), 100u);
}

// Ten fields at 300 K: one temperature within the controller's spread, both polarities
// read at every field up to 9000 G, and the analysis's R_H from V_H(B), with no options,
// equal to the one the readings give record by record.
TEST(FieldSweep, HallCoefficientOfBothSamplesAt300K) {
    for (int sample : {1, 2}) {
        SweepReport report;
        int messages = 0;
        const DataSet data = fieldSweep(sample, 300, 10, report, messages);
        EXPECT_EQ(messages, 0);
        EXPECT_EQ(report.unsettledPoints, 0);
        ASSERT_EQ(data.records.size(), 10u);
        const double thicknessCm = sampleGeometry(sample).thicknessCm;
        double sum = 0;
        for (std::size_t k = 0; k < data.records.size(); ++k) {
            const Record& r = data.records[k];
            // B = 1000 I - 10 I^2 gauss at I = 1, 2, ... 10 A.
            const double amperes = double(k + 1);
            EXPECT_DOUBLE_EQ(r.fieldG, 1000 * amperes - 10 * amperes * amperes);
            EXPECT_NEAR(r.temperatureK, 300, 1) << "record " << k + 1; // the field fit's window
            // Both polarities, taken at this field: opposite signs, equal sizes.
            EXPECT_LT(r.vPlusV * r.vMinusV, 0);
            EXPECT_NEAR(std::fabs(r.vPlusV) / std::fabs(r.vMinusV), 1, 1e-3);
            // R_H = V_H d / (I B): V_H in V, d in m, I in A, B in T gives m^3/C; 10^6 cm^3 per m^3.
            const double hallV = (r.vPlusV - r.vMinusV) / 2;
            const double rh = hallV * (thicknessCm * 1e-2) / ((r.currentMa * 1e-3) * (r.fieldG * 1e-4)) * 1e6;
            sum += rh;
        }
        const auto [coldest, warmest] = std::minmax_element(
            data.records.begin(), data.records.end(),
            [](const Record& a, const Record& b) { return a.temperatureK < b.temperatureK; });
        EXPECT_LT(warmest->temperatureK - coldest->temperatureK, 1.0); // one temperature
        const double expected = sum / double(data.records.size());
        // The course's doping: sample 1 n-type with 2e15 donors, R_H = -1/(e n); sample 2
        // p-type with 3e15 acceptors, R_H = +1/(e p); both extrinsic at 300 K.
        const double doping = sample == 1 ? -1 / (1.602e-19 * 2e15) : 1 / (1.602e-19 * 3e15);
        EXPECT_NEAR(expected / doping, 1, 0.01) << sample;

        Analysis a;
        a.data = data;
        a.sample = guessSample(data.records);
        EXPECT_EQ(a.sample, sample);
        analyse(a, FitSettings{});
        const FitResult& field = a.fits[3];
        ASSERT_EQ(field.kind, FitKind::HallFromField);
        ASSERT_TRUE(field.value) << field.note;
        EXPECT_EQ(field.used.size(), 10u);
        EXPECT_NEAR(*field.value / expected, 1, 1e-3) << sample;
        EXPECT_LT(*field.uncertainty, 1e-3 * std::fabs(expected));
        EXPECT_EQ(field.warning, "");
    }
}

// A field series measured elsewhere than at 300 K is found and fitted without being
// named, and the fit says at which temperature.
TEST(FieldSweep, AnalysisFindsTheSeriesTemperature) {
    SweepReport report;
    int messages = 0;
    Analysis a;
    a.data = fieldSweep(2, 200, 5, report, messages);
    a.sample = 2;
    ASSERT_EQ(a.data.records.size(), 5u);
    analyse(a, FitSettings{});
    const FitResult& field = a.fits[3];
    ASSERT_TRUE(field.value) << field.note;
    EXPECT_EQ(field.used.size(), 5u);
    EXPECT_NEAR((field.range.minK + field.range.maxK) / 2, 200, 0.5);
    EXPECT_NEAR(*field.value, 1 / (1.602e-19 * 3e15), 0.01 * *field.value);
    EXPECT_EQ(field.warning, "no hay serie de campo entre 299 y 301 K: se ajusta la que hay a 200 K");
    // Asked at the series' own temperature, nothing to say.
    FitSettings at200;
    at200.fieldTemperatureK = 200;
    analyse(a, at200);
    EXPECT_EQ(a.fits[3].warning, "");
    EXPECT_EQ(a.fits[3].used.size(), 5u);
}
