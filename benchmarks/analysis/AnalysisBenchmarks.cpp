// Reading, deriving and fitting data files: a bench-sized file (100 records, the
// register's size) and the largest file the reader accepts (one million lines).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/Analysis.h"
#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"

namespace {

namespace fs = std::filesystem;
using namespace eh::analysis;

// A realistic register: a sweep of sample 1 from 50 to 545 K every 5 K.
const std::string& sweepText() {
    static const std::string text = [] {
        const fs::path path = fs::temp_directory_path() / "tarvelo-bench-sweep.asc";
        eh::sweep::SweepPlan plan;
        plan.toK = 545;
        plan.stepK = 5;
        std::string error;
        eh::sweep::FileAnsweringHost host(path.string());
        eh::BenchModel bench(host);
        eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        fs::remove(path);
        return s.str();
    }();
    return text;
}

fs::path writeFile(const char* name, std::size_t copies) {
    const fs::path path = fs::temp_directory_path() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < copies; ++i) out << sweepText();
    return path;
}

void Analyse_100_records(benchmark::State& state) {
    const fs::path path = writeFile("tarvelo-bench-100.asc", 1);
    for (auto _ : state) {
        Analysis a;
        std::string error;
        if (!readDataFile(path.string(), a.data, error)) state.SkipWithError(error.c_str());
        analyse(a, FitSettings{});
        benchmark::DoNotOptimize(a.fits);
    }
    fs::remove(path);
}
BENCHMARK(Analyse_100_records)->Unit(benchmark::kMicrosecond);

void Read_and_derive_1M_lines(benchmark::State& state) {
    const fs::path path = writeFile("tarvelo-bench-1M.asc", kMaxFileLines / 100);
    const Geometry g = sampleGeometry(1);
    for (auto _ : state) {
        DataSet data;
        std::string error;
        if (!readDataFile(path.string(), data, error)) state.SkipWithError(error.c_str());
        auto derived = deriveAll(data.records, g);
        benchmark::DoNotOptimize(derived);
        state.counters["records"] = static_cast<double>(data.records.size());
    }
    fs::remove(path);
}
BENCHMARK(Read_and_derive_1M_lines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
