// The transport model and the reading, as the change handlers run them.
#include "StartedBench.h"

namespace eh::bench {
namespace {

// Calculo for one sample at temperature t (K) and field b (gauss). 100 K is in the
// freeze-out of both samples, 300 K in their ionised range; 9000 G puts both in the
// high-field branch, 0 G in the low-field one.
void Calculo(benchmark::State& state, int sample, float t, float b) {
    StartedBench bench;
    bench.model.Muestra_Sel = static_cast<std::int16_t>(sample);
    bench.model.T_Medida = t;
    bench.model.B_Iman = b;
    for (auto _ : state) {
        bench.model.Calculo();
        benchmark::DoNotOptimize(bench.model.R_Muestra);
        benchmark::DoNotOptimize(bench.model.R_Hall);
    }
    bench.failIfMessages(state);
}
BENCHMARK_CAPTURE(Calculo, sample1_freeze_out, 1, 100.0f, 0.0f);
BENCHMARK_CAPTURE(Calculo, sample1_ionised, 1, 300.0f, 0.0f);
BENCHMARK_CAPTURE(Calculo, sample1_high_field, 1, 300.0f, 9000.0f);
BENCHMARK_CAPTURE(Calculo, sample2_freeze_out, 2, 100.0f, 0.0f);
BENCHMARK_CAPTURE(Calculo, sample2_ionised, 2, 300.0f, 0.0f);
BENCHMARK_CAPTURE(Calculo, sample2_high_field, 2, 300.0f, 9000.0f);

// The Hall reading with copies, the voltmeter on and the "+" switch engaged: model,
// reading, voltmeter text (unchanged, so no further handler) and the copy.
void Recalcular_Lectura_with_copies(benchmark::State& state) {
    StartedBench bench;
    bench.hallReading();
    bench.field(500, 40);
    for (auto _ : state) {
        bench.model.Recalcular_Lectura(true);
        benchmark::DoNotOptimize(bench.model.Lectura_EH_Pos);
    }
    bench.failIfMessages(state);
}
BENCHMARK(Recalcular_Lectura_with_copies);

} // namespace
} // namespace eh::bench
