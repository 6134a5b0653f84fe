#pragma once
// What a sweep is asked to do, and the checks a plan must pass before the bench runs.

#include <optional>
#include <string>
#include <vector>

#include "bench/BenchState.h"

namespace eh::sweep {

// What is stepped: the sample's temperature at one field, or the magnet current (and
// so the field) at one temperature.
enum class SweepKind { Temperature, Field };

// A field sweep's default number of magnet currents, from a tenth of the maximum to it.
inline constexpr int kDefaultFieldSteps = 10;

struct SweepPlan {
    SweepKind kind = SweepKind::Temperature;
    int sample = 1;        // 1 (n-type), 2 (p-type), or the unknown sample's row
    double fromK = 50;     // first sample temperature aimed at
    double toK = 760;      // last one (a sweep may run downwards)
    double stepK = 10;     // always positive
    double currentMa = 10; // source current
    double magnetA = 10;   // maximum coil current
    std::string outputFile = "barrido.asc";
    bool overwrite = false;              // --sobrescribir: an existing output file may be replaced
    std::string sampleCode{};            // the unknown sample's code as shown ("TWSH-3NKM"); empty for 1 or 2
    double fieldSweepK = 300;            // the field sweep's sample temperature
    int fieldSteps = kDefaultFieldSteps; // the field sweep's magnet currents
};

// The range of sample temperatures the bench can hold: the cryogenerator cannot
// cool below 50 K, and the highest set point keeps the sample near 764 K.
inline constexpr double kLowestTargetK = 50;
inline constexpr double kHighestTargetK = 760;

// The temperatures aimed at, in order; empty with a message in `error` when the
// plan cannot be run (out of range, too many records for the register, ...).
std::vector<double> sweepTargets(const SweepPlan& plan, std::string& error);

// The magnet control's positions (hundredths of an ampere) of a field sweep, rising
// from magnetA / fieldSteps to magnetA; empty with a message in `error` when the plan
// cannot be run.
std::vector<int> fieldSweepPositions(const SweepPlan& plan, std::string& error);

// Parses the command line of the sweep program; nothing on a bad option, with the
// reason in `error`. `--ayuda` leaves `help` true.
std::optional<SweepPlan> parseSweepOptions(const std::vector<std::string>& args, std::string& error,
                                           bool& help);

// Why the sweep must not start: its output file exists (a key or a measurement made
// earlier) and replacing it was not asked for. Empty when it may run.
std::string outputRefusal(const SweepPlan& plan);

extern const char* const kSweepUsage;

} // namespace eh::sweep
