// One tick of each timer in a running measurement.
#include "StartedBench.h"

namespace eh::bench {
namespace {

void perTick(benchmark::State& state, const StartedBench& bench, long notificationsBefore) {
    state.counters["notifications"] = benchmark::Counter(
        static_cast<double>(bench.notifications - notificationsBefore), benchmark::Counter::kAvgIterations);
}

// The regulation tick with the controller on at 300 K, the voltmeter on the Hall
// contacts and a field applied. With `swing` the sample temperature is put alternately
// that many kelvin above and below the set point before each tick, so that every tick
// changes the temperature readout and runs the whole chain (format, notify, model,
// reading, voltmeter text); with 0 the sample sits at the set point and the readout
// changes only when the noise moves it across a digit.
void Timer_Control_tick(benchmark::State& state, float swing) {
    StartedBench bench;
    bench.hallReading();
    bench.field(500, 40);
    bench.model.Bot_Control_On_Click();
    const long before = bench.notifications;
    bool high = false;
    for (auto _ : state) {
        if (swing != 0.0f) bench.model.T_Medida = 300.0f + (high ? swing : -swing);
        high = !high;
        bench.model.Timer_Control_Timer();
    }
    perTick(state, bench, before);
    bench.failIfMessages(state);
}
BENCHMARK_CAPTURE(Timer_Control_tick, readout_changes, 50.0f);
BENCHMARK_CAPTURE(Timer_Control_tick, steady, 0.0f);

// One step of the "+" ramp, restarted every 20 ticks so that the coil current, its
// readout and the Hall reading keep changing.
void Timer_Iman2_ramp_tick(benchmark::State& state) {
    StartedBench bench;
    bench.hallReading();
    bench.field(1000, 0);
    const long before = bench.notifications;
    std::int32_t n = 0;
    for (auto _ : state) {
        bench.model.Ticks_Iman = n;
        n = n == 19 ? 0 : n + 1;
        bench.model.Timer_Iman2_Timer();
    }
    perTick(state, bench, before);
    bench.failIfMessages(state);
}
BENCHMARK(Timer_Iman2_ramp_tick);

} // namespace
} // namespace eh::bench
