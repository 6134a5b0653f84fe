#pragma once
// Drives the bench through a temperature sweep, or a field sweep at one temperature,
// as a careful student would, with the same button presses and timer ticks the
// window delivers.

#include <functional>
#include <string>

#include "bench/BenchModel.h"
#include "sweep/BenchClock.h"
#include "sweep/SweepPlan.h"

namespace eh::sweep {

// The controller's set point that holds the sample at `targetK`, and whether the
// cryogenerator must be on for it, from the steady states of the thermal tick:
// the heater settles slightly below its set point, by an amount the leak to the
// 300 K room and the cryogenerator's cooling fix.
struct SetPointChoice {
    double setPointK;
    bool cryogenerator;
};
SetPointChoice setPointFor(double targetK);

struct SweepReport {
    int records = 0;
    int unsettledPoints = 0; // points taken when the tick bound ran out
    long long controlTicks = 0;
};

class SweepRunner {
public:
    // The bench must be freshly constructed (not yet loaded) with `host` answering
    // the save dialog.
    SweepRunner(BenchModel& bench, const SweepPlan& plan);

    using Progress = std::function<void(int done, int total, double temperatureK)>;
    // Runs the sweep over `targets` and saves the register. The report counts the
    // records and the points taken unsettled; an error the bench reported while saving
    // is not in it: the host has shown it (FileAnsweringHost counts its messages).
    SweepReport run(const std::vector<double>& targets, const Progress& progress = {});
    // The field sweep: the sample held at the plan's temperature, a point taken at each
    // of the magnet control's `positions` (fieldSweepPositions), settled as above.
    SweepReport runField(const std::vector<int>& positions, const Progress& progress = {});

    // Largest number of controller ticks spent waiting at one point.
    static constexpr int kMaxSettleTicks = 20000;
    // Controller ticks averaged per block (12 s), and the change of the block
    // mean allowed between successive blocks of a settled temperature.
    static constexpr int kSettleBlock = 100;
    static constexpr double kSettleDriftK = 0.1;
    static constexpr int kMaxRampTicks = 300;

private:
    void switchOn();
    void setCurrent(double milliamps);
    void setSetPoint(double kelvin);
    void setCryogenerator(bool on);
    bool settleTemperature();
    void finishRamp();
    void measurePoint();
    void holdTemperature(double targetK);
    // Switches on, then for each of `count` points: `prepare(i)`, settle, measure.
    SweepReport measureAll(int count, const std::function<void(int)>& prepare, const Progress& progress);

    BenchModel& bench_;
    SweepPlan plan_;
    BenchClock clock_;
    SweepReport report_;
};

} // namespace eh::sweep
