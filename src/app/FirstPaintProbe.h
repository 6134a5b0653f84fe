#pragma once
// Whole-program measurements for scripts/bench, asked for through the environment and
// inert otherwise:
//   TARVELO_EXIT_AFTER_FIRST_PAINT=1  once the first frame of a window is painted,
//       print "first-paint-ms <ms since the process started>", the CPU time used so
//       far, "peak-rss-kb <VmHWM>" (with the resident anonymous and file-backed parts)
//       and quit;
//   TARVELO_IDLE_SECONDS=N  after the first frame (and the scenario below) and one
//       second to settle, print "idle-cpu-ms <CPU time of the process in N s>" and
//       "idle-wall-ms <the N s as measured>" and quit;
//   TARVELO_IDLE_SCENARIO=1  with TARVELO_IDLE_SECONDS, run the program's scenario
//       right after the first frame.
// The start of the process is the clock reading in TARVELO_LAUNCH_NS (CLOCK_MONOTONIC,
// set by benchmarks/launch_timed just before it executes the program); without it,
// the call to markProcessStart(), or else the kernel's start time of the process.

#include <QCoreApplication>
#include <functional>

#include "bench/BenchModel.h"

namespace eh {

// Call first thing in main().
void markProcessStart();

// Installs the probe when one of its variables is set; `scenario` is run only for
// TARVELO_IDLE_SCENARIO=1.
void installFirstPaintProbe(QCoreApplication& app, std::function<void()> scenario = {});

// The running bench of the idle measurement: the voltmeter on the Hall contacts of a
// sample carrying 12 mA, the magnet ramping to 5 A on the "+" switch, the
// cryogenerator and the temperature controller on, so that the thermal timer and a
// magnet timer tick and the noise of the temperature keeps the Hall reading changing.
inline void driveIdleScenario(BenchModel& bench) {
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube5_Click();
    bench.Sube4_Click();
    bench.Sube4_Click();
    bench.Conmuta_EH_Click();
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(500);
    bench.Bot_Derecha_Click();
    bench.Bot_Crio_On_Click();
    bench.Bot_Control_On_Click();
}

} // namespace eh
