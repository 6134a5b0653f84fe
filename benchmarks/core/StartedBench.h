#pragma once
// A started bench with the instruments a measurement uses already switched on, for
// timing one operation in the middle of a session.

#include <benchmark/benchmark.h>

#include "QuietHost.h"
#include "bench/BenchModel.h"

namespace eh::bench {

struct StartedBench {
    StartedBench() : model(host) {
        model.setChangeListener([this](WidgetId) { ++notifications; });
        model.Form_Load();
    }

    // Voltmeter and source on (1 mA), the switch box on Hall.
    void hallReading() {
        model.Bot_Volt_On_Click();
        model.Bot_Fuente_On_Click();
        model.Sube4_Click();
        model.Conmuta_EH_Click();
    }

    // The magnet supply on with the slider at `position` and the "+" switch engaged;
    // `ticks` ticks of its ramp.
    void field(int position, int ticks) {
        model.Bot_Iman_On_Click();
        model.Control_I_Iman_Change(position);
        model.Bot_Derecha_Click();
        for (int i = 0; i < ticks; ++i) model.Timer_Iman2_Timer();
    }

    // A benchmark whose bench asked for a message box measured an error path.
    void failIfMessages(benchmark::State& state) const {
        if (host.messages != 0) state.SkipWithError("the bench reported an error");
    }

    QuietHost host;
    BenchModel model;
    long notifications = 0;
};

} // namespace eh::bench
