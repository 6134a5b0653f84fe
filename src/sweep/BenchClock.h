#pragma once
// The window's three timers, played against simulated time: the controller every
// 120 ms, the magnet ramp every 100 ms, each only while its timer is enabled.

#include <cstdint>

#include "bench/BenchModel.h"

namespace eh::sweep {

class BenchClock {
public:
    explicit BenchClock(BenchModel& bench) : bench_(bench) {}

    // Advances to the next tick of any timer and runs it. Returns which one ran:
    // true for a controller tick, false for a magnet tick.
    bool step();
    std::int64_t nowMs() const { return nowMs_; }

private:
    BenchModel& bench_;
    std::int64_t nowMs_ = 0;
    std::int64_t nextControlMs_ = 120;
    std::int64_t nextMagnetMs_ = 100;
};

} // namespace eh::sweep
